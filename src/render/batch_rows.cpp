#include "render/batch_rows.h"

#include "document/field_value.h"
#include "document/json_keys.h"
#include "document/regular_file.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

#include <algorithm>

namespace mivo {
namespace {

constexpr qint64 kChunkBytes = 64 * 1024;

std::optional<int> decimalIndex(const QString& text) {
    if (text.isEmpty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    return text.toInt();
}

// Splits one CSV record held in `text` (quotes already balanced) into its fields.
QStringList csvFields(QStringView text) {
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field;
    return fields;
}

// Whether the whole of `file` is UTF-8, read in pieces so that memory stays flat.
bool isUtf8Throughout(QFile& file) {
    QStringDecoder utf8(QStringConverter::Utf8);
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(kChunkBytes);
        if (chunk.isEmpty())
            break;
        const QString text = utf8.decode(chunk); // decoded only when taken as a QString
        if (utf8.hasError())
            return false;
    }
    return true;
}

const QString kTooLong = QStringLiteral("1 行が長すぎます（1 MiB まで）");

} // namespace

QMap<int, QString> valuesFromJson(const QByteArray& json, QString* error) {
    QMap<int, QString> values;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *error = QStringLiteral("{\"62\": \"山田太郎\"} のような JSON オブジェクトではありません");
        return {};
    }
    if (const std::optional<QString> twice = duplicateJsonKey(json)) {
        *error = QStringLiteral("項目番号 \"%1\" が二度あります").arg(*twice);
        return {};
    }
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<int> index = decimalIndex(it.key());
        if (!index) {
            *error = QStringLiteral("項目番号 \"%1\" は数字ではありません").arg(it.key());
            return {};
        }
        if (!it.value().isString()) {
            *error = QStringLiteral("項目 %1 の値は文字列にしてください").arg(it.key());
            return {};
        }
        values.insert(*index, it.value().toString());
    }
    *error = valuesProblem(values);
    return error->isEmpty() ? values : QMap<int, QString>{};
}

std::unique_ptr<BatchRows> BatchRows::open(const QString& path, const ColumnIndex& columnIndex,
                                           QString* error, CsvEncoding encoding) {
    std::unique_ptr<BatchRows> rows(new BatchRows);
    // Only a regular file, opened without waiting: a FIFO or a device would block the reader
    // or never end.
    if (QString refused = openRegularFile(rows->file_, QFile::encodeName(path));
        !refused.isEmpty()) {
        *error = refused;
        return nullptr;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    rows->json_ = suffix == u"jsonl" || suffix == u"ndjson";
    if (rows->json_)
        return rows;

    const bool marked = rows->file_.peek(3) == "\xEF\xBB\xBF";
    rows->cp932_ = encoding == CsvEncoding::Cp932 ||
                   (encoding == CsvEncoding::Detect && !marked && !isUtf8Throughout(rows->file_));
    if (!rows->file_.seek(marked ? 3 : 0)) {
        *error = QStringLiteral("%1 を読めません（%2）。").arg(path, rows->file_.errorString());
        return nullptr;
    }
    // Old Mac files end their lines with CR alone.
    rows->fill();
    const qsizetype firstEnd = rows->buffer_.indexOf('\n');
    const qsizetype firstCr = rows->buffer_.indexOf('\r');
    if (firstCr >= 0 && (firstEnd < 0 || firstCr + 1 < firstEnd))
        rows->lineEnd_ = '\r';

    QStringList headers;
    if (!rows->readRecord(headers, *error)) {
        if (error->isEmpty())
            *error =
                QStringLiteral("%1 は空です。1 行目に項目番号か項目名を並べてください。").arg(path);
        return nullptr;
    }
    if (!error->isEmpty()) {
        *error = QStringLiteral("1 行目: %1").arg(*error);
        return nullptr;
    }
    QMap<int, QString> named; // field → the header that named it first
    for (const QString& header : headers) {
        const QString name = header.trimmed();
        QString why;
        std::optional<int> index = decimalIndex(name);
        if (!index && !name.isEmpty())
            index = columnIndex(name, &why);
        if (!index && !name.isEmpty()) {
            *error = QStringLiteral("1 行目の %1 列目: %2").arg(rows->columns_.size() + 1).arg(why);
            return nullptr;
        }
        if (index && named.contains(*index)) {
            *error = QStringLiteral("1 行目の「%1」と「%2」は同じ項目 %3 です。"
                                    "一つの列にしてください。")
                         .arg(named.value(*index), name)
                         .arg(*index);
            return nullptr;
        }
        if (index)
            named.insert(*index, name);
        rows->columns_ << index;
    }
    if (named.isEmpty()) {
        *error = QStringLiteral("1 行目に項目番号か項目名を並べてください。");
        return nullptr;
    }
    return rows;
}

bool BatchRows::fill() {
    buffer_ = file_.read(kChunkBytes);
    at_ = 0;
    return !buffer_.isEmpty();
}

// The next line with its end; one longer than MaxRowBytes is skipped to its end and comes back
// empty with `tooLong`, so a line of any length costs its reading only.
bool BatchRows::readLine(QByteArray& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    bool any = false;
    for (;;) {
        if (at_ == buffer_.size() && !fill()) {
            if (any)
                ++line_;
            return any;
        }
        any = true;
        const qsizetype end = buffer_.indexOf(lineEnd_, at_);
        const qsizetype stop = end < 0 ? buffer_.size() : end + 1;
        if (!tooLong)
            line.append(QByteArrayView(buffer_).sliced(at_, stop - at_));
        at_ = stop;
        if (line.size() > MaxRowBytes) {
            tooLong = true;
            line.clear();
        }
        if (end >= 0) {
            ++line_;
            return true;
        }
    }
}

// Blank lines between rows are no rows.
bool BatchRows::readNonBlankLine(QByteArray& line, bool& tooLong) {
    do {
        if (!readLine(line, tooLong))
            return false;
    } while (!tooLong && line.trimmed().isEmpty());
    return true;
}

bool BatchRows::readRecord(QStringList& fields, QString& error) {
    QByteArray line;
    bool tooLong = false;
    if (!readNonBlankLine(line, tooLong))
        return false;
    recordLine_ = line_;
    QByteArray bytes;
    // A quoted field may hold line breaks: read on while a quote is open, counting the quotes
    // of each line once.
    bool open = false;
    for (;;) {
        if (tooLong || bytes.size() + line.size() > MaxRowBytes) {
            error = kTooLong;
            return true;
        }
        open = open != (line.count('"') % 2 != 0);
        bytes += line;
        if (!open)
            break;
        if (!readLine(line, tooLong)) {
            error = QStringLiteral("引用符 \" が閉じていません");
            return true;
        }
    }
    while (bytes.endsWith('\n') || bytes.endsWith('\r'))
        bytes.chop(1);
    // CP932's second bytes are never a quote, comma or line end: the record is whole either way.
    QStringDecoder decoder(cp932_ ? "CP932" : "UTF-8", QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        error = cp932_ ? QStringLiteral("Shift_JIS（CP932）として読めない文字があります")
                       : QStringLiteral("UTF-8 として読めない文字があります");
        return true;
    }
    fields = csvFields(text);
    return true;
}

bool BatchRows::next(BatchRow& row) {
    row = BatchRow{};
    return json_ ? nextJson(row) : nextCsv(row);
}

bool BatchRows::nextCsv(BatchRow& row) {
    QStringList fields;
    if (!readRecord(fields, row.error))
        return false;
    row.line = recordLine_;
    if (!row.error.isEmpty())
        return true;
    if (fields.size() > columns_.size()) {
        row.error = QStringLiteral("列が 1 行目より多くあります（%1 列）").arg(fields.size());
        return true;
    }
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (columns_[i])
            row.values.insert(*columns_[i], fields[i]);
    }
    row.error = valuesProblem(row.values);
    return true;
}

bool BatchRows::nextJson(BatchRow& row) {
    QByteArray line;
    bool tooLong = false;
    if (!readNonBlankLine(line, tooLong))
        return false;
    row.line = line_;
    if (tooLong) {
        row.error = kTooLong;
        return true;
    }
    row.values = valuesFromJson(line, &row.error);
    return true;
}

} // namespace mivo

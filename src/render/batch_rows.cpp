#include "render/batch_rows.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace mivo {
namespace {

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

} // namespace

QMap<int, QString> valuesFromJson(const QByteArray& json, QString* error) {
    QMap<int, QString> values;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *error = QStringLiteral("{\"62\": \"山田太郎\"} のような JSON オブジェクトではありません");
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
    error->clear();
    return values;
}

std::unique_ptr<BatchRows> BatchRows::open(const QString& path, const ColumnIndex& columnIndex,
                                           QString* error) {
    std::unique_ptr<BatchRows> rows(new BatchRows);
    // Only a regular file: a FIFO or a device would block the reader or never end.
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("%1 は通常のファイルではありません。").arg(path);
        return nullptr;
    }
    rows->file_.setFileName(path);
    if (!rows->file_.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1 を読めません（%2）。").arg(path, rows->file_.errorString());
        return nullptr;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    rows->json_ = suffix == u"jsonl" || suffix == u"ndjson";
    if (rows->json_)
        return rows;

    QStringList headers;
    if (!rows->readRecord(headers, *error)) {
        if (error->isEmpty())
            *error =
                QStringLiteral("%1 は空です。1 行目に項目番号か項目名を並べてください。").arg(path);
        return nullptr;
    }
    bool any = false;
    for (const QString& header : headers) {
        const QString name = header.trimmed();
        std::optional<int> index = decimalIndex(name);
        if (!index && !name.isEmpty())
            index = columnIndex(name);
        if (!index && !name.isEmpty()) {
            *error = QStringLiteral("1 行目の「%1」はこの書類の項目ではありません。").arg(name);
            return nullptr;
        }
        any = any || index.has_value();
        rows->columns_ << index;
    }
    if (!any) {
        *error = QStringLiteral("1 行目に項目番号か項目名を並べてください。");
        return nullptr;
    }
    return rows;
}

bool BatchRows::readLine(QByteArray& line) {
    if (file_.atEnd())
        return false;
    // A line longer than the cap comes in pieces; count it once.
    if (lineEnded_)
        ++line_;
    line = file_.readLine(MaxRowBytes + 1);
    lineEnded_ = line.endsWith('\n');
    if (file_.pos() == line.size() && line.startsWith("\xEF\xBB\xBF"))
        line.remove(0, 3);
    return true;
}

bool BatchRows::readRecord(QStringList& fields, QString& error) {
    QByteArray bytes;
    QByteArray line;
    // Blank lines between records are no rows.
    do {
        if (!readLine(line))
            return false;
    } while (line.trimmed().isEmpty());
    recordLine_ = line_;
    bytes = line;
    // A quoted field may hold line breaks: read on while a quote is open.
    while (bytes.size() <= MaxRowBytes && bytes.count('"') % 2 != 0) {
        if (!readLine(line)) {
            error = QStringLiteral("引用符 \" が閉じていません");
            return true;
        }
        bytes += line;
    }
    if (bytes.size() > MaxRowBytes) {
        error = QStringLiteral("行が長すぎます（1 MiB まで）");
        while (!bytes.endsWith('\n') && readLine(bytes)) {
        }
        return true;
    }
    while (bytes.endsWith('\n') || bytes.endsWith('\r'))
        bytes.chop(1);
    fields = csvFields(QString::fromUtf8(bytes));
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
    return true;
}

bool BatchRows::nextJson(BatchRow& row) {
    QByteArray line;
    do {
        if (!readLine(line))
            return false;
    } while (line.trimmed().isEmpty());
    row.line = line_;
    if (line.size() > MaxRowBytes) {
        row.error = QStringLiteral("行が長すぎます（1 MiB まで）");
        while (!line.endsWith('\n') && readLine(line)) {
        }
        return true;
    }
    row.values = valuesFromJson(line, &row.error);
    return true;
}

} // namespace mivo

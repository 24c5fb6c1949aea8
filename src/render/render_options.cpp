#include "render/render_options.h"

#include "document/document_kind.h"
#include "document/field_store.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace mivo {
namespace {

using Output = RenderOptions::Output;

QString documentNames() {
    QStringList names;
    for (const DocumentInfo& info : documents())
        names << QStringLiteral("%1 (%2)").arg(info.title, QLatin1String(info.alias));
    return names.join(QStringLiteral(", "));
}

// A field index as written on the command line or in a --values file: decimal digits only.
std::optional<int> fieldIndex(const QString& text) {
    bool ok = false;
    const int index = text.toInt(&ok, 10);
    if (!ok || text.isEmpty() ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    return index;
}

QString readValuesFile(const QString& path, QMap<int, QString>& values) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("--values のファイル %1 を読めません（%2）。")
            .arg(path, file.errorString());
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !json.isObject()) {
        return QStringLiteral("--values のファイル %1 は {\"62\": \"山田太郎\"} のような JSON "
                              "オブジェクトではありません（%2）。")
            .arg(path, parseError.error != QJsonParseError::NoError
                           ? parseError.errorString()
                           : QStringLiteral("not an object"));
    }
    const QJsonObject object = json.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<int> index = fieldIndex(it.key());
        if (!index)
            return QStringLiteral("--values の項目番号 \"%1\" は数字ではありません。")
                .arg(it.key());
        if (!it.value().isString()) {
            return QStringLiteral("--values の項目 %1 の値は文字列にしてください（\"...\"）。")
                .arg(it.key());
        }
        values.insert(*index, it.value().toString());
    }
    return {};
}

QString checkIndices(const RenderOptions& options) {
    const DocumentInfo& doc = *options.document;
    for (auto it = options.values.begin(); it != options.values.end(); ++it) {
        const int index = it.key();
        if (!FieldStore::isIndex(index))
            return QStringLiteral("項目番号 %1 はありません。0 から 78 の番号を指定してください。")
                .arg(index);
        if (doc.fields.contains(index))
            continue;
        if (doc.fields.isEmpty()) {
            return QStringLiteral("%1 には項目番号で入力する欄がありません。--number と "
                                  "--left-map、--right-map を使ってください。")
                .arg(doc.title);
        }
        return QStringLiteral("項目番号 %1 は %2 の欄ではありません。%3 から %4 の番号を指定して"
                              "ください。")
            .arg(index)
            .arg(doc.title)
            .arg(doc.fields.first)
            .arg(doc.fields.last());
    }
    return {};
}

} // namespace

QString renderUsage() {
    return QStringLiteral(
               "使い方: mivo-render 書類 [--set 番号=値]... [--values 値.json] [--left-map 画像]\n"
               "                    [--right-map 画像] [--number 登録番号]\n"
               "                    (-o 出力.pdf | -o 出力.png [--dpi 解像度] | --print | "
               "--trace)\n"
               "        mivo-render --list\n"
               "書類: %1\n")
        .arg(documentNames());
}

ParsedOptions parseRenderOptions(const QStringList& arguments) {
    ParsedOptions parsed;
    RenderOptions& o = parsed.options;
    QMap<int, QString> fromFile;
    QMap<int, QString> fromSet;
    QStringList positional;
    bool dpiGiven = false;

    const auto fail = [&](const QString& message) {
        parsed.error = message;
        return parsed;
    };
    const auto setOutput = [&](Output output) {
        if (o.output != Output::None)
            return false;
        o.output = output;
        return true;
    };
    const QString twoOutputs =
        QStringLiteral("出力は -o、--print、--trace のどれか一つにしてください。");

    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const bool takesValue = arg == u"--set" || arg == u"--values" || arg == u"--left-map" ||
                                arg == u"--right-map" || arg == u"--number" || arg == u"-o" ||
                                arg == u"--dpi";
        if (takesValue && i + 1 >= arguments.size())
            return fail(QStringLiteral("%1 のあとに値を指定してください。").arg(arg));
        const QString value = takesValue ? arguments[++i] : QString();

        if (arg == u"--set") {
            const qsizetype equals = value.indexOf(u'=');
            const std::optional<int> index =
                equals > 0 ? fieldIndex(value.left(equals)) : std::nullopt;
            if (!index) {
                return fail(QStringLiteral("--set %1 は「番号=値」の形ではありません（例: --set "
                                           "62=山田太郎）。")
                                .arg(value));
            }
            fromSet.insert(*index, value.mid(equals + 1));
        } else if (arg == u"--values") {
            const QString error = readValuesFile(value, fromFile);
            if (!error.isEmpty())
                return fail(error);
        } else if (arg == u"--left-map") {
            o.leftMap = value;
        } else if (arg == u"--right-map") {
            o.rightMap = value;
        } else if (arg == u"--number") {
            o.number = value;
        } else if (arg == u"-o") {
            const QString suffix = QFileInfo(value).suffix().toLower();
            const Output output = suffix == u"pdf"   ? Output::Pdf
                                  : suffix == u"png" ? Output::Png
                                                     : Output::None;
            if (output == Output::None) {
                return fail(
                    QStringLiteral("出力ファイル %1 の拡張子は .pdf か .png にしてください。")
                        .arg(value));
            }
            if (!setOutput(output))
                return fail(twoOutputs);
            o.outputPath = value;
        } else if (arg == u"--dpi") {
            bool ok = false;
            o.dpi = value.toInt(&ok);
            if (!ok || o.dpi < 10 || o.dpi > 1200)
                return fail(QStringLiteral("--dpi は 10 から 1200 の数にしてください。"));
            dpiGiven = true;
        } else if (arg == u"--print") {
            if (!setOutput(Output::Printer))
                return fail(twoOutputs);
        } else if (arg == u"--trace") {
            if (!setOutput(Output::Trace))
                return fail(twoOutputs);
        } else if (arg == u"--list") {
            if (!setOutput(Output::List))
                return fail(twoOutputs);
        } else if (arg.startsWith(u'-') && arg.size() > 1) {
            return fail(QStringLiteral("%1 という指定はありません。\n%2").arg(arg, renderUsage()));
        } else {
            positional << arg;
        }
    }

    if (o.output == Output::List)
        return positional.isEmpty() ? parsed : fail(renderUsage());
    if (positional.size() != 1) {
        return fail(
            positional.isEmpty()
                ? QStringLiteral("書類を指定してください。\n%1").arg(renderUsage())
                : QStringLiteral("書類は一つだけ指定してください。\n%1").arg(renderUsage()));
    }
    o.document = findDocument(positional.first());
    if (!o.document) {
        return fail(QStringLiteral("「%1」という書類はありません。次のどれかを指定してください: %2")
                        .arg(positional.first(), documentNames()));
    }
    if (o.output == Output::None)
        return fail(QStringLiteral("出力を -o、--print、--trace のどれかで指定してください。"));
    if (dpiGiven && o.output != Output::Png)
        return fail(QStringLiteral("--dpi は PNG に出力するときだけ指定できます。"));

    o.values = fromFile;
    for (auto it = fromSet.begin(); it != fromSet.end(); ++it)
        o.values.insert(it.key(), it.value());
    if (const QString error = checkIndices(o); !error.isEmpty())
        return fail(error);

    const bool drawing = o.document->title == DocumentKind::LayoutDrawing;
    if (!drawing && (!o.leftMap.isEmpty() || !o.rightMap.isEmpty() || o.number)) {
        return fail(
            QStringLiteral("--left-map、--right-map、--number は保管場所配置図だけに使えます。"));
    }
    return parsed;
}

} // namespace mivo

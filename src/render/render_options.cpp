#include "render/render_options.h"

#include "document/document_kind.h"
#include "document/field_store.h"

#include <QCommandLineParser>
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

ParsedOptions parseRenderOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("書類を一枚のページとして PDF、PNG、プリンター、描画の記録に出力します。\n"
                       "書類: %1")
            .arg(documentNames()));
    parser.addPositionalArgument(QStringLiteral("書類"), QStringLiteral("書類の名前か英字名"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption set(QStringLiteral("set"),
                                 QStringLiteral("項目に値を入れます（例: --set 62=山田太郎）。"),
                                 QStringLiteral("番号=値"));
    const QCommandLineOption valuesFile(QStringLiteral("values"),
                                        QStringLiteral("項目の値を JSON ファイルから読みます。"),
                                        QStringLiteral("値.json"));
    const QCommandLineOption fromCase(
        QStringLiteral("case"),
        QStringLiteral("保存された案件の値と地図を使います（--set などが優先）。"),
        QStringLiteral("番号か名前"));
    const QCommandLineOption database(
        QStringLiteral("database"),
        QStringLiteral(
            "--case の案件のデータベース: SQLite のファイルか PostgreSQL の接続文字列。"),
        QStringLiteral("ファイルか接続文字列"));
    const QCommandLineOption leftMap(QStringLiteral("left-map"),
                                     QStringLiteral("保管場所配置図の所在図の画像。"),
                                     QStringLiteral("画像"));
    const QCommandLineOption rightMap(QStringLiteral("right-map"),
                                      QStringLiteral("保管場所配置図の配置図の画像。"),
                                      QStringLiteral("画像"));
    const QCommandLineOption number(QStringLiteral("number"),
                                    QStringLiteral("保管場所配置図の登録番号。"),
                                    QStringLiteral("登録番号"));
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("PDF（.pdf）か PNG（.png）のファイルに出力します。"),
        QStringLiteral("ファイル"));
    const QCommandLineOption dpi(QStringLiteral("dpi"),
                                 QStringLiteral("PNG の解像度（10 から 1200、既定は 150）。"),
                                 QStringLiteral("解像度"));
    const QCommandLineOption print(QStringLiteral("print"),
                                   QStringLiteral("既定のプリンターで印刷します。"));
    const QCommandLineOption trace(QStringLiteral("trace"),
                                   QStringLiteral("描画の操作を一行ずつ JSON で出力します。"));
    const QCommandLineOption list(
        QStringLiteral("list"), QStringLiteral("書類と項目番号、画面の見出しと欄を一覧にします。"));
    parser.addOptions({set, valuesFile, fromCase, database, leftMap, rightMap, number, output, dpi,
                       print, trace, list});

    ParsedOptions parsed;
    RenderOptions& o = parsed.options;
    const auto fail = [&](const QString& message) {
        parsed.error = message + QStringLiteral("\n使い方は mivo-render --help で表示します。");
        return parsed;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help))
        parser.showHelp();
    if (parser.isSet(version))
        parser.showVersion();

    const int outputs = int(parser.values(output).size()) + parser.isSet(print) +
                        parser.isSet(trace) + parser.isSet(list);
    if (outputs > 1)
        return fail(
            QStringLiteral("出力は -o、--print、--trace、--list のどれか一つにしてください。"));
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(list)) {
        o.output = Output::List;
        return positional.isEmpty() ? parsed
                                    : fail(QStringLiteral("--list には書類を指定しません。"));
    }
    if (positional.size() != 1) {
        return fail(positional.isEmpty() ? QStringLiteral("書類を指定してください。")
                                         : QStringLiteral("書類は一つだけ指定してください。"));
    }
    o.document = findDocument(positional.first());
    if (!o.document) {
        return fail(QStringLiteral("「%1」という書類はありません。次のどれかを指定してください: %2")
                        .arg(positional.first(), documentNames()));
    }

    if (parser.isSet(output)) {
        o.outputPath = parser.value(output);
        const QString suffix = QFileInfo(o.outputPath).suffix().toLower();
        o.output = suffix == u"pdf" ? Output::Pdf : suffix == u"png" ? Output::Png : Output::None;
        if (o.output == Output::None) {
            return fail(QStringLiteral("出力ファイル %1 の拡張子は .pdf か .png にしてください。")
                            .arg(o.outputPath));
        }
    } else if (parser.isSet(print)) {
        o.output = Output::Printer;
    } else if (parser.isSet(trace)) {
        o.output = Output::Trace;
    } else {
        return fail(QStringLiteral("出力を -o、--print、--trace のどれかで指定してください。"));
    }
    if (parser.isSet(dpi)) {
        if (o.output != Output::Png)
            return fail(QStringLiteral("--dpi は PNG に出力するときだけ指定できます。"));
        bool ok = false;
        o.dpi = parser.value(dpi).toInt(&ok);
        if (!ok || o.dpi < 10 || o.dpi > 1200)
            return fail(QStringLiteral("--dpi は 10 から 1200 の数にしてください。"));
    }

    o.fromCase = parser.value(fromCase);
    o.database = parser.value(database);
    if (parser.isSet(database) && !parser.isSet(fromCase))
        return fail(QStringLiteral("--database は --case と一緒に指定してください。"));
    if (parser.isSet(fromCase) && o.fromCase.trimmed().isEmpty())
        return fail(QStringLiteral("--case には案件の番号か名前を指定してください。"));

    // --set wins over --values.
    if (parser.isSet(valuesFile)) {
        if (const QString error = readValuesFile(parser.value(valuesFile), o.values);
            !error.isEmpty())
            return fail(error);
    }
    for (const QString& pair : parser.values(set)) {
        const qsizetype equals = pair.indexOf(u'=');
        const std::optional<int> index = equals > 0 ? fieldIndex(pair.left(equals)) : std::nullopt;
        if (!index) {
            return fail(QStringLiteral(
                            "--set %1 は「番号=値」の形ではありません（例: --set 62=山田太郎）。")
                            .arg(pair));
        }
        o.values.insert(*index, pair.mid(equals + 1));
    }
    if (const QString error = checkIndices(o); !error.isEmpty())
        return fail(error);

    o.leftMap = parser.value(leftMap);
    o.rightMap = parser.value(rightMap);
    if (parser.isSet(number))
        o.number = parser.value(number);
    const bool drawing = o.document->title == DocumentKind::LayoutDrawing;
    if (!drawing && (parser.isSet(leftMap) || parser.isSet(rightMap) || parser.isSet(number))) {
        return fail(
            QStringLiteral("--left-map、--right-map、--number は保管場所配置図だけに使えます。"));
    }
    return parsed;
}

} // namespace mivo

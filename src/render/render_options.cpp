#include "render/render_options.h"

#include "document/document_kind.h"
#include "document/field_store.h"
#include "document/regular_file.h"
#include "print/output.h"
#include "render/argument_text.h"
#include "render/batch_rows.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

namespace mivo {
namespace {

using Out = RenderOptions::Output;

QString documentNames() {
    QStringList names;
    for (const DocumentInfo& info : documents())
        names << QStringLiteral("%1 (%2)").arg(info.title, QLatin1String(info.alias));
    return names.join(QStringLiteral(", "));
}

// A field index as written on the command line: decimal digits only.
std::optional<int> fieldIndex(const QString& text) {
    bool ok = false;
    const int index = text.toInt(&ok, 10);
    if (!ok || text.isEmpty() ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    return index;
}

QString readValuesFile(const QByteArray& path, QMap<int, QString>& values) {
    const FileContents file = readRegularFile(path, kValuesFileLimit);
    if (!file.ok())
        return QStringLiteral("--values: %1").arg(file.error);
    QString error;
    values = valuesFromJson(file.data, &error);
    if (!error.isEmpty()) {
        return QStringLiteral("--values のファイル「%1」: %2。")
            .arg(QFileInfo(QFile::decodeName(path)).fileName(), error);
    }
    return {};
}

} // namespace

Destination destinationFor(const RenderOptions& options, const QString& path) {
    switch (options.output) {
    case Out::Pdf:
        return Destination::pdf(argumentBytes(path));
    case Out::Png:
        return Destination::image(argumentBytes(path), "PNG", options.dpi);
    default:
        return Destination::defaultPrinter();
    }
}

QString checkIndices(const QList<const DocumentInfo*>& documents,
                     const QMap<int, QString>& values) {
    for (auto it = values.begin(); it != values.end(); ++it) {
        const int index = it.key();
        if (!FieldStore::isIndex(index))
            return QStringLiteral("項目番号 %1 はありません。0 から 78 の番号を指定してください。")
                .arg(index);
        if (std::ranges::any_of(documents,
                                [&](const DocumentInfo* d) { return d->fields.contains(index); }))
            continue;
        if (documents.size() > 1) {
            QStringList titles;
            for (const DocumentInfo* d : documents)
                titles << d->title;
            return QStringLiteral("項目番号 %1 は %2 のどの欄でもありません。")
                .arg(index)
                .arg(titles.join(u'、'));
        }
        const DocumentInfo& doc = *documents.first();
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

ParsedOptions parseRenderOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("書類を一枚のページとして PDF、PNG、プリンター、描画の記録に出力します。\n"
                       "書類: %1")
            .arg(documentNames()));
    parser.addPositionalArgument(QStringLiteral("書類"),
                                 QStringLiteral("書類の名前か英字名。いくつか並べると一つの PDF に"
                                                "一ページずつ出力します。"),
                                 QStringLiteral("書類..."));
    // Qt's own help option describes itself in English whatever the translation.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("この使い方を表示します。"));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption set(QStringLiteral("set"),
                                 QStringLiteral("項目に値を入れます（例: --set 62=山田太郎）。"),
                                 QStringLiteral("番号=値"));
    const QCommandLineOption valuesFile(QStringLiteral("values"),
                                        QStringLiteral("項目の値を JSON ファイルから読みます。"),
                                        QStringLiteral("値.json"));
    const QCommandLineOption leftMap(QStringLiteral("left-map"),
                                     QStringLiteral("保管場所配置図の所在図の画像。"),
                                     QStringLiteral("画像"));
    const QCommandLineOption rightMap(QStringLiteral("right-map"),
                                      QStringLiteral("保管場所配置図の配置図の画像。"),
                                      QStringLiteral("画像"));
    const QCommandLineOption number(QStringLiteral("number"),
                                    QStringLiteral("保管場所配置図の登録番号。"),
                                    QStringLiteral("登録番号"));
    const QCommandLineOption fitMaps(
        QStringLiteral("fit-maps"),
        QStringLiteral("枠より大きい地図を縦横の比を保ったまま枠に合わせて縮小します。"));
    const QCommandLineOption location(
        QStringLiteral("location"),
        QStringLiteral("保管場所配置図の所在図: 地図の画像と二つの位置、距離の JSON ファイル。"),
        QStringLiteral("所在図.json"));
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
    const QCommandLineOption caseRef(QStringLiteral("case"),
                                     QStringLiteral("保存された案件の値で書類を作ります。"),
                                     QStringLiteral("番号か名前"));
    const QCommandLineOption database(
        QStringLiteral("database"),
        QStringLiteral(
            "--case の案件のデータベース: SQLite のファイルか PostgreSQL の接続文字列。"),
        QStringLiteral("ファイルか接続文字列"));
    const QCommandLineOption all(
        QStringLiteral("all"), QStringLiteral("--case の案件の、値のある書類をすべて出力します。"));
    const QCommandLineOption batch(
        QStringLiteral("batch"),
        QStringLiteral("CSV か JSON Lines（.jsonl）の一行を一ページにします。-o に {n} を入れると"
                       "一行ごとのファイルになります。"),
        QStringLiteral("ファイル"));
    const QCommandLineOption keepGoing(
        QStringLiteral("keep-going"),
        QStringLiteral("--batch の誤りのある行を飛ばして続け、最後に失敗で終わります。"));
    const QCommandLineOption progress(
        QStringLiteral("progress"),
        QStringLiteral("--batch の進み具合を、端末でない標準エラーにも出します。"));
    parser.addOptions({set, valuesFile, leftMap, rightMap, number, fitMaps, location, output, dpi,
                       print, trace, list, caseRef, database, all, batch, keepGoing, progress});

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
        o.output = Out::List;
        return positional.isEmpty() ? parsed
                                    : fail(QStringLiteral("--list には書類を指定しません。"));
    }

    o.caseRef = argumentValue(parser.value(caseRef));
    o.database = argumentValue(parser.value(database));
    o.allOfCase = parser.isSet(all);
    o.batch = QFile::decodeName(argumentBytes(parser.value(batch)));
    o.keepGoing = parser.isSet(keepGoing);
    o.progress = parser.isSet(progress);
    if (o.allOfCase && o.caseRef.isEmpty())
        return fail(QStringLiteral("--all は --case と一緒に指定してください。"));
    if (parser.isSet(database) && o.caseRef.isEmpty())
        return fail(QStringLiteral("--database は --case と一緒に指定してください。"));
    if (o.allOfCase != positional.isEmpty()) {
        if (o.allOfCase)
            return fail(QStringLiteral("--all のときは書類を指定しません。"));
        return fail(QStringLiteral("書類を指定してください。"));
    }
    for (const QString& argument : positional) {
        const QString name = argumentValue(argument);
        const DocumentInfo* document = findDocument(name);
        if (!document) {
            return fail(
                QStringLiteral("「%1」という書類はありません。次のどれかを指定してください: %2")
                    .arg(name, documentNames()));
        }
        o.documents << document;
    }
    if (!o.batch.isEmpty()) {
        if (o.documents.size() != 1 || !o.caseRef.isEmpty())
            return fail(QStringLiteral("--batch には書類を一つだけ指定し、--case は使いません。"));
    } else if (o.keepGoing || o.progress) {
        return fail(
            QStringLiteral("--keep-going と --progress は --batch と一緒に指定してください。"));
    }

    if (parser.isSet(output)) {
        o.outputPath = parser.value(output);
        const QString shown = QFile::decodeName(argumentBytes(o.outputPath));
        const QString suffix = QFileInfo(shown).suffix().toLower();
        o.output = suffix == u"pdf" ? Out::Pdf : suffix == u"png" ? Out::Png : Out::None;
        if (o.output == Out::None) {
            return fail(QStringLiteral("出力ファイル %1 の拡張子は .pdf か .png にしてください。")
                            .arg(shown));
        }
    } else if (parser.isSet(print)) {
        o.output = Out::Printer;
    } else if (parser.isSet(trace)) {
        o.output = Out::Trace;
    } else {
        return fail(QStringLiteral("出力を -o、--print、--trace のどれかで指定してください。"));
    }
    const bool perRow = o.outputPath.contains(QLatin1String("{n}"));
    if (!o.batch.isEmpty() && o.output != Out::Pdf && !perRow)
        return fail(QStringLiteral("--batch の出力は -o で、PDF 一つか {n} を入れた名前にしてくださ"
                                   "い（例: -o 'out/{n}.pdf'）。"));
    if (perRow && o.batch.isEmpty())
        return fail(QStringLiteral("-o の {n} は --batch のときだけ使えます。"));
    if (o.output == Out::Png && !perRow && (o.documents.size() > 1 || o.allOfCase))
        return fail(QStringLiteral("PNG には書類を一つだけ出力できます。PDF にしてください。"));
    if (parser.isSet(dpi)) {
        if (o.output != Out::Png)
            return fail(QStringLiteral("--dpi は PNG に出力するときだけ指定できます。"));
        bool ok = false;
        o.dpi = parser.value(dpi).toInt(&ok);
        if (!ok || o.dpi < 10 || o.dpi > 1200)
            return fail(QStringLiteral("--dpi は 10 から 1200 の数にしてください。"));
    }

    // --set wins over --values.
    if (parser.isSet(valuesFile)) {
        if (const QString error = readValuesFile(argumentBytes(parser.value(valuesFile)), o.values);
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
        o.values.insert(*index, argumentValue(pair.mid(equals + 1)));
    }
    if (!o.allOfCase) {
        if (const QString error = checkIndices(o.documents, o.values); !error.isEmpty())
            return fail(error);
    }

    o.leftMap = argumentBytes(parser.value(leftMap));
    o.rightMap = argumentBytes(parser.value(rightMap));
    if (parser.isSet(number))
        o.number = argumentValue(parser.value(number));
    o.fitMaps = parser.isSet(fitMaps);
    o.location = argumentBytes(parser.value(location));
    if (parser.isSet(location) && parser.isSet(leftMap))
        return fail(QStringLiteral("--location のファイルが所在図の画像を指定します。--left-map "
                                   "と一緒には使えません。"));
    const bool drawing = o.allOfCase || std::ranges::any_of(o.documents, [](const DocumentInfo* d) {
                             return d->kind == DocumentKind::LayoutDrawing;
                         });
    if (!drawing && (parser.isSet(leftMap) || parser.isSet(rightMap) || parser.isSet(number) ||
                     o.fitMaps || parser.isSet(location))) {
        return fail(QStringLiteral("--left-map、--right-map、--number、--fit-maps、--location は"
                                   "保管場所配置図だけに使えます。"));
    }
    return parsed;
}

} // namespace mivo

#include "render/render_options.h"

#include "document/document_kind.h"
#include "document/field_store.h"
#include "document/field_value.h"
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

// Every option, in the order --help lists them; the checks below find them by name.
struct OptionRow {
    const char* name;
    const char* shortName;     // or nullptr
    const char16_t* text;      // what --help says
    const char16_t* valueName; // nullptr for a switch
};

// clang-format off
constexpr OptionRow kOptions[] = {
    {"set", nullptr, u"項目に値を入れます（例: --set 62=山田太郎）。", u"番号=値"},
    {"values", nullptr, u"項目の値を JSON ファイルから読みます。", u"値.json"},
    {"left-map", nullptr, u"保管場所配置図の所在図の画像。", u"画像"},
    {"right-map", nullptr, u"保管場所配置図の配置図の画像。", u"画像"},
    {"layout", nullptr, u"保管場所配置図の配置図を、描いた配置図のファイル（JSON）から印刷します。",
     u"配置図.json"},
    {"number", nullptr, u"保管場所配置図の登録番号。", u"登録番号"},
    {"fit-maps", nullptr, u"枠より大きい地図を縦横の比を保ったまま枠に合わせて縮小します。", nullptr},
    {"location", nullptr, u"保管場所配置図の所在図: 地図の画像と二つの位置、距離の JSON ファイル。",
     u"所在図.json"},
    {"fetch-map", nullptr,
     u"--location の二つの位置の緯度経度から、所在図の地図を地理院タイルから取得します"
     u"（ネットワークを使います）。", nullptr},
    {"tiles", nullptr, u"--fetch-map の地図タイルのアドレス（{z}/{x}/{y} を含む）。", u"URL"},
    {"geocoder", nullptr,
     u"--fetch-map で緯度経度のない位置を --case の住所から探す住所検索のアドレス。", u"URL"},
    {"output", "o", u"PDF（.pdf）か PNG（.png）のファイルに出力します。", u"ファイル"},
    {"dpi", nullptr, u"PNG の解像度（10 から 1200、既定は 150）。", u"解像度"},
    {"print", nullptr, u"既定のプリンターで印刷します。", nullptr},
    {"trace", nullptr, u"描画の操作を一行ずつ JSON で出力します。", nullptr},
    {"list", nullptr, u"書類と項目番号、画面の見出しと欄を一覧にします。", nullptr},
    {"case", nullptr, u"保存された案件の値で書類を作ります。", u"番号か名前"},
    {"database", nullptr,
     u"--case の案件のデータベース: SQLite のファイルか PostgreSQL の接続文字列。",
     u"ファイルか接続文字列"},
    {"all", nullptr, u"--case の案件の、値のある書類をすべて出力します。", nullptr},
    {"batch", nullptr,
     u"CSV か JSON Lines（.jsonl）の一行を一ページにします。-o に {n} を入れると"
     u"一行ごとのファイルになります。",
     u"ファイル"},
    {"keep-going", nullptr, u"--batch の誤りのある行を飛ばして続け、最後に失敗で終わります。",
     nullptr},
    {"progress", nullptr, u"--batch の進み具合を、端末でない標準エラーにも出します。", nullptr},
    {"encoding", nullptr,
     u"--batch の CSV の文字コード: utf-8 か cp932（Shift_JIS）。既定では UTF-8 で"
     u"読めないファイルを cp932 として読みます。",
     u"文字コード"},
    {"strict", nullptr,
     u"疑わしい値や欄に入りきらない値、配置図に足りないものがあれば、出力せずに失敗で終わります"
     u"（空欄は知らせるだけです）。",
     nullptr},
};
// clang-format on

QCommandLineOption optionOf(const OptionRow& row) {
    QStringList names{QLatin1StringView(row.name)};
    if (row.shortName)
        names.prepend(QLatin1StringView(row.shortName));
    return row.valueName ? QCommandLineOption(names, QString::fromUtf16(row.text),
                                              QString::fromUtf16(row.valueName))
                         : QCommandLineOption(names, QString::fromUtf16(row.text));
}

// One check per concern: each reads its options into `o`, or says what is wrong.
using Check = QString (*)(const QCommandLineParser& given, RenderOptions& o);

QString readCaseAndBatch(const QCommandLineParser& given, RenderOptions& o) {
    o.caseRef = argumentValue(given.value(QStringLiteral("case")));
    o.database = argumentValue(given.value(QStringLiteral("database")));
    o.allOfCase = given.isSet(QStringLiteral("all"));
    o.batch = QFile::decodeName(argumentBytes(given.value(QStringLiteral("batch"))));
    o.keepGoing = given.isSet(QStringLiteral("keep-going"));
    o.progress = given.isSet(QStringLiteral("progress"));
    o.strict = given.isSet(QStringLiteral("strict"));
    if (o.allOfCase && o.caseRef.isEmpty())
        return QStringLiteral("--all は --case と一緒に指定してください。");
    if (given.isSet(QStringLiteral("database")) && o.caseRef.isEmpty())
        return QStringLiteral("--database は --case と一緒に指定してください。");
    const QStringList positional = given.positionalArguments();
    if (o.allOfCase != positional.isEmpty()) {
        return o.allOfCase ? QStringLiteral("--all のときは書類を指定しません。")
                           : QStringLiteral("書類を指定してください。");
    }
    for (const QString& argument : positional) {
        const QString name = argumentValue(argument);
        const DocumentInfo* document = findDocument(name);
        if (!document) {
            return QStringLiteral("「%1」という書類はありません。次のどれかを指定してください: %2")
                .arg(name, documentNames());
        }
        o.documents << document;
    }
    if (!o.batch.isEmpty()) {
        if (o.documents.size() != 1 || !o.caseRef.isEmpty())
            return QStringLiteral("--batch には書類を一つだけ指定し、--case は使いません。");
    } else if (o.keepGoing || o.progress || given.isSet(QStringLiteral("encoding"))) {
        return QStringLiteral(
            "--keep-going、--progress、--encoding は --batch と一緒に指定してください。");
    }
    if (given.isSet(QStringLiteral("encoding"))) {
        const std::optional<CsvEncoding> named =
            csvEncodingNamed(given.value(QStringLiteral("encoding")));
        if (!named)
            return QStringLiteral("--encoding は utf-8 か cp932 にしてください。");
        o.encoding = *named;
    }
    return {};
}

QString readOutput(const QCommandLineParser& given, RenderOptions& o) {
    if (given.isSet(QStringLiteral("output"))) {
        o.outputPath = given.value(QStringLiteral("output"));
        const QString shown = QFile::decodeName(argumentBytes(o.outputPath));
        const QString suffix = QFileInfo(shown).suffix().toLower();
        o.output = suffix == u"pdf" ? Out::Pdf : suffix == u"png" ? Out::Png : Out::None;
        if (o.output == Out::None)
            return QStringLiteral("出力ファイル %1 の拡張子は .pdf か .png にしてください。")
                .arg(shown);
    } else if (given.isSet(QStringLiteral("print"))) {
        o.output = Out::Printer;
    } else if (given.isSet(QStringLiteral("trace"))) {
        o.output = Out::Trace;
    } else {
        return QStringLiteral("出力を -o、--print、--trace のどれかで指定してください。");
    }
    const bool perRow = o.outputPath.contains(QLatin1String("{n}"));
    if (!o.batch.isEmpty() && o.output != Out::Pdf && !perRow)
        return QStringLiteral("--batch の出力は -o で、PDF 一つか {n} を入れた名前にしてくださ"
                              "い（例: -o 'out/{n}.pdf'）。");
    if (perRow && o.batch.isEmpty())
        return QStringLiteral("-o の {n} は --batch のときだけ使えます。");
    if (o.output == Out::Png && !perRow && (o.documents.size() > 1 || o.allOfCase))
        return QStringLiteral("PNG には書類を一つだけ出力できます。PDF にしてください。");
    if (given.isSet(QStringLiteral("dpi"))) {
        if (o.output != Out::Png)
            return QStringLiteral("--dpi は PNG に出力するときだけ指定できます。");
        bool ok = false;
        o.dpi = given.value(QStringLiteral("dpi")).toInt(&ok);
        if (!ok || o.dpi < 10 || o.dpi > 1200)
            return QStringLiteral("--dpi は 10 から 1200 の数にしてください。");
    }
    return {};
}

QString readValues(const QCommandLineParser& given, RenderOptions& o) {
    // --set wins over --values.
    if (given.isSet(QStringLiteral("values"))) {
        const QString error =
            readValuesFile(argumentBytes(given.value(QStringLiteral("values"))), o.values);
        if (!error.isEmpty())
            return error;
    }
    for (const QString& pair : given.values(QStringLiteral("set"))) {
        const qsizetype equals = pair.indexOf(u'=');
        const std::optional<int> index = equals > 0 ? fieldIndex(pair.left(equals)) : std::nullopt;
        if (!index) {
            // The value is not repeated: it may be a name or an address.
            return QStringLiteral(
                "--set は「番号=値」の形にしてください（例: --set 62=山田太郎）。");
        }
        o.values.insert(*index, argumentValue(pair.mid(equals + 1)));
    }
    if (const QString error = valuesProblem(o.values); !error.isEmpty())
        return error + u'。';
    return o.allOfCase ? QString() : checkIndices(o.documents, o.values);
}

QString readDrawing(const QCommandLineParser& given, RenderOptions& o) {
    o.leftMap = argumentBytes(given.value(QStringLiteral("left-map")));
    o.rightMap = argumentBytes(given.value(QStringLiteral("right-map")));
    o.layoutPlan = argumentBytes(given.value(QStringLiteral("layout")));
    if (given.isSet(QStringLiteral("right-map")) && given.isSet(QStringLiteral("layout")))
        return QStringLiteral("--right-map と --layout はどちらか一つにしてください。");
    if (given.isSet(QStringLiteral("number")))
        o.number = argumentValue(given.value(QStringLiteral("number")));
    o.fitMaps = given.isSet(QStringLiteral("fit-maps"));
    o.location = argumentBytes(given.value(QStringLiteral("location")));
    if (given.isSet(QStringLiteral("location")) && given.isSet(QStringLiteral("left-map")))
        return QStringLiteral("--location のファイルが所在図の画像を指定します。--left-map と一緒"
                              "には使えません。");
    o.fetchMap = given.isSet(QStringLiteral("fetch-map"));
    o.tiles = argumentValue(given.value(QStringLiteral("tiles")));
    o.geocoder = argumentValue(given.value(QStringLiteral("geocoder")));
    if (given.isSet(QStringLiteral("geocoder")) && (!o.fetchMap || o.geocoder.isEmpty()))
        return QStringLiteral("--geocoder は --fetch-map と一緒に、住所検索のアドレスで指定して"
                              "ください。");
    if (o.fetchMap && o.location.isEmpty())
        return QStringLiteral("--fetch-map は --location と一緒に指定してください。");
    if (given.isSet(QStringLiteral("tiles")) &&
        (!o.fetchMap || !o.tiles.contains(QLatin1String("{z}")) ||
         !o.tiles.contains(QLatin1String("{x}")) || !o.tiles.contains(QLatin1String("{y}"))))
        return QStringLiteral("--tiles は --fetch-map と一緒に、{z}、{x}、{y} を含むアドレスで"
                              "指定してください。");
    const bool drawing = o.allOfCase || std::ranges::any_of(o.documents, [](const DocumentInfo* d) {
                             return d->kind == DocumentKind::LayoutDrawing;
                         });
    constexpr const char* kDrawingOptions[] = {"left-map", "right-map", "layout",
                                               "number",   "fit-maps",  "location"};
    const bool drawingOptions = std::ranges::any_of(
        kDrawingOptions, [&](const char* name) { return given.isSet(QLatin1StringView(name)); });
    if (!drawing && drawingOptions)
        return QStringLiteral(
            "--left-map、--right-map、--layout、--number、--fit-maps、--location は"
            "保管場所配置図だけに使えます。");
    return {};
}

// In this order: what later checks read (the documents, the batch) comes first.
constexpr Check kChecks[] = {readCaseAndBatch, readOutput, readValues, readDrawing};

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
    for (const OptionRow& row : kOptions)
        parser.addOption(optionOf(row));

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

    const int outputs = int(parser.values(QStringLiteral("output")).size()) +
                        parser.isSet(QStringLiteral("print")) +
                        parser.isSet(QStringLiteral("trace")) +
                        parser.isSet(QStringLiteral("list"));
    if (outputs > 1)
        return fail(
            QStringLiteral("出力は -o、--print、--trace、--list のどれか一つにしてください。"));
    if (parser.isSet(QStringLiteral("list"))) {
        o.output = Out::List;
        return parser.positionalArguments().isEmpty()
                   ? parsed
                   : fail(QStringLiteral("--list には書類を指定しません。"));
    }
    for (const Check check : kChecks) {
        if (const QString error = check(parser, o); !error.isEmpty())
            return fail(error);
    }
    return parsed;
}

} // namespace mivo

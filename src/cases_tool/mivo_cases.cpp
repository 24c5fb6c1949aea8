// mivo-cases: the stored cases from the command line: list, show, import, export, delete.

#include "cases/case_database.h"
#include "cases/case_document.h"
#include "cases/case_store.h"
#include "cases_tool/mivo_cases_json.h"
#include "document/csv_encoding.h"
#include "document/file_output.h"
#include "document/regular_file.h"
#include "mivo_version.h"
#include "particulars/certificate_import.h"
#include "programs/qt_texts.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonDocument>
#include <QStringEncoder>

#include <algorithm>
#include <cstdio>

using namespace mivo;

namespace {

void write(FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int failure(const QString& message) {
    write(stderr, message.toUtf8() + '\n');
    return 1;
}

// One line of `list`: tabs and line breaks inside a name would split it.
QString cell(QString text) {
    return text.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
}

int list(CaseStore& store) {
    const QList<CaseSummary> cases = store.list();
    if (!store.error().isEmpty())
        return failure(store.error());
    for (const CaseSummary& c : cases) {
        write(stdout, QStringLiteral("%1\t%2\t%3\t%4\n")
                          .arg(c.id)
                          .arg(cell(c.name),
                               c.changed.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                               c.documents.join(u'、'))
                          .toUtf8());
    }
    return 0;
}

// Writes one map beside the JSON; the file is its owner's alone, like the store.
QString writeMap(const QByteArray& bytes, const QDir& folder, const QString& stem, QString* error) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    const QString name = stem + u'.' + QString::fromLatin1(format.isEmpty() ? "bin" : format);
    const FileWrite written = writeWholeFile(QFile::encodeName(folder.filePath(name)), bytes);
    if (!written.ok()) {
        *error = written.error;
        return {};
    }
    return name;
}

int show(CaseStore& store, const QString& idOrName, const QString& mapsTo) {
    QString error;
    const std::optional<Case> c = findCase(store, idOrName, &error);
    if (!c)
        return failure(error);
    QJsonObject mapFiles;
    if (!mapsTo.isEmpty()) {
        const QDir folder(mapsTo);
        if (!folder.mkpath(QStringLiteral(".")))
            return failure(QStringLiteral("フォルダ %1 を作れません。").arg(mapsTo));
        for (const auto& [key, bytes] : {std::pair{QStringLiteral("location"), &c->locationMap},
                                         {QStringLiteral("layout"), &c->layoutMap}}) {
            if (bytes->isEmpty())
                continue;
            const QString name =
                writeMap(*bytes, folder, QStringLiteral("%1-%2").arg(c->id).arg(key), &error);
            if (name.isEmpty())
                return failure(error);
            mapFiles.insert(key, name);
        }
    }
    write(stdout, QJsonDocument(caseToJson(*c, mapFiles)).toJson());
    return 0;
}

// All the files or none, in one transaction; the new ids in the order of the files.
int import(CaseStore& store, const QStringList& paths) {
    QList<Case> cases;
    for (const QString& path : paths) {
        // A regular file of bounded size: /dev/zero or a FIFO is refused at once.
        const FileContents file = readRegularFile(QFile::encodeName(path), kCaseFileLimit);
        if (!file.ok())
            return failure(file.error);
        QString error;
        cases << caseFromJson(file.data, QFileInfo(path).absolutePath(), &error);
        if (!error.isEmpty())
            return failure(QStringLiteral("%1: %2").arg(path, error));
    }
    const QList<qint64> ids = store.saveAll(cases);
    if (ids.isEmpty())
        return failure(store.error());
    for (qint64 id : ids)
        write(stdout, QByteArray::number(id) + '\n');
    return 0;
}

// The export's values go into the particulars of the case `into` that are still empty, or of
// a new case; its id on standard output, what was read and what was not on standard error.
int importCertificate(CaseStore& store, const QString& path, const QString& into) {
    const CertificateImport imported = mivo::importCertificate(path);
    if (!imported.ok())
        return failure(imported.error);
    Case c;
    if (!into.isEmpty()) {
        QString error;
        const std::optional<Case> found = findCase(store, into, &error);
        if (!found)
            return failure(error);
        c = *found;
    }
    const QList<Particular> kept = imported.mergeInto(c.particulars);
    const CaseStore::Saved saved = store.save(c, false);
    if (!saved.ok)
        return failure(store.error());
    write(stdout, QByteArray::number(saved.id) + '\n');
    write(stderr, imported.summary(kept).toUtf8() + '\n');
    return 0;
}

// The register as CSV: UTF-8 with a byte-order mark, which spreadsheets in Japan open as
// such, or CP932 for older tools. Into `path` through the one file writer (mode 0600, whole or
// not at all), else to standard output.
int exportCsv(CaseStore& store, const QString& path, bool cp932) {
    const QList<CaseSummary> cases = store.list();
    if (!store.error().isEmpty())
        return failure(store.error());
    QStringEncoder encoder(cp932 ? "CP932" : "UTF-8", QStringConverter::Flag::Stateless);
    QByteArray csv = cp932 ? QByteArray() : QByteArray("\xEF\xBB\xBF");
    csv += encoder.encode(csvLine(registerHeader()));
    for (const CaseSummary& summary : cases) {
        const std::optional<Case> c = store.load(summary.id);
        if (!c)
            return failure(store.error());
        csv += encoder.encode(csvLine(registerRow(*c)));
        if (encoder.hasError())
            return failure(QStringLiteral("案件 %1 に CP932 で書けない文字があります。"
                                          "--encoding を付けずに UTF-8 で書き出してください。")
                               .arg(c->id));
        if (path.isEmpty() && csv.size() > 64 * 1024) {
            write(stdout, csv);
            csv.clear();
        }
    }
    if (path.isEmpty()) {
        write(stdout, csv);
        return 0;
    }
    const FileWrite written = writeWholeFile(QFile::encodeName(path), csv);
    return written.ok() ? 0 : failure(written.error);
}

int deleteCase(CaseStore& store, const QString& idText) {
    bool isId = false;
    const qint64 id = idText.toLongLong(&isId);
    if (!isId)
        return failure(QStringLiteral("削除する案件は番号で指定してください（mivo-cases list）。"));
    return store.remove(id) ? 0 : failure(store.error());
}

// What the options give the commands.
struct Options {
    QString mapsTo;
    QString into;
    QString output;
    bool cp932 = false;
};

// One command: its name, how many arguments follow it (the last may repeat when `repeats`),
// an option it cannot do without, its usage, and what runs it.
struct Command {
    const char* name;
    qsizetype arguments;
    bool repeats;
    const char* requiredOption;
    const char16_t* usage;
    int (*run)(CaseStore& store, const QStringList& arguments, const Options& options);
};

constexpr Command kCommands[] = {
    {"list", 0, false, nullptr, u"list",
     [](CaseStore& store, const QStringList&, const Options&) { return list(store); }},
    {"show", 1, false, nullptr, u"show ID [--maps-to フォルダ]",
     [](CaseStore& store, const QStringList& arguments, const Options& options) {
         return show(store, arguments[0], options.mapsTo);
     }},
    {"import", 1, true, nullptr, u"import FILE.json...",
     [](CaseStore& store, const QStringList& arguments, const Options&) {
         return import(store, arguments);
     }},
    {"import-certificate", 1, false, nullptr, u"import-certificate FILE.json [--into ID]",
     [](CaseStore& store, const QStringList& arguments, const Options& options) {
         return importCertificate(store, arguments[0], options.into);
     }},
    {"export", 0, false, "csv", u"export --csv [-o FILE] [--encoding cp932]",
     [](CaseStore& store, const QStringList&, const Options& options) {
         return exportCsv(store, options.output, options.cp932);
     }},
    {"delete", 1, false, nullptr, u"delete ID",
     [](CaseStore& store, const QStringList& arguments, const Options&) {
         return deleteCase(store, arguments[0]);
     }},
};

QString commandUsages() {
    QStringList usages;
    for (const Command& command : kCommands)
        usages << QString::fromUtf16(command.usage);
    return usages.join(QStringLiteral(" | "));
}

// The command the arguments name, when they are as many as it takes and its option is there.
const Command* chosenCommand(const QStringList& args, const QCommandLineParser& parser) {
    for (const Command& command : kCommands) {
        if (args.value(0) != QLatin1StringView(command.name))
            continue;
        const qsizetype given = args.size() - 1;
        const bool counted =
            command.repeats ? given >= command.arguments : given == command.arguments;
        const bool optioned =
            !command.requiredOption || parser.isSet(QLatin1StringView(command.requiredOption));
        return counted && optioned ? &command : nullptr;
    }
    return nullptr;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QLatin1String(kVersion));
    installJapaneseQtTexts(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("保存された案件の一覧、表示、取り込み、書き出し、削除"));
    // Qt's own help option describes itself in English whatever the translation.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("この使い方を表示します。"));
    parser.addOption(help);
    parser.addVersionOption();
    const QCommandLineOption database(
        QStringLiteral("database"),
        QStringLiteral("案件のデータベース: SQLite のファイル、または PostgreSQL の接続文字列"),
        QStringLiteral("ファイルか接続文字列"));
    const QCommandLineOption mapsTo(QStringLiteral("maps-to"),
                                    QStringLiteral("show: 地図の画像をこのフォルダに書く"),
                                    QStringLiteral("フォルダ"));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("export: CSV で書き出す"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("export: 標準出力でなくこのファイルに書く"),
                                    QStringLiteral("ファイル"));
    const QCommandLineOption encoding(
        QStringLiteral("encoding"),
        QStringLiteral("export: 文字コード。既定は BOM 付きの utf-8、古い表計算には cp932"),
        QStringLiteral("文字コード"));
    parser.addOptions({database, mapsTo, csv, output, encoding});
    const QCommandLineOption into(QStringLiteral("into"),
                                  QStringLiteral("import-certificate: この案件に読み込む"),
                                  QStringLiteral("ID"));
    parser.addOption(into);
    parser.addPositionalArgument(QStringLiteral("コマンド"), commandUsages());
    parser.process(app);
    if (parser.isSet(help))
        parser.showHelp();

    const QStringList args = parser.positionalArguments();
    const Command* command = chosenCommand(args, parser);
    const std::optional<CsvEncoding> encodingNamed = csvEncodingNamed(parser.value(encoding));
    const bool badEncoding = parser.isSet(encoding) && !encodingNamed;
    if (!command || badEncoding) {
        const bool known = std::ranges::any_of(kCommands, [&](const Command& c) {
            return args.value(0) == QLatin1StringView(c.name);
        });
        const QString why =
            args.isEmpty() ? QStringLiteral("コマンドを指定してください。\n")
            : !known ? QStringLiteral("「%1」というコマンドはありません。\n").arg(args[0])
            : badEncoding ? QStringLiteral("--encoding は utf-8 か cp932 にしてください。\n")
                          : QString();
        write(stderr,
              (why + QStringLiteral("使い方: mivo-cases [--database ファイルか接続文字列] %1\n")
                         .arg(commandUsages()))
                  .toUtf8());
        return 2;
    }

    const CaseDatabase where = parser.isSet(database)
                                   ? CaseDatabase::fromArgument(parser.value(database))
                                   : CaseDatabase::fromSettings();
    CaseStore store(where);
    if (!store.isOpen())
        return failure(store.error());

    return command->run(store, args.mid(1),
                        {parser.value(mapsTo), parser.value(into), parser.value(output),
                         encodingNamed == CsvEncoding::Cp932});
}

// mivo-cases: the stored cases from the command line: list, show, import, export, delete,
// restore.

#include "cases/case_correction.h"
#include "cases/case_database.h"
#include "cases/case_document.h"
#include "cases/case_store.h"
#include "cases_tool/mivo_cases_json.h"
#include "document/csv_encoding.h"
#include "document/file_output.h"
#include "document/regular_file.h"
#include "mivo_version.h"
#include "particulars/certificate_import.h"
#include "particulars/value_checks.h"
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
#include <functional>

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

// With `trash`, the deleted cases and when each was deleted in place of the last change.
int list(CaseStore& store, const QString& search, bool trash) {
    const QList<CaseSummary> cases = trash ? store.listTrash() : store.list(search);
    if (!store.error().isEmpty())
        return failure(store.error());
    for (const CaseSummary& c : cases) {
        write(stdout, QStringLiteral("%1\t%2\t%3\t%4\n")
                          .arg(c.id)
                          .arg(cell(c.name),
                               (trash ? c.deleted : c.changed)
                                   .toLocalTime()
                                   .toString(QStringLiteral("yyyy-MM-dd HH:mm")),
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
// a new case; its id on standard output, what was read and what was not on standard error. A
// chassis number, registration number or name that differs stays the case's, or with
// `preferCertificate` becomes the certificate's; both values are shown on standard output.
int importCertificate(CaseStore& store, const QString& path, const QString& into,
                      CertificateOf whose, bool preferCertificate) {
    const CertificateImport imported = mivo::importCertificate(path, whose);
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
    Particulars particulars = c.particulars;
    const QList<Particular> conflicts = imported.conflicts(particulars);
    QStringList shown;
    for (Particular particular : conflicts) {
        shown.append(imported.conflictText(particulars, particular) +
                     (preferCertificate
                          ? QStringLiteral("\n→ 車検証の値にしました。")
                          : QStringLiteral("\n→ 案件の値のままです"
                                           "（--prefer-certificate で車検証の値）。")));
    }
    const QList<Particular> taken = preferCertificate ? conflicts : QList<Particular>{};
    const QList<Particular> kept = imported.mergeInto(particulars, taken);
    changeParticulars(c, particulars);
    const CaseStore::Saved saved = store.save(c, false);
    if (!saved.ok)
        return failure(store.error());
    write(stdout, QByteArray::number(saved.id) + '\n');
    for (const QString& conflict : shown)
        write(stdout, conflict.toUtf8() + '\n');
    write(stderr, imported.summary(kept, taken).toUtf8() + '\n');
    return 0;
}

// NAME=VALUE on a stored case, all or none; what changed on standard output, by the field's
// index and name or the particular's, never its value.
int set(CaseStore& store, const QString& idOrName, const QStringList& assignments) {
    QString error;
    std::optional<Case> c = findCase(store, idOrName, &error);
    if (!c)
        return failure(error);
    const CaseCorrection correction = correctCase(*c, assignments);
    if (!correction.error.isEmpty())
        return failure(correction.error);
    if (!store.save(*c, false).ok)
        return failure(store.error());
    for (Particular particular : correction.particulars)
        write(stdout, QStringLiteral("%1.%2 %3\n")
                          .arg(QLatin1StringView(info(particular).roleKey),
                               QLatin1StringView(info(particular).key),
                               QString::fromUtf16(info(particular).fullLabel))
                          .toUtf8());
    for (int index : correction.fields)
        write(stdout, QStringLiteral("%1 %2\n").arg(index).arg(fieldName(index)).toUtf8());
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

// Runs `change` on the case numbered `idText`.
int changeCase(const QString& idText, const std::function<bool(qint64)>& change,
               const CaseStore& store) {
    bool isId = false;
    const qint64 id = idText.toLongLong(&isId);
    if (!isId)
        return failure(QStringLiteral("案件は番号で指定してください（mivo-cases list）。"));
    return change(id) ? 0 : failure(store.error());
}

// What the options give the commands.
struct Options {
    QString mapsTo;
    QString into;
    QString output;
    bool cp932 = false;
    QString search;
    bool trash = false;
    bool purge = false;
    CertificateOf whose = CertificateOf::Buyer;
    bool preferCertificate = false;
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
    {"list", 0, false, nullptr, u"list [--search 言葉 | --trash]",
     [](CaseStore& store, const QStringList&, const Options& options) {
         return list(store, options.search, options.trash);
     }},
    {"show", 1, false, nullptr, u"show ID [--maps-to フォルダ]",
     [](CaseStore& store, const QStringList& arguments, const Options& options) {
         return show(store, arguments[0], options.mapsTo);
     }},
    {"import", 1, true, nullptr, u"import FILE.json...",
     [](CaseStore& store, const QStringList& arguments, const Options&) {
         return import(store, arguments);
     }},
    {"import-certificate", 1, false, nullptr,
     u"import-certificate FILE.json [--into ID] [--as seller] [--prefer-certificate]",
     [](CaseStore& store, const QStringList& arguments, const Options& options) {
         return importCertificate(store, arguments[0], options.into, options.whose,
                                  options.preferCertificate);
     }},
    {"set", 2, true, nullptr, u"set ID NAME=VALUE...",
     [](CaseStore& store, const QStringList& arguments, const Options&) {
         return set(store, arguments[0], arguments.mid(1));
     }},
    {"export", 0, false, "csv", u"export --csv [-o FILE] [--encoding cp932]",
     [](CaseStore& store, const QStringList&, const Options& options) {
         return exportCsv(store, options.output, options.cp932);
     }},
    {"delete", 1, false, nullptr, u"delete [--purge] ID",
     [](CaseStore& store, const QStringList& arguments, const Options& options) {
         return changeCase(
             arguments[0],
             [&](qint64 id) { return options.purge ? store.purge(id) : store.remove(id); }, store);
     }},
    {"restore", 1, false, nullptr, u"restore ID",
     [](CaseStore& store, const QStringList& arguments, const Options&) {
         return changeCase(
             arguments[0], [&](qint64 id) { return store.restore(id); }, store);
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
        QStringLiteral("保存された案件の一覧、表示、取り込み、書き出し、削除、復元"));
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
    const QCommandLineOption as(
        QStringLiteral("as"),
        QStringLiteral("import-certificate: だれの車検証か。buyer（この登録の後の所有者・使用者、"
                       "既定）か seller（売り手。所有者が譲渡人になる）"),
        QStringLiteral("buyer|seller"));
    const QCommandLineOption preferCertificate(
        QStringLiteral("prefer-certificate"),
        QStringLiteral("import-certificate: 案件と違う車台番号・登録番号・氏名を車検証の値にする"));
    parser.addOptions({into, as, preferCertificate});
    const QCommandLineOption search(QStringLiteral("search"),
                                    QStringLiteral("list: この言葉を含む案件だけ"),
                                    QStringLiteral("言葉"));
    const QCommandLineOption trash(QStringLiteral("trash"),
                                   QStringLiteral("list: ごみ箱の案件（削除した日時）"));
    const QCommandLineOption purge(QStringLiteral("purge"),
                                   QStringLiteral("delete: ごみ箱に入れず、完全に削除する"));
    parser.addOptions({search, trash, purge});
    parser.addPositionalArgument(QStringLiteral("コマンド"), commandUsages());
    parser.process(app);
    if (parser.isSet(help))
        parser.showHelp();

    const QStringList args = parser.positionalArguments();
    const Command* command = chosenCommand(args, parser);
    const std::optional<CsvEncoding> encodingNamed = csvEncodingNamed(parser.value(encoding));
    const bool badEncoding = parser.isSet(encoding) && !encodingNamed;
    const bool whoseKnown =
        !parser.isSet(as) || parser.value(as) == u"buyer" || parser.value(as) == u"seller";
    if (!command || badEncoding || !whoseKnown) {
        const bool known = std::ranges::any_of(kCommands, [&](const Command& c) {
            return args.value(0) == QLatin1StringView(c.name);
        });
        const QString why =
            args.isEmpty() ? QStringLiteral("コマンドを指定してください。\n")
            : !known ? QStringLiteral("「%1」というコマンドはありません。\n").arg(args[0])
            : badEncoding ? QStringLiteral("--encoding は utf-8 か cp932 にしてください。\n")
            : !whoseKnown ? QStringLiteral("--as は buyer か seller にしてください。\n")
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

    return command->run(
        store, args.mid(1),
        {parser.value(mapsTo), parser.value(into), parser.value(output),
         encodingNamed == CsvEncoding::Cp932, parser.value(search), parser.isSet(trash),
         parser.isSet(purge),
         parser.value(as) == u"seller" ? CertificateOf::Seller : CertificateOf::Buyer,
         parser.isSet(preferCertificate)});
}

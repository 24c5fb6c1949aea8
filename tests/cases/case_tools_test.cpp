// mivo-cases and mivo-render --case run as a user runs them, against a SQLite file of the test's
// own: what they print, how they fail, and a register that a spreadsheet reads as text.
#include "document/location_marks.h"
#include "program_run.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class CaseToolsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString database_;
    QString firstId_;
    QString secondId_;

    using Run = ProgramRun;

    // Runs the tool named by the environment variable; --database is the test's file unless
    // the arguments name another.
    Run run(const char* tool, QStringList arguments) const {
        if (!arguments.join(u' ').contains(QStringLiteral("--database")))
            arguments << QStringLiteral("--database") << database_;
        return runProgram(qEnvironmentVariable(tool), arguments);
    }

    QString writeFile(const QString& name, const QByteArray& content) const {
        return writeTestFile(dir_.filePath(name), content);
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        database_ = dir_.filePath(QStringLiteral("cases.sqlite"));
        QImage map(40, 30, QImage::Format_RGB32);
        map.fill(Qt::darkGreen);
        QVERIFY(map.save(dir_.filePath(QStringLiteral("map.png"))));
        const auto json = [](const QJsonObject& object) { return QJsonDocument(object).toJson(); };
        const QString first =
            writeFile(QStringLiteral("first.json"),
                      json({{"name", QStringLiteral("行政花子の登録")},
                            {"registration_number", QStringLiteral("品川 300 あ 1")},
                            {"maps", QJsonObject{{"layout", QStringLiteral("map.png")},
                                                 {"location", QStringLiteral("map.png")}}},
                            {"location", QJsonObject{{"version", 1}, {"omit", true}}},
                            {"values", QJsonObject{{"69", QStringLiteral("行政花子")},
                                                   {"70", QStringLiteral("=1+2")},
                                                   {"62", QStringLiteral("代理人甲")},
                                                   {"42", QStringLiteral("@SUM(A1)")}}}}));
        const QString second =
            writeFile(QStringLiteral("second.json"),
                      json({{"values", QJsonObject{{"69", QStringLiteral("-佐藤")},
                                                   {"42", QStringLiteral("+81")}}}}));
        const Run imported = run("MIVO_CASES", {QStringLiteral("import"), first, second});
        QCOMPARE(imported.exitCode, 0);
        const QStringList ids = QString::fromUtf8(imported.out).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(ids.size(), 2);
        firstId_ = ids[0];
        secondId_ = ids[1];
    }

    void casesTool_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QString>("err");
        const QString damaged = writeFile(QStringLiteral("damaged.sqlite"),
                                          QByteArray("SQLite format 3") + QByteArray(4096, 'x'));

        QTest::newRow("list") << QStringList{QStringLiteral("list")} << 0
                              << QStringList{firstId_ + QStringLiteral("\t行政花子の登録\t"),
                                             secondId_ + QStringLiteral("\t-佐藤 ")}
                              << QString();
        QTest::newRow("show by name")
            << QStringList{QStringLiteral("show"), QStringLiteral("行政花子の登録")} << 0
            << QStringList{QStringLiteral("\"69\": \"行政花子\""),
                           QStringLiteral("\"registration_number\": \"品川 300 あ 1\""),
                           QStringLiteral("\"omit\": true")}
            << QString();
        // A cell that starts with = + - @ would be a formula: the apostrophe keeps it text.
        QTest::newRow("export --csv")
            << QStringList{QStringLiteral("export"), QStringLiteral("--csv")} << 0
            << QStringList{QStringLiteral("\"案件名\",\"作成日時\""),
                           QStringLiteral("\"行政花子の登録\","),
                           QStringLiteral(",\"'=1+2\","),
                           QStringLiteral(",\"'@SUM(A1)\""),
                           QStringLiteral("\"'-佐藤 "),
                           QStringLiteral(",\"'+81\"")}
            << QString();
        QTest::newRow("show of no case")
            << QStringList{QStringLiteral("show"), QStringLiteral("999")} << 1 << QStringList{}
            << QStringLiteral("案件 999 はありません");
        QTest::newRow("delete by name")
            << QStringList{QStringLiteral("delete"), QStringLiteral("行政花子の登録")} << 1
            << QStringList{} << QStringLiteral("番号で指定");
        QTest::newRow("no command")
            << QStringList{} << 2 << QStringList{} << QStringLiteral("使い方");
        QTest::newRow("damaged database")
            << QStringList{QStringLiteral("--database"), damaged, QStringLiteral("list")} << 1
            << QStringList{} << QStringLiteral("壊れている");
        QTest::newRow("unknown command")
            << QStringList{QStringLiteral("frobnicate")} << 2 << QStringList{}
            << QStringLiteral("「frobnicate」というコマンドはありません。\n使い方");

        // Hostile imports answer at once with a message and store nothing.
        const QString fifo = dir_.filePath(QStringLiteral("fifo"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        const QString import = QStringLiteral("import");
        QTest::newRow("import /dev/zero") << QStringList{import, QStringLiteral("/dev/zero")} << 1
                                          << QStringList{} << QStringLiteral("ふつうのファイル");
        QTest::newRow("import a FIFO") << QStringList{import, fifo} << 1 << QStringList{}
                                       << QStringLiteral("ふつうのファイル");
        QTest::newRow("a FIFO as the database")
            << QStringList{QStringLiteral("--database"), fifo, QStringLiteral("list")} << 1
            << QStringList{} << QStringLiteral("ふつうのファイルではありません");
        QTest::newRow("import {}") << QStringList{import, writeFile("empty.json", "{}")} << 1
                                   << QStringList{} << QStringLiteral("案件の値がありません");
        QTest::newRow("import a certificate")
            << QStringList{import, writeFile("cert.json", R"({"CertInfo": {"CarNo": "AB1"}})")} << 1
            << QStringList{} << QStringLiteral("案件の値がありません");
        QTest::newRow("import a key twice")
            << QStringList{import, writeFile("twice.json", R"({"values": {"62": "a", "62": "b"}})")}
            << 1 << QStringList{} << QStringLiteral("\"62\" が二度あります");
        const QByteArray tooLong = "{\"values\": {\"69\": \"" + QByteArray(1001, 'x') + "\"}}";
        QTest::newRow("import a value too long")
            << QStringList{import, writeFile("long.json", tooLong)} << 1 << QStringList{}
            << QStringLiteral(
                   "項目 69（委任者（左） 氏名又は名称）の値が長すぎます（1000 文字まで）");
    }
    void casesTool() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, out);
        QFETCH(QString, err);
        const Run result = run("MIVO_CASES", arguments);
        QVERIFY2(result.exitCode == exitCode, qPrintable(result.err));
        const QString text = QString::fromUtf8(result.out);
        for (const QString& part : out)
            QVERIFY2(text.contains(part), qPrintable(text));
        QVERIFY2(result.err.contains(err), qPrintable(result.err));
    }

    // For a spreadsheet in Japan: UTF-8 with a byte-order mark, or CP932 when asked; a file
    // written with -o is its owner's alone.
    void exportToFile() {
        const QString utf8 = dir_.filePath(QStringLiteral("register.csv"));
        QCOMPARE(run("MIVO_CASES", {QStringLiteral("export"), QStringLiteral("--csv"),
                                    QStringLiteral("-o"), utf8})
                     .exitCode,
                 0);
        QFile file(utf8);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("\xEF\xBB\xBF\"案件名\""));
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(utf8).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, 0600u);
        const Run cp932 =
            run("MIVO_CASES", {QStringLiteral("export"), QStringLiteral("--csv"),
                               QStringLiteral("--encoding"), QStringLiteral("cp932")});
        QCOMPARE(cp932.exitCode, 0);
        QVERIFY(cp932.out.startsWith("\"\x88\xC4\x8C\x8F\x96\xBC\"")); // 案件名
    }

    // The case fills the document; --set still wins; the drawing takes its map and number.
    void renderTakesTheCase_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<QStringList>("notPrinted");
        QTest::newRow("by name") << QStringList{QStringLiteral("委任状"), QStringLiteral("--case"),
                                                QStringLiteral("行政花子の登録")}
                                 << QStringList{QStringLiteral("代理人甲"),
                                                QStringLiteral("行政花子")}
                                 << QStringList{};
        QTest::newRow("--set wins")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--case=") + firstId_,
                           QStringLiteral("--set"), QStringLiteral("62=代理人乙")}
            << QStringList{QStringLiteral("代理人乙")} << QStringList{QStringLiteral("代理人甲")};
        QTest::newRow("layout drawing by id")
            << QStringList{QStringLiteral("layout-drawing"), QStringLiteral("--case"), firstId_}
            << QStringList{QStringLiteral("品川 300 あ 1"),
                           QString::fromUtf16(mivo::kOmittedLocationText)}
            << QStringList{};
    }
    void renderTakesTheCase() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, printed);
        QFETCH(QStringList, notPrinted);
        const Run result = run("MIVO_RENDER", arguments << QStringLiteral("--trace"));
        QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        for (const QString& text : printed)
            QVERIFY2(
                result.out.contains("{\"op\":\"PrintText\",\"args\":[\"" + text.toUtf8() + "\"]}"),
                qPrintable(text));
        for (const QString& text : notPrinted)
            QVERIFY(!result.out.contains(text.toUtf8()));
        if (arguments.contains(QStringLiteral("layout-drawing")))
            QCOMPARE(result.out.count("\"DrawPicture\""), 1);
    }

    void renderRefusesAnUnknownCase() {
        const QString out = dir_.filePath(QStringLiteral("out.pdf"));
        const Run result =
            run("MIVO_RENDER", {QStringLiteral("委任状"), QStringLiteral("--case"),
                                QStringLiteral("無い案件"), QStringLiteral("-o"), out});
        QVERIFY(result.exitCode > 0);
        QVERIFY2(result.err.contains(QStringLiteral("「無い案件」という案件はありません")),
                 qPrintable(result.err));
        QVERIFY(!QFile::exists(out));
    }

    // A drawn 配置図 goes in with import, out with show, and prints with --case; one that is
    // not a plan keeps the whole file out. A database of its own keeps the other lists as
    // they are.
    void drawnPlanTravelsWithTheCase() {
        const QStringList database{QStringLiteral("--database"),
                                   dir_.filePath(QStringLiteral("plans.sqlite"))};
        const QJsonObject plan = QJsonDocument::fromJson(R"({"version": 1, "north": 0, "objects": [
                {"kind": "bay", "x": 0, "y": 0, "width": 2.5, "depth": 5, "applied": true,
                 "label": "3", "colour": "red"},
                {"kind": "road", "x": -5, "y": 5, "length": 30, "width": 6, "label": "市道"},
                {"kind": "entrance", "x": 0, "y": 5, "width": 5}]})")
                                     .object();
        const auto imported = [&](const QJsonValue& sitePlan) {
            const QJsonObject c{{"values", QJsonObject{{"69", QStringLiteral("図面太郎")}}},
                                {"site_plan", sitePlan}};
            return run("MIVO_CASES", QStringList{QStringLiteral("import"),
                                                 writeFile(QStringLiteral("plan-case.json"),
                                                           QJsonDocument(c).toJson())}
                                         << database);
        };
        const Run bad = imported(QJsonObject{{"version", 2}});
        QVERIFY(bad.exitCode > 0);
        QVERIFY2(bad.err.contains(u"site_plan"), qPrintable(bad.err));
        QVERIFY(imported(QStringLiteral("bay")).exitCode > 0);

        const Run good = imported(plan);
        QCOMPARE(good.exitCode, 0);
        const QString id = QString::fromUtf8(good.out).trimmed();
        const Run shown = run("MIVO_CASES", QStringList{QStringLiteral("show"), id} << database);
        const QJsonObject back = QJsonDocument::fromJson(shown.out).object();
        QCOMPARE(back.value("site_plan").toObject(), plan);
        QVERIFY(back.value("print_site_plan").toBool());

        const Run printed =
            run("MIVO_RENDER", QStringList{QStringLiteral("layout-drawing"),
                                           QStringLiteral("--case"), id, QStringLiteral("--trace")}
                                   << database);
        QVERIFY2(printed.exitCode == 0, qPrintable(printed.err));
        for (const QString& text : {QStringLiteral("出入口 5.0m"), QStringLiteral("縮尺 1/")})
            QVERIFY2(printed.out.contains(text.toUtf8()), qPrintable(text));
        QVERIFY(!printed.out.contains("\"DrawPicture\""));
    }

    // The last: a deleted case leaves the list for the trash, comes back from it, and goes for
    // good only when asked; the other stays throughout.
    void deleteMovesToTheTrash() {
        const auto listed = [this](const QStringList& arguments) {
            return QString::fromUtf8(
                run("MIVO_CASES", QStringList{QStringLiteral("list")} << arguments).out);
        };
        QVERIFY(listed({QStringLiteral("--search"), QStringLiteral("行政 花子")})
                    .startsWith(firstId_ + u'\t'));
        QCOMPARE(run("MIVO_CASES", {QStringLiteral("delete"), firstId_}).exitCode, 0);
        QVERIFY(!listed({}).contains(QStringLiteral("行政花子")));
        QVERIFY(listed({}).startsWith(secondId_ + u'\t'));
        QVERIFY(listed({QStringLiteral("--trash")}).startsWith(firstId_ + u'\t'));
        QCOMPARE(run("MIVO_CASES", {QStringLiteral("restore"), firstId_}).exitCode, 0);
        QVERIFY(listed({}).contains(QStringLiteral("行政花子")));
        QCOMPARE(run("MIVO_CASES", {QStringLiteral("delete"), QStringLiteral("--purge"), firstId_})
                     .exitCode,
                 0);
        QVERIFY(listed({QStringLiteral("--trash")}).isEmpty());
        QVERIFY(run("MIVO_CASES", {QStringLiteral("restore"), firstId_}).exitCode > 0);
        QVERIFY(listed({}).startsWith(secondId_ + u'\t'));
    }
};

QTEST_GUILESS_MAIN(CaseToolsTest)
#include "case_tools_test.moc"

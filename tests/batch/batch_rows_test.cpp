#include "render/batch_rows.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace mivo;

// Batch files as office suites and scripts write them, read back row by row.
class BatchRowsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& content) const {
        QFile file(dir_.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(content);
        return file.fileName();
    }

    static std::optional<int> caption(const QString& header, QString* why) {
        if (header == u"受任者")
            return 62;
        if (header == u"年")
            return 63;
        *why = QStringLiteral("no field");
        return std::nullopt;
    }

    static QList<BatchRow> readAll(BatchRows& rows) {
        QList<BatchRow> all;
        BatchRow row;
        while (rows.next(row))
            all << row;
        return all;
    }

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    // A spreadsheet's CSV: byte-order mark, caption headers, a quoted comma and line break,
    // CRLF, a blank line, and a bad row in the middle that is reported with its line.
    void csvRowsKeepTheirLines() {
        const QString path =
            write(QStringLiteral("rows.csv"), "\xEF\xBB\xBF受任者,年,66\r\n"
                                              "行政太郎,8,品川 500 さ 1234\r\n"
                                              "\"鈴木, \"\"一郎\"\"\",9,\"複数\r\n行\"\r\n"
                                              "\r\n"
                                              "佐藤,1,2,3\r\n"
                                              "高橋,10,\r\n");
        QString error;
        auto rows = BatchRows::open(path, caption, &error);
        QVERIFY2(rows, qPrintable(error));
        const QList<BatchRow> all = readAll(*rows);
        QCOMPARE(all.size(), 4);
        QCOMPARE(all[0].line, 2);
        QCOMPARE(all[0].values.value(62), QStringLiteral("行政太郎"));
        QCOMPARE(all[0].values.value(66), QStringLiteral("品川 500 さ 1234"));
        QCOMPARE(all[1].line, 3);
        QCOMPARE(all[1].values.value(62), QStringLiteral("鈴木, \"一郎\""));
        QCOMPARE(all[1].values.value(66), QStringLiteral("複数\r\n行"));
        QCOMPARE(all[2].line, 6);
        QVERIFY(!all[2].error.isEmpty());
        QCOMPARE(all[3].line, 7);
        QVERIFY(all[3].error.isEmpty());
        QCOMPARE(all[3].values.value(63), QStringLiteral("10"));
    }

    void badFilesAreRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("unknown header") << "unknown.csv" << QByteArray("受任者,車種\n行政,x\n");
        QTest::newRow("empty") << "empty.csv" << QByteArray();
        QTest::newRow("one field, two columns") << "twice.csv" << QByteArray("受任者,62\nx,y\n");
    }
    void badFilesAreRefused() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QString error;
        QVERIFY(!BatchRows::open(write(name, content), caption, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!BatchRows::open(dir_.path(), caption, &error)); // a folder is no batch
    }

    // One bad row between good ones: reported at its own line, the rows after it keep theirs.
    // A line of megabytes is one bad row, read once, not pieces that pass as rows.
    void hostileRowsAreOneBadRow_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        const QByteArray huge(3 << 20, 'x');
        QTest::newRow("csv line of 3 MiB") << "long.csv"
                                           << "受任者\n甲\n" + huge + "\n乙\n"
                                           << "1 行が長すぎます";
        QTest::newRow("quoted field of 3 MiB") << "quoted.csv"
                                               << "受任者\n甲\n\"" + huge + "\"\n乙\n"
                                               << "1 行が長すぎます";
        QTest::newRow("json line of 3 MiB")
            << "long.jsonl"
            << "{\"62\":\"甲\"}\n\"" + huge + "\"\n{\"62\":\"乙\"}\n"
            << "1 行が長すぎます";
        QTest::newRow("value past 1000") << "value.csv"
                                         << "受任者\n甲\n" + QByteArray(1001, 'x') + "\n乙\n"
                                         << "1000 文字まで";
        QTest::newRow("NUL in a value")
            << "nul.csv" << QByteArray("受任者\n甲\na\0b\n乙\n", 22) << "NUL 文字";
        QTest::newRow("json key twice")
            << "twice.jsonl"
            << QByteArray("{\"62\":\"甲\"}\n{\"62\":\"a\",\"62\":\"b\"}\n"
                          "{\"62\":\"乙\"}\n")
            << "二度";
    }
    void hostileRowsAreOneBadRow() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        QString openError;
        auto rows = BatchRows::open(write(name, content), caption, &openError);
        QVERIFY2(rows, qPrintable(openError));
        const QList<BatchRow> all = readAll(*rows);
        QCOMPARE(all.size(), 3);
        const qint64 first = name.endsWith(u".csv") ? 2 : 1;
        QCOMPARE(all[0].values.value(62), QStringLiteral("甲"));
        QCOMPARE(all[1].line, first + 1);
        QVERIFY2(all[1].error.contains(error), qPrintable(all[1].error));
        QVERIFY(!all[1].error.contains(u'x') && !all[1].error.contains(u'a'));
        QCOMPARE(all[2].line, first + 2);
        QCOMPARE(all[2].values.value(62), QStringLiteral("乙"));
    }

    // Excel's Shift_JIS is found without being named; named UTF-8, it is a bad row at its
    // line. Old Mac line ends (CR alone) are lines too.
    void encodingsAndLineEnds() {
        const QByteArray sjis = QStringEncoder("CP932").encode(u"62,63\r\n髙橋,8\r\n");
        QString error;
        auto rows = BatchRows::open(write(QStringLiteral("sjis.csv"), sjis), caption, &error);
        QVERIFY2(rows, qPrintable(error));
        QList<BatchRow> all = readAll(*rows);
        QCOMPARE(all.size(), 1);
        QCOMPARE(all[0].values.value(62), QStringLiteral("髙橋"));

        rows = BatchRows::open(write(QStringLiteral("sjis.csv"), sjis), caption, &error,
                               CsvEncoding::Utf8);
        all = readAll(*rows);
        QCOMPARE(all.size(), 1);
        QCOMPARE(all[0].line, 2);
        QVERIFY(all[0].error.contains(QStringLiteral("UTF-8 として読めない")));

        rows = BatchRows::open(write(QStringLiteral("mac.csv"), "受任者,年\r甲,8\r\r乙,9\r"),
                               caption, &error);
        all = readAll(*rows);
        QCOMPARE(all.size(), 2);
        QCOMPARE(all[1].line, 4);
        QCOMPARE(all[1].values.value(63), QStringLiteral("9"));
    }

    void jsonLinesReportTheBadLine() {
        const QString path = write(QStringLiteral("rows.jsonl"),
                                   "{\"62\": \"行政太郎\"}\n\n{\"62\": 8}\n{\"62\": \"鈴木\"}\n");
        QString error;
        auto rows = BatchRows::open(path, caption, &error);
        QVERIFY(rows);
        const QList<BatchRow> all = readAll(*rows);
        QCOMPARE(all.size(), 3);
        QCOMPARE(all[1].line, 3);
        QVERIFY(!all[1].error.isEmpty());
        QCOMPARE(all[2].values.value(62), QStringLiteral("鈴木"));
    }
};

QTEST_GUILESS_MAIN(BatchRowsTest)
#include "batch_rows_test.moc"

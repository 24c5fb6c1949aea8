#include "render/batch_rows.h"

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

    static std::optional<int> caption(const QString& header) {
        if (header == u"受任者")
            return 62;
        if (header == u"年")
            return 63;
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
    }
    void badFilesAreRefused() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QString error;
        QVERIFY(!BatchRows::open(write(name, content), caption, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!BatchRows::open(dir_.path(), caption, &error)); // a folder is no batch
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

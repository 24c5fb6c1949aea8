#include "cases/case_store.h"
#include "pdf_words.h"
#include "program_run.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace mivo;

// mivo-render with several pages: a batch file's rows and a stored case's documents.
class RenderBatchTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    using Run = ProgramRun;

    static Run render(const QStringList& arguments) {
        return runProgram(qEnvironmentVariable("MIVO_RENDER"), arguments);
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    QString writeFile(const QString& name, const QByteArray& content) const {
        return writeTestFile(path(name), content);
    }

    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    // A bad row in the middle is reported with its line; with --keep-going every other row
    // still makes its page, in order, and the run still fails; without it nothing is written.
    void aBadRowIsReportedAndOnlyItIsLost_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("badLine");
        // A spreadsheet's UTF-8 CSV: a byte-order mark and the captions of --list as headers
        // (a caption, a block, a block and caption), a quoted comma.
        QTest::newRow("csv with captions")
            << QStringLiteral("rows.csv")
            << QByteArray("\xEF\xBB\xBF下記自動車の検査登録申請に関する一切の権限を　　　　　　　　"
                          "に委任する。,日付・年,委任者（左） 住　　　所\r\n"
                          "行政太郎,8,\"東京都,千代田区\"\r\n"
                          "佐藤,1,2,3\r\n"
                          "高橋次郎,10,\r\n")
            << 3;
        // The same as Excel saves it in Japan: Shift_JIS (CP932), no byte-order mark.
        QTest::newRow("csv in cp932")
            << QStringLiteral("cp932.csv")
            << QByteArray(QStringEncoder("CP932").encode(
                   QStringLiteral("下記自動車の検査登録申請に関する一切の権限を　　　　　　　　"
                                  "に委任する。,日付・年,委任者（左） 住　　　所\r\n"
                                  "行政太郎,8,\"東京都,千代田区\"\r\n"
                                  "佐藤,1,2,3\r\n"
                                  "高橋次郎,10,\r\n")))
            << 3;
        QTest::newRow("json lines")
            << QStringLiteral("rows.jsonl")
            << QByteArray("{\"62\": \"行政太郎\"}\n{\"62\": \"x\", \"22\": \"承諾書の欄\"}\n"
                          "{\"62\": \"高橋次郎\"}\n")
            << 2;
    }
    void aBadRowIsReportedAndOnlyItIsLost() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(int, badLine);
        const QString rows = writeFile(name, content);
        const QString pdf = path(name + QStringLiteral(".pdf"));

        Run run = render(
            {QStringLiteral("委任状"), QStringLiteral("--batch"), rows, QStringLiteral("-o"), pdf});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("の %1 行目").arg(badLine)), qPrintable(run.err));
        QVERIFY(!QFile::exists(pdf));

        run = render({QStringLiteral("委任状"), QStringLiteral("--batch"), rows,
                      QStringLiteral("-o"), pdf, QStringLiteral("--keep-going")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("の %1 行目").arg(badLine)), qPrintable(run.err));
        // The values of the bad row stay out of the message; its file's random name may not.
        const QString said = QString(run.err).remove(rows);
        QVERIFY2(!said.contains(QStringLiteral("佐藤")) && !said.contains(u'x'), qPrintable(said));
        const QByteArray written = contents(pdf);
        QCOMPARE(pdfPageCount(written), 2);
        QVERIFY(findWord(readPdfWords(written, 1), QStringLiteral("行政太郎")));
        QVERIFY(findWord(readPdfWords(written, 2), QStringLiteral("高橋次郎")));
        if (name.endsWith(u".csv")) {
            const std::vector<PdfWord> first = readPdfWords(written, 1);
            QVERIFY(findWord(first, QStringLiteral("東京都,千代田区")));
            QVERIFY(findWord(first, QStringLiteral("8")));
        }
    }

    // One file per row, named by the row's number.
    void aPatternMakesAFilePerRow() {
        const QString rows =
            writeFile(QStringLiteral("each.csv"), "62,63\n行政太郎,8\n高橋次郎,9\n");
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("each")));
        const Run run = render({QStringLiteral("power-of-attorney"), QStringLiteral("--batch"),
                                rows, QStringLiteral("-o"), path(QStringLiteral("each/{n}.pdf"))});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QDir(path(QStringLiteral("each"))).entryList(QDir::Files),
                 (QStringList{QStringLiteral("1.pdf"), QStringLiteral("2.pdf")}));
        const QByteArray second = contents(path(QStringLiteral("each/2.pdf")));
        QCOMPARE(pdfPageCount(second), 1);
        QVERIFY(findWord(readPdfWords(second), QStringLiteral("高橋次郎")));
    }

    // --case --all: each document of the case that has values, in the chooser's order.
    void aWholeCaseIsOnePdf() {
        const QString database = path(QStringLiteral("cases.sqlite"));
        {
            CaseStore store(CaseDatabase::fromArgument(database));
            Case c;
            c.name = QStringLiteral("テスト案件");
            c.named = true;
            c.values[22] = QStringLiteral("承諾太郎");
            c.values[62] = QStringLiteral("委任太郎");
            QVERIFY2(store.save(c, true).ok, qPrintable(store.error()));
        }
        const QString pdf = path(QStringLiteral("case.pdf"));
        const Run run =
            render({QStringLiteral("--case"), QStringLiteral("テスト案件"), QStringLiteral("--all"),
                    QStringLiteral("--database"), database, QStringLiteral("-o"), pdf});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QByteArray written = contents(pdf);
        QCOMPARE(pdfPageCount(written), 2);
        QVERIFY(findWord(readPdfWords(written, 1), QStringLiteral("委任太郎")));
        QVERIFY(findWord(readPdfWords(written, 2), QStringLiteral("承諾太郎")));
    }
};

QTEST_GUILESS_MAIN(RenderBatchTest)

#include "render_batch_test.moc"

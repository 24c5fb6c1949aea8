#include "program_run.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// Runs the built mivo-render as a user would and checks what it writes and says.
class RenderCommandTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    using Run = ProgramRun;

    static Run render(const QStringList& arguments, const QStringList& environment = {}) {
        return runProgram(qEnvironmentVariable("MIVO_RENDER"), arguments, environment);
    }

    // A command line that only a shell can give: names that are not UTF-8, a full output.
    static Run shell(const QString& script, const QStringList& arguments) {
        return runProgram(QStringLiteral("/bin/sh"),
                          QStringList{QStringLiteral("-c"), script, QStringLiteral("sh")} +
                              arguments);
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

    QString writeFile(const QString& name, const QByteArray& content) const {
        return writeTestFile(path(name), content);
    }

  private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    // Each bad input: a message on standard error, a non-zero exit, and no output file.
    void badInputIsRefused_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QString>("message");
        const QString out = path(QStringLiteral("out.pdf"));
        const QString badJson = writeFile(QStringLiteral("bad.json"), "{\"62\": ");
        const QString notObject = writeFile(QStringLiteral("list.json"), "[\"62\"]");
        const QString numberValue = writeFile(QStringLiteral("number.json"), "{\"63\": 8}");
        const QString badKey = writeFile(QStringLiteral("key.json"), "{\"six\": \"x\"}");

        QTest::newRow("unknown document")
            << QStringList{QStringLiteral("委任"), QStringLiteral("-o"), out} << QStringList{}
            << QStringLiteral("という書類はありません");
        QTest::newRow("index past 78")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--set"),
                           QStringLiteral("79=x"), QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("0 から 78");
        QTest::newRow("index of another document")
            << QStringList{QStringLiteral("power-of-attorney"), QStringLiteral("--set"),
                           QStringLiteral("61=x"), QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("62 から 78");
        QTest::newRow("set without equals")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--set"), QStringLiteral("62"),
                           QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("番号=値");
        QTest::newRow("set without a value")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("-o"), out,
                           QStringLiteral("--set")}
            << QStringList{} << QStringLiteral("--set");
        QTest::newRow("negative index")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--set"),
                           QStringLiteral("-1=x"), QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("番号=値");
        QTest::newRow("value past 1000 characters")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--set"),
                           QStringLiteral("62=") + QString(1001, u'x'), QStringLiteral("-o"), out}
            << QStringList{}
            << QStringLiteral("項目 62（受任者（権限を委任する相手））の値が長すぎます");
        const QString ambiguous = writeFile(QStringLiteral("ambiguous.csv"), "氏名又は名称\nx\n");
        QTest::newRow("header of three fields")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--batch"), ambiguous,
                           QStringLiteral("-o"), out}
            << QStringList{}
            << QStringLiteral(
                   "3 項目のどれか分かりません: 69 氏名又は名称 委任者（左）、73 氏名又は名称 "
                   "委任者（右上）、77 氏名又は名称 委任者（右下）");
        const QString twice = writeFile(QStringLiteral("twice.csv"), "日付・年,63\n8,9\n");
        QTest::newRow("one field, two columns")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--batch"), twice,
                           QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("「日付・年」と「63」は同じ項目 63 です");
        QTest::newRow("broken json")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--values"), badJson,
                           QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("JSON");
        QTest::newRow("json not an object")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--values"), notObject,
                           QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("JSON");
        QTest::newRow("json number value")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--values"), numberValue,
                           QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("文字列");
        QTest::newRow("json key not a number")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--values"), badKey,
                           QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("数字");
        QTest::newRow("missing values file")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--values"),
                           path(QStringLiteral("none.json")), QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("none.json");
        // Only a regular file of at most 1 MiB: a FIFO would wait for ever, /dev/zero never end.
        QDir(dir_.path()).mkdir(QStringLiteral("special"));
        const QString fifo = path(QStringLiteral("special/fifo.pdf"));
        ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
        QTest::newRow("values from a FIFO")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--values"), fifo,
                           QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("ふつうのファイルではない");
        QTest::newRow("values from a device")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--values"),
                           QStringLiteral("/dev/zero"), QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("ふつうのファイルではない");
        const QString large = writeFile(QStringLiteral("large.json"),
                                        "{\"62\": \"" + QByteArray(1024 * 1024, 'x') + "\"}");
        QTest::newRow("values over 1 MiB")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--values"), large,
                           QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("1 MB まで");
        QTest::newRow("output onto a FIFO")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("-o"), fifo} << QStringList{}
            << QStringLiteral("ふつうのファイルではない");
        QTest::newRow("fit on a text document")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--fit-maps"),
                           QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("保管場所配置図だけ");
        QTest::newRow("unwritable output")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("-o"),
                           path(QStringLiteral("no/such/folder/out.pdf"))}
            << QStringList{} << QStringLiteral("書き込めません");
        QTest::newRow("unknown extension")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("-o"),
                           path(QStringLiteral("out.txt"))}
            << QStringList{} << QStringLiteral(".pdf か .png");
        QTest::newRow("no output chosen")
            << QStringList{QStringLiteral("委任状")} << QStringList{} << QStringLiteral("出力");
        QTest::newRow("two outputs")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--trace"),
                           QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("一つ");
        QTest::newRow("maps on a text document")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--number"),
                           QStringLiteral("1"), QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("保管場所配置図だけ");
        const QString notAPicture = writeFile(QStringLiteral("noise.bmp"), "BM not a bitmap");
        QTest::newRow("picture that is no picture")
            << QStringList{QStringLiteral("layout-drawing"), QStringLiteral("--left-map"),
                           notAPicture, QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("noise.bmp");
        QTest::newRow("missing picture")
            << QStringList{QStringLiteral("保管場所配置図"), QStringLiteral("--right-map"),
                           path(QStringLiteral("none.jpg")), QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("none.jpg");
        QTest::newRow("field index on the layout drawing")
            << QStringList{QStringLiteral("保管場所配置図"), QStringLiteral("--set"),
                           QStringLiteral("0=x"), QStringLiteral("-o"), out}
            << QStringList{} << QStringLiteral("--number");
        QTest::newRow("creation date that is no time")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("-o"), out}
            << QStringList{QStringLiteral("SOURCE_DATE_EPOCH=yesterday")}
            << QStringLiteral("SOURCE_DATE_EPOCH");
        // A scheduler that is not there: no printer can be found.
        QTest::newRow("no printer")
            << QStringList{QStringLiteral("委任状"), QStringLiteral("--print")}
            << QStringList{QStringLiteral("CUPS_SERVER=127.0.0.1:9")} << QStringLiteral("プリンタ");
    }
    void badInputIsRefused() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(QString, message);
        const Run run = render(arguments, environment);
        QVERIFY2(run.exitCode > 0, qPrintable(run.err));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        const QStringList left =
            QDir(dir_.path()).entryList({QStringLiteral("*.pdf"), QStringLiteral("*.png")});
        QVERIFY2(left.isEmpty(), qPrintable(left.join(u' ')));
    }

    // --set wins over --values, in either form; every line of the trace is one JSON object.
    void setWinsOverValuesFile() {
        const QString values =
            writeFile(QStringLiteral("values.json"), R"({"62": "ファイルの名前", "63": "8"})");
        const Run run = render({QStringLiteral("委任状"), QStringLiteral("--values=") + values,
                                QStringLiteral("--set"), QStringLiteral("62=山田太郎"),
                                QStringLiteral("--set=64=9"), QStringLiteral("--trace")});
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        for (const QByteArray& line : lines)
            QVERIFY2(QJsonDocument::fromJson(line).isObject(), line.constData());
        QVERIFY(run.out.contains(R"({"op":"PrintText","args":["山田太郎"]})"));
        QVERIFY(run.out.contains(R"({"op":"PrintText","args":["8"]})"));
        QVERIFY(run.out.contains(R"({"op":"PrintText","args":["9"]})"));
        QVERIFY(!run.out.contains("ファイルの名前"));
    }

    // PDF by default at 1:1, PNG at the asked resolution; the whole A4 landscape paper.
    void writesPdfAndPng() {
        const QString pdf = path(QStringLiteral("page.pdf"));
        QCOMPARE(render({QStringLiteral("委任状"), QStringLiteral("-o"), pdf}).exitCode, 0);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");

        const QString png = path(QStringLiteral("page.png"));
        QCOMPARE(render({QStringLiteral("委任状"), QStringLiteral("-o"), png,
                         QStringLiteral("--dpi"), QStringLiteral("100")})
                     .exitCode,
                 0);
        const QImage image(png);
        QCOMPARE(image.size(), QSize(1169, 827));
        QFile::remove(pdf);
        QFile::remove(png);
    }

    // The same page gives the same bytes in every process, whatever its hash seed: 自認書 embeds
    // two typefaces, which Qt would write in the order of a hash. SOURCE_DATE_EPOCH dates it.
    void samePageSameBytes() {
        const QStringList page{QStringLiteral("自認書"), QStringLiteral("--set"),
                               QStringLiteral("36=山田太郎"), QStringLiteral("--set"),
                               QStringLiteral("30=練馬")};
        const QStringList epoch{QStringLiteral("SOURCE_DATE_EPOCH=1700000000")};
        QByteArray first;
        for (int run = 0; run < 8; ++run) {
            const QString pdf = path(QStringLiteral("same%1.pdf").arg(run));
            // One run with the seed that Qt fixes on request, the others each with its own.
            const QStringList seed =
                run == 0 ? QStringList{QStringLiteral("QT_HASH_SEED=0")} : QStringList{};
            QCOMPARE(render(page + QStringList{QStringLiteral("-o"), pdf}, epoch + seed).exitCode,
                     0);
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            if (run == 0)
                first = bytes;
            QVERIFY2(bytes == first, qPrintable(pdf));
            QFile::remove(pdf);
        }
        QVERIFY(first.contains("/CreationDate (D:20231114221320"));
    }

    // The maps and the number reach the layout drawing: the right map only, at its pixel size.
    void layoutDrawingTakesMapsAndNumber() {
        QImage map(320, 240, QImage::Format_RGB32);
        map.fill(Qt::darkGreen);
        const QString file = path(QStringLiteral("map.bmp"));
        QVERIFY(map.save(file));
        const Run run = render({QStringLiteral("layout-drawing"), QStringLiteral("--right-map"),
                                file, QStringLiteral("--number"), QStringLiteral("品川 300 あ 1"),
                                QStringLiteral("--trace")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.count("\"DrawPicture\""), 1);
        QVERIFY(run.out.contains(R"({"op":"DrawPicture","args":[142,35,320,240]})"));
        QVERIFY(run.out.contains(R"({"op":"PrintText","args":["品川 300 あ 1"]})"));
        QFile::remove(file);
    }

    // A name that is not UTF-8 is the file system's own: written and read under exactly that
    // name. A trace that cannot be written all is a failure.
    void namesAndStandardOutput() {
        const QByteArray folder = QFile::encodeName(dir_.path());
        QImage map(40, 30, QImage::Format_RGB32);
        map.fill(Qt::darkGreen);
        QVERIFY(map.save(path(QStringLiteral("map.bmp"))));
        QVERIFY(::rename(QFile::encodeName(path(QStringLiteral("map.bmp"))).constData(),
                         (folder + "/\xfe.bmp").constData()) == 0);
        Run run = shell(QStringLiteral(R"sh(exec "$MIVO_RENDER" layout-drawing )sh"
                                       R"sh(--left-map "$(printf '%s/\376.bmp' "$1")" )sh"
                                       R"sh(-o "$(printf '%s/\377\376.pdf' "$1")")sh"),
                        {dir_.path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QByteArray written = folder + "/\xff\xfe.pdf";
        QVERIFY(::access(written.constData(), F_OK) == 0);
        ::unlink(written.constData()); // QTemporaryDir cannot remove such names
        ::unlink((folder + "/\xfe.bmp").constData());

        run = shell(QStringLiteral(R"sh(exec "$MIVO_RENDER" 委任状 --trace > /dev/full)sh"), {});
        QVERIFY2(run.exitCode > 0, qPrintable(run.err));
        QVERIFY2(run.err.contains(QStringLiteral("標準出力")), qPrintable(run.err));
    }

    // --fit-maps scales a map larger than its area down into it, aspect kept.
    void fitMaps() {
        QImage map(2000, 1000, QImage::Format_RGB32); // 529 × 265 mm at 96 pixels to the inch
        map.fill(Qt::darkGreen);
        const QString file = path(QStringLiteral("large.bmp"));
        QVERIFY(map.save(file));
        const Run run = render({QStringLiteral("layout-drawing"), QStringLiteral("--right-map"),
                                file, QStringLiteral("--fit-maps"), QStringLiteral("--trace")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(R"({"op":"DrawPictureScaled","args":[142,35,2000,1000,118,59]})"),
                 run.out.constData());
        QFile::remove(file);
    }

    void listNamesEveryDocument() {
        const Run run = render({QStringLiteral("--list")});
        QCOMPARE(run.exitCode, 0);
        const QString text = QString::fromUtf8(run.out);
        for (const char* alias :
             {"power-of-attorney", "transfer-certificate", "consent-letter",
              "parking-consent-certificate", "layout-drawing", "self-declaration"})
            QVERIFY2(text.contains(QLatin1String(alias)), alias);
    }
};

QTEST_GUILESS_MAIN(RenderCommandTest)

#include "render_command_test.moc"

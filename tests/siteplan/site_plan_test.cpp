#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/site_plan_file.h"
#include "pdf_words.h"
#include "print/site_plan_checks.h"
#include "print/site_plan_print.h"
#include "program_run.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace mivo;

namespace {

// The plan of the README, with a north arrow.
const QByteArray kHome =
    R"({"version": 1, "north": 0, "mark": "kept",)"
    R"( "objects": [)"
    R"(  {"kind": "bay", "x": 0, "y": 0, "width": 2.5, "depth": 5.0, "label": "3", "applied": true},)"
    R"(  {"kind": "bay", "x": 2.5, "y": 0, "width": 2.5, "depth": 5.0, "label": "4"},)"
    R"(  {"kind": "building", "x": 0, "y": -12, "width": 9, "depth": 8, "label": "自宅"},)"
    R"(  {"kind": "road", "x": -5, "y": 5, "length": 30, "width": 6.0, "label": "市道"},)"
    R"(  {"kind": "entrance", "x": 0, "y": 5, "width": 5.0},)"
    R"(  {"kind": "line", "points": [[-5, -14], [20, -14]]},)"
    R"(  {"kind": "text", "x": 12, "y": -3, "text": "隣地"},)"
    R"(  {"kind": "tree", "x": 1, "colour": "green"})"
    R"( ]})";

SitePlan planOf(const QByteArray& json) {
    const SitePlanRead read = readSitePlan(json, QStringLiteral("test"));
    if (!read.ok())
        qWarning("%s", qPrintable(read.error));
    return read.plan;
}

SitePlan line(double dx, double dy) {
    SitePlan plan;
    PlanObject o;
    o.kind = PlanKind::Line;
    o.points = {{0, 0}, {dx, dy}};
    plan.objects.push_back(o);
    return plan;
}

QByteArray layoutPdf(const SitePlan* plan) {
    CurrentDocument document;
    document.setTitle(titleOf(DocumentKind::LayoutDrawing));
    if (plan) {
        document.drawing().sitePlan = *plan;
        document.drawing().printSitePlan = true;
    }
    return printToPdf(document);
}

// The right half of the page as a grey picture at `dpi`, through poppler as a reader of the
// PDF sees it; its top-left pixel is the area's corner.
QImage rasteriseArea(const QByteArray& pdf, int dpi) {
    const auto px = [&](double mm) { return QString::number(qRound(mm / 25.4 * dpi)); };
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                    QStringLiteral("-x"), px(kSitePlanAreaMm.left()), QStringLiteral("-y"),
                    px(kSitePlanAreaMm.top()), QStringLiteral("-W"), px(kSitePlanAreaMm.width()),
                    QStringLiteral("-H"), px(kSitePlanAreaMm.height()), QStringLiteral("-png"),
                    QStringLiteral("-")});
    pdftoppm.write(pdf);
    pdftoppm.closeWriteChannel();
    pdftoppm.waitForFinished(60000);
    return QImage::fromData(pdftoppm.readAllStandardOutput(), "PNG");
}

// The centres of the dark runs at least `minimum` pixels long along a row or a column.
QList<double> thickRuns(const QImage& page, int fixed, bool row, int from, int to, int minimum) {
    QList<double> centres;
    int start = -1;
    for (int i = from; i <= to; ++i) {
        const bool dark = i < to && qGray(row ? page.pixel(i, fixed) : page.pixel(fixed, i)) < 128;
        if (dark && start < 0)
            start = i;
        if (!dark && start >= 0) {
            if (i - start >= minimum)
                centres << (start + i - 1) / 2.0;
            start = -1;
        }
    }
    return centres;
}

} // namespace

class SitePlanTest : public QObject {
    Q_OBJECT

  private slots:
    // The applied bay prints at its size in metres at the printed scale, and every text of the
    // plan lies inside the right half of the frame.
    void printsToScaleInsideTheRightHalf() {
        const SitePlan plan = planOf(kHome);
        const std::optional<int> scale = sitePlanScale(plan);
        QVERIFY(scale);
        const QByteArray pdf = layoutPdf(&plan);

        const std::vector<PdfWord> words = readPdfWords(pdf);
        const std::vector<PdfWord> pageWords = readPdfWords(layoutPdf(nullptr));
        QStringList texts;
        for (const PdfWord& w : words) {
            const bool ofThePage = std::ranges::any_of(pageWords, [&](const PdfWord& p) {
                return p.text == w.text &&
                       (p.box.center() - w.box.center()).manhattanLength() < 0.5;
            });
            if (ofThePage)
                continue;
            texts << w.text;
            QVERIFY2(kSitePlanAreaMm.contains(w.box), qPrintable(w.text));
        }
        for (const QString& expected :
             {QStringLiteral("2.5m"), QStringLiteral("5.0m"), QStringLiteral("幅員"),
              QStringLiteral("6.0m"), QStringLiteral("出入口"), QStringLiteral("保管場所"),
              QStringLiteral("縮尺"), QStringLiteral("1/%1").arg(*scale), QStringLiteral("N"),
              QStringLiteral("隣地")})
            QVERIFY2(texts.contains(expected),
                     qPrintable(expected + QStringLiteral(" in ") + texts.join(u' ')));

        // The heavy outline's sides, found along a row and a column through the bay's upper
        // left quarter; hatching and dimension lines are far thinner.
        const int dpi = 600;
        const QImage page = rasteriseArea(pdf, dpi);
        QVERIFY(!page.isNull());
        const double pxPerMm = dpi / 25.4;
        const double width = 2.5 * 1000 / *scale, depth = 5.0 * 1000 / *scale;
        // Where the bay is: the first row, downward, that crosses two heavy runs; the frame's
        // own rules lie at the picture's edges and are left out.
        const int minimum = int(0.35 * pxPerMm), inset = int(1.5 * pxPerMm);
        const int right = page.width() - inset, bottom = page.height() - inset;
        QList<double> across, down;
        for (int y = inset; y < bottom && across.size() < 2; y += 4) {
            const QList<double> runs = thickRuns(page, y, true, inset, right, minimum);
            if (runs.size() >= 2) {
                const int x = int(runs.first() + width * pxPerMm / 4);
                down = thickRuns(page, x, false, inset, bottom, minimum);
                const int row = int(down.value(0) + depth * pxPerMm / 4);
                across = thickRuns(page, row, true, inset, right, minimum);
            }
        }
        // The first heavy run is the bay's top (left) side; a heavy run must lie where its
        // bottom (right) side belongs. Texts inside the bay give runs of their own between.
        const auto sideAt = [&](const QList<double>& runs, double mm) {
            return runs.size() >= 2 && std::ranges::any_of(runs, [&](double run) {
                       return std::abs((run - runs.first()) / pxPerMm - mm) <= 0.3;
                   });
        };
        QVERIFY2(sideAt(across, width), qPrintable(QString::number(width)));
        QVERIFY2(sideAt(down, depth), qPrintable(QString::number(depth)));
    }

    // The largest scale that fits, at the edges of the room (115 mm wide, 111 mm high).
    void scaleChoiceAtItsBoundaries() {
        QCOMPARE(sitePlanScale(line(5.75, 0)), 50);
        QCOMPARE(sitePlanScale(line(5.76, 0)), 100);
        QCOMPARE(sitePlanScale(line(0, 55.5)), 500);
        QCOMPARE(sitePlanScale(line(0, 55.6)), 600);
        QCOMPARE(sitePlanScale(line(115, 0)), 1000);
        QCOMPARE(sitePlanScale(line(115.5, 0)), std::nullopt);
        QCOMPARE(sitePlanScale(SitePlan{}), 50);
    }

    // What is not the format is refused whole, with a message; what it does not know is kept.
    void badFilesAndUnknownKeys() {
        QByteArray many = R"({"version": 1, "objects": [)";
        for (int i = 0; i <= kSitePlanObjectLimit; ++i)
            many += QByteArray(i ? "," : "") + R"({"kind": "text", "x": 0, "y": 0, "text": "a"})";
        many += "]}";
        const QByteArray huge = QByteArray("{\"version\": 1, \"objects\": [], \"pad\": \"") +
                                QByteArray(kSitePlanFileLimit, 'x') + "\"}";
        for (const QByteArray& bad : {
                 QByteArray("not json"),
                 QByteArray(R"([1, 2])"),
                 QByteArray(R"({"version": 2, "objects": []})"),
                 QByteArray(R"({"objects": []})"),
                 QByteArray(R"({"version": 1, "objects": {}})"),
                 QByteArray(R"({"version": 1, "objects": [3]})"),
                 QByteArray(R"({"version": 1, "objects": [{"kind": "bay", "width": "2.5"}]})"),
                 QByteArray(R"({"version": 1, "objects": [{"kind": "bay", "width": -1}]})"),
                 QByteArray(R"({"version": 1, "objects": [{"kind": "bay", "x": 1e300}]})"),
                 QByteArray(R"({"version": 1, "objects": [{"kind": "line", "points": [[1]]}]})"),
                 many,
                 huge,
             }) {
            const SitePlanRead read = readSitePlan(bad, QStringLiteral("bad.json"));
            QVERIFY2(!read.ok() && read.plan.objects.empty(), bad.left(60).constData());
            QVERIFY(read.error.contains(u"bad.json"));
        }

        const SitePlan plan = planOf(kHome);
        QCOMPARE(plan.objects.size(), size_t(8));
        QCOMPARE(plan.objects.back().kind, PlanKind::Unknown);
        const SitePlan again = planOf(sitePlanJson(plan));
        QCOMPARE(again.json.value(u"mark").toString(), QStringLiteral("kept"));
        QCOMPARE(again.objects.back().json.value(u"colour").toString(), QStringLiteral("green"));
        QCOMPARE(again.objects.back().json.value(u"kind").toString(), QStringLiteral("tree"));
        QCOMPARE(again.appliedBay()->width, 2.5);
        QCOMPARE(again.objects[3].label, QStringLiteral("市道"));
    }

    void checks() {
        SitePlan plan = planOf(kHome);
        QCOMPARE(sitePlanFindings(plan), QStringList());
        plan.north.reset();
        plan.objects[3].width = 0;                    // the road's 幅員
        plan.objects.erase(plan.objects.begin() + 4); // the entrance
        PlanObject car;
        car.kind = PlanKind::Vehicle;
        car.width = 1.7;
        car.depth = 5.0; // as long as the bay is deep: it does not fit
        car.height = 1.6;
        plan.objects.push_back(car);
        plan.objects[0].heightLimit = 1.55;
        const QStringList findings = sitePlanFindings(plan);
        QCOMPARE(findings.size(), 5);
        for (const char16_t* about : {u"幅員", u"出入口", u"方位", u"奥行き", u"高さ制限"})
            QVERIFY2(findings.join(u' ').contains(QStringView(about)),
                     qPrintable(findings.join(u' ')));
        plan.objects[0].applied = false;
        QVERIFY(sitePlanFindings(plan).first().startsWith(u"保管場所がありません"));
    }

    // The renderer prints a plan from its file, and refuses a bad one without output; what a
    // plan lacks is named before printing, and with --strict nothing is made.
    void rendersFromItsFile() {
        QTemporaryDir dir;
        const QString good = writeTestFile(dir.filePath(QStringLiteral("home.json")), kHome);
        const QString bad =
            writeTestFile(dir.filePath(QStringLiteral("bad.json")), "{\"version\": 1}");
        const QString render = qEnvironmentVariable("MIVO_RENDER");
        ProgramRun run =
            runProgram(render, {QStringLiteral("layout-drawing"), QStringLiteral("--layout"), good,
                                QStringLiteral("--trace")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(R"({"op":"PrintText","args":["幅員 6.0m"]})") ||
                run.out.contains("市道　幅員 6.0m"));
        QVERIFY(run.out.contains("\"FillPolygon\""));
        QVERIFY2(!run.err.contains(u"配置図:"), qPrintable(run.err));
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        const QString lacking = writeTestFile(
            dir.filePath(QStringLiteral("lacking.json")),
            R"({"version": 1, "north": 0, "objects": [{"kind": "bay", "width": 2.5, "depth": 5,
                "applied": true}, {"kind": "entrance", "x": 0, "y": 5, "width": 2.5}]})");
        for (const bool strict : {false, true}) {
            QStringList arguments{QStringLiteral("layout-drawing"), QStringLiteral("--layout"),
                                  lacking, QStringLiteral("-o"), out};
            if (strict)
                arguments << QStringLiteral("--strict");
            run = runProgram(render, arguments);
            QVERIFY2(run.err.contains(u"配置図: 保管場所に接する道路を描いてください。"),
                     qPrintable(run.err));
            QCOMPARE(run.exitCode, strict ? 1 : 0);
            QCOMPARE(QFile::remove(out), !strict);
        }
        run = runProgram(render, {QStringLiteral("layout-drawing"), QStringLiteral("--layout"), bad,
                                  QStringLiteral("-o"), out});
        QVERIFY(run.exitCode != 0);
        QVERIFY(run.err.contains(u"bad.json"));
        QVERIFY(!QFile::exists(out));
    }
};

QTEST_MAIN(SitePlanTest)
#include "site_plan_test.moc"

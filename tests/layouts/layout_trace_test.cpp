#include "document/current_document.h"
#include "document/document_kind.h"
#include "print/dispatch.h"
#include "print/recording_surface.h"

#include <QTest>

#include <algorithm>

using namespace mivo;

namespace {

using Operations = std::vector<RecordingSurface::Operation>;

Operations traceOf(const QString& title) {
    CurrentDocument document;
    document.setTitle(title);
    RecordingSurface surface;
    if (insatu(surface, document).status != PrintOutcome::Status::Printed)
        return {};
    return surface.operations();
}

qsizetype countOf(const Operations& ops, const char* name) {
    return std::count_if(ops.begin(), ops.end(),
                         [&](const auto& op) { return op.name == QLatin1String(name); });
}

qsizetype indexOf(const Operations& ops, const char* name, const QVariantList& args = {},
                  qsizetype from = 0) {
    for (qsizetype i = from; i < qsizetype(ops.size()); ++i) {
        if (ops[i].name == QLatin1String(name) && (args.isEmpty() || ops[i].args == args))
            return i;
    }
    return -1;
}

// The weight last set before operation `at`: 1 bold, 0 regular, -1 not set in this job.
int weightBefore(const Operations& ops, qsizetype at) {
    for (qsizetype i = at - 1; i >= 0; --i) {
        if (ops[i].name == QLatin1String("SetFontBold"))
            return ops[i].args.first().toBool() ? 1 : 0;
    }
    return -1;
}

} // namespace

// The operation sequences of the four layouts, held against what each page must draw.
class LayoutTraceTest : public QObject {
    Q_OBJECT

  private slots:
    void shapeOfEachJob_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("setUpPen"); // 0: the set-up sets no pen width
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("relativeLines");
        QTest::addColumn<int>("texts"); // fixed texts and values, empty ones included
        QTest::addColumn<int>("firstTextWeight");
        QTest::addColumn<int>("valueWeight");
        QTest::newRow("譲渡証明書")
            << titleOf(DocumentKind::TransferCertificate) << 1 << 1 << 10 << 5 << 35 << 1 << 0;
        QTest::newRow("承諾書") << titleOf(DocumentKind::ConsentLetter) << 7 << 2 << 3 << 0 << 14
                                << 1 << 0;
        QTest::newRow("保管場所証明書") << titleOf(DocumentKind::ParkingConsentCertificate) << 0
                                        << 2 << 5 << 0 << 40 << -1 << 0;
        QTest::newRow("自認書") << titleOf(DocumentKind::SelfDeclaration) << 1 << 1 << 0 << 0 << 24
                                << 1 << 1;
    }
    void shapeOfEachJob() {
        QFETCH(QString, title);
        QFETCH(int, setUpPen);
        QFETCH(int, boxes);
        QFETCH(int, lines);
        QFETCH(int, relativeLines);
        QFETCH(int, texts);
        QFETCH(int, firstTextWeight);
        QFETCH(int, valueWeight);
        const Operations ops = traceOf(title);
        QVERIFY(!ops.empty());

        const QStringList setUp = {QStringLiteral("SetPaperSize"), QStringLiteral("SetOrientation"),
                                   QStringLiteral("SetFontName"), QStringLiteral("SetUnit")};
        for (qsizetype i = 0; i < setUp.size(); ++i)
            QCOMPARE(ops[i].name, setUp[i]);
        QCOMPARE(ops[3].args.first().toString(), QStringLiteral("Millimetre"));
        if (setUpPen) {
            QCOMPARE(ops[4].name, QStringLiteral("SetPenWidth"));
            QCOMPARE(ops[4].args.first().toInt(), setUpPen);
            QCOMPARE(ops[5].name, QStringLiteral("SetPenStyle"));
        } else {
            QCOMPARE(ops[4].name, QStringLiteral("SetPenStyle"));
        }
        QCOMPARE(ops.back().name, QStringLiteral("EndJob"));
        QCOMPARE(countOf(ops, "EndJob"), 1);

        QCOMPARE(countOf(ops, "Box"), boxes);
        QCOMPARE(countOf(ops, "Line"), lines);
        QCOMPARE(countOf(ops, "LineRelative"), relativeLines);
        QCOMPARE(countOf(ops, "PrintText"), texts);
        // Every text and every relative line starts from its own MoveTo.
        for (qsizetype i = 0; i < qsizetype(ops.size()); ++i) {
            if (ops[i].name == QLatin1String("PrintText") ||
                ops[i].name == QLatin1String("LineRelative"))
                QCOMPARE(ops[i - 1].name, QStringLiteral("MoveTo"));
        }
        QCOMPARE(weightBefore(ops, indexOf(ops, "PrintText")), firstTextWeight);
        QCOMPARE(weightBefore(ops, qsizetype(ops.size()) - 1), valueWeight);
    }

    // The vehicle box and table frame in millimetres, then one switch to twips for the row
    // rules and every text; the job ends in twips.
    void transferCertificateSwitchesToTwipsOnce() {
        const Operations ops = traceOf(titleOf(DocumentKind::TransferCertificate));
        QCOMPARE(countOf(ops, "SetUnit"), 2);
        const qsizetype twips = indexOf(ops, "SetUnit", {QStringLiteral("Twip")});
        QVERIFY(twips > 0);
        QCOMPARE(indexOf(ops, "Line", {}, twips), -1);
        QCOMPARE(indexOf(ops, "Box", {}, twips), -1);
        QVERIFY(indexOf(ops, "LineRelative") > twips);
        QVERIFY(indexOf(ops, "PrintText") > twips);
        // The first row rule; the heavy pen of the table frame stays in force for all five.
        QCOMPARE(ops[twips + 1].args, (QVariantList{4790.0f, 4220.0f}));
        QCOMPARE(ops[twips + 2].args, (QVariantList{7380.0f, 0.0f}));
        const qsizetype heavy = indexOf(ops, "SetPenWidth", {7});
        QVERIFY(heavy > 0 && heavy < twips);
        QCOMPARE(indexOf(ops, "SetPenWidth", {}, heavy + 1), -1);
    }

    // Only the two choice pairs of the declaration line print in Gothic.
    void selfDeclarationUsesGothicForTheChoicePairs() {
        const Operations ops = traceOf(titleOf(DocumentKind::SelfDeclaration));
        const qsizetype gothic = indexOf(ops, "SetFontName", {QStringLiteral("ＭＳ　ゴシック")});
        const qsizetype mincho = indexOf(ops, "SetFontName", {QStringLiteral("ＭＳ 明朝")}, gothic);
        QVERIFY(gothic > 0 && mincho > gothic);
        QStringList inGothic;
        for (qsizetype i = gothic; i < mincho; ++i) {
            if (ops[i].name == QLatin1String("PrintText"))
                inGothic << ops[i].args.first().toString();
        }
        QCOMPARE(inGothic,
                 (QStringList{QStringLiteral("証明申請 ・ 届出"), QStringLiteral("土地 ・ 建物")}));
        QCOMPARE(countOf(ops, "SetFontName"), 3);
    }
};

QTEST_GUILESS_MAIN(LayoutTraceTest)
#include "layout_trace_test.moc"

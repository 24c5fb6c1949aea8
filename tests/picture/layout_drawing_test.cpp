#include "document/current_document.h"
#include "document/document_kind.h"
#include "print/dispatch.h"
#include "print/page_target.h"
#include "print/painter_surface.h"
#include "print/recording_surface.h"
#include "test_pictures.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace mivo;
using namespace testpictures;

namespace {

using Operation = RecordingSurface::Operation;

std::vector<Operation> traceOf(const LayoutDrawingState& drawing) {
    CurrentDocument document;
    document.setTitle(titleOf(DocumentKind::LayoutDrawing));
    document.drawing() = drawing;
    RecordingSurface surface;
    if (insatu(surface, document).status != PrintOutcome::Status::Printed)
        qWarning("the layout drawing did not print");
    return surface.operations();
}

// The drawing printed on a 300-dpi picture of the paper; null when it did not print.
QImage pageOf(const LayoutDrawingState& drawing) {
    CurrentDocument document;
    document.setTitle(titleOf(DocumentKind::LayoutDrawing));
    document.drawing() = drawing;
    ImageTarget target(300);
    PainterSurface surface(target);
    if (insatu(surface, document).status != PrintOutcome::Status::Printed)
        return {};
    return target.image();
}

QColor colourAt(const QImage& page, double xMm, double yMm) {
    return page.pixelColor(int(xMm / 25.4 * 300), int(yMm / 25.4 * 300));
}

std::vector<Operation> named(const std::vector<Operation>& trace, const QString& name) {
    std::vector<Operation> found;
    for (const Operation& op : trace) {
        if (op.name == name)
            found.push_back(op);
    }
    return found;
}

qsizetype firstIndex(const std::vector<Operation>& trace, const QString& name) {
    for (size_t i = 0; i < trace.size(); ++i) {
        if (trace[i].name == name)
            return qsizetype(i);
    }
    return -1;
}

Operation picture(int x, int y, int width, int height) {
    return {QStringLiteral("DrawPicture"), {float(x), float(y), width, height}};
}

} // namespace

class LayoutDrawingTest : public QObject {
    Q_OBJECT

  private slots:
    // Without pictures the page still has its set-up, 13 texts, 6 rules and the end of job.
    void noPicture() {
        const auto trace = traceOf({});
        QVERIFY(named(trace, "DrawPicture").empty());
        QCOMPARE(named(trace, "PrintText").size(), size_t(13));
        QCOMPARE(named(trace, "Line").size() + named(trace, "Box").size(), size_t(6));
        QCOMPARE(trace.front().name, QStringLiteral("SetPaperSize"));
        QCOMPARE(trace[4], (Operation{QStringLiteral("SetPenWidth"), {1}}));
        QCOMPARE(trace.back().name, QStringLiteral("EndJob"));
        QVERIFY(named(trace, "SetFontBold").empty());
        // The number's place is printed also when nothing was typed.
        const auto texts = named(trace, "PrintText");
        QCOMPARE(texts.back().args, QVariantList{QString()});
    }

    // The two halves are tested independently: the right picture alone goes to (142, 35).
    void rightPictureOnly() {
        LayoutDrawingState drawing;
        drawing.layoutMap = plain(120, 80);
        const auto trace = traceOf(drawing);
        QCOMPARE(named(trace, "DrawPicture"), std::vector<Operation>{picture(142, 35, 120, 80)});
        QCOMPARE(firstIndex(trace, "DrawPicture"), 6); // straight after the page set-up
    }

    void bothPicturesLeftFirst() {
        LayoutDrawingState drawing;
        drawing.locationMap = plain(50, 40);
        drawing.layoutMap = plain(70, 60);
        const auto trace = traceOf(drawing);
        QCOMPARE(named(trace, "DrawPicture"),
                 (std::vector<Operation>{picture(22, 35, 50, 40), picture(142, 35, 70, 60)}));
    }

    // A picture far larger than its area goes to the surface whole, before any text or rule,
    // so that the wording and the frame lie on top of it.
    void largePictureWholeAndUnderneath() {
        LayoutDrawingState drawing;
        drawing.locationMap = plain(3000, 2000);
        drawing.registrationNumber = QStringLiteral("品川 300 あ 12-34 と続く長い番号");
        const auto trace = traceOf(drawing);
        QCOMPARE(named(trace, "DrawPicture"), std::vector<Operation>{picture(22, 35, 3000, 2000)});
        const qsizetype drawn = firstIndex(trace, "DrawPicture");
        QVERIFY(drawn < firstIndex(trace, "PrintText"));
        QVERIFY(drawn < firstIndex(trace, "Line"));
        QVERIFY(drawn < firstIndex(trace, "Box"));
        QCOMPARE(named(trace, "PrintText").back().args, QVariantList{drawing.registrationNumber});
    }

    // On paper: a 96-dpi picture 1000 pixels wide (264.6 mm) runs from x 22 mm across the
    // divider at 140 mm; the divider is drawn over it; a 300-dpi picture is a third as large.
    void naturalSizeOnThePage() {
        LayoutDrawingState drawing;
        drawing.locationMap = plain(1000, 400, Qt::red);
        drawing.locationMap.setDotsPerMeterX(3780);
        drawing.locationMap.setDotsPerMeterY(3780);
        drawing.layoutMap = plain(300, 300, Qt::green);
        drawing.layoutMap.setDotsPerMeterX(11811);
        drawing.layoutMap.setDotsPerMeterY(11811);
        const QImage page = pageOf(drawing);
        QVERIFY(!page.isNull());
        const auto at = [&](double xMm, double yMm) { return colourAt(page, xMm, yMm); };
        // 400 px at 96 dpi is 105.8 mm: from y 35 to 140.8.
        QCOMPARE(at(270, 100), QColor(Qt::red)); // beyond the frame's right edge at 260
        QCOMPARE(at(100, 140), QColor(Qt::red));
        QCOMPARE(at(100, 142), QColor(Qt::white));
        QCOMPARE(at(20, 100), QColor(Qt::white));
        // The divider and the frame's right edge are drawn over the picture.
        QCOMPARE_LT(at(140, 120).red(), 100);
        QCOMPARE_LT(at(260, 120).red(), 100);
        // 300 px at 300 dpi is 25.4 mm: from x 142 to 167.4.
        QCOMPARE(at(160, 50), QColor(Qt::green));
        QCOMPARE(at(170, 50), QColor(Qt::red));
    }

    // Fitted to the frame: a wide map scaled down to the 118 mm up to the divider, a tall one
    // to the 125 mm down to the frame's bottom edge, aspect kept; a map that fits keeps its
    // natural size (never enlarged).
    void fitToFrame() {
        LayoutDrawingState drawing;
        drawing.locationMap = plain(1000, 400, Qt::red); // 96 dpi: 264.6 × 105.8 mm
        drawing.locationMap.setDotsPerMeterX(3780);
        drawing.locationMap.setDotsPerMeterY(3780);
        drawing.layoutMap = plain(300, 300, Qt::green);
        drawing.layoutMap.setDotsPerMeterX(11811); // 300 dpi: 25.4 mm
        drawing.layoutMap.setDotsPerMeterY(11811);
        drawing.fitLocationMap = drawing.fitLayoutMap = true;
        const QImage page = pageOf(drawing);
        QVERIFY(!page.isNull());
        const auto at = [&](double xMm, double yMm) { return colourAt(page, xMm, yMm); };
        // 118 × 47.2 mm: from x 22 to the divider at 140, y 35 to 82.2.
        QCOMPARE(at(139, 81), QColor(Qt::red));
        QCOMPARE(at(141, 60), QColor(Qt::white));
        QCOMPARE(at(100, 83.5), QColor(Qt::white));
        QCOMPARE(at(160, 50), QColor(Qt::green));
        QCOMPARE(at(168.5, 50), QColor(Qt::white));

        LayoutDrawingState tall;
        tall.locationMap = plain(500, 2000); // 96 dpi: 132.3 × 529.2 mm
        tall.locationMap.setDotsPerMeterX(3780);
        tall.locationMap.setDotsPerMeterY(3780);
        tall.fitLocationMap = true;
        const Operation scaled{QStringLiteral("DrawPictureScaled"),
                               {22.f, 35.f, 500, 2000, 31.25f, 125.f}};
        QCOMPARE(named(traceOf(tall), "DrawPictureScaled"), std::vector<Operation>{scaled});
    }

    // A photograph far larger than the paper goes into the PDF at full resolution, but only
    // as far as it lies on the page: right of x 22 mm and below y 35 mm of A4 landscape.
    void onlyThePartOnThePageGoesIntoThePdf() {
        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::LayoutDrawing));
        document.drawing().locationMap = plain(6000, 4000);
        document.drawing().locationMap.setDotsPerMeterX(3780);
        document.drawing().locationMap.setDotsPerMeterY(3780);
        PdfTarget target({});
        PainterSurface surface(target);
        QCOMPARE(insatu(surface, document).status, PrintOutcome::Status::Printed);

        QTemporaryDir dir;
        const QString pdf = dir.filePath("page.pdf");
        QVERIFY(writeFile(pdf, target.data()));
        QProcess pdfimages;
        pdfimages.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
        QVERIFY(pdfimages.waitForFinished());
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi ...
        const QList<QByteArray> lines = pdfimages.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        const QList<QByteArray> image = lines.last().simplified().split(' ');
        QCOMPARE_LE(qAbs(image[3].toInt() - 1039), 1); // (297 - 22) mm at 96 dpi
        QCOMPARE_LE(qAbs(image[4].toInt() - 661), 1);  // (210 - 35) mm at 96 dpi
        QCOMPARE(image[12].toInt(), 96);
    }
};

QTEST_MAIN(LayoutDrawingTest)

#include "layout_drawing_test.moc"

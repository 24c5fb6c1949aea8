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
    document.setTitle(DocumentKind::LayoutDrawing);
    document.drawing() = drawing;
    RecordingSurface surface;
    if (insatu(surface, document).status != PrintOutcome::Status::Printed)
        qWarning("the layout drawing did not print");
    return surface.operations();
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
        CurrentDocument document;
        document.setTitle(DocumentKind::LayoutDrawing);
        document.drawing() = drawing;

        const int dpi = 300;
        ImageTarget target(dpi);
        PainterSurface surface(target);
        QCOMPARE(insatu(surface, document).status, PrintOutcome::Status::Printed);
        const QImage& page = target.image();
        const auto at = [&](double xMm, double yMm) {
            return page.pixelColor(int(xMm / 25.4 * dpi), int(yMm / 25.4 * dpi));
        };
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

    // A photograph far larger than the paper goes into the PDF at full resolution, but only
    // as far as it lies on the page: right of x 22 mm and below y 35 mm of A4 landscape.
    void onlyThePartOnThePageGoesIntoThePdf() {
        CurrentDocument document;
        document.setTitle(DocumentKind::LayoutDrawing);
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

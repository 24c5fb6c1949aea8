#include "traced_page.h"

#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/field_store.h"
#include "print/dispatch.h"
#include "print/layouts/consent_letter.h"
#include "print/layouts/parking_consent_certificate.h"
#include "print/layouts/power_of_attorney.h"
#include "print/layouts/self_declaration.h"
#include "print/layouts/transfer_certificate.h"

#include <QTest>

using namespace mivo;

namespace {

struct Layout {
    const char* name;
    void (*print)(PrinterSurface&, const FieldStore&);
    std::span<const ValueGap> (*gaps)();
    int first, last;
};

const Layout kLayouts[] = {
    {"委任状", PrintPowerOfAttorney, PowerOfAttorneyGaps, 62, 78},
    {"譲渡証明書", PrintTransferCertificate, TransferCertificateGaps, 40, 61},
    {"承諾書", PrintConsentLetter, ConsentLetterGaps, 22, 29},
    {"保管場所証明書", PrintParkingConsentCertificate, ParkingConsentCertificateGaps, 0, 21},
    {"自認書", PrintSelfDeclaration, SelfDeclarationGaps, 30, 39},
};

// Each field holds one character of its own, which tells its text from the page's wording.
constexpr char16_t kMarkerBase = 0xE000;

const QRectF kPage(0, 0, 297, 210);

bool overlaps(const QRectF& a, const QRectF& b) {
    const QRectF both = a.intersected(b);
    return both.width() > 0.01 && both.height() > 0.01;
}

} // namespace

// Every value's gap, as its layout's table gives it, lies on the page and touches none of the
// page's own texts and rules; every field the page prints has one.
class ValueGapsTest : public QObject {
    Q_OBJECT

  private slots:
    void gapsAreFree_data() {
        QTest::addColumn<int>("layout");
        for (int i = 0; i < int(std::size(kLayouts)); ++i)
            QTest::newRow(kLayouts[i].name) << i;
    }
    void gapsAreFree() {
        QFETCH(int, layout);
        const Layout& l = kLayouts[layout];
        FieldStore fields;
        for (int i = l.first; i <= l.last; ++i)
            fields.setValue(i, QString(QChar(kMarkerBase + i)));
        RecordingSurface surface;
        l.print(surface, fields);
        const TracedPage page = tracedPage(surface);

        std::vector<TracedText> wording;
        std::map<int, TracedText> values;
        for (const TracedText& t : page.texts) {
            if (t.text.size() == 1 && t.text.front().unicode() >= kMarkerBase)
                values[t.text.front().unicode() - kMarkerBase] = t;
            else
                wording.push_back(t);
        }
        QCOMPARE(int(values.size()), l.last - l.first + 1);
        QCOMPARE(int(l.gaps().size()), l.last - l.first + 1);
        for (const ValueGap& gap : l.gaps()) {
            QVERIFY(values.count(gap.field));
            const TracedText& value = values[gap.field];
            const double unit = value.twips ? MillimetresPerTwip : 1.0;
            const QRectF box = value.box;
            const double bottom = std::max(box.bottom(), gap.bottom * unit);
            const QRectF room(box.topLeft(), QPointF(gap.right * unit, bottom));
            // The free edge to the right on the value's line, to say what the table should hold.
            double free = kPage.right();
            for (const QRectF& r : page.rules)
                if (r.left() >= box.left() && r.top() < box.bottom() && r.bottom() > box.top())
                    free = std::min(free, r.left());
            for (const TracedText& t : wording)
                for (const QRectF& r : t.inked)
                    if (r.left() >= box.left() && r.top() < box.bottom() && r.bottom() > box.top())
                        free = std::min(free, r.left());
            const QString where = QStringLiteral("field %1: gap to %2, free to %3 mm (%4)")
                                      .arg(gap.field)
                                      .arg(gap.right * unit)
                                      .arg(free)
                                      .arg(value.twips ? free / unit : free);
            QVERIFY2(room.width() > 0 && kPage.contains(room), qPrintable(where));
            for (const TracedText& t : wording)
                for (const QRectF& r : t.inked)
                    QVERIFY2(!overlaps(room, r),
                             qPrintable(where + QStringLiteral(" over ") + t.text));
            for (const QRectF& r : page.rules)
                QVERIFY2(!overlaps(room, r), qPrintable(where + QStringLiteral(" over a rule")));
        }
    }

    // What the boxes are told is what printing does: a sample address fits as typed, a long
    // one is fitted whole, and one far too long prints at the limits, only as far as it goes.
    void fitStateIsWhatPrints() {
        const QString address = QStringLiteral(
            "東京都練馬区豊玉北六丁目12番1号 サンシャインマンション練馬豊玉北 1203号室");
        QCOMPARE(fitStateOf(70, QStringLiteral("東京都品川区東品川一丁目1番1号")), FitState::Fits);
        QCOMPARE(fitStateOf(70, address), FitState::Fitted);
        const QString tooLong = address.repeated(4);
        QCOMPARE(fitStateOf(70, tooLong), FitState::DoesNotFit);

        CurrentDocument document;
        document.setTitle(titleOf(DocumentKind::PowerOfAttorney));
        document.fields().setValue(70, tooLong);
        RecordingSurface surface;
        QCOMPARE(insatu(surface, document).status, PrintOutcome::Status::Printed);
        const auto& ops = surface.operations();
        const auto note = std::find_if(ops.begin(), ops.end(),
                                       [](const auto& op) { return op.name == u"NoteFit"; });
        QVERIFY(note != ops.end());
        QCOMPARE(note->args, (QVariantList{70, QStringLiteral("DoesNotFit")}));
        const auto& printed = *(note - 3); // the value, before the size and stretch go back
        QCOMPARE(printed.name, QStringLiteral("PrintText"));
        const QStringList lines = printed.args.value(0).toString().split(u'\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(tooLong.startsWith(lines[0]));
        const QRectF room = tracedPage(surface).texts.back().box;
        QCOMPARE_LE(room.right(), 148.0);
        QCOMPARE_LE(room.bottom(), 134.8);
    }
};

QTEST_MAIN(ValueGapsTest)
#include "value_gaps_test.moc"

#include "chooser_driver.h"
#include "fake_prompts.h"
#include "top_level_windows.h"

#include "cases/case_database.h"
#include "document/document_kind.h"
#include "document/field_catalogue.h"
#include "document/field_value.h"
#include "forms/caption_label.h"
#include "forms/document_forms.h"
#include "print/dispatch.h"
#include "print/recording_surface.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

using namespace mivo;

class FrmininTest : public QObject {
    Q_OBJECT

    CurrentDocument document_;
    CaseParticulars particulars_;
    FakePrompts prompts_;

    static Frminin* form(MDIForm1& main) {
        const QList<Frminin*> forms = chooser::forms(main);
        return forms.size() == 1 ? forms.first() : nullptr;
    }

    static QLineEdit* box(QWidget* form, int index) {
        return form->findChild<QLineEdit*>(QStringLiteral("tx(%1)").arg(index));
    }
    static QLineEdit* box(MDIForm1& main, int index) { return box(form(main), index); }

    // The form on its own, showing the page of `title`.
    Frminin* openForm(const QString& title) {
        document_.setTitle(title);
        auto* form = new Frminin(document_, particulars_, prompts_);
        form->showPage(*documentForm(findDocument(title)->kind).page);
        form->show();
        return form;
    }

    static QWidget* page(Frminin* form, int k) {
        return form->findChild<QWidget*>(QStringLiteral("Frame1(%1)").arg(k));
    }

    static int visiblePages(Frminin* form) {
        int visible = 0;
        for (int k = 0; k < Frminin::PageCount; ++k)
            visible += page(form, k)->isVisible() ? 1 : 0;
        return visible;
    }

  private slots:
    void cleanup() {
        deleteTopLevelWindows();
        document_.clear();
    }

    // Every index once, in the run of a document that has a page, inside the page and clear of
    // the document's other boxes.
    void catalogueCoversEveryFieldOnce() {
        const QRect pageRect(0, 0, 11295, 6900);
        QList<int> seen(FieldStore::Count, 0);
        for (const FieldInfo& field : fieldCatalogue()) {
            QVERIFY(FieldStore::isIndex(field.index));
            ++seen[field.index];
            const auto owner = std::ranges::find_if(
                documents(), [&](const DocumentInfo& d) { return d.fields.contains(field.index); });
            QVERIFY(owner != documents().end() && documentForm(owner->kind).page);
            const QRect place(field.left, field.top, field.width, field.height);
            QVERIFY2(pageRect.contains(place), qPrintable(QString::number(field.index)));
            for (const FieldInfo& other : fieldCatalogue()) {
                if (owner->fields.contains(other.index) && other.index != field.index) {
                    QVERIFY2(
                        !place.intersects({other.left, other.top, other.width, other.height}),
                        qPrintable(
                            QStringLiteral("tx(%1) tx(%2)").arg(field.index).arg(other.index)));
                }
            }
        }
        QCOMPARE(seen, QList<int>(FieldStore::Count, 1));
    }

    // The ink of every word of a caption, in the caption's coordinates.
    static QList<std::pair<QString, QRectF>> inkOf(CaptionLabel* caption) {
        const QFontMetricsF metrics(caption->font());
        QList<std::pair<QString, QRectF>> inks;
        for (const CaptionLabel::Run& word : caption->words()) {
            const QRectF tight = metrics.tightBoundingRect(word.text);
            const qreal scale = word.place.width() / metrics.horizontalAdvance(word.text);
            inks.append({word.text, QRectF(word.place.left() + tight.left() * scale,
                                           metrics.ascent() + tight.top(), tight.width() * scale,
                                           tight.height())});
        }
        return inks;
    }

    // No word of a caption lies under a box or outside its own place or its page.
    void captionsStayClearOfTheBoxes() {
        Frminin* frminin = openForm(titleOf(DocumentKind::PowerOfAttorney));
        for (int k = 0; k < Frminin::PageCount; ++k) {
            QWidget* frame = page(frminin, k);
            const QList<QLineEdit*> boxes = frame->findChildren<QLineEdit*>();
            const QList<CaptionLabel*> captions = frame->findChildren<CaptionLabel*>();
            QVERIFY(!captions.isEmpty());
            for (CaptionLabel* caption : captions) {
                for (const auto& [text, ink] : inkOf(caption)) {
                    const QString what = caption->text() + QStringLiteral(": ") + text;
                    // Glyph outlines are measured rounded outward to whole pixels.
                    const QRectF place = QRectF(caption->rect()).adjusted(-1, -1, 1, 1);
                    QVERIFY2(place.contains(ink), qPrintable(what));
                    const QRectF onPage = ink.translated(caption->pos());
                    QVERIFY2(QRectF(frame->rect()).contains(onPage), qPrintable(what));
                    for (QLineEdit* box : boxes)
                        QVERIFY2(!onPage.intersects(box->geometry()),
                                 qPrintable(what + QStringLiteral(" / ") + box->objectName()));
                }
            }
        }
    }

    // The misprinted and the outdated wording is mended on screen.
    void captionsSayReiwaAndPoliceStation() {
        QStringList texts;
        for (CaptionLabel* caption :
             openForm(titleOf(DocumentKind::SelfDeclaration))->findChildren<CaptionLabel*>())
            texts << caption->text();
        for (const FieldInfo& field : fieldCatalogue())
            texts << QString::fromUtf16(field.label);
        QVERIFY(texts.contains(QStringLiteral("警察署長　殿")));
        QVERIFY(texts.contains(QStringLiteral("令和　　　　　　年")));
        for (const QString& text : texts) {
            QVERIFY2(!text.contains(QStringLiteral("平成")), qPrintable(text));
            QVERIFY2(!text.contains(QStringLiteral("警察所長")), qPrintable(text));
        }
    }

    // The name comes before the telephone boxes; after 閉じる the order wraps to the start.
    void tabOrderOfTheParkingPage() {
        Frminin* form = openForm(titleOf(DocumentKind::ParkingConsentCertificate));
        QApplication::setActiveWindow(form);
        QCOMPARE(QApplication::focusWidget(), box(form, 0));
        QStringList visited;
        for (int i = 0; i < 24; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QStringList expected{"tx(1)", "tx(2)", "tx(6)", "tx(3)", "tx(4)", "tx(5)"};
        for (int i = 7; i <= 21; ++i)
            expected << QStringLiteral("tx(%1)").arg(i);
        expected << "cmdexit"
                 << "tx(0)"
                 << "tx(1)";
        QCOMPARE(visited, expected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdexit"));
    }

    void closingDiscardsTheDocument_data() {
        QTest::addColumn<QString>("by");
        QTest::newRow("閉じる") << "cmdexit";
        QTest::newRow("close box") << "close box";
        QTest::newRow("Exit") << "exit";
    }
    // Without keeping: with it, the case keeps the values and the next opening shows them.
    void closingDiscardsTheDocument() {
        QFETCH(QString, by);
        setKeepingEnabled(false);
        const auto keepAgain = qScopeGuard([] { setKeepingEnabled(true); });
        MDIForm1 main;
        main.show();
        chooser::pick(main, 4);
        chooser::typeThroughInputMethod(box(main, 62), QStringLiteral("山田太郎"));
        QCOMPARE(main.document().fields().value(62), QStringLiteral("山田太郎"));
        if (by == QLatin1String("cmdexit"))
            QTest::mouseClick(form(main)->findChild<QPushButton*>(by), Qt::LeftButton);
        else if (by == QLatin1String("exit"))
            chooser::trigger(main, "exit");
        else
            form(main)->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY(!main.document().isOpen());
        QCOMPARE(main.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QString());
        QCOMPARE(main.document().fields().value(62), QString());
        QVERIFY(main.mdiArea()->subWindowList().isEmpty());

        main.show();
        chooser::pick(main, 4);
        QCOMPARE(visiblePages(form(main)), 1);
        QCOMPARE(box(main, 62)->text(), QString());
    }

    // Any text, exactly as typed: blanks at either end, full-width letters, up to the length of
    // a value; a longer paste is refused whole, not cut.
    void boxesKeepEveryCharacter() {
        Frminin* form = openForm(titleOf(DocumentKind::SelfDeclaration));
        chooser::typeThroughInputMethod(box(form, 34), QStringLiteral("　１２"));
        QTest::keyClicks(box(form, 34), QStringLiteral("ab"));
        chooser::typeThroughInputMethod(box(form, 34), QStringLiteral("－３"));
        QTest::keyClicks(box(form, 34), QStringLiteral(" "));
        QCOMPARE(document_.fields().value(34), QStringLiteral("　１２ab－３ "));

        const QString pasted(kValueMaxLength, QChar(u'地'));
        QGuiApplication::clipboard()->setText(pasted);
        box(form, 35)->setFocus();
        QTest::keyClick(box(form, 35), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(document_.fields().value(35), pasted);
        QGuiApplication::clipboard()->setText(pasted + u'地');
        box(form, 36)->setFocus();
        QTest::keyClick(box(form, 36), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(document_.fields().value(36).isEmpty());
    }

    void typedValueReachesThePrintedPage_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("index");
        QTest::newRow("自認書") << titleOf(DocumentKind::SelfDeclaration) << 36;
        QTest::newRow("保管場所証明書") << titleOf(DocumentKind::ParkingConsentCertificate) << 6;
        QTest::newRow("委任状") << titleOf(DocumentKind::PowerOfAttorney) << 69;
        QTest::newRow("譲渡証明書") << titleOf(DocumentKind::TransferCertificate) << 45;
        QTest::newRow("承諾書") << titleOf(DocumentKind::ConsentLetter) << 29;
    }
    void typedValueReachesThePrintedPage() {
        QFETCH(QString, title);
        QFETCH(int, index);
        Frminin* form = openForm(title);
        chooser::typeThroughInputMethod(box(form, index), QStringLiteral("鈴木"));
        QTest::keyClicks(box(form, index), QStringLiteral(" 1-2"));
        const QString typed = QStringLiteral("鈴木 1-2");

        RecordingSurface surface;
        QCOMPARE(insatu(surface, document_).status, PrintOutcome::Status::Printed);
        const RecordingSurface::Operation printed{QStringLiteral("PrintText"), {typed}};
        QVERIFY(std::ranges::find(surface.operations(), printed) != surface.operations().end());
    }
};

QTEST_MAIN(FrmininTest)
#include "frminin_test.moc"

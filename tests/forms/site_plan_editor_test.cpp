#include "document/site_plan_file.h"
#include "fake_prompts.h"
#include "forms/site_plan_editor.h"
#include "particulars/particulars.h"

#include <QApplication>
#include <QDir>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QTest>
#include <QUndoStack>

using namespace mivo;

class SitePlanEditorTest : public QObject {
    Q_OBJECT

  private slots:
    // A template, a row of bays, a paste and a drag by keyboard, each one step back and forth:
    // every undo gives back exactly the plan before it, every redo the plan after.
    void undoAndRedoOfCompoundEdits() {
        FakePrompts prompts;
        SitePlanEditor editor(SitePlan{}, prompts);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        std::vector<QByteArray> states{sitePlanJson(editor.plan())};

        editor.useTemplate(1); // 月極駐車場 一列
        states.push_back(sitePlanJson(editor.plan()));
        if (const QString folder = qEnvironmentVariable("MIVO_ARTIFACTS"); !folder.isEmpty()) {
            QDir().mkpath(folder);
            editor.select({2});
            editor.grab().save(folder + QStringLiteral("/site_plan_editor.png"));
        }
        editor.addBayRow(3);
        QCOMPARE(editor.selection().size(), 3);
        QCOMPARE(editor.plan().objects.back().label, QStringLiteral("9")); // numbers go on
        states.push_back(sitePlanJson(editor.plan()));
        editor.copySelection();
        editor.paste();
        QCOMPARE(editor.plan().objects.size(), size_t(15));
        states.push_back(sitePlanJson(editor.plan()));
        auto* view = editor.findChild<QGraphicsView*>(QStringLiteral("planView"));
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
        states.push_back(sitePlanJson(editor.plan()));
        QTest::keyClick(view, Qt::Key_Down);
        states.push_back(sitePlanJson(editor.plan()));
        const PlanObject& moved = editor.plan().objects.back();
        QCOMPARE(moved.x, editor.plan().objects[11].x + 1.0 + 1.0); // pasted 1 m off, then 1 m
        QVERIFY(std::abs(moved.y - (editor.plan().objects[11].y + 1.0 + 0.1)) < 1e-9);

        QUndoStack& undo = editor.undoStack();
        QCOMPARE(undo.count(), 5);
        for (int step = 4; step >= 0; --step) {
            undo.undo();
            QCOMPARE(sitePlanJson(editor.plan()), states[size_t(step)]);
        }
        for (size_t step = 1; step <= 5; ++step) {
            undo.redo();
            QCOMPARE(sitePlanJson(editor.plan()), states[step]);
        }
    }

    // The handle on the selected bay's far corner resizes it with the mouse, snapped to 0.1 m,
    // in one undoable step.
    void handleResizesWithTheMouse() {
        FakePrompts prompts;
        SitePlanEditor editor(SitePlan{}, prompts);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.add(PlanKind::Bay);
        const PlanObject bay = editor.plan().objects.back();
        auto* view = editor.findChild<QGraphicsView*>(QStringLiteral("planView"));
        const QPointF corner = bay.placement().map(QPointF(bay.width, bay.depth)) * 10;
        const auto send = [&](QEvent::Type type, QPointF scene) {
            const QPoint at = view->mapFromScene(scene);
            QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &event);
        };
        const int steps = editor.undoStack().count();
        send(QEvent::MouseButtonPress, corner);
        send(QEvent::MouseMove, corner + QPointF(2.6, 10.2));
        send(QEvent::MouseButtonRelease, corner + QPointF(2.6, 10.2));
        const PlanObject resized = editor.plan().objects.back();
        QCOMPARE(resized.width, 2.8);
        QCOMPARE(resized.depth, 6.0);
        QCOMPARE(QPointF(resized.x, resized.y), QPointF(bay.x, bay.y));
        QCOMPARE(editor.undoStack().count(), steps + 1);
    }

    // A vehicle added takes the case's size (cm, typed full-width or not); without a length
    // it keeps the usual size, not a size of zero.
    void vehicleTakesTheCaseSize() {
        FakePrompts prompts;
        SitePlanEditor editor(SitePlan{}, prompts);
        Particulars particulars;
        particulars.setValue(Particular::VehicleLength, QStringLiteral("４６９"));
        particulars.setValue(Particular::VehicleWidth, QStringLiteral("169.5"));
        particulars.setValue(Particular::VehicleHeight, QStringLiteral("152"));
        editor.setCaseVehicle(particulars);
        editor.add(PlanKind::Vehicle);
        const PlanObject car = editor.plan().objects.back();
        QCOMPARE(car.depth, 4.69);
        QCOMPARE(car.width, 1.695);
        QCOMPARE(car.height, std::optional(1.52));
        particulars.setValue(Particular::VehicleLength, {});
        editor.setCaseVehicle(particulars);
        editor.add(PlanKind::Vehicle);
        QVERIFY(editor.plan().objects.back().depth > 4);
    }
};

QTEST_MAIN(SitePlanEditorTest)
#include "site_plan_editor_test.moc"

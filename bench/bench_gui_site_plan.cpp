// The 配置図 with 500 objects: what it adds to printing the page, opening the editor, one
// frame of a drag in the editor, the end of a drag, and redrawing the whole view.

#include "bench_table.h"
#include "document/current_document.h"
#include "document/document_kind.h"
#include "forms/prompts.h"
#include "forms/site_plan_editor.h"
#include "print/dispatch.h"
#include "print/page_target.h"
#include "print/painter_surface.h"

#include <QApplication>
#include <QGraphicsItem>
#include <QGraphicsView>
#include <QMouseEvent>

using namespace mivo;

namespace {

// 20 rows of 24 bays, the applied one, a road, an entrance and fences: 500 objects in all.
SitePlan largePlan() {
    SitePlan plan;
    plan.north = 30;
    for (int row = 0; row < 20; ++row) {
        for (PlanObject& bay : bayRow(0, row * 5.5, 24, 2.5, 5.0, row * 24 + 1))
            plan.objects.push_back(std::move(bay));
    }
    plan.objects[30].applied = true;
    PlanObject road;
    road.kind = PlanKind::Road;
    road.x = -2;
    road.y = 110;
    road.length = 64;
    road.width = 8;
    plan.objects.push_back(road);
    PlanObject entrance;
    entrance.kind = PlanKind::Entrance;
    entrance.y = 110;
    entrance.width = 6;
    plan.objects.push_back(entrance);
    while (plan.objects.size() < 500) {
        PlanObject fence;
        fence.kind = PlanKind::Line;
        const double y = -1 - double(plan.objects.size() % 18) * 0.1;
        fence.points = {{-1, y}, {61, y}};
        plan.objects.push_back(fence);
    }
    return plan;
}

double printMs(const CurrentDocument& document, int runs) {
    return bench::medianMs(runs, [&] {
        PdfTarget target({});
        PainterSurface surface(target);
        if (insatu(surface, document).status != PrintOutcome::Status::Printed)
            qFatal("the layout drawing did not print");
    });
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const SitePlan plan = largePlan();
    constexpr int kRuns = 9;

    CurrentDocument document;
    document.setTitle(titleOf(DocumentKind::LayoutDrawing));
    const double empty = printMs(document, kRuns);
    document.drawing().sitePlan = plan;
    document.drawing().printSitePlan = true;
    const double drawn = printMs(document, kRuns);
    bench::row("配置図 of 500 objects: added to printing the page to PDF", drawn - empty, "ms", 20,
               kRuns);

    const std::unique_ptr<Prompts> prompts = desktopPrompts();
    bench::row("配置図 editor with 500 objects: open and show",
               bench::medianMs(kRuns,
                               [&] {
                                   SitePlanEditor editor(plan, *prompts);
                                   editor.show();
                                   QApplication::processEvents();
                               }),
               "ms", 200, kRuns);

    SitePlanEditor editor(plan, *prompts);
    editor.resize(1280, 800);
    editor.show();
    QApplication::processEvents();
    auto* view = editor.findChild<QGraphicsView*>(QStringLiteral("planView"));
    QWidget* viewport = view->viewport();
    // A drag as the mouse makes it: pressed on the object in the middle of the view, then
    // moved a few pixels a frame; each frame repaints what the move exposed.
    QPoint at = viewport->rect().center();
    if (!view->itemAt(at))
        qFatal("no object in the middle of the view");
    const auto send = [&](QEvent::Type type, Qt::MouseButton button) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, viewport->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
        QApplication::processEvents();
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    int step = 0;
    bench::row("配置図 editor with 500 objects: one frame of a drag",
               bench::medianMs(60,
                               [&] {
                                   ++step;
                                   at += QPoint(step % 20 < 10 ? 4 : -4, step % 2 ? 3 : -3);
                                   send(QEvent::MouseMove, Qt::NoButton);
                               }),
               "ms", 16, 60);
    bench::row(
        "配置図 editor with 500 objects: a drag's end (the change, the checks) and next press",
        bench::medianMs(9,
                        [&] {
                            send(QEvent::MouseButtonRelease, Qt::LeftButton);
                            send(QEvent::MouseButtonPress, Qt::LeftButton);
                            at += QPoint(6, 6);
                            send(QEvent::MouseMove, Qt::NoButton);
                        }),
        "ms", 0, 9);
    send(QEvent::MouseButtonRelease, Qt::LeftButton);
    bench::row("配置図 editor with 500 objects: the whole view redrawn (zoom, scroll)",
               bench::medianMs(20, [&] { viewport->repaint(); }), "ms", 0, 20);
    return 0;
}

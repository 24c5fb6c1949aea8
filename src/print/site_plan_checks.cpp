#include "print/site_plan_checks.h"

#include "document/layout_drawing_state.h"
#include "document/site_plan.h"
#include "print/site_plan_print.h"

#include <algorithm>

namespace mivo {
namespace {

bool any(const SitePlan& plan, PlanKind kind) {
    return std::ranges::any_of(plan.objects, [&](const PlanObject& o) { return o.kind == kind; });
}

void vehicleFindings(const SitePlan& plan, const PlanObject& bay, QStringList& findings) {
    for (const PlanObject& car : plan.objects) {
        if (car.kind != PlanKind::Vehicle || car.width <= 0 || car.depth <= 0)
            continue;
        if (car.depth >= bay.depth) {
            findings << QStringLiteral("車両の長さ %1 が保管場所の奥行き %2 に収まりません。")
                            .arg(metresText(car.depth), metresText(bay.depth));
        }
        if (car.width >= bay.width) {
            findings << QStringLiteral("車両の幅 %1 が保管場所の幅 %2 に収まりません。")
                            .arg(metresText(car.width), metresText(bay.width));
        }
        if (car.height && bay.heightLimit && *car.height >= *bay.heightLimit) {
            findings << QStringLiteral("車両の高さ %1 が高さ制限 %2 を超えています。")
                            .arg(metresText(*car.height), metresText(*bay.heightLimit));
        }
    }
}

} // namespace

QStringList sitePlanFindings(const SitePlan& plan) {
    QStringList findings;
    const auto applied = std::ranges::count_if(
        plan.objects, [](const PlanObject& o) { return o.kind == PlanKind::Bay && o.applied; });
    const PlanObject* bay = plan.appliedBay();
    if (!bay) {
        findings << QStringLiteral(
            "保管場所がありません。区画を一つ選んで「保管場所」にしてください。");
    } else if (applied > 1) {
        findings << QStringLiteral("保管場所が %1 つあります。一つにしてください。").arg(applied);
    }
    if (bay && (bay->width <= 0 || bay->depth <= 0))
        findings << QStringLiteral("保管場所の幅と奥行きを入れてください。");
    if (!any(plan, PlanKind::Road)) {
        findings << QStringLiteral("保管場所に接する道路を描いてください。");
    } else if (std::ranges::any_of(plan.objects, [](const PlanObject& o) {
                   return o.kind == PlanKind::Road && o.width <= 0;
               })) {
        findings << QStringLiteral("道路の幅員を入れてください。");
    }
    if (!any(plan, PlanKind::Entrance)) {
        findings << QStringLiteral("出入口を描いてください。");
    } else if (std::ranges::any_of(plan.objects, [](const PlanObject& o) {
                   return o.kind == PlanKind::Entrance && o.width <= 0;
               })) {
        findings << QStringLiteral("出入口の幅を入れてください。");
    }
    if (!plan.north)
        findings << QStringLiteral("方位（北の向き）を入れてください。");
    if (bay && bay->width > 0 && bay->depth > 0)
        vehicleFindings(plan, *bay, findings);
    if (!sitePlanScale(plan))
        findings << QStringLiteral("配置図が大きすぎて 1/1000 でも欄に収まりません。");
    return findings;
}

QStringList drawingFindings(const LayoutDrawingState& drawing) {
    QStringList lines;
    if (drawing.printSitePlan) {
        for (const QString& finding : sitePlanFindings(drawing.sitePlan))
            lines << QStringLiteral("配置図: ") + finding;
    }
    return lines;
}

} // namespace mivo

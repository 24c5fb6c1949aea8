#pragma once

#include "document/site_plan.h"

#include <span>

namespace mivo {

// A plan to start drawing from: its name in the editor's menu and how it is made.
struct SitePlanTemplate {
    const char16_t* name;
    SitePlan (*make)();
};

// 自宅の敷地, 月極駐車場 一列, 月極駐車場 二列と通路, 立体・機械式.
std::span<const SitePlanTemplate> sitePlanTemplates();

} // namespace mivo

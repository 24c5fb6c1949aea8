#include "cases/case_document.h"

#include "cases/case_store.h"
#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/location_file.h"
#include "document/picture_file.h"
#include "document/site_plan_file.h"
#include "particulars/fill_rules.h"

namespace mivo {

CaseMaps decodeMaps(const Case& c) {
    CaseMaps maps;
    for (const auto& [bytes, image, name] :
         {std::tuple{&c.locationMap, &maps.location, QStringLiteral("所在図")},
          std::tuple{&c.layoutMap, &maps.layout, QStringLiteral("配置図")}}) {
        if (bytes->isEmpty())
            continue;
        PictureLoad load = loadPictureData(*bytes, name);
        if (!load.ok()) {
            maps.error = load.error;
            continue;
        }
        *image = std::move(load.picture);
    }
    if (const SitePlanRead plan = readSitePlan(c.sitePlan.toUtf8(), QStringLiteral("配置図"));
        !c.sitePlan.isEmpty() && !plan.ok())
        maps.error = plan.error;
    return maps;
}

SitePlan sitePlanOf(const Case& c) {
    if (c.sitePlan.isEmpty())
        return {};
    SitePlanRead read = readSitePlan(c.sitePlan.toUtf8(), QStringLiteral("配置図"));
    return read.ok() ? std::move(read.plan) : SitePlan{};
}

QString storedSitePlan(const SitePlan& plan) {
    return plan.isEmpty() ? QString() : QString::fromUtf8(sitePlanJson(plan));
}

std::optional<Case> findCase(CaseStore& store, const QString& idOrName, QString* error) {
    bool isId = false;
    const qint64 id = idOrName.toLongLong(&isId);
    std::optional<Case> c;
    if (isId) {
        c = store.load(id);
    } else {
        const QList<qint64> ids = store.findByName(idOrName);
        if (!ids.isEmpty())
            c = store.load(ids.first());
        else if (store.error().isEmpty())
            *error = QStringLiteral("「%1」という案件はありません。").arg(idOrName);
    }
    if (!c && error->isEmpty())
        *error = store.error();
    return c;
}

void fillDocument(const Case& c, const CaseMaps& maps, CurrentDocument& document) {
    for (int i = 0; i < FieldStore::Count; ++i)
        document.fields().setValue(i, c.values[size_t(i)]);
    for (const DocumentInfo& info : documents())
        fillEmptyFields(c.particulars, document.fields(), info.fields);
    document.drawing().locationMap = maps.location;
    document.drawing().layoutMap = maps.layout;
    document.drawing().registrationNumber = c.registrationNumber;
    document.drawing().fitLocationMap = c.fitLocationMap;
    document.drawing().fitLayoutMap = c.fitLayoutMap;
    document.drawing().sitePlan = sitePlanOf(c);
    document.drawing().printSitePlan = c.printSitePlan;
    document.drawing().location = marksOf(c);
}

LocationMarks marksOf(const Case& c) {
    if (c.locationMarks.isEmpty())
        return {};
    const LocationJson json = locationFromJson(c.locationMarks.toUtf8());
    return json.error.isEmpty() ? json.marks : LocationMarks{};
}

QString storedMarks(const LocationMarks& marks) {
    return marks.isEmpty() ? QString() : QString::fromUtf8(locationToJson(marks));
}

} // namespace mivo

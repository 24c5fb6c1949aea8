#include "render/render_input.h"

#include "cases/case_document.h"
#include "cases/case_documents.h"
#include "cases/case_store.h"
#include "document/current_document.h"
#include "document/document_kind.h"
#include "document/location_file.h"
#include "document/picture_file.h"
#include "document/site_plan_file.h"
#include "maps/fetch_location_map.h"
#include "print/site_plan_print.h"
#include "render/render_options.h"

#include <utility>

namespace mivo {

void say(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    if (!text.endsWith(u'\n'))
        std::fputc('\n', stream);
}

namespace {

// Each place without a latitude and longitude is looked up by the case's address for it;
// the address itself is never said, only which place it is (it is the user's).
bool findPlaces(MapFetcher& fetcher, LocationMarks& marks, const Particulars* particulars) {
    const struct {
        std::optional<MapMark>* mark;
        Particular address;
        const char16_t* name;
    } places[] = {{&marks.home, Particular::UserBaseOfUse, u"使用の本拠の位置"},
                  {&marks.parking, Particular::ParkingLocation, u"保管場所の位置"}};
    for (const auto& place : places) {
        if (*place.mark && (*place.mark)->geo)
            continue;
        const QString name = QString::fromUtf16(place.name);
        const QString address = particulars ? particulars->value(place.address) : QString();
        if (address.trimmed().isEmpty()) {
            say(stderr, QStringLiteral("%1に緯度と経度がなく、案件にその住所もありません。"
                                       "lat と lon を書くか、住所のある案件を --case で指定して"
                                       "ください。")
                            .arg(name));
            return false;
        }
        const GeocodeResult found = fetcher.geocode(address.trimmed());
        if (!found.place) {
            say(stderr, found.notFound ? QStringLiteral("%1の住所が見つかりませんでした。"
                                                        "案件の住所を確かめてください。")
                                             .arg(name)
                                       : found.error);
            return false;
        }
        *place.mark = MapMark{{}, found.place};
    }
    return true;
}

} // namespace

bool loadMaps(const RenderOptions& options, LayoutDrawingState& drawing,
              const Particulars* particulars) {
    for (const auto& [path, picture] : {std::pair{options.leftMap, &drawing.locationMap},
                                        {options.rightMap, &drawing.layoutMap}}) {
        if (path.isEmpty())
            continue;
        PictureLoad load = loadPictureFile(path);
        if (!load.ok()) {
            say(stderr, load.error);
            return false;
        }
        *picture = std::move(load.picture);
    }
    if (!options.location.isEmpty()) {
        LocationFile file = loadLocationFile(options.location);
        if (!file.ok()) {
            say(stderr, file.error);
            return false;
        }
        if (options.fetchMap) {
            if (!file.picture.isNull()) {
                say(stderr, QStringLiteral("所在図のファイルに地図の画像（picture）があるときは "
                                           "--fetch-map を使いません。"));
                return false;
            }
            MapSources sources = MapSources::fromSettings();
            if (!options.tiles.isEmpty())
                sources.tiles = options.tiles;
            if (!options.geocoder.isEmpty())
                sources.geocoder = options.geocoder;
            MapFetcher fetcher(sources);
            if (!findPlaces(fetcher, file.marks, particulars))
                return false;
            LocationMapFetch fetched = fetchLocationMap(fetcher, file.marks);
            if (!fetched.error.isEmpty()) {
                say(stderr, fetched.error);
                return false;
            }
            file.picture = std::move(fetched.picture);
            file.marks = fetched.marks;
        }
        if (file.picture.isNull() && !file.marks.omit) {
            say(stderr, QStringLiteral("所在図のファイルに地図の画像（picture）がありません。"
                                       "picture に画像ファイルの名前を書くか、--fetch-map "
                                       "で地図を取得してください。"));
            return false;
        }
        drawing.locationMap = std::move(file.picture);
        drawing.location = file.marks;
    }
    if (!options.layoutPlan.isEmpty()) {
        SitePlanRead read = loadSitePlanFile(options.layoutPlan);
        if (read.ok() && !sitePlanScale(read.plan))
            read.error = QStringLiteral("配置図が大きすぎて 1/1000 でも欄に収まりません。"
                                        "物の位置と大きさを確かめてください。");
        if (!read.ok()) {
            say(stderr, read.error);
            return false;
        }
        drawing.sitePlan = std::move(read.plan);
        drawing.printSitePlan = true;
    }
    if (options.number)
        drawing.registrationNumber = *options.number;
    if (options.fitMaps) // else a stored case's own choice stands
        drawing.fitLocationMap = drawing.fitLayoutMap = true;
    return true;
}

bool loadCase(const RenderOptions& options, CurrentDocument& document, QStringList& titles,
              Particulars* particulars) {
    const CaseDatabase where = options.database.isEmpty()
                                   ? CaseDatabase::fromSettings()
                                   : CaseDatabase::fromArgument(options.database);
    if (!where.ok()) {
        say(stderr, where.error);
        return false;
    }
    CaseStore store(where);
    if (!store.isOpen()) {
        say(stderr, store.error());
        return false;
    }
    QString error;
    const std::optional<Case> c = findCase(store, options.caseRef, &error);
    if (!c) {
        say(stderr, error);
        return false;
    }
    const CaseMaps maps = decodeMaps(*c);
    if (!maps.error.isEmpty()) {
        say(stderr, maps.error);
        return false;
    }
    fillDocument(*c, maps, document);
    if (particulars)
        *particulars = c->particulars;
    if (!options.allOfCase)
        return true;
    titles = documentsWithValues(*c);
    if (titles.isEmpty()) {
        say(stderr,
            QStringLiteral("案件「%1」には値のある書類がありません。").arg(options.caseRef));
        return false;
    }
    return true;
}

} // namespace mivo

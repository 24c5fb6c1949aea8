#include "print/layouts/layout_drawing.h"

#include "document/field_store.h"
#include "document/layout_drawing_state.h"
#include "document/picture_size.h"
#include "print/layout_steps.h"
#include "print/layouts/location_map.h"
#include "print/page_setup.h"
#include "print/site_plan_print.h"

namespace mivo {
namespace {

using namespace steps;

// Each map's top-left corner, in millimetres: 4 mm inside the left area below the caption
// rule, and 2 mm right of the divider. A map is drawn whole at its natural size, also where
// it runs past the divider, the frame or the page, unless the user chose to fit it.
struct MapPlace {
    QImage LayoutDrawingState::*picture;
    bool LayoutDrawingState::*fit;
    float x, y;
};
constexpr MapPlace kMaps[] = {
    {&LayoutDrawingState::locationMap, &LayoutDrawingState::fitLocationMap, 22, 35}, // 所在図
    {&LayoutDrawingState::layoutMap, &LayoutDrawingState::fitLayoutMap, 142, 35},    // 配置図
};

constexpr Step kWording[] = {
    fontSize(16),
    text(89, 10, u"保　管　場　所　の　所　在　地・配　置　図"),
    fontSize(12),
    text(42, 23, u"所　 　在　　 図  　記 　 載  　欄"),
    text(168, 23, u"配　　 置　  図　  記　 　載  　欄"),
    fontSize(11),
    text(19, 162, u"備考    1    別紙として、地図のコピーを添付できる。"),
    text(35, 168, u"2    保管場所に接する道路の幅員、保管場所の平面の寸法をメートルで記入する。"),
    text(35, 175, u"3    複数の自動車を保管する駐車場の場合、保管場所を明示する。"),
    text(35, 182, u"4    使用の本拠の位置 （住宅等) と保管場所の位置との間を線で結んで距離を記"),
    text(45, 189, u"入する。"),
    fontSize(10),
    text(197, 163, u"(注)  申請場所に申請自動車と入れ変"),
    text(205, 169, u"わるまで使用する自動車がある場"),
    text(205, 175, u"合は、その自動車の登録番号"),
    fontSize(10.5),
    text(197, 185, u"登録番号"),
};
constexpr std::int16_t kNumberX = 215, kNumberY = 185; // the registration number, as typed

constexpr Step kFrame[] = {
    line(89, 16, 208, 16),    // underline of the title
    box(18, 20, 260, 160),    // outer frame around both areas
    line(18, 31, 260, 31),    // rule under the two area captions
    line(140, 20, 140, 160),  // divider: location map left, layout drawing right
    box(197, 182, 260, 193),  // registration number box
    line(212, 182, 212, 193), // between "登録番号" and the number
};

void DrawLayoutDrawingFrame(PrinterSurface& surface) {
    const FieldStore noFields;
    LayoutPlayer(surface, noFields).play(kFrame);
}

void PrintLayoutDrawingWording(PrinterSurface& surface, const LayoutDrawingState& drawing) {
    const FieldStore noFields;
    LayoutPlayer(surface, noFields).play(kWording);
    DrawLine(surface, kNumberX, kNumberY, drawing.registrationNumber);
}

void DrawLayoutPictures(PrinterSurface& surface, const LayoutDrawingState& drawing) {
    for (const MapPlace& map : kMaps) {
        const QImage& picture = drawing.*map.picture;
        // A location map with marks, or left out, takes the whole left area; without them it
        // prints as a plain picture like the layout map.
        if (map.picture == &LayoutDrawingState::locationMap && !drawing.location.isEmpty()) {
            DrawLocationMap(surface, picture, drawing.location);
            continue;
        }
        if (map.picture == &LayoutDrawingState::layoutMap && drawing.printSitePlan) {
            drawSitePlan(surface, drawing.sitePlan);
            continue;
        }
        if (picture.isNull())
            continue;
        if (drawing.*map.fit && exceedsMapArea(picture)) {
            const QSizeF size = fittedMapSizeMm(picture);
            surface.DrawPictureScaled(picture, map.x, map.y, float(size.width()),
                                      float(size.height()));
        } else {
            surface.DrawPicture(picture, map.x, map.y);
        }
    }
    PrintLayoutDrawingWording(surface, drawing);
    DrawLayoutDrawingFrame(surface);
}

} // namespace

void PrintLayoutDrawing(PrinterSurface& surface, const LayoutDrawingState& drawing) {
    PageSetup(surface, 1);
    DrawLayoutPictures(surface, drawing);
    surface.EndJob();
}

} // namespace mivo

// Which street line a right click finds: the line's box, widened only across a thin side.
#include <gtest/gtest.h>

#include "plan_canvas.h"
#include "render/labels.h"
#include "render/styles.h"
#include "view/view.h"
#include "data/store.h"

namespace {

TEST(PointInClickBoxTest, OnlyASideThinnerThanTheToleranceIsWidened) {
    struct Case {
        const char* name;
        BBox box;
        float X, Y;
        bool inside;
    };
    const BBox flat{100, 0, 100, 200};     // no height: widened by 6 along X
    const BBox wide{60, 20, 140, 180};     // 80 x 160: never widened
    const BBox narrow{100, 0, 102, 200};   // 2 high, 200 wide: widened along X only
    const Case cases[] = {
        {"on a flat box", flat, 100, 50, true},
        {"6 m beside a flat box", flat, 106, 50, true},
        {"beyond the tolerance", flat, 106.5f, 50, false},
        {"beyond a flat box's end", flat, 100, 203, false},
        {"inside a wide box", wide, 100, 100, true},
        {"on a wide box's corner", wide, 60, 20, true},
        {"3 m outside a wide box's corner", wide, 58, 18, false},
        {"2 m outside a wide box's side", wide, 100, 18, false},
        {"beside a narrow box", narrow, 105, 100, true},
        {"beyond a narrow box's long side's end", narrow, 101, -3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PointInClickBox(c.X, c.Y, c.box, 6.0f), c.inside);
    }
}

TEST(PointInClickBoxTest, AReversedBoxIsOrderedFirst) {
    EXPECT_TRUE(PointInClickBox(100, 100, BBox{140, 180, 60, 20}, 6.0f));
    EXPECT_FALSE(PointInClickBox(58, 18, BBox{140, 180, 60, 20}, 6.0f));
}

TEST(StreetClickTest, AClickPastTheEndOfADiagonalStreetFindsNothing) {
    PlanCanvas canvas(kModeFlat);
    // 0.5 mm a metre at 4 pixels a millimetre: a pixel is 0.5 m; sx = 2 Y, sy = 200 - 2 (X - 100).
    canvas.SetView(0.5, 50.0f, 0.0f);
    canvas.SetStreets({{1, {{60, 20}, {140, 180}}}});
    canvas.SetStreetNames({{1, "ABC"}});
    canvas.SetLabels({});
    // Plan (58, 18): 2.8 m from the street's end, within the 6 m tolerance, but outside its box.
    ShowStreetNameAt(36, 284);
    EXPECT_EQ(g_label_count, 0);
    // Plan (100, 100) lies on the street.
    ShowStreetNameAt(200, 200);
    ASSERT_EQ(g_label_count, 1);
    EXPECT_EQ(g_labels[0].streetId, 1);
}

}  // namespace

#include "render/locator_picture.h"

#include <gtest/gtest.h>

#include <vector>

#include "data/store.h"
#include "platform/gdi.h"
#include "view/view.h"

namespace {

constexpr COLORREF kSea = RGB(0x96, 0xE6, 0xFF);
constexpr COLORREF kLand = RGB(0xE4, 0xCF, 0xB0);
constexpr COLORREF kGreen = RGB(0xAA, 0xFF, 0xAA);
constexpr COLORREF kDistrict = RGB(0xA0, 0x78, 0x5A);
constexpr COLORREF kMainStreet = RGB(0xDC, 0x78, 0x3C);

TEST(LocatorPicturePointTest, TheMapsHeightSpansFourHundredRowsFromTheMapCorner) {
    struct Case {
        float X, Y;
        POINT expected;
    };
    // A 10 km map: k = 10000 * 0.0025 = 25 m a pixel; x = Y / 25 + 8, y = 400 - X / 25 + 1.
    const Case cases[] = {
        {10000.0f, 0.0f, {8, 1}},
        {0.0f, 0.0f, {8, 401}},
        {5000.0f, 2500.0f, {108, 201}},
        {4990.0f, 2510.0f, {108, 201}},  // 400.4 and 108.4 truncate
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.X << ", " << c.Y);
        const POINT p = LocatorPicturePoint(c.X, c.Y, 0.0f, 0.0f, 10000.0f);
        EXPECT_EQ(p.x, c.expected.x);
        EXPECT_EQ(p.y, c.expected.y);
    }
    const POINT flat = LocatorPicturePoint(5.0f, 5.0f, 100.0f, 0.0f, 100.0f);
    EXPECT_EQ(flat.x, 0) << "a map without height has no scale";
}

// A 10 km plan held in the store for one test: land west of y = 6000, a park, a lake, one
// district, a long street and a short one.
class LocatorPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        land_ = {{0, 0}, {10000, 0}, {10000, 6000}, {0, 6000}};
        district_ = {{2000, 2000}, {3000, 2000}, {3000, 3000}, {2000, 3000}, {2000, 2000}};
        areas_[0] = AreaRec{0, 4, land_.data(), {0, 0, 10000, 6000}};
        areas_[1] = AreaRec{1, 5, district_.data(), {2000, 2000, 3000, 3000}};
        park_ = {{4000, 1000}, {4000, 2000}, {5000, 2000}, {5000, 1000}};
        lake_ = {{7000, 3000}, {7000, 3500}, {7500, 3500}, {7500, 3000}};
        longStreet_ = {{1000, 500}, {9000, 500}};
        shortStreet_ = {{1000, 4000}, {1100, 4000}};
        topo1_ = LineRec{718, 4, park_.data(), {4000, 1000, 5000, 2000}};
        topo3_ = LineRec{4925, 4, lake_.data(), {7000, 3000, 7500, 3500}};
        streets_[0] = LineRec{5, 2, longStreet_.data(), {1000, 500, 9000, 500}};
        streets_[1] = LineRec{6, 2, shortStreet_.data(), {1000, 4000, 1100, 4000}};
        g_areas = areas_;
        g_area_count = 2;
        g_topo1 = &topo1_;
        g_topo1_count = 1;
        g_topo3 = &topo3_;
        g_topo3_count = 1;
        g_street_lines = streets_;
        g_street_line_count = 2;
        g_zoom = ZoomStack{};
        g_zoom.zoomDepth = 1;
        g_zoom.entries[1] = ViewRect{0, 0, 10000, 10000};
    }
    void TearDown() override {
        g_areas = nullptr;
        g_area_count = 0;
        g_topo1 = g_topo3 = g_street_lines = nullptr;
        g_topo1_count = g_topo3_count = g_street_line_count = 0;
        g_zoom = ZoomStack{};
    }

    std::vector<PackedPoint> land_, district_;
    std::vector<PlanPoint> park_, lake_, longStreet_, shortStreet_;
    AreaRec areas_[2] = {};
    LineRec topo1_ = {}, topo3_ = {}, streets_[2] = {};
};

TEST_F(LocatorPictureTest, ThePlanIsDrawnWhereTheMarkingExpectsIt) {
    const int live = GdiLiveObjectCount();
    HBITMAP picture = DrawLocatorPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(GdiLiveObjectCount(), live + 1) << "only the picture is left";
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, picture);
    struct Probe {
        const char* what;
        int x, y;
        COLORREF colour;
    };
    // Pixel (x, y) shows plan Y = (x - 8) * 25, X = (401 - y) * 25.
    const Probe probes[] = {
        {"sea east of the land", 300, 200, kSea},
        {"land", 200, 380, kLand},
        {"the park 4000..5000 x 1000..2000", 68, 221, kGreen},
        {"the lake 7000..7500 x 3000..3500", 138, 111, kSea},
        {"the district's western side y = 2000", 88, 300, kDistrict},
        {"the long street along y = 500", 28, 200, kMainStreet},
        {"the short street is left out", 168, 359, kLand},
        {"the sea beyond the map's corner row", 200, 0, kSea},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour);
    }
    EXPECT_NE(GetPixel(dc, kLocatorWidth - 1, kLocatorHeight - 1), CLR_INVALID) << "314 x 400";
    EXPECT_EQ(GetPixel(dc, kLocatorWidth, 0), CLR_INVALID);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(picture);
    EXPECT_EQ(GdiLiveObjectCount(), live);
}

TEST_F(LocatorPictureTest, NoPlanNoPicture) {
    g_zoom.zoomDepth = 0;
    EXPECT_EQ(DrawLocatorPicture(), nullptr);
    g_zoom.zoomDepth = 1;
    g_areas = nullptr;
    EXPECT_EQ(DrawLocatorPicture(), nullptr);
    g_areas = areas_;
    g_zoom.entries[1] = ViewRect{100, 0, 100, 10000};
    EXPECT_EQ(DrawLocatorPicture(), nullptr) << "a map without height";
}

}  // namespace

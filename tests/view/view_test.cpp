#include "view/view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "view/surface.h"

namespace {

int g_widthMm = 400;
int FixedWidthMm(HDC) { return g_widthMm; }

// A screen of 800 x 600 pixels and 400 x 300 mm (2 pixels per millimetre) showing a city
// of 20 km x 20 km.
class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_view = ViewState{};
        g_zoom = ZoomStack{};
        g_clientRect = RECT{0, 0, 800, 600};
        g_widthMm = 400;
        SetDeviceWidthMmQuery(FixedWidthMm);
        UpdateScreenMetrics();
        ASSERT_EQ(PushViewRect(0, 0, 20000, 20000), 1);
    }
    void TearDown() override {
        SetDeviceWidthMmQuery(nullptr);
        g_clientRect = RECT{0, 0, 0, 0};
        g_view = ViewState{};
        g_zoom = ZoomStack{};
    }

    // At 1:1000 on this screen one plan metre is 2 pixels; the view is x 1000..1300, y 2000..2400.
    void FitOneToThousand() {
        FitViewToRect(1000, 2000, 1300, 2400);
        ASSERT_DOUBLE_EQ(g_view.scale, 1.0);
    }
};

struct MetricsCase {
    const char* name;
    RECT client;
    int widthMm;  // 0: no query installed
    float screenWidthMm;
    float screenHeightMm;
    float pxPerMmX;
    float pxPerMmY;
};

TEST_F(ViewTest, UpdateScreenMetricsFromClientAndDevice) {
    const MetricsCase cases[] = {
        {"800x600 on 400 mm", {0, 0, 800, 600}, 400, 400.0f, 300.0f, 2.0f, 2.0f},
        {"1920x1080 on 480 mm", {0, 0, 1920, 1080}, 480, 480.0f, 270.0f, 4.0f, 4.0f},
        // 960 pixels at 96 per inch are 10 inches, 254 mm.
        {"no query: 96 per inch", {0, 0, 960, 720}, 0, 254.0f, 190.5f, 960.0f / 254.0f, 720.0f / 190.5f},
    };
    for (const MetricsCase& c : cases) {
        SCOPED_TRACE(c.name);
        g_clientRect = c.client;
        g_widthMm = c.widthMm;
        SetDeviceWidthMmQuery(c.widthMm != 0 ? FixedWidthMm : nullptr);
        UpdateScreenMetrics();
        EXPECT_EQ(g_view.vpRight, c.client.right);
        EXPECT_EQ(g_view.vpBottom, c.client.bottom);
        EXPECT_EQ(g_view.vpLeft, 0);
        EXPECT_EQ(g_view.vpTop, 0);
        EXPECT_FLOAT_EQ(g_view.screenWidthMm, c.screenWidthMm);
        EXPECT_FLOAT_EQ(g_view.screenHeightMm, c.screenHeightMm);
        EXPECT_FLOAT_EQ(g_view.pxPerMmX, c.pxPerMmX);
        EXPECT_FLOAT_EQ(g_view.pxPerMmY, c.pxPerMmY);
    }
}

TEST_F(ViewTest, EmptyScreenKeepsThePreviousView) {
    FitOneToThousand();
    const ViewState before = g_view;
    g_clientRect = RECT{0, 0, 0, 0};
    UpdateScreenMetrics();
    FitViewToRect(5000, 5000, 6000, 6000);
    EXPECT_EQ(g_view.xMin, before.xMin);
    EXPECT_EQ(g_view.yMax, before.yMax);
    EXPECT_EQ(g_view.scale, before.scale);

    g_clientRect = RECT{0, 0, 800, 600};
    g_widthMm = 0;  // a device that reports no physical size
    UpdateScreenMetrics();
    FitViewToRect(5000, 5000, 6000, 6000);
    EXPECT_EQ(g_view.scale, before.scale);
}

struct ScaleCase {
    float dY;  // width of a 100 m high rectangle: the fit goes by width, s = 400 / dY
    double scale;
    int detailLevel;
    int denominator;
};

TEST_F(ViewTest, FitRoundsTheDenominatorAndDerivesTheDetailLevel) {
    // 1000 / s = 2.5 * dY; N = trunc((2.5 * dY + 5) / 10) * 10.
    const ScaleCase cases[] = {
        {2000.0f, 0.2, 1, 5000},             // 1:5000
        {4001.6f, 0.1, 1, 10000},            // 10004 rounds down
        {4002.4f, 1000.0 / 10010, 0, 10010},  // 10006 rounds up
        {4004.0f, 1000.0 / 10010, 0, 10010},
        {4000.0f, 0.1, 1, 10000},
        {1600.0f, 0.25, 2, 4000},
        {800.0f, 0.5, 3, 2000},
        {400.0f, 1.0, 4, 1000},
        {184.0f, 1000.0 / 460, 4, 460},
        {180.0f, 1000.0 / 450, 5, 450},
        // Denominators whose 1000 / (1000 / N) may fall just short of N.
        {604.0f, 1000.0 / 1510, 3, 1510},
        {624.0f, 1000.0 / 1560, 3, 1560},
        {1208.0f, 1000.0 / 3020, 2, 3020},
        {2380.0f, 1000.0 / 5950, 1, 5950},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE("dY " + std::to_string(c.dY));
        FitViewToRect(5000, 5000, 5100, 5000 + c.dY);
        EXPECT_NEAR(g_view.scale, c.scale, 1e-12);
        EXPECT_EQ(g_view.detailLevel, c.detailLevel);
        EXPECT_EQ(ScaleDenominator(), c.denominator);
    }
}

struct FitCase {
    const char* name;
    ViewRect request;
    double scale;
    ViewRect view;
};

TEST_F(ViewTest, FitAnchorsOneAxisAndCentresAndClampsTheOther) {
    const FitCase cases[] = {
        // 1500 x 1000: relatively taller than the screen, fitted by height at 300 / 1500 = 1:5000;
        // the 400 mm width covers 2000 m around y 2500.
        {"by height", {1000, 2000, 2500, 3000}, 0.2, {1000, 1500, 2500, 3500}},
        {"by height, clamped right", {1000, 19000, 2500, 20000}, 0.2, {1000, 18000, 2500, 20000}},
        {"by height, clamped left", {1000, 0, 2500, 1000}, 0.2, {1000, 0, 2500, 2000}},
        // 1000 x 4000: fitted by width at 400 / 4000 = 1:10000; the 300 mm height covers 3000 m.
        {"by width", {5000, 6000, 6000, 10000}, 0.1, {4000, 6000, 7000, 10000}},
        {"by width, clamped low", {0, 6000, 1000, 10000}, 0.1, {0, 6000, 3000, 10000}},
        {"by width, clamped high", {19000, 6000, 20000, 10000}, 0.1, {17000, 6000, 20000, 10000}},
        // 1:1010 (equal aspects fit by width).
        {"rounded denominator", {1000, 2000, 1303, 2404}, 1000.0 / 1010, {1000, 2000, 1303, 2404}},
        // 1:1000 from 1002.5: the anchored axis ends 1 m short of the request.
        {"rounded denominator, shorter", {1000, 2000, 1100, 2401}, 1.0, {900, 2000, 1200, 2400}},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.name);
        FitViewToRect(c.request.xMin, c.request.yMin, c.request.xMax, c.request.yMax);
        EXPECT_NEAR(g_view.scale, c.scale, 1e-12);
        EXPECT_NEAR(g_view.xMin, c.view.xMin, 1e-3);
        EXPECT_NEAR(g_view.yMin, c.view.yMin, 1e-3);
        EXPECT_NEAR(g_view.xMax, c.view.xMax, 1e-3);
        EXPECT_NEAR(g_view.yMax, c.view.yMax, 1e-3);
    }
}

TEST_F(ViewTest, FitRefusesTooSmallAndDegenerateRectangles) {
    FitOneToThousand();
    const ViewState before = g_view;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const ViewRect cases[] = {
        {100, 100, 106, 101},  // 300 mm over 6 m: exactly 50 mm per metre
        {100, 100, 100, 200},  // no height
        {100, 100, 200, 100},  // no width
        {200, 100, 100, 300},  // reversed
        {nan, 100, 200, 300},
        {100, 100, 200, std::numeric_limits<float>::infinity()},
    };
    for (const ViewRect& r : cases) {
        SCOPED_TRACE(std::to_string(r.xMin) + " " + std::to_string(r.yMin) + " " + std::to_string(r.xMax) + " " +
                     std::to_string(r.yMax));
        FitViewToRect(r.xMin, r.yMin, r.xMax, r.yMax);
        EXPECT_EQ(g_view.scale, before.scale);
        EXPECT_EQ(g_view.detailLevel, before.detailLevel);
        EXPECT_EQ(g_view.xMin, before.xMin);
        EXPECT_EQ(g_view.yMin, before.yMin);
        EXPECT_EQ(g_view.xMax, before.xMax);
        EXPECT_EQ(g_view.yMax, before.yMax);
    }
    // Just below the limit: 300 mm over 6.1 m is 49.2 mm per metre, 1:20.
    FitViewToRect(100, 100, 106.1f, 101);
    EXPECT_NEAR(g_view.scale, 50.0, 1e-9);
}

struct ToScreenCase {
    const char* name;
    float X;
    float Y;
    int32_t sx;
    int32_t sy;
};

TEST_F(ViewTest, PlanToScreenRoundsAndClamps) {
    FitOneToThousand();
    // sx = trunc(2 (Y - 2000) + 0.5); sy = trunc(600 - (2 (X - 1000) + 0.5)).
    const ToScreenCase cases[] = {
        {"bottom left", 1000, 2000, 0, 599},
        {"top right", 1300, 2400, 800, 0},  // 600 - 600.5 truncates towards zero
        {"centre", 1150, 2200, 400, 299},
        {"just inside a pixel", 1000.2f, 2000.2f, 0, 599},
        {"next pixel", 1000.3f, 2000.3f, 1, 598},
        {"20 km left", 1150, -18000, -32000, 299},
        {"20 km right", 1150, 22000, 32000, 299},
        {"20 km up", 21000, 2200, 400, -32000},
        {"20 km down", -19000, 2200, 400, 32000},
        {"at the limit", 1150, 18000, 32000, 299},  // 32000.5
        {"below the limit", 1150, 17999.5f, 31999, 299},
        {"far away", 1e30f, -1e30f, -32000, -32000},
    };
    for (const ToScreenCase& c : cases) {
        SCOPED_TRACE(c.name);
        int32_t sx = 1;
        int32_t sy = 1;
        PlanToScreen(c.X, c.Y, &sx, &sy);
        EXPECT_EQ(sx, c.sx);
        EXPECT_EQ(sy, c.sy);
    }
    int32_t sx = 0;
    int32_t sy = 0;
    PlanToScreen(std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN(), &sx, &sy);
    EXPECT_LE(std::abs(sx), 32000);
    EXPECT_LE(std::abs(sy), 32000);
}

TEST_F(ViewTest, ScreenToPlanAndBack) {
    FitOneToThousand();
    struct Case {
        int32_t sx, sy;
        float X, Y;
    };
    // Y = sx / 2 + 2000; X = (600 - sy) / 2 + 1000.
    const Case cases[] = {{0, 600, 1000, 2000}, {800, 0, 1300, 2400}, {400, 300, 1150, 2200}, {401, 299, 1150.5f, 2200.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.sx) + "," + std::to_string(c.sy));
        float X = 0;
        float Y = 0;
        ScreenToPlan(c.sx, c.sy, &X, &Y);
        EXPECT_FLOAT_EQ(X, c.X);
        EXPECT_FLOAT_EQ(Y, c.Y);
    }
    // A pixel's plan point lies on the pixel's upper border, which rounds into the row above.
    int32_t sx = 0;
    int32_t sy = 0;
    PlanToScreen(1150.5f, 2200.5f, &sx, &sy);
    EXPECT_EQ(sx, 401);
    EXPECT_EQ(sy, 298);
}

TEST_F(ViewTest, RoundTripsStayWithinAPixel) {
    // An uneven view (1:4030) on a 1366 x 768 screen of 344 mm.
    g_clientRect = RECT{0, 0, 1366, 768};
    g_widthMm = 344;
    UpdateScreenMetrics();
    FitViewToRect(7321.5f, 4410.25f, 8100, 5349.1f);
    const double metresPerPixel = 1.0 / (g_view.scale * g_view.pxPerMmX);
    for (int32_t sx = 0; sx <= 1366; sx += 61) {
        for (int32_t sy = 0; sy <= 768; sy += 47) {
            SCOPED_TRACE(std::to_string(sx) + "," + std::to_string(sy));
            float X = 0;
            float Y = 0;
            ScreenToPlan(sx, sy, &X, &Y);
            int32_t bx = 0;
            int32_t by = 0;
            PlanToScreen(X, Y, &bx, &by);
            EXPECT_LE(std::abs(bx - sx), 1);
            EXPECT_LE(std::abs(by - sy), 1);
            float X2 = 0;
            float Y2 = 0;
            ScreenToPlan(bx, by, &X2, &Y2);
            EXPECT_LE(std::fabs(X2 - X), 1.01 * metresPerPixel);
            EXPECT_LE(std::fabs(Y2 - Y), 1.01 * metresPerPixel);
        }
    }
}

TEST_F(ViewTest, PointListsDropRepeatedPixels) {
    FitOneToThousand();
    POINT out[8] = {};
    // Every point within the bottom-left pixel.
    const float samePixel[] = {1000, 2000, 1000.1f, 2000.1f, 1000.2f, 2000.2f};
    EXPECT_EQ(PlanPointsToScreen(3, samePixel, out), 1);
    EXPECT_EQ(out[0].x, 0);
    EXPECT_EQ(out[0].y, 599);

    // Only consecutive repeats go: A A B A gives A B A.
    const float aaba[] = {1000, 2000, 1000, 2000, 1100, 2100, 1000, 2000};
    ASSERT_EQ(PlanPointsToScreen(4, aaba, out), 3);
    EXPECT_EQ(out[1].x, 200);
    EXPECT_EQ(out[1].y, 399);
    EXPECT_EQ(out[2].x, 0);
    EXPECT_EQ(out[2].y, 599);

    EXPECT_EQ(PlanPointsToScreen(0, aaba, out), 0);
    EXPECT_EQ(PlanPointsToScreen(-3, aaba, out), 0);

    const uint16_t packed[] = {1000, 2000, 1000, 2000, 1001, 2000, 65535, 65535};
    ASSERT_EQ(PackedPointsToScreen(4, packed, out), 3);
    EXPECT_EQ(out[0].x, 0);
    EXPECT_EQ(out[0].y, 599);
    EXPECT_EQ(out[1].x, 0);
    EXPECT_EQ(out[1].y, 597);  // 600 - 2.5
    // Read as unsigned: 65535 lies far up and right, not at -1.
    EXPECT_EQ(out[2].x, 32000);
    EXPECT_EQ(out[2].y, -32000);
    EXPECT_EQ(PackedPointsToScreen(0, packed, out), 0);
}

struct PushCase {
    const char* name;
    ViewRect request;
    ViewRect stored;
};

TEST_F(ViewTest, PushWidensSmallRectanglesAndClampsIntoTheCity) {
    const PushCase cases[] = {
        {"3 m x 40 m becomes the 16 m square", {1000, 2000, 1003, 2040}, {993.5f, 2012, 1009.5f, 2028}},
        {"ordinary", {1000, 2000, 3000, 5000}, {1000, 2000, 3000, 5000}},
        {"the whole city", {0, 0, 20000, 20000}, {0, 0, 20000, 20000}},
        {"beyond the high edges", {19000, 19500, 21000, 20500}, {18000, 19000, 20000, 20000}},
        {"beyond the low edges", {-500, -100, 1500, 900}, {0, 0, 2000, 1000}},
        {"small square at a corner", {-4, 19999, -2, 20001}, {0, 19984, 16, 20000}},
    };
    for (const PushCase& c : cases) {
        SCOPED_TRACE(c.name);
        const uint16_t depth = g_zoom.zoomDepth;
        ASSERT_EQ(PushViewRect(c.request.xMin, c.request.yMin, c.request.xMax, c.request.yMax), 1);
        ASSERT_EQ(g_zoom.zoomDepth, depth + 1);
        const ViewRect& e = g_zoom.entries[g_zoom.zoomDepth];
        EXPECT_FLOAT_EQ(e.xMin, c.stored.xMin);
        EXPECT_FLOAT_EQ(e.yMin, c.stored.yMin);
        EXPECT_FLOAT_EQ(e.xMax, c.stored.xMax);
        EXPECT_FLOAT_EQ(e.yMax, c.stored.yMax);
    }
    const ViewRect& city = g_zoom.entries[1];
    EXPECT_EQ(city.xMin, 0.0f);
    EXPECT_EQ(city.xMax, 20000.0f);
}

TEST_F(ViewTest, PushRefusesWhatCannotBeShown) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const ViewRect cases[] = {
        {0, 0, 100, 20001},
        {-1, 5000, 20000, 6000},
        {nan, 0, 100, 100},
        {0, 0, 100, std::numeric_limits<float>::infinity()},
    };
    for (const ViewRect& r : cases) {
        EXPECT_EQ(PushViewRect(r.xMin, r.yMin, r.xMax, r.yMax), 0);
        EXPECT_EQ(g_zoom.zoomDepth, 1);
    }
}

TEST(ZoomStack, FirstPushIsTheCityUnchanged) {
    g_zoom = ZoomStack{};
    EXPECT_EQ(PushViewRect(10, 20, 12, 25), 1);  // small, but nothing to widen against yet
    EXPECT_EQ(g_zoom.zoomDepth, 1);
    EXPECT_EQ(g_zoom.entries[1].xMin, 10.0f);
    EXPECT_EQ(g_zoom.entries[1].yMax, 25.0f);
    g_zoom = ZoomStack{};
}

TEST_F(ViewTest, FullStackDropsTheTenOldestNavigationEntries) {
    for (int k = 2; k <= kZoomStackSize; ++k) ASSERT_EQ(PushViewRect(k, 0, k + 100, 100), 1);
    ASSERT_EQ(g_zoom.zoomDepth, 99);

    // A refused push costs nothing, even at a full stack.
    EXPECT_EQ(PushViewRect(0, 0, 30000, 100), 0);
    EXPECT_EQ(g_zoom.zoomDepth, 99);
    EXPECT_EQ(g_zoom.entries[2].xMin, 2.0f);
    EXPECT_EQ(g_zoom.entries[99].xMin, 99.0f);

    ASSERT_EQ(PushViewRect(5000, 5000, 5100, 5100), 1);
    EXPECT_EQ(g_zoom.zoomDepth, 90);
    EXPECT_EQ(g_zoom.entries[1].xMax, 20000.0f);
    for (int k = 2; k <= 89; ++k) EXPECT_EQ(g_zoom.entries[k].xMin, static_cast<float>(k + 10)) << "entry " << k;
    EXPECT_EQ(g_zoom.entries[90].xMin, 5000.0f);
    EXPECT_EQ(g_zoom.entries[90].yMax, 5100.0f);
}

struct OverlapCase {
    const char* name;
    ViewRect a;
    ViewRect b;
    int result;
};

TEST(RectsOverlap, ClosedIntervalsOnBothAxes) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const OverlapCase cases[] = {
        {"off-centre cross", {0, 40, 100, 60}, {20, 0, 30, 70}, 1},
        {"centred cross", {0, 40, 100, 60}, {40, 0, 60, 100}, 1},
        {"touching along an edge", {0, 0, 10, 10}, {10, 0, 20, 10}, 1},
        {"touching at a corner", {0, 0, 10, 10}, {10, 10, 20, 20}, 1},
        {"apart in x", {0, 0, 10, 10}, {10.5f, 0, 20, 10}, 0},
        {"apart in y", {0, 0, 10, 10}, {0, 11, 10, 20}, 0},
        {"apart in y only, overlapping in x", {0, 0, 100, 10}, {50, 20, 60, 30}, 0},
        {"inside", {10, 10, 20, 20}, {0, 0, 100, 100}, 1},
        {"NaN edge", {nan, 0, 10, 10}, {0, 0, 100, 100}, 0},
    };
    for (const OverlapCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RectsOverlap(c.a.xMin, c.a.yMin, c.a.xMax, c.a.yMax, c.b.xMin, c.b.yMin, c.b.xMax, c.b.yMax),
                  c.result);
        EXPECT_EQ(RectsOverlap(c.b.xMin, c.b.yMin, c.b.xMax, c.b.yMax, c.a.xMin, c.a.yMin, c.a.xMax, c.a.yMax),
                  c.result);
    }
}

TEST_F(ViewTest, RectInViewAndPointInRect) {
    FitOneToThousand();  // x 1000..1300, y 2000..2400
    EXPECT_EQ(RectInView(1300, 2100, 1400, 2200), 1);     // along the top edge
    EXPECT_EQ(RectInView(1300.5f, 2100, 1400, 2200), 0);  // just above
    EXPECT_EQ(RectInView(900, 2200, 1400, 2210), 1);      // a long thin box across the view
    EXPECT_EQ(RectInView(0, 0, 20000, 20000), 1);

    EXPECT_EQ(PointInRect(0, 0, 0, 0, 10, 10), 1);
    EXPECT_EQ(PointInRect(10, 10, 0, 0, 10, 10), 1);
    EXPECT_EQ(PointInRect(10.01f, 5, 0, 0, 10, 10), 0);
    EXPECT_EQ(PointInRect(5, -0.01f, 0, 0, 10, 10), 0);
}

TEST(ScaleDenominator, WithoutAScale) {
    g_view = ViewState{};
    EXPECT_EQ(ScaleDenominator(), 0);
    g_view.scale = 1e-300;
    EXPECT_GT(ScaleDenominator(), 0);
    g_view = ViewState{};
}

}  // namespace

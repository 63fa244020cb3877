// The drawing area's physical width follows the window, not the screen.
#include <gtest/gtest.h>

#include "view/surface.h"
#include "view/view.h"

namespace {

// A screen 1600 pixels and 400 mm wide: a quarter of a millimetre a pixel.
int ScreenWidthMm(HDC) { return 400; }
int ScreenWidthPx(HDC) { return 1600; }
int NoPixels(HDC) { return 0; }

class WindowWidthTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_view = ViewState{};
        g_zoom = ZoomStack{};
        SetDeviceWidthMmQuery(ScreenWidthMm, ScreenWidthPx);
        g_clientRect = RECT{0, 0, 1600, 1200};
        UpdateScreenMetrics();
        ASSERT_EQ(PushViewRect(0, 0, 20000, 20000), 1);
    }
    void TearDown() override {
        SetDeviceWidthMmQuery(nullptr);
        g_clientRect = RECT{0, 0, 0, 0};
        g_view = ViewState{};
        g_zoom = ZoomStack{};
    }
};

TEST_F(WindowWidthTest, TheCaptionsScaleIsTheViewsWidthOverTheWindowsPhysicalWidth) {
    struct Case {
        const char* name;
        RECT client;
        float widthMm;   // 0.25 mm a pixel times the client's pixels
        float heightMm;  // the same per pixel downwards
        float dY;        // a rectangle of the screen's aspect, fitted by width
        int denominator;
    };
    const Case cases[] = {
        // 1000 m of easting on 200 mm: 1 000 000 / 200 = 5000.
        {"half the screen", {0, 0, 800, 600}, 200.0f, 150.0f, 1000.0f, 5000},
        {"maximised", {0, 0, 1600, 1200}, 400.0f, 300.0f, 2000.0f, 5000},
        // 1000 m on 250 mm: 4000.
        {"1000 x 700", {0, 0, 1000, 700}, 250.0f, 175.0f, 1000.0f, 4000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_clientRect = c.client;
        UpdateScreenMetrics();
        EXPECT_FLOAT_EQ(g_view.screenWidthMm, c.widthMm);
        EXPECT_FLOAT_EQ(g_view.screenHeightMm, c.heightMm);
        EXPECT_FLOAT_EQ(g_view.pxPerMmX, 4.0f);
        EXPECT_FLOAT_EQ(g_view.pxPerMmY, 4.0f);
        const float dX = c.dY * c.heightMm / c.widthMm;
        FitViewToRect(5000.0f, 5000.0f, 5000.0f + dX, 5000.0f + c.dY);
        EXPECT_EQ(ScaleDenominator(), c.denominator);
        const double visibleMm = (static_cast<double>(g_view.yMax) - g_view.yMin) * 1000.0;
        EXPECT_NEAR(visibleMm / g_view.screenWidthMm, c.denominator, 1e-3);
    }
}

TEST_F(WindowWidthTest, ADeviceWithoutPixelsLeavesThePreviousView) {
    g_clientRect = RECT{0, 0, 800, 600};
    UpdateScreenMetrics();
    FitViewToRect(5000.0f, 5000.0f, 5750.0f, 6000.0f);
    ASSERT_EQ(ScaleDenominator(), 5000);
    SetDeviceWidthMmQuery(ScreenWidthMm, NoPixels);
    UpdateScreenMetrics();
    EXPECT_EQ(g_view.screenWidthMm, 0.0f);
    FitViewToRect(1000.0f, 1000.0f, 3000.0f, 3000.0f);
    EXPECT_EQ(ScaleDenominator(), 5000);
}

}  // namespace

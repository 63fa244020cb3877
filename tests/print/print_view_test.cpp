// The printed page: the printer's view of the plan, the frame and the title, and the window's
// view after printing, whether the dialog printed or was cancelled.
#include "print/print_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include "platform/gdi.h"
#include "platform/print.h"
#include "render/frame.h"
#include "render/render_fixture.h"
#include "render/styles.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

std::string TempPdf(const char* name) {
    return std::string(KORVINSK_BINARY_DIR) + "/print_view_" + name + ".pdf";
}

int PdfPages(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int pages = 0;
    for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1)) {
        if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
    }
    return pages;
}

bool FileExists(const std::string& path) { return std::ifstream(path).good(); }

// ---- The printer view ----

struct ViewCase {
    const char* name;
    PrinterPage page;
    ViewRect box;
    double scale;
    int detailLevel;
    double yMin;  // the easting range follows the page; the northing range is the box's
    double yMax;
};

// Failure messages name the case instead of dumping its bytes.
void PrintTo(const ViewCase& c, std::ostream* os) { *os << c.name; }

class PrinterViewTest : public ::testing::TestWithParam<ViewCase> {};

TEST_P(PrinterViewTest, NorthingFillsThePageHeightAndEastingFollowsItsWidth) {
    const ViewCase& c = GetParam();
    g_view = ViewState{};
    ASSERT_TRUE(SetPrinterView(c.page, c.box.xMin, c.box.yMin, c.box.xMax, c.box.yMax));
    EXPECT_NEAR(g_view.scale, c.scale, 1e-9);
    EXPECT_EQ(g_view.detailLevel, c.detailLevel);
    EXPECT_EQ(g_view.xMin, c.box.xMin);
    EXPECT_EQ(g_view.xMax, c.box.xMax);
    EXPECT_NEAR(g_view.yMin, c.yMin, 0.01);
    EXPECT_NEAR(g_view.yMax, c.yMax, 0.01);
    EXPECT_EQ(g_view.vpLeft, 0);
    EXPECT_EQ(g_view.vpTop, 0);
    EXPECT_EQ(g_view.vpRight, c.page.widthPx);
    EXPECT_EQ(g_view.vpBottom, c.page.heightPx);
    // 600 pixels per inch are 600 / 25.4 pixels per millimetre.
    EXPECT_NEAR(g_view.pxPerMmX, 23.622047, 1e-5);
    EXPECT_NEAR(g_view.pxPerMmY, 23.622047, 1e-5);
    EXPECT_EQ(g_view.screenWidthMm, static_cast<float>(c.page.widthMm));
    EXPECT_EQ(g_view.screenHeightMm, static_cast<float>(c.page.heightMm));
}

// scale = page height / northing range; m = (page width - easting range * scale) / 2 / scale.
INSTANTIATE_TEST_SUITE_P(
    Pages, PrinterViewTest,
    ::testing::Values(
        // 277 / 2000 = 0.1385; m = (190 - 138.5) / 2 / 0.1385 = 185.92 m more on both sides.
        ViewCase{"Window2000mTallOn277mm",
                 {4488, 6543, 190, 277, 600, 600},
                 {1000, 3000, 3000, 4000},
                 0.1385,
                 1,
                 2814.0794,
                 4185.9206},
        // A square window on a landscape sheet: 210 / 1000 = 0.21; m = (297 - 210) / 2 / 0.21 = 207.14.
        ViewCase{"LandscapeShowsMoreLeftAndRight",
                 {7016, 4961, 297, 210, 600, 600},
                 {0, 0, 1000, 1000},
                 0.21,
                 1,
                 -207.1429,
                 1207.1429},
        // A wide window on a portrait sheet: 0.297; m = (210 - 594) / 2 / 0.297 = -646.46, cut off.
        ViewCase{"PortraitOfAWideWindowShowsLess",
                 {4961, 7016, 210, 297, 600, 600},
                 {0, 0, 1000, 2000},
                 0.297,
                 2,
                 646.4646,
                 1353.5354},
        // 297 / 100 = 2.97 mm per metre, the largest detail level; m = (210 - 297) / 2 / 2.97 = -14.65.
        ViewCase{"SmallWindowAtLevel5",
                 {4961, 7016, 210, 297, 600, 600},
                 {500, 500, 600, 600},
                 2.97,
                 5,
                 514.6465,
                 585.3535}),
    [](const ::testing::TestParamInfo<ViewCase>& info) { return std::string(info.param.name); });

TEST(PrinterView, BoxOrPageWithoutRoomLeavesTheViewAlone) {
    const PrinterPage a4{4961, 7016, 210, 297, 600, 600};
    const struct {
        const char* name;
        PrinterPage page;
        ViewRect box;
    } cases[] = {
        {"empty northing range", a4, {100, 100, 100, 200}},
        {"reversed easting range", a4, {100, 200, 200, 100}},
        {"page of no height", {4961, 7016, 210, 0, 600, 600}, {0, 0, 100, 100}},
        {"page of no resolution", {4961, 7016, 210, 297, 0, 0}, {0, 0, 100, 100}},
        {"page beyond 16-bit pixels", {40000, 56000, 841, 1189, 1200, 1200}, {0, 0, 100, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_view = ViewState{};
        g_view.scale = 0.5;
        g_view.xMax = 77.0f;
        EXPECT_FALSE(SetPrinterView(c.page, c.box.xMin, c.box.yMin, c.box.xMax, c.box.yMax));
        EXPECT_EQ(g_view.scale, 0.5);
        EXPECT_EQ(g_view.xMax, 77.0f);
        EXPECT_EQ(g_view.vpRight, 0);
    }
}

// ---- One page into a PDF printer ----

class PrintPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FreeAllMapData();
        g_zoom = ZoomStack{};
        objects_ = GdiLiveObjectCount();
        contexts_ = GdiLiveDCCount();
        CreateFixedObjects();
        BuildStyleSet();
        mapClipRegion = nullptr;
        g_printInColor = 0;
    }
    void TearDown() override {
        ReleaseStyleSet();
        DeleteFixedObjects();
        g_hdc = nullptr;
        EXPECT_EQ(GdiLiveObjectCount(), objects_);
        EXPECT_EQ(GdiLiveDCCount(), contexts_);
    }

    int objects_ = 0;
    int contexts_ = 0;
};

TEST_F(PrintPageTest, FrameHalfAMillimetreWideAndTitleFourMillimetresHigh) {
    const std::string path = TempPdf("frame");
    std::remove(path.c_str());
    HDC printer = CreatePdfPrinterDC(path.c_str(), 210, 297, 600);
    ASSERT_NE(printer, nullptr);
    const int W = GetDeviceCaps(printer, HORZRES);
    const int H = GetDeviceCaps(printer, VERTRES);
    HDC screen = CreateCompatibleDC(nullptr);
    g_hdc = screen;
    StartCallRecord(printer);
    PrintPlanDocument(printer, 1000, 1000, 3000, 2000);
    const std::vector<GdiCall> calls = GetCallRecord(printer);
    EXPECT_EQ(g_hdc, screen) << "the current context is given back";
    EXPECT_EQ(mapClipRegion, nullptr) << "the next screen paint makes its own clip";
    DeleteDC(printer);
    DeleteDC(screen);

    // 600 / 25.4 = 23.62 pixels per millimetre: the frame is trunc(11.81) = 11 pixels wide, the
    // title font trunc(-94.49) = -94, written 94 / 2 = 47 pixels in from the corner.
    ASSERT_GE(calls.size(), 2u);
    const GdiCall& frame = calls[calls.size() - 2];
    EXPECT_EQ(frame.op, GdiOp::Rectangle);
    EXPECT_EQ(frame.penInfo.width, 11);
    EXPECT_EQ(frame.penInfo.color, RGB(0, 0, 0));
    EXPECT_EQ(frame.brushInfo.style, static_cast<UINT>(BS_NULL));
    ASSERT_EQ(frame.points.size(), 2u);
    EXPECT_EQ(frame.points[0].x, 11);
    EXPECT_EQ(frame.points[0].y, 11);
    EXPECT_EQ(frame.points[1].x, W - 11);
    EXPECT_EQ(frame.points[1].y, H - 11);

    const GdiCall& title = calls.back();
    EXPECT_EQ(title.op, GdiOp::TextOut);
    EXPECT_EQ(title.text, "Korvinsk.Address plan");
    EXPECT_EQ(title.fontInfo.height, -94);
    EXPECT_TRUE(title.fontInfo.italic);
    EXPECT_EQ(title.fontInfo.weight, 400);
    EXPECT_EQ(title.fontInfo.face, "Arial Cyr");
    EXPECT_EQ(title.textColor, RGB(0, 0, 0));
    EXPECT_EQ(title.bkMode, OPAQUE);
    EXPECT_EQ(title.bkColor, RGB(255, 255, 255));
    ASSERT_EQ(title.points.size(), 1u);
    EXPECT_EQ(title.points[0].x, 47);
    EXPECT_EQ(title.points[0].y, 47);
    EXPECT_EQ(PdfPages(path), 1);
    std::remove(path.c_str());
}

TEST_F(PrintPageTest, PageOf277MillimetresForA2000MetreWindow) {
    const std::string path = TempPdf("277");
    HDC printer = CreatePdfPrinterDC(path.c_str(), 190, 277, 600);
    ASSERT_NE(printer, nullptr);
    ASSERT_EQ(GetDeviceCaps(printer, VERTSIZE), 277);
    PrintPlanDocument(printer, 4000, 5000, 6000, 6000);
    DeleteDC(printer);
    // 277 / 2000 = 0.1385 mm per metre, detail level 1; 5 mm of paper are trunc(36.1) = 36 m.
    EXPECT_NEAR(g_view.scale, 0.1385, 1e-9);
    EXPECT_EQ(g_view.detailLevel, 1);
    EXPECT_EQ(g_printMinSize, 36);
    EXPECT_EQ(g_view.screenHeightMm, 277.0f) << "the page's own height, not the screen's";
    std::remove(path.c_str());
}

// ---- The window after printing ----

class PrintViewTest : public RenderTest {
  protected:
    void TearDown() override {
        EndPrintDlgOverride();
        RenderTest::TearDown();
    }
};

TEST_F(PrintViewTest, WindowKeepsItsZoomEntryWhetherPrintedOrCancelled) {
    WritePlan(PlanContent{});
    FirstPaint();
    Show(2000, 1000, 4000, 5000);
    const ViewState before = g_view;
    const uint16_t depth = g_zoom.zoomDepth;
    const HDC window = g_hdc;
    const int contexts = GdiLiveDCCount();
    const std::string path = TempPdf("dialog");

    for (bool confirm : {true, false}) {
        SCOPED_TRACE(confirm ? "printed" : "cancelled");
        std::remove(path.c_str());
        SetPrintDlgOverride(confirm ? path.c_str() : nullptr);
        PrintView();
        EXPECT_EQ(g_zoom.zoomDepth, depth);
        EXPECT_EQ(g_hdc, window);
        EXPECT_EQ(GdiLiveDCCount(), contexts) << "the printer context is deleted";
        EXPECT_EQ(g_printDlg.Flags, static_cast<DWORD>(PD_RETURNDC));
        EXPECT_EQ(g_view.scale, before.scale);
        EXPECT_EQ(g_view.detailLevel, before.detailLevel);
        EXPECT_EQ(g_view.xMin, before.xMin);
        EXPECT_EQ(g_view.yMin, before.yMin);
        EXPECT_EQ(g_view.xMax, before.xMax);
        EXPECT_EQ(g_view.yMax, before.yMax);
        EXPECT_EQ(g_view.vpRight, before.vpRight);
        EXPECT_EQ(g_view.vpBottom, before.vpBottom);
        EXPECT_EQ(g_view.pxPerMmX, before.pxPerMmX);
        EXPECT_EQ(g_view.screenWidthMm, before.screenWidthMm);
        EXPECT_EQ(g_view.screenHeightMm, before.screenHeightMm);
        if (confirm) {
            EXPECT_EQ(PdfPages(path), 1);
        } else {
            EXPECT_FALSE(FileExists(path));
        }
    }
    // The next frame is composed as before, with a clip of its own.
    Paint();
    EXPECT_NE(mapClipRegion, nullptr);
    EXPECT_EQ(g_view.xMin, before.xMin);
    EXPECT_EQ(g_view.yMax, before.yMax);
    std::remove(path.c_str());
}

TEST_F(PrintViewTest, NothingToPrintBeforeThePlanIsLoaded) {
    const std::string path = TempPdf("unloaded");
    std::remove(path.c_str());
    SetPrintDlgOverride(path.c_str());
    PrintView();
    EXPECT_FALSE(FileExists(path)) << "no dialog, no page";
}

}  // namespace

// A left press on the detailed plan through the main window: the tip on open ground and its
// removal on the release, the building's dialog, and nothing while a palette tool is busy.
#include <string>
#include <vector>

#include "render/tip.h"
#include "search/building_info.h"
#include "shell_fixture.h"

namespace {

// The fixture's plan with one district (number 1) over the land west of Y = 3000.
class InfoPressTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        WritePlan();
        std::vector<PackedPoint> land = {{0, 0}, {10000, 0}, {10000, 6000}, {0, 6000}};
        std::vector<PackedPoint> district = {{0, 0}, {10000, 0}, {10000, 3000}, {0, 3000}};
        AreaRec outlines[2] = {{250, 4, land.data(), {0, 0, 10000, 6000}},
                               {1, 4, district.data(), {0, 0, 10000, 3000}}};
        ASSERT_TRUE(WriteAreaFile(folder.path(), BBox{0, 0, 10000, 10000}, outlines, 2));
        Start();
        // One pixel is 1.25 m: (sx, sy) is the plan point (4700 + (600 - sy) 1.25, 2500 + 1.25 sx).
        SetDetailedView(4700, 2500, 5450, 3750);
    }

    // The window's pixels in a band around a press, wide enough for any tip written there.
    std::vector<COLORREF> Around(int sx, int sy) const {
        std::vector<COLORREF> pixels;
        for (int y = sy - 30; y < sy + 30; ++y) {
            for (int x = sx - 10; x < sx + 300; ++x) pixels.push_back(GetPixel(g_hdc, x, y));
        }
        return pixels;
    }
};

TEST_F(InfoPressTest, ReleaseGivesBackWhatTheTipCovered) {
    // (200, 300) is (5075, 2750): open ground in district 1.
    const std::vector<COLORREF> before = Around(200, 300);
    Mouse(WM_LBUTTONDOWN, 200, 300, MK_LBUTTON);
    ASSERT_NE(g_tip.tipSaveBitmap, nullptr) << "the district is named";
    EXPECT_EQ(g_tip.tipX, 206);
    EXPECT_EQ(g_tip.tipY, 294);
    EXPECT_NE(Around(200, 300), before);
    Mouse(WM_LBUTTONUP, 200, 300, 0);
    EXPECT_EQ(g_tip.tipSaveBitmap, nullptr);
    EXPECT_EQ(Around(200, 300), before);
}

struct DialogSeen {
    int templateId = 0;
    int infoOpen = 0;
};

void CloseAtOnce(HWND dialog, int templateId, void* context) {
    auto* seen = static_cast<DialogSeen*>(context);
    seen->templateId = templateId;
    seen->infoOpen = g_infoOpen;
    UserClick(GetDlgItem(dialog, IDCLOSE));
}

TEST_F(InfoPressTest, PressOnTheBuildingOpensItsDialog) {
    // The building's anchor (5010, 3010) is the pixel (408, 352).
    DialogSeen seen;
    SetDialogHook(CloseAtOnce, &seen);
    Mouse(WM_LBUTTONDOWN, 408, 352, MK_LBUTTON);
    SetDialogHook(nullptr, nullptr);
    Mouse(WM_LBUTTONUP, 408, 352, 0);
    EXPECT_EQ(seen.templateId, IDD_INFO);
    EXPECT_EQ(seen.infoOpen, 1);
    EXPECT_EQ(g_infoOpen, 0);
    EXPECT_EQ(g_tip.tipSaveBitmap, nullptr);
}

TEST_F(InfoPressTest, PanToolPressShowsNothing) {
    g_paletteTool = kToolPan;
    Mouse(WM_LBUTTONDOWN, 200, 300, MK_LBUTTON);
    EXPECT_EQ(g_tip.tipSaveBitmap, nullptr);
    Mouse(WM_LBUTTONUP, 200, 300, 0);
    g_paletteTool = kToolInformation;
}

}  // namespace

// The small windows of the shell, driven as the user drives them.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "render/locator_picture.h"
#include "shell/commands.h"
#include "shell/small_windows.h"
#include "shell_fixture.h"

namespace {

class SmallWindowsTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        WritePlan();
        Start();
        g_layerStreetNames = kLayerSelect;
        g_layerBuildings = kLayerAll;
        g_layerAddresses = kLayerSelect;
    }
    void TearDown() override {
        SetDialogHook(nullptr, nullptr);
        ShellTest::TearDown();
    }

    // Runs `act` on the dialog of `templateId` while it is open.
    void OnDialog(int templateId, std::function<void(HWND)> act) {
        action_ = std::move(act);
        wanted_ = templateId;
        SetDialogHook(
            [](HWND dialog, int id, void* self) {
                auto* test = static_cast<SmallWindowsTest*>(self);
                if (id == test->wanted_ && test->action_) test->action_(dialog);
            },
            this);
    }

    bool ButtonChecked(HWND dialog, int id) {
        return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    std::function<void(HWND)> action_;
    int wanted_ = 0;
};

// ---- Layers ----

TEST_F(SmallWindowsTest, LayersStoresTheChoiceHoweverTheDialogIsClosed) {
    struct Case {
        const char* name;
        std::vector<int> clicks;
        int close;  // 0 OK, 1 Escape, 2 the close box
        int32_t streetNames, buildings, addresses;
    };
    const Case cases[] = {
        {"Escape after moving a selection", {1163}, 1, kLayerAll, kLayerAll, kLayerSelect},
        {"OK with nothing moved", {}, 0, kLayerSelect, kLayerAll, kLayerSelect},
        {"two groups, then OK", {1159, 1165}, 0, kLayerSelect, kLayerNo, kLayerNo},
        {"the close box", {1166, 1161}, 2, kLayerSelect, kLayerSelect, kLayerAll},
        {"a group changed twice keeps the last", {1162, 1164, 1163}, 1, kLayerAll, kLayerAll, kLayerSelect},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_layerStreetNames = kLayerSelect;
        g_layerBuildings = kLayerAll;
        g_layerAddresses = kLayerSelect;
        bool seenInitial = false;
        OnDialog(IDD_LAYERS, [&](HWND dialog) {
            // The current settings are shown, one button a group.
            seenInitial = ButtonChecked(dialog, 1164) && ButtonChecked(dialog, 1160) && ButtonChecked(dialog, 1167) &&
                          !ButtonChecked(dialog, 1162) && !ButtonChecked(dialog, 1163) && !ButtonChecked(dialog, 1159);
            for (int id : c.clicks) UserClick(GetDlgItem(dialog, id));
            if (c.close == 0) UserClick(GetDlgItem(dialog, IDOK));
            else if (c.close == 1) UserPressKey(GetFocus(), VK_ESCAPE);
            else UserCloseBox(dialog);
            PumpPendingMessages();
        });
        g_needRedraw = 0;
        Command(kCmdLayers);
        EXPECT_TRUE(seenInitial);
        EXPECT_EQ(g_layerStreetNames, c.streetNames);
        EXPECT_EQ(g_layerBuildings, c.buildings);
        EXPECT_EQ(g_layerAddresses, c.addresses);
        EXPECT_EQ(g_needRedraw, 1) << "a new frame, however the dialog closed";
        Pump();
    }
}

TEST_F(SmallWindowsTest, AboutClosesWithOkOrEscape) {
    const int windows = LiveWindowCount();
    for (int key : {0, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        bool shown = false;
        OnDialog(IDD_ABOUT, [&](HWND dialog) {
            shown = WindowTextUtf8(dialog) == "About";
            if (key == 0) UserClick(GetDlgItem(dialog, IDOK));
            else UserPressKey(GetFocus(), key);
            PumpPendingMessages();
        });
        Command(kCmdAbout);
        EXPECT_TRUE(shown);
        EXPECT_EQ(LiveWindowCount(), windows);
    }
}

// ---- The tool palette ----

TEST_F(SmallWindowsTest, PaletteShowsTheToolOnItsButtonsAndAsTheCursor) {
    struct Step {
        const char* name;
        int click;  // 0: open or reopen the palette
        int checked;  // the one pressed button, 0 for none
        uint32_t tool;
        HCURSOR* cursor;
    };
    const Step steps[] = {
        {"opened at start-up: information", 0, kPaletteInformation, kToolInformation, &arrowCursor},
        {"zoom rectangle", kPaletteZoomRect, kPaletteZoomRect, kToolZoomRect, &zoomRectCursor},
        {"zoom out at a point", kPaletteZoomOut, kPaletteZoomOut, kToolZoomOutAtPoint, &zoomOutCursor},
        {"pan", kPalettePan, kPalettePan, kToolPan, &panCursor},
        {"information", kPaletteInformation, kPaletteInformation, kToolInformation, &arrowCursor},
    };
    const int buttons[] = {kPaletteInformation, kPaletteZoomOut, kPaletteZoomRect, kPalettePan};
    Command(kCmdInstruments);
    ASSERT_TRUE(IsWindow(g_hwndPalette));
    EXPECT_TRUE(IsWindowVisible(g_hwndPalette));
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        if (s.click != 0) UserClick(GetDlgItem(g_hwndPalette, s.click));
        Pump();
        EXPECT_EQ(g_paletteTool, s.tool);
        for (int b : buttons) EXPECT_EQ(ButtonChecked(g_hwndPalette, b), b == s.checked) << b;
        EXPECT_EQ(ClassCursor(), *s.cursor);
    }
}

TEST_F(SmallWindowsTest, ThePaletteReopenedAfterClosingShowsNoToolAndTheArrow) {
    Command(kCmdInstruments);
    UserClick(GetDlgItem(g_hwndPalette, kPalettePan));
    ASSERT_EQ(g_paletteTool, kToolPan);
    // Its close box asks the main window to close it, through the menu command.
    UserCloseBox(g_hwndPalette);
    Pump();
    EXPECT_EQ(g_hwndPalette, nullptr);
    EXPECT_EQ(g_paletteTool, kToolNone);

    Command(kCmdInstruments);
    ASSERT_TRUE(IsWindow(g_hwndPalette));
    for (int b : {kPaletteInformation, kPaletteZoomOut, kPaletteZoomRect, kPalettePan}) {
        EXPECT_FALSE(ButtonChecked(g_hwndPalette, b)) << b;
    }
    EXPECT_EQ(ClassCursor(), arrowCursor);
    UserClick(GetDlgItem(g_hwndPalette, kPaletteZoomRect));
    EXPECT_EQ(g_paletteTool, kToolZoomRect);
    EXPECT_TRUE(ButtonChecked(g_hwndPalette, kPaletteZoomRect));
}

int g_streetSearches = 0;

TEST_F(SmallWindowsTest, TheBottomButtonOpensTheStreetSearchAndKeepsTheTool) {
    g_streetSearches = 0;
    g_toolRoutines.openStreetSearch = []() { ++g_streetSearches; };
    Command(kCmdInstruments);
    UserClick(GetDlgItem(g_hwndPalette, kPalettePan));
    UserClick(GetDlgItem(g_hwndPalette, kPaletteStreetSearch));
    Pump();
    EXPECT_EQ(g_streetSearches, 1);
    EXPECT_EQ(g_paletteTool, kToolPan);
    EXPECT_TRUE(ButtonChecked(g_hwndPalette, kPalettePan));

    // Without a search built the button does nothing.
    g_toolRoutines.openStreetSearch = nullptr;
    UserClick(GetDlgItem(g_hwndPalette, kPaletteStreetSearch));
    EXPECT_EQ(g_streetSearches, 1);
    EXPECT_EQ(g_paletteTool, kToolPan);
}

// ---- Coordinates ----

TEST_F(SmallWindowsTest, TheCoordinatesWindowFollowsTheMouse) {
    // 1.25 m a pixel: sx = 600 is Y = 12500 + 750 = 13250, the central meridian; sy = 300 is
    // X = 4000 + 300 * 1.25 = 4375.
    SetDetailedView(4000, 12500, 4750, 13750);
    g_view.yMin = 12500;
    g_view.yMax = 13750;
    Command(kCmdCoordinates);
    ASSERT_TRUE(IsWindow(g_hwndCoordinates));
    HWND window = g_hwndCoordinates;
    Mouse(WM_MOUSEMOVE, 600, 300, 0);
    // Latitude 43.0951525: 5.709 minutes, 42.55 seconds shown as 40.
    EXPECT_EQ(WindowTextUtf8(GetDlgItem(window, kCoordinatesLatitude)), " 43\u00B005'40\"");
    EXPECT_EQ(WindowTextUtf8(GetDlgItem(window, kCoordinatesLongitude)), " 132\u00B000'00\"");

    // A second command opens no second window.
    const int windows = LiveWindowCount();
    Command(kCmdCoordinates);
    EXPECT_EQ(g_hwndCoordinates, window);
    EXPECT_EQ(LiveWindowCount(), windows);

    // Escape closes it and asks only for a repaint.
    g_needRedraw = 1;
    UserPressKey(GetDlgItem(window, kCoordinatesLatitude), VK_ESCAPE);
    Pump();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(g_hwndCoordinates, nullptr);
    Mouse(WM_MOUSEMOVE, 10, 10, 0);  // nothing to write into any more
}

TEST_F(SmallWindowsTest, TheCoordinatesFieldsGiveTheFocusAway) {
    SetDetailedView(4000, 2000, 5000, 3500);
    Command(kCmdCoordinates);
    HWND edit = GetDlgItem(g_hwndCoordinates, kCoordinatesLatitude);
    UserClick(edit);
    EXPECT_NE(GetFocus(), edit);
    EXPECT_TRUE(IsWindow(g_hwndCoordinates));
}

// ---- The locator ----

TEST(LocatorMarkTest, TheRectangleFramesTheViewOnThePicture) {
    struct Case {
        const char* name;
        ViewRect view;
        LocatorMark mark;
    };
    // A 10 km map: k = 25 m a pixel; left = trunc(yMin / 25 + 22), top = trunc(400 - xMax / 25 + 15).
    const Case cases[] = {
        {"the whole map frames the map part", {0, 0, 10000, 10000}, {22, 15, 422, 415, false}},
        {"zoomed far in: tiny, with the marker", {5000, 5000, 5100, 5250}, {222, 211, 232, 215, true}},
        {"20 pixels wide needs no marker", {1000, 2000, 1500, 2500}, {102, 355, 122, 375, false}},
        {"19.96 pixels wide does", {1000, 2000, 1500, 2499}, {102, 355, 121, 375, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LocatorMark m =
            LocatorMarkOf(0, 0, 0.0f, 0.0f, 10000.0f, c.view.xMin, c.view.yMin, c.view.xMax, c.view.yMax);
        EXPECT_EQ(m.left, c.mark.left);
        EXPECT_EQ(m.top, c.mark.top);
        EXPECT_EQ(m.right, c.mark.right);
        EXPECT_EQ(m.bottom, c.mark.bottom);
        EXPECT_EQ(m.marker, c.mark.marker);
    }
}

TEST_F(SmallWindowsTest, TheSlashKeyLaysThePlansPictureOnTheWindowUntilReleased) {
    // The test plan is 10 km square: its land (y < 6000) lies left of picture column 8 + 240.
    SetDetailedView(9000, 9000, 9100, 9250);
    StartCallRecord(g_hdc);
    Send(WM_KEYDOWN, VK_OEM_2, 1);
    std::vector<GdiCall> calls = GetCallRecord(g_hdc);
    StopCallRecord(g_hdc);
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(calls[0].op, GdiOp::FillRect);
    EXPECT_EQ(calls[0].points[0].x, 13);
    EXPECT_EQ(calls[0].points[0].y, 13);
    EXPECT_EQ(calls[0].points[1].x, 330);
    EXPECT_EQ(calls[0].points[1].y, 416);
    EXPECT_EQ(calls[1].op, GdiOp::DrawEdge);
    EXPECT_EQ(calls[2].op, GdiOp::BitBlt);
    EXPECT_EQ(calls[2].points[0].x, 14);
    EXPECT_EQ(calls[2].points[1].x, kLocatorWidth);
    EXPECT_EQ(calls[2].points[1].y, kLocatorHeight);
    // The view's frame: left = trunc(9000 / 25 + 22) = 382, right = trunc(9250 / 25 + 22) = 392,
    // top = trunc(400 - 9100 / 25 + 15) = 51, bottom = trunc(400 - 360 + 15) = 55.
    int rectangles = 0;
    for (const GdiCall& call : calls) {
        if (call.op != GdiOp::Rectangle) continue;
        ++rectangles;
        EXPECT_EQ(call.points[0].x, 382);
        EXPECT_EQ(call.points[0].y, 51);
        EXPECT_EQ(call.points[1].x, 392);
        EXPECT_EQ(call.points[1].y, 55);
    }
    EXPECT_EQ(rectangles, 2) << "the road edge pen, then red";
    // The picture is the loaded plan: land at plan (5000, 3000), sea at (5000, 7000).
    EXPECT_EQ(GetPixel(g_hdc, 22 + 120, 15 + 200), RGB(0xE4, 0xCF, 0xB0));
    EXPECT_EQ(GetPixel(g_hdc, 22 + 280, 15 + 200), RGB(0x96, 0xE6, 0xFF));

    // The release asks for a repaint from the stored frame, which wipes it.
    g_needRedraw = 0;
    Send(WM_KEYUP, VK_OEM_2, 0);
    EXPECT_EQ(g_districtShown, nullptr);
    EXPECT_TRUE(PaintDue());
    Pump();
    EXPECT_EQ(GetPixel(g_hdc, 22 + 120, 15 + 200), GetPixel(g_hdcMem, 22 + 120, 15 + 200));
}

}  // namespace

// The tip a press on a street or open ground shows: where and how it is written, and that the
// release gives back every pixel it covered.
#include "render/tip.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plan_canvas.h"
#include "render/styles.h"
#include "view/surface.h"

namespace {

class TipTest : public ::testing::Test {
  protected:
    TipTest() : canvas(kModeFlat) {}
    ~TipTest() override { RemoveTip(); }

    // Rows of changing colours crossed by columns of others, so that a pixel put back from the
    // wrong place, or not at all, differs from its neighbours.
    void PaintPattern() {
        for (int y = 0; y < kCanvasHeight; ++y) {
            HBRUSH brush = CreateSolidBrush(RGB((y * 7) & 0xFF, (y * 13) & 0xFF, (y * 29) & 0xFF));
            const RECT row{0, y, kCanvasWidth, y + 1};
            FillRect(canvas.dc(), &row, brush);
            DeleteObject(brush);
        }
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(0x20, 0xC0, 0x60));
        HGDIOBJ previous = SelectObject(canvas.dc(), pen);
        for (int x = 1; x < kCanvasWidth; x += 3) {
            MoveToEx(canvas.dc(), x, 0, nullptr);
            LineTo(canvas.dc(), x, kCanvasHeight);
        }
        SelectObject(canvas.dc(), previous);
        DeleteObject(pen);
    }

    std::vector<COLORREF> Snapshot() const {
        std::vector<COLORREF> pixels;
        pixels.reserve(kCanvasWidth * kCanvasHeight);
        for (int y = 0; y < kCanvasHeight; ++y) {
            for (int x = 0; x < kCanvasWidth; ++x) pixels.push_back(canvas.Pixel(x, y));
        }
        return pixels;
    }

    static int Differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
        int count = 0;
        for (size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i] ? 1 : 0;
        return count;
    }

    PlanCanvas canvas;
};

TEST_F(TipTest, TrimmedTextIsWrittenRedOnItsBackgroundBesideTheCursor) {
    SetBkMode(canvas.dc(), OPAQUE);
    char text[] = "   Lenina ul.  ";
    canvas.StartRecording();
    ShowTip(100, 50, text, RGB(150, 255, 255));
    EXPECT_STREQ(text, "Lenina ul.") << "trimmed in place";
    // The font in the context before the tip is the one it has afterwards.
    TextOutA(canvas.dc(), 0, 0, "x", 1);
    RemoveTip();

    const std::vector<GdiCall> texts = canvas.CallsOf(GdiOp::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Lenina ul.");
    EXPECT_EQ(texts[0].points[0], (POINT{106, 44}));
    EXPECT_EQ(texts[0].textColor, RGB(0xFF, 0x00, 0x00));
    EXPECT_EQ(texts[0].bkColor, RGB(150, 255, 255));
    EXPECT_EQ(texts[0].bkMode, OPAQUE);
    EXPECT_EQ(texts[0].font, GetStockObject(ANSI_VAR_FONT));
    EXPECT_EQ(texts[1].font, g_fixed.font_label);

    // Ten narrow letters: 12 pixels each, 16 rows, and 2 pixels all round, from (104, 42).
    const std::vector<GdiCall> copies = canvas.CallsOf(GdiOp::BitBlt);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].points, (std::vector<POINT>{{104, 42}, {124, 20}, {0, 0}}));
}

TEST_F(TipTest, WideLettersWiderThanTheAllowanceAreSavedWhole) {
    // Forty capital W: each wider than a narrow letter, so only the measured width covers them.
    std::string wide(40, 'W');
    SIZE measured{};
    HGDIOBJ previous = SelectObject(canvas.dc(), GetStockObject(ANSI_VAR_FONT));
    GetTextExtentPoint32A(canvas.dc(), wide.c_str(), 40, &measured);
    SelectObject(canvas.dc(), previous);
    ShowTip(10, 100, wide.data(), RGB(255, 255, 0));
    EXPECT_GE(g_tip.tipWidth, measured.cx + 4);
    EXPECT_GE(g_tip.tipWidth, 12 * 40 + 4);
    EXPECT_GE(g_tip.tipHeight, measured.cy + 4);
}

TEST_F(TipTest, ReleaseGivesBackEveryPixelTheTipCovered) {
    struct Case {
        const char* what;
        int sx;
        int sy;
        const char* text;
    };
    const Case cases[] = {
        {"a street name", 120, 150, "Lenina ul."},
        {"wide capitals", 20, 100, "WWWWWWWWMMMMMMMM@@@@"},
        {"Cyrillic, wide", 50, 200, "\xC6\xC6\xC6\xD9\xD9\xD9\xDE\xDE"},  // ЖЖЖЩЩЩЮЮ
        {"letters reaching below and left", 200, 60, "jjjj ffff gggg qqqq"},
        {"a district with its part", 150, 280, "Central`nij district  (Gavan`)"},
        {"past the right edge", 390, 150, "Primorskij district"},
        {"past the top edge", 150, 3, "Sadovaya"},
    };
    PaintPattern();
    const std::vector<COLORREF> before = Snapshot();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetBkMode(canvas.dc(), OPAQUE);
        std::string text = c.text;
        ShowTip(c.sx, c.sy, text.data(), RGB(255, 255, 0));
        EXPECT_GT(Differences(before, Snapshot()), 0) << "the tip shows";
        RemoveTip();
        EXPECT_EQ(Differences(before, Snapshot()), 0);
        EXPECT_EQ(g_tip.tipSaveBitmap, nullptr);
    }
}

TEST_F(TipTest, SecondTipGivesBackTheFirstBeforeSaving) {
    PaintPattern();
    const std::vector<COLORREF> before = Snapshot();
    const int contexts = GdiLiveDCCount();
    SetBkMode(canvas.dc(), OPAQUE);
    std::string first = "Lenina ul.";
    std::string second = "Alpha district";
    ShowTip(100, 100, first.data(), RGB(255, 255, 0));
    // Overlapping the first: its saved copy must not hold the first tip's letters.
    ShowTip(130, 104, second.data(), RGB(150, 255, 255));
    EXPECT_EQ(GdiLiveDCCount(), contexts + 1) << "one saved copy at a time";
    RemoveTip();
    EXPECT_EQ(Differences(before, Snapshot()), 0);
    EXPECT_EQ(GdiLiveDCCount(), contexts);
}

TEST_F(TipTest, ReleaseWithoutATipDoesNothing) {
    PaintPattern();
    const std::vector<COLORREF> before = Snapshot();
    canvas.StartRecording();
    RemoveTip();
    EXPECT_TRUE(canvas.Calls().empty());
    EXPECT_EQ(Differences(before, Snapshot()), 0);
}

}  // namespace

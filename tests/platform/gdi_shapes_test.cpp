// Pixel geometry of the drawing calls: fills, pens, raster operations, clips and copies.
#include <gtest/gtest.h>

#include "platform/gdi.h"
#include "platform/gdi_canvas.h"

namespace {

using GdiShapes = GdiCanvas;

struct SelectedObjects {
    SelectedObjects(HDC dc, HPEN pen, HBRUSH brush) : dc_(dc) {
        oldPen_ = SelectObject(dc, pen);
        oldBrush_ = SelectObject(dc, brush);
    }
    ~SelectedObjects() {
        SelectObject(dc_, oldPen_);
        SelectObject(dc_, oldBrush_);
    }
    HDC dc_;
    HGDIOBJ oldPen_;
    HGDIOBJ oldBrush_;
};

HPEN StockPen(int index) { return static_cast<HPEN>(GetStockObject(index)); }
HBRUSH StockBrush(int index) { return static_cast<HBRUSH>(GetStockObject(index)); }

TEST_F(GdiShapes, FillRectCoversLeftTopToRightBottomExclusive) {
    struct Case {
        const char* name;
        RECT rect;
        int expected;
    } cases[] = {
        {"ten by ten", {10, 10, 20, 20}, 100},
        {"one pixel", {5, 5, 6, 6}, 1},
        {"no width", {5, 5, 5, 20}, 0},
        {"turned round", {20, 20, 10, 10}, 0},
        {"beyond the bitmap", {110, 110, 200, 200}, 100},
    };
    HBRUSH black = StockBrush(BLACK_BRUSH);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear(kWhite);
        FillRect(dc_, &c.rect, black);
        EXPECT_EQ(Count(kBlack), c.expected);
    }
}

TEST_F(GdiShapes, FillRectTakesASystemColourAsBrush) {
    RECT rect{0, 0, 10, 10};
    EXPECT_TRUE(FillRect(dc_, &rect, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1))));
    EXPECT_EQ(At(5, 5), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(At(10, 10), kWhite);
}

TEST_F(GdiShapes, PolygonFillsWithAlternateRule) {
    SelectedObjects objects(dc_, StockPen(NULL_PEN), StockBrush(BLACK_BRUSH));

    // A square of whole pixels: the right and bottom edges are outside.
    POINT square[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    ASSERT_TRUE(Polygon(dc_, square, 4));
    EXPECT_EQ(Count(kBlack), 100);
    EXPECT_EQ(Count(kBlack, 10, 10, 20, 20), 100);

    // A five-pointed star drawn in one stroke overlaps itself in the middle pentagon, which the
    // alternate rule leaves empty. Vertices: a pentagon of radius 50 round (60, 60), taken
    // every second one.
    Clear(kWhite);
    POINT star[] = {{60, 10}, {89, 100}, {12, 45}, {108, 45}, {31, 100}};
    ASSERT_TRUE(Polygon(dc_, star, 5));
    EXPECT_EQ(At(60, 60), kWhite) << "the centre is covered twice";
    EXPECT_EQ(At(60, 20), kBlack) << "top point";
    EXPECT_EQ(At(95, 47), kBlack) << "right point";
    EXPECT_EQ(At(40, 90), kBlack) << "lower left point";
    EXPECT_EQ(At(5, 5), kWhite);
}

TEST_F(GdiShapes, PolygonIsOutlinedWithThePen) {
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    SelectedObjects objects(dc_, red, StockBrush(BLACK_BRUSH));
    POINT square[] = {{10, 10}, {30, 10}, {30, 30}, {10, 30}};
    ASSERT_TRUE(Polygon(dc_, square, 4));
    EXPECT_EQ(At(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(At(20, 10), RGB(255, 0, 0));
    EXPECT_EQ(At(10, 20), RGB(255, 0, 0));
    EXPECT_EQ(At(20, 20), kBlack);
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    DeleteObject(red);
}

TEST_F(GdiShapes, PolygonAndPolylineRefuseTooFewPoints) {
    POINT one[] = {{10, 10}};
    EXPECT_FALSE(Polygon(dc_, one, 1));
    EXPECT_FALSE(Polyline(dc_, one, 1));
    EXPECT_FALSE(Polyline(dc_, nullptr, 3));
    EXPECT_FALSE(Polygon(dc_, one, -4));
    EXPECT_EQ(CountNot(kWhite), 0);
}

TEST_F(GdiShapes, PenWidthIsExactInPixels) {
    for (int width : {1, 2, 3, 5, 8, 13}) {
        SCOPED_TRACE(width);
        Clear(kWhite);
        HPEN pen = CreatePen(PS_SOLID, width, kBlack);
        HGDIOBJ old = SelectObject(dc_, pen);
        MoveToEx(dc_, 20, 60, nullptr);
        LineTo(dc_, 100, 60);  // across
        MoveToEx(dc_, 60, 10, nullptr);
        LineTo(dc_, 60, 40);  // down
        SelectObject(dc_, old);
        DeleteObject(pen);
        EXPECT_EQ(Count(kBlack, 50, 45, 51, 75), width) << "rows of the horizontal line";
        EXPECT_EQ(At(50, 60), kBlack);
        EXPECT_EQ(Count(kBlack, 45, 25, 75, 26), width) << "columns of the vertical line";
        EXPECT_EQ(At(60, 25), kBlack);
    }
}

TEST_F(GdiShapes, ThinLineLeavesOutItsEndPoint) {
    MoveToEx(dc_, 10, 30, nullptr);
    LineTo(dc_, 20, 30);
    EXPECT_EQ(Count(kBlack), 10);
    EXPECT_EQ(At(10, 30), kBlack);
    EXPECT_EQ(At(19, 30), kBlack);
    EXPECT_EQ(At(20, 30), kWhite);
    // LineTo moves the current position: the next line starts where this one ended.
    LineTo(dc_, 20, 40);
    EXPECT_EQ(At(20, 30), kBlack);
    EXPECT_EQ(At(20, 39), kBlack);
    EXPECT_EQ(At(20, 40), kWhite);
}

TEST_F(GdiShapes, GeometricPenWithFlatEndsStopsAtItsEndPoints) {
    LOGBRUSH brush{BS_SOLID, kBlack, 0};
    HPEN flat = ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT, 10, &brush, 0, nullptr);
    ASSERT_NE(flat, nullptr);
    HGDIOBJ old = SelectObject(dc_, flat);
    MoveToEx(dc_, 20, 60, nullptr);
    LineTo(dc_, 80, 60);
    EXPECT_EQ(Count(kBlack), 60 * 10);
    EXPECT_EQ(At(19, 60), kWhite);
    EXPECT_EQ(At(20, 60), kBlack);
    EXPECT_EQ(At(79, 60), kBlack);
    EXPECT_EQ(At(80, 60), kWhite);

    // An ordinary wide pen has round ends reaching half its width beyond the end points.
    Clear(kWhite);
    HPEN round = CreatePen(PS_SOLID, 10, kBlack);
    SelectObject(dc_, round);
    MoveToEx(dc_, 20, 60, nullptr);
    LineTo(dc_, 80, 60);
    EXPECT_EQ(At(17, 60), kBlack);
    EXPECT_EQ(At(82, 60), kBlack);
    EXPECT_EQ(At(12, 60), kWhite);

    SelectObject(dc_, old);
    DeleteObject(flat);
    DeleteObject(round);
}

TEST_F(GdiShapes, ExtCreatePenRefusesWhatItCannotDraw) {
    LOGBRUSH brush{BS_SOLID, kBlack, 0};
    DWORD styles[] = {2, 2};
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_DOT, 1, nullptr, 0, nullptr), nullptr);
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC, 1, &brush, 2, styles), nullptr);
    EXPECT_EQ(ExtCreatePen(PS_COSMETIC, 5, &brush, 0, nullptr), nullptr);
}

TEST_F(GdiShapes, DottedRubberBandPenLeavesGaps) {
    LOGBRUSH brush{BS_SOLID, RGB(255, 0, 255), 0};
    HPEN dotted = ExtCreatePen(PS_GEOMETRIC | PS_DOT, 1, &brush, 0, nullptr);
    ASSERT_NE(dotted, nullptr);
    HGDIOBJ old = SelectObject(dc_, dotted);
    SetBkMode(dc_, TRANSPARENT);
    MoveToEx(dc_, 10, 50, nullptr);
    LineTo(dc_, 110, 50);
    int drawn = Count(RGB(255, 0, 255), 10, 50, 110, 51);
    EXPECT_GT(drawn, 20);
    EXPECT_LT(drawn, 80);
    EXPECT_EQ(Count(RGB(255, 0, 255)), drawn) << "nothing off the line";
    SelectObject(dc_, old);
    DeleteObject(dotted);
}

TEST_F(GdiShapes, RectangleOutlineAndInterior) {
    // With a pen the outline runs on the outermost pixels inside (left, top, right, bottom).
    {
        SelectedObjects objects(dc_, StockPen(BLACK_PEN), StockBrush(NULL_BRUSH));
        ASSERT_TRUE(Rectangle(dc_, 10, 10, 20, 20));
    }
    EXPECT_EQ(Count(kBlack), 36);
    EXPECT_EQ(At(10, 10), kBlack);
    EXPECT_EQ(At(19, 19), kBlack);
    EXPECT_EQ(At(15, 15), kWhite);
    EXPECT_EQ(At(20, 15), kWhite);
    EXPECT_EQ(At(15, 20), kWhite);

    // Without a pen the filled area is one pixel narrower and lower.
    Clear(kWhite);
    {
        SelectedObjects objects(dc_, StockPen(NULL_PEN), StockBrush(BLACK_BRUSH));
        ASSERT_TRUE(Rectangle(dc_, 10, 10, 20, 20));
    }
    EXPECT_EQ(Count(kBlack), 81);
    EXPECT_EQ(Count(kBlack, 10, 10, 19, 19), 81);
}

TEST_F(GdiShapes, EllipseStaysInsideItsBox) {
    {
        SelectedObjects objects(dc_, StockPen(BLACK_PEN), StockBrush(NULL_BRUSH));
        ASSERT_TRUE(Ellipse(dc_, 10, 10, 31, 31));
    }
    EXPECT_EQ(Count(kBlack), Count(kBlack, 10, 10, 31, 31)) << "nothing outside the box";
    EXPECT_GT(Count(kBlack, 10, 0, 11, kHeight), 0) << "touches the left side";
    EXPECT_GT(Count(kBlack, 30, 0, 31, kHeight), 0) << "touches the right side";
    EXPECT_GT(Count(kBlack, 0, 10, kWidth, 11), 0) << "touches the top";
    EXPECT_GT(Count(kBlack, 0, 30, kWidth, 31), 0) << "touches the bottom";
    EXPECT_EQ(At(20, 20), kWhite) << "null brush";
    EXPECT_EQ(At(10, 10), kWhite) << "corners are outside";
}

TEST_F(GdiShapes, HatchBrushGapsFollowTheBackgroundMode) {
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 255));
    RECT all{0, 0, kWidth, kHeight};
    const COLORREF red = RGB(255, 0, 0);

    Clear(red);
    SetBkMode(dc_, TRANSPARENT);
    FillRect(dc_, &all, hatch);
    int blue = Count(RGB(0, 0, 255));
    EXPECT_GT(blue, kWidth * kHeight / 8);
    EXPECT_EQ(blue + Count(red), kWidth * kHeight) << "gaps keep what was there";

    Clear(red);
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, RGB(0, 255, 0));
    FillRect(dc_, &all, hatch);
    EXPECT_EQ(Count(RGB(0, 0, 255)), blue);
    EXPECT_EQ(Count(RGB(0, 0, 255)) + Count(RGB(0, 255, 0)), kWidth * kHeight) << "gaps take the background";

    DeleteObject(hatch);
}

TEST_F(GdiShapes, ClipRegionLimitsDrawing) {
    RECT all{0, 0, kWidth, kHeight};
    HBRUSH black = StockBrush(BLACK_BRUSH);

    HRGN region = CreateRectRgn(20, 30, 40, 60);
    EXPECT_EQ(SelectClipRgn(dc_, region), SIMPLEREGION);
    DeleteObject(region);  // the context keeps its own copy
    FillRect(dc_, &all, black);
    EXPECT_EQ(Count(kBlack), 20 * 30);
    EXPECT_EQ(Count(kBlack, 20, 30, 40, 60), 20 * 30);
    {
        SelectedObjects objects(dc_, StockPen(BLACK_PEN), StockBrush(BLACK_BRUSH));
        MoveToEx(dc_, 0, 100, nullptr);
        LineTo(dc_, 120, 100);
        POINT triangle[] = {{0, 70}, {119, 70}, {60, 119}};
        Polygon(dc_, triangle, 3);
    }
    EXPECT_EQ(Count(kBlack), 20 * 30) << "lines and polygons are clipped too";

    HRGN empty = CreateRectRgn(50, 50, 50, 80);
    EXPECT_EQ(SelectClipRgn(dc_, empty), NULLREGION);
    DeleteObject(empty);
    Clear(kWhite);
    EXPECT_EQ(Count(kBlack), 20 * 30) << "an empty region clips everything";

    SelectClipRgn(dc_, nullptr);
    FillRect(dc_, &all, black);
    EXPECT_EQ(Count(kBlack), kWidth * kHeight);
}

TEST_F(GdiShapes, NotTwiceRestoresTheLine) {
    const COLORREF ground = RGB(10, 200, 30);
    Clear(ground);
    SetROP2(dc_, R2_NOT);
    for (int pass = 1; pass <= 2; ++pass) {
        SCOPED_TRACE(pass);
        MoveToEx(dc_, 10, 30, nullptr);
        LineTo(dc_, 100, 70);
        if (pass == 1) {
            EXPECT_EQ(At(10, 30), RGB(245, 55, 225));
            EXPECT_EQ(CountNot(ground), 90) << "one pixel per step along x, the end point left out";
        }
    }
    EXPECT_EQ(Count(ground), kWidth * kHeight);
    EXPECT_EQ(SetROP2(dc_, R2_COPYPEN), R2_NOT);
}

TEST_F(GdiShapes, NotInvertsEachPixelOfAClosedRubberBandOnce) {
    // The zoom rectangle is a five-point polyline back to its start; under NOT a corner shared
    // by two lines must still show.
    SetROP2(dc_, R2_NOT);
    POINT band[] = {{20, 20}, {80, 20}, {80, 70}, {20, 70}, {20, 20}};
    Polyline(dc_, band, 5);
    for (const POINT& corner : band) EXPECT_EQ(At(corner.x, corner.y), kBlack) << corner.x << "," << corner.y;
    EXPECT_EQ(Count(kBlack), 2 * (61 + 51) - 4);
    Polyline(dc_, band, 5);
    EXPECT_EQ(Count(kWhite), kWidth * kHeight);
    SetROP2(dc_, R2_COPYPEN);
}

TEST_F(GdiShapes, NotInvertsAnOutlinedEllipseOnce) {
    // The measuring marks: black pen and white brush under NOT.
    SelectedObjects objects(dc_, StockPen(BLACK_PEN), StockBrush(WHITE_BRUSH));
    SetROP2(dc_, R2_NOT);
    Ellipse(dc_, 48, 48, 60, 60);
    EXPECT_EQ(At(54, 54), kBlack) << "inside";
    EXPECT_EQ(At(48, 54), kBlack) << "outline";
    EXPECT_EQ(Count(kBlack) + Count(kWhite), kWidth * kHeight);
    Ellipse(dc_, 48, 48, 60, 60);
    EXPECT_EQ(Count(kWhite), kWidth * kHeight);
    SetROP2(dc_, R2_COPYPEN);
}

TEST_F(GdiShapes, BitBltCopiesThePartOnTheSource) {
    HDC source = CreateCompatibleDC(dc_);
    HBITMAP picture = CreateCompatibleBitmap(dc_, 20, 20);
    HGDIOBJ old = SelectObject(source, picture);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT whole{0, 0, 20, 20};
    FillRect(source, &whole, red);

    EXPECT_TRUE(BitBlt(dc_, 100, 100, 40, 40, source, 0, 0, SRCCOPY));
    EXPECT_EQ(Count(RGB(255, 0, 0)), 400);
    EXPECT_EQ(Count(RGB(255, 0, 0), 100, 100, 120, 120), 400);

    Clear(kWhite);
    EXPECT_TRUE(BitBlt(dc_, 0, 0, 10, 10, source, -5, -5, SRCCOPY));
    EXPECT_EQ(Count(RGB(255, 0, 0)), 25);
    EXPECT_EQ(Count(RGB(255, 0, 0), 5, 5, 10, 10), 25);

    EXPECT_FALSE(BitBlt(dc_, 0, 0, 10, 10, source, 0, 0, 0x00660046)) << "only copies are offered";

    SelectObject(source, old);
    DeleteObject(red);
    DeleteObject(picture);
    DeleteDC(source);
}

TEST_F(GdiShapes, BitBltWithinOneBitmapCopiesTheOldPixels) {
    RECT corner{0, 0, 10, 10};
    FillRect(dc_, &corner, StockBrush(BLACK_BRUSH));
    EXPECT_TRUE(BitBlt(dc_, 5, 5, 10, 10, dc_, 0, 0, SRCCOPY));
    EXPECT_EQ(Count(kBlack), 100 + 100 - 25);
    EXPECT_EQ(At(14, 14), kBlack);
}

TEST_F(GdiShapes, DrawEdgeRaisedAndSunken) {
    struct Case {
        const char* name;
        UINT edge;
        int outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    } cases[] = {
        {"raised", EDGE_RAISED, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
        {"sunken", EDGE_SUNKEN, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear(kWhite);
        RECT rect{10, 10, 30, 40};
        ASSERT_TRUE(DrawEdge(dc_, &rect, c.edge, BF_RECT | BF_ADJUST));
        EXPECT_EQ(At(10, 20), GetSysColor(c.outerTopLeft));
        EXPECT_EQ(At(20, 10), GetSysColor(c.outerTopLeft));
        EXPECT_EQ(At(29, 20), GetSysColor(c.outerBottomRight));
        EXPECT_EQ(At(20, 39), GetSysColor(c.outerBottomRight));
        EXPECT_EQ(At(29, 39), GetSysColor(c.outerBottomRight));
        EXPECT_EQ(At(11, 20), GetSysColor(c.innerTopLeft));
        EXPECT_EQ(At(28, 20), GetSysColor(c.innerBottomRight));
        EXPECT_EQ(At(20, 38), GetSysColor(c.innerBottomRight));
        EXPECT_EQ(At(20, 20), kWhite);
        EXPECT_EQ(At(30, 20), kWhite);
        EXPECT_EQ(rect.left, 12);
        EXPECT_EQ(rect.top, 12);
        EXPECT_EQ(rect.right, 28);
        EXPECT_EQ(rect.bottom, 38);
    }
}

TEST_F(GdiShapes, FarAwayCoordinatesAreDrawnWithoutTrouble) {
    // A deep zoom can put points billions of pixels off the bitmap.
    POINT across[] = {{-2000000000, 5}, {2000000000, 5}};
    ASSERT_TRUE(Polyline(dc_, across, 2));
    EXPECT_EQ(Count(kBlack, 0, 5, kWidth, 6), kWidth);
    EXPECT_EQ(Count(kBlack), kWidth);

    Clear(kWhite);
    HRGN huge = CreateRectRgn(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(SelectClipRgn(dc_, huge), SIMPLEREGION);
    DeleteObject(huge);
    RECT most{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    FillRect(dc_, &most, StockBrush(BLACK_BRUSH));
    EXPECT_EQ(Count(kBlack), kWidth * kHeight);
    SelectClipRgn(dc_, nullptr);

    HFONT giant = CreateFontA(INT32_MIN, 0, INT32_MIN, 0, INT32_MAX, 1, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr");
    ASSERT_NE(giant, nullptr);
    HGDIOBJ oldFont = SelectObject(dc_, giant);
    EXPECT_TRUE(TextOutA(dc_, INT32_MAX, INT32_MIN, "Tervelsky", 9));
    SelectObject(dc_, oldFont);
    DeleteObject(giant);

    Clear(kWhite);
    SelectedObjects objects(dc_, StockPen(NULL_PEN), StockBrush(BLACK_BRUSH));
    POINT everything[] = {{-2000000000, -2000000000}, {2000000000, -2000000000}, {2000000000, 2000000000},
                          {-2000000000, 2000000000}};
    ASSERT_TRUE(Polygon(dc_, everything, 4));
    EXPECT_EQ(Count(kBlack), kWidth * kHeight);
}

}  // namespace

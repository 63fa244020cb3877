// Object lifetimes, selection, refused handles, capabilities and the call record.
#include <gtest/gtest.h>

#include "platform/gdi.h"
#include "platform/gdi_canvas.h"

namespace {

using GdiObjects = GdiCanvas;

TEST_F(GdiObjects, LiveCountComesBackAfterCreateAndDeleteCycles) {
    const int start = GdiLiveObjectCount();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        LOGBRUSH brush{BS_SOLID, RGB(255, 0, 255), 0};
        HGDIOBJ objects[] = {
            CreatePen(PS_SOLID, 3, RGB(1, 2, 3)),
            ExtCreatePen(PS_GEOMETRIC | PS_DOT, 1, &brush, 0, nullptr),
            CreateSolidBrush(RGB(4, 5, 6)),
            CreateHatchBrush(HS_DIAGCROSS, RGB(7, 8, 9)),
            CreateFontA(-12, 0, 450, 0, 700, 1, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr"),
            CreateRectRgn(1, 2, 3, 4),
            CreateCompatibleBitmap(dc_, 8, 8),
        };
        for (HGDIOBJ object : objects) ASSERT_NE(object, nullptr);
        EXPECT_EQ(GdiLiveObjectCount(), start + 7);
        for (HGDIOBJ object : objects) EXPECT_TRUE(DeleteObject(object));
        EXPECT_EQ(GdiLiveObjectCount(), start);
        for (HGDIOBJ object : objects) EXPECT_FALSE(DeleteObject(object)) << "deleted twice";
        EXPECT_EQ(GdiLiveObjectCount(), start);
    }
}

TEST_F(GdiObjects, StockObjectsAreNeitherCountedNorDeleted) {
    const int start = GdiLiveObjectCount();
    for (int index : {WHITE_BRUSH, BLACK_BRUSH, NULL_BRUSH, WHITE_PEN, BLACK_PEN, NULL_PEN, ANSI_VAR_FONT}) {
        SCOPED_TRACE(index);
        HGDIOBJ stock = GetStockObject(index);
        ASSERT_NE(stock, nullptr);
        EXPECT_EQ(GetStockObject(index), stock) << "always the same object";
        EXPECT_TRUE(DeleteObject(stock));
        EXPECT_EQ(GetStockObject(index), stock);
    }
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    EXPECT_TRUE(DeleteObject(face));
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
    EXPECT_EQ(GdiLiveObjectCount(), start);
    EXPECT_EQ(GetStockObject(9999), nullptr);
}

TEST_F(GdiObjects, SelectReturnsThePreviousObjectOfTheSameKind) {
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HPEN blue = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    HFONT font = CreateFontA(20, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr");

    EXPECT_EQ(SelectObject(dc_, red), GetStockObject(BLACK_PEN)) << "a fresh context has the black pen";
    EXPECT_EQ(SelectObject(dc_, blue), red);
    EXPECT_EQ(SelectObject(dc_, green), GetStockObject(WHITE_BRUSH)) << "and the white brush";
    EXPECT_EQ(SelectObject(dc_, font), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(dc_, GetStockObject(ANSI_VAR_FONT)), font);
    EXPECT_EQ(SelectObject(dc_, GetStockObject(BLACK_PEN)), blue);
    EXPECT_EQ(SelectObject(dc_, GetStockObject(WHITE_BRUSH)), green);

    for (HGDIOBJ object : {static_cast<HGDIOBJ>(red), static_cast<HGDIOBJ>(blue), static_cast<HGDIOBJ>(green),
                           static_cast<HGDIOBJ>(font)}) {
        DeleteObject(object);
    }
}

TEST_F(GdiObjects, RefusedHandlesChangeNothing) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    DeleteObject(pen);
    HPEN newer = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    EXPECT_NE(newer, pen) << "handles are not reused";
    EXPECT_EQ(SelectObject(dc_, pen), nullptr);
    int local = 0;
    EXPECT_EQ(SelectObject(dc_, &local), nullptr) << "never a handle";
    EXPECT_EQ(SelectObject(nullptr, newer), nullptr);
    MoveToEx(dc_, 0, 0, nullptr);
    LineTo(dc_, 10, 0);
    EXPECT_EQ(At(5, 0), kBlack) << "still the black pen";
    RECT rect{0, 0, 5, 5};
    EXPECT_FALSE(FillRect(dc_, &rect, reinterpret_cast<HBRUSH>(pen)));
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_FALSE(DeleteDC(nullptr));
    EXPECT_EQ(GetDeviceCaps(nullptr, HORZRES), 0);
    DeleteObject(newer);
}

TEST_F(GdiObjects, ADeletedSelectedObjectKeepsDrawingUntilReplaced) {
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc_, red);
    EXPECT_TRUE(DeleteObject(red));
    MoveToEx(dc_, 0, 0, nullptr);
    LineTo(dc_, 10, 0);
    EXPECT_EQ(At(5, 0), RGB(255, 0, 0));
    EXPECT_EQ(SelectObject(dc_, old), red) << "the previous handle is still reported";
}

TEST_F(GdiObjects, ABitmapLivesInOneContextAtATime) {
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, bitmap_), nullptr) << "already held by the canvas";
    HBITMAP small = CreateCompatibleBitmap(other, 4, 4);
    HGDIOBJ first = SelectObject(other, small);
    EXPECT_NE(first, nullptr) << "the 1 x 1 bitmap a memory context starts with";
    EXPECT_EQ(GetPixel(other, 3, 3), kBlack) << "a new bitmap is black";
    EXPECT_EQ(GetPixel(other, 4, 4), CLR_INVALID);

    // Deleting a bitmap still selected leaves its context drawing on an empty 1 x 1 one.
    EXPECT_TRUE(DeleteObject(small));
    EXPECT_EQ(GetPixel(other, 3, 3), CLR_INVALID);
    EXPECT_NE(GetPixel(other, 0, 0), CLR_INVALID);
    RECT rect{0, 0, 4, 4};
    FillRect(other, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(SelectObject(other, first), first);
    EXPECT_TRUE(DeleteDC(other));
    EXPECT_FALSE(DeleteDC(other));
}

TEST_F(GdiObjects, BitmapSizesAreChecked) {
    EXPECT_EQ(CreateCompatibleBitmap(dc_, 0, 10), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc_, 10, -1), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc_, 100000, 10), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc_, 20000, 20000), nullptr) << "1.6 GB of pixels";
}

TEST_F(GdiObjects, ContextsAreCountedAndMemoryContextsReportTheScreen) {
    const int start = GdiLiveDCCount();
    HDC a = CreateCompatibleDC(dc_);
    HDC b = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GdiLiveDCCount(), start + 2);
    for (int index : {HORZSIZE, VERTSIZE, HORZRES, VERTRES, LOGPIXELSX, LOGPIXELSY}) {
        SCOPED_TRACE(index);
        EXPECT_GT(GetDeviceCaps(a, index), 0);
        EXPECT_EQ(GetDeviceCaps(a, index), GetDeviceCaps(b, index));
    }
    EXPECT_EQ(GetDeviceWidthMm(a), GetDeviceCaps(a, HORZSIZE));
    // Millimetres and pixels agree within the rounding of a whole millimetre when the display
    // does not tell its size (96 pixels per inch then).
    EXPECT_EQ(SetMapMode(a, MM_TEXT), MM_TEXT);
    DeleteDC(a);
    DeleteDC(b);
    EXPECT_EQ(GdiLiveDCCount(), start);
}

TEST_F(GdiObjects, CallRecordHoldsWhatWasDrawnAndWithWhat) {
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(10, 20, 30));
    HBRUSH brush = CreateHatchBrush(HS_DIAGCROSS, RGB(40, 50, 60));
    HFONT font = CreateFontA(-16, 0, 450, 0, 700, 1, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr");

    MoveToEx(dc_, 1, 1, nullptr);  // before recording: not kept
    StartCallRecord(dc_);
    SelectObject(dc_, pen);
    SelectObject(dc_, brush);
    SelectObject(dc_, font);
    POINT triangle[] = {{1, 2}, {30, 4}, {5, 60}};
    Polygon(dc_, triangle, 3);
    SetTextColor(dc_, RGB(200, 0, 0));
    SetBkMode(dc_, TRANSPARENT);
    TextOutA(dc_, 7, 8, "\xCC\xE0", 2);
    RECT rect{0, 0, 3, 3};
    FillRect(dc_, &rect, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1)));
    StopCallRecord(dc_);
    LineTo(dc_, 5, 5);  // after recording: not kept

    const std::vector<GdiCall>& calls = GetCallRecord(dc_);
    ASSERT_EQ(calls.size(), 3u);

    EXPECT_EQ(calls[0].op, GdiOp::Polygon);
    ASSERT_EQ(calls[0].points.size(), 3u);
    EXPECT_EQ(calls[0].points[2].x, 5);
    EXPECT_EQ(calls[0].points[2].y, 60);
    EXPECT_EQ(calls[0].pen, pen);
    EXPECT_EQ(calls[0].penInfo.width, 3);
    EXPECT_EQ(calls[0].penInfo.color, RGB(10, 20, 30));
    EXPECT_EQ(calls[0].brush, brush);
    EXPECT_EQ(calls[0].brushInfo.style, BS_HATCHED);
    EXPECT_EQ(calls[0].brushInfo.hatch, HS_DIAGCROSS);

    EXPECT_EQ(calls[1].op, GdiOp::TextOut);
    EXPECT_EQ(calls[1].text, "\xCC\xE0");
    EXPECT_EQ(calls[1].points[0].x, 7);
    EXPECT_EQ(calls[1].font, font);
    EXPECT_EQ(calls[1].fontInfo.height, -16);
    EXPECT_EQ(calls[1].fontInfo.escapement, 450);
    EXPECT_EQ(calls[1].fontInfo.weight, 700);
    EXPECT_TRUE(calls[1].fontInfo.italic);
    EXPECT_EQ(calls[1].fontInfo.face, "Arial Cyr");
    EXPECT_EQ(calls[1].textColor, RGB(200, 0, 0));
    EXPECT_EQ(calls[1].bkMode, TRANSPARENT);

    EXPECT_EQ(calls[2].op, GdiOp::FillRect);
    EXPECT_EQ(calls[2].brushInfo.color, GetSysColor(COLOR_BTNFACE)) << "the brush passed, not the selected one";

    StartCallRecord(dc_);
    EXPECT_TRUE(GetCallRecord(dc_).empty()) << "starting again clears";
    StopCallRecord(dc_);
    EXPECT_TRUE(GetCallRecord(nullptr).empty());

    SelectObject(dc_, GetStockObject(BLACK_PEN));
    SelectObject(dc_, GetStockObject(WHITE_BRUSH));
    SelectObject(dc_, GetStockObject(SYSTEM_FONT));
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(font);
}

}  // namespace

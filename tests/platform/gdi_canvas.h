// A memory context over a white bitmap, and pixel helpers, for the drawing tests.
#pragma once

#include <gtest/gtest.h>

#include "platform/gdi.h"

class GdiCanvas : public ::testing::Test {
protected:
    static constexpr int kWidth = 120;
    static constexpr int kHeight = 120;

    void SetUp() override {
        startObjects_ = GdiLiveObjectCount();
        dc_ = CreateCompatibleDC(nullptr);
        ASSERT_NE(dc_, nullptr);
        bitmap_ = CreateCompatibleBitmap(dc_, kWidth, kHeight);
        ASSERT_NE(bitmap_, nullptr);
        SelectObject(dc_, bitmap_);
        Clear(RGB(255, 255, 255));
    }

    void TearDown() override {
        // Every object a test creates must be deleted by it.
        EXPECT_EQ(GdiLiveObjectCount(), startObjects_ + 1);  // the canvas bitmap
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        EXPECT_EQ(GdiLiveObjectCount(), startObjects_);
    }

    void Clear(COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all{0, 0, kWidth, kHeight};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }

    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

    // Pixels of the colour inside [left, right) x [top, bottom).
    int Count(COLORREF colour, int left = 0, int top = 0, int right = kWidth, int bottom = kHeight) const {
        int n = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) n += At(x, y) == colour ? 1 : 0;
        }
        return n;
    }

    int CountNot(COLORREF colour) const { return kWidth * kHeight - Count(colour); }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    int startObjects_ = 0;
};

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

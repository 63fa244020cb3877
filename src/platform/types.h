// Handle and value types of the platform layer, visible to every folder.
// Plain C++: no toolkit header may be included here.
#pragma once

#include <cstdint>

struct RECT {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct POINT {
    int32_t x;
    int32_t y;
};

struct SIZE {
    int32_t cx;
    int32_t cy;
};

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = unsigned int;
using LONG = int32_t;
using BOOL = int;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using LPCSTR = const char*;
using LPSTR = char*;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

// 0x00BBGGRR, as the drawing calls take it.
using COLORREF = uint32_t;
constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

// Opaque handles; the platform layer defines what stands behind them. Drawing objects are
// numbered handles that are never reused, so a stale one is recognised and refused.
struct PlatformDC;
struct PlatformBitmap;
struct PlatformPen;
struct PlatformBrush;
struct PlatformFont;
struct PlatformRegion;
struct PlatformWindow;
using HDC = PlatformDC*;
using HBITMAP = PlatformBitmap*;
using HPEN = PlatformPen*;
using HBRUSH = PlatformBrush*;
using HFONT = PlatformFont*;
using HRGN = PlatformRegion*;
using HGDIOBJ = void*;  // any of the drawing object handles above
using HWND = PlatformWindow*;

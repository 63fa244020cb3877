#include "render/offscreen.h"

#include <cmath>

#include "platform/gdi.h"
#include "render/frame.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

HDC g_windowDC = nullptr;
HBITMAP g_windowBitmap = nullptr;

// A screen of 96 pixels per inch, measured in whole millimetres as a device reports it.
int OffscreenWidthMm(HDC) { return static_cast<int>(std::lround(g_clientWidth * 25.4 / 96.0)); }

}  // namespace

bool OpenOffscreenSurface(int width, int height) {
    CloseOffscreenSurface();
    g_windowDC = CreateCompatibleDC(nullptr);
    g_windowBitmap = CreateCompatibleBitmap(g_windowDC, width, height);
    g_hdcMem = CreateCompatibleDC(g_windowDC);
    g_hbmMem = CreateCompatibleBitmap(g_windowDC, width, height);
    if (g_windowDC == nullptr || g_windowBitmap == nullptr || g_hdcMem == nullptr || g_hbmMem == nullptr) {
        CloseOffscreenSurface();
        return false;
    }
    SelectObject(g_windowDC, g_windowBitmap);
    SelectObject(g_hdcMem, g_hbmMem);
    g_hdc = g_windowDC;
    g_clientRect = RECT{0, 0, width, height};
    g_clientWidth = width;
    g_clientHeight = height;
    SetDeviceWidthMmQuery(OffscreenWidthMm);
    return true;
}

HDC OffscreenWindowDC() { return g_windowDC; }

HBITMAP OffscreenWindowBitmap() { return g_windowBitmap; }

void CloseOffscreenSurface() {
    if (mapClipRegion != nullptr) DeleteObject(mapClipRegion);
    mapClipRegion = nullptr;
    if (g_hdcMem != nullptr) DeleteDC(g_hdcMem);
    if (g_hbmMem != nullptr) DeleteObject(g_hbmMem);
    if (g_windowDC != nullptr) DeleteDC(g_windowDC);
    if (g_windowBitmap != nullptr) DeleteObject(g_windowBitmap);
    if (g_hdc == g_windowDC) g_hdc = nullptr;
    g_hdcMem = nullptr;
    g_hbmMem = nullptr;
    g_windowDC = nullptr;
    g_windowBitmap = nullptr;
}

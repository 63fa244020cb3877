#include "view/surface.h"

HWND g_surfaceWindow = nullptr;
HDC g_hdc = nullptr;
HDC g_hdcMem = nullptr;
HBITMAP g_hbmMem = nullptr;
RECT g_clientRect = {0, 0, 0, 0};
int32_t g_clientWidth = 0;
int32_t g_clientHeight = 0;
uint16_t g_needRedraw = 0;

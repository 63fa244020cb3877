// The page of a print: the printer's view of the plan, the clip inside the frame, the frame
// half a millimetre wide and the title in the top left corner.
#include "print/print_view.h"

#include <cstdlib>
#include <cstring>

#include "platform/gdi.h"
#include "platform/user.h"
#include "print/print_layers.h"
#include "render/frame.h"
#include "render/pixel_math.h"
#include "render/styles.h"
#include "view/surface.h"

uint32_t g_printInColor = 0;
PRINTDLGA g_printDlg = {};
int32_t g_printMinSize = 0;

namespace {

constexpr double kMmPerInch = 0.03937007874015748;  // 1 / 25.4
constexpr int kPrintDlgSize = 66;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr char kTitle[] = "Korvinsk.Address plan";
// Page coordinates are kept in 16 bits like the screen's, with room for the frame.
constexpr int kLargestPagePx = 32000;

// The first building that may reach into the printed view. The page usually reaches further
// north than the window did, so the window's cursor may have passed buildings on the page.
int PrintBuildingCursor() {
    for (int i = 0; i < g_building_count && g_buildings != nullptr; ++i) {
        if (g_buildings[i].box.xMin <= g_view.xMax) return i;
    }
    return g_building_count;
}

void DrawFrame(int w) {
    HPEN pen = CreatePen(PS_SOLID, w, kBlack);
    SelectObject(g_hdc, pen);
    SelectObject(g_hdc, g_fixed.null_brush);
    Rectangle(g_hdc, g_view.vpLeft + w, g_view.vpTop + w, g_view.vpRight - w, g_view.vpBottom - w);
    SelectObject(g_hdc, g_fixed.null_pen);
    DeleteObject(pen);
}

void DrawTitle() {
    SetBkMode(g_hdc, OPAQUE);
    const int height = TruncateToInt(g_view.pxPerMmX * -4.0);
    HFONT font = CreateFontA(height, 0, 0, 0, 400, 1, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr");
    HGDIOBJ previous = SelectObject(g_hdc, font);
    SetTextColor(g_hdc, kBlack);
    const int d = std::abs(height) / 2;
    TextOutA(g_hdc, g_view.vpLeft + d, g_view.vpTop + d, kTitle, static_cast<int>(sizeof kTitle - 1));
    SetBkColor(g_hdc, kWhite);
    SelectObject(g_hdc, previous != nullptr ? previous : g_fixed.font_label);
    DeleteObject(font);
}

// The screen view again, as the next paint would make it. The whole city is shown as the
// overview, which fits the view its own way: there the view it had is put back as it was.
void RestoreScreenView(const ViewRect& entry, const ViewState& before) {
    if (g_zoom.zoomDepth < 2) {
        g_view = before;
        return;
    }
    UpdateScreenMetrics();
    FitViewToRect(entry.xMin, entry.yMin, entry.xMax, entry.yMax);
}

}  // namespace

PrinterPage ReadPrinterPage(HDC printer) {
    return PrinterPage{GetDeviceCaps(printer, HORZRES),    GetDeviceCaps(printer, VERTRES),
                       GetDeviceCaps(printer, HORZSIZE),   GetDeviceCaps(printer, VERTSIZE),
                       GetDeviceCaps(printer, LOGPIXELSX), GetDeviceCaps(printer, LOGPIXELSY)};
}

bool SetPrinterView(const PrinterPage& page, float xMin, float yMin, float xMax, float yMax) {
    const double dX = static_cast<double>(xMax) - xMin;
    const double dY = static_cast<double>(yMax) - yMin;
    if (!(dX > 0.0) || !(dY > 0.0) || page.heightMm <= 0 || page.widthMm <= 0) return false;
    if (page.widthPx < 1 || page.heightPx < 1 || page.widthPx > kLargestPagePx ||
        page.heightPx > kLargestPagePx)
        return false;
    if (page.dpiX < 1 || page.dpiY < 1) return false;
    const double scale = page.heightMm / dX;
    const double m = (page.widthMm - dY * scale) * 0.5 / scale;

    g_view.vpLeft = 0;
    g_view.vpTop = 0;
    g_view.vpRight = static_cast<int16_t>(page.widthPx);
    g_view.vpBottom = static_cast<int16_t>(page.heightPx);
    g_view.pxPerMmX = static_cast<float>(page.dpiX * kMmPerInch);
    g_view.pxPerMmY = static_cast<float>(page.dpiY * kMmPerInch);
    g_view.screenWidthMm = static_cast<float>(page.widthMm);
    g_view.screenHeightMm = static_cast<float>(page.heightMm);
    g_view.xMin = xMin;
    g_view.xMax = xMax;
    g_view.yMin = static_cast<float>(yMin - m);
    g_view.yMax = static_cast<float>(yMax + m);
    g_view.scale = scale;
    g_view.detailLevel = DetailLevelOf(scale);
    return true;
}

void PrintPage(float xMin, float yMin, float xMax, float yMax) {
    HDC printer = g_printDlg.hDC;
    if (printer == nullptr) return;
    if (!SetPrinterView(ReadPrinterPage(printer), xMin, yMin, xMax, yMax)) {
        // A sheet too large in printer pixels: nothing is printed, and the user hears so.
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }

    // The layers draw into the current context: the printer's for the length of the page.
    HDC screen = g_hdc;
    g_hdc = printer;
    const int32_t screenCursor = buildingCursor;
    buildingCursor = PrintBuildingCursor();

    StartPage(g_hdc);
    SetBkMode(g_hdc, TRANSPARENT);
    g_printMinSize = TruncateToInt(5.0 / g_view.scale);
    int w = TruncateToInt(g_view.pxPerMmX * 0.5);
    if (w < 1) w = 1;

    if (mapClipRegion != nullptr) DeleteObject(mapClipRegion);
    mapClipRegion =
        CreateRectRgn(g_view.vpLeft + w, g_view.vpTop + w, g_view.vpRight - w, g_view.vpBottom - w);
    SelectClipRgn(g_hdc, mapClipRegion);
    PrintLayers();
    SelectClipRgn(g_hdc, nullptr);
    DeleteObject(mapClipRegion);
    mapClipRegion = nullptr;

    DrawFrame(w);
    DrawTitle();
    EndPage(g_hdc);

    buildingCursor = screenCursor;
    g_hdc = screen;
}

void PrintPlanDocument(HDC printer, float xMin, float yMin, float xMax, float yMax) {
    g_printDlg.hDC = printer;
    const DOCINFOA doc{20, "Print", nullptr, nullptr, 0};
    StartDocA(printer, &doc);
    PrintPage(xMin, yMin, xMax, yMax);
    EndDoc(printer);
}

void PrintView() {
    // Before the plan is loaded there is no view to print.
    if (g_zoom.zoomDepth < 1) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    const ViewRect entry =
        g_zoom.entries[g_zoom.zoomDepth <= kZoomStackSize ? g_zoom.zoomDepth : kZoomStackSize];
    const ViewState before = g_view;

    std::memset(&g_printDlg, 0, sizeof g_printDlg);
    g_printDlg.lStructSize = kPrintDlgSize;
    g_printDlg.hwndOwner = g_surfaceWindow;
    g_printDlg.Flags = PD_RETURNDC;
    if (PrintDlgA(&g_printDlg) && g_printDlg.hDC != nullptr) {
        HDC printer = g_printDlg.hDC;
        PrintPlanDocument(printer, entry.xMin, entry.yMin, entry.xMax, entry.yMax);
        DeleteDC(printer);
        g_printDlg.hDC = nullptr;
    }
    // Also after a cancelled dialog: its message loop may have painted with the view.
    RestoreScreenView(entry, before);
}

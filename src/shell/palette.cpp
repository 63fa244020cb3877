// The tool palette: four tools that stay pressed while chosen, and the street search below them.
#include "platform/gdi.h"
#include "resources/resources.h"
#include "shell/commands.h"
#include "shell/interaction.h"
#include "shell/main_window.h"
#include "shell/small_windows.h"
#include "shell/tool_routines.h"
#include "view/view.h"

namespace {

struct PaletteTool {
    int button;
    uint32_t tool;
    int picture;
};

// The pictures are loaded in this order.
constexpr PaletteTool kTools[4] = {
    {kPaletteZoomOut, kToolZoomOutAtPoint, IDB_ZOOM_OUT},
    {kPaletteZoomRect, kToolZoomRect, IDB_ZOOM_RECT},
    {kPaletteInformation, kToolInformation, IDB_INFO},
    {kPalettePan, kToolPan, IDB_PAN},
};

// The buttons show the pictures but do not own them: they go with the palette.
HBITMAP g_paletteBitmaps[4] = {};

// The palette sits near the top right corner of the plan.
constexpr int kPaletteFromRight = 40;
constexpr int kPaletteFromTop = 44;

HCURSOR CursorOfTool(uint32_t tool) {
    switch (tool) {
        case kToolZoomOutAtPoint: return zoomOutCursor;
        case kToolZoomRect: return zoomRectCursor;
        case kToolPan: return panCursor;
        default: return arrowCursor;
    }
}

void ReleasePictures() {
    for (HBITMAP& bitmap : g_paletteBitmaps) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        bitmap = nullptr;
    }
}

void LoadPictures(HWND palette) {
    ReleasePictures();
    for (int i = 0; i < 4; ++i) {
        g_paletteBitmaps[i] = static_cast<HBITMAP>(LoadImageA(g_hInstance, MAKEINTRESOURCEA(kTools[i].picture),
                                                              IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE | LR_DEFAULTCOLOR));
        SendDlgItemMessageA(palette, kTools[i].button, BM_SETIMAGE, IMAGE_BITMAP,
                            reinterpret_cast<LPARAM>(g_paletteBitmaps[i]));
    }
    HICON icon = LoadIconA(g_hInstance, MAKEINTRESOURCEA(IDI_PROGRAM));
    SendDlgItemMessageA(palette, kPaletteStreetSearch, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

void SyncButtons(HWND palette) {
    for (const PaletteTool& t : kTools) SendDlgItemMessageA(palette, t.button, BM_SETCHECK, BST_UNCHECKED, 0);
    for (const PaletteTool& t : kTools) {
        if (t.tool == g_paletteTool) SendDlgItemMessageA(palette, t.button, BM_SETCHECK, BST_CHECKED, 0);
    }
    ShowShellCursor(CursorOfTool(g_paletteTool));
}

INT_PTR CALLBACK PaletteProc(HWND palette, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            LoadPictures(palette);
            SetWindowPos(palette, nullptr, g_view.vpRight - kPaletteFromRight, g_view.vpTop + kPaletteFromTop, 0, 0,
                         SWP_NOSIZE | SWP_SHOWWINDOW);
            SyncButtons(palette);
            SetFocus(g_hwndMain);
            return FALSE;
        case WM_COMMAND: {
            if (HIWORD(wParam) != 0) return FALSE;
            const int id = LOWORD(wParam);
            if (id == IDCANCEL) {
                PostMessageA(g_hwndMain, WM_COMMAND, MAKEWPARAM(kCmdInstruments, 0), 0);
                return TRUE;
            }
            if (id == kPaletteStreetSearch) {
                if (g_toolRoutines.openStreetSearch != nullptr) g_toolRoutines.openStreetSearch();
                return TRUE;
            }
            for (const PaletteTool& t : kTools) {
                if (t.button != id) continue;
                g_paletteTool = t.tool;
                SyncButtons(palette);
                // The keys stay with the plan: the click only chose a tool.
                SetFocus(g_hwndMain);
                return TRUE;
            }
            return FALSE;
        }
        case WM_DESTROY:
            ReleasePictures();
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void OpenToolPalette() {
    g_hwndPalette = CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_PALETTE), g_hwndMain, PaletteProc, 0);
    if (g_hwndPalette != nullptr) ShowWindow(g_hwndPalette, SW_SHOWNA);
}

void SyncPalette() {
    if (g_hwndPalette != nullptr) SyncButtons(g_hwndPalette);
}

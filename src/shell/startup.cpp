// Start-up in its fixed order, the message loop, and the shutdown that releases everything once.
#include <cstdlib>

#include "data/districts.h"
#include "data/store.h"
#include "data/text.h"
#include "platform/gdi.h"
#include "render/frame.h"
#include "render/styles.h"
#include "resources/resources.h"
#include "shell/interaction.h"
#include "shell/loading_dialog.h"
#include "shell/main_window.h"
#include "shell/small_windows.h"
#include "view/shared_state.h"
#include "view/surface.h"

namespace {

constexpr int kTextRoom = 100;

void TransliterateDistrictNames() {
    for (int k = 1; k <= kDistrictCount; ++k) Transliterate(g_district_names[k], kDistrictNameField);
}

bool RegisterMainClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    wc.lpszClassName = g_className;
    wc.hIconSm = wc.hIcon;
    return RegisterClassExA(&wc) != 0;
}

void LoadCursors(HINSTANCE instance) {
    arrowCursor = LoadCursorA(nullptr, IDC_ARROW);
    waitCursor = LoadCursorA(nullptr, IDC_WAIT);
    zoomRectCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_ZOOM_RECT));
    panCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_PAN));
    tipCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_TIP));
    measureCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_MEASURE));
    zoomOutCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_ZOOM_OUT));
}

void DestroyResourceCursors() {
    for (HCURSOR* cursor : {&zoomRectCursor, &panCursor, &tipCursor, &measureCursor, &zoomOutCursor}) {
        if (*cursor != nullptr) DestroyCursor(*cursor);
        *cursor = nullptr;
    }
    arrowCursor = nullptr;
    waitCursor = nullptr;
}

}  // namespace

bool StartViewer(HINSTANCE instance) {
    ResetInteractionState();
    ResetSharedToolState();
    TransliterateDistrictNames();
    g_selList = static_cast<int32_t*>(calloc(kSelListSize, sizeof(int32_t)));
    LoadStringA(instance, IDS_APP_TITLE, g_windowTitle, kTextRoom);
    LoadStringA(instance, IDS_CLASS_NAME, g_className, kTextRoom);
    RegisterMainClass(instance);

    g_hInstance = instance;
    g_hwndMain = CreateWindowExA(0, g_className, g_windowTitle, WS_OVERLAPPEDWINDOW | WS_MAXIMIZE,
                                 CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
    if (g_hwndMain == nullptr) {
        // Nothing was shown; the list made for the selection goes again.
        free(g_selList);
        g_selList = nullptr;
        return false;
    }
    g_hAccel = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ShowWindow(g_hwndMain, SW_MAXIMIZE);

    g_surfaceWindow = g_hwndMain;
    g_hdc = GetDC(g_hwndMain);
    SetMapMode(g_hdc, MM_TEXT);
    GetClientRect(g_hwndMain, &g_clientRect);
    FillRect(g_hdc, &g_clientRect, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1)));
    g_hMeasureMenu = LoadMenuA(instance, kMeasureMenuName);

    CreateFixedObjects();
    LoadCursors(instance);
    g_hdcMem = CreateCompatibleDC(g_hdc);
    g_clientWidth = g_clientRect.right;
    g_clientHeight = g_clientRect.bottom;
    g_hbmMem = CreateCompatibleBitmap(g_hdc, g_clientWidth, g_clientHeight);
    SelectObject(g_hdcMem, g_hbmMem);
    g_mouseMode = kMouseIdle;

    DisplayMode = kModeWindowsOnClock;
    BuildStyleSet();
    CheckMenuItem(GetMenu(g_hwndMain), static_cast<UINT>(DisplayMode), MF_BYCOMMAND | MF_CHECKED);

    SetLoadingWindow(&ShellLoadingDialog());
    g_needRedraw = 1;
    InvalidateRgn(g_hwndMain, nullptr, TRUE);
    return true;
}

void DispatchViewerMessage(MSG* msg) {
    if (TranslateAcceleratorA(msg->hwnd, g_hAccel, msg) != 0) return;
    TranslateMessage(msg);
    DispatchMessageA(msg);
}

int RunMessageLoop() {
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) != 0) DispatchViewerMessage(&msg);
    return static_cast<int>(msg.wParam);
}

void ShutdownViewer() {
    // A plan that could not be loaded ends the loop without the window having been destroyed;
    // the loading window, owned by it, may still be open too.
    ShellLoadingDialog().Close();
    SetLoadingWindow(nullptr);
    if (IsWindow(g_hwndMain)) DestroyWindow(g_hwndMain);
    // The window's context went with the window.
    g_hdc = nullptr;

    FreeMapData();
    FreeThemeUserSign();
    ReleaseLocatorPicture();
    ReleaseStyleSet();
    DestroyResourceCursors();
    DeleteFixedObjects();
    if (g_hbmMem != nullptr) DeleteObject(g_hbmMem);
    g_hbmMem = nullptr;
    // The street names with their index, the labels and the scratch points.
    FreeStreetData();
    if (mapClipRegion != nullptr) DeleteObject(mapClipRegion);
    mapClipRegion = nullptr;
    free(g_selList);
    g_selList = nullptr;
    g_selCount = 0;
    if (g_hdcMem != nullptr) DeleteDC(g_hdcMem);
    g_hdcMem = nullptr;

    if (g_hMeasureMenu != nullptr) DestroyMenu(g_hMeasureMenu);
    g_hMeasureMenu = nullptr;
    if (g_hAccel != nullptr) DestroyAcceleratorTable(g_hAccel);
    g_hAccel = nullptr;
    g_hwndMain = nullptr;
    g_surfaceWindow = nullptr;
}

int RunViewer(HINSTANCE instance) {
    if (!StartViewer(instance)) return 0;
    const int code = RunMessageLoop();
    ShutdownViewer();
    return code;
}

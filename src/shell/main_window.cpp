#include "shell/main_window.h"

#include "shell/commands.h"
#include "shell/navigation.h"
#include "shell/paint.h"

HWND g_hwndMain = nullptr;
HINSTANCE g_hInstance = nullptr;
char g_windowTitle[100] = "";
char g_className[100] = "";
HACCEL g_hAccel = nullptr;
HMENU g_hMeasureMenu = nullptr;

HCURSOR arrowCursor = nullptr;
HCURSOR waitCursor = nullptr;
HCURSOR zoomRectCursor = nullptr;
HCURSOR panCursor = nullptr;
HCURSOR tipCursor = nullptr;
HCURSOR measureCursor = nullptr;
HCURSOR zoomOutCursor = nullptr;

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_PAINT:
            PaintMainWindow();
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED)
                OnClientSizeChanged(LOWORD(static_cast<uintptr_t>(lParam)),
                                    HIWORD(static_cast<uintptr_t>(lParam)));
            return 0;
        case WM_COMMAND:
            if (RunCommand(LOWORD(wParam))) return 0;
            break;
        case WM_TIMER:
            OnOverlayTimer();
            return 0;
        case WM_KEYDOWN:
            OnKeyDown(wParam, lParam);
            return 0;
        case WM_KEYUP:
            OnKeyUp(wParam, lParam);
            return 0;
        case WM_CHAR:
            OnChar(wParam);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            OnLeftButtonDown(wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(wParam, lParam);
            return 0;
        case WM_RBUTTONDOWN:
            OnRightButtonDown(wParam, lParam);
            return 0;
        case WM_RBUTTONUP:
            OnRightButtonUp(wParam, lParam);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

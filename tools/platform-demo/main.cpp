// Opens the main window with the program's class, menu and cursors, draws on it outside a paint,
// opens the loading window, the tool palette, the coordinates and measurement windows and one
// dialog chosen on the command line, fills them with Russian texts, and ends after a while.
//
//   platform-demo [--dialog 130|133|209|210|271|215|223] [--seconds N]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/gdi.h"
#include "platform/user.h"
#include "resources/resources.h"

namespace {

HWND g_main = nullptr;
int g_seconds = 4;

// Улица Ленина, Морская, Садовая, Щорса, Ёлочная
const char* const kStreets[] = {"\xD3\xEB\xE8\xF6\xE0 \xCB\xE5\xED\xE8\xED\xE0", "\xCC\xEE\xF0\xF1\xEA\xE0\xFF",
                                "\xD1\xE0\xE4\xEE\xE2\xE0\xFF", "\xD9\xEE\xF0\xF1\xE0", "\xA8\xEB\xEE\xF7\xED\xE0\xFF"};
// Центр, Порт, Сопки
const char* const kParts[] = {"\xD6\xE5\xED\xF2\xF0", "\xCF\xEE\xF0\xF2", "\xD1\xEE\xEF\xEA\xE8"};

LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        FillRect(dc, &ps.rcPaint, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1)));
        HFONT font = CreateFontA(-28, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr");
        HGDIOBJ old = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 160));
        // Корвинск. Адресный план
        const char title[] = "\xCA\xEE\xF0\xE2\xE8\xED\xF1\xEA. \xC0\xE4\xF0\xE5\xF1\xED\xFB\xE9 \xEF\xEB\xE0\xED";
        TextOutA(dc, 420, 40, title, static_cast<int>(std::strlen(title)));
        SelectObject(dc, old);
        DeleteObject(font);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_TIMER:
        KillTimer(hwnd, wParam);
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

INT_PTR CALLBACK DemoDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        for (int id : {1049, 1126, 1019, 1105}) {
            HWND list = GetDlgItem(dialog, id);
            for (const char* s : kStreets) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        SendDlgItemMessageA(dialog, 1049, LB_SETCURSEL, 1, 0);
        for (int id : {1014, 1137}) {
            for (const char* s : kParts) SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        for (int id : {1136}) {
            for (const char* s : kStreets) SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        // начинается с, содержит
        SendDlgItemMessageA(dialog, 1135, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("\xED\xE0\xF7\xE8\xED\xE0\xE5\xF2\xF1\xFF \xF1"));
        SendDlgItemMessageA(dialog, 1135, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("\xF1\xEE\xE4\xE5\xF0\xE6\xE8\xF2"));
        SendDlgItemMessageA(dialog, 1135, CB_SETCURSEL, 1, 0);
        // Аптека, Школа, Почта
        for (const char* s : {"\xC0\xEF\xF2\xE5\xEA\xE0", "\xD8\xEA\xEE\xEB\xE0", "\xCF\xEE\xF7\xF2\xE0"}) {
            SendDlgItemMessageA(dialog, 1173, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        SendDlgItemMessageA(dialog, 1140, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("\xC2\xF1\xE5\xE3\xEE: 3"));  // Всего: 3
        SetDlgItemTextA(dialog, 1048, "\xD9\xEE");  // Що
        SetDlgItemTextA(dialog, 120, "Zarechnyj district  (Port)");
        SetDlgItemTextA(dialog, 123, "9-floor apartment building");
        SetDlgItemTextA(dialog, 1015, "");
        CheckDlgButton(dialog, 1160, BST_CHECKED);
        CheckDlgButton(dialog, 1164, BST_CHECKED);
        CheckDlgButton(dialog, 1167, BST_CHECKED);
        SetTimer(dialog, 1, static_cast<UINT>(g_seconds * 1000), nullptr);
        return TRUE;
    }
    case WM_TIMER:
        KillTimer(dialog, wParam);
        EndDialog(dialog, IDOK);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK Quiet(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void OpenSmallWindows() {
    HINSTANCE inst = ProgramInstance();
    HWND palette = CreateDialogParamA(inst, MAKEINTRESOURCEA(IDD_PALETTE), g_main, Quiet, 0);
    const int pictures[][2] = {{1250, IDB_ZOOM_OUT}, {1253, IDB_ZOOM_RECT}, {1249, IDB_INFO}, {1252, IDB_PAN}};
    for (const auto& p : pictures) {
        void* bitmap = LoadImageA(inst, MAKEINTRESOURCEA(p[1]), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
        SendDlgItemMessageA(palette, p[0], BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
    SendDlgItemMessageA(palette, 1251, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(LoadIconA(inst, MAKEINTRESOURCEA(IDI_PROGRAM))));
    CheckDlgButton(palette, 1252, BST_CHECKED);
    RECT client;
    GetClientRect(g_main, &client);
    SetWindowPos(palette, nullptr, client.right - 40, client.top + 44, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);

    HWND coords = CreateDialogParamA(inst, MAKEINTRESOURCEA(IDD_COORDINATES), g_main, Quiet, 0);
    SetDlgItemTextA(coords, 1158, " 43\xB0" "07'20\"");
    SetDlgItemTextA(coords, 1159, " 132\xB0" "00'00\"");
    ShowWindow(coords, SW_SHOWNA);

    HWND measure = CreateDialogParamA(inst, MAKEINTRESOURCEA(IDD_MEASUREMENTS), g_main, Quiet, 0);
    SetDlgItemTextA(measure, 1248, "100.0, -100.0");
    SetDlgItemTextA(measure, 1159, " 0.141 \xEA\xEC");      // км
    SetDlgItemTextA(measure, 1160, " 200.0 \xEC");          // м
    SetDlgItemTextA(measure, 1161, " 5000.0 \xEA\xE2.\xEC");  // кв.м
    ShowWindow(measure, SW_SHOWNA);

    HWND loading = CreateDialogParamA(inst, MAKEINTRESOURCEA(IDD_LOADING), g_main, nullptr, 0);
    ShowWindow(loading, SW_SHOWNA);
    SetWindowPos(loading, nullptr, 60, 600, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

int main(int argc, char** argv) {
    int dialog = IDD_STREET_SEARCH;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--dialog") == 0) dialog = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--seconds") == 0) g_seconds = std::atoi(argv[++i]);
    }
    InitPlatformWindows(argc, argv);
    InitPlatformDrawing();

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = MainProc;
    wc.hInstance = ProgramInstance();
    wc.hIcon = LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(IDI_PROGRAM));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    wc.lpszClassName = "MY3";
    RegisterClassExA(&wc);
    g_main = CreateWindowExA(0, "MY3", "Korvinsk. Address plan", WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, CW_USEDEFAULT, 0,
                             CW_USEDEFAULT, 0, nullptr, nullptr, ProgramInstance(), nullptr);
    if (g_main == nullptr) return 1;
    ShowWindow(g_main, SW_MAXIMIZE);
    CheckMenuItem(GetMenu(g_main), 32786, MF_BYCOMMAND | MF_CHECKED);
    UpdateWindow(g_main);
    OpenSmallWindows();
    SetTimer(g_main, 0, static_cast<UINT>(g_seconds * 1000 + 500), nullptr);
    if (dialog == IDD_OBJECT_SEARCH) {
        HWND search = CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(dialog), g_main, DemoDialog, 0);
        ShowWindow(search, SW_SHOWNA);
    } else {
        DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(dialog), g_main, DemoDialog, 0);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    ShutdownPlatformWindows();
    return static_cast<int>(msg.wParam);
}

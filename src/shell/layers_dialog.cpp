// "Layers" and "About": the two modal boxes of the shell.
#include "render/layer_settings.h"
#include "resources/resources.h"
#include "shell/main_window.h"
#include "shell/small_windows.h"

namespace {

// The first button of each group; "all" and "select" follow it.
constexpr int kGroupFirsts[3] = {kLayersStreetNamesNo, kLayersBuildingsNo, kLayersAddressesNo};
int32_t* const kGroupSettings[3] = {&g_layerStreetNames, &g_layerBuildings, &g_layerAddresses};

// The group whose three buttons hold `id`, or -1.
int GroupOf(int id) {
    for (int g = 0; g < 3; ++g) {
        if (id >= kGroupFirsts[g] && id < kGroupFirsts[g] + 3) return g;
    }
    return -1;
}

bool Checked(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetCheck(HWND dialog, int id, bool on) {
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ShowSettings(HWND dialog) {
    for (int g = 0; g < 3; ++g) {
        const int32_t setting = *kGroupSettings[g];
        if (setting >= kLayerNo && setting <= kLayerSelect) SetCheck(dialog, kGroupFirsts[g] + setting, true);
    }
}

void StoreSettings(HWND dialog) {
    for (int g = 0; g < 3; ++g) {
        const int first = kGroupFirsts[g];
        int32_t setting = kLayerSelect;
        if (Checked(dialog, first)) setting = kLayerNo;
        else if (Checked(dialog, first + 1)) setting = kLayerAll;
        *kGroupSettings[g] = setting;
    }
}

// A button is chosen by the focus it receives, so the keyboard chooses as a click does.
INT_PTR CALLBACK LayersProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            ShowSettings(dialog);
            SetFocus(GetDlgItem(dialog, IDOK));
            return FALSE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const WORD code = HIWORD(wParam);
            if (code == BN_SETFOCUS) {
                const int g = GroupOf(id);
                if (g < 0) return FALSE;
                for (int i = 0; i < 3; ++i) SetCheck(dialog, kGroupFirsts[g] + i, false);
                SetCheck(dialog, id, true);
                return TRUE;
            }
            // Escape and the close box keep the choice as OK does.
            if (code == 0 && (id == IDOK || id == IDCANCEL)) {
                StoreSettings(dialog);
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void OpenLayersDialog() {
    DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_LAYERS), g_hwndMain, LayersProc, 0);
}

void OpenAboutBox() { DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_ABOUT), g_hwndMain, AboutProc, 0); }

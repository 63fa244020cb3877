#include "shell/loading_dialog.h"

#include "resources/resources.h"
#include "shell/main_window.h"

namespace {

constexpr int kStageButton = 1059;

}  // namespace

void LoadingDialog::Open(const char* text) {
    // A second loading must not leave the first window behind.
    Close();
    window_ = CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_LOADING), g_hwndMain, nullptr, 0);
    if (window_ == nullptr) return;
    if (text != nullptr)
        SendMessageA(GetDlgItem(window_, kStageButton), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    ShowWindow(window_, SW_SHOW);
}

void LoadingDialog::SetText(const char* text) {
    if (!IsWindow(window_) || text == nullptr) return;
    SendMessageA(GetDlgItem(window_, kStageButton), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    // The readers hold the program until they are done: show the new stage now.
    UpdateWindow(window_);
}

void LoadingDialog::Close() {
    // The window goes with its owner, so it may already be gone.
    if (IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
}

HWND LoadingDialog::Window() const { return IsWindow(window_) ? window_ : nullptr; }

LoadingDialog& ShellLoadingDialog() {
    static LoadingDialog dialog;
    return dialog;
}

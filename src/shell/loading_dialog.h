// The "Loading" window the map readers report their stages to: a small borderless dialog
// (template 178) whose one button carries the stage text, owned by the main window.
#pragma once

#include "data/loading_window.h"
#include "platform/user.h"

class LoadingDialog final : public LoadingWindow {
  public:
    void Open(const char* text) override;
    void SetText(const char* text) override;
    void Close() override;

    // The dialog while it is open, else null.
    HWND Window() const;

  private:
    HWND window_ = nullptr;
};

// The one loading window of the program, installed for the readers at start-up.
LoadingDialog& ShellLoadingDialog();

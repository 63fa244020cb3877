#include "shell/main_window.h"

HWND g_hwndMain = nullptr;

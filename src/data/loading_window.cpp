#include "data/loading_window.h"

namespace {

class SilentLoadingWindow final : public LoadingWindow {
  public:
    void Open(const char*) override {}
    void SetText(const char*) override {}
    void Close() override {}
};

SilentLoadingWindow g_silentWindow;
LoadingWindow* g_loadingWindow = &g_silentWindow;

}  // namespace

// Загрузка: Гидрография
const char kLoadingHydrography[] =
    "\xC7\xE0\xE3\xF0\xF3\xE7\xEA\xE0: \xC3\xE8\xE4\xF0\xEE\xE3\xF0\xE0\xF4\xE8\xFF";
const char kLoadingTopography[] = "Loading:  Topography";
const char kLoadingStreets[] = "Loading:  Streets and roads";
const char kLoadingBuildingsFormat[] = "Loading:   Buildings %d (%d)";

void SetLoadingWindow(LoadingWindow* window) {
    g_loadingWindow = window != nullptr ? window : &g_silentWindow;
}

LoadingWindow* GetLoadingWindow() { return g_loadingWindow; }

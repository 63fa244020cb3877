// The small borderless window that shows the stage of loading. The data readers only tell it
// what to show; the platform installs the real window, tests install a recorder.
#pragma once

class LoadingWindow {
  public:
    virtual ~LoadingWindow() = default;
    // Creates and shows the window with its first text.
    virtual void Open(const char* text) = 0;
    virtual void SetText(const char* text) = 0;
    virtual void Close() = 0;
};

// Installs the window the readers talk to; NULL restores the silent default.
void SetLoadingWindow(LoadingWindow* window);
LoadingWindow* GetLoadingWindow();

// Stage texts (Windows-1251).
extern const char kLoadingHydrography[];  // Загрузка: Гидрография
extern const char kLoadingTopography[];
extern const char kLoadingStreets[];
extern const char kLoadingBuildingsFormat[];  // filled with the buildings read so far and announced

#include "shell/commands.h"

#include "render/styles.h"
#include "shell/interaction.h"
#include "shell/main_window.h"
#include "view/shared_state.h"
#include "shell/tool_routines.h"
#include "view/view.h"

namespace {

constexpr char kHelpFile[] = "tovr_e";

void DisplayModeCommand(uint16_t id) { SetDisplayMode(id); }

void Layers(uint16_t) {
    if (g_toolRoutines.openLayersDialog == nullptr) return;
    g_toolRoutines.openLayersDialog();
    // However the dialog was closed, the layers may have changed.
    RequestNewFrame();
}

void ColorBuildings(uint16_t) { ToggleColorBuildings(); }

void TogglePalette(uint16_t) {
    HMENU menu = GetMenu(g_hwndMain);
    if (g_hwndPalette == nullptr) {
        if (g_toolRoutines.openPalette == nullptr) return;
        CheckMenuItem(menu, kCmdInstruments, MF_BYCOMMAND | MF_CHECKED);
        g_toolRoutines.openPalette();
        return;
    }
    CheckMenuItem(menu, kCmdInstruments, MF_BYCOMMAND | MF_UNCHECKED);
    DestroyWindow(g_hwndPalette);
    g_hwndPalette = nullptr;
    g_paletteTool = kToolNone;
    ShowShellCursor(arrowCursor);
}

void Refresh(uint16_t) { RequestNewFrame(); }

void Exit(uint16_t) {
    // Sent rather than posted: the measurement must end, and free its points, before its
    // window goes with the main window.
    if (IsWindow(g_measureWindow)) SendMessageA(g_measureWindow, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    DestroyWindow(g_hwndMain);
}

void RunTool(void (*routine)()) {
    if (routine != nullptr) routine();
}

void StreetSearch(uint16_t) { RunTool(g_toolRoutines.openStreetSearch); }
void Districts(uint16_t) { RunTool(g_toolRoutines.openDistricts); }
void PartsOfCity(uint16_t) { RunTool(g_toolRoutines.openPartsOfCity); }

void ObjectSearch(uint16_t) {
    if (g_toolRoutines.openObjectSearch == nullptr) return;
    // Sent rather than posted: a cancel arriving after the new window is open would close the
    // new one's record instead of the old window.
    if (IsWindow(g_objWindow)) SendMessageA(g_objWindow, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    g_toolRoutines.openObjectSearch();
}

void Print(uint16_t id) {
    if (g_toolRoutines.printVisiblePlan == nullptr) return;
    SetCursor(waitCursor);
    g_printInColor = id == kCmdPrintColor ? 1 : 0;
    g_toolRoutines.printVisiblePlan();
    SetCursor(arrowCursor);
}

void Coordinates(uint16_t) {
    if (IsWindow(g_hwndCoordinates) || g_zoom.zoomDepth <= 1) return;
    RunTool(g_toolRoutines.openCoordinatesWindow);
}

void Measure(uint16_t id) {
    if (IsWindow(g_measureWindow) || g_zoom.zoomDepth <= 1 || PaletteToolActive()) return;
    if (g_toolRoutines.startMeasurement == nullptr) return;
    g_toolRoutines.startMeasurement(id == kCmdMeasureOnStreets ? 1 : 0);
}

void Help(uint16_t) { WinHelpA(g_hwndMain, kHelpFile, HELP_CONTENTS, 0); }

void About(uint16_t) { RunTool(g_toolRoutines.openAboutBox); }

struct Command {
    uint16_t id;
    void (*run)(uint16_t id);
};

constexpr Command kCommands[] = {
    {kModeGraphic, DisplayModeCommand},
    {kModeFlat, DisplayModeCommand},
    {kModeWindowsOnClock, DisplayModeCommand},
    {kModeLightWindows, DisplayModeCommand},
    {kModeDarkWindows, DisplayModeCommand},
    {kModeWideWindows, DisplayModeCommand},
    {kModeWithoutWindows, DisplayModeCommand},
    {kModeNight, DisplayModeCommand},
    {kCmdLayers, Layers},
    {kCmdColorBuildings, ColorBuildings},
    {kCmdInstruments, TogglePalette},
    {kCmdRefresh, Refresh},
    {kCmdExit, Exit},
    {kCmdStreetSearch, StreetSearch},
    {kCmdDistricts, Districts},
    {kCmdPartsOfCity, PartsOfCity},
    {kCmdObjectSearch, ObjectSearch},
    {kCmdPrintBlackWhite, Print},
    {kCmdPrintColor, Print},
    {kCmdCoordinates, Coordinates},
    {kCmdMeasureOnLines, Measure},
    {kCmdMeasureOnStreets, Measure},
    {kCmdHelp, Help},
    {kCmdAbout, About},
};

}  // namespace

bool RunCommand(uint16_t id) {
    for (const Command& command : kCommands) {
        if (command.id == id) {
            command.run(id);
            return true;
        }
    }
    return false;
}

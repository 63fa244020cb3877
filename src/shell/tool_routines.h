// The routines of the tools that commands and clicks of the main window hand over to: the
// searches, the measurement tool, the small windows of the shell, printing, the information
// on a building, street names by click, the address tip and the search overlays. The table
// is the one place where each tool is joined to the shell; an empty entry leaves its command
// or click without effect.
#pragma once

#include "data/store.h"
#include "platform/types.h"

struct ToolRoutines {
    // "View"
    void (*openLayersDialog)();  // modal; the shell recomposes the frame afterwards
    void (*openPalette)();       // keeps the palette's handle in g_hwndPalette
    void (*openAboutBox)();
    // "Find"
    void (*openStreetSearch)();
    void (*openDistricts)();
    void (*openPartsOfCity)();
    void (*openObjectSearch)();  // keeps the window's handle in g_objWindow
    // "Print": the visible plan, in colour when g_printInColor is 1
    void (*printVisiblePlan)();
    // "Measurements"
    void (*openCoordinatesWindow)();  // keeps the window's handle in g_hwndCoordinates
    void (*showCoordinates)(float x, float y);
    void (*startMeasurement)(int mode);  // 0 on lines, 1 on streets
    void (*measureClick)(POINT* rubberBand);
    void (*trackMeasureCursor)(float x, float y, POINT* rubberBand);
    void (*measurePopup)(int sx, int sy);
    // Clicks and keys on the plan
    void (*showInfoAt)(int sx, int sy);
    void (*showStreetNameAt)(int sx, int sy);
    void (*removeTip)();  // gives back what the address tip covers, if a tip is shown
    void (*drawLocator)();
    // Overlays the paint lays on the window after the frame is stored
    void (*drawPartName)(const PlaceRec* place);
    void (*drawDistrictOutline)(const AreaRec* outline);
    void (*drawSearchFlags)();
};

extern ToolRoutines g_toolRoutines;
// The table as the program is built; tests put it back with this after replacing entries.
extern const ToolRoutines kBuiltToolRoutines;

// The small windows of the shell: the "Layers" and "About" dialogs, the tool palette, the
// "Coordinates" window and the locator shown while the slash key is held.
#pragma once

#include <cstdint>

#include "platform/user.h"

// Buttons of the "Layers" dialog: the first of each group of "no", "all", "select".
constexpr int kLayersStreetNamesNo = 1162;
constexpr int kLayersBuildingsNo = 1159;
constexpr int kLayersAddressesNo = 1165;

// Buttons of the tool palette.
constexpr int kPaletteInformation = 1249;
constexpr int kPaletteZoomOut = 1250;
constexpr int kPaletteZoomRect = 1253;
constexpr int kPalettePan = 1252;
constexpr int kPaletteStreetSearch = 1251;

// The two fields of the "Coordinates" window.
constexpr int kCoordinatesLatitude = 1158;
constexpr int kCoordinatesLongitude = 1159;

// Modal; stores the three layer settings however the dialog is closed.
void OpenLayersDialog();
void OpenAboutBox();

// Opens the palette inside the main window (g_hwndPalette) showing the current tool.
void OpenToolPalette();
// Shows g_paletteTool on the palette's buttons and as the main window's cursor.
void SyncPalette();

// Opens the coordinates window inside the main window (g_hwndCoordinates).
void OpenCoordinatesWindow();
// Writes the latitude and longitude of a plan point into the open coordinates window.
void ShowCoordinates(float X, float Y);

// The picture of the whole plan with the current view marked, on the window only.
void DrawLocator();
// Draws the locator's picture of the plan anew; the paint calls it when a plan was loaded.
void RenewLocatorPicture();
// Releases the picture; the locator then shows an empty frame until the next load.
void ReleaseLocatorPicture();

// Where the locator marks a view, in window pixels: the rectangle of the view and whether the
// marker icon is drawn next to it. E is the whole map, V the view.
struct LocatorMark {
    int left;
    int top;
    int right;
    int bottom;
    bool marker;
};
LocatorMark LocatorMarkOf(int vpLeft, int vpTop, float exMin, float eyMin, float exMax, float vxMin,
                          float vyMin, float vxMax, float vyMax);

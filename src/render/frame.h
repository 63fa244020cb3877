// One finished picture of the plan: composed off screen layer by layer, then copied to the
// window in one block with the scale caption and the sunken edge. The first paint also loads
// the map files; the whole city is shown as the overview, deeper views as the detailed plan.
#pragma once

#include <cstdint>

#include "data/store.h"
#include "platform/types.h"

// The window area the map is clipped to; made on the first frame and kept for the run.
extern HRGN mapClipRegion;

// The lists below are stored north first (decreasing southern bound). Each cursor is the first
// record that may reach into the view: the records before it lie wholly north of it.
extern int32_t buildingCursor;    // g_buildings
extern int32_t waterCursor;       // g_topo3
extern int32_t minorLineCursor;   // g_topo4
extern int32_t streetLineCursor;  // g_street_lines
extern int32_t labelCursor;       // g_labels
// The view's north edge the cursors were last moved for.
extern float sweepXMax;

// Set when the first label is added by a click; added labels break the north-first order, so
// from then on the label list is always scanned from its start.
extern bool labelsAdded;

// Composes a frame into g_hdcMem and copies it to the window (g_hdc on entry, and again on
// return). Loads the map files on the first call.
void ComposeFrame();
// Every layer of the detailed plan, into g_hdc.
void DrawDetailedLayers();

// First index from `start` whose southern bound is at most sweepXMax; `start` when none is.
int AdvanceCursor(const LineRec* list, int count, int start);
int AdvanceCursor(const BuildingRec* list, int count, int start);
int AdvanceCursor(const LabelRec* list, int count, int start);

// The line as a polyline in the current pen, when its box reaches into the view.
void DrawLineRec(const LineRec& rec);

// The rectangle the detailed frame fills and edges: a little beyond the viewport.
RECT FrameRect();

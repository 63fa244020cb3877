// State that the searches, the measurement tool and the object search leave for the paint and
// the navigation input of the main window to read. It lives here because the paint draws what
// it asks for whichever tool set it; the tools own the values.
#pragma once

#include <cstdint>

#include "data/plan_types.h"
#include "data/store.h"
#include "platform/types.h"

constexpr int kSelListSize = 500;

// Building indices of the flagged buildings: kSelListSize entries, allocated at start-up.
extern int32_t* g_selList;
extern int32_t g_selCount;
// Id of the street last shown, -1 for none.
extern int32_t g_shownStreet;
// One-shot requests of the next paint: the name of a part of the city, the outline of a
// district (also the first outline while the locator is shown).
extern const PlaceRec* g_partShown;
extern const AreaRec* g_districtShown;

// 1 while the building information dialog is open; the object search refuses to open then.
extern int32_t g_infoOpen;

// The "Measurements" window; while it exists the measurement tool is active.
extern HWND g_measureWindow;
extern PlanPoint* g_measurePoints;
extern int32_t g_measureCount;

// The object search window while it is open, and the theme chosen in it.
extern HWND g_objWindow;
extern const ThemeNode* g_objTheme;

// Appends a building to the flagged ones. False, with the list unchanged, when the list is full
// (kSelListSize entries) or not allocated: the caller answers with the beep.
bool AddToSelection(int32_t building);
// True when the building is among the flagged ones.
bool IsSelected(int32_t building);

// Sets the values above to their start-up values; the selection list and the measured points
// belong to their tools and are left alone.
void ResetSharedToolState();

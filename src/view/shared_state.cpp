#include "view/shared_state.h"

int32_t* g_selList = nullptr;
int32_t g_selCount = 0;
int32_t g_shownStreet = -1;
const PlaceRec* g_partShown = nullptr;
const AreaRec* g_districtShown = nullptr;
int32_t g_infoOpen = 0;

HWND g_measureWindow = nullptr;
PlanPoint* g_measurePoints = nullptr;
int32_t g_measureCount = 0;

HWND g_objWindow = nullptr;
const ThemeNode* g_objTheme = nullptr;

void ResetSharedToolState() {
    g_selCount = 0;
    g_shownStreet = -1;
    g_partShown = nullptr;
    g_districtShown = nullptr;
    g_infoOpen = 0;
    g_measureWindow = nullptr;
    g_objWindow = nullptr;
    g_objTheme = nullptr;
}

bool AddToSelection(int32_t building) {
    if (g_selList == nullptr || g_selCount < 0 || g_selCount >= kSelListSize) return false;
    g_selList[g_selCount++] = building;
    return true;
}

bool IsSelected(int32_t building) {
    if (g_selList == nullptr) return false;
    for (int32_t i = 0; i < g_selCount && i < kSelListSize; ++i) {
        if (g_selList[i] == building) return true;
    }
    return false;
}

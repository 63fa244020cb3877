#include "shell/tool_routines.h"

#include "measure/measure.h"
#include "print/print_view.h"
#include "render/labels.h"
#include "render/overlays.h"
#include "render/tip.h"
#include "search/building_info.h"
#include "search/object_search.h"
#include "search/street_search.h"
#include "shell/interaction.h"
#include "shell/small_windows.h"
#include "view/shared_state.h"

namespace {

// The mouse measures from the moment the window is open, not only from the next paint on.
void StartMeasuring(int mode) {
    StartMeasurement(mode);
    if (IsWindow(g_measureWindow)) g_mouseMode = kMouseMeasuring;
}

}  // namespace

// Every tool of the program, each joined to the shell here.
const ToolRoutines kBuiltToolRoutines = {
    /* openLayersDialog */ OpenLayersDialog,
    /* openPalette */ OpenToolPalette,
    /* openAboutBox */ OpenAboutBox,
    /* openStreetSearch */ OpenStreetSearch,
    /* openDistricts */ OpenDistricts,
    /* openPartsOfCity */ OpenPartsOfCity,
    /* openObjectSearch */ OpenObjectSearch,
    /* printVisiblePlan */ PrintView,
    /* openCoordinatesWindow */ OpenCoordinatesWindow,
    /* showCoordinates */ ShowCoordinates,
    /* startMeasurement */ StartMeasuring,
    /* measureClick */ MeasureClick,
    /* trackMeasureCursor */ TrackMeasureCursor,
    /* measurePopup */ MeasurePopup,
    /* showInfoAt */ ShowInfoAt,
    /* showStreetNameAt */ ShowStreetNameAt,
    /* removeTip */ RemoveTip,
    /* drawLocator */ DrawLocator,
    /* drawPartName */ DrawPartName,
    /* drawDistrictOutline */ DrawDistrictOutline,
    /* drawSearchFlags */ DrawSearchFlags,
};

ToolRoutines g_toolRoutines = kBuiltToolRoutines;

#include "shell/tool_routines.h"

#include "measure/measure.h"
#include "print/print_view.h"
#include "render/labels.h"
#include "render/overlays.h"
#include "render/tip.h"
#include "search/building_info.h"
#include "search/object_search.h"
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

// Tools not built yet stay empty here until their code exists.
const ToolRoutines kBuiltToolRoutines = {
    /* openLayersDialog */ OpenLayersDialog,
    /* openPalette */ OpenToolPalette,
    /* openAboutBox */ OpenAboutBox,
    /* openStreetSearch */ nullptr,
    /* openDistricts */ nullptr,
    /* openPartsOfCity */ nullptr,
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

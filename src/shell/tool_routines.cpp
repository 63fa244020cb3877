#include "shell/tool_routines.h"

#include "render/labels.h"
#include "render/overlays.h"
#include "shell/small_windows.h"

// Tools not built yet stay empty here until their code exists.
const ToolRoutines kBuiltToolRoutines = {
    /* openLayersDialog */ OpenLayersDialog,
    /* openPalette */ OpenToolPalette,
    /* openAboutBox */ OpenAboutBox,
    /* openStreetSearch */ nullptr,
    /* openDistricts */ nullptr,
    /* openPartsOfCity */ nullptr,
    /* openObjectSearch */ nullptr,
    /* printVisiblePlan */ nullptr,
    /* openCoordinatesWindow */ OpenCoordinatesWindow,
    /* showCoordinates */ ShowCoordinates,
    /* startMeasurement */ nullptr,
    /* measureClick */ nullptr,
    /* trackMeasureCursor */ nullptr,
    /* measurePopup */ nullptr,
    /* showInfoAt */ nullptr,
    /* showStreetNameAt */ ShowStreetNameAt,
    /* removeTip */ nullptr,
    /* drawLocator */ DrawLocator,
    /* drawPartName */ DrawPartName,
    /* drawDistrictOutline */ DrawDistrictOutline,
    /* drawSearchFlags */ DrawSearchFlags,
};

ToolRoutines g_toolRoutines = kBuiltToolRoutines;

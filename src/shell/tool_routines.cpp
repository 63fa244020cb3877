#include "shell/tool_routines.h"

#include "render/labels.h"
#include "render/overlays.h"
#include "render/tip.h"
#include "search/building_info.h"

// Tools not built yet stay empty here until their code exists.
const ToolRoutines kBuiltToolRoutines = {
    /* openLayersDialog */ nullptr,
    /* openPalette */ nullptr,
    /* openAboutBox */ nullptr,
    /* openStreetSearch */ nullptr,
    /* openDistricts */ nullptr,
    /* openPartsOfCity */ nullptr,
    /* openObjectSearch */ nullptr,
    /* printVisiblePlan */ nullptr,
    /* openCoordinatesWindow */ nullptr,
    /* showCoordinates */ nullptr,
    /* startMeasurement */ nullptr,
    /* measureClick */ nullptr,
    /* trackMeasureCursor */ nullptr,
    /* measurePopup */ nullptr,
    /* showInfoAt */ ShowInfoAt,
    /* showStreetNameAt */ ShowStreetNameAt,
    /* removeTip */ RemoveTip,
    /* drawLocator */ nullptr,
    /* drawPartName */ DrawPartName,
    /* drawDistrictOutline */ DrawDistrictOutline,
    /* drawSearchFlags */ DrawSearchFlags,
};

ToolRoutines g_toolRoutines = kBuiltToolRoutines;

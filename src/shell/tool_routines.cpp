#include "shell/tool_routines.h"

#include "render/labels.h"
#include "render/overlays.h"
#include "search/object_search.h"

// Tools not built yet stay empty here until their code exists.
const ToolRoutines kBuiltToolRoutines = {
    /* openLayersDialog */ nullptr,
    /* openPalette */ nullptr,
    /* openAboutBox */ nullptr,
    /* openStreetSearch */ nullptr,
    /* openDistricts */ nullptr,
    /* openPartsOfCity */ nullptr,
    /* openObjectSearch */ OpenObjectSearch,
    /* printVisiblePlan */ nullptr,
    /* openCoordinatesWindow */ nullptr,
    /* showCoordinates */ nullptr,
    /* startMeasurement */ nullptr,
    /* measureClick */ nullptr,
    /* trackMeasureCursor */ nullptr,
    /* measurePopup */ nullptr,
    /* showInfoAt */ nullptr,
    /* showStreetNameAt */ ShowStreetNameAt,
    /* removeTip */ nullptr,
    /* drawLocator */ nullptr,
    /* drawPartName */ DrawPartName,
    /* drawDistrictOutline */ DrawDistrictOutline,
    /* drawSearchFlags */ DrawSearchFlags,
};

ToolRoutines g_toolRoutines = kBuiltToolRoutines;

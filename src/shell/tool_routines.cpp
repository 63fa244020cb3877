#include "shell/tool_routines.h"

#include "render/labels.h"
#include "render/overlays.h"
#include "search/street_search.h"

// Tools not built yet stay empty here until their code exists.
const ToolRoutines kBuiltToolRoutines = {
    /* openLayersDialog */ nullptr,
    /* openPalette */ nullptr,
    /* openAboutBox */ nullptr,
    /* openStreetSearch */ OpenStreetSearch,
    /* openDistricts */ OpenDistricts,
    /* openPartsOfCity */ OpenPartsOfCity,
    /* openObjectSearch */ nullptr,
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

#include "shell/tool_routines.h"

#include "print/print_view.h"
#include "render/labels.h"
#include "render/overlays.h"

// Tools not built yet stay empty here until their code exists.
const ToolRoutines kBuiltToolRoutines = {
    /* openLayersDialog */ nullptr,
    /* openPalette */ nullptr,
    /* openAboutBox */ nullptr,
    /* openStreetSearch */ nullptr,
    /* openDistricts */ nullptr,
    /* openPartsOfCity */ nullptr,
    /* openObjectSearch */ nullptr,
    /* printVisiblePlan */ PrintView,
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

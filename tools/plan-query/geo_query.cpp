#include <cmath>
#include <string>

#include "commands.h"
#include "query.h"
#include "view/geographic.h"

namespace {

// Plan metres far beyond any city still convert; beyond this they would not fit the single
// precision the readout rounds to.
constexpr double kLargestCoordinate = 1e9;

bool ParseCoordinate(const std::string& text, double* value) {
    return ParseDouble(text, value) && std::fabs(*value) <= kLargestCoordinate;
}

}  // namespace

// The latitude and longitude of a plan point, as the coordinates window shows them.
int RunGeoQuery(const QueryCall& call) {
    if (call.args.size() != 2) return QueryUsageError(call, "geo", "expected the plan point X Y");
    double X = 0.0, Y = 0.0;
    if (!ParseCoordinate(call.args[0], &X) || !ParseCoordinate(call.args[1], &Y)) {
        return QueryUsageError(call, "geo", "X and Y must be numbers of plan metres");
    }
    const GeoPoint point = PlanPointToGeographic(static_cast<float>(X), static_cast<float>(Y));
    char latitude[kAngleTextSize];
    char longitude[kAngleTextSize];
    FormatAngle(point.latitude, latitude, sizeof latitude);
    FormatAngle(point.longitude, longitude, sizeof longitude);
    fprintf(call.out, "{\"latitude\": %s, \"longitude\": %s, \"latitude_text\": %s, \"longitude_text\": %s}\n",
            JsonNumber(point.latitude).c_str(), JsonNumber(point.longitude).c_str(), JsonString(latitude).c_str(),
            JsonString(longitude).c_str());
    return kQueryOk;
}

#include "view/geographic.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double kNorthingOrigin = 4733250.0;
constexpr double kEastingOrigin = 35750.0;
constexpr double kCentralMeridian = 132.0;
constexpr double kDegreesPerRadian = 57.29577951308239;
// Beyond this an angle is no place on the Earth, and its parts would not fit an int.
constexpr double kAngleLimit = 360000.0;

}  // namespace

GeoPoint PlanToGeographic(double a, double b) {
    const double x = a + kNorthingOrigin;
    const double y = b - kEastingOrigin;
    const double beta = x * 1.5704606412125508e-7;
    const double cb = std::cos(beta);
    const double cb2 = cb * cb;
    const double Bx =
        beta + std::sin(beta) * cb * (50221746.0 + (293622.0 + (2350.0 + 22.0 * cb2) * cb2) * cb2) * 1e-10;
    const double c = std::cos(Bx);
    const double c2 = c * c;
    const double Z = y / ((6399698.0 - (21562.267 - (108.973 - 0.612 * c2) * c2) * c2) * c);
    const double Z2 = Z * Z;
    const double l =
        Z * (1.0 - (0.333333 - (0.166667 - 0.001123 * c2) * c2 - (0.2 - (0.1667 - 0.0088 * c2) * c2) * Z2) * Z2);
    const double B = Bx - std::sin(Bx) * c * (0.5 + 0.0033692 * c2) *
                              (1.0 - (0.25 + (0.16161 + 0.00562 * c2) * c2 - 0.12 * Z2) * Z2) * Z2;
    return GeoPoint{B * kDegreesPerRadian, l * kDegreesPerRadian + kCentralMeridian};
}

GeoPoint PlanPointToGeographic(float X, float Y) {
    const float a = static_cast<float>(static_cast<double>(X) + kPlanOffsetNorth);
    const float b = static_cast<float>(static_cast<double>(Y) + kPlanOffsetEast);
    return PlanToGeographic(a, b);
}

int FormatAngle(double degrees, char* text, size_t size) {
    if (text == nullptr || size == 0) return 0;
    text[0] = '\0';
    if (!std::isfinite(degrees) || std::fabs(degrees) > kAngleLimit) return 0;
    const int d = static_cast<int>(std::trunc(degrees));
    const double minutes = (degrees - d) * 60.0;
    const int m = static_cast<int>(std::trunc(minutes));
    const double s = (minutes - m) * 60.0;
    // Whole tens of seconds; 59.8 shows as 60, as the readout always did.
    const int s10 = ((static_cast<int>(std::trunc(s + 0.3)) + 5) / 10) * 10;
    const int length = std::snprintf(text, size, " %d\xB0%02d'%02d\"", d, m, s10);
    if (length < 0) {
        text[0] = '\0';
        return 0;
    }
    return static_cast<size_t>(length) < size ? length : static_cast<int>(size - 1);
}

#include "view/geographic.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "data/plan_ini.h"

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
    if (g_planIni.present) {
        if (!g_planIni.haveCentre) {
            const double none = std::numeric_limits<double>::quiet_NaN();
            return GeoPoint{none, none};
        }
        return TransverseMercatorToGeographic(X - g_planIni.xShift, Y - g_planIni.yShift, g_planIni.lat0,
                                              g_planIni.lon0);
    }
    const float a = static_cast<float>(static_cast<double>(X) + kPlanOffsetNorth);
    const float b = static_cast<float>(static_cast<double>(Y) + kPlanOffsetEast);
    return PlanToGeographic(a, b);
}

// The series of the inverse transverse Mercator through the footpoint latitude, to the sixth
// power of the distance from the central meridian: well under a metre within a city's reach.
GeoPoint TransverseMercatorToGeographic(double northing, double easting, double lat0, double lon0) {
    constexpr double a = 6378137.0;
    constexpr double f = 1.0 / 298.257223563;
    constexpr double e2 = f * (2.0 - f);
    constexpr double e4 = e2 * e2;
    constexpr double e6 = e4 * e2;
    constexpr double ep2 = e2 / (1.0 - e2);
    const double phi0 = lat0 / kDegreesPerRadian;
    // Meridian arc from the equator to the origin latitude.
    const double m0 = a * ((1.0 - e2 / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0) * phi0 -
                           (3.0 * e2 / 8.0 + 3.0 * e4 / 32.0 + 45.0 * e6 / 1024.0) * std::sin(2.0 * phi0) +
                           (15.0 * e4 / 256.0 + 45.0 * e6 / 1024.0) * std::sin(4.0 * phi0) -
                           (35.0 * e6 / 3072.0) * std::sin(6.0 * phi0));
    const double mu = (m0 + northing) / (a * (1.0 - e2 / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0));
    const double root = std::sqrt(1.0 - e2);
    const double e1 = (1.0 - root) / (1.0 + root);
    const double phi1 = mu + (1.5 * e1 - 27.0 * e1 * e1 * e1 / 32.0) * std::sin(2.0 * mu) +
                        (21.0 * e1 * e1 / 16.0 - 55.0 * e1 * e1 * e1 * e1 / 32.0) * std::sin(4.0 * mu) +
                        (151.0 * e1 * e1 * e1 / 96.0) * std::sin(6.0 * mu) +
                        (1097.0 * e1 * e1 * e1 * e1 / 512.0) * std::sin(8.0 * mu);
    const double s1 = std::sin(phi1);
    const double c1 = std::cos(phi1);
    const double t1 = (s1 / c1) * (s1 / c1);
    const double cc = ep2 * c1 * c1;
    const double w = 1.0 - e2 * s1 * s1;
    const double n1 = a / std::sqrt(w);
    const double r1 = a * (1.0 - e2) / (w * std::sqrt(w));
    const double d = easting / n1;
    const double d2 = d * d;
    const double phi =
        phi1 - (n1 * (s1 / c1) / r1) *
                   (d2 / 2.0 - (5.0 + 3.0 * t1 + 10.0 * cc - 4.0 * cc * cc - 9.0 * ep2) * d2 * d2 / 24.0 +
                    (61.0 + 90.0 * t1 + 298.0 * cc + 45.0 * t1 * t1 - 252.0 * ep2 - 3.0 * cc * cc) * d2 * d2 * d2 /
                        720.0);
    const double lambda = (d - (1.0 + 2.0 * t1 + cc) * d2 * d / 6.0 +
                           (5.0 - 2.0 * cc + 28.0 * t1 - 3.0 * cc * cc + 8.0 * ep2 + 24.0 * t1 * t1) * d2 * d2 * d /
                               120.0) /
                          c1;
    return GeoPoint{phi * kDegreesPerRadian, lon0 + lambda * kDegreesPerRadian};
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

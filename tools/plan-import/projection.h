// Geographic coordinates to the plane of the plan through PROJ: a transverse Mercator on WGS84
// centred on the data, or any projection the user names, giving easting and northing in metres.
#pragma once

#include <string>

namespace planimport {

class Projection {
public:
    Projection() = default;
    ~Projection();
    Projection(const Projection&) = delete;
    Projection& operator=(const Projection&) = delete;

    // The definition of a transverse Mercator centred on (lon0, lat0).
    static std::string TransverseMercator(double lon0, double lat0);

    // Sets up the projection from a PROJ definition. False, with `error` set, when PROJ refuses
    // it or it does not take geographic coordinates to a plane.
    bool Init(const std::string& definition, std::string& error);

    // Degrees to metres; false when the point cannot be projected.
    bool Forward(double lon, double lat, double* easting, double* northing) const;

    const std::string& definition() const { return definition_; }

private:
    void Release();
    void* context_ = nullptr;  // PJ_CONTEXT*
    void* pj_ = nullptr;       // PJ*
    std::string definition_;
};

}  // namespace planimport

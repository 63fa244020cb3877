#include "projection.h"

#include <cmath>
#include <cstdio>

#include <proj.h>

namespace planimport {

Projection::~Projection() { Release(); }

void Projection::Release() {
    if (pj_ != nullptr) proj_destroy(static_cast<PJ*>(pj_));
    if (context_ != nullptr) proj_context_destroy(static_cast<PJ_CONTEXT*>(context_));
    pj_ = nullptr;
    context_ = nullptr;
}

std::string Projection::TransverseMercator(double lon0, double lat0) {
    char text[160];
    std::snprintf(text, sizeof text, "+proj=tmerc +lat_0=%.7f +lon_0=%.7f +k=1 +x_0=0 +y_0=0 +ellps=WGS84 +units=m +no_defs",
                  lat0, lon0);
    return text;
}

bool Projection::Init(const std::string& definition, std::string& error) {
    Release();
    PJ_CONTEXT* context = proj_context_create();
    if (context == nullptr) {
        error = "cannot start PROJ";
        return false;
    }
    // No network and no log chatter on the terminal; failures are reported by the tool.
    proj_log_level(context, PJ_LOG_NONE);
    context_ = context;
    PJ* pj = proj_create(context, definition.c_str());
    if (pj == nullptr) {
        error = "PROJ does not accept the projection \"" + definition + "\"";
        Release();
        return false;
    }
    pj_ = pj;
    const PJ_TYPE type = proj_get_type(pj);
    const bool operation = type == PJ_TYPE_CONVERSION || type == PJ_TYPE_TRANSFORMATION ||
                           type == PJ_TYPE_CONCATENATED_OPERATION || type == PJ_TYPE_OTHER_COORDINATE_OPERATION;
    if (!operation || !proj_angular_input(pj, PJ_FWD) || proj_angular_output(pj, PJ_FWD)) {
        error = "the projection \"" + definition + "\" must take longitude and latitude to metres (a +proj=... definition)";
        Release();
        return false;
    }
    definition_ = definition;
    return true;
}

bool Projection::Forward(double lon, double lat, double* easting, double* northing) const {
    if (pj_ == nullptr || !std::isfinite(lon) || !std::isfinite(lat)) return false;
    PJ_COORD in = proj_coord(proj_torad(lon), proj_torad(lat), 0.0, 0.0);
    PJ_COORD out = proj_trans(static_cast<PJ*>(pj_), PJ_FWD, in);
    if (!std::isfinite(out.xy.x) || !std::isfinite(out.xy.y) || out.xy.x == HUGE_VAL) return false;
    *easting = out.xy.x;
    *northing = out.xy.y;
    return true;
}

}  // namespace planimport

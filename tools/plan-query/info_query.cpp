// plan-query info X Y --scale S: what a left press at a plan point shows when the plan is seen at
// that scale. The view is set up as the window would have it, on a surface without a window,
// and the press is answered by the same routines the window calls.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"
#include "data/districts.h"
#include "data/text.h"
#include "platform/gdi.h"
#include "render/frame.h"
#include "render/offscreen.h"
#include "render/styles.h"
#include "search/building_info.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

// A screen of an ordinary size: the scale, not the size, decides what a press hits.
constexpr int kSurfaceWidth = 1024;
constexpr int kSurfaceHeight = 768;

struct InfoArgs {
    double x = 0.0;
    double y = 0.0;
    double scale = 0.0;
};

int ParseInfoArgs(const QueryCall& call, InfoArgs* args) {
    std::vector<std::string> numbers;
    bool haveScale = false;
    for (size_t i = 0; i < call.args.size(); ++i) {
        const std::string& word = call.args[i];
        if (word == "--scale") {
            if (i + 1 >= call.args.size()) return QueryUsageError(call, "info", "--scale needs a value");
            if (!ParseDouble(call.args[i + 1], &args->scale) || !std::isfinite(args->scale) ||
                !(args->scale > 0.0)) {
                return QueryUsageError(call, "info",
                                       "the scale must be a positive number: '" + call.args[i + 1] + "'");
            }
            haveScale = true;
            ++i;
        } else {
            numbers.push_back(word);
        }
    }
    if (numbers.size() != 2) return QueryUsageError(call, "info", "a plan point X Y is needed");
    if (!haveScale) return QueryUsageError(call, "info", "--scale is needed");
    for (int k = 0; k < 2; ++k) {
        double* value = k == 0 ? &args->x : &args->y;
        if (!ParseDouble(numbers[k], value) || !std::isfinite(*value)) {
            return QueryUsageError(call, "info", "not a plan coordinate: '" + numbers[k] + "'");
        }
    }
    return kQueryOk;
}

void ReleaseView() {
    ReleaseStyleSet();
    DeleteFixedObjects();
    CloseOffscreenSurface();
}

// A view of the plan centred on the point at the scale, composed as a paint composes it, so
// that the sweep cursors the press starts from are where the window would have them.
bool ShowViewAt(const InfoArgs& args) {
    UpdateScreenMetrics();
    const double halfHeight = g_view.screenHeightMm / args.scale * 0.5;
    const double halfWidth = g_view.screenWidthMm / args.scale * 0.5;
    const float x1 = static_cast<float>(args.x - halfHeight);
    const float y1 = static_cast<float>(args.y - halfWidth);
    const float x2 = static_cast<float>(args.x + halfHeight);
    const float y2 = static_cast<float>(args.y + halfWidth);
    if (!PushViewRect(x1, y1, x2, y2)) return false;
    // The plan was just loaded: no frame has swept the lists yet.
    sweepXMax = 75000.0f;
    buildingCursor = waterCursor = minorLineCursor = streetLineCursor = labelCursor = 0;
    SetBkMode(g_hdc, TRANSPARENT);
    ComposeFrame();
    g_needRedraw = 0;
    return true;
}

std::string TipText(const InfoHit& hit) {
    char text[sizeof hit.text];
    memcpy(text, hit.text, sizeof text);
    text[sizeof text - 1] = '\0';
    TrimText(text);
    return JsonString(text);
}

void WriteAnswer(FILE* out, const InfoHit& hit) {
    switch (hit.kind) {
        case InfoKind::Building: {
            FillBuildingInfo(hit.building);
            fprintf(
                out,
                "{\"kind\": \"building\", \"building\": %d, \"title\": %s, \"district\": %s, \"floors\": %s, "
                "\"extra\": %s, \"objects\": [",
                hit.building, JsonString(InfoTitle()).c_str(), JsonString(g_infoDistrict).c_str(),
                JsonString(g_infoFloors).c_str(), JsonString(g_infoExtra).c_str());
            for (size_t i = 0; i < g_infoObjects.size(); ++i) {
                const UserObjectRec& object = g_user_objects[g_infoObjects[i]];
                fprintf(out, "%s%s", i == 0 ? "" : ", ", JsonString(object.name, sizeof object.name).c_str());
            }
            fputs("]}\n", out);
            break;
        }
        case InfoKind::Street:
            fprintf(out, "{\"kind\": \"street\", \"text\": %s}\n", TipText(hit).c_str());
            break;
        case InfoKind::District:
            fprintf(out, "{\"kind\": \"district\", \"text\": %s}\n", TipText(hit).c_str());
            break;
        case InfoKind::None:
            fputs("{\"kind\": \"none\"}\n", out);
            break;
    }
}

}  // namespace

int RunInfoQuery(const QueryCall& call) {
    InfoArgs args;
    const int parsed = ParseInfoArgs(call, &args);
    if (parsed != kQueryOk) return parsed;
    if (!LoadQueryPlan(call.err)) return kQueryFailed;
    // The viewer shows the district names in Latin letters from start-up on. They are made from
    // the city's own names each time: a Latin text transliterated again would change.
    for (int k = 1; k <= kDistrictCount; ++k) {
        snprintf(g_district_names[k], kDistrictNameField, "%s", DistrictSourceName(k));
        Transliterate(g_district_names[k], kDistrictNameField);
    }

    if (!OpenOffscreenSurface(kSurfaceWidth, kSurfaceHeight)) {
        fputs("plan-query: cannot make a surface to set the view on\n", call.err);
        FreeQueryPlan();
        return kQueryFailed;
    }
    CreateFixedObjects();
    BuildStyleSet();
    if (!ShowViewAt(args)) {
        fprintf(call.err, "plan-query: at scale %g the view would be larger than the whole plan\n",
                args.scale);
        ReleaseView();
        FreeQueryPlan();
        return kQueryFailed;
    }
    const InfoHit hit = FindInfoAt(static_cast<float>(args.x), static_cast<float>(args.y));
    WriteAnswer(call.out, hit);
    ReleaseView();
    FreeQueryPlan();
    return kQueryOk;
}

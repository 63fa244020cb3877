// plan-query measure --mode lines|streets --scale S X1,Y1 X2,Y2 ...
//
// Clicks the plan points one after the other as the measurement tool takes them, in a view of
// scale S (screen millimetres per plan metre) centred on the clicks, and prints the measured
// polyline with the total length and area as the "Measurements" window would show them:
//   {"points": [[X, Y], ...], "length_text": ..., "area_text": ..., "beeps": n}
// A text the window would leave empty (a length with fewer than two points, an area with fewer
// than three) is null; "beeps" counts the clicks on streets that found no street.
#include <string>
#include <vector>

#include "commands.h"
#include "data/plan_types.h"
#include "measure/measure_path.h"
#include "render/frame.h"
#include "render/offscreen.h"
#include "render/styles.h"
#include "view/shared_state.h"
#include "view/view.h"

namespace {

constexpr const char* kName = "measure";
// The surface the clicks are drawn on, as a screen of 96 pixels per inch.
constexpr int kSurfaceWidth = 1000;
constexpr int kSurfaceHeight = 600;
// FitViewToRect keeps no view needing this many millimetres per metre or more.
constexpr double kLargestScale = 50.0;

struct MeasureArgs {
    int32_t mode = -1;
    double scale = 0.0;
    std::vector<PlanPoint> clicks;
};

bool ParseClick(const std::string& word, PlanPoint* click) {
    const size_t comma = word.find(',');
    if (comma == std::string::npos) return false;
    double x = 0.0;
    double y = 0.0;
    if (!ParseDouble(word.substr(0, comma), &x) || !ParseDouble(word.substr(comma + 1), &y)) return false;
    // Plan coordinates are whole-metre sized numbers; far beyond that they are not a place.
    if (x < -1e7 || x > 1e7 || y < -1e7 || y > 1e7) return false;
    click->x = static_cast<float>(x);
    click->y = static_cast<float>(y);
    return true;
}

// An empty text when the arguments are good, else what is wrong with them.
std::string ParseArgs(const std::vector<std::string>& args, MeasureArgs* parsed) {
    bool scaleGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--mode" || word == "--scale") {
            if (i + 1 >= args.size()) return word + " needs a value";
            const std::string& value = args[++i];
            if (word == "--mode") {
                if (value == "lines")
                    parsed->mode = kMeasureOnLines;
                else if (value == "streets")
                    parsed->mode = kMeasureOnStreets;
                else
                    return "--mode is 'lines' or 'streets', not '" + value + "'";
            } else {
                if (!ParseDouble(value, &parsed->scale) || !(parsed->scale > 0.0) ||
                    parsed->scale >= kLargestScale)
                    return "--scale needs a number of millimetres per metre above 0 and below 50, not '" +
                           value + "'";
                scaleGiven = true;
            }
            continue;
        }
        PlanPoint click{};
        if (!ParseClick(word, &click)) return "a click is X,Y in plan metres, not '" + word + "'";
        parsed->clicks.push_back(click);
    }
    if (parsed->mode < 0) return "--mode is needed";
    if (!scaleGiven) return "--scale is needed";
    if (parsed->clicks.empty()) return "at least one click X,Y is needed";
    return "";
}

// The view of the scale centred on the clicks, as a zoom would leave it.
bool SetMeasureView(const MeasureArgs& args) {
    float xMin = args.clicks[0].x, xMax = xMin, yMin = args.clicks[0].y, yMax = yMin;
    for (const PlanPoint& c : args.clicks) {
        xMin = c.x < xMin ? c.x : xMin;
        xMax = c.x > xMax ? c.x : xMax;
        yMin = c.y < yMin ? c.y : yMin;
        yMax = c.y > yMax ? c.y : yMax;
    }
    UpdateScreenMetrics();
    const double height = g_view.screenHeightMm / args.scale;
    const double width = g_view.screenWidthMm / args.scale;
    const double cx = (static_cast<double>(xMin) + xMax) * 0.5;
    const double cy = (static_cast<double>(yMin) + yMax) * 0.5;
    g_view.scale = 0.0;
    FitViewToRect(static_cast<float>(cx - height * 0.5), static_cast<float>(cy - width * 0.5),
                  static_cast<float>(cx + height * 0.5), static_cast<float>(cy + width * 0.5));
    // Clicks may lie anywhere, not only in the view: every street line is looked at.
    streetLineCursor = 0;
    return g_view.scale > 0.0;
}

void PrintAnswer(FILE* out, int beeps) {
    fputs("{\"points\": [", out);
    for (int32_t i = 0; i < g_measureCount; ++i) {
        fprintf(out, "%s[%s, %s]", i == 0 ? "" : ", ", JsonNumber(g_measurePoints[i].x).c_str(),
                JsonNumber(g_measurePoints[i].y).c_str());
    }
    fputs("], \"length_text\": ", out);
    if (g_measureCount > 1) {
        FormatTotalLength(g_measureText, MeasuredLength());
        fputs(JsonString(g_measureText).c_str(), out);
    } else {
        fputs("null", out);
    }
    fputs(", \"area_text\": ", out);
    if (g_measureCount > 2) {
        FormatArea(g_measureText, MeasuredArea());
        fputs(JsonString(g_measureText).c_str(), out);
    } else {
        fputs("null", out);
    }
    fprintf(out, ", \"beeps\": %d}\n", beeps);
}

int Measure(const QueryCall& call, const MeasureArgs& args) {
    if (!SetMeasureView(args)) {
        fputs("plan-query: the view of that scale cannot be shown\n", call.err);
        return kQueryFailed;
    }
    if (!OpenMeasurePoints(args.mode)) {
        fputs("plan-query: no room for the measured points\n", call.err);
        return kQueryFailed;
    }
    POINT rubberBand[2] = {};
    int beeps = 0;
    for (const PlanPoint& click : args.clicks) {
        const MeasureStep step = MeasureClickAt(click.x, click.y, rubberBand);
        if (step == MeasureStep::kOutOfRoom) {
            fputs("plan-query: no room for the measured points\n", call.err);
            return kQueryFailed;
        }
        if (step == MeasureStep::kAddedOffStreet) ++beeps;
    }
    PrintAnswer(call.out, beeps);
    return kQueryOk;
}

}  // namespace

int RunMeasureQuery(const QueryCall& call) {
    MeasureArgs args;
    const std::string wrong = ParseArgs(call.args, &args);
    if (!wrong.empty()) return QueryUsageError(call, kName, wrong);
    if (!LoadQueryPlan(call.err)) return kQueryFailed;
    if (!OpenOffscreenSurface(kSurfaceWidth, kSurfaceHeight)) {
        fputs("plan-query: cannot make a drawing surface\n", call.err);
        FreeQueryPlan();
        return kQueryFailed;
    }
    CreateFixedObjects();
    const int code = Measure(call, args);
    CloseMeasurePoints();
    DeleteFixedObjects();
    CloseOffscreenSurface();
    FreeQueryPlan();
    return code;
}

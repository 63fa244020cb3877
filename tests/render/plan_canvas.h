// A small drawing surface with a hand-set view and hand-made map records, for the tests of the
// street and building layers. The view is 400 x 300 pixels at 4 pixels per millimetre, so that
// positions can be worked out by hand: at scale s one metre is 4 s pixels, and a plan point
// (X, Y) lands at (trunc((Y - yMin) 4 s + 0.5), trunc(300 - ((X - xMin) 4 s + 0.5))).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/store.h"
#include "platform/gdi.h"

constexpr int kCanvasWidth = 400;
constexpr int kCanvasHeight = 300;
constexpr float kCanvasPxPerMm = 4.0f;

struct StreetSpec {
    int16_t code;
    std::vector<PlanPoint> points;
};

struct BuildingSketch {
    int16_t purpose = 411;
    int16_t floors = 1;
    const char* houseNumber = "";
    const char* caption = "";
    std::vector<PlanPoint> points;  // the outline; the box and the reference point follow from it
    int16_t streetId = 0;
};

// An axis-parallel outline from (x1, y1) to (x2, y2), x the northing.
std::vector<PlanPoint> RectOutline(float x1, float y1, float x2, float y2);

class PlanCanvas {
public:
    explicit PlanCanvas(int32_t mode);
    ~PlanCanvas();
    PlanCanvas(const PlanCanvas&) = delete;
    PlanCanvas& operator=(const PlanCanvas&) = delete;

    // View of scale s with its lower left corner at (xMin, yMin); the detail level follows the
    // scale unless given.
    void SetView(double s, float xMin, float yMin, int detailLevel = -1);
    // Changes the display mode and rebuilds the style set.
    void SetMode(int32_t mode);

    // Tables of the map store, replacing what was there.
    void SetStreets(const std::vector<StreetSpec>& streets);
    // Names by street id.
    void SetStreetNames(const std::vector<std::pair<int16_t, const char*>>& names);
    void SetLabels(const std::vector<LabelRec>& labels);
    void SetBuildings(const std::vector<BuildingSketch>& buildings);

    void Fill(COLORREF colour);
    void StartRecording();
    const std::vector<GdiCall>& Calls() const;
    std::vector<GdiCall> CallsOf(GdiOp op) const;
    COLORREF Pixel(int x, int y) const;

    HDC dc() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    int liveObjects_ = 0;
};

// Screen points compare by value in the expectations.
inline bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }

// Pen, brush and font facts of recorded calls.
COLORREF PenColour(const GdiCall& call);
bool PenIsNull(const GdiCall& call);
COLORREF BrushColour(const GdiCall& call);
bool BrushIsNull(const GdiCall& call);
std::vector<POINT> Shifted(const std::vector<POINT>& points, int dx, int dy);
std::string Describe(const std::vector<POINT>& points);

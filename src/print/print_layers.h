// The plan on the printed page: a drawing pipeline of its own beside the screen's, with every
// width and text size taken from the printer's pixels per millimetre, in colour or in black and
// white (g_printInColor). Everything draws into g_hdc while it is the printer's context and
// the view state is the printer view (print_view.h).
#pragma once

#include <cstdint>

#include "data/store.h"
#include "platform/types.h"

// Printer pixels of one storey of a block: 4 m of plan.
extern int32_t g_printStorey;
// How far the ends of a wall move down for the test whether the block hides it: 2 m of plan.
extern int32_t g_printHidden;
// How far above its reference point the next house number stands (the height of its block).
extern int32_t g_printLift;
// Height of the house-number font: characters 3 mm high.
extern int32_t g_printNumberHeight;

// Building category of a purpose on paper (0..4): the colours follow the purpose, whatever
// "Color buildings" says; only blocks consult that setting.
int PrintCategory(int16_t purpose);

// Widths in printer pixels of the street casing and of the inner line at detail level k with
// p pixels per millimetre.
struct PrintStreetWidths {
    int outer;
    int inner;
};
PrintStreetWidths StreetWidthsOnPaper(int k, double p);

// The whole page content, in layer order.
void PrintLayers();
// The stretches of the line that reach the page, each as one polyline.
void PrintVisibleLine(const LineRec& line);
// Buildings of "Flat" and "Graphic": filled or outlined footprints, outlined in black.
void PrintFlatBuildings();
// Buildings as blocks in every other mode.
void PrintBlockBuildings();
// The walls and windows of one block from its n page points.
void PrintBlockWalls(int n, const POINT* points, const BuildingRec& b);
// The trimmed house number over the building's reference point, g_printLift higher.
void PrintHouseNumber(const BuildingRec& b);
// A flag on building `index`: a pole 2 mm high and a flag 4 mm wide.
void PrintFlag(int index);
// The street names of the labels the screen showed last.
void PrintStreetLabels();

// Calls run(first, last) for each longest stretch of consecutive segments of an n-point line
// for which touches(i) holds (segment i runs from point i to point i + 1), with the points
// first..last of the stretch: the parts of the line that reach the page, each with the points
// just outside it that bring the line to the page's edge.
template <typename Touches, typename Run>
void ForEachVisibleRun(int n, Touches&& touches, Run&& run) {
    int i = 0;
    while (i + 1 < n) {
        if (!touches(i)) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 < n && touches(j)) ++j;
        run(i, j);
        i = j + 1;
    }
}

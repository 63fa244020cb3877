// The street layers of the detailed plan: street bodies, the shown street and the street names.
#pragma once

// The roundabouts of the city, centres in plan metres. They are not in the street files, so
// the program draws their rings itself.
struct CircularPlace {
    float x;
    float y;
};
constexpr int kCircularPlaceCount = 8;
extern const CircularPlace kCircularPlaces[kCircularPlaceCount];

// Edges, circular places, centres and islands of the streets (detail levels 0 to 3).
void DrawStreetBodies();
// The street found by the search in red: when a street is shown and no buildings are
// selected, HighlightStreet of that street.
void DrawShownStreet();
// Every street line of `code` in red.
void HighlightStreet(int code);
// The street names of the labels in view (labels.cpp).
void DrawStreetLabels();

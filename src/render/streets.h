// The street layers of the detailed plan: street bodies, the shown street and the street names.
#pragma once

// Edges, circular places, centres and islands of the streets (detail levels 0 to 3).
void DrawStreetBodies();
// The street found by the search in red: when a street is shown and no buildings are
// selected, HighlightStreet of that street.
void DrawShownStreet();
// Every street line of `code` in red.
void HighlightStreet(int code);
// The street names of the labels in view.
void DrawStreetLabels();

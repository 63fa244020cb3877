// The hand-set canvas of the drawing tests stands in for the printer here too: the printed
// layers draw into whatever context is current, with the view the test sets.
#include "render/plan_canvas.cpp"  // NOLINT(bugprone-suspicious-include)

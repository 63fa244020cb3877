// Keys, characters and the mouse in the main window: zooming in and out, panning by keys and by
// dragging, the zoom rectangle, stepping back, the whole city, the modifier cursors and the
// rubber bands; clicks go on to the tools. Every step of the view is a push on the zoom stack,
// so stepping back undoes pans as well as zooms. Each handler takes the message's wParam and
// lParam.
#pragma once

#include "platform/user.h"

void OnKeyDown(WPARAM key, LPARAM flags);
void OnKeyUp(WPARAM key, LPARAM flags);
void OnChar(WPARAM character);
void OnMouseMove(WPARAM keys, LPARAM position);
void OnLeftButtonDown(WPARAM keys, LPARAM position);
void OnLeftButtonUp(WPARAM keys, LPARAM position);
void OnRightButtonDown(WPARAM keys, LPARAM position);
void OnRightButtonUp(WPARAM keys, LPARAM position);

// Back to the previous view; the first detailed view is the bottom of the history.
void StepBack();
// Back to the overview of the whole city.
void ReturnToWholeCity();

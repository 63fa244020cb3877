// Finding the user objects by theme, name and address, listing them and flagging the buildings
// they stand in. The choices of a search outlive its window: reopening the window shows them
// again, with the results unless the window was cancelled or closed by "Show".
#pragma once

#include <cstddef>
#include <cstdint>

#include "data/store.h"
#include "platform/user.h"

// The result list holds at most this many objects; a search stops when it has found them.
constexpr int kObjectResultLimit = 500;
// The name field: 39 characters and the terminator.
constexpr int kObjectNameField = 40;

// 0 "starts with", 1 "contains", -1 not chosen (a search then looks anywhere in the name).
extern int32_t g_objMode;
// The name of the last search, in Latin letters, trimmed and lower-cased.
extern char g_objName[kObjectNameField];
// Positions chosen in the street, district (0..4), part-of-the-city boxes and the theme list;
// -1 for none.
extern int32_t g_objStreetChoice;
extern int32_t g_objDistrictChoice;
extern int32_t g_objPartChoice;
extern int32_t g_objThemeChoice;
// Objects whose `found` is set, 0..kObjectResultLimit.
extern int32_t g_objFound;
extern bool g_objCloseOnShow;

// ---- The search itself (no window needed) ----

// Turns what the user typed into the saved name: Cyrillic letters into Latin ones by the
// program's table, so that a name typed in either alphabet finds the same objects, then trimmed
// and lower-cased. Latin letters stay as typed.
void SetObjectSearchName(const char* typed);

// Takes the positions chosen in the street, district and part boxes (-1 none) as the next
// search's address filter. The street also becomes the shown street and the part the one the
// next paint names; a position outside its table counts as a choice that matches nothing.
void SetObjectAddressChoices(int32_t street, int32_t district, int32_t part);

// The theme list: each top-level node (a group) followed by its items. Line `line`'s node, or
// null outside the list.
const ThemeNode* ThemeNodeAtLine(int32_t line);
int32_t ThemeLineCount();
// The line of the first node with this two-character code, or -1.
int32_t ThemeLineOfCode(const char* code);
// Takes line `line` of the theme list (-1: none) as the next search's theme.
void SetObjectThemeChoice(int32_t line);

// Sets `found` on every object that passes all the chosen filters, in table order, stopping at
// kObjectResultLimit; returns their number (also kept in g_objFound).
int32_t MatchThemeObjects();

// Index of the first building whose anchor is the object's address point; -1 when none stands
// there or the object index is outside the table.
int32_t ObjectBuilding(int32_t object);

// Clears every `found` and g_objFound.
void ClearFoundObjects();

// The "Total:" text for `found` objects (Windows-1251); empty for none.
void FormatObjectTotal(int32_t found, char* out, size_t size);

// ---- The window ----

// Opens the object search window beside the main window, without taking the activation.
void OpenObjectSearch();
// "List": reads the choices from the window, searches, and lists what was found.
void RunObjectSearch(HWND window);
// "Show": flags the buildings of the selected results and brings them into view.
void ShowFoundObjects(HWND window);

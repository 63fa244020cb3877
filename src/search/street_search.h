// Finding a street and its houses by typed text, and bringing a found house or street into view
// with its buildings flagged. The dialogs of street_dialog.cpp and the command line of plan-query
// both work through these routines, so that the two always answer alike.
#pragma once

#include <cstdint>

#include "data/store.h"
#include "platform/types.h"

// One line of the house list: the building and the text the list shows for it ("12a" or
// "12a, block 3"). The building index has the width of the selection list's entries, which it
// is copied into.
constexpr int kHouseTextSize = 32;
struct HouseEntry {
    int32_t building;
    char text[kHouseTextSize];
};

// Street kinds whose streets have no houses; kind 100 cannot be shown either.
constexpr uint16_t kStreetKindNoHouses = 0;
constexpr uint16_t kStreetKindHidden = 100;

// Index in g_street_names of the street chosen in the street search, -1 for none.
extern int32_t g_streetSel;
// Index in g_houseList of the chosen house, -1 for none.
extern int32_t g_houseSel;
// "Form list": houses are collected into the "Is selected" window instead of shown one by one.
extern bool g_formList;
// Houses of the chosen street, room for g_houseCapacity entries; NULL while no search is open.
extern HouseEntry* g_houseList;
extern int32_t g_houseCapacity;
// Entries in g_houseList; 0 while the list is not built.
extern int32_t g_houseCount;
// The "Is selected" window while form-list mode is on.
extern HWND g_hwndSelected;

// Makes g_houseList with room for the largest number of numbered buildings any one street has,
// so that no street's list is ever cut. False when there is no memory for it.
bool AllocateHouseList();
void FreeHouseList();

// Street index for a typed text, or -1. Cyrillic letters in the text are first turned into the
// Latin letters the names are held in.
int32_t FindStreet(const char* text);
// Fills g_houseList with the numbered buildings of street g_streetSel, in house-number order.
void BuildHouseList();
void SortHouseList();
// House-list index for a typed text, or -1 for an empty list.
int32_t FindHouse(const char* text);

// Flags house-list entry k and moves the view to it when it is not well in view; in form-list
// mode, moves the view over every flagged building instead.
void ShowHouse(int32_t k);
// Moves the view to the whole street g_streetSel: its lines, or, for a street without lines, its
// buildings. False, with the view and the shown street unchanged, when it has neither.
bool ShowStreet();
// In form-list mode: adds the chosen house to the flagged buildings and to the "Is selected"
// window. False when it was there already, or refused (with the beep) because the list is full.
bool AddSelectedHouse();
// Takes entry `position` out of the flagged buildings and out of the "Is selected" list.
void RemoveSelectedHouse(int32_t position);

// The dialogs: street and house search, parts of the city, districts.
void OpenStreetSearch();
void OpenPartsOfCity();
void OpenDistricts();

// The district outline chosen by number (1..5): the first record after the land outline that
// carries it, or NULL.
const AreaRec* FindDistrictOutline(int number);
// Makes the next paint compose a new frame, and asks the main window for that paint.
void MarkFrameAndRepaint();

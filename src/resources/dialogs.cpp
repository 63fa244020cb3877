// The dialog templates. Positions and sizes are dialog units of each template's font.
#include <iterator>

#include "resources/resource_tables.h"
#include "resources/resources.h"

namespace {

constexpr DWORD kCtl = WS_CHILD | WS_VISIBLE;
constexpr DWORD kTab = kCtl | WS_TABSTOP;
constexpr DWORD kModal = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kEdit = kTab | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kList = kTab | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
constexpr int kNoId = -1;
constexpr const char* kSans = "MS Sans Serif";

template <size_t N>
constexpr int Count(const DialogItemResource (&)[N]) {
    return static_cast<int>(N);
}

// 178: the loading window, one button that fills it.
constexpr DialogItemResource kLoading[] = {
    // Загрузка: Гидрография
    {"BUTTON", "\xC7\xE0\xE3\xF0\xF3\xE7\xEA\xE0: \xC3\xE8\xE4\xF0\xEE\xE3\xF0\xE0\xF4\xE8\xFF", 1059,
     kCtl | BS_PUSHBUTTON, 0, 0, 130, 30, 0},
};

// 215: About.
constexpr DialogItemResource kAbout[] = {
    {"STATIC", nullptr, kNoId, kCtl | SS_ICON, 21, 15, 20, 20, IDI_PROGRAM},
    {"STATIC", "Korvinsk. Address plan", kNoId, kCtl | SS_LEFT, 52, 10, 128, 10, 0},
    {"STATIC", "Made by the Korvinsk address plan team\n2024", kNoId, kCtl | SS_LEFT, 52, 24, 128, 20, 0},
    {"BUTTON", "OK", IDOK, kTab | BS_DEFPUSHBUTTON, 185, 17, 42, 14, 0},
};

// 256: the coordinates under the mouse; read only by the way its procedure moves the focus.
constexpr DialogItemResource kCoordinates[] = {
    {"STATIC", "latitude", kNoId, kCtl | SS_LEFT, 2, 3, 27, 8, 0},
    {"EDIT", nullptr, 1158, kEdit, 30, 2, 42, 11, 0},
    {"STATIC", "longitude", kNoId, kCtl | SS_LEFT, 77, 3, 30, 8, 0},
    {"EDIT", nullptr, 1159, kEdit, 107, 2, 46, 11, 0},
};

// 266: the tool palette. The four tools show which one is chosen, so they are push buttons that
// can stay pressed; the bottom one only acts.
constexpr DWORD kTool = kTab | BS_CHECKBOX | BS_PUSHLIKE | BS_BITMAP | BS_NOTIFY;
constexpr DialogItemResource kPalette[] = {
    {"BUTTON", nullptr, 1249, kTool, 0, 0, 20, 20, 0},
    {"BUTTON", nullptr, 1250, kTool, 0, 21, 20, 20, 0},
    {"BUTTON", nullptr, 1253, kTool, 0, 42, 20, 20, 0},
    {"BUTTON", nullptr, 1252, kTool, 0, 63, 20, 20, 0},
    {"BUTTON", nullptr, 1251, kTab | BS_PUSHBUTTON | BS_ICON | BS_NOTIFY, 0, 84, 20, 20, 0},
};

// 271: Layers, three groups of "no", "all", "select".
constexpr DWORD kRadio = kTab | BS_RADIOBUTTON | BS_NOTIFY;
constexpr DialogItemResource kLayers[] = {
    {"BUTTON", "Street names", kNoId, kCtl | BS_GROUPBOX, 7, 3, 131, 26, 0},
    {"BUTTON", "no", 1162, kRadio | WS_GROUP, 15, 14, 34, 10, 0},
    {"BUTTON", "all", 1163, kRadio, 55, 14, 34, 10, 0},
    {"BUTTON", "select", 1164, kRadio, 95, 14, 40, 10, 0},
    {"BUTTON", "Buildings", kNoId, kCtl | BS_GROUPBOX, 7, 31, 131, 26, 0},
    {"BUTTON", "no", 1159, kRadio | WS_GROUP, 15, 42, 34, 10, 0},
    {"BUTTON", "all", 1160, kRadio, 55, 42, 34, 10, 0},
    {"BUTTON", "select", 1161, kRadio, 95, 42, 40, 10, 0},
    {"BUTTON", "Addresses", kNoId, kCtl | BS_GROUPBOX, 7, 61, 131, 26, 0},
    {"BUTTON", "no", 1165, kRadio | WS_GROUP, 15, 72, 34, 10, 0},
    {"BUTTON", "all", 1166, kRadio, 55, 72, 34, 10, 0},
    {"BUTTON", "select", 1167, kRadio, 95, 72, 40, 10, 0},
    {"BUTTON", "OK", IDOK, kTab | BS_DEFPUSHBUTTON | WS_GROUP, 48, 94, 50, 14, 0},
};

// 130: street and house search. No default button: Enter arrives as command 1.
constexpr DialogItemResource kStreetSearch[] = {
    {"STATIC", "Street:", kNoId, kCtl | SS_LEFT, 7, 6, 100, 8, 0},
    {"EDIT", nullptr, 1048, kEdit, 7, 16, 160, 12, 0},
    {"LISTBOX", nullptr, 1049, kList, 7, 31, 160, 152, 0},
    {"STATIC", "House:", kNoId, kCtl | SS_LEFT, 175, 6, 88, 8, 0},
    {"EDIT", nullptr, 1050, kEdit, 175, 16, 88, 12, 0},
    {"LISTBOX", nullptr, 1051, kList, 175, 31, 88, 100, 0},
    {"BUTTON", "Form list", 1018, kTab | BS_AUTOCHECKBOX | BS_NOTIFY, 175, 136, 88, 10, 0},
    {"BUTTON", "Show", 1058, kTab | BS_PUSHBUTTON, 175, 151, 88, 14, 0},
    {"BUTTON", "Cancel", IDCANCEL, kTab | BS_PUSHBUTTON, 175, 169, 88, 14, 0},
};

// 134: the houses collected in form-list mode.
constexpr DialogItemResource kSelectedHouses[] = {
    {"LISTBOX", nullptr, 1019, kList, 4, 4, 142, 112, 0},
};

// 133: parts of the city.
constexpr DialogItemResource kPartsOfCity[] = {
    {"COMBOBOX", nullptr, 1014, kTab | CBS_SIMPLE | CBS_AUTOHSCROLL | WS_VSCROLL, 7, 7, 146, 118, 0},
    {"BUTTON", "Show", IDOK, kTab | BS_DEFPUSHBUTTON, 7, 131, 70, 14, 0},
    {"BUTTON", "Cancel", IDCANCEL, kTab | BS_PUSHBUTTON, 83, 131, 70, 14, 0},
};

// 210: districts.
constexpr DialogItemResource kDistricts[] = {
    {"LISTBOX", nullptr, 1126, kList, 7, 7, 126, 72, 0},
    {"BUTTON", "Show", IDOK, kTab | BS_DEFPUSHBUTTON, 7, 86, 60, 14, 0},
    {"BUTTON", "Cancel", IDCANCEL, kTab | BS_PUSHBUTTON, 73, 86, 60, 14, 0},
};

// 209: object search with address binding; criteria on the left, results on the right.
constexpr DWORD kDropList = kTab | CBS_DROPDOWNLIST | WS_VSCROLL;
constexpr DWORD kDropEdit = kTab | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
constexpr DialogItemResource kObjectSearch[] = {
    {"STATIC", "Name:", kNoId, kCtl | SS_LEFT, 7, 6, 150, 8, 0},
    {"EDIT", nullptr, 1127, kEdit, 7, 16, 150, 12, 0},
    {"STATIC", "Name search:", kNoId, kCtl | SS_LEFT, 7, 32, 150, 8, 0},
    {"COMBOBOX", nullptr, 1135, kDropList, 7, 42, 150, 60, 0},
    {"STATIC", "Street:", kNoId, kCtl | SS_LEFT, 7, 58, 110, 8, 0},
    {"STATIC", "House:", kNoId, kCtl | SS_LEFT, 122, 58, 35, 8, 0},
    {"COMBOBOX", nullptr, 1136, kDropEdit, 7, 68, 110, 150, 0},
    {"EDIT", nullptr, 1134, kEdit | WS_DISABLED, 122, 68, 35, 12, 0},
    {"STATIC", "District:", kNoId, kCtl | SS_LEFT, 7, 84, 150, 8, 0},
    {"COMBOBOX", nullptr, 1138, kDropEdit, 7, 94, 150, 80, 0},
    {"STATIC", "Part of the city:", kNoId, kCtl | SS_LEFT, 7, 110, 150, 8, 0},
    {"COMBOBOX", nullptr, 1137, kDropEdit, 7, 120, 150, 150, 0},
    {"STATIC", "Found in tema", kNoId, kCtl | SS_LEFT, 7, 136, 150, 8, 0},
    {"LISTBOX", nullptr, 1128, kList, 7, 146, 150, 82, 0},
    {"BUTTON", "List", IDOK, kTab | BS_DEFPUSHBUTTON, 167, 6, 50, 14, 0},
    {"BUTTON", "Clear", 1130, kTab | BS_PUSHBUTTON, 221, 6, 50, 14, 0},
    {"BUTTON", "Cancel", IDCANCEL, kTab | BS_PUSHBUTTON, 275, 6, 50, 14, 0},
    {"STATIC", "Total:", 1140, kCtl | SS_LEFT, 167, 26, 158, 8, 0},
    {"LISTBOX", nullptr, 1173, kList | LBS_SORT | LBS_EXTENDEDSEL, 167, 36, 158, 156, 0},
    {"BUTTON", "Close window when show", 1139, kTab | BS_AUTOCHECKBOX, 167, 197, 158, 10, 0},
    {"BUTTON", "Show", 1040, kTab | BS_PUSHBUTTON | WS_DISABLED, 167, 214, 70, 14, 0},
};

// 153 and 223: information about a building, with and without the objects at its address.
// The statics' own texts are placeholders the procedure always replaces.
constexpr DialogItemResource kInfoWithObjects[] = {
    {"STATIC", "District", 120, kCtl | SS_LEFT | SS_NOPREFIX, 7, 7, 236, 9, 0},
    {"STATIC", "Floors", 123, kCtl | SS_LEFT | SS_NOPREFIX, 7, 19, 236, 9, 0},
    {"STATIC", "Extra", 1015, kCtl | SS_LEFT | SS_NOPREFIX, 7, 31, 236, 9, 0},
    {"STATIC", "At this address:", kNoId, kCtl | SS_LEFT, 7, 45, 236, 8, 0},
    {"LISTBOX", nullptr, 1105, kList, 7, 55, 236, 66, 0},
    {"BUTTON", "Close", IDCLOSE, kTab | BS_DEFPUSHBUTTON, 97, 127, 56, 14, 0},
};
constexpr DialogItemResource kInfo[] = {
    {"STATIC", "District", 120, kCtl | SS_LEFT | SS_NOPREFIX, 7, 7, 236, 9, 0},
    {"STATIC", "Floors", 123, kCtl | SS_LEFT | SS_NOPREFIX, 7, 19, 236, 9, 0},
    {"STATIC", "Extra", 1015, kCtl | SS_LEFT | SS_NOPREFIX, 7, 31, 236, 9, 0},
    {"BUTTON", "Close", IDCLOSE, kTab | BS_DEFPUSHBUTTON, 97, 47, 56, 14, 0},
};

// 222: the measurements; the hidden button 2 holds the focus so the fields show no caret.
constexpr DialogItemResource kMeasurements[] = {
    {"STATIC", "Coordinates (relative, m)", kNoId, kCtl | SS_LEFT, 7, 8, 92, 8, 0},
    {"EDIT", nullptr, 1248, kEdit, 100, 6, 70, 12, 0},
    {"STATIC", "Current length", kNoId, kCtl | SS_LEFT, 7, 22, 92, 8, 0},
    {"EDIT", nullptr, 1159, kEdit, 100, 20, 70, 12, 0},
    {"STATIC", "Total:  length", kNoId, kCtl | SS_LEFT, 7, 36, 92, 8, 0},
    {"EDIT", nullptr, 1160, kEdit, 100, 34, 70, 12, 0},
    {"STATIC", "square", kNoId, kCtl | SS_LEFT, 7, 50, 92, 8, 0},
    {"EDIT", nullptr, 1161, kEdit, 100, 48, 70, 12, 0},
    {"BUTTON", nullptr, IDCANCEL, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 1, 1, 0},
};

}  // namespace

extern const DialogResource kDialogTable[] = {
    {IDD_LOADING, WS_POPUP | DS_CENTER | DS_SETFONT, 0, 0, 130, 30, "", 8, kSans, kLoading, Count(kLoading)},
    {IDD_ABOUT, kModal | DS_CENTER, 0, 0, 234, 50, "About", 10, "Arial", kAbout, Count(kAbout)},
    {IDD_COORDINATES, WS_CHILD | WS_CAPTION | WS_SYSMENU | DS_SETFONT, 20, 20, 153, 15, "Coordinates", 8, kSans,
     kCoordinates, Count(kCoordinates)},
    {IDD_PALETTE, WS_CHILD | WS_CAPTION | WS_SYSMENU | DS_SETFONT, 0, 0, 20, 106, "", 8, kSans, kPalette,
     Count(kPalette)},
    {IDD_LAYERS, kModal | DS_CENTER, 0, 0, 145, 114, "Layers", 8, kSans, kLayers, Count(kLayers)},
    {IDD_STREET_SEARCH, kModal | DS_CENTER, 0, 0, 270, 190, "Where is street, where is house", 8, kSans,
     kStreetSearch, Count(kStreetSearch)},
    {IDD_SELECTED_HOUSES, WS_POPUP | WS_CAPTION | DS_SETFONT, 10, 10, 150, 120, "Is selected", 8, kSans,
     kSelectedHouses, Count(kSelectedHouses)},
    {IDD_PARTS_OF_CITY, kModal | DS_CENTER, 0, 0, 160, 152, "Parts of the city", 8, kSans, kPartsOfCity,
     Count(kPartsOfCity)},
    {IDD_DISTRICTS, kModal | DS_CENTER, 0, 0, 140, 107, "Districts", 8, kSans, kDistricts, Count(kDistricts)},
    // Поиск объектов с адресной привязкой
    {IDD_OBJECT_SEARCH, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_SETFONT, 0, 0, 332, 235,
     "\xCF\xEE\xE8\xF1\xEA \xEE\xE1\xFA\xE5\xEA\xF2\xEE\xE2 \xF1 \xE0\xE4\xF0\xE5\xF1\xED\xEE\xE9 "
     "\xEF\xF0\xE8\xE2\xFF\xE7\xEA\xEE\xE9",
     8, kSans, kObjectSearch, Count(kObjectSearch)},
    {IDD_INFO_WITH_OBJECTS, kModal | DS_CENTER, 0, 0, 250, 148, "Information", 8, kSans, kInfoWithObjects,
     Count(kInfoWithObjects)},
    {IDD_INFO, kModal | DS_CENTER, 0, 0, 250, 68, "Information", 8, kSans, kInfo, Count(kInfo)},
    {IDD_MEASUREMENTS, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT, 29, 70, 177, 66, "Measurements", 8, kSans,
     kMeasurements, Count(kMeasurements)},
};
extern const int kDialogCount = static_cast<int>(std::size(kDialogTable));

// The program's resources: menus, accelerators, strings, dialog templates and pictures, as
// plain data the window layer reads through the instance handle.
#pragma once

#include "platform/user.h"

// The module that holds the program's resources: the instance handle of the program.
HINSTANCE ProgramInstance();

// Numbers of the resources, as the program names them.
constexpr int IDS_APP_TITLE = 103;     // "Korvinsk. Address plan"
constexpr int IDS_CLASS_NAME = 109;    // "MY3"
constexpr int IDR_MAIN_MENU = 109;
constexpr int IDR_ACCELERATORS = 209;
constexpr const char kMeasureMenuName[] = "Popup1";

constexpr int IDD_LOADING = 178;
constexpr int IDD_ABOUT = 215;
constexpr int IDD_COORDINATES = 256;
constexpr int IDD_PALETTE = 266;
constexpr int IDD_LAYERS = 271;
constexpr int IDD_STREET_SEARCH = 130;
constexpr int IDD_PARTS_OF_CITY = 133;
constexpr int IDD_SELECTED_HOUSES = 134;
constexpr int IDD_DISTRICTS = 210;
constexpr int IDD_OBJECT_SEARCH = 209;
constexpr int IDD_INFO_WITH_OBJECTS = 153;
constexpr int IDD_INFO = 223;
constexpr int IDD_MEASUREMENTS = 222;

constexpr int IDC_PAN = 138;          // cursors
constexpr int IDC_TIP = 171;
constexpr int IDC_ZOOM_RECT = 174;
constexpr int IDC_MEASURE = 223;
constexpr int IDC_ZOOM_OUT = 272;
constexpr int IDI_LOCATOR_MARK = 215;  // icons
constexpr int IDI_PROGRAM = 300;
constexpr int IDB_ZOOM_OUT = 274;     // palette pictures
constexpr int IDB_ZOOM_RECT = 275;
constexpr int IDB_PAN = 276;
constexpr int IDB_INFO = 277;

// The commands of the main menu and the accelerator keys.
#pragma once

#include <cstdint>

constexpr uint16_t kCmdLayers = 32822;
constexpr uint16_t kCmdInstruments = 32816;
constexpr uint16_t kCmdRefresh = 32820;
constexpr uint16_t kCmdExit = 105;
constexpr uint16_t kCmdStreetSearch = 32774;  // F2
constexpr uint16_t kCmdDistricts = 32800;     // F3
constexpr uint16_t kCmdPartsOfCity = 32773;   // F4
constexpr uint16_t kCmdObjectSearch = 32799;  // F5
constexpr uint16_t kCmdPrintBlackWhite = 32817;
constexpr uint16_t kCmdPrintColor = 32818;
constexpr uint16_t kCmdCoordinates = 32829;
constexpr uint16_t kCmdMeasureOnLines = 32815;
constexpr uint16_t kCmdMeasureOnStreets = 32828;
constexpr uint16_t kCmdHelp = 32794;
constexpr uint16_t kCmdAbout = 104;

// Carries out the command; false for an id the program has no command for (F6 and F8 among
// them), which the window procedure leaves to the default handling.
bool RunCommand(uint16_t id);

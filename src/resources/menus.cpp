// The main menu, the measurement tool's popup menu, the accelerator keys and the strings.
#include <iterator>

#include "resources/resource_tables.h"
#include "resources/resources.h"

namespace {

constexpr MenuResourceItem kSeparator{nullptr, 0, MF_SEPARATOR, nullptr, 0};

constexpr MenuResourceItem kView3D[] = {
    {"Windows on clock", 32786, 0, nullptr, 0}, {"Light windows", 32823, 0, nullptr, 0},
    {"Dark windows", 32824, 0, nullptr, 0},     {"Wide windows", 32825, 0, nullptr, 0},
    {"Without windows", 32826, 0, nullptr, 0},
};

constexpr MenuResourceItem kView[] = {
    {"Graphic", 32812, 0, nullptr, 0},
    {"Flat", 32775, 0, nullptr, 0},
    {"3D", 0, MF_POPUP, kView3D, static_cast<int>(std::size(kView3D))},
    {"Night", 32781, 0, nullptr, 0},
    kSeparator,
    {"Layers ...", 32822, 0, nullptr, 0},
    {"Color buildings", 32827, MF_CHECKED, nullptr, 0},  // buildings start coloured
    {"Instruments", 32816, 0, nullptr, 0},
    {"Refresh", 32820, 0, nullptr, 0},
    kSeparator,
    {"Exit", 105, 0, nullptr, 0},
};

constexpr MenuResourceItem kFind[] = {
    {"Street, house         F2", 32774, 0, nullptr, 0},
    {"District                   F3", 32800, 0, nullptr, 0},
    {"Part of the city       F4", 32773, 0, nullptr, 0},
    {"Object                   F5", 32799, 0, nullptr, 0},
};

constexpr MenuResourceItem kPrint[] = {
    {"Black/white", 32817, 0, nullptr, 0},
    {"Color", 32818, 0, nullptr, 0},
};

constexpr MenuResourceItem kMeasureKinds[] = {
    {"on lines", 32815, 0, nullptr, 0},
    {"on streets", 32828, 0, nullptr, 0},
};

constexpr MenuResourceItem kMeasurements[] = {
    {"Coordinates", 32829, 0, nullptr, 0},
    {"Measurements", 0, MF_POPUP, kMeasureKinds, static_cast<int>(std::size(kMeasureKinds))},
};

constexpr MenuResourceItem kHelp[] = {
    {"Help", 32794, 0, nullptr, 0},
    {"About ...", 104, 0, nullptr, 0},
};

constexpr MenuResourceItem kMainBar[] = {
    {"View", 0, MF_POPUP, kView, static_cast<int>(std::size(kView))},
    {"Find", 0, MF_POPUP, kFind, static_cast<int>(std::size(kFind))},
    {"Print", 0, MF_POPUP, kPrint, static_cast<int>(std::size(kPrint))},
    {"Measurements", 0, MF_POPUP, kMeasurements, static_cast<int>(std::size(kMeasurements))},
    {"?", 0, MF_POPUP, kHelp, static_cast<int>(std::size(kHelp))},
};

constexpr MenuResourceItem kMeasurePopupItems[] = {
    {"Cancel last point", 32840, 0, nullptr, 0},
    {"Cancel measurement", 32839, 0, nullptr, 0},
};

// The tool shows the first popup of this menu.
constexpr MenuResourceItem kMeasurePopup[] = {
    {"Measure", 0, MF_POPUP, kMeasurePopupItems, static_cast<int>(std::size(kMeasurePopupItems))},
};

constexpr AccelResourceEntry kMainAccelerators[] = {
    {FVIRTKEY | FNOINVERT, VK_F2, 32774}, {FVIRTKEY | FNOINVERT, VK_F3, 32800},
    {FVIRTKEY | FNOINVERT, VK_F4, 32773}, {FVIRTKEY | FNOINVERT, VK_F5, 32799},
    {FVIRTKEY | FNOINVERT, VK_F6, 32821}, {FVIRTKEY | FNOINVERT, VK_F8, 32771},
};

}  // namespace

extern const MenuResource kMenuTable[] = {
    {IDR_MAIN_MENU, nullptr, kMainBar, static_cast<int>(std::size(kMainBar))},
    {0, kMeasureMenuName, kMeasurePopup, static_cast<int>(std::size(kMeasurePopup))},
};
extern const int kMenuCount = static_cast<int>(std::size(kMenuTable));

extern const AccelResource kAccelTable[] = {
    {IDR_ACCELERATORS, kMainAccelerators, static_cast<int>(std::size(kMainAccelerators))},
};
extern const int kAccelCount = static_cast<int>(std::size(kAccelTable));

extern const StringResource kStringTable[] = {
    {IDS_APP_TITLE, "Korvinsk. Address plan"},
    {IDS_CLASS_NAME, "MY3"},
};
extern const int kStringCount = static_cast<int>(std::size(kStringTable));

// The program's resources: the controls, ids, styles and places the program relies on, layouts
// that show everything, the menus, accelerators, strings and pictures.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/gdi_qt.h"
#include "platform/user_qt.h"
#include "resources/resources.h"

namespace {

const DialogResource* Dialog(int id) { return FindDialogResource(ProgramInstance(), MAKEINTRESOURCEA(id)); }

const DialogItemResource* Item(const DialogResource* d, int id) {
    for (int i = 0; i < d->itemCount; ++i) {
        if (d->items[i].id == id) return &d->items[i];
    }
    return nullptr;
}

struct ControlCase {
    int dialog;
    int id;
    const char* className;
    DWORD styleBits;  // every one of these must be set
    const char* text; // null: not checked
};

// What the program's procedures find in each template.
const ControlCase kControls[] = {
    {IDD_LOADING, 1059, "BUTTON", BS_PUSHBUTTON, "\xC7\xE0\xE3\xF0\xF3\xE7\xEA\xE0: \xC3\xE8\xE4\xF0\xEE\xE3\xF0\xE0\xF4\xE8\xFF"},
    {IDD_ABOUT, IDOK, "BUTTON", WS_TABSTOP, "OK"},
    {IDD_COORDINATES, 1158, "EDIT", WS_BORDER | ES_AUTOHSCROLL, nullptr},
    {IDD_COORDINATES, 1159, "EDIT", WS_BORDER | ES_AUTOHSCROLL, nullptr},
    {IDD_PALETTE, 1249, "BUTTON", BS_NOTIFY | BS_BITMAP, nullptr},
    {IDD_PALETTE, 1250, "BUTTON", BS_NOTIFY | BS_BITMAP, nullptr},
    {IDD_PALETTE, 1253, "BUTTON", BS_NOTIFY | BS_BITMAP, nullptr},
    {IDD_PALETTE, 1252, "BUTTON", BS_NOTIFY | BS_BITMAP, nullptr},
    {IDD_PALETTE, 1251, "BUTTON", BS_NOTIFY | BS_ICON, nullptr},
    {IDD_LAYERS, 1162, "BUTTON", BS_RADIOBUTTON | BS_NOTIFY, "no"},
    {IDD_LAYERS, 1163, "BUTTON", BS_RADIOBUTTON | BS_NOTIFY, "all"},
    {IDD_LAYERS, 1164, "BUTTON", BS_RADIOBUTTON | BS_NOTIFY, "select"},
    {IDD_LAYERS, 1159, "BUTTON", BS_RADIOBUTTON | BS_NOTIFY, "no"},
    {IDD_LAYERS, 1160, "BUTTON", BS_RADIOBUTTON | BS_NOTIFY, "all"},
    {IDD_LAYERS, 1161, "BUTTON", BS_RADIOBUTTON | BS_NOTIFY, "select"},
    {IDD_LAYERS, 1165, "BUTTON", BS_RADIOBUTTON | BS_NOTIFY, "no"},
    {IDD_LAYERS, 1166, "BUTTON", BS_RADIOBUTTON | BS_NOTIFY, "all"},
    {IDD_LAYERS, 1167, "BUTTON", BS_RADIOBUTTON | BS_NOTIFY, "select"},
    {IDD_LAYERS, IDOK, "BUTTON", 0, "OK"},
    {IDD_STREET_SEARCH, 1048, "EDIT", WS_TABSTOP, nullptr},
    {IDD_STREET_SEARCH, 1049, "LISTBOX", LBS_NOTIFY, nullptr},
    {IDD_STREET_SEARCH, 1050, "EDIT", WS_TABSTOP, nullptr},
    {IDD_STREET_SEARCH, 1051, "LISTBOX", LBS_NOTIFY, nullptr},
    {IDD_STREET_SEARCH, 1018, "BUTTON", BS_AUTOCHECKBOX | BS_NOTIFY, "Form list"},
    {IDD_STREET_SEARCH, 1058, "BUTTON", 0, "Show"},
    {IDD_STREET_SEARCH, IDCANCEL, "BUTTON", 0, "Cancel"},
    {IDD_SELECTED_HOUSES, 1019, "LISTBOX", LBS_NOTIFY, nullptr},
    {IDD_PARTS_OF_CITY, 1014, "COMBOBOX", CBS_SIMPLE, nullptr},
    {IDD_PARTS_OF_CITY, IDOK, "BUTTON", 0, "Show"},
    {IDD_PARTS_OF_CITY, IDCANCEL, "BUTTON", 0, "Cancel"},
    {IDD_DISTRICTS, 1126, "LISTBOX", LBS_NOTIFY, nullptr},
    {IDD_DISTRICTS, IDOK, "BUTTON", 0, "Show"},
    {IDD_DISTRICTS, IDCANCEL, "BUTTON", 0, "Cancel"},
    {IDD_OBJECT_SEARCH, 1127, "EDIT", 0, nullptr},
    {IDD_OBJECT_SEARCH, 1135, "COMBOBOX", CBS_DROPDOWNLIST, nullptr},
    {IDD_OBJECT_SEARCH, 1136, "COMBOBOX", CBS_DROPDOWN, nullptr},
    {IDD_OBJECT_SEARCH, 1134, "EDIT", 0, nullptr},
    {IDD_OBJECT_SEARCH, 1138, "COMBOBOX", 0, nullptr},
    {IDD_OBJECT_SEARCH, 1137, "COMBOBOX", 0, nullptr},
    {IDD_OBJECT_SEARCH, 1128, "LISTBOX", LBS_NOTIFY, nullptr},
    {IDD_OBJECT_SEARCH, IDOK, "BUTTON", 0, "List"},
    {IDD_OBJECT_SEARCH, 1130, "BUTTON", 0, "Clear"},
    {IDD_OBJECT_SEARCH, IDCANCEL, "BUTTON", 0, "Cancel"},
    {IDD_OBJECT_SEARCH, 1140, "STATIC", 0, nullptr},
    {IDD_OBJECT_SEARCH, 1173, "LISTBOX", LBS_NOTIFY | LBS_SORT | LBS_EXTENDEDSEL, nullptr},
    {IDD_OBJECT_SEARCH, 1139, "BUTTON", BS_AUTOCHECKBOX, "Close window when show"},
    {IDD_OBJECT_SEARCH, 1040, "BUTTON", 0, "Show"},
    {IDD_INFO_WITH_OBJECTS, 120, "STATIC", 0, nullptr},
    {IDD_INFO_WITH_OBJECTS, 123, "STATIC", 0, nullptr},
    {IDD_INFO_WITH_OBJECTS, 1015, "STATIC", 0, nullptr},
    {IDD_INFO_WITH_OBJECTS, 1105, "LISTBOX", 0, nullptr},
    {IDD_INFO_WITH_OBJECTS, IDCLOSE, "BUTTON", 0, "Close"},
    {IDD_INFO, 120, "STATIC", 0, nullptr},
    {IDD_INFO, 123, "STATIC", 0, nullptr},
    {IDD_INFO, 1015, "STATIC", 0, nullptr},
    {IDD_INFO, IDCLOSE, "BUTTON", 0, "Close"},
    {IDD_MEASUREMENTS, 1248, "EDIT", 0, nullptr},
    {IDD_MEASUREMENTS, 1159, "EDIT", 0, nullptr},
    {IDD_MEASUREMENTS, 1160, "EDIT", 0, nullptr},
    {IDD_MEASUREMENTS, 1161, "EDIT", 0, nullptr},
    {IDD_MEASUREMENTS, IDCANCEL, "BUTTON", 0, nullptr},
};

TEST(Resources, EachDialogHasTheControlsItsProcedureUses) {
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(testing::Message() << "dialog " << c.dialog << " control " << c.id);
        const DialogResource* d = Dialog(c.dialog);
        ASSERT_NE(d, nullptr);
        const DialogItemResource* item = Item(d, c.id);
        ASSERT_NE(item, nullptr);
        EXPECT_STREQ(item->className, c.className);
        EXPECT_EQ(item->style & c.styleBits, c.styleBits);
        if (c.text != nullptr) { EXPECT_STREQ(item->text, c.text); }
    }
}

TEST(Resources, PlacesAndSizesTheProgramGives) {
    struct Place {
        int dialog;
        int id;  // 0: the dialog itself
        int x, y, cx, cy;  // -1: not given
    };
    const Place places[] = {
        {IDD_LOADING, 0, -1, -1, 130, 30},  {IDD_LOADING, 1059, 0, 0, 130, 30},
        {IDD_ABOUT, 0, -1, -1, 234, 50},    {IDD_ABOUT, IDOK, 185, 17, -1, -1},
        {IDD_LAYERS, 0, -1, -1, 145, 114},  {IDD_LAYERS, IDOK, 48, 94, -1, -1},
        {IDD_PALETTE, 0, -1, -1, 20, 106},  {IDD_PALETTE, 1249, 0, 0, 20, 20},
        {IDD_PALETTE, 1250, 0, 21, 20, 20}, {IDD_PALETTE, 1253, 0, 42, 20, 20},
        {IDD_PALETTE, 1252, 0, 63, 20, 20}, {IDD_PALETTE, 1251, 0, 84, 20, 20},
        {IDD_COORDINATES, 0, 20, 20, 153, 15}, {IDD_COORDINATES, 1158, 30, 2, 42, -1},
        {IDD_COORDINATES, 1159, 107, 2, 46, -1}, {IDD_MEASUREMENTS, 0, 29, 70, -1, -1},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(testing::Message() << "dialog " << p.dialog << " control " << p.id);
        const DialogResource* d = Dialog(p.dialog);
        ASSERT_NE(d, nullptr);
        int x, y, cx, cy;
        if (p.id == 0) {
            x = d->x, y = d->y, cx = d->cx, cy = d->cy;
        } else {
            const DialogItemResource* item = Item(d, p.id);
            ASSERT_NE(item, nullptr);
            x = item->x, y = item->y, cx = item->cx, cy = item->cy;
        }
        if (p.x >= 0) { EXPECT_EQ(x, p.x); }
        if (p.y >= 0) { EXPECT_EQ(y, p.y); }
        if (p.cx >= 0) { EXPECT_EQ(cx, p.cx); }
        if (p.cy >= 0) { EXPECT_EQ(cy, p.cy); }
    }
    // The group boxes of the layers dialog and the labels beside the coordinates.
    const DialogResource* layers = Dialog(IDD_LAYERS);
    const int boxTops[] = {3, 31, 61};
    const char* boxNames[] = {"Street names", "Buildings", "Addresses"};
    int box = 0;
    for (int i = 0; i < layers->itemCount; ++i) {
        const DialogItemResource& it = layers->items[i];
        if ((it.style & BS_TYPEMASK) != BS_GROUPBOX || std::strcmp(it.className, "BUTTON") != 0) continue;
        ASSERT_LT(box, 3);
        EXPECT_EQ(it.x, 7);
        EXPECT_EQ(it.y, boxTops[box]);
        EXPECT_STREQ(it.text, boxNames[box]);
        ++box;
    }
    EXPECT_EQ(box, 3);
}

TEST(Resources, DialogStylesTheProgramReliesOn) {
    EXPECT_EQ(Dialog(IDD_LOADING)->style & WS_CAPTION, 0u) << "borderless";
    EXPECT_TRUE(Dialog(IDD_LOADING)->style & DS_CENTER);
    for (int id : {IDD_PALETTE, IDD_COORDINATES}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(Dialog(id)->style & WS_CHILD);
        EXPECT_EQ(Dialog(id)->style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU) << "a close box";
    }
    EXPECT_STREQ(Dialog(IDD_PALETTE)->caption, "");
    EXPECT_STREQ(Dialog(IDD_LAYERS)->caption, "Layers");
    EXPECT_STREQ(Dialog(IDD_ABOUT)->fontFace, "Arial");
    EXPECT_EQ(Dialog(IDD_ABOUT)->fontSize, 10);
    EXPECT_STREQ(Dialog(IDD_OBJECT_SEARCH)->caption,
                 "\xCF\xEE\xE8\xF1\xEA \xEE\xE1\xFA\xE5\xEA\xF2\xEE\xE2 \xF1 \xE0\xE4\xF0\xE5\xF1\xED\xEE\xE9 "
                 "\xEF\xF0\xE8\xE2\xFF\xE7\xEA\xEE\xE9");
    EXPECT_STREQ(Dialog(IDD_INFO)->caption, "Information");
    EXPECT_STREQ(Dialog(IDD_INFO_WITH_OBJECTS)->caption, "Information");
    EXPECT_EQ(Item(Dialog(IDD_MEASUREMENTS), IDCANCEL)->style & WS_VISIBLE, 0u) << "button 2 is hidden";
    // Enter in the street search arrives as command 1: it has no default button.
    const DialogResource* street = Dialog(IDD_STREET_SEARCH);
    for (int i = 0; i < street->itemCount; ++i) {
        const DialogItemResource& it = street->items[i];
        if (std::strcmp(it.className, "BUTTON") == 0) { EXPECT_NE(it.style & BS_TYPEMASK, BS_DEFPUSHBUTTON) << it.id; }
    }
}

// The height a control takes on the dialog: a drop-down combo box's own height is that of its
// closed box, the rest is its list.
int ShownHeight(const DialogItemResource& it) {
    if (std::strcmp(it.className, "COMBOBOX") == 0 && (it.style & 3) != CBS_SIMPLE) return 12;
    return it.cy;
}

bool IsGroupBox(const DialogItemResource& it) {
    return std::strcmp(it.className, "BUTTON") == 0 && (it.style & BS_TYPEMASK) == BS_GROUPBOX;
}

TEST(Resources, ControlsLieInsideTheirDialogAndApart) {
    for (int k = 0; k < ProgramInstance()->dialogCount; ++k) {
        const DialogResource& d = ProgramInstance()->dialogs[k];
        SCOPED_TRACE(testing::Message() << "dialog " << d.id);
        std::set<int> ids;
        for (int i = 0; i < d.itemCount; ++i) {
            const DialogItemResource& a = d.items[i];
            SCOPED_TRACE(testing::Message() << "control " << a.id << " at " << a.x << "," << a.y);
            if (a.id != -1) { EXPECT_TRUE(ids.insert(a.id).second) << "ids are unique"; }
            if ((a.style & WS_VISIBLE) == 0) continue;
            EXPECT_GE(a.x, 0);
            EXPECT_GE(a.y, 0);
            EXPECT_LE(a.x + a.cx, d.cx);
            EXPECT_LE(a.y + ShownHeight(a), d.cy);
            for (int j = i + 1; j < d.itemCount; ++j) {
                const DialogItemResource& b = d.items[j];
                if ((b.style & WS_VISIBLE) == 0 || IsGroupBox(a) || IsGroupBox(b)) continue;
                const bool apart = a.x + a.cx <= b.x || b.x + b.cx <= a.x || a.y + ShownHeight(a) <= b.y ||
                                   b.y + ShownHeight(b) <= a.y;
                EXPECT_TRUE(apart) << "overlaps control " << b.id << " at " << b.x << "," << b.y;
            }
        }
    }
}

// Width a text needs inside its control beside the control's own parts (box, frame).
int Overhead(const DialogItemResource& it) {
    if (std::strcmp(it.className, "BUTTON") != 0) return 0;
    const DWORD type = it.style & BS_TYPEMASK;
    if (type == BS_GROUPBOX) return 12;
    if ((it.style & BS_PUSHLIKE) == 0 && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) return 20;
    return 8;
}

TEST(Resources, TextsFitTheirControlsInTheDialogFont) {
    EnsurePlatformApplication();
    for (int k = 0; k < ProgramInstance()->dialogCount; ++k) {
        const DialogResource& d = ProgramInstance()->dialogs[k];
        const QFont font = DialogFont(d.fontFace, d.fontSize);
        int baseX = 0, baseY = 0;
        ComputeDialogBaseUnits(font, &baseX, &baseY);
        const QFontMetrics fm(font);
        for (int i = 0; i < d.itemCount; ++i) {
            const DialogItemResource& it = d.items[i];
            if (it.text == nullptr || it.text[0] == '\0' || (it.style & WS_VISIBLE) == 0) continue;
            if (std::strcmp(it.className, "EDIT") == 0) continue;
            SCOPED_TRACE(testing::Message() << "dialog " << d.id << " control " << it.id << " \"" << it.text << "\"");
            const QStringList lines = FromCp1251(it.text).split(QLatin1Char('\n'));
            int widest = 0;
            for (const QString& line : lines) widest = std::max(widest, fm.horizontalAdvance(line));
            EXPECT_LE(widest + Overhead(it), DialogUnitsToPixelsX(it.cx, baseX));
            if (!IsGroupBox(it)) {
                EXPECT_LE(static_cast<int>(lines.size()) * fm.height(), DialogUnitsToPixelsY(it.cy, baseY) + 2);
            }
        }
    }
}

TEST(Resources, DialogUnitsFollowTheFontsBaseUnits) {
    const struct {
        int units, base, x, y;
    } cases[] = {{4, 6, 6, 3}, {1, 6, 2, 1}, {130, 6, 195, 98}, {8, 13, 26, 13}, {30, 13, 98, 49}, {0, 7, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.units << " units, base " << c.base);
        EXPECT_EQ(DialogUnitsToPixelsX(c.units, c.base), c.x);
        EXPECT_EQ(DialogUnitsToPixelsY(c.units, c.base), c.y);
    }
}

struct MenuLine {
    const char* text;  // null: a separator
    UINT id;
};

void ExpectMenu(const MenuResourceItem* items, int count, const std::vector<MenuLine>& expected) {
    ASSERT_EQ(count, static_cast<int>(expected.size()));
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        if (expected[i].text == nullptr) {
            EXPECT_TRUE(items[i].flags & MF_SEPARATOR);
            continue;
        }
        EXPECT_STREQ(items[i].text, expected[i].text);
        EXPECT_EQ(items[i].id, expected[i].id);
    }
}

TEST(Resources, MainMenuHasTheCommandsInOrder) {
    const MenuResource* menu = FindMenuResource(ProgramInstance(), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    ExpectMenu(menu->items, menu->itemCount,
               {{"View", 0}, {"Find", 0}, {"Print", 0}, {"Measurements", 0}, {"?", 0}});
    const MenuResourceItem& view = menu->items[0];
    ExpectMenu(view.items, view.itemCount,
               {{"Graphic", 32812}, {"Flat", 32775}, {"3D", 0}, {"Night", 32781}, {nullptr, 0}, {"Layers ...", 32822},
                {"Color buildings", 32827}, {"Instruments", 32816}, {"Refresh", 32820}, {nullptr, 0}, {"Exit", 105}});
    EXPECT_TRUE(view.items[6].flags & MF_CHECKED) << "buildings start coloured";
    EXPECT_EQ(view.items[7].flags & MF_CHECKED, 0u) << "the palette starts closed";
    const MenuResourceItem& threeD = view.items[2];
    ASSERT_TRUE(threeD.flags & MF_POPUP);
    ExpectMenu(threeD.items, threeD.itemCount,
               {{"Windows on clock", 32786}, {"Light windows", 32823}, {"Dark windows", 32824},
                {"Wide windows", 32825}, {"Without windows", 32826}});
    ExpectMenu(menu->items[1].items, menu->items[1].itemCount,
               {{"Street, house         F2", 32774}, {"District                   F3", 32800},
                {"Part of the city       F4", 32773}, {"Object                   F5", 32799}});
    ExpectMenu(menu->items[2].items, menu->items[2].itemCount, {{"Black/white", 32817}, {"Color", 32818}});
    const MenuResourceItem& measurements = menu->items[3];
    ExpectMenu(measurements.items, measurements.itemCount, {{"Coordinates", 32829}, {"Measurements", 0}});
    ExpectMenu(measurements.items[1].items, measurements.items[1].itemCount, {{"on lines", 32815}, {"on streets", 32828}});
    ExpectMenu(menu->items[4].items, menu->items[4].itemCount, {{"Help", 32794}, {"About ...", 104}});
}

TEST(Resources, MeasurementPopupAndAccelerators) {
    const MenuResource* popup = FindMenuResource(ProgramInstance(), kMeasureMenuName);
    ASSERT_NE(popup, nullptr);
    ASSERT_GE(popup->itemCount, 1);
    ASSERT_TRUE(popup->items[0].flags & MF_POPUP);
    ExpectMenu(popup->items[0].items, popup->items[0].itemCount,
               {{"Cancel last point", 32840}, {"Cancel measurement", 32839}});

    const AccelResource* accel = FindAccelResource(ProgramInstance(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(accel, nullptr);
    const struct {
        int key;
        int cmd;
    } expected[] = {{VK_F2, 32774}, {VK_F3, 32800}, {VK_F4, 32773}, {VK_F5, 32799}, {VK_F6, 32821}, {VK_F8, 32771}};
    ASSERT_EQ(accel->count, 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(accel->entries[i].key, expected[i].key);
        EXPECT_EQ(accel->entries[i].cmd, expected[i].cmd);
        EXPECT_EQ(accel->entries[i].flags & (FVIRTKEY | FSHIFT | FCONTROL | FALT), FVIRTKEY) << "the keys alone";
    }
}

TEST(Resources, StringsAndLookupsByNumberAndName) {
    EXPECT_STREQ(FindStringResource(ProgramInstance(), IDS_APP_TITLE)->text, "Korvinsk. Address plan");
    EXPECT_STREQ(FindStringResource(ProgramInstance(), IDS_CLASS_NAME)->text, "MY3");
    EXPECT_EQ(FindDialogResource(ProgramInstance(), "#130"), Dialog(IDD_STREET_SEARCH));
    EXPECT_EQ(FindDialogResource(ProgramInstance(), "#13x"), nullptr);
    EXPECT_EQ(FindDialogResource(ProgramInstance(), "#"), nullptr);
    EXPECT_EQ(FindDialogResource(ProgramInstance(), "#99999999999"), nullptr);
    EXPECT_EQ(FindDialogResource(nullptr, MAKEINTRESOURCEA(IDD_STREET_SEARCH)), nullptr);
    EXPECT_EQ(FindDialogResource(ProgramInstance(), nullptr), nullptr);
    EXPECT_EQ(FindMenuResource(ProgramInstance(), "#109"), FindMenuResource(ProgramInstance(), MAKEINTRESOURCEA(109)));
}

TEST(Resources, PicturesAreWholeAndDrawn) {
    const struct {
        int id;
        ImageKind kind;
    } wanted[] = {{IDC_PAN, ImageKind::Cursor},        {IDC_TIP, ImageKind::Cursor},
                  {IDC_ZOOM_RECT, ImageKind::Cursor},  {IDC_MEASURE, ImageKind::Cursor},
                  {IDC_ZOOM_OUT, ImageKind::Cursor},   {IDI_LOCATOR_MARK, ImageKind::Icon},
                  {IDI_PROGRAM, ImageKind::Icon},      {IDB_ZOOM_OUT, ImageKind::Bitmap},
                  {IDB_ZOOM_RECT, ImageKind::Bitmap},  {IDB_PAN, ImageKind::Bitmap},
                  {IDB_INFO, ImageKind::Bitmap}};
    for (const auto& w : wanted) {
        SCOPED_TRACE(w.id);
        const ImageResource* r = FindImageResource(ProgramInstance(), MAKEINTRESOURCEA(w.id), w.kind);
        ASSERT_NE(r, nullptr);
        EXPECT_GE(r->hotX, 0);
        EXPECT_LT(r->hotX, r->width);
        EXPECT_GE(r->hotY, 0);
        EXPECT_LT(r->hotY, r->height);
        if (w.kind == ImageKind::Bitmap) {
            // A palette button is 20 dialog units: at least 30 pixels in the palette's font.
            EXPECT_LE(r->width, 24);
            EXPECT_LE(r->height, 24);
        }
        int drawn = 0;
        for (int y = 0; y < r->height; ++y) {
            ASSERT_EQ(static_cast<int>(std::strlen(r->rows[y])), r->width) << "row " << y;
            for (int x = 0; x < r->width; ++x) {
                bool known = false;
                for (int k = 0; k < r->paletteCount; ++k) known = known || r->palette[k].key == r->rows[y][x];
                EXPECT_TRUE(known) << "row " << y << " column " << x;
                if (r->rows[y][x] != '.') ++drawn;
            }
        }
        EXPECT_GT(drawn, r->width * r->height / 10) << "a picture, not a dot";
    }
}

TEST(Resources, PictureRowsBecomeImagesWithTheBackgroundAsked) {
    EnsurePlatformApplication();
    const ImageResource* pan = FindImageResource(ProgramInstance(), MAKEINTRESOURCEA(IDB_PAN), ImageKind::Bitmap);
    ASSERT_NE(pan, nullptr);
    const QImage image = ImageFromResource(*pan, 0xFF102030u);
    EXPECT_EQ(image.width(), pan->width);
    EXPECT_EQ(image.pixel(0, 0), 0xFF102030u) << "the background where the rows say '.'";
    for (int y = 0; y < pan->height; ++y) {
        for (int x = 0; x < pan->width; ++x) {
            if (pan->rows[y][x] == 'k') {
                EXPECT_EQ(image.pixel(x, y), 0xFF000000u);
                return;
            }
        }
    }
    ADD_FAILURE() << "no black pixel in the hand";
}

}  // namespace

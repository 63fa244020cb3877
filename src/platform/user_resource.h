// The shape of the program's resources (menus, accelerator tables, strings, dialog templates and
// pictures) as plain data. The tables themselves live in resources/; the window layer finds an
// entry through the instance handle a call is given, by number or by name, as the desktop's
// resource loader does.
#pragma once

#include <cstdint>

// One menu item. A popup carries its own items; a separator has no text.
struct MenuResourceItem {
    const char* text;  // Windows-1251; null for a separator
    uint32_t id;       // the command sent when chosen; 0 for popups and separators
    uint32_t flags;    // MF_POPUP, MF_SEPARATOR, MF_CHECKED, MF_GRAYED
    const MenuResourceItem* items;  // a popup's items
    int itemCount;
};

struct MenuResource {
    int id;            // found by number...
    const char* name;  // ...or by name (may be null)
    const MenuResourceItem* items;
    int itemCount;
};

struct AccelResourceEntry {
    uint8_t flags;  // FVIRTKEY, FSHIFT, FCONTROL, FALT
    uint16_t key;   // a virtual key with FVIRTKEY, else a character
    uint16_t cmd;
};

struct AccelResource {
    int id;
    const AccelResourceEntry* entries;
    int count;
};

struct StringResource {
    int id;
    const char* text;  // Windows-1251
};

// One control of a dialog template. Positions and sizes are dialog units of the template's font.
struct DialogItemResource {
    const char* className;  // "BUTTON", "EDIT", "STATIC", "LISTBOX" or "COMBOBOX"
    const char* text;       // Windows-1251; may be null
    int id;
    uint32_t style;         // WS_ and the class's own style bits
    int16_t x;
    int16_t y;
    int16_t cx;
    int16_t cy;
    int imageId;            // the icon of an SS_ICON static; 0 otherwise
};

struct DialogResource {
    int id;
    uint32_t style;  // WS_, DS_ bits
    int16_t x;       // relative to the owner's client area (or the parent's, for child dialogs)
    int16_t y;
    int16_t cx;      // the client area
    int16_t cy;
    const char* caption;  // Windows-1251
    int fontSize;         // points
    const char* fontFace;
    const DialogItemResource* items;
    int itemCount;
};

enum class ImageKind { Bitmap, Icon, Cursor };

// One colour of a picture: the character that stands for it in the rows, and its value as
// 0xAARRGGBB. Alpha 0 is the background: transparent in icons and cursors, the button face in
// bitmaps.
struct PaletteEntry {
    char key;
    uint32_t argb;
};

// A picture drawn as rows of characters, one character a pixel.
struct ImageResource {
    int id;
    ImageKind kind;
    int width;
    int height;
    int hotX;  // cursors: the point that is the mouse position
    int hotY;
    const char* const* rows;  // height rows of width characters
    const PaletteEntry* palette;
    int paletteCount;
};

struct ResourceModule {
    const StringResource* strings;
    int stringCount;
    const MenuResource* menus;
    int menuCount;
    const AccelResource* accelerators;
    int acceleratorCount;
    const DialogResource* dialogs;
    int dialogCount;
    const ImageResource* images;
    int imageCount;
};

// The instance handle names the module whose resources a call uses; null is the system's own,
// which holds no resources of the program.
using HINSTANCE = const ResourceModule*;
using HMODULE = HINSTANCE;

// A resource is named by a number smuggled in a pointer (MAKEINTRESOURCEA) or by a text.
inline const char* MAKEINTRESOURCEA(int id) {
    return reinterpret_cast<const char*>(static_cast<uintptr_t>(static_cast<uint16_t>(id)));
}
inline bool IS_INTRESOURCE(const char* name) { return (reinterpret_cast<uintptr_t>(name) >> 16) == 0; }

// Lookups; null when the module has no such resource. A name may be a number (MAKEINTRESOURCEA)
// or a text; a text "#123" names number 123, as it does for the desktop's loader.
const MenuResource* FindMenuResource(HINSTANCE module, const char* name);
const AccelResource* FindAccelResource(HINSTANCE module, const char* name);
const StringResource* FindStringResource(HINSTANCE module, int id);
const DialogResource* FindDialogResource(HINSTANCE module, const char* name);
const ImageResource* FindImageResource(HINSTANCE module, const char* name, ImageKind kind);

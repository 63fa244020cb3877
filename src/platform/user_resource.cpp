// Finding the program's resources by number or by name, as the desktop's loader does.
#include <cstdlib>
#include <cstring>

#include "platform/user_resource.h"

namespace {

// A name that is a number: MAKEINTRESOURCEA, or a text "#123". -1 for a plain text name.
int NumberOfName(const char* name) {
    if (IS_INTRESOURCE(name)) return static_cast<int>(reinterpret_cast<uintptr_t>(name));
    if (name[0] != '#' || name[1] == '\0') return -1;
    int value = 0;
    for (const char* p = name + 1; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9' || value > 0xFFFF) return -1;
        value = value * 10 + (*p - '0');
    }
    return value <= 0xFFFF ? value : -1;
}

}  // namespace

const MenuResource* FindMenuResource(HINSTANCE module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    const int number = NumberOfName(name);
    for (int i = 0; i < module->menuCount; ++i) {
        const MenuResource& m = module->menus[i];
        if (number >= 0 ? m.id == number : (m.name != nullptr && std::strcmp(m.name, name) == 0)) return &m;
    }
    return nullptr;
}

const AccelResource* FindAccelResource(HINSTANCE module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    const int number = NumberOfName(name);
    for (int i = 0; i < module->acceleratorCount; ++i) {
        if (module->accelerators[i].id == number) return &module->accelerators[i];
    }
    return nullptr;
}

const StringResource* FindStringResource(HINSTANCE module, int id) {
    if (module == nullptr) return nullptr;
    for (int i = 0; i < module->stringCount; ++i) {
        if (module->strings[i].id == id) return &module->strings[i];
    }
    return nullptr;
}

const DialogResource* FindDialogResource(HINSTANCE module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    const int number = NumberOfName(name);
    for (int i = 0; i < module->dialogCount; ++i) {
        if (module->dialogs[i].id == number) return &module->dialogs[i];
    }
    return nullptr;
}

const ImageResource* FindImageResource(HINSTANCE module, const char* name, ImageKind kind) {
    if (module == nullptr || name == nullptr) return nullptr;
    const int number = NumberOfName(name);
    for (int i = 0; i < module->imageCount; ++i) {
        const ImageResource& r = module->images[i];
        if (r.id == number && r.kind == kind) return &r;
    }
    return nullptr;
}

#include "options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "render/styles.h"

namespace {

// A whole number that is the entire text.
bool ParseInt(const char* text, long* value) {
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0') return false;
    *value = v;
    return true;
}

bool ParseSize(const char* text, int* width, int* height) {
    const char* x = std::strchr(text, 'x');
    if (x == nullptr) return false;
    const std::string left(text, static_cast<size_t>(x - text));
    long w, h;
    if (!ParseInt(left.c_str(), &w) || !ParseInt(x + 1, &h)) return false;
    if (w < kMinImageSide || w > kMaxImageSide || h < kMinImageSide || h > kMaxImageSide) return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

// Four finite numbers separated by commas.
bool ParseView(const char* text, float out[4]) {
    const char* p = text;
    for (int i = 0; i < 4; ++i) {
        char* end = nullptr;
        errno = 0;
        const double v = std::strtod(p, &end);
        if (errno != 0 || end == p || !std::isfinite(v) || std::fabs(v) > 1.0e7) return false;
        out[i] = static_cast<float>(v);
        if (i < 3) {
            if (*end != ',') return false;
            p = end + 1;
        } else if (*end != '\0') {
            return false;
        }
    }
    return true;
}

bool ParseMode(const char* text, int32_t* mode) {
    long id;
    const DisplayModeInfo* info = ParseInt(text, &id) ? (id >= INT32_MIN && id <= INT32_MAX ? FindDisplayMode(static_cast<int32_t>(id)) : nullptr)
                                                      : FindDisplayModeByText(text);
    if (info == nullptr) return false;
    *mode = info->id;
    return true;
}

std::string ModeList() {
    std::string list;
    for (const DisplayModeInfo& mode : kDisplayModes) {
        if (!list.empty()) list += ", ";
        list += "\"" + std::string(mode.menuText) + "\" (" + std::to_string(mode.id) + ")";
    }
    return list;
}

}  // namespace

bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options, std::string* error) {
    bool haveDir = false;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool takesValue = arg == "--dir" || arg == "--size" || arg == "--mode" || arg == "--view" || arg == "-o" ||
                                arg == "--output";
        if (arg == "--help" || arg == "-h") {
            options->help = true;
            return true;
        }
        if (arg == "--overview") {
            options->overview = true;
            continue;
        }
        if (!takesValue) {
            *error = "unknown argument '" + arg + "'";
            return false;
        }
        if (i + 1 >= argc) {
            *error = arg + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        if (arg == "--dir") {
            options->dir = value;
            haveDir = true;
        } else if (arg == "--size") {
            if (!ParseSize(value, &options->width, &options->height)) {
                *error = "bad size '" + std::string(value) + "': expected WIDTHxHEIGHT, each " +
                         std::to_string(kMinImageSide) + " to " + std::to_string(kMaxImageSide) + " pixels";
                return false;
            }
        } else if (arg == "--mode") {
            if (!ParseMode(value, &options->mode)) {
                *error = "unknown display mode '" + std::string(value) + "': expected one of " + ModeList();
                return false;
            }
        } else if (arg == "--view") {
            if (!ParseView(value, options->view)) {
                *error = "bad view '" + std::string(value) + "': expected x1,y1,x2,y2 in plan metres";
                return false;
            }
            if (!(options->view[0] < options->view[2]) || !(options->view[1] < options->view[3])) {
                *error = "bad view '" + std::string(value) + "': x1 must be below x2 and y1 below y2";
                return false;
            }
            options->hasView = true;
        } else {
            options->output = value;
        }
    }
    if (!haveDir) {
        *error = "the data folder is missing: give --dir DIR";
        return false;
    }
    if (options->overview == options->hasView) {
        *error = "give exactly one of --overview and --view x1,y1,x2,y2";
        return false;
    }
    if (options->output.empty()) {
        *error = "the output file is missing: give -o FILE.png";
        return false;
    }
    return true;
}

const char* RenderUsage() {
    return "usage: plan-render --dir DIR (--overview | --view x1,y1,x2,y2) -o FILE.png\n"
           "                   [--size WIDTHxHEIGHT] [--mode MODE]\n"
           "  --dir DIR        the folder of the map files\n"
           "  --overview       the whole city, as the viewer shows it first\n"
           "  --view x1,y1,x2,y2\n"
           "                   a view of the plan in metres (x north, y east), shown as the viewer\n"
           "                   shows a zoom to that rectangle\n"
           "  --size WxH       image size in pixels (default 1920x1080)\n"
           "  --mode MODE      display mode by its menu text or command id (default \"Windows on clock\"):\n"
           "                   Graphic, Flat, Night, Windows on clock, Light windows, Dark windows,\n"
           "                   Wide windows, Without windows\n"
           "  -o FILE.png      the image to write\n";
}

#include "options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <strings.h>

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

// A4, A3 or Letter, optionally ",landscape" (or ",portrait").
bool ParsePage(const char* text, double* widthMm, double* heightMm) {
    struct Sheet {
        const char* name;
        double widthMm;
        double heightMm;
    };
    static const Sheet kSheets[] = {{"A4", 210.0, 297.0}, {"A3", 297.0, 420.0}, {"Letter", 215.9, 279.4}};
    const char* comma = std::strchr(text, ',');
    const std::string name = comma != nullptr ? std::string(text, static_cast<size_t>(comma - text)) : std::string(text);
    const std::string turn = comma != nullptr ? std::string(comma + 1) : std::string("portrait");
    if (turn != "portrait" && turn != "landscape") return false;
    for (const Sheet& sheet : kSheets) {
        if (strcasecmp(name.c_str(), sheet.name) != 0) continue;
        const bool landscape = turn == "landscape";
        *widthMm = landscape ? sheet.heightMm : sheet.widthMm;
        *heightMm = landscape ? sheet.widthMm : sheet.heightMm;
        return true;
    }
    return false;
}

std::string ModeList() {
    std::string list;
    for (const DisplayModeInfo& mode : kDisplayModes) {
        if (!list.empty()) list += ", ";
        // Appended piece by piece: g++ 12 at -O3 warns falsely on a literal + a temporary string.
        list += '"';
        list += mode.menuText;
        list += "\" (";
        list += std::to_string(mode.id);
        list += ')';
    }
    return list;
}

}  // namespace

bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options, std::string* error) {
    bool haveDir = false;
    bool havePage = false;
    bool haveDpi = false;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool takesValue = arg == "--dir" || arg == "--size" || arg == "--mode" || arg == "--view" || arg == "-o" ||
                                arg == "--output" || arg == "--print" || arg == "--page" || arg == "--dpi";
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
        } else if (arg == "--print") {
            const std::string colours = value;
            if (colours != "bw" && colours != "color") {
                *error = "bad print colours '" + colours + "': expected bw or color";
                return false;
            }
            options->print = true;
            options->printInColor = colours == "color";
        } else if (arg == "--page") {
            if (!ParsePage(value, &options->pageWidthMm, &options->pageHeightMm)) {
                *error = "bad page '" + std::string(value) + "': expected A4, A3 or Letter, optionally ,landscape";
                return false;
            }
            havePage = true;
        } else if (arg == "--dpi") {
            long dpi;
            if (!ParseInt(value, &dpi) || dpi < kMinPrintDpi || dpi > kMaxPrintDpi) {
                *error = "bad dpi '" + std::string(value) + "': expected " + std::to_string(kMinPrintDpi) + " to " +
                         std::to_string(kMaxPrintDpi) + " pixels per inch";
                return false;
            }
            options->dpi = static_cast<int>(dpi);
            haveDpi = true;
        } else {
            options->output = value;
        }
    }
    if (!haveDir) {
        *error = "the data folder is missing: give --dir DIR";
        return false;
    }
    if ((havePage || haveDpi) && !options->print) {
        *error = "--page and --dpi go with --print bw|color";
        return false;
    }
    if (options->print ? options->overview && options->hasView : options->overview == options->hasView) {
        *error = "give exactly one of --overview and --view x1,y1,x2,y2";
        return false;
    }
    if (options->output.empty()) {
        *error = options->print ? "the output file is missing: give -o FILE.pdf" : "the output file is missing: give -o FILE.png";
        return false;
    }
    return true;
}

const char* RenderUsage() {
    return "usage: plan-render --dir DIR (--overview | --view x1,y1,x2,y2) -o FILE.png\n"
           "                   [--size WIDTHxHEIGHT] [--mode MODE]\n"
           "       plan-render --dir DIR [--overview | --view x1,y1,x2,y2] --print bw|color\n"
           "                   [--page A4|A3|Letter[,landscape]] [--dpi N] -o FILE.pdf\n"
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
           "  -o FILE.png      the image to write\n"
           "  --print bw|color print one page of the view (the whole map without --view), black and\n"
           "                   white or in colour, as the viewer's \"Print\" menu does, into a PDF file;\n"
           "                   the view is first shown at --size, so the page carries its street names\n"
           "  --page SHEET     A4 (default), A3 or Letter, portrait or with \",landscape\"\n"
           "  --dpi N          printer resolution in pixels per inch, 50 to 1200 (default 600)\n";
}

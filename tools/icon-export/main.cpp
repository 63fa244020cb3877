// icon-export FOLDER
//
// Writes the program's icon into FOLDER as korvinsk-plan.svg (every pixel of the picture a square,
// so it scales without blur) and as hicolor/<size>x<size>/apps/korvinsk-plan.png at the usual
// sizes, each pixel widened to a block of whole pixels (or every other pixel taken at 16).
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/png.h"
#include "platform/user_resource.h"
#include "resources/resources.h"

namespace {

constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

uint32_t PixelAt(const ImageResource& icon, int x, int y) {
    const char key = icon.rows[y][x];
    for (int i = 0; i < icon.paletteCount; ++i) {
        if (icon.palette[i].key == key) return icon.palette[i].argb;
    }
    return 0;
}

bool MakeFolders(const std::string& path) {
    std::string sofar;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            if (!sofar.empty() && mkdir(sofar.c_str(), 0755) != 0) {
                struct stat info;
                if (stat(sofar.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
            }
        }
        if (i < path.size()) sofar += path[i];
    }
    return true;
}

bool WriteSvg(const ImageResource& icon, const std::string& path) {
    FILE* out = fopen(path.c_str(), "w");
    if (out == nullptr) return false;
    fprintf(out,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\" "
            "shape-rendering=\"crispEdges\">\n",
            icon.width * 8, icon.height * 8, icon.width, icon.height);
    // Runs of one colour along a row make one rectangle each.
    for (int y = 0; y < icon.height; ++y) {
        int x = 0;
        while (x < icon.width) {
            const uint32_t colour = PixelAt(icon, x, y);
            int end = x + 1;
            while (end < icon.width && PixelAt(icon, end, y) == colour) ++end;
            if ((colour >> 24) != 0) {
                fprintf(out, "  <rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"1\" fill=\"#%06X\"/>\n", x, y, end - x,
                        colour & 0xFFFFFFu);
            }
            x = end;
        }
    }
    fputs("</svg>\n", out);
    return fclose(out) == 0;
}

bool WritePng(const ImageResource& icon, int size, const std::string& path) {
    std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            pixels[static_cast<size_t>(y) * size + x] = PixelAt(icon, x * icon.width / size, y * icon.height / size);
        }
    }
    return SaveArgbPng(pixels.data(), size, size, path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc != 2) {
        fputs("usage: icon-export FOLDER\n", stderr);
        return 2;
    }
    const ImageResource* icon = FindImageResource(ProgramInstance(), MAKEINTRESOURCEA(IDI_PROGRAM), ImageKind::Icon);
    if (icon == nullptr || icon->width <= 0 || icon->height <= 0) {
        fputs("icon-export: the program's icon is missing\n", stderr);
        return 1;
    }
    const std::string folder = argv[1];
    bool ok = MakeFolders(folder + "/hicolor/scalable/apps") &&
              WriteSvg(*icon, folder + "/hicolor/scalable/apps/korvinsk-plan.svg");
    for (int size : kSizes) {
        const std::string dir = folder + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        ok = ok && MakeFolders(dir) && WritePng(*icon, size, dir + "/korvinsk-plan.png");
    }
    if (!ok) {
        fprintf(stderr, "icon-export: cannot write the icons into '%s'\n", folder.c_str());
        return 1;
    }
    return 0;
}

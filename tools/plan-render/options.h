// The command line of plan-render.
#pragma once

#include <cstdint>
#include <string>

struct RenderOptions {
    std::string dir = ".";
    int width = 1920;
    int height = 1080;
    int32_t mode = 32786;  // "Windows on clock", the viewer's first mode
    bool overview = false;
    bool hasView = false;
    float view[4] = {0, 0, 0, 0};  // x1, y1, x2, y2 in plan metres
    std::string output;
    bool help = false;
    // --print: one page of the view (or of the whole map) into a PDF file instead of an image.
    bool print = false;
    bool printInColor = false;
    double pageWidthMm = 210.0;  // A4 portrait unless --page says otherwise
    double pageHeightMm = 297.0;
    int dpi = 600;
};

constexpr int kMinPrintDpi = 50;
constexpr int kMaxPrintDpi = 1200;

// Largest image side: the viewport is kept in 16-bit pixels.
constexpr int kMaxImageSide = 16384;
constexpr int kMinImageSide = 64;

// Fills `options` from the arguments (without the program name). On a bad command line returns
// false with the reason in `error`.
bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options, std::string* error);

const char* RenderUsage();

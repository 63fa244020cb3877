#include "render_job.h"

#include <unistd.h>

#include <climits>
#include <string>

#include "data/store.h"
#include "platform/png.h"
#include "platform/print.h"
#include "print/print_view.h"
#include "render/frame.h"
#include "render/offscreen.h"
#include "render/styles.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

// The output path as seen from where the tool was started; the map files are read from their
// folder, which becomes the working directory.
std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    char here[PATH_MAX];
    if (getcwd(here, sizeof here) == nullptr) return path;
    return std::string(here) + "/" + path;
}

// The viewer's paint: the redraw request is served by composing a frame.
void Paint() {
    SetBkMode(g_hdc, TRANSPARENT);
    ComposeFrame();
    g_needRedraw = 0;
}

void Release() {
    ReleaseStyleSet();
    DeleteFixedObjects();
    CloseOffscreenSurface();
    FreeAllMapData();
}

// One page of the top zoom entry into a PDF file, through the viewer's printing.
bool PrintToPdf(const RenderOptions& options, const std::string& output) {
    unlink(output.c_str());
    HDC printer = CreatePdfPrinterDC(output.c_str(), options.pageWidthMm, options.pageHeightMm, options.dpi);
    if (printer == nullptr) return false;
    g_printInColor = options.printInColor ? 1 : 0;
    const ViewRect& entry = g_zoom.entries[g_zoom.zoomDepth];
    PrintPlanDocument(printer, entry.xMin, entry.yMin, entry.xMax, entry.yMax);
    DeleteDC(printer);
    g_printDlg.hDC = nullptr;
    // The file is written when the document ends; a printer that could not open it made none.
    return access(output.c_str(), F_OK) == 0;
}

}  // namespace

int RunRenderJob(const RenderOptions& options, FILE* errors) {
    const std::string output = AbsolutePath(options.output);
    if (chdir(options.dir.c_str()) != 0) {
        fprintf(errors, "plan-render: cannot open the data folder '%s'\n", options.dir.c_str());
        return 1;
    }
    if (!OpenOffscreenSurface(options.width, options.height)) {
        fprintf(errors, "plan-render: cannot make an image of %dx%d pixels\n", options.width, options.height);
        return 1;
    }
    CreateFixedObjects();
    DisplayMode = options.mode;
    BuildStyleSet();

    // The first paint loads the plan and shows the whole city.
    g_needRedraw = 1;
    Paint();
    if (g_areas == nullptr || g_area_count < 1 || g_zoom.zoomDepth < 1) {
        fprintf(errors, "plan-render: no plan could be loaded from '%s' (3.tqf and the files before it are needed)\n",
                options.dir.c_str());
        Release();
        return 1;
    }
    if (options.hasView) {
        if (!PushViewRect(options.view[0], options.view[1], options.view[2], options.view[3])) {
            const ViewRect& e = g_zoom.entries[1];
            fprintf(errors, "plan-render: the view is larger than the whole plan (%.0f,%.0f,%.0f,%.0f)\n", e.xMin,
                    e.yMin, e.xMax, e.yMax);
            Release();
            return 1;
        }
        g_needRedraw = 1;
        Paint();
    }
    if (options.print) {
        const bool printed = PrintToPdf(options, output);
        Release();
        if (!printed) {
            fprintf(errors, "plan-render: cannot print into '%s'\n", output.c_str());
            return 1;
        }
        return 0;
    }
    const bool saved = SaveDCPng(OffscreenWindowDC(), output.c_str());
    Release();
    if (!saved) {
        fprintf(errors, "plan-render: cannot write '%s'\n", output.c_str());
        return 1;
    }
    return 0;
}

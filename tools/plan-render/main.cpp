// plan-render: any view of the plan into a PNG file, composed without a screen through the
// same frame composition the viewer's window uses.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "options.h"
#include "render_job.h"

int main(int argc, char** argv) {
    // Nothing is ever shown: the toolkit needs no display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    RenderOptions options;
    std::string error;
    if (!ParseRenderOptions(argc - 1, argv + 1, &options, &error)) {
        fprintf(stderr, "plan-render: %s\n%s", error.c_str(), RenderUsage());
        return 2;
    }
    if (options.help) {
        fputs(RenderUsage(), stdout);
        return 0;
    }
    return RunRenderJob(options, stderr);
}

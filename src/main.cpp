// Korvinsk. Address plan: the viewer, started in the folder that holds the map files, or given
// that folder on the command line.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "data/load_notes.h"
#include "platform/gdi.h"
#include "platform/user.h"
#include "resources/resources.h"
#include "shell/main_window.h"

#ifndef KORVINSK_VERSION
#define KORVINSK_VERSION "0"
#endif

namespace {

constexpr char kUsage[] = "usage: korvinsk-plan [--help] [--version] [FOLDER]\n";

void PrintHelp() {
    fputs(kUsage, stdout);
    fputs("\n"
          "Shows the address plan whose eleven map files lie in FOLDER (the working directory\n"
          "when none is given): zoom, pan and step back through the views, find streets, houses,\n"
          "districts, parts of the city and objects, see what a building is, measure lengths and\n"
          "areas, read coordinates and print the visible plan. Help > Help in the window lists the\n"
          "keys and the mouse.\n"
          "\n"
          "  --help     print this text and exit\n"
          "  --version  print the version and exit\n",
          stdout);
}

// Why the plan could not be shown, from what the load noted; null when it was there.
const char* MissingPlanFile() {
    for (MapFile file : {kFile8, kFile3}) {
        if (g_load_notes.files[file] == FileStatus::Missing) return MapFileName(file);
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const char* folder = nullptr;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!optionsEnded && strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (!optionsEnded && (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0)) {
            PrintHelp();
            return 0;
        } else if (!optionsEnded && strcmp(arg, "--version") == 0) {
            printf("korvinsk-plan %s\n", KORVINSK_VERSION);
            return 0;
        } else if (!optionsEnded && arg[0] == '-' && arg[1] != '\0') {
            fprintf(stderr, "korvinsk-plan: unknown option '%s'\n%s", arg, kUsage);
            return 2;
        } else if (folder != nullptr) {
            fprintf(stderr, "korvinsk-plan: only one folder can be shown\n%s", kUsage);
            return 2;
        } else {
            folder = arg;
        }
    }
    // The map files are read from the working directory, so the folder becomes it.
    if (folder != nullptr && chdir(folder) != 0) {
        fprintf(stderr, "korvinsk-plan: cannot open the map folder '%s': %s\n", folder, strerror(errno));
        return 1;
    }

    // The toolkit gets no arguments of ours; its display settings come from the environment.
    int toolkitArgc = 1;
    InitPlatformWindows(toolkitArgc, argv);
    InitPlatformDrawing();
    ClearLoadNotes();
    const int code = RunViewer(ProgramInstance());
    ShutdownPlatformWindows();

    // Without a plan the window closes at once, as it always has; the reason goes to the terminal.
    const char* missing = MissingPlanFile();
    if (missing != nullptr) {
        fprintf(stderr, "korvinsk-plan: no plan in '%s': %s is missing or unreadable\n",
                folder != nullptr ? folder : ".", missing);
        return 1;
    }
    return code;
}

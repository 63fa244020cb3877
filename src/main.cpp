// Korvinsk. Address plan: the viewer, started in the folder that holds the map files.
#include "platform/gdi.h"
#include "platform/user.h"
#include "resources/resources.h"
#include "shell/main_window.h"

int main(int argc, char** argv) {
    // The toolkit takes its display options from the arguments; the program itself has none.
    InitPlatformWindows(argc, argv);
    InitPlatformDrawing();
    const int code = RunViewer(ProgramInstance());
    ShutdownPlatformWindows();
    return code;
}

// plan-query [--dir FOLDER] COMMAND ARGS...
//
// Asks the plan of a map folder what the viewer's searches, information, measurement and
// coordinates would answer, through the viewer's own routines, and prints the answer as JSON.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "query.h"

int main(int argc, char** argv) {
    // Nothing is ever shown: the toolkit needs no display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const char* folder = ".";
    int i = 1;
    while (i < argc && argv[i][0] == '-') {
        if (strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0) {
            PrintQueryUsage(stdout);
            return kQueryOk;
        }
        if (strcmp(argv[i], "--dir") == 0 && i + 1 < argc) {
            folder = argv[i + 1];
            i += 2;
            continue;
        }
        fprintf(stderr, "plan-query: unknown option '%s'\n", argv[i]);
        PrintQueryUsage(stderr);
        return kQueryUsage;
    }
    if (i >= argc) {
        PrintQueryUsage(stderr);
        return kQueryUsage;
    }
    const QueryCommand* command = FindQueryCommand(argv[i]);
    if (command == nullptr) {
        fprintf(stderr, "plan-query: unknown command '%s'\n", argv[i]);
        PrintQueryUsage(stderr);
        return kQueryUsage;
    }
    QueryCall call;
    for (int k = i + 1; k < argc; ++k) call.args.emplace_back(argv[k]);
    if (chdir(folder) != 0) {
        fprintf(stderr, "plan-query: cannot open the map folder '%s': %s\n", folder, strerror(errno));
        return kQueryFailed;
    }
    const int code = command->run(call);
    if (fflush(stdout) != 0) return kQueryFailed;
    return code;
}

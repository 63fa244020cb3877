// plan-inspect [options] [FOLDER]
//
// Loads the map files of FOLDER (the working directory by default) with the viewer's readers,
// in the viewer's order, and prints as JSON what the viewer would hold: the state of every file,
// every table's count, each table the files announced with how much of it was read, and on
// request every record. A folder that cannot be read is an error; missing or damaged files are
// not, they are what the report is for.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "data/store.h"
#include "data/store_report.h"

namespace {

void Usage(FILE* out) {
    fputs(
        "usage: plan-inspect [--records TABLE]... [--points] [FOLDER]\n"
        "  FOLDER           map folder (default: the working directory)\n"
        "  --records TABLE  list every record of TABLE: places, areas, topo1..topo4, street_lines,\n"
        "                   street_names, street_index, labels, buildings, themes, user_objects,\n"
        "                   signs, or all\n"
        "  --points         list the points of outlines, lines and buildings as well\n",
        out);
}

// Checks that the folder exists and can be listed and entered; prints why not.
bool FolderReadable(const char* folder) {
    struct stat info;
    if (stat(folder, &info) != 0) {
        fprintf(stderr, "plan-inspect: cannot read folder '%s': %s\n", folder, strerror(errno));
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        fprintf(stderr, "plan-inspect: '%s' is not a folder\n", folder);
        return false;
    }
    DIR* dir = opendir(folder);
    if (dir == nullptr) {
        fprintf(stderr, "plan-inspect: cannot read folder '%s': %s\n", folder, strerror(errno));
        return false;
    }
    closedir(dir);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    StoreReportOptions options;
    const char* folder = ".";
    bool folderGiven = false;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0) {
            Usage(stdout);
            return 0;
        }
        if (strcmp(argv[i], "--points") == 0) {
            options.points = true;
        } else if (strcmp(argv[i], "--records") == 0 && i + 1 < argc) {
            unsigned bit = ReportTableByName(argv[++i]);
            if (bit == 0) {
                fprintf(stderr, "plan-inspect: unknown table '%s'\n", argv[i]);
                Usage(stderr);
                return 2;
            }
            options.records |= bit;
        } else if (argv[i][0] == '-' || folderGiven) {
            Usage(stderr);
            return 2;
        } else {
            folder = argv[i];
            folderGiven = true;
        }
    }
    if (!FolderReadable(folder)) return 1;
    if (chdir(folder) != 0) {
        fprintf(stderr, "plan-inspect: cannot enter folder '%s': %s\n", folder, strerror(errno));
        return 1;
    }

    // The viewer's order: the main files at the first paint; the buildings, and after them the
    // text files, only once the plan is there.
    LoadMainFiles();
    if (g_areas != nullptr) LoadBuildingFiles();
    WriteStoreReport(stdout, options);
    FreeAllMapData();
    return fflush(stdout) == 0 ? 0 : 1;
}

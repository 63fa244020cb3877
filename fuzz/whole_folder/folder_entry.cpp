#include "folder_entry.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "data/store.h"
#include "platform/gdi.h"
#include "render/frame.h"
#include "render/offscreen.h"
#include "render/styles.h"
#include "view/surface.h"
#include "view/view.h"

const char* const kFolderFiles[kFolderFileCount] = {"8.tqf",    "3.tqf",    "4.tqf",    "5.tqf", "7.tqf", "6.tqf",
                                                    "tema.tqf", "user.tqf", "sign.tqf", "1.tqf", "2.tqf"};

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 360;

constexpr int32_t kModes[] = {kModeWindowsOnClock, kModeGraphic,    kModeFlat,         kModeNight,
                              kModeLightWindows,   kModeDarkWindows, kModeWideWindows, kModeWithoutWindows};

std::string g_scratch;

void RemoveScratchFolder() {
    for (const char* name : kFolderFiles) unlink((g_scratch + "/" + name).c_str());
    rmdir(g_scratch.c_str());
}

// One scratch folder per process, which becomes the working directory: the readers take their
// files from there, as the viewer does. It goes when the process ends.
const std::string& ScratchFolder() {
    if (g_scratch.empty()) {
        const char* tmp = getenv("TMPDIR");
        std::string p = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/korvinsk-folder-XXXXXX";
        if (mkdtemp(p.data()) == nullptr) abort();
        g_scratch = p;
        atexit(RemoveScratchFolder);
    }
    return g_scratch;
}

uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// Writes the files of the input into the scratch folder; returns the bytes left after them.
size_t UnpackFiles(const uint8_t* data, size_t size, const std::string& folder) {
    size_t at = 0;
    for (const char* name : kFolderFiles) {
        const std::string path = folder + "/" + name;
        unlink(path.c_str());
        uint32_t length = kAbsentFile;
        if (size - at >= 4) {
            length = ReadU32(data + at);
            at += 4;
        } else {
            at = size;
        }
        if (length == kAbsentFile) continue;
        if (length > size - at) length = static_cast<uint32_t>(size - at);
        FILE* file = fopen(path.c_str(), "wb");
        if (file == nullptr) abort();
        if (length > 0 && fwrite(data + at, 1, length, file) != length) abort();
        if (fclose(file) != 0) abort();
        at += length;
    }
    return at;
}

// The viewer's paint: the redraw request is served by composing a frame.
void Paint() {
    g_needRedraw = 1;
    SetBkMode(g_hdc, TRANSPARENT);
    ComposeFrame();
    g_needRedraw = 0;
}

void Check(bool sound) {
    if (!sound) abort();
}

}  // namespace

int FuzzWholeFolder(const uint8_t* data, size_t size) {
    const std::string& folder = ScratchFolder();
    const size_t used = UnpackFiles(data, size, folder);
    const int32_t mode = used < size ? kModes[data[used] % 8] : kModeWindowsOnClock;

    char previous[4096];
    if (getcwd(previous, sizeof previous) == nullptr) abort();
    if (chdir(folder.c_str()) != 0) abort();
    const int liveObjects = GdiLiveObjectCount();

    if (!OpenOffscreenSurface(kWidth, kHeight)) abort();
    g_zoom.zoomDepth = 0;
    CreateFixedObjects();
    DisplayMode = mode;
    BuildStyleSet();
    // The first paint loads the plan and shows the whole city; the next ones show views into it
    // from the whole plan down to the largest scale.
    Paint();
    if (g_areas != nullptr && g_zoom.zoomDepth >= 1) {
        const ViewRect whole = g_zoom.entries[1];
        const float midX = (whole.xMin + whole.xMax) / 2;
        const float midY = (whole.yMin + whole.yMax) / 2;
        for (float part : {1.0f, 0.25f, 0.04f, 0.005f}) {
            const float halfX = (whole.xMax - whole.xMin) * part / 2;
            const float halfY = (whole.yMax - whole.yMin) * part / 2;
            if (PushViewRect(midX - halfX, midY - halfY, midX + halfX, midY + halfY)) Paint();
        }
        // Back to the whole city, as Home does.
        g_zoom.zoomDepth = 1;
        Paint();
    }
    ReleaseStyleSet();
    DeleteFixedObjects();
    CloseOffscreenSurface();
    FreeAllMapData();
    g_zoom.zoomDepth = 0;
    Check(GdiLiveObjectCount() == liveObjects);
    if (chdir(previous) != 0) abort();
    return 0;
}

std::vector<uint8_t> PackMapFolder(const std::string& folder, uint8_t modeChoice) {
    std::vector<uint8_t> out;
    for (const char* name : kFolderFiles) {
        std::vector<uint8_t> bytes;
        FILE* file = fopen((folder + "/" + name).c_str(), "rb");
        uint32_t length = kAbsentFile;
        if (file != nullptr) {
            uint8_t chunk[4096];
            size_t n;
            while ((n = fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
            fclose(file);
            length = static_cast<uint32_t>(bytes.size());
        }
        for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(length >> shift));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    out.push_back(modeChoice);
    return out;
}

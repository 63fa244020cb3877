// Memory and time under load.
//
// - LoadCity/default and LoadCity/largest: the time to load all map files of the default city and
//   of the largest city the files allow (32,767 buildings), with the peak resident memory of a
//   process that loads the city once and shows its overview (counter peak_rss_mb, measured in a
//   child process of its own so that one city's peak does not hide the other's).
// - RandomNavigation: 10,000 frames of random steps (zoom in and out, pan, back, Home, a change of
//   display mode now and then) on the default city; the counters say how far the live drawing
//   objects and the heap in use moved from where they were after the first frame, and the run
//   fails if either grew.
//
// The cities come from the generator, written into a temporary folder and removed at the end.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "data/store.h"
#include "generate.h"
#include "output.h"
#include "platform/gdi.h"
#include "render/frame.h"
#include "render/layer_settings.h"
#include "render/offscreen.h"
#include "render/styles.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kNavigationFrames = 10000;

std::string g_base;

struct TemporaryCities {
    ~TemporaryCities() {
        if (g_base.empty()) return;
        std::error_code ignored;
        std::filesystem::remove_all(g_base, ignored);
    }
} g_cleanup;

// The folder of a generated city of `buildings` buildings, made on first use.
const std::string& CityFolder(int buildings) {
    static std::string folders[2];
    std::string& folder = folders[buildings > 30000 ? 1 : 0];
    if (!folder.empty()) return folder;
    if (g_base.empty()) {
        char base[] = "/tmp/korvinsk-memory-XXXXXX";
        if (mkdtemp(base) == nullptr) abort();
        g_base = base;
    }
    folder = g_base + "/city-" + std::to_string(buildings);
    citygen::Options options;
    options.buildings = buildings;
    std::string error;
    if (!citygen::WriteCityFolder(citygen::GenerateCity(options), folder, error)) {
        fprintf(stderr, "bench_memory: %s\n", error.c_str());
        abort();
    }
    return folder;
}

void Paint() {
    g_needRedraw = 1;
    SetBkMode(g_hdc, TRANSPARENT);
    ComposeFrame();
    g_needRedraw = 0;
}

void OpenViewer(const std::string& folder) {
    if (chdir(folder.c_str()) != 0) abort();
    if (!OpenOffscreenSurface(kWidth, kHeight)) abort();
    g_zoom.zoomDepth = 0;
    CreateFixedObjects();
    DisplayMode = kModeWindowsOnClock;
    BuildStyleSet();
    Paint();  // loads the plan and shows the overview
}

void CloseViewer() {
    ReleaseStyleSet();
    DeleteFixedObjects();
    CloseOffscreenSurface();
    FreeAllMapData();
    g_zoom.zoomDepth = 0;
}

// Peak resident memory, in megabytes, of a fresh process that opens the city as the viewer does.
double PeakResidentMb(const std::string& folder) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        OpenViewer(folder);
        CloseViewer();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const long kb = usage.ru_maxrss;
        if (write(pipeFds[1], &kb, sizeof kb) != sizeof kb) _exit(1);
        _exit(0);
    }
    close(pipeFds[1]);
    long kb = -1;
    if (read(pipeFds[0], &kb, sizeof kb) != sizeof kb) kb = -1;
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return kb < 0 ? -1 : kb / 1024.0;
}

void BM_LoadCity(benchmark::State& state) {
    const std::string& folder = CityFolder(static_cast<int>(state.range(0)));
    if (chdir(folder.c_str()) != 0) abort();
    for (auto _ : state) {
        LoadMainFiles();
        LoadBuildingFiles();
        state.PauseTiming();
        FreeAllMapData();
        state.ResumeTiming();
    }
    state.counters["peak_rss_mb"] = PeakResidentMb(folder);
}
BENCHMARK(BM_LoadCity)->Arg(30000)->Arg(32767)->Unit(benchmark::kMillisecond)->UseRealTime();

size_t HeapInUse() { return mallinfo2().uordblks; }

// One random step as a user makes them; each composes a frame.
void RandomStep(std::mt19937& random) {
    const ViewRect& now = g_zoom.entries[g_zoom.zoomDepth];
    const float h = now.xMax - now.xMin;
    const float w = now.yMax - now.yMin;
    const float cx = (now.xMin + now.xMax) / 2;
    const float cy = (now.yMin + now.yMax) / 2;
    switch (random() % 8) {
        case 0:
        case 1:  // zoom in twice about a point of the view
        {
            std::uniform_real_distribution<float> px(now.xMin, now.xMax), py(now.yMin, now.yMax);
            const float x = px(random), y = py(random);
            PushViewRect(x - h / 4, y - w / 4, x + h / 4, y + w / 4);
            break;
        }
        case 2:  // zoom out
            PushViewRect(cx - h, cy - w, cx + h, cy + w);
            break;
        case 3:
        case 4:  // pan by half the view
        {
            const float dx = (random() % 3 - 1.0f) * h / 2, dy = (random() % 3 - 1.0f) * w / 2;
            PushViewRect(now.xMin + dx, now.yMin + dy, now.xMax + dx, now.yMax + dy);
            break;
        }
        case 5:  // back
            if (g_zoom.zoomDepth > 1) --g_zoom.zoomDepth;
            break;
        case 6:  // Home, now and then
            if (random() % 4 == 0) g_zoom.zoomDepth = 1;
            break;
        default:  // another display mode, now and then
            if (random() % 8 == 0) {
                constexpr int32_t modes[] = {kModeGraphic, kModeFlat, kModeNight, kModeWindowsOnClock, kModeDarkWindows};
                ReleaseStyleSet();
                DisplayMode = modes[random() % 5];
                BuildStyleSet();
            }
            break;
    }
    // A deep history is cut back as the user would step back.
    if (g_zoom.zoomDepth > 90) g_zoom.zoomDepth = 2;
    Paint();
}

// The toolkit keeps the glyphs of every letter size and slant it has drawn, up to a bound of its
// own, and lets them go only from its event loop; with street names and house numbers shown the
// heap may grow by that cache. Without them only the working tables that follow the largest
// outline or view drawn so far may still grow a little; a leak of a few bytes a frame would
// already pass that bound over 10,000 frames.
constexpr double kGlyphCacheKb = 4096.0;
constexpr double kTablesKb = 64.0;

void BM_RandomNavigation(benchmark::State& state) {
    const bool texts = state.range(0) != 0;
    OpenViewer(CityFolder(30000));
    g_layerStreetNames = texts ? kLayerSelect : kLayerNo;
    g_layerAddresses = texts ? kLayerAll : kLayerNo;
    // A walk of its own first, so that what is made once and kept (tables sized by the largest
    // view so far, the toolkit's glyph caches) is made before counting.
    std::mt19937 warmUp(777);
    for (int i = 0; i < 1000; ++i) RandomStep(warmUp);
    ReleaseStyleSet();
    DisplayMode = kModeWindowsOnClock;
    BuildStyleSet();
    g_zoom.zoomDepth = 1;
    Paint();
    const int objectsBefore = GdiLiveObjectCount();
    const size_t heapBefore = HeapInUse();
    std::mt19937 random(12345);
    // KORVINSK_FRAMES sets another number of frames for a quick look.
    const char* framesText = getenv("KORVINSK_FRAMES");
    const int frames = framesText != nullptr && atoi(framesText) > 0 ? atoi(framesText) : kNavigationFrames;
    for (auto _ : state) {
        for (int i = 0; i < frames; ++i) RandomStep(random);
    }
    // Back to where the count began: the same view and mode.
    ReleaseStyleSet();
    DisplayMode = kModeWindowsOnClock;
    BuildStyleSet();
    g_zoom.zoomDepth = 1;
    Paint();
    const int objectGrowth = GdiLiveObjectCount() - objectsBefore;
    const double heapGrowthKb = (static_cast<double>(HeapInUse()) - static_cast<double>(heapBefore)) / 1024.0;
    state.counters["frames"] = frames;
    state.counters["object_growth"] = objectGrowth;
    state.counters["heap_growth_kb"] = heapGrowthKb;
    CloseViewer();
    fprintf(stderr, "random navigation %s texts: %d frames, drawing objects %+d, heap %+.1f kB\n",
            texts ? "with" : "without", frames, objectGrowth, heapGrowthKb);
    g_layerStreetNames = kLayerSelect;
    g_layerAddresses = kLayerAll;
    if (objectGrowth != 0 || heapGrowthKb > (texts ? kGlyphCacheKb : kTablesKb)) {
        state.SkipWithError("navigation left drawing objects or heap behind");
    }
}
BENCHMARK(BM_RandomNavigation)->ArgName("texts")->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

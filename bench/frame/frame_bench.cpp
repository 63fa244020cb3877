// Loading the default city and composing its frames at 1920 x 1080: the overview, and a
// detailed view at each detail level in each colour set over the densest part of the city.
// Beside each frame runs its floor, the same calls replayed straight onto a QImage. At the end
// every median is printed with its ratio to its floor.
//
// The city comes from the generator, written into a temporary folder at start; set
// KORVINSK_CITY to a folder to use that one instead.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/store.h"
#include "floor.h"
#include "generate.h"
#include "output.h"
#include "platform/gdi.h"
#include "render/frame.h"
#include "render/offscreen.h"
#include "render/styles.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Heights of square views that give detail levels 0..5 on a 1920 x 1080 screen of 96 pixels
// per inch (285.75 mm high): 1:14000, 1:7000, 1:2800, 1:1400, 1:700, 1:350.
constexpr float kViewHeights[6] = {4000, 2000, 800, 400, 200, 100};

struct ColourSetMode {
    const char* name;
    int32_t mode;
};
constexpr ColourSetMode kColourSets[] = {{"Day", kModeFlat}, {"Night", kModeNight}, {"3D", kModeWindowsOnClock}};

std::string g_cityDir;
std::string g_generatedBase;  // the temporary folder made for the city

// Removes the generated city however the run ends.
struct GeneratedCityRemover {
    ~GeneratedCityRemover() {
        if (g_generatedBase.empty()) return;
        std::error_code ignored;
        std::filesystem::remove_all(g_generatedBase, ignored);
    }
};
float g_centreX = 0;
float g_centreY = 0;

bool PrepareCity() {
    if (const char* dir = getenv("KORVINSK_CITY")) {
        g_cityDir = dir;
        return true;
    }
    char base[] = "/tmp/korvinsk-bench-XXXXXX";
    if (mkdtemp(base) == nullptr) return false;
    g_generatedBase = base;
    g_cityDir = g_generatedBase + "/city";
    std::string error;
    citygen::City city = citygen::GenerateCity(citygen::Options{});
    if (!citygen::WriteCityFolder(city, g_cityDir, error)) {
        fprintf(stderr, "bench_frame: %s\n", error.c_str());
        return false;
    }
    return true;
}

void LoadAll() {
    LoadMainFiles();
    LoadBuildingFiles();
}

// The centre of the 1.5 km square holding the most buildings, from a grid of 500 m cells.
void FindDensestPart() {
    std::map<std::pair<int, int>, int> cells;
    for (int i = 0; i < g_building_count; ++i) ++cells[{g_buildings[i].x / 500, g_buildings[i].y / 500}];
    int best = -1;
    for (const auto& [cell, n] : cells) {
        int sum = 0;
        for (int a = 0; a < 3; ++a) {
            for (int b = 0; b < 3; ++b) {
                auto it = cells.find({cell.first + a, cell.second + b});
                if (it != cells.end()) sum += it->second;
            }
        }
        if (sum > best) {
            best = sum;
            g_centreX = cell.first * 500.0f + 750.0f;
            g_centreY = cell.second * 500.0f + 750.0f;
        }
    }
    fprintf(stderr, "densest part: around (%.0f, %.0f), %d buildings in 1.5 km x 1.5 km\n", g_centreX, g_centreY, best);
}

void UseMode(int32_t mode) {
    ReleaseStyleSet();
    DisplayMode = mode;
    BuildStyleSet();
}

// Shows the whole city (level < 0) or the square view of `level` around the densest part.
void ShowView(int level) {
    g_zoom.zoomDepth = 1;
    if (level < 0) return;
    const float half = kViewHeights[level] / 2;
    PushViewRect(g_centreX - half, g_centreY - half, g_centreX + half, g_centreY + half);
}

void Compose() {
    SetBkMode(g_hdc, TRANSPARENT);
    ComposeFrame();
}

void BM_LoadAllFiles(benchmark::State& state) {
    for (auto _ : state) {
        LoadAll();
        state.PauseTiming();
        FreeAllMapData();
        state.ResumeTiming();
    }
    LoadAll();
}

void BM_Frame(benchmark::State& state, int32_t mode, int level) {
    UseMode(mode);
    ShowView(level);
    Compose();
    if (level >= 0 && g_view.detailLevel != level) {
        state.SkipWithError("the view did not reach its detail level");
        return;
    }
    for (auto _ : state) Compose();
}

void BM_Floor(benchmark::State& state, int32_t mode, int level) {
    UseMode(mode);
    ShowView(level);
    StartCallRecord(g_hdcMem);
    StartCallRecord(OffscreenWindowDC());
    Compose();
    FloorReplay floor(GetCallRecord(g_hdcMem), GetCallRecord(OffscreenWindowDC()), kWidth, kHeight);
    StopCallRecord(g_hdcMem);
    StopCallRecord(OffscreenWindowDC());
    for (auto _ : state) floor.Draw();
}

// Keeps the median of every benchmark for the closing table.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Milliseconds of processor time: on a shared machine the wall clock mostly measures the
    // other processes.
    std::map<std::string, double> medians;
};

void Register(const std::string& name, void (*fn)(benchmark::State&, int32_t, int), int32_t mode, int level) {
    benchmark::RegisterBenchmark(name.c_str(), fn, mode, level)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    GeneratedCityRemover remover;
    if (!PrepareCity() || chdir(g_cityDir.c_str()) != 0) {
        fprintf(stderr, "bench_frame: no city to measure\n");
        return 1;
    }
    if (!OpenOffscreenSurface(kWidth, kHeight)) return 1;
    CreateFixedObjects();
    BuildStyleSet();
    LoadAll();
    if (g_areas == nullptr || g_building_count == 0) {
        fprintf(stderr, "bench_frame: the city in %s did not load\n", g_cityDir.c_str());
        return 1;
    }
    FindDensestPart();

    benchmark::RegisterBenchmark("Load", BM_LoadAllFiles)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    std::vector<std::string> frames;
    frames.push_back("Overview");
    Register("Overview", BM_Frame, kModeFlat, -1);
    Register("Floor/Overview", BM_Floor, kModeFlat, -1);
    for (const ColourSetMode& set : kColourSets) {
        for (int level = 0; level < 6; ++level) {
            const std::string name = std::string("Frame/") + set.name + "/" + std::to_string(level);
            frames.push_back(name);
            Register(name, BM_Frame, set.mode, level);
            Register("Floor/" + name, BM_Floor, set.mode, level);
        }
    }

    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    printf("\n%-24s %12s %12s %8s\n", "median (CPU)", "ms", "floor ms", "ratio");
    if (reporter.medians.count("Load")) printf("%-24s %12.2f %12s %8s\n", "Load", reporter.medians["Load"], "-", "-");
    for (const std::string& name : frames) {
        auto frame = reporter.medians.find(name);
        auto floor = reporter.medians.find("Floor/" + name);
        if (frame == reporter.medians.end() || floor == reporter.medians.end()) continue;
        printf("%-24s %12.2f %12.2f %8.2f\n", name.c_str(), frame->second, floor->second,
               floor->second > 0 ? frame->second / floor->second : 0.0);
    }

    ReleaseStyleSet();
    DeleteFixedObjects();
    CloseOffscreenSurface();
    FreeAllMapData();
    benchmark::Shutdown();
    return 0;
}

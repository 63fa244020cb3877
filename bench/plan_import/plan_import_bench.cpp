// An extract of a city of about 30,000 buildings must import in well under ten seconds. The
// generated city is written as such an extract once; each run imports it into a new folder.
// With --write-osm FILE the program only writes that extract, for looking at it in the viewer.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "generate.h"
#include "import.h"
#include "synthetic_osm.h"

namespace {

std::string g_root;
std::string g_extract;

bool MakeExtract(const std::string& path) {
    citygen::Options options;
    options.buildings = 30000;
    return planbench::WriteSyntheticOsm(citygen::GenerateCity(options), path);
}

void ImportCity(benchmark::State& state) {
    if (g_extract.empty()) {
        g_root = (std::filesystem::temp_directory_path() / "bench_plan_import_XXXXXX").string();
        if (mkdtemp(g_root.data()) == nullptr) {
            state.SkipWithError("no temporary folder");
            return;
        }
        g_extract = g_root + "/city.osm";
        if (!MakeExtract(g_extract)) {
            state.SkipWithError("cannot write the extract");
            return;
        }
    }
    int run = 0;
    for (auto _ : state) {
        planimport::ImportOptions options;
        options.input = g_extract;
        options.out = g_root + "/city" + std::to_string(run++);
        planimport::ImportSummary summary;
        std::string error;
        if (planimport::RunImport(options, summary, error) != 0) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.counters["buildings"] = summary.buildings;
        state.PauseTiming();
        std::filesystem::remove_all(options.out);
        state.ResumeTiming();
    }
}
BENCHMARK(ImportCity)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-osm") == 0) {
        if (!MakeExtract(argv[2])) {
            std::fprintf(stderr, "cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!g_root.empty()) std::filesystem::remove_all(g_root);
    return 0;
}

// The default city must be ready in well under five seconds when the viewer is first run; the
// town the tests generate in a moment.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "generate.h"
#include "output.h"

namespace {

void GenerateOnly(benchmark::State& state) {
    citygen::Options options;
    options.buildings = static_cast<int>(state.range(0));
    for (auto _ : state) {
        citygen::City city = citygen::GenerateCity(options);
        benchmark::DoNotOptimize(city.buildings.data());
    }
}
BENCHMARK(GenerateOnly)->Arg(500)->Arg(30000)->Arg(32767)->Unit(benchmark::kMillisecond);

// Generation and the eleven files, as the program does it.
void GenerateAndWrite(benchmark::State& state) {
    citygen::Options options;
    options.buildings = static_cast<int>(state.range(0));
    std::string root = (std::filesystem::temp_directory_path() / "bench_plan_generate_XXXXXX").string();
    if (mkdtemp(root.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    int run = 0;
    for (auto _ : state) {
        citygen::City city = citygen::GenerateCity(options);
        std::string error;
        if (!citygen::WriteCityFolder(city, root + "/city" + std::to_string(run++), error)) state.SkipWithError(error.c_str());
    }
    std::filesystem::remove_all(root);
}
BENCHMARK(GenerateAndWrite)->Arg(500)->Arg(30000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

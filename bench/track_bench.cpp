// A track kit of 20 radii x all eight pieces (160 files and the structure
// list), written as the command line writes it.
#include "track/track_generator.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The process's peak resident memory in MB (VmHWM).
double PeakMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmHWM:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024;
        }
    return 0;
}

void BM_TrackKit20Radii8Pieces(benchmark::State& state)
{
    const fs::path folder = fs::temp_directory_path() / ("kestrane-track-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    kestrane::TrackInput input;
    input.radii = "0,100,-100,150,-150,200,-200,300,-300,400,-400,500,-500,750,-750,1000,-1000,1500,-1500,2000";
    input.pieces = "all";
    std::size_t files = 0;
    for (auto _ : state) {
        const kestrane::TrackResult result = kestrane::GenerateTrackKit(input, kestrane::UiLanguage::English, folder);
        files = result.files.size();
        benchmark::DoNotOptimize(result.status.data());
    }
    std::uintmax_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        bytes += entry.file_size();
    state.counters["files"] = static_cast<double>(files);
    state.counters["kit_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["peak_RSS_MB"] = PeakMegabytes();
    fs::remove_all(folder);
}
BENCHMARK(BM_TrackKit20Radii8Pieces)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

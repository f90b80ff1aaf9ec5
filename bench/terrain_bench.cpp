// The heaviest job of the tool: the full-size terrain (100 x 1000 cells,
// eight peaks and a curve, about 1.5 million lines), timed beside a plain
// copy of the file it writes.
#include "b3d/b3d_reader.h"
#include "b3d/b3d_tile_set.h"
#include "terrain/terrain_generator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const fs::path& BenchFolder()
{
    static const fs::path folder = [] {
        fs::path path = fs::temp_directory_path() / ("kestrane-bench-" + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

kestrane::TerrainInput FullSizeInput()
{
    kestrane::TerrainInput input;
    input.areaX = "1000";
    input.areaZ = "10000";
    input.resolutionX = "100";
    input.resolutionZ = "1000";
    input.slopeX = "5";
    input.slopeZ = "-20";
    input.offsetX = "-500";
    input.offsetY = "2.5";
    input.curveX = "30";
    input.curveZ1 = "300";
    input.curveZ2 = "600";
    const char* rows[8][4] = {
        {"20", "100", "15", "10"}, {"50", "200", "-8", "25"},  {"80", "400", "20", "30"},
        {"30", "500", "5", "5"},   {"60", "700", "12", "40"},  {"10", "800", "-6", "15"},
        {"90", "900", "9", "20"},  {"50", "950", "30", "60"},
    };
    for (int k = 0; k < 8; ++k) {
        input.peaks[k].gridX = rows[k][0];
        input.peaks[k].gridZ = rows[k][1];
        input.peaks[k].height = rows[k][2];
        input.peaks[k].width = rows[k][3];
        input.peaks[k].color = {static_cast<std::uint8_t>(30 * k), 200, static_cast<std::uint8_t>(250 - 30 * k)};
    }
    return input;
}

// The peak resident memory of this process so far, in bytes.
double PeakResidentBytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

void BM_GenerateFullSize(benchmark::State& state)
{
    kestrane::TerrainGenerator generator;  // one grid for the run, as in the window
    const kestrane::TerrainInput input = FullSizeInput();
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
        const auto result = generator.Generate(input, kestrane::UiLanguage::Hungarian, BenchFolder());
        bytes = fs::file_size(result.path);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["peak_RSS_MB"] = PeakResidentBytes() / 1e6;
}
BENCHMARK(BM_GenerateFullSize)->Unit(benchmark::kMillisecond)->UseRealTime();

// The simulator layout of the same terrain, into a folder of its own.
const fs::path& TilesFolder()
{
    static const fs::path folder = [] {
        fs::path path = BenchFolder() / "tiles";
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

kestrane::TerrainInput FullSizeSimulatorInput()
{
    kestrane::TerrainInput input = FullSizeInput();
    input.layout = kestrane::TerrainLayout::Simulator;
    return input;
}

// The files of the simulator layout: every tile and the index.
std::vector<fs::path> TileFiles()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(TilesFolder()))
        if (entry.path().filename().string().front() != '.' && entry.path().parent_path() == TilesFolder())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void BM_GenerateFullSizeSimulator(benchmark::State& state)
{
    kestrane::TerrainGenerator generator;
    const kestrane::TerrainInput input = FullSizeSimulatorInput();
    int tiles = 0;
    for (auto _ : state)
        tiles = generator.Generate(input, kestrane::UiLanguage::Hungarian, TilesFolder()).tiles;
    std::uintmax_t bytes = 0;
    for (const auto& file : TileFiles())
        bytes += fs::file_size(file);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
    state.counters["files_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["tiles"] = tiles;
    state.counters["peak_RSS_MB"] = PeakResidentBytes() / 1e6;
}
BENCHMARK(BM_GenerateFullSizeSimulator)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CopySimulatorOutput(benchmark::State& state)
{
    if (!fs::exists(TilesFolder() / "domb_tiles.txt")) {
        kestrane::TerrainGenerator generator;
        generator.Generate(FullSizeSimulatorInput(), kestrane::UiLanguage::Hungarian, TilesFolder());
    }
    const fs::path copies = BenchFolder() / "tile-copies";
    fs::create_directories(copies);
    const auto files = TileFiles();
    for (auto _ : state)
        for (const auto& file : files)
            fs::copy_file(file, copies / file.filename(), fs::copy_options::overwrite_existing);
}
BENCHMARK(BM_CopySimulatorOutput)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading both layouts back with the project's reader.
void BM_ReadCells(benchmark::State& state)
{
    const fs::path source = BenchFolder() / kestrane::kTerrainFileName;
    if (!fs::exists(source)) {
        kestrane::TerrainGenerator generator;
        generator.Generate(FullSizeInput(), kestrane::UiLanguage::Hungarian, BenchFolder());
    }
    std::size_t sections = 0, vertices = 0;
    for (auto _ : state) {
        const auto model = kestrane::b3d::ReadB3dFile(source);
        sections = model.sections.size();
        vertices = model.vertexCount;
    }
    state.counters["sections"] = static_cast<double>(sections);
    state.counters["vertices"] = static_cast<double>(vertices);
}
BENCHMARK(BM_ReadCells)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadTiles(benchmark::State& state)
{
    if (!fs::exists(TilesFolder() / "domb_tiles.txt")) {
        kestrane::TerrainGenerator generator;
        generator.Generate(FullSizeSimulatorInput(), kestrane::UiLanguage::Hungarian, TilesFolder());
    }
    std::size_t sections = 0, vertices = 0, largest = 0;
    for (auto _ : state) {
        const auto set = kestrane::b3d::ReadTileSet(TilesFolder() / "domb_tiles.txt");
        sections = set.model.sections.size();
        vertices = set.model.vertexCount;
        largest = set.mostVertices;
    }
    state.counters["sections"] = static_cast<double>(sections);
    state.counters["vertices"] = static_cast<double>(vertices);
    state.counters["largest_tile"] = static_cast<double>(largest);
}
BENCHMARK(BM_ReadTiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// Copying the file the generation wrote: the floor for writing that many
// bytes to this disk.
void BM_CopyOutput(benchmark::State& state)
{
    const fs::path source = BenchFolder() / kestrane::kTerrainFileName;
    if (!fs::exists(source)) {
        kestrane::TerrainGenerator generator;
        generator.Generate(FullSizeInput(), kestrane::UiLanguage::Hungarian, BenchFolder());
    }
    const fs::path target = BenchFolder() / "copy.b3d";
    const auto bytes = fs::file_size(source);
    for (auto _ : state)
        fs::copy_file(source, target, fs::copy_options::overwrite_existing);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_CopyOutput)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(BenchFolder(), ec);
    return 0;
}

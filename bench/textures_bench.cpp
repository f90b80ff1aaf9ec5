// Drawing the whole starter texture set (every drawing of the table, both
// languages' names share them) and encoding it as BMP bytes, in memory.
#include "textures/bitmap_image.h"
#include "textures/texture_set.h"

#include <benchmark/benchmark.h>

#include <set>

namespace {

using namespace kestrane::textures;

void BM_DrawWholeSet(benchmark::State& state)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const StarterTexture& texture : StarterTextures())
            bytes += BmpFileBytes(Draw(texture.drawing)).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["textures"] = static_cast<double>(StarterTextures().size());
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_DrawWholeSet)->Unit(benchmark::kMillisecond);

void BM_DrawEachDrawingOnce(benchmark::State& state)
{
    std::set<Drawing> drawings;
    for (const StarterTexture& texture : StarterTextures())
        drawings.insert(texture.drawing);
    for (auto _ : state)
        for (const Drawing drawing : drawings)
            benchmark::DoNotOptimize(Draw(drawing));
    state.counters["drawings"] = static_cast<double>(drawings.size());
}
BENCHMARK(BM_DrawEachDrawingOnce)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// The generate button of the area builder: read, shape, write, report.
#include "terrain/terrain_generator.h"

#include "b3d/b3d_writer.h"
#include "b3d/simulator_limits.h"
#include "core/errors.h"
#include "terrain/terrain_state.h"
#include "terrain/terrain_tiles.h"
#include "core/utf8_path.h"

#include <future>
#include <optional>
#include <system_error>

namespace kestrane {

std::string TerrainFinishedStatus(UiLanguage language)
{
    return LocalText{"Domb.B3d fájl generálása kész", "Domb.B3d file generating successfull"}(language);
}

namespace {

// What the curve folds, worked out on another thread while the files are
// written (it only reads the shaped grid), or here when no thread can be
// started or there is no curve.
std::future<CurveFolds> FindCurveFoldsAside(const TerrainGeneratorState& state)
{
    if (CurveApplies(state)) {
        try {
            return std::async(std::launch::async, [&state] { return FindCurveFolds(state); });
        } catch (const std::system_error&) {
        }
    }
    std::promise<CurveFolds> folds;
    folds.set_value(FindCurveFolds(state));
    return folds.get_future();
}

}  // namespace

TerrainGenerator::TerrainGenerator() : state_(std::make_unique<TerrainGeneratorState>()) {}

TerrainGenerator::~TerrainGenerator() = default;

TerrainResult TerrainGenerator::Generate(const TerrainInput& input, UiLanguage language,
                                         const std::filesystem::path& folder, const std::string& fileName,
                                         const HeightmapProgress& progress,
                                         const std::function<bool(int written, int count)>& tileProgress)
{
    TerrainGeneratorState& state = *state_;
    ReadTerrainInput(input, language, state);
    std::string heightmapReport;
    HeightmapSamples heights;
    if (state.params.heightmap) {
        heights = SampleHeightmap(*state.params.heightmap, HeightmapLattice(state.derived), language, progress);
        heightmapReport = HeightmapReport(heights, language);
    }
    state.heightmapHeights = std::move(heights.heights);
    ShapeGrid(state);
    CheckMeshFinite(state, language);
    std::future<CurveFolds> folds = FindCurveFoldsAside(state);
    const auto foldWarning = [&] {
        return CurveFoldWarning(folds.get(), language, TerrainFieldCaption(&TerrainInput::curveX, language));
    };
    const std::string name = FileNameInFormat(fileName.empty() ? std::string(kTerrainFileName) : fileName, input.format);
    if (state.params.layout == TerrainLayout::Simulator) {
        // "hill.b3d" names the tiles hill_001.b3d ... and hill_tiles.txt.
        TerrainResult tiled = WriteSimulatorLayout(state, language, folder, name.substr(0, name.size() - 4), tileProgress,
                                                   input.format);
        tiled.heightmapReport = heightmapReport;
        if (std::optional<GenerationWarning> folded = foldWarning())
            tiled.warnings.insert(tiled.warnings.begin(), std::move(*folded));
        return tiled;
    }

    TerrainResult result;
    result.path = PathInFolder(folder, name);
    B3dWriter out;
    out.format = input.format;
    out.OpenOutput(result.path);
    WriteTerrain(out, state, language);
    out.CloseOutput();
    result.status = TerrainFinishedStatus(language);
    result.heightmapReport = heightmapReport;
    if (std::optional<GenerationWarning> folded = foldWarning())
        result.warnings.push_back(std::move(*folded));
    if (auto tooLarge = SimulatorLimitWarning(CellLayoutSize(state), ObjectKind::Terrain, language))
        result.warnings.push_back(std::move(*tooLarge));
    return result;
}

}  // namespace kestrane

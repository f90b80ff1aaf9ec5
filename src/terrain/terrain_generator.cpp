// The generate button of the area builder: read, shape, write, report.
#include "terrain/terrain_generator.h"

#include "b3d/b3d_writer.h"
#include "core/errors.h"
#include "terrain/terrain_state.h"
#include "terrain/terrain_tiles.h"

namespace kestrane {

std::string TerrainFinishedStatus(UiLanguage language)
{
    return LocalText{"Domb.B3d fájl generálása kész", "Domb.B3d file generating successfull"}(language);
}

TerrainGenerator::TerrainGenerator() : state_(std::make_unique<TerrainGeneratorState>()) {}

TerrainGenerator::~TerrainGenerator() = default;

TerrainResult TerrainGenerator::Generate(const TerrainInput& input, UiLanguage language,
                                         const std::filesystem::path& folder)
{
    TerrainGeneratorState& state = *state_;
    ReadTerrainInput(input, language, state);
    ShapeGrid(state);
    CheckMeshFinite(state, language);
    if (state.params.layout == TerrainLayout::Simulator)
        return WriteSimulatorLayout(state, language, folder);

    TerrainResult result;
    result.path = folder.empty() ? std::filesystem::path(kTerrainFileName) : folder / kTerrainFileName;
    B3dWriter out;
    out.OpenOutput(result.path);
    WriteTerrain(out, state, language);
    out.CloseOutput();
    result.status = TerrainFinishedStatus(language);
    return result;
}

}  // namespace kestrane

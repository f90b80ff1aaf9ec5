// kestrane terrain: the area builder's generate button on the command line.
#include "cli/cli.h"
#include "cli/option_run.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "terrain/terrain_generator.h"
#include "textures/texture_writing.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>

namespace kestrane::cli {

namespace {

const LocalText kTerrainHelpStart{
    "Használat: kestrane terrain [KAPCSOLÓK]\n"
    "\n"
    "Terepfelületet (domb.b3d) ír az aktuális mappába és kiírja a kész generálás\n"
    "állapotszövegét. A számok úgy íródnak, mint a területépítő ablak\n"
    "szerkesztőmezőiben (méter, rácskocka, \".\" tizedesjel).\n"
    "\n",
    "Usage: kestrane terrain [OPTIONS]\n"
    "\n"
    "Writes a terrain surface, domb.b3d, into the current folder and prints the\n"
    "status of the finished generation. Numbers are written as in the area\n"
    "builder window's edit boxes (metres, cells, \".\" as decimal point).\n"
    "\n"};

// Prints the progress of a long heightmap read in tenths, once it has
// taken a second (KESTRANE_PROGRESS_AFTER_MS sets another wait; 0: from
// the start).
class ReadProgress {
public:
    ReadProgress(std::ostream& err, UiLanguage language)
        : err_(err), language_(language), start_(std::chrono::steady_clock::now()), wait_(Wait())
    {
    }
    void operator()(double done)
    {
        const int tenth = static_cast<int>(done * 10);
        if (tenth <= shown_ || std::chrono::steady_clock::now() - start_ < wait_)
            return;
        shown_ = tenth;
        err_ << "kestrane terrain: " << LocalText{"domborzat olvasása, ", "reading the heightmap, "}(language_)
             << tenth * 10 << "%\n"
             << std::flush;
    }

private:
    static std::chrono::milliseconds Wait()
    {
        const char* text = std::getenv("KESTRANE_PROGRESS_AFTER_MS");
        const auto value = text ? ParseReal(text) : std::nullopt;
        return value && *value >= 0 ? std::chrono::milliseconds(static_cast<long long>(*value))
                                    : std::chrono::milliseconds(1000);
    }

    std::ostream& err_;
    UiLanguage language_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::milliseconds wait_;
    int shown_ = 0;
};

// A tile set's name goes into its index: what the index cannot hold is refused.
void CheckOutputForLayout(const OptionRun<TerrainInput>& run)
{
    if (!run.output.empty() && run.input.layout == TerrainLayout::Simulator)
        CheckTileSetOutputName(run.output);
}

std::string Describe(const OptionRun<TerrainInput>& run, const TerrainResult& result, UiLanguage language)
{
    std::string text = result.heightmapReport.empty() ? result.status : result.status + "\n" + result.heightmapReport;
    if (run.input.writeTextures && !run.input.texture.empty())
        text += "\n" + textures::WriteTerrainTextures(run.input.texture, run.common.Folder(), language);
    return text;
}

}  // namespace

int RunTerrain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const auto generate = [&err](const TerrainInput& input, UiLanguage language, const std::filesystem::path& folder,
                                 const std::string& output) {
        ReadProgress progress(err, language);
        return TerrainGenerator().Generate(input, language, folder, output, [&progress](double done) { progress(done); });
    };
    return RunGenerator(TerrainOptions(), "terrain", kTerrainHelpStart, args, out, err, generate, Describe,
                        CheckOutputForLayout);
}

}  // namespace kestrane::cli

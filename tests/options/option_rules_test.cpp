// The rules between options (requires, excludes, applies) give the same
// outcome on the command line, in a preset and in a batch object: written,
// warned or refused.
#include "options/preset.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kestrane {
namespace {

using test::RunCli;
using test::TempFolder;
using test::WriteFile;

enum class Outcome { Written, Warned, Refused };

// One set of options in the three forms.
struct Case {
    const char* kind;
    std::vector<std::string> args;  // --name value pairs, switches alone
    const char* members;            // the same as JSON members
    Outcome outcome;
    const char* about;              // a text every message about it holds
};

Outcome OutcomeOf(const test::CommandResult& run)
{
    if (run.exitCode == 2)
        return Outcome::Refused;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return run.err.empty() ? Outcome::Written : Outcome::Warned;
}

const Case kCases[] = {
    {"terrain", {"--tile-length", "25"}, R"("tile-length": "25")", Outcome::Refused, "tile-length"},
    {"terrain", {"--layout", "cells", "--tile-length", "25"}, R"("layout": "cells", "tile-length": "25")",
     Outcome::Refused, "simulator"},
    {"terrain", {"--layout", "simulator", "--tile-length", "25"}, R"("layout": "simulator", "tile-length": "25")",
     Outcome::Written, ""},
    {"terrain", {"--height-scale", "2"}, R"("height-scale": "2")", Outcome::Warned, "height-scale"},
    {"terrain", {"--heightmap-origin", "1,2"}, R"("heightmap-origin": "1,2")", Outcome::Warned, "heightmap"},
    {"terrain", {"--heightmap-origin", "1,2", "--heightmap-map-origin", "3,4"},
     R"("heightmap-origin": "1,2", "heightmap-map-origin": "3,4")", Outcome::Refused, "heightmap-map-origin"},
    {"house", {"--roof", "flat", "--hip-depth", "100"}, R"("roof": "flat", "hip-depth": "100")", Outcome::Warned,
     "hip-depth"},
    {"house", {"--roof", "hip", "--hip-depth", "100"}, R"("roof": "hip", "hip-depth": "100")", Outcome::Written, ""},
    {"house", {"--roof-level-texture"}, R"("roof-level-texture": true)", Outcome::Warned, "pyramid"},
};

TEST(OptionRules, CommandLinePresetAndBatchAgree)
{
    for (const Case& c : kCases) {
        const std::string label = std::string(c.kind) + " " + c.members;
        TempFolder folder;
        std::vector<std::string> args = {c.kind, "--lang", "en", "-o", "object.b3d"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto direct = RunCli(args, folder.path());

        WriteFile(folder / "preset.json", std::string(R"({"kind": ")") + c.kind + "\", " + c.members + "}");
        const auto preset = RunCli({c.kind, "--lang", "en", "-o", "object.b3d", "--preset", "preset.json"},
                                   folder.path());

        WriteFile(folder / "batch.json", std::string(R"({"objects": [{"kind": ")") + c.kind +
                                             R"(", "output": "object.b3d", )" + c.members + "}]}");
        const auto batch = RunCli({"batch", "--lang", "en", "batch.json"}, folder.path());

        for (const auto* run : {&direct, &preset, &batch}) {
            EXPECT_EQ(OutcomeOf(*run), c.outcome) << label << "\n" << run->err;
            EXPECT_NE(run->err.find(c.about), std::string::npos) << label << "\n" << run->err;
        }
    }
}

TEST(OptionRules, AWindowPresetIsRefusedAsTheCommandLineRefusesIt)
{
    try {
        TerrainFromPreset(R"({"kind": "terrain", "layout": "cells", "tile-length": "25"})");
        ADD_FAILURE() << "a tile length of the cells layout taken";
    } catch (const PresetError& e) {
        EXPECT_EQ(e.member(), "tile-length");
        EXPECT_EQ(e.Text(UiLanguage::English), "\"tile-length\": needs \"layout\": \"simulator\"");
    }
    // Members without effect are kept: the window shows what the file holds.
    EXPECT_EQ(TerrainFromPreset(R"({"kind": "terrain", "height-scale": "2"})").heightmap.scale, "2");
}

}  // namespace
}  // namespace kestrane

// kestrane terrain --layout and --tile-length: the two layouts, the tile set
// and the options' refusals.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrane {
namespace {

using test::Lines;
using test::ReadFile;
using test::RunCli;
using test::TempFolder;

std::vector<std::string> Entries(const TempFolder& folder) { return test::EntryNames(folder.path()); }

TEST(TerrainLayoutCommandTest, CellsIsTheDefaultLayout)
{
    const TempFolder byDefault, cells;
    const std::vector<std::string> shape = {"--area", "30,60", "--resolution", "6,12", "--peak", "3,6,4,3,200,0,0"};
    std::vector<std::string> args = {"terrain"};
    args.insert(args.end(), shape.begin(), shape.end());
    ASSERT_EQ(RunCli(args, byDefault.path()).exitCode, 0);
    args.insert(args.end(), {"--layout", "cells"});
    const auto result = RunCli(args, cells.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Domb.B3d fájl generálása kész\n");
    EXPECT_EQ(ReadFile(cells / "domb.b3d"), ReadFile(byDefault / "domb.b3d"));
    EXPECT_EQ(Entries(cells), std::vector<std::string>{"domb.b3d"});
}

TEST(TerrainLayoutCommandTest, SimulatorLayoutWritesTilesAndTheirIndex)
{
    const TempFolder folder;
    auto result = RunCli({"terrain", "--lang", "en", "--layout", "simulator", "--tile-length", "10"}, folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Domb tiles generated: 3 files and domb_tiles.txt\n");
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"domb_001.b3d", "domb_002.b3d", "domb_003.b3d",
                                                         "domb_tiles.txt"}));
    const auto index = Lines(ReadFile(folder / "domb_tiles.txt"));
    ASSERT_EQ(index.size(), 6u);
    EXPECT_EQ(index[4], "domb_002.b3d,0.000,0.000,10.000");
    // The default surface has one colour, more cells than a section holds:
    // a section per block of 22 x 22 cells, here two a tile.
    const auto lines = Lines(ReadFile(folder / "domb_002.b3d"));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "[Meshbuilder];1"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "[Meshbuilder];2"), 1);
    // Each block is one face; a section keeps its corners and every node of
    // the tile's first and last columns (rows 1 to 23, and 23 to 26).
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("Vertex", 0) == 0; }),
              (23 + 4) * 2);

    // Without a tile length the default surface fits one file.
    result = RunCli({"terrain", "--layout=simulator"}, folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Domb.B3d fájl generálása kész\n");
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"domb.b3d"});
    const auto check = RunCli({"check", "domb.b3d"}, folder.path());
    EXPECT_EQ(check.exitCode, 0) << check.out;
    // A plane: every block of cells is one face of four corners.
    EXPECT_NE(check.out.find("domb.b3d: 4 sections, 62 vertices, 4 faces, no problems"), std::string::npos) << check.out;
}

TEST(TerrainLayoutCommandTest, AnOutputNameNamesTheTileSet)
{
    const TempFolder folder;
    test::WriteFile(folder / "domb.b3d", "kept");
    auto result = RunCli({"terrain", "--lang", "en", "--layout", "simulator", "--tile-length", "10", "-o", "hill.b3d"},
                         folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Domb tiles generated: 3 files and hill_tiles.txt\n");
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"domb.b3d", "hill_001.b3d", "hill_002.b3d", "hill_003.b3d",
                                                         "hill_tiles.txt"}));
    EXPECT_EQ(Lines(ReadFile(folder / "hill_tiles.txt")).at(4), "hill_002.b3d,0.000,0.000,10.000");
    EXPECT_EQ(ReadFile(folder / "domb.b3d"), "kept");

    // One tile is the object itself; the longer set's tiles and index go.
    result = RunCli({"terrain", "--layout", "simulator", "--output", "hill.b3d"}, folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"domb.b3d", "hill.b3d"}));
    const auto check = RunCli({"check", "hill.b3d"}, folder.path());
    EXPECT_EQ(check.exitCode, 0) << check.out;
}

TEST(TerrainLayoutCommandTest, CheckReadsATileSetThroughItsIndex)
{
    const TempFolder folder;
    ASSERT_EQ(RunCli({"terrain", "--layout", "simulator", "--tile-length", "10"}, folder.path()).exitCode, 0);
    auto check = RunCli({"check", "domb_tiles.txt"}, folder.path());
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_EQ(check.out.substr(0, check.out.find('\n') + 1),
              "domb_tiles.txt: 8 sections, 170 vertices, 8 faces, no problems\n");
    std::filesystem::remove(folder / "domb_002.b3d");
    check = RunCli({"check", "domb_tiles.txt"}, folder.path());
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_NE(check.out.find("  line 5: domb_002.b3d cannot be read"), std::string::npos) << check.out;
}

TEST(TerrainLayoutCommandTest, BadLayoutOptionsNameTheOption)
{
    const TempFolder folder;
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"terrain", "--lang", "en", "--layout", "tiles"}, "--layout must be cells or simulator, not \"tiles\""},
        {{"terrain", "--lang", "en", "--layout"}, "--layout needs a value"},
        {{"terrain", "--lang", "en", "--layout", "simulator", "--tile-length", "-25"}, "--tile-length must be 0 or more metres"},
        {{"terrain", "--lang", "en", "--layout", "simulator", "--tile-length", "25m"}, "--tile-length must be 0 or more metres"},
        {{"terrain", "--lang", "en", "--layout", "simulator", "--tile-length", ""}, "--tile-length must be 0 or more metres"},
        {{"terrain", "--lang", "en", "--tile-length", "25"}, "--tile-length needs --layout simulator"},
        {{"terrain", "--lang", "en", "--tile-length", "25", "--layout", "cells"}, "--tile-length needs --layout simulator"},
        {{"terrain", "--lang", "en", "--two-sided"}, "--two-sided needs --layout simulator"},
    };
    for (const auto& [args, message] : cases) {
        const auto result = RunCli(args, folder.path());
        EXPECT_EQ(result.exitCode, 2) << message;
        EXPECT_NE(result.err.find(std::string("kestrane terrain: ") + message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(Entries(folder).empty());
}

TEST(TerrainLayoutCommandTest, HelpNamesTheLayoutOptions)
{
    const TempFolder folder;
    const auto result = RunCli({"terrain", "--help"}, folder.path());
    for (const char* option : {"--layout cells|simulator", "--tile-length METRES", "domb_tiles.txt", "--two-sided"})
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
}

// One-sided ground by default, two-sided faces with --two-sided: the same
// surface either way (the default surface is a plane: a face a block, of
// 22 x 22 cells one-sided, 10 x 10 two-sided).
TEST(TerrainLayoutCommandTest, TwoSidedKeepsFace2)
{
    const TempFolder folder;
    const auto faces = [&](const std::vector<std::string>& args) {
        EXPECT_EQ(RunCli(args, folder.path()).exitCode, 0);
        std::vector<std::string> kinds;
        for (const std::string& line : Lines(ReadFile(folder / "domb.b3d")))
            if (line.rfind("Face", 0) == 0)
                kinds.push_back(line.substr(0, line.find(' ')));
        return kinds;
    };
    const auto oneSided = faces({"terrain", "--layout", "simulator"});
    const auto twoSided = faces({"terrain", "--layout", "simulator", "--two-sided"});
    EXPECT_EQ(oneSided, std::vector<std::string>(4, "Face"));
    EXPECT_EQ(twoSided, std::vector<std::string>(9, "Face2"));
}

}  // namespace
}  // namespace kestrane

// kestrane terrain: options, output file, status text and exit codes.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrane {
namespace {

using test::Lines;
using test::ReadFile;
using test::RunCli;
using test::TempFolder;

std::vector<std::string> FileLines(const TempFolder& folder) { return Lines(ReadFile(folder / "domb.b3d")); }

std::vector<std::string> Entries(const TempFolder& folder) { return test::EntryNames(folder.path()); }

TEST(TerrainCommandTest, DefaultsWriteTheWindowsDefaultFile)
{
    const TempFolder folder;
    const auto result = RunCli({"terrain"}, folder.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Domb.B3d fájl generálása kész\n");
    EXPECT_EQ(result.err, "");
    const auto lines = FileLines(folder);
    ASSERT_EQ(lines.size(), 8u + 625u * 15u);
    EXPECT_EQ(lines[0], ";Házgeneráló program, terepépítő modul.");
    EXPECT_EQ(lines[5], ";Alapterület:   25.000x  25.000m");
    EXPECT_EQ(lines[15], "Color 40,140,40");
    EXPECT_EQ(lines[17], "load a.bmp");
}

TEST(TerrainCommandTest, LanguageFromTheOptionOrLangCfg)
{
    const TempFolder folder;
    auto result = RunCli({"terrain", "--lang", "en"}, folder.path());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "Domb.B3d file generating successfull\n");
    EXPECT_EQ(FileLines(folder)[0], ";Buildig generating program, Area builder module.");

    test::WriteFile(folder / "lang.cfg", "en");
    result = RunCli({"terrain"}, folder.path());
    EXPECT_EQ(result.out, "Domb.B3d file generating successfull\n");
    result = RunCli({"terrain", "--lang=hu"}, folder.path());
    EXPECT_EQ(result.out, "Domb.B3d fájl generálása kész\n");
    EXPECT_EQ(FileLines(folder)[0], ";Házgeneráló program, terepépítő modul.");
}

TEST(TerrainCommandTest, WritesIntoTheFolderOfDashC)
{
    const TempFolder here, there;
    auto result = RunCli({"terrain", "-C", there.path().string()}, here.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(Entries(here).empty());
    EXPECT_EQ(Entries(there), std::vector<std::string>{"domb.b3d"});
    result = RunCli({"terrain", "--dir=" + there.path().string(), "--no-color"}, here.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(FileLines(there).size(), 8u + 625u * 14u);
}

TEST(TerrainCommandTest, GeometryOptions)
{
    const TempFolder folder;
    const auto result = RunCli({"terrain", "--area", "10,20", "--resolution", "2,4", "--offset", "1,2,3", "--slope",
                                "4,-8", "--texture", "", "--no-color"},
                               folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = FileLines(folder);
    ASSERT_EQ(lines.size(), 8u + 8u * 8u);
    EXPECT_EQ(lines[5], ";Alapterület:   10.000x  20.000m");
    EXPECT_EQ(lines[6], ";Felbontás:    2.000x   4.000");
    // Cell 1.1: nodes (1,1), (1,2), (2,2), (2,1) with 5 by 5 m cells.
    const std::vector<std::string> first(lines.begin() + 8, lines.begin() + 16);
    EXPECT_EQ(first, (std::vector<std::string>{"[Meshbuilder];1.1", "Vertex  1.000, 2.000, 3.000",
                                                "Vertex  1.000, 0.000, 8.000", "Vertex  6.000, 2.000, 8.000",
                                                "Vertex  6.000, 4.000, 3.000", "Face2 0,1,2", "Face2 3,0,2", ";"}));
}

TEST(TerrainCommandTest, ColorTextureAndPeaks)
{
    const TempFolder folder;
    const auto result = RunCli({"terrain", "--area=10,10", "--resolution=10,10", "--color", "1,2,3", "--texture",
                                "fű.bmp", "--peak", "3,3,2,2,200,100,0", "--peak", "8,8,-1,1"},
                               folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string bytes = ReadFile(folder / "domb.b3d");
    EXPECT_NE(bytes.find("load f\xFB.bmp\r\n"), std::string::npos);
    const auto lines = Lines(bytes);
    EXPECT_EQ(lines[8 + 7], "Color 1,2,3");
    const std::size_t cell33 = 8 + (2 * 10 + 2) * 15;
    EXPECT_EQ(lines[cell33], "[Meshbuilder];3.3");
    EXPECT_EQ(lines[cell33 + 1], "Vertex  2.000, 2.000, 2.000");
    EXPECT_EQ(lines[cell33 + 7], "Color 200,100,0");
    // The second peak takes the default colour 40,140,40 at its centre.
    const std::size_t cell88 = 8 + (7 * 10 + 7) * 15;
    EXPECT_EQ(lines[cell88 + 1], "Vertex  7.000,-1.000, 7.000");
    EXPECT_EQ(lines[cell88 + 7], "Color 40,140,40");
}

TEST(TerrainCommandTest, CurveOption)
{
    const TempFolder folder;
    const auto result =
        RunCli({"terrain", "--area", "20,20", "--resolution", "20,20", "--curve", "10,5,10", "--texture", ""},
               folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = FileLines(folder);
    // Cell 11.5: P0 = node (11, 5), P1 = node (11, 6).
    const std::size_t cell = 8 + (10 * 20 + 4) * 9;
    EXPECT_EQ(lines[cell], "[Meshbuilder];11.5");
    EXPECT_EQ(lines[cell + 1], "Vertex 10.000, 0.000, 4.000");
    EXPECT_EQ(lines[cell + 2], "Vertex 10.050, 0.000, 4.998");
}

TEST(TerrainCommandTest, EightPeaksAtMost)
{
    const TempFolder folder;
    std::vector<std::string> args = {"terrain", "--lang", "en"};
    for (int k = 1; k <= 8; ++k) {
        args.push_back("--peak");
        args.push_back(std::to_string(k) + ",1,1,1");
    }
    EXPECT_EQ(RunCli(args, folder.path()).exitCode, 0);
    args.push_back("--peak=9,1,1,1");
    std::filesystem::remove(folder / "domb.b3d");
    const auto result = RunCli(args, folder.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("at most 8"), std::string::npos) << result.err;
    EXPECT_TRUE(Entries(folder).empty());
}

TEST(TerrainCommandTest, MalformedCommandLines)
{
    const TempFolder folder;
    const std::vector<std::vector<std::string>> cases = {
        {"terrain", "--peak", "1,2,3"},          {"terrain", "--peak", "1,2,3,4,5"},
        {"terrain", "--peak", "1,2,3,4,5,6,7,8"}, {"terrain", "--peak", "1,2,3,4,5,6,256"},
        {"terrain", "--area", "1"},              {"terrain", "--offset", "1,2"},
        {"terrain", "--curve", "1,2"},           {"terrain", "--color", "300,0,0"},
        {"terrain", "--resolution"},             {"terrain", "--bogus"},
        {"terrain", "--lang", "de"},
    };
    for (const auto& args : cases) {
        const auto result = RunCli(args, folder.path());
        EXPECT_EQ(result.exitCode, 2) << args.back();
        EXPECT_EQ(result.err.rfind("kestrane terrain: ", 0), 0u) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(Entries(folder).empty());
}

TEST(TerrainCommandTest, RefusedInputLeavesThePreviousFile)
{
    const TempFolder folder;
    ASSERT_EQ(RunCli({"terrain"}, folder.path()).exitCode, 0);
    const std::string previous = ReadFile(folder / "domb.b3d");

    auto result = RunCli({"terrain", "--resolution", "0,5"}, folder.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("Felbontás X: nem lehet 0"), std::string::npos) << result.err;

    result = RunCli({"terrain", "--lang", "en", "--resolution", "25,1001"}, folder.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("Resolution Z: \"1001\""), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("at most 1000"), std::string::npos) << result.err;

    result = RunCli({"terrain", "--lang", "en", "--area", "25m,25"}, folder.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("Area X: \"25m\" is not a valid number."), std::string::npos) << result.err;

    result = RunCli({"terrain", "--peak", "1,1,1,1", "--peak", "2,2,x,1"}, folder.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("Csúcs 2, Y magasság"), std::string::npos) << result.err;

    result = RunCli({"terrain", "--lang", "en", "--texture", "a\nb.bmp"}, folder.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("Texture name:"), std::string::npos) << result.err;

    EXPECT_EQ(result.out, "");
    EXPECT_EQ(ReadFile(folder / "domb.b3d"), previous);
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"domb.b3d"});
}

TEST(TerrainCommandTest, TextureThatIsNotOneFileNameIsRefused)
{
    // Each of these wrote a file whose every cell's "load" line was wrong.
    const TempFolder folder;
    const std::pair<const char*, const char*> cases[] = {
        {",", "must not contain \",\""},
        {" ", "must not be blank"},
        {";x", "must not contain \";\""},
        {"a,b,c", "must not contain \",\""},
        {"day.bmp,night.bmp,", "must not contain \",\""},
        {"a.bmp ", "must not begin or end with a blank"},
    };
    for (const auto& [texture, reason] : cases) {
        const auto result = RunCli({"terrain", "--lang", "en", "--texture", texture}, folder.path());
        EXPECT_EQ(result.exitCode, 2) << texture;
        EXPECT_EQ(result.err.rfind("kestrane terrain: --texture: Texture name: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    const auto hungarian = RunCli({"terrain", "--lang", "hu", "--texture", "a;b"}, folder.path());
    EXPECT_EQ(hungarian.exitCode, 2);
    EXPECT_EQ(hungarian.err.rfind("kestrane terrain: --texture: Terep textúrája: nem tartalmazhat", 0), 0u)
        << hungarian.err;
    EXPECT_TRUE(Entries(folder).empty());
}

TEST(TerrainCommandTest, OutputFailureExitsWithOne)
{
    const TempFolder folder;
    const auto result = RunCli({"terrain", "-C", (folder / "missing").string()}, folder.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("File not found"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
}

TEST(TerrainCommandTest, Help)
{
    const TempFolder folder;
    const auto result = RunCli({"terrain", "--help"}, folder.path());
    EXPECT_EQ(result.exitCode, 0);
    for (const char* option : {"--area", "--resolution", "--offset", "--slope", "--curve", "--texture", "--color",
                               "--no-color", "--peak", "--lang", "-C"})
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
    EXPECT_TRUE(Entries(folder).empty());
}

}  // namespace
}  // namespace kestrane

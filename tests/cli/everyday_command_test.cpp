// Everyday use on the command line: inputs without effect and windows the
// stairs cover are warned about, a wide short mansard builds with its
// defaults, the peaks' units and the terrain preset example in --help.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TempFolder;

TEST(EverydayCommands, CornerWallsOnAPitchedRoofAreWarnedAboutAndChangeNothing)
{
    TempFolder folder;
    const auto plain = RunCli({"house", "--lang", "en", "--roof", "pitched", "-o", "plain.b3d"}, folder.path());
    const auto corner =
        RunCli({"house", "--lang", "en", "--roof", "pitched", "--corner-left", "-o", "corner.b3d"}, folder.path());
    ASSERT_EQ(corner.exitCode, 0) << corner.err;
    EXPECT_NE(corner.err.find("--corner-size: Cornel wall size: corner walls have no effect on a piched roof"),
              std::string::npos)
        << corner.err;
    EXPECT_EQ(plain.err, "");
    // The file names itself in its header; the rest is the same.
    std::string a = ReadFile(folder.path() / "plain.b3d"), b = ReadFile(folder.path() / "corner.b3d");
    EXPECT_EQ(a.substr(a.find("\r\n", a.find("plain.b3d"))), b.substr(b.find("\r\n", b.find("corner.b3d"))));
}

TEST(EverydayCommands, WindowsBehindTheStairsAreLeftOutWithANote)
{
    TempFolder folder;
    const auto run = RunCli({"house", "--lang", "en", "--stair-steps", "8", "--stair-front", "1", "--windows",
                             "front:3,1000,1400,500"},
                            folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("--windows: Front wall, window count: 2 windows of storey 1 left out: the stairs would "
                           "cover them."),
              std::string::npos)
        << run.err;
}

TEST(EverydayCommands, AWideShortMansardBuildsWithItsDefaults)
{
    TempFolder folder;
    const auto run = RunCli(
        {"house", "--lang", "en", "--roof", "mansard", "--width", "12000", "--length", "5000", "--roof-height", "8500"},
        folder.path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const auto refused = RunCli({"house", "--lang", "en", "--roof", "mansard", "--width", "12000", "--length", "5000",
                                 "--roof-height", "8500", "--knee-height", "4000"},
                                folder.path());
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("--knee-height: Knee height: the slope below the knee must be steeper than the one "
                               "above it: with this inset the knee must lie between "),
              std::string::npos)
        << refused.err;
}

TEST(EverydayCommands, TerrainHelpNamesCellsAndATerrainPreset)
{
    TempFolder folder;
    for (const char* language : {"en", "hu"}) {
        const auto help = RunCli({"terrain", "--lang", language, "--help"}, folder.path());
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.out.find("\"kind\": \"house\""), std::string::npos) << language;
        EXPECT_NE(help.out.find("{\"kind\": \"terrain\""), std::string::npos) << language;
        EXPECT_NE(help.out.find(std::string(language) == "en" ? "counted in grid cells" : "rácskockában számolva"),
                  std::string::npos)
            << language;
    }
    const auto house = RunCli({"house", "--lang", "en", "--help"}, folder.path());
    EXPECT_NE(house.out.find("{\"kind\": \"house\""), std::string::npos);
}

}  // namespace
}  // namespace kestrane

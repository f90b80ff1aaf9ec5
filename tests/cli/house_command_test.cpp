// kestrane house: options, the stored language, exit codes and messages.
#include "cli/cli.h"
#include "core/errors.h"
#include "house/house_generator.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace kestrane {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TempFolder;

std::size_t FileCount(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(HouseCommand, VersionAndHelp)
{
    TempFolder folder;
    const auto version = RunCli({"--version"}, folder.path());
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "kestrane 0.95\n");
    const auto help = RunCli({"house", "--help"}, folder.path());
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--roof", "--width", "--corner-left", "--stair-corner", "--wall-color", "-C", "--lang"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    EXPECT_EQ(RunCli({}, folder.path()).exitCode, 2);
    EXPECT_EQ(RunCli({"garden"}, folder.path()).exitCode, 2);
}

TEST(HouseCommand, WritesTheDefaultHouseInTheStoredLanguage)
{
    TempFolder folder;
    auto run = RunCli({"house"}, folder.path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "haz_satorteto.b3d fájl generálása kész\n");
    EXPECT_TRUE(std::filesystem::exists(folder / "haz_satorteto.b3d"));
    EXPECT_FALSE(std::filesystem::exists(folder / "lang.cfg")) << "the command line never writes lang.cfg";

    test::WriteFile(folder / "lang.cfg", "en");
    run = RunCli({"house", "--roof", "hip"}, folder.path());
    EXPECT_EQ(run.out, "House_hip.b3d file generating successfull\n");
    run = RunCli({"house", "--lang=hu", "--roof=lean"}, folder.path());
    EXPECT_EQ(run.out, "haz_felteto.b3d fájl generálása kész\n");
    test::WriteFile(folder / "lang.cfg", "HU");
    run = RunCli({"house", "--roof", "pitched"}, folder.path());
    EXPECT_EQ(run.out, "House_piched.b3d file generating successfull\n");
    EXPECT_EQ(ReadFile(folder / "lang.cfg"), "HU");
}

TEST(HouseCommand, MatchesTheGenerationOfTheWindowInputs)
{
    TempFolder folder;
    const auto sub = folder / "out";
    std::filesystem::create_directory(sub);
    const auto run = RunCli({"house", "-C", sub.string(), "--lang", "en", "--roof", "flat", "--roof-edge",
                             "--width", "7200", "--offset-x", "-1500", "--chimney-size", "3", "--stair-steps", "4",
                             "--stair-side", "1", "--straight-stairs", "--wall-color", "1,2,3", "--corner-left"},
                            folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;

    HouseInput input;
    input.ChooseRoof(RoofKind::Flat);
    input.flatRoofEdge = true;
    input.width = "7200";
    input.offsetX = "-1500";
    input.chimneySize = 3;
    input.stairSteps = 4;
    input.stairSide = 1;
    input.stairsStraight = true;
    input.wall = {{1, 2, 3}, true};
    input.cornerWallLeft = true;
    TempFolder expected;
    GenerateHouse(input, UiLanguage::English, expected.path());
    EXPECT_EQ(ReadFile(sub / "House_flat.b3d"), ReadFile(expected / "House_flat.b3d"));
    EXPECT_EQ(FileCount(folder.path()), 1u) << "only -C DIR is written";
}

TEST(HouseCommand, AHungarianLocaleDoesNotChangeTheNumbers)
{
    TempFolder plain;
    TempFolder hungarian;
    ASSERT_EQ(RunCli({"house", "--roof", "pitched", "--overhang", "333.3"}, plain.path()).exitCode, 0);
    ASSERT_EQ(RunCli({"house", "--roof", "pitched", "--overhang", "333.3"}, hungarian.path(),
                     {"LANG=hu_HU.UTF-8", "LC_ALL=hu_HU.UTF-8"})
                  .exitCode,
              0);
    EXPECT_EQ(ReadFile(plain / "haz_nyeregteto.b3d"), ReadFile(hungarian / "haz_nyeregteto.b3d"));
}

TEST(HouseCommand, BadInputExitsWithTwoAndTouchesNothing)
{
    TempFolder folder;
    test::WriteFile(folder / "haz_satorteto.b3d", "previous");
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"house", "--lang", "en", "--colour", "1,2,3"}, "unknown option \"--colour\""},
        {{"house", "--lang", "en", "--width"}, "--width needs a value"},
        {{"house", "--width", "3,5"}, "Szélesség: \"3,5\" nem érvényes szám."},
        {{"house", "--lang", "en", "--width", "3,5"}, "Width: \"3,5\" is not a valid number."},
        {{"house", "--lang", "en", "--chimney-size", "5"}, "--chimney-size must be a whole number from 0 to 4, not \"5\""},
        {{"house", "--lang", "en", "--stair-steps", "two"}, "--stair-steps must be a whole number from 0 to 16"},
        {{"house", "--lang", "en", "--roof", "dome"}, "--roof must be pitched, hip, pyramid, flat or lean"},
        {{"house", "--lang", "en", "--roof-color", "1,2"}, "--roof-color takes 3 comma-separated values"},
        {{"house", "--lang", "en", "--stair-color", "1,2,256"}, "--stair-color must be a whole number from 0 to 255"},
        {{"house", "--lang", "de"}, "--lang: hu vagy en lehet"},
        {{"house", "--lang", "en", "--roof", "pitched", "--roof-height", "0"}, "Roof heigh: must not be 0"},
    };
    for (const auto& [args, message] : cases) {
        const auto run = RunCli(args, folder.path());
        EXPECT_EQ(run.exitCode, 2) << message;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_EQ(ReadFile(folder / "haz_satorteto.b3d"), "previous");
    EXPECT_EQ(FileCount(folder.path()), 1u);
}

TEST(HouseCommand, OutputFailureExitsWithOne)
{
    TempFolder folder;
    test::WriteFile(folder / "plain", "");
    auto run = RunCli({"house", "-C", (folder / "plain").string()}, folder.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("File not found"), std::string::npos) << run.err;

    {
        const test::FileSizeLimit fullDisk(1024);
        run = RunCli({"house"}, folder.path());
    }
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Disk full"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << "no success status after a failure";
}

// The report that house and terrain share: each failure of a generation
// gets its exit code and a message naming the subcommand.
TEST(HouseCommand, ReportOfEveryOutcome)
{
    struct Case {
        std::function<std::string()> generate;
        int exitCode;
        std::string out, err;
    };
    const Case cases[] = {
        {[] { return std::string("done"); }, cli::kExitOk, "done\n", ""},
        {[]() -> std::string { throw InputError("Width", "Width: bad"); }, cli::kExitBadInput, "",
         "kestrane terrain: Width: bad\n"},
        {[]() -> std::string { throw std::invalid_argument("text that Windows-1250 cannot write"); },
         cli::kExitBadInput, "", "kestrane terrain: text that Windows-1250 cannot write\n"},
        {[]() -> std::string { throw OutputError("Disk full", "out/domb.b3d", 28); }, cli::kExitIoFailure, "",
         "kestrane terrain: out/domb.b3d: Disk full\n"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(cli::ReportGeneration("terrain", out, err, c.generate), c.exitCode) << c.err;
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), c.err);
    }
}

}  // namespace
}  // namespace kestrane

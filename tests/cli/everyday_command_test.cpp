// Everyday use on the command line: what has no effect or is left out is
// said, a wide short mansard builds with its defaults, --help names cells
// and a preset of the command's kind.
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using test::RunCli;

// The standard error of `kestrane house --lang en ARGS`, expecting `exit`.
std::string HouseErr(std::vector<std::string> args, int exit = 0)
{
    test::TempFolder folder;
    args.insert(args.begin(), {"house", "--lang", "en"});
    const auto run = RunCli(args, folder.path());
    EXPECT_EQ(run.exitCode, exit) << run.err;
    return run.err;
}

TEST(EverydayCommands, WarningsAndRefusals)
{
    EXPECT_NE(HouseErr({"--roof", "pitched", "--corner-left"})
                  .find("--corner-size: Cornel wall size: corner walls have no effect on a piched roof"),
              std::string::npos);
    EXPECT_NE(HouseErr({"--stair-steps", "8", "--stair-front", "1", "--windows", "front:3,1000,1400,500"})
                  .find("--windows: Front wall, window count: 2 windows of storey 1 left out: the stairs would cover "
                        "them."),
              std::string::npos);
    EXPECT_NE(HouseErr({"--stair-steps", "16", "--stair-side", "2", "--straight-stairs", "--side-door", "right:900,2000"},
                       2)
                  .find("--side-door: Right wall, door height: the door on top of the 3200 mm stairs is higher than "
                        "the room left of the ground floor (300 mm)."),
              std::string::npos);
    const std::vector<std::string> mansard = {"--roof", "mansard", "--width", "12000", "--length", "5000",
                                              "--roof-height", "8500"};
    EXPECT_EQ(HouseErr(mansard), "");
    std::vector<std::string> low = mansard;
    low.insert(low.end(), {"--knee-height", "4000"});
    EXPECT_NE(HouseErr(low, 2).find("Knee height: the slope below the knee must be steeper than the one above it: "
                                    "with this inset the knee must lie between 5628 mm and 8490 mm"),
              std::string::npos);
}

TEST(EverydayCommands, TerrainHelpNamesCellsAndATerrainPreset)
{
    test::TempFolder folder;
    for (const char* language : {"en", "hu"}) {
        const std::string help = RunCli({"terrain", "--lang", language, "--help"}, folder.path()).out;
        EXPECT_EQ(help.find("\"kind\": \"house\""), std::string::npos) << language;
        EXPECT_NE(help.find("{\"kind\": \"terrain\""), std::string::npos) << language;
        EXPECT_NE(help.find(std::string(language) == "en" ? "counted in grid cells" : "rácskockában számolva"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace kestrane

// Presets, batch runs, -o and the messages and warnings of house and
// terrain runs.
#include "cli/cli.h"
#include "b3d/simulator_limits.h"
#include "options/preset.h"
#include "support/input_builders.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>

namespace kestrane {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TempFolder;
using test::WriteFile;

std::vector<std::string> Entries(const std::filesystem::path& folder) { return test::EntryNames(folder); }

HouseInput UnusualHouse()
{
    HouseInput input;
    input.ChooseRoof(RoofKind::Lean);
    input.width = "7200";
    input.roofOverhang = "0";
    input.offsetY = "-250.5";
    input.gutters = false;
    input.roofLevelTextureChecked = true;
    input.cornerWallRight = true;
    input.chimneySize = 0;
    input.stairSteps = 5;
    input.stairCorner = 2;
    input.stairsStraight = true;
    input.roof = {{1, 2, 3}, true};
    input.stair = {{0, 0, 255}, true};
    return input;
}

TEST(Preset, WritesTheChangedInputsAndReadsThemBack)
{
    const std::string house = HousePresetJson(UnusualHouse());
    EXPECT_EQ(house,
              "{\n"
              "  \"kind\": \"house\",\n"
              "  \"roof\": \"lean\",\n"
              "  \"width\": \"7200\",\n"
              "  \"overhang\": \"0\",\n"
              "  \"offset-y\": \"-250.5\",\n"
              "  \"corner-right\": true,\n"
              "  \"roof-level-texture\": true,\n"
              "  \"no-gutters\": true,\n"
              "  \"chimney-size\": \"0\",\n"
              "  \"stair-steps\": \"5\",\n"
              "  \"stair-corner\": \"2\",\n"
              "  \"straight-stairs\": true,\n"
              "  \"roof-color\": \"1,2,3\",\n"
              "  \"stair-color\": \"0,0,255\"\n"
              "}\n");
    EXPECT_EQ(HousePresetJson(HouseFromPreset(house)), house);
    EXPECT_EQ(HousePresetJson(HouseInput{}), "{\n  \"kind\": \"house\"\n}\n");

    const std::string terrain = TerrainPresetJson(test::UnusualTerrain());
    EXPECT_EQ(terrain,
              "{\n"
              "  \"kind\": \"terrain\",\n"
              "  \"area\": \"100,25\",\n"
              "  \"resolution\": \"25,40\",\n"
              "  \"offset\": \"0,-2,0\",\n"
              "  \"curve\": \"10,5,30\",\n"
              "  \"texture\": \"\",\n"
              "  \"color\": \"10,20,30\",\n"
              "  \"no-color\": true,\n"
              "  \"peak\": [\n"
              "    \"3,4,5,6,200,100,50\",\n"
              "    \"0,0,0,0\",\n"
              "    \"7,8,-9,2\"\n"
              "  ]\n"
              "}\n");
    EXPECT_EQ(TerrainPresetJson(TerrainFromPreset(terrain)), terrain);
}

TEST(Preset, EveryOptionIsAMemberAndInTheHelp)
{
    TempFolder folder;
    for (const char* lang : {"hu", "en"}) {
        const auto house = RunCli({"house", "--help", "--lang", lang}, folder.path());
        for (const HouseOption& option : HouseOptions())
            EXPECT_NE(house.out.find(std::string("  --") + option.name), std::string::npos) << option.name;
        const auto terrain = RunCli({"terrain", "--help", "--lang", lang}, folder.path());
        for (const TerrainOption& option : TerrainOptions())
            EXPECT_NE(terrain.out.find(std::string("  --") + option.name), std::string::npos) << option.name;
    }
    // Every option's value read back sets the same state: the table's
    // readers and setters agree.
    HouseInput house = UnusualHouse();
    for (const HouseOption& option : HouseOptions()) {
        HouseInput copy;
        const auto values = option.get(house);
        if (!values.empty())
            option.set(copy, values);
        EXPECT_EQ(option.get(copy), values) << option.name;
    }
}

TEST(Preset, RefusesMalformedPresetsNamingTheMember)
{
    const std::pair<const char*, const char*> cases[] = {
        {"[1, 2]", "a preset must be a JSON object"},
        {"{\"kind\": \"house\",", "not valid JSON"},
        {"{\"width\": \"1\"}", "\"kind\": must be \"house\", \"terrain\" or \"track\""},
        {"{\"kind\": \"house\", \"widht\": \"1\"}", "\"widht\": unknown member (house)"},
        {"{\"kind\": \"house\", \"peak\": [\"1,1,1,1\"]}", "\"peak\": unknown member (house)"},
        {"{\"kind\": \"house\", \"width\": 7200}", "\"width\": must be a string"},
        {"{\"kind\": \"house\", \"no-gutters\": \"yes\"}", "\"no-gutters\": must be true or false"},
        {"{\"kind\": \"house\", \"output\": \"a.b3d\"}", "\"output\": unknown member (house)"},
        {"{\"kind\": \"terrain\", \"peak\": \"1,1,1,1\"}", "\"peak\": must be an array of strings"},
    };
    for (const auto& [json, message] : cases) {
        try {
            ParsePreset(json);
            ADD_FAILURE() << json;
        } catch (const PresetError& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
    }
    try {
        HouseFromPreset("{\"kind\": \"house\", \"chimney-size\": \"9\"}");
        ADD_FAILURE();
    } catch (const PresetError& e) {
        EXPECT_EQ(e.member(), "chimney-size");
        EXPECT_STREQ(e.what(), "\"chimney-size\": must be a whole number from 0 to 4, not \"9\" (Chimney size)");
        EXPECT_EQ(e.Text(UiLanguage::Hungarian), "\"chimney-size\": 0-4 közötti egész szám kell, nem \"9\" (Kémény méret)");
    }
    EXPECT_THROW(TerrainFromPreset("{\"kind\": \"house\"}"), PresetError);
}

TEST(PresetCommand, StartsFromThePresetAndLetsLaterOptionsOverride)
{
    TempFolder folder;
    WriteFile(folder / "lean.json", HousePresetJson(UnusualHouse()));
    auto run = RunCli({"house", "--lang", "en", "--preset", "lean.json"}, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "haz_lean.b3d file generating successfull\n");

    TempFolder expected;
    run = RunCli({"house", "--lang", "en", "--roof", "lean", "--width", "7200", "--overhang", "0", "--offset-y",
                  "-250.5", "--corner-right", "--roof-level-texture", "--no-gutters", "--chimney-size", "0",
                  "--stair-steps", "5", "--stair-corner", "2", "--straight-stairs", "--roof-color", "1,2,3",
                  "--stair-color", "0,0,255"},
                 expected.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(folder / "haz_lean.b3d"), ReadFile(expected / "haz_lean.b3d"));

    // Options after the preset override it; options before it are replaced.
    run = RunCli({"house", "--width", "1000", "--preset", "lean.json", "--roof", "hip", "--corner-right=false"},
                 folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    run = RunCli({"house", "--roof", "hip", "--width", "7200", "--overhang", "0", "--offset-y", "-250.5",
                  "--roof-level-texture", "--no-gutters", "--chimney-size", "0", "--stair-steps", "5",
                  "--stair-corner", "2", "--straight-stairs", "--roof-color", "1,2,3", "--stair-color", "0,0,255"},
                 expected.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(folder / "haz_kontyoltteto.b3d"), ReadFile(expected / "haz_kontyoltteto.b3d"));

    WriteFile(folder / "hills.json", TerrainPresetJson(test::UnusualTerrain()));
    run = RunCli({"terrain", "--preset", "hills.json", "--peak", "1,1,1,1"}, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    run = RunCli({"terrain", "--area", "100,25", "--resolution", "25,40", "--offset", "0,-2,0", "--curve", "10,5,30",
                  "--texture", "", "--color", "10,20,30", "--no-color", "--peak", "1,1,1,1"},
                 expected.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(folder / "domb.b3d"), ReadFile(expected / "domb.b3d"));
}

TEST(PresetCommand, ARefusedPresetWritesNothing)
{
    TempFolder folder;
    WriteFile(folder / "bad.json", "{\"kind\": \"house\", \"roof\": \"hip\", \"widht\": \"7200\"}");
    WriteFile(folder / "terrain.json", "{\"kind\": \"terrain\"}");
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"house", "--lang", "en", "--preset", "bad.json"},
         "kestrane house: --preset bad.json: \"widht\": unknown member (house)\n"},
        {{"house", "--lang", "en", "--preset", "terrain.json"},
         "kestrane house: --preset terrain.json: \"kind\": must be \"house\", not \"terrain\"\n"},
        {{"terrain", "--lang", "en", "--preset", "missing.json"},
         "kestrane terrain: --preset missing.json: missing.json: cannot be read\n"},
    };
    for (const auto& [args, message] : cases) {
        const auto run = RunCli(args, folder.path());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, message);
    }
    EXPECT_EQ(Entries(folder.path()), (std::vector<std::string>{"bad.json", "terrain.json"}));

    // A pipe or a device under the name is refused at once, never read.
    ASSERT_EQ(::mkfifo((folder / "fifo.json").c_str(), 0600), 0);
    auto run = RunCli({"house", "--lang", "en", "--preset", "fifo.json"}, folder.path());
    EXPECT_EQ(run.err, "kestrane house: --preset fifo.json: fifo.json: is not a regular file\n");
    run = RunCli({"batch", "--lang", "en", "/dev/zero"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("/dev/zero: is not a regular file"), std::string::npos) << run.err;
    std::filesystem::resize_file(folder / "bad.json", 17u << 20);  // sparse
    run = RunCli({"house", "--lang", "en", "--preset", "bad.json"}, folder.path());
    EXPECT_EQ(run.err, "kestrane house: --preset bad.json: bad.json: is too large (at most 16 MiB)\n");
}

TEST(BatchCommand, WritesTheGoodObjectsAndReportsTheBadOnes)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "out");
    WriteFile(folder / "town.json",
              "{\"objects\": [\n"
              "  {\"kind\": \"house\", \"output\": \"station.b3d\", \"roof\": \"pitched\", \"width\": \"7200\"},\n"
              "  {\"kind\": \"house\", \"output\": \"shed.b3d\", \"width\": \"3,5\"},\n"
              "  {\"kind\": \"terrain\", \"output\": \"hill.b3d\", \"peak\": [\"10,10,3,5\"]},\n"
              "  {\"kind\": \"terrain\", \"output\": \"station.b3d\"},\n"
              "  {\"kind\": \"house\", \"roof\": \"flat\"},\n"
              "  {\"kind\": \"house\", \"output\": \"../up.b3d\"},\n"
              "  {\"kind\": \"house\", \"output\": \"flat.b3d\", \"roof\": \"flat\", \"hip-depth\": \"100\"}\n"
              "]}\n");
    const auto run = RunCli({"batch", "--lang", "en", "-C", "out", "town.json"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out,
              "[1/7] station.b3d: station.b3d file generating successfull\n"
              "[3/7] hill.b3d: Domb.B3d file generating successfull\n"
              "[7/7] flat.b3d: flat.b3d file generating successfull\n");
    EXPECT_EQ(run.err,
              "kestrane batch: object 2: Width: \"3,5\" is not a valid number. (\"width\")\n"
              "kestrane batch: object 4: \"output\": \"station.b3d\" is object 1's already\n"
              "kestrane batch: object 5: \"output\": missing (a .b3d file name)\n"
              "kestrane batch: object 6: \"output\": \"../up.b3d\" is not a file name in the output folder (no path "
              "allowed)\n"
              "kestrane batch: warning: object 7: \"hip-depth\" (Roof depth) has no effect with \"roof\": \"flat\"; it "
              "is ignored.\n");
    EXPECT_EQ(Entries(folder / "out"), (std::vector<std::string>{"flat.b3d", "hill.b3d", "station.b3d"}));

    // The pitched house is the one the command line writes.
    TempFolder expected;
    ASSERT_EQ(RunCli({"house", "--lang", "en", "--roof", "pitched", "--width", "7200", "-o", "station.b3d"},
                     expected.path())
                  .exitCode,
              0);
    EXPECT_EQ(ReadFile(folder / "out" / "station.b3d"), ReadFile(expected / "station.b3d"));

    WriteFile(folder / "good.json", "{\"objects\": [{\"kind\": \"terrain\", \"output\": \"a.b3d\"}]}");
    const auto good = RunCli({"batch", "good.json"}, folder.path());
    EXPECT_EQ(good.exitCode, 0) << good.err;
    EXPECT_EQ(good.out, "[1/1] a.b3d: Domb.B3d fájl generálása kész\n");
}

TEST(BatchCommand, ATileSetsFilesAreItsOwn)
{
    TempFolder folder;
    WriteFile(folder / "route.json",
              "{\"objects\": [\n"
              "  {\"kind\": \"terrain\", \"output\": \"hill.b3d\", \"layout\": \"simulator\", \"tile-length\": \"10\"},\n"
              "  {\"kind\": \"house\", \"output\": \"hill_002.b3d\"},\n"
              "  {\"kind\": \"house\", \"output\": \"hill_004.b3d\"}\n"
              "]}");
    const auto run = RunCli({"batch", "--lang", "en", "route.json"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kestrane batch: object 2: \"output\": \"hill_002.b3d\" is object 1's already\n");
    EXPECT_EQ(Entries(folder.path()), (std::vector<std::string>{"hill_001.b3d", "hill_002.b3d", "hill_003.b3d",
                                                                "hill_004.b3d", "hill_tiles.txt", "route.json"}));
    const auto check = RunCli({"check", "hill_tiles.txt"}, folder.path());  // the tiles as written
    EXPECT_EQ(check.out.substr(0, check.out.find('\n') + 1),
              "hill_tiles.txt: 8 sections, 170 vertices, 8 faces, no problems\n");  // a face a block of the plane
}

TEST(BatchCommand, MalformedFilesAndFailedWrites)
{
    TempFolder folder;
    WriteFile(folder / "list.json", "[{\"kind\": \"house\"}]");
    auto run = RunCli({"batch", "--lang", "en", "list.json"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kestrane batch: list.json: a batch file must be {\"objects\": [...]}\n");
    // Nesting deep enough to exhaust the stack of a recursive reader.
    WriteFile(folder / "deep.json", "{\"objects\": " + std::string(100000, '[') + std::string(100000, ']') + "}");
    run = RunCli({"batch", "--lang", "en", "deep.json"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kestrane batch: deep.json: JSON nested too deeply (at byte 44)\n");
    run = RunCli({"batch"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kestrane batch: nincs megadva kötegfájl (lásd: kestrane batch --help)\n");

    WriteFile(folder / "two.json", "{\"objects\": [{\"kind\": \"house\", \"output\": \"full.b3d\"},"
                                   " {\"kind\": \"house\", \"output\": \"fine.b3d\"}]}");
    std::filesystem::create_directory(folder / "full.b3d");  // a folder cannot be replaced by the object
    run = RunCli({"batch", "--lang", "en", "two.json"}, folder.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("kestrane batch: object 1: full.b3d: "), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "[2/2] fine.b3d: fine.b3d file generating successfull\n");
}

TEST(OutputName, WritesUnderTheGivenNameInTheOutputFolder)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "out");
    auto run = RunCli({"house", "-C", "out", "-o", "Villa.B3D", "--lang", "en"}, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Villa.B3D file generating successfull\n");
    EXPECT_EQ(test::Lines(ReadFile(folder / "out" / "Villa.B3D")).at(5), ";Origin filename: Villa.B3D");
    run = RunCli({"terrain", "--output=hill.b3d"}, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(folder / "hill.b3d"));
    EXPECT_FALSE(std::filesystem::exists(folder / "domb.b3d"));

    for (const std::string name : {"../up.b3d", "out/x.b3d", "/tmp/x.b3d", "house.txt", "b3d", ""}) {
        run = RunCli({"house", "--lang", "en", "-o", name}, folder.path());
        EXPECT_EQ(run.exitCode, 2) << name;
        EXPECT_EQ(run.err.rfind("kestrane house: -o: \"" + name + "\" ", 0), 0u) << run.err;
    }
    EXPECT_EQ(Entries(folder.path()), (std::vector<std::string>{"hill.b3d", "out"}));
}

TEST(Messages, FollowTheLanguageOfTheRun)
{
    TempFolder folder;
    auto run = RunCli({"house", "--width", "6000mm"}, folder.path());
    EXPECT_EQ(run.err, "kestrane house: --width: Szélesség: \"6000mm\" nem érvényes szám.\n");
    run = RunCli({"terrain", "--lang", "en", "--peak", "1,1,1,1", "--peak", "1,x,1,1"}, folder.path());
    EXPECT_EQ(run.err, "kestrane terrain: --peak: Peak 2, Z pos.: \"x\" is not a valid number.\n");
    run = RunCli({"house", "--lang", "en", "--stair-front", "4"}, folder.path());
    EXPECT_EQ(run.err,
              "kestrane house: --stair-front must be a whole number from 0 to 3, not \"4\" (Stairs position in front)\n");
    // A mistake in an option itself: one line, in the run's language only.
    run = RunCli({"house", "--stair-front", "4"}, folder.path());
    EXPECT_EQ(run.err, "kestrane house: --stair-front: 0-3 közötti egész szám kell, nem \"4\" (Lépcső helyzete elöl)\n");
    run = RunCli({"house", "--lang=en", "-C", "nowhere"}, folder.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kestrane house: nowhere: no such folder (File not found)\n");
    run = RunCli({"terrain", "-C", "nowhere"}, folder.path());
    EXPECT_EQ(run.err, "kestrane terrain: nowhere: nincs ilyen mappa (File not found)\n");

    const auto help = RunCli({"terrain", "--help"}, folder.path());
    EXPECT_NE(help.out.find("Használat: kestrane terrain"), std::string::npos);
    EXPECT_NE(help.out.find("Előbeállítás (--preset, kestrane batch)"), std::string::npos);
    WriteFile(folder / "lang.cfg", "en");
    EXPECT_NE(RunCli({"house", "--help"}, folder.path()).out.find("Usage: kestrane house"), std::string::npos);
    EXPECT_EQ(RunCli({"house", "--bogus"}, folder.path()).err,
              "kestrane house: unknown option \"--bogus\" (see kestrane house --help)\n");
    EXPECT_EQ(Entries(folder.path()), std::vector<std::string>{"lang.cfg"});
}

TEST(Warnings, ImplausibleHousesAreWrittenWithAWarning)
{
    TempFolder folder;
    auto run = RunCli({"house", "--lang", "en", "--width", "0", "--wall-height", "-500"}, folder.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err,
              "kestrane house: warning: --width: Width: is 0: the house will be flat as a sheet, its side walls "
              "in one plane.\n"
              "kestrane house: warning: --wall-height: Height: is negative: the walls grow downwards into the "
              "ground, the roof below it.\n");
    EXPECT_TRUE(std::filesystem::exists(folder / "House_pyramid.b3d"));

    run = RunCli({"house", "--roof", "hip", "--roof-height", "3500"}, folder.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err,
              "kestrane house: figyelmeztetés: --roof-height: Tetőmagasság: nem nagyobb a falmagasságnál: a tető "
              "lapos lesz, vagy a gerince a falak közé fordul.\n");
    // A flat roof has no roof height to compare.
    EXPECT_EQ(RunCli({"house", "--roof", "flat", "--roof-height", "0"}, folder.path()).err, "");

    run = RunCli({"house", "--lang", "en", "--roof", "flat", "--hip-depth", "100", "--corner-left", "--roof-edge"},
                 folder.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err,
              "kestrane house: warning: --hip-depth (Roof depth) has no effect with --roof flat; it is ignored.\n"
              "kestrane house: warning: --corner-left has no effect with --roof flat; it is ignored.\n");
}

TEST(Warnings, ObjectsAboveTheSimulatorsLimits)
{
    TempFolder folder;
    // 20 x 500 cells: 10,000 sections and 40,000 vertices, just within.
    auto run = RunCli({"terrain", "--lang", "en", "--resolution", "20,500"}, folder.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(CountObjectSize(folder / "domb.b3d").sections, 10000u);

    run = RunCli({"terrain", "--lang", "en", "--resolution", "20,501"}, folder.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err,
              "kestrane terrain: warning: The object has 40,080 vertices and 10,020 mesh sections; the simulator "
              "loads more than 10,000 sections very slowly (above 32,768 coloured sections colours are lost). "
              "Choose a smaller resolution, or the simulator-ready layout.\n");
    run = RunCli({"terrain", "--resolution", "100,200"}, folder.path());
    EXPECT_NE(run.err.find("80 000 csúcspontja és 20 000 szakasza van; a szimulátor legfeljebb 65 534 csúcspontot"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(CountObjectSize(folder / "missing.b3d").vertices, 0u);
}

}  // namespace
}  // namespace kestrane

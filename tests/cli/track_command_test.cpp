// kestrane track: the kit's files, structure list, messages, presets and
// batch objects.
#include "b3d/b3d_reader.h"
#include "options/preset.h"
#include "support/test_support.h"
#include "track/track_generator.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

namespace kestrane {
namespace {

using test::Lines;
using test::ReadFile;
using test::RunCli;
using test::TempFolder;
using test::WriteFile;

std::vector<std::string> Entries(const TempFolder& folder) { return test::EntryNames(folder.path()); }

TEST(TrackCommand, DefaultKitWritesThreePiecesTheListAndNamesTheBitmaps)
{
    const TempFolder folder;
    const auto result = RunCli({"track", "--lang", "en"}, folder.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "Track kit written: 3 files (1 radius, 3 pieces)\n"
              "Bitmaps needed:\n  ballast.bmp\n  rail.bmp\n  sleeper.bmp\n  grass.bmp\n"
              "Structure list: track_structures.txt\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"bed_0.b3d", "dike-left_0.b3d", "dike-right_0.b3d",
                                                         "track_structures.txt"}));
    for (const char* name : {"bed_0.b3d", "dike-left_0.b3d", "dike-right_0.b3d"}) {
        const b3d::Model model = b3d::ReadB3dFile(folder / name);
        EXPECT_EQ(model.problemCount, 0u) << name;
        EXPECT_GT(model.faceCount, 0u) << name;
        for (const b3d::Section& section : model.sections)
            EXPECT_EQ(section.texCoords.size(), section.vertices.size()) << name;
    }
}

TEST(TrackCommand, HungarianNamesAndNumbersUnderAHungarianLocale)
{
    const TempFolder folder;
    const auto result = RunCli({"track", "--lang", "hu", "--radius", "300.5,-1250", "--pieces", "bed,ground"},
                               folder.path(), {"LANG=hu_HU.UTF-8", "LC_ALL=hu_HU.UTF-8"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"agyazat_-1250.b3d", "agyazat_300.5.b3d", "palya_elemek.txt",
                                                         "terep_-1250.b3d", "terep_300.5.b3d"}));
    EXPECT_NE(result.out.find("Pályakészlet kész: 4 fájl (2 sugár, 2 elem)\nSzükséges textúrák:\n  zuzottko.bmp"),
              std::string::npos);
    const auto lines = Lines(ReadFile(folder / "agyazat_300.5.b3d"));
    EXPECT_EQ(lines[0], ";Házgeneráló program, pályaépítő modul.");
    EXPECT_EQ(lines[6], ";Sugár:300.500");
    for (const std::string& line : lines) {
        if (line.rfind("vertex ", 0) == 0) {
            EXPECT_EQ(line.find_first_of("e,"), 1u) << line;  // no exponent
            EXPECT_EQ(std::count(line.begin(), line.end(), '.'), 3) << line;  // "." decimals
        }
    }
}

TEST(TrackCommand, RefusesBadInputNamingTheOptionAndWritesNothing)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--radius", "8"}, "--radius: Radii: \"8\": must be 0 (straight) or at least 20 m."},
        {{"--radius", "300,300"}, "--radius: Radii: \"300\" is given twice."},
        {{"--radius", "nan"}, "--radius: Radii: \"nan\" is not a number."},
        {{"--radius", "300.1234"}, "--radius: Radii: \"300.1234\": at most three decimals"},
        {{"--radius", "30", "--pieces", "cutting-right", "--apron", "20"},
         "--radius: Radii: 30 m: the bend's centre falls inside cutting-right; |R| must be larger than 30.6 m."},
        {{"--pieces", "bed,platform"}, "--pieces: Pieces: unknown piece \"platform\""},
        {{"--block-length", "0"}, "--block-length: Block length: must be 1 to 1000 m, not \"0\"."},
        {{"--formation", "1e400"}, "--formation: Formation half-width: \"1e400\" is not a number."},
        {{"--gauge", "3"}, "--gauge: Gauge: must be 0.38 to 2.5 m"},
        {{"--slope", "0"}, "--slope: Slope: must be 0.2 to 10"},
        {{"--dike-height", "0.5"}, "--dike-height: Dike height: must be larger than the formation depth"},
        {{"--sleepers", "0.1"}, "--sleepers: Sleeper spacing: must be 0.3 to 5 m (or 0)"},
        {{"--cant", "1500"}, "--cant: Cant: must not be larger than the gauge (1435 mm)."},
        {{"--tolerance", "0.5"}, "--tolerance: Tolerance: must be 1 to 100 mm"},
        {{"--tolerance", "101"}, "--tolerance: Tolerance: must be 1 to 100 mm"},
        {{"--ballast-width", "6"}, "--ballast-width: Ballast width: the ballast's foot"},
        {{"--ditch", "0.5,0.4"}, "--ditch: Ditch width: must be at least twice the depth"},
        {{"--texture", "grass=a,b.bmp"}, "--texture: Texture grass: must not contain \",\" or \";\""},
        {{"--texture", "rock=k\xC5\x91.bmp"}, "--texture: Texture rock: may hold only ASCII"},
        {{"--texture", "gravel=a.bmp"}, "--texture takes ELEMENT=NAME"},
        {{"-o", "one.b3d"}, "an output name (-o, \"output\") names one file, but the kit has 3 files"},
    };
    for (const auto& [options, message] : cases) {
        const TempFolder folder;
        std::vector<std::string> args = {"track", "--lang", "en"};
        args.insert(args.end(), options.begin(), options.end());
        const auto result = RunCli(args, folder.path());
        EXPECT_EQ(result.exitCode, 2) << options.front();
        EXPECT_NE(result.err.find("kestrane track: " + message), std::string::npos) << result.err;
        EXPECT_TRUE(Entries(folder).empty()) << options.front();
    }
}

TEST(TrackCommand, WarnsAboutAPieceOverTheVertexLimit)
{
    const TempFolder folder;
    const auto result = RunCli({"track", "--lang", "en", "--pieces", "bed", "--radius", "20", "--block-length", "1000",
                                "--sleepers", "0.3", "--tolerance", "1"},
                               folder.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("kestrane track: warning: bed_20.b3d: "), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("more than the simulator handles (65534)"), std::string::npos) << result.err;
}

TEST(TrackCommand, StructureListNamesEveryFileOnceWithIndicesInTheOrderOfTheRadii)
{
    const TempFolder folder;
    const auto result = RunCli({"track", "--lang", "en", "--radius", "0,300,-300", "--pieces", "all"}, folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = Lines(ReadFile(folder / "track_structures.txt"));
    std::set<std::string> used;  // "WallL(3)"
    std::set<std::string> files;
    bool section = false;
    std::map<std::string, int> radiusOfFile;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == ';')
            continue;
        if (line == "With Structure") {
            section = true;
            continue;
        }
        ASSERT_TRUE(section) << line;
        ASSERT_EQ(line[0], '.') << line;
        const auto space = line.find(' ');
        const std::string command = line.substr(1, space - 1), file = line.substr(space + 1);
        EXPECT_TRUE(used.insert(command).second) << "twice: " << command;
        EXPECT_TRUE(files.insert(file).second) << "twice: " << file;
        EXPECT_TRUE(std::filesystem::exists(folder / file)) << file;
        // The index tells the radius: 0, 1, 2, walls 3, 4, 5.
        const int index = std::stoi(command.substr(command.find('(') + 1));
        const char* radii[] = {"_0.b3d", "_300.b3d", "_-300.b3d"};
        EXPECT_NE(file.find(radii[index % 3]), std::string::npos) << line;
        EXPECT_EQ(index >= 3, file.rfind("wall-", 0) == 0) << line;
    }
    EXPECT_EQ(files.size(), 24u);
    EXPECT_NE(std::find(lines.begin(), lines.end(), ";  2: radius -300 m"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), ";WallL/WallR: cuttings 0-2, retaining walls 3-5"), lines.end());
    // The list's own words for the structure commands.
    EXPECT_NE(std::find(lines.begin(), lines.end(), ".DikeR(1) dike-right_300.b3d"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), ".Ground(2) ground_-300.b3d"), lines.end());
}

TrackInput UnusualKit()
{
    TrackInput input;
    input.radii = "0,450,-600.25";
    input.pieces = "all";
    input.cant = "90";
    input.ditchWidth = "2";
    input.ditchDepth = "0.5";
    input.rails = false;
    input.textures[static_cast<std::size_t>(TrackElement::Rock)] = "stone.bmp";
    input.textures[static_cast<std::size_t>(TrackElement::Grass)] = "meadow.bmp";
    return input;
}

TEST(TrackCommand, PresetRoundTripAndThePresetWritesTheSameKitAsTheOptions)
{
    const TrackInput input = UnusualKit();
    const std::string json = TrackPresetJson(input);
    EXPECT_EQ(TrackFromPreset(json), input);

    const TempFolder byOptions, byPreset;
    const auto first = RunCli({"track", "--lang", "en", "--radius", "0,450,-600.25", "--pieces", "all", "--cant", "90",
                               "--ditch", "2,0.5", "--no-rails", "--texture", "rock=stone.bmp", "--texture",
                               "grass=meadow.bmp"},
                              byOptions.path());
    ASSERT_EQ(first.exitCode, 0) << first.err;
    WriteFile(byPreset / "kit.json", json);
    const auto second = RunCli({"track", "--lang", "en", "--preset", "kit.json"}, byPreset.path());
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(first.out, second.out);
    std::filesystem::remove(byPreset / "kit.json");
    ASSERT_EQ(Entries(byOptions), Entries(byPreset));
    for (const std::string& name : Entries(byOptions))
        EXPECT_EQ(ReadFile(byOptions / name), ReadFile(byPreset / name)) << name;
    EXPECT_NE(first.out.find("  stone.bmp\n"), std::string::npos);
}

TEST(TrackCommand, BatchObjectWritesItsKitAndOneFileUnderItsOutputName)
{
    const TempFolder folder;
    WriteFile(folder / "batch.json",
              "{\"objects\": [{\"kind\": \"track\", \"radius\": \"300,-300\"},"
              " {\"kind\": \"track\", \"pieces\": \"ground\", \"radius\": \"500\", \"output\": \"meadow.b3d\"},"
              " {\"kind\": \"track\", \"radius\": \"5\"}]}");
    const auto result = RunCli({"batch", "--lang", "en", "batch.json"}, folder.path());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.out.find("[1/3] track_structures.txt: Track kit written: 6 files"), std::string::npos) << result.out;
    // A second kit would replace the first one's structure list: refused,
    // naming the file and the object that has it.
    EXPECT_NE(result.err.find("object 2: \"output\": \"meadow.b3d\": its file \"track_structures.txt\" is object 1's"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("object 3: Radii: \"5\": must be 0 (straight) or at least 20 m. (\"radius\")"),
              std::string::npos)
        << result.err;
    EXPECT_TRUE(std::filesystem::exists(folder / "bed_-300.b3d"));
    EXPECT_FALSE(std::filesystem::exists(folder / "meadow.b3d"));
    EXPECT_NE(ReadFile(folder / "track_structures.txt").find(".Rail(1) bed_-300.b3d"), std::string::npos);
}

}  // namespace
}  // namespace kestrane

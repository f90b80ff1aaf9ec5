// Hostile names and values on the command line: output names a batch, -o or
// a preset gives, batch objects whose files would meet, long values, large
// presets, and tile indexes that point elsewhere.
#include "b3d/b3d_tile_set.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kestrane {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TempFolder;
using test::WriteFile;

TEST(HostileNames, ControlCharactersAndUnwritableNamesAreRefusedNamingTheOption)
{
    const TempFolder folder;
    WriteFile(folder / "notes.txt", "mine");
    WriteFile(folder / "nul.json", R"({"objects":[{"kind":"house","output":"notes.txt\u0000.b3d"},)"
                                   R"({"kind":"house","output":"a\nb.b3d"}]})");
    auto run = RunCli({"batch", "--lang", "en", "nul.json"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("object 1: \"output\": \"notes.txt\\u0000.b3d\" contains a control character"),
              std::string::npos) << run.err;
    EXPECT_NE(run.err.find("object 2: \"output\": \"a\\u000Ab.b3d\""), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(folder / "notes.txt"), "mine");

    run = RunCli({"house", "--lang", "en", "-o", "日本.b3d"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("kestrane house: -o: \"日本.b3d\": the character \"日\"", 0), 0u) << run.err;

    // Names the tile index could not carry, with the simulator layout only.
    for (const char* name : {"a,b.b3d", ";a.b3d", " a.b3d", "a .b3d"}) {
        run = RunCli({"terrain", "--lang", "en", "--layout", "simulator", "-o", name}, folder.path());
        EXPECT_EQ(run.exitCode, 2) << name;
        EXPECT_EQ(run.err.rfind("kestrane terrain: -o: ", 0), 0u) << run.err;
        EXPECT_EQ(RunCli({"house", "--lang", "en", "-o", name}, folder.path()).exitCode, 0) << name;
    }
}

TEST(HostileNames, ABatchRefusesAnObjectWhoseFilesWouldMeetAnEarlierOnesInEitherOrder)
{
    const TempFolder folder;
    const std::string house = R"({"kind":"house","output":"t_001.b3d"})";
    const std::string set = R"({"kind":"terrain","output":"t.b3d","layout":"simulator","tile-length":"5"})";
    WriteFile(folder / "house_first.json", R"({"objects":[)" + house + "," + set + "]}");
    auto run = RunCli({"batch", "--lang", "en", "house_first.json"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("object 2: \"output\": \"t.b3d\": its file \"t_001.b3d\" is object 1's already"),
              std::string::npos) << run.err;
    EXPECT_EQ(test::EntryNames(folder.path()), (std::vector<std::string>{"house_first.json", "t_001.b3d"}));
    const std::string houseBytes = ReadFile(folder / "t_001.b3d");

    WriteFile(folder / "set_first.json", R"({"objects":[)" + set + "," + house + "]}");
    run = RunCli({"batch", "--lang", "en", "set_first.json"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("object 2: \"output\": \"t_001.b3d\" is object 1's already"),
              std::string::npos) << run.err;
    EXPECT_NE(ReadFile(folder / "t_001.b3d"), houseBytes);  // the set's tile now
    EXPECT_TRUE(std::filesystem::exists(folder / "t_tiles.txt"));

    // A set of 5 tiles from an earlier run: a smaller one would remove
    // s_004.b3d, which a house of the batch writes.
    ASSERT_EQ(RunCli({"terrain", "--area", "25,50", "--resolution", "25,50", "--layout", "simulator",
                      "--tile-length", "10", "-o", "s.b3d"},
                     folder.path()).exitCode, 0);
    WriteFile(folder / "smaller.json",
              R"({"objects":[{"kind":"house","output":"s_004.b3d"},)"
              R"({"kind":"terrain","output":"s.b3d","area":"25,50","resolution":"25,50","layout":"simulator","tile-length":"20"}]})");
    run = RunCli({"batch", "--lang", "en", "smaller.json"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("object 2: \"output\": \"s.b3d\": its file \"s_004.b3d\" is object 1's already"),
              std::string::npos) << run.err;
    EXPECT_EQ(b3d::ReadTileSet(folder / "s_tiles.txt").tiles.size(), 5u);  // the earlier set, untouched
}

TEST(HostileNames, LongValuesAreRefusedOrQuotedShort)
{
    const TempFolder folder;
    const std::string longName(10000, 'w');
    auto run = RunCli({"house", "--lang", "en", "--window-texture", longName + ".bmp"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--window-texture"), std::string::npos);
    EXPECT_NE(run.err.find("at most 260 characters"), std::string::npos) << run.err.substr(0, 300);
    EXPECT_LT(run.err.size(), 400u);
    run = RunCli({"terrain", "--lang", "en", "--texture", longName + ".bmp"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--texture"), std::string::npos);
    EXPECT_LT(run.err.size(), 400u);
    run = RunCli({"house", "--lang", "hu", "--width", std::string(100000, '9') + "x"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("...\" (100001 bájt)"), std::string::npos) << run.err.substr(0, 300);
    EXPECT_LT(run.err.size(), 400u);
    EXPECT_EQ(test::EntryNames(folder.path()), std::vector<std::string>{});
}

TEST(HostileNames, PresetsAndBatchesAreBoundedInTheirMembersAndObjects)
{
    const TempFolder folder;
    std::string members = R"({"kind":"house")";
    for (int k = 0; k < 100000; ++k)
        members += ",\"m" + std::to_string(k) + "\":\"1\"";
    WriteFile(folder / "wide.json", members + "}");
    auto run = RunCli({"house", "--lang", "en", "--preset", "wide.json"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("at most 256 members"), std::string::npos) << run.err;

    std::string objects = R"({"objects":[{})";
    for (int k = 0; k < 100000; ++k)
        objects += ",{}";
    WriteFile(folder / "long.json", objects + "]}");
    run = RunCli({"batch", "--lang", "en", "long.json"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("at most 100000 objects, not 100001"), std::string::npos) << run.err;
}

TEST(HostileNames, CheckReadsOnlyTheIndexsOwnTilesOnceAndNoPipe)
{
    const TempFolder folder;
    ASSERT_EQ(RunCli({"terrain", "--area", "25,100", "--resolution", "25,100", "--layout", "simulator",
                      "--tile-length", "50", "-o", "d.b3d"},
                     folder.path()).exitCode, 0);
    WriteFile(folder / "x_tiles.txt", "d_001.b3d,0,0,0\r\n");
    WriteFile(folder / "d_tiles.txt", "d_001.b3d,0,0,0\r\nd_001.b3d,0,0,0\r\n../d_002.b3d,0,0,0\r\n"
                                      "/etc/passwd,0,0,0\r\nd_002.b3d,0,0,20000000\r\n");
    ASSERT_EQ(::mkfifo((folder / "p_tiles.txt").c_str(), 0600), 0);
    const auto run = RunCli({"check", "d_tiles.txt", "x_tiles.txt", "p_tiles.txt"}, folder.path());
    EXPECT_EQ(run.exitCode, 1);
    // d_001.b3d once and d_002.b3d: 6 sections each (one colour in blocks of cells).
    EXPECT_NE(run.out.find("d_tiles.txt: 12 sections"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("line 2: d_001.b3d is named again (first at line 1)"), std::string::npos);
    EXPECT_NE(run.out.find("line 3: \"../d_002.b3d\" is not a tile of this set"), std::string::npos);
    EXPECT_NE(run.out.find("line 4: \"/etc/passwd\" is not a tile of this set"), std::string::npos);
    EXPECT_NE(run.out.find("beyond 10,000,000 m on an axis"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("root"), std::string::npos);
    EXPECT_NE(run.out.find("x_tiles.txt: 0 sections"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("p_tiles.txt: cannot read: is not a regular file"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace kestrane

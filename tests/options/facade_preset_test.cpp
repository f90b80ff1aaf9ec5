// The facade inputs as preset members: read into the inputs and written
// back unchanged, refused naming the member, and the same house from a
// preset as from the command line's options.
#include "options/preset.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TempFolder;
using test::WriteFile;

// Every facade member, in the order a preset is written.
const char kFacadePreset[] =
    "{\n"
    "  \"kind\": \"house\",\n"
    "  \"roof\": \"flat\",\n"
    "  \"wall-height\": \"6000\",\n"
    "  \"storeys\": \"2\",\n"
    "  \"storey-height\": \"2900\",\n"
    "  \"windows\": [\n"
    "    \"front:2\",\n"
    "    \"left:3,1000,1200,800\"\n"
    "  ],\n"
    "  \"door\": \"1000,2100,-1500\",\n"
    "  \"side-door\": \"right:900,2000\",\n"
    "  \"window-texture\": \"win2.bmp\",\n"
    "  \"door-texture\": \"gate.bmp\",\n"
    "  \"window-color\": \"10,20,30\",\n"
    "  \"door-color\": \"40,50,60\",\n"
    "  \"window-frames\": true,\n"
    "  \"lit\": \"50,3\"\n"
    "}\n";

TEST(FacadePreset, ReadsIntoTheInputsAndWritesBackTheSame)
{
    const HouseInput input = HouseFromPreset(kFacadePreset);
    const FacadeInput& facades = input.facades;
    EXPECT_TRUE(facades.enabled);
    EXPECT_EQ(facades.storeys, "2");
    EXPECT_EQ(facades.storeyHeight, "2900");
    const auto& front = facades.windows[static_cast<std::size_t>(WallSide::Front)];
    const auto& left = facades.windows[static_cast<std::size_t>(WallSide::Left)];
    EXPECT_TRUE(front.enabled);
    EXPECT_EQ(front.count, "2");
    EXPECT_EQ(front.width, "1200");  // the default size
    EXPECT_TRUE(left.enabled);
    EXPECT_EQ(left.count + "," + left.width + "," + left.height + "," + left.sill, "3,1000,1200,800");
    EXPECT_FALSE(facades.windows[static_cast<std::size_t>(WallSide::Back)].enabled);
    EXPECT_TRUE(facades.door.enabled);
    EXPECT_EQ(facades.door.position, "-1500");
    EXPECT_TRUE(facades.sideDoor.enabled);
    EXPECT_EQ(facades.sideDoorSide, WallSide::Right);
    EXPECT_EQ(facades.sideDoor.position, "0");
    EXPECT_EQ(facades.windowColor, "10,20,30");
    EXPECT_TRUE(facades.frames);
    EXPECT_TRUE(facades.lit);
    EXPECT_EQ(facades.litPercent + "," + facades.litSeed, "50,3");

    EXPECT_EQ(HousePresetJson(input), kFacadePreset);

    // Facades on with nothing else: the storeys alone say so.
    HouseInput plain;
    plain.facades.enabled = true;
    const std::string on = HousePresetJson(plain);
    EXPECT_EQ(on, "{\n  \"kind\": \"house\",\n  \"storeys\": \"1\"\n}\n");
    EXPECT_TRUE(HouseFromPreset(on).facades.enabled);
    // Facades off: none of their inputs is written, whatever they hold.
    HouseInput off = input;
    off.facades.enabled = false;
    EXPECT_EQ(HousePresetJson(off).find("storeys"), std::string::npos);
}

TEST(FacadePreset, RefusedValuesNameTheMember)
{
    struct Case {
        const char* member;
        const char* json;
        const char* en;
    };
    const Case cases[] = {
        {"windows", R"({"kind": "house", "windows": ["front:2", "top:2"]})",
         "\"windows\": needs a side: front, back, left or right, not \"top\""},
        {"windows", R"({"kind": "house", "windows": ["front:2,1000"]})",
         "\"windows\": takes SIDE:COUNT or SIDE:COUNT,WIDTH,HEIGHT,SILL, not \"2,1000\""},
        {"side-door", R"({"kind": "house", "side-door": "front:900,2000"})",
         "\"side-door\": needs a side: back, left or right, not \"front\""},
        {"door", R"({"kind": "house", "door": "900"})", "\"door\": takes 2 to 3 comma-separated values, not \"900\""},
        {"window-color", R"({"kind": "house", "window-color": "1,2"})",
         "\"window-color\": takes 3 comma-separated values, not \"1,2\" (Window color)"},
        {"window-frames", R"({"kind": "house", "window-frames": "yes"})", "\"window-frames\": must be true or false"},
    };
    for (const Case& c : cases) {
        try {
            HouseFromPreset(c.json);
            ADD_FAILURE() << c.json;
        } catch (const PresetError& e) {
            EXPECT_EQ(e.member(), c.member);
            EXPECT_EQ(std::string(e.what()).substr(0, std::string(c.en).size()), c.en);
        }
    }
    try {
        HouseFromPreset(R"({"kind": "house", "lit": "10,2,3"})");
        ADD_FAILURE();
    } catch (const PresetError& e) {
        EXPECT_EQ(e.Text(UiLanguage::Hungarian), "\"lit\": 1-2 vesszővel elválasztott értéket vár, nem ezt: \"10,2,3\"");
    }
}

TEST(FacadePreset, GivesTheHouseOfTheSameOptions)
{
    TempFolder folder;
    WriteFile(folder / "facades.json", kFacadePreset);
    std::filesystem::create_directory(folder / "options");
    std::filesystem::create_directory(folder / "preset");
    const auto byOptions = RunCli({"house", "-C", "options", "--lang", "en", "--roof", "flat", "--wall-height", "6000",
                                   "--storeys", "2", "--storey-height", "2900", "--windows", "front:2", "--windows",
                                   "left:3,1000,1200,800", "--door", "1000,2100,-1500", "--side-door", "right:900,2000",
                                   "--window-texture", "win2.bmp", "--door-texture", "gate.bmp", "--window-color",
                                   "10,20,30", "--door-color", "40,50,60", "--window-frames", "--lit", "50,3"},
                                  folder.path());
    ASSERT_EQ(byOptions.exitCode, 0) << byOptions.err;
    const auto byPreset = RunCli({"house", "-C", "preset", "--lang", "en", "--preset", "facades.json"}, folder.path());
    ASSERT_EQ(byPreset.exitCode, 0) << byPreset.err;
    EXPECT_EQ(byPreset.out, byOptions.out);
    EXPECT_TRUE(ReadFile(folder / "preset" / "House_flat.b3d") == ReadFile(folder / "options" / "House_flat.b3d"));

    // A batch file takes the same members.
    std::string object = kFacadePreset;
    object.replace(object.find("\"kind\": \"house\","), 16, "\"kind\": \"house\", \"output\": \"House_flat.b3d\",");
    WriteFile(folder / "batch.json", "{\"objects\": [" + object + "]}");
    std::filesystem::create_directory(folder / "batch");
    const auto batch = RunCli({"batch", "-C", "batch", "--lang", "en", "batch.json"}, folder.path());
    ASSERT_EQ(batch.exitCode, 0) << batch.err;
    EXPECT_TRUE(ReadFile(folder / "batch" / "House_flat.b3d") == ReadFile(folder / "options" / "House_flat.b3d"));

}

}  // namespace
}  // namespace kestrane

// kestrane house with facades: the options, the bitmap list after the
// status, and refusals that name the field and the option.
#include "house/house_generator.h"
#include "support/test_support.h"

#include "b3d/b3d_reader.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TempFolder;

TEST(FacadeOptions, ListedInTheHelp)
{
    TempFolder folder;
    const auto help = RunCli({"house", "--help"}, folder.path());
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--storeys N", "--storey-height MM", "--windows SIDE:COUNT[,WIDTH,HEIGHT,SILL]",
                               "--door WIDTH,HEIGHT[,POSITION]", "--side-door SIDE:WIDTH,HEIGHT[,POSITION]",
                               "--window-texture NAME", "--door-texture NAME", "--window-frames",
                               "--lit PERCENT[,SEED]"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

TEST(FacadeOptions, WriteTheOpeningsAndListTheBitmaps)
{
    TempFolder folder;
    const auto run = RunCli({"house", "--lang", "en", "--roof", "flat", "--wall-height", "6000", "--storeys", "2",
                             "--windows", "front:2", "--windows", "left:3,1000,1200,800", "--door", "1000,2100,-1500",
                             "--side-door", "right:900,2000", "--window-texture", "win2.bmp", "--window-frames",
                             "--lit", "50,3"},
                            folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "House_flat.b3d file generating successfull\n"
              "Bitmaps needed:\n  1.bmp\n  2.bmp\n  3.bmp\n  4.bmp\n  door.bmp\n  win2.bmp\n  win2_night.bmp\n  k.bmp\n");
    const b3d::Model model = b3d::ReadB3dFile(folder / "House_flat.b3d");
    EXPECT_TRUE(model.problems.empty());
    std::size_t windows = 0, doors = 0;
    for (const b3d::Section& section : model.sections) {
        windows += section.texture == "win2.bmp";
        doors += section.texture == "door.bmp";
    }
    // Two front windows on two storeys, the door left of the middle taking
    // a ground-floor one; three left windows on two storeys.
    EXPECT_EQ(windows, 4u - 1 + 6);
    EXPECT_EQ(doors, 2u);
    const std::string text = test::ReadableText(ReadFile(folder / "House_flat.b3d"));
    // Lit windows load the night texture, named after the window bitmap.
    EXPECT_NE(text.find("load win2.bmp,win2_night.bmp"), std::string::npos);
    EXPECT_EQ(text.find("EmissiveColor"), std::string::npos);

    // The same inputs give the same file: the lit windows come from the seed.
    std::filesystem::create_directory(folder / "again");
    const auto again = RunCli({"house", "-C", "again", "--lang", "en", "--roof", "flat", "--wall-height", "6000",
                               "--storeys", "2", "--windows", "front:2", "--windows", "left:3,1000,1200,800", "--door",
                               "1000,2100,-1500", "--side-door", "right:900,2000", "--window-texture", "win2.bmp",
                               "--window-frames", "--lit", "50,3"},
                              folder.path());
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(ReadFile(folder / "again" / "House_flat.b3d"), ReadFile(folder / "House_flat.b3d"));
}

TEST(FacadeOptions, RefusalsNameTheFieldAndTheOption)
{
    TempFolder folder;
    struct Case {
        std::vector<std::string> args;
        const char* err;
    };
    const Case cases[] = {
        {{"--windows", "top:2"}, "kestrane house: --windows needs a side: front, back, left or right, not \"top\"\n"},
        {{"--windows", "front:2,1000"},
         "kestrane house: --windows takes SIDE:COUNT or SIDE:COUNT,WIDTH,HEIGHT,SILL, not \"2,1000\"\n"},
        {{"--side-door", "front:900,2000"},
         "kestrane house: --side-door needs a side: back, left or right, not \"front\"\n"},
        {{"--door", "900"}, "kestrane house: --door takes 2 to 3 comma-separated values, not \"900\"\n"},
        {{"--windows", "front:6"},
         "kestrane house: --windows: Front wall, window count: 6 windows 1200 mm wide do not fit: they need 9700 mm, "
         "the wall is 6000 mm long.\n"},
        {{"--storeys", "2", "--storey-height", "2000"},
         "kestrane house: --storey-height: Storey height: 2 storeys of 2000 mm do not fit into the wall height of "
         "3500 mm.\n"},
        {{"--side-door", "back:1000,3600"},
         "kestrane house: --side-door: Back wall, door height: the door is higher than the ground floor (3500 mm).\n"},
        {{"--door", "1000,2100,x"}, "kestrane house: --door: Front wall, door position: \"x\" is not a valid number.\n"},
        {{"--lit", "120"}, "kestrane house: --lit: Lit windows (%): \"120\" must be a whole number 0-100.\n"},
        {{"--storeys", "0"}, "kestrane house: --storeys: Storeys: \"0\" must be a whole number 1-50.\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"house", "--lang", "en"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto run = RunCli(args, folder.path());
        EXPECT_EQ(run.exitCode, 2) << c.args.front();
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "House_pyramid.b3d"));
}

}  // namespace
}  // namespace kestrane

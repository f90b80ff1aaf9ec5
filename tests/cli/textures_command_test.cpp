// kestrane textures and --write-textures: the starter bitmaps beside the
// objects, written only on request and never over an existing file; lit
// windows load a night texture unless --lit-glow asks for the glow.
#include "support/test_support.h"
#include "textures/texture_set.h"
#include "textures/texture_writing.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrane {
namespace {

using test::EntryNames;
using test::ReadFile;
using test::RunCli;
using test::TempFolder;

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

TEST(TexturesCommand, WritesTheWholeSetOnceTheSameBytesEveryTime)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "one");
    std::filesystem::create_directory(folder / "two");
    auto run = RunCli({"textures", "--lang", "en", "-C", "one"}, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Textures: 24 written, 0 kept (already in the folder).\n");
    EXPECT_EQ(EntryNames(folder / "one"), Sorted(textures::StarterTextureNames(UiLanguage::English)));
    ASSERT_EQ(RunCli({"textures", "--lang", "en", "-C", "two"}, folder.path()).exitCode, 0);
    for (const std::string& name : EntryNames(folder / "one"))
        EXPECT_EQ(ReadFile(folder / "one" / name), ReadFile(folder / "two" / name)) << name;

    run = RunCli({"textures", "--lang", "hu", "-C", "one"}, folder.path());
    EXPECT_EQ(run.out, "Textúrák: 9 megírva, 15 megtartva (már a mappában voltak).\n");
    EXPECT_EQ(RunCli({"textures", "--bogus"}, folder.path()).exitCode, 2);
    EXPECT_EQ(RunCli({"textures", "-C", "missing"}, folder.path()).exitCode, 1);
}

TEST(WriteTexturesOption, HouseAndTerrainWriteWhatTheyLoadAndNothingWithoutIt)
{
    TempFolder folder;
    const std::vector<std::string> house = {"house", "--lang", "en", "--windows", "left:2", "--door", "1000,2100",
                                            "--lit", "100"};
    auto run = RunCli(house, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(EntryNames(folder.path()), (std::vector<std::string>{"House_pyramid.b3d"}));

    test::WriteFile(folder / "door.bmp", "my door");
    std::vector<std::string> writing = house;
    writing.push_back("--write-textures");
    run = RunCli(writing, folder.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> loaded = textures::LoadedTextureNames({folder / "House_pyramid.b3d"});
    EXPECT_NE(std::find(loaded.begin(), loaded.end(), "window_night.bmp"), loaded.end());
    EXPECT_NE(run.out.find("\nTextures: " + std::to_string(loaded.size() - 1) + " written, 1 kept"), std::string::npos)
        << run.out;
    EXPECT_EQ(ReadFile(folder / "door.bmp"), "my door");
    std::vector<std::string> expected = loaded;
    expected.push_back("House_pyramid.b3d");
    EXPECT_EQ(EntryNames(folder.path()), Sorted(expected));

    // A terrain's a.bmp is grass; its own name gets a checker and the run says so.
    TempFolder ground;
    run = RunCli({"terrain", "--lang", "en", "--write-textures"}, ground.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(ground / "a.bmp"), textures::BmpFileBytes(textures::Draw(textures::Drawing::Grass)));
    run = RunCli({"terrain", "--lang", "en", "--texture", "field.bmp", "--write-textures"}, ground.path());
    EXPECT_NE(run.out.find("Unknown name, written as a checker: field.bmp"), std::string::npos) << run.out;

    // A batch file's member does the same per object.
    TempFolder batch;
    test::WriteFile(batch / "b.json",
                    R"({"objects": [{"kind": "house", "output": "h.b3d", "write-textures": true},)"
                    R"( {"kind": "terrain", "output": "t.b3d", "texture": "t.bmp", "write-textures": true}]})");
    run = RunCli({"batch", "--lang", "en", "b.json"}, batch.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\nTextures: 10 written, 0 kept"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Unknown name, written as a checker: t.bmp"), std::string::npos) << run.out;
}

TEST(LitWindows, LoadANightTextureOrGlowWithLitGlow)
{
    TempFolder folder;
    const auto loadLines = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {"house", "--lang", "hu", "--windows", "front:1", "--lit", "100"};
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_EQ(RunCli(args, folder.path()).exitCode, 0);
        std::vector<std::string> lines;
        for (const std::string& line : test::Lines(ReadFile(folder / "haz_satorteto.b3d")))
            if (line.rfind("load ablak", 0) == 0 || line.rfind("EmissiveColor", 0) == 0)
                lines.push_back(line);
        return lines;
    };
    EXPECT_EQ(loadLines({}), (std::vector<std::string>{"load ablak.bmp,ablak_ejjel.bmp"}));
    EXPECT_EQ(loadLines({"--lit-glow"}), (std::vector<std::string>{"EmissiveColor 255,214,140", "load ablak.bmp"}));
    EXPECT_EQ(loadLines({"--window-texture", "uj.bmp"}).size(), 0u);  // "load uj.bmp,uj_ejjel.bmp"
    EXPECT_NE(ReadFile(folder / "haz_satorteto.b3d").find("load uj.bmp,uj_ejjel.bmp"), std::string::npos);
}

}  // namespace
}  // namespace kestrane

// A generation reports its object from what its writer counted, never by
// reading the file back: the counts agree with the reader's for every roof
// kind, with and without facades. The roof kinds' table holds together.
#include "b3d/b3d_reader.h"
#include "house/house_generator.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace kestrane {
namespace {

TEST(WrittenCounts, EveryRoofKindCountsWhatTheReaderFinds)
{
    test::TempFolder folder;
    for (const RoofKindRow& row : RoofKinds())
        for (const bool facades : {false, true}) {
            HouseInput input;
            input.roofKind = row.kind;
            input.facades.enabled = facades;
            input.facades.windows[0].enabled = true;
            input.facades.door.enabled = true;
            input.facades.doorTexture = "front_door.bmp";
            input.chimney.use = true;
            const HouseResult house = GenerateHouse(input, UiLanguage::English, folder.path(), "");
            const ObjectSize size = CountObjectSize(house.path);
            EXPECT_EQ(house.size.sections, size.sections) << row.option;
            EXPECT_EQ(house.size.vertices, size.vertices) << row.option;

            const b3d::Model model = b3d::ReadB3dFile(house.path);
            std::vector<std::string> loaded;
            for (const b3d::Section& section : model.sections)
                if (!section.texture.empty() && std::find(loaded.begin(), loaded.end(), section.texture) == loaded.end())
                    loaded.push_back(section.texture);
            if (facades)
                EXPECT_EQ(house.textures, loaded) << row.option;
            else
                EXPECT_TRUE(house.textures.empty()) << row.option;
        }
}

TEST(WrittenCounts, LinesSplitAcrossWritesAndALastLineWithoutEnd)
{
    test::TempFolder folder;
    B3dWriter out;
    out.OpenOutput(folder / "parts.b3d", B3dWriter::Counting::On);
    out.WriteText("  [Mesh");
    out.WriteLine("Builder]");
    out.WriteText("Vertex ");
    out.WriteLine("1,2,3");
    out.WriteLine("; vertex 1,2,3 in a comment");
    out.WriteLine("vertexes are not vertices");
    out.WriteLine("Face2 0,0,0");
    out.WriteLine("[Texture]");
    out.WriteLine("Load  a.bmp ");
    out.WriteLine("load a.bmp");
    out.WriteText("load b.bmp");
    out.CloseOutput();
    const B3dCounts& counts = out.Counts();
    EXPECT_EQ(counts.sections, 1u);
    EXPECT_EQ(counts.vertices, 1u);
    EXPECT_EQ(counts.faces, 1u);
    EXPECT_EQ(counts.textures, (std::vector<std::string>{"a.bmp", "b.bmp"}));
    const b3d::Model model = b3d::ReadB3dFile(folder / "parts.b3d");
    EXPECT_EQ(model.vertexCount, counts.vertices);
    EXPECT_EQ(model.faceCount, counts.faces);
}

TEST(RoofKindTable, OneRowPerKindWithItsOwnNamesAndFiles)
{
    std::set<std::string> options, files;
    for (const RoofKindRow& row : RoofKinds()) {
        EXPECT_EQ(&RoofKindOf(row.kind), &row);
        EXPECT_EQ(FindRoofKind(row.option), &row);
        options.insert(row.option);
        for (const auto language : {UiLanguage::Hungarian, UiLanguage::English})
            files.insert(HouseFileName(row.kind, language));
        // A form has a hint and one parameter box of its own at least.
        const ControlEnabling& e = row.enabling;
        EXPECT_EQ(row.form, row.hint.en != nullptr) << row.option;
        EXPECT_EQ(row.form, e.clipHeight || e.kneeHeight || e.kneeInset || e.ridgeOffset) << row.option;
    }
    EXPECT_EQ(options.size(), RoofKinds().size());
    EXPECT_EQ(files.size(), 2 * RoofKinds().size());
    EXPECT_EQ(FindRoofKind("gable"), nullptr);
    // The default input is the window's start: the pyramid roof's states.
    EXPECT_FALSE(HouseInput{}.RoofLevelTextureEnabled());
    EXPECT_TRUE(HouseInput{}.CornerWallSizeEnabled());
}

}  // namespace
}  // namespace kestrane

// Reading a kit's structure list back (the preview opens it): the block
// length, the radii in their order and each radius's files, in both
// languages; other texts are not taken for one.
#include "support/test_support.h"
#include "track/track_generator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace kestrane {
namespace {

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TrackStructureList, ReadsBackWhatTheKitWrote)
{
    for (const UiLanguage language : {UiLanguage::Hungarian, UiLanguage::English}) {
        test::TempFolder folder;
        TrackInput input;
        input.radii = "-1250.5,0,300";
        input.pieces = "all";
        input.blockLength = "12.5";
        const TrackResult kit = GenerateTrackKit(input, language, folder.path());
        EXPECT_TRUE(IsTrackStructureList(kit.structureList));

        const auto list = ReadTrackStructureList(ReadText(kit.structureList));
        ASSERT_TRUE(list);
        EXPECT_EQ(list->blockLength, 12.5);
        ASSERT_EQ(list->radii.size(), 3u);
        std::vector<std::string> files;
        for (const auto& [radius, names] : list->radii) {
            EXPECT_EQ(names.size(), kTrackPieceCount);
            files.insert(files.end(), names.begin(), names.end());
        }
        EXPECT_EQ(list->radii[0].first, -1250.5);
        EXPECT_EQ(list->radii[1].first, 0.0);
        EXPECT_EQ(list->radii[2].first, 300.0);
        EXPECT_EQ(files, kit.files);
    }
}

TEST(TrackStructureList, OtherTextsAreNotStructureLists)
{
    EXPECT_FALSE(ReadTrackStructureList(""));
    EXPECT_FALSE(ReadTrackStructureList("[MeshBuilder]\r\nVertex 0,0,0\r\n"));
    EXPECT_FALSE(ReadTrackStructureList(";Kestrane Builder track kit, block length 25 m\r\nWith Structure\r\n"));
    EXPECT_FALSE(IsTrackStructureList("bed_300.b3d"));
    EXPECT_FALSE(IsTrackStructureList("area_tiles.txt"));
    EXPECT_TRUE(IsTrackStructureList("/some/folder/palya_elemek.txt"));
}

}  // namespace
}  // namespace kestrane

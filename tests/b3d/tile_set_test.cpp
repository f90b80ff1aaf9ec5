// Reading a tile set: the index, every tile moved to its origin, and what
// goes wrong with a tile or an index line.
#include "b3d/b3d_reader.h"
#include "b3d/b3d_tile_set.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace kestrane::b3d {
namespace {

using test::B3dBytes;
using test::TempFolder;
using test::WriteFile;

const char* const kTile =
    "[MeshBuilder]\n"
    "Vertex 0,0,0\n"
    "Vertex 0,0,1\n"
    "Vertex 1,0,1\n"
    "Face2 0,1,2\n"
    "Color 200,0,0\n";

TEST(TileSetTest, EveryTileIsMovedToItsOrigin)
{
    const TempFolder folder;
    WriteFile(folder / "a_001.b3d", B3dBytes(kTile));
    WriteFile(folder / "a_002.b3d", B3dBytes(std::string(kTile) + kTile));
    WriteFile(folder / "a_tiles.txt", B3dBytes(";két csempe\n"
                                               "\n"
                                               "a_001.b3d,-10.000,1.250,1000.000\n"
                                               " a_002.b3d , 0.5, 0 ,25\n"));
    const TileSet set = ReadTileSet(folder / "a_tiles.txt");
    ASSERT_EQ(set.tiles.size(), 2u);
    EXPECT_EQ(set.tiles[1].file, "a_002.b3d");
    EXPECT_EQ(set.tiles[1].origin, (Vec3{0.5, 0, 25}));
    ASSERT_EQ(set.model.sections.size(), 3u);
    EXPECT_EQ(set.model.vertexCount, 9u);
    EXPECT_EQ(set.model.faceCount, 3u);
    EXPECT_EQ(set.mostVertices, 6u);
    EXPECT_TRUE(set.model.problems.empty());
    const Section& first = set.model.sections[0];
    EXPECT_EQ(first.vertices[2], (Vec3{-9.0, 1.25, 1001.0}));
    EXPECT_EQ(first.color, (ColorRgb{200, 0, 0, 255}));
    EXPECT_EQ(set.model.sections[2].vertices[1], (Vec3{0.5, 0, 26}));
}

TEST(TileSetTest, MissingTilesAndMalformedLinesAreProblems)
{
    const TempFolder folder;
    WriteFile(folder / "a_001.b3d", B3dBytes(std::string(kTile) + "Face 0,1,7\n"));
    WriteFile(folder / "a_tiles.txt", "a_001.b3d,0,0,0\r\n"
                                      "a_002.b3d,0,0,25\r\n"
                                      "a_003.b3d,0,0\r\n"
                                      "a_004.b3d,0,x,0\r\n");
    const TileSet set = ReadTileSet(folder / "a_tiles.txt");
    EXPECT_EQ(set.tiles.size(), 2u);
    EXPECT_EQ(set.model.sections.size(), 1u);
    // The index's own lines first, then the tiles in order.
    ASSERT_EQ(set.model.problems.size(), 4u);
    EXPECT_EQ(set.model.problemCount, 4u);
    EXPECT_EQ(set.model.problems[0].line, 3u);
    EXPECT_EQ(set.model.problems[0].text, "a tile line is \"file,x,y,z\", not \"a_003.b3d,0,0\"");
    EXPECT_EQ(set.model.problems[1].line, 4u);
    EXPECT_EQ(set.model.problems[2].line, 7u);  // in the tile
    EXPECT_EQ(set.model.problems[2].text.rfind("a_001.b3d: ", 0), 0u) << set.model.problems[2].text;
    EXPECT_EQ(set.model.problems[3].line, 2u);
    EXPECT_EQ(set.model.problems[3].text.rfind("a_002.b3d cannot be read: ", 0), 0u) << set.model.problems[3].text;

    EXPECT_THROW(ReadTileSet(folder / "none_tiles.txt"), ReadError);
    EXPECT_THROW(ReadTileSet(folder.path()), ReadError);
}

TEST(TileSetTest, ProgressCountsTilesAndCanStop)
{
    const TempFolder folder;
    WriteFile(folder / "a_001.b3d", B3dBytes(kTile));
    WriteFile(folder / "a_002.b3d", B3dBytes(kTile));
    WriteFile(folder / "a_tiles.txt", "a_001.b3d,0,0,0\r\na_002.b3d,0,0,25\r\n");
    std::vector<std::pair<std::uint64_t, std::uint64_t>> told;
    ReadTileSet(folder / "a_tiles.txt", [&](std::uint64_t done, std::uint64_t total) {
        told.emplace_back(done, total);
        return true;
    });
    EXPECT_EQ(told, (std::vector<std::pair<std::uint64_t, std::uint64_t>>{{0, 2}, {1, 2}, {2, 2}}));
    EXPECT_THROW(ReadTileSet(folder / "a_tiles.txt", [](std::uint64_t done, std::uint64_t) { return done < 1; }),
                 ReadCancelled);
}

TEST(TileSetTest, IndexNames)
{
    EXPECT_TRUE(IsTileIndex("domb_tiles.txt"));
    EXPECT_TRUE(IsTileIndex("/some/where/hill_tiles.txt"));
    EXPECT_FALSE(IsTileIndex("domb.b3d"));
    EXPECT_FALSE(IsTileIndex("_tiles.txt"));
    EXPECT_FALSE(IsTileIndex("domb_tiles.txt.b3d"));
}

}  // namespace
}  // namespace kestrane::b3d

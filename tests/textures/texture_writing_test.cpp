// Writing the starter textures beside an object: what is missing is
// written, what exists is never replaced, names with a folder or another
// ending are left alone, and the run says so.
#include "textures/texture_writing.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace kestrane::textures {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(TextureWriting, WritesWhatIsMissingAndKeepsWhatExists)
{
    TempFolder folder;
    WriteFile(folder / "1.bmp", "my own wall");
    std::filesystem::create_symlink("nowhere.bmp", folder / "2.bmp");
    const std::vector<std::string> names = {"1.bmp", "2.bmp", "a.bmp", "mine.bmp", "sub/x.bmp", "photo.png"};

    const TextureWriteReport report = WriteTextures(names, folder.path(), TextureOwner::Terrain);
    EXPECT_EQ(report.written, (std::vector<std::string>{"a.bmp", "mine.bmp"}));
    EXPECT_EQ(report.kept, (std::vector<std::string>{"1.bmp", "2.bmp"}));
    EXPECT_EQ(report.placeholders, (std::vector<std::string>{"mine.bmp"}));
    EXPECT_EQ(report.skipped, (std::vector<std::string>{"sub/x.bmp", "photo.png"}));
    EXPECT_EQ(ReadFile(folder / "1.bmp"), "my own wall");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "2.bmp"));
    // The terrain's a.bmp is its grass.
    EXPECT_EQ(ReadFile(folder / "a.bmp"), BmpFileBytes(Draw(Drawing::Grass)));
    EXPECT_EQ(test::EntryNames(folder.path()), (std::vector<std::string>{"1.bmp", "2.bmp", "a.bmp", "mine.bmp"}));

    EXPECT_EQ(TextureWriteText(report, UiLanguage::English),
              "Textures: 2 written, 2 kept (already in the folder).\n"
              "Unknown name, written as a checker: mine.bmp\n"
              "Not written (not a .bmp file name in the folder): sub/x.bmp, photo.png");
    // A second run finds everything in place.
    const TextureWriteReport again = WriteTextures(names, folder.path(), TextureOwner::Terrain);
    EXPECT_TRUE(again.written.empty());
    EXPECT_EQ(TextureWriteText(again, UiLanguage::Hungarian).rfind("Textúrák: 0 megírva, 4 megtartva", 0), 0u);
}

TEST(TextureWriting, ReadsTheDayAndNightTexturesAnObjectLoads)
{
    TempFolder folder;
    WriteFile(folder / "x.b3d",
              "[meshbuilder]\r\nvertex 0,0,0\r\nvertex 1,0,0\r\nvertex 1,1,0\r\nface 0,1,2\r\n"
              "[texture]\r\nload w.bmp,w_night.bmp\r\n"
              "[meshbuilder]\r\nvertex 0,0,0\r\nvertex 1,0,0\r\nvertex 1,1,0\r\nface 0,1,2\r\n"
              "[texture]\r\nload k.bmp\r\n"
              "[meshbuilder]\r\nvertex 0,0,0\r\nvertex 1,0,0\r\nvertex 1,1,0\r\nface 0,1,2\r\n"
              "[texture]\r\nLoad w.bmp\r\n");
    EXPECT_EQ(LoadedTextureNames({folder / "x.b3d"}), (std::vector<std::string>{"w.bmp", "w_night.bmp", "k.bmp"}));
}

}  // namespace
}  // namespace kestrane::textures

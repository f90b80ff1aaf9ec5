// The house spine: inputs to metres, refusals, file names, the walls with
// corner walls, and the flat roof with and without its edge, byte for byte.
#include "house/house_generator.h"
#include "core/errors.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using test::B3dBytes;
using test::ReadFile;
using test::TempFolder;

const char* const kHeaderHu =
    ";Házgeneráló program\n"
    ";Kestrane Builder 0.95 - generated scenery object\n"
    ";Nullpont a homlokfal közepe a talaj síkjában\n"
    ";Paraméterek:\n"
    ";\n"
    ";Eredeti fájlnév: haz_laposteto.b3d\n"
    ";X eltolás: 0.000\n"
    ";Y eltolás: 0.000\n"
    ";Z eltolás: 0.000\n"
    ";Szélesség: 6.000\n"
    ";Hosszúság: 8.000\n"
    ";Magasság: 3.500\n"
    ";Tetőmagasság: 7.000\n"
    ";\n"
    ";Az obektum textúrázása a Te feladatod!\n"
    ";----====ZX====----\n"
    ";\n";

const char* const kWallsHu =
    ";------Falazat------\n"
    ";------Fal elöl------\n"
    "[meshbuilder]\n"
    "vertex  0.000, 0.000,-3.000\n"
    "vertex  0.000, 0.000, 3.000\n"
    "vertex  0.000, 3.500, 3.000\n"
    "vertex  0.000, 3.500,-3.000\n"
    "face 0,1,2,3 \n"
    "[Texture]\nload 1.bmp\nCoordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0,0\nCoordinates 3,1,0\n\n"
    ";------Fal jobb------\n"
    "[meshbuilder]\n"
    "vertex  8.000, 0.000,-3.000\n"
    "vertex  0.000, 0.000,-3.000\n"
    "vertex  0.000, 3.500,-3.000\n"
    "vertex  8.000, 3.500,-3.000\n"
    "face 0,1,2,3 \n"
    "[Texture]\nload 2.bmp\nCoordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0,0\nCoordinates 3,1,0\n\n"
    ";------Fal hátul------\n"
    "[meshbuilder]\n"
    "vertex  8.000, 0.000, 3.000\n"
    "vertex  8.000, 0.000,-3.000\n"
    "vertex  8.000, 3.500,-3.000\n"
    "vertex  8.000, 3.500, 3.000\n"
    "face 0,1,2,3 \n"
    "[Texture]\nload 3.bmp\nCoordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0,0\nCoordinates 3,1,0\n\n"
    ";------Fal bal------\n"
    "[meshbuilder]\n"
    "vertex  0.000, 0.000, 3.000\n"
    "vertex  8.000, 0.000, 3.000\n"
    "vertex  8.000, 3.500, 3.000\n"
    "vertex  0.000, 3.500, 3.000\n"
    "face 0,1,2,3 \n"
    "[Texture]\nload 4.bmp\nCoordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0,0\nCoordinates 3,1,0\n\n";

const char* const kFlatRoofHu =
    ";Tetőlemez\n"
    "[meshbuilder]\n"
    "cube  4.000,0.001, 3.000\n"
    "color 100,90,70\n"
    "translate  4.000, 3.499, 0.000\n"
    "\n";

// A flat-roofed house without chimney and stairs: header, walls and roof.
HouseInput FlatHouse()
{
    HouseInput input;
    input.ChooseRoof(RoofKind::Flat);
    input.chimneySize = 0;
    input.stairSteps = 0;
    return input;
}

std::string Generate(const HouseInput& input, UiLanguage language, const TempFolder& folder)
{
    const HouseResult result = GenerateHouse(input, language, folder.path());
    return ReadFile(result.path);
}

// The lines of `text` from the one starting with `first` up to (not
// including) the next line starting with `end`.
std::string Section(const std::string& text, const std::string& first, const std::string& end)
{
    const auto begin = text.find(first);
    if (begin == std::string::npos)
        return "<missing " + first + ">";
    const auto stop = text.find(end, begin + first.size());
    return text.substr(begin, stop == std::string::npos ? std::string::npos : stop - begin);
}

TEST(HouseSpine, FlatHouseIsWrittenByteForByte)
{
    TempFolder folder;
    EXPECT_EQ(Generate(FlatHouse(), UiLanguage::Hungarian, folder),
              B3dBytes(std::string(kHeaderHu) + kWallsHu + kFlatRoofHu));

    // The roof height, overhang and roof colour do not reach the flat roof.
    HouseInput odd = FlatHouse();
    odd.roofHeight = "0";
    odd.roofOverhang = "-9000";
    odd.roof.use = true;
    odd.gutters = true;
    odd.cornerWallLeft = odd.cornerWallRight = true;  // disabled for the flat roof
    EXPECT_EQ(Section(test::ReadableText(Generate(odd, UiLanguage::Hungarian, folder)), ";------Falazat", ";;"),
              std::string(kWallsHu) + kFlatRoofHu);
}

TEST(HouseSpine, EnglishChangesOnlyNameHeaderAndComments)
{
    TempFolder folder;
    const HouseResult result = GenerateHouse(FlatHouse(), UiLanguage::English, folder.path());
    EXPECT_EQ(result.fileName, "House_flat.b3d");
    EXPECT_EQ(result.status, "House_flat.b3d file generating successfull");
    const std::string text = test::ReadableText(ReadFile(result.path));
    EXPECT_EQ(text.substr(0, text.find(";------Walling")),
              ";Buildig generating program\n;Kestrane Builder 0.95 - generated scenery object\n"
              ";Null point on center of front wall, in a floor\n;Parameters: \n;\n;Origin filename: House_flat.b3d\n"
              ";X ofset: 0.000\n;Y ofset: 0.000\n;Z ofset: 0.000\n;Width: 6.000\n;Long: 8.000\n;Height: 3.500\n"
              ";Roof height: 7.000\n;\n;The correct texturing is a your job!\n;----====ZX====----\n;\n");
    std::string walls = kWallsHu;
    for (const auto& [hu, en] : std::initializer_list<std::pair<std::string, std::string>>{
             {"Falazat", "Walling"}, {"Fal elöl", "Front wall"}, {"Fal jobb", "Right wall"},
             {"Fal hátul", "Behind wall"}, {"Fal bal", "Left wall"}})
        walls.replace(walls.find(hu), hu.size(), en);
    EXPECT_EQ(Section(text, ";------Walling", ";Roof panel"), walls);
}

TEST(HouseSpine, FlatRoofEdgeWritesPanelStripsAndInnerFaces)
{
    TempFolder folder;
    HouseInput input = FlatHouse();
    input.flatRoofEdge = true;
    input.offsetX = "1000";
    input.offsetY = "-500";
    const std::string text = test::ReadableText(Generate(input, UiLanguage::English, folder));
    EXPECT_EQ(text.substr(text.find(";Roof panel")),
              ";Roof panel\n[meshbuilder]\ncube  3.995,0.001, 2.995\ncolor 100,90,70\ntranslate  5.000, 2.700, 0.000\n\n"
              ";Front roof top\n[meshbuilder]\n"
              "vertex  1.000, 3.000,-3.000\nvertex  1.000, 3.000, 3.000\nvertex  1.300, 3.000, 2.700\n"
              "vertex  1.300, 3.000,-2.700\nface 0,1,2,3 \ncolor 90,80,70\n\n"
              ";Right roof top\n[meshbuilder]\n"
              "vertex  9.000, 3.000,-3.000\nvertex  1.000, 3.000,-3.000\nvertex  1.300, 3.000,-2.700\n"
              "vertex  8.700, 3.000,-2.700\nface 0,1,2,3 \ncolor 90,80,70\n\n"
              ";Behind roof top\n[meshbuilder]\n"
              "vertex  9.000, 3.000, 3.000\nvertex  9.000, 3.000,-3.000\nvertex  8.700, 3.000,-2.700\n"
              "vertex  8.700, 3.000, 2.700\nface 0,1,2,3 \ncolor 90,80,70\n\n"
              ";Left roof top\n[meshbuilder]\n"
              "vertex  1.000, 3.000, 3.000\nvertex  9.000, 3.000, 3.000\nvertex  8.700, 3.000, 2.700\n"
              "vertex  1.300, 3.000, 2.700\nface 0,1,2,3 \ncolor 90,80,70\n"
              "[meshbuilder]\n"
              "vertex  1.300, 2.700, 2.700\nvertex  1.300, 2.700,-2.700\nvertex  1.300, 3.000,-2.700\n"
              "vertex  1.300, 3.000, 2.700\nface 0,1,2,3 \ncolor 90,80,70\n\n"
              "[meshbuilder]\n"
              "vertex  1.300, 2.700,-2.700\nvertex  8.700, 2.700,-2.700\nvertex  8.700, 3.000,-2.700\n"
              "vertex  1.300, 3.000,-2.700\nface 0,1,2,3 \ncolor 90,80,70\n\n"
              "[meshbuilder]\n"
              "vertex  8.700, 2.700,-2.700\nvertex  8.700, 2.700, 2.700\nvertex  8.700, 3.000, 2.700\n"
              "vertex  8.700, 3.000,-2.700\nface 0,1,2,3 \ncolor 90,80,70\n\n"
              "[meshbuilder]\n"
              "vertex  8.700, 2.700, 2.700\nvertex  1.300, 2.700, 2.700\nvertex  1.300, 3.000, 2.700\n"
              "vertex  8.700, 3.000, 2.700\nface 0,1,2,3 \ncolor 90,80,70\n\n");
}

TEST(HouseSpine, CornerWallsCutTheFrontCorners)
{
    TempFolder folder;
    HouseInput input;  // pyramid: the corner-wall controls are enabled
    input.cornerWallLeft = true;
    input.wall.use = true;
    input.wall.color = {180, 160, 105};
    const std::string text = test::ReadableText(Generate(input, UiLanguage::Hungarian, folder));
    EXPECT_EQ(Section(text, ";------Bal sarokfal", ";------Fal jobb"),
              ";------Bal sarokfal------\n[meshbuilder]\n"
              "vertex  0.000, 0.000, 2.000\nvertex  1.000, 0.000, 3.000\nvertex  1.000, 3.500, 3.000\n"
              "vertex  0.000, 3.500, 2.000\nface2 0,1,2,3\ncolor 180,160,105\n"
              "[Texture]\nload 5.bmp\nCoordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0,0\nCoordinates 3,1,0\n\n"
              ";------Fal elöl------\n[meshbuilder]\n"
              "vertex  0.000, 0.000,-3.000\nvertex  0.000, 0.000, 2.000\nvertex  0.000, 3.500, 2.000\n"
              "vertex  0.000, 3.500,-3.000\nface 0,1,2,3 \ncolor 180,160,105\n"
              "[Texture]\nload 1.bmp\nCoordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0,0\nCoordinates 3,1,0\n\n");
    EXPECT_NE(text.find("vertex  1.000, 0.000, 3.000\nvertex  8.000, 0.000, 3.000"), std::string::npos)
        << "the left wall starts at the corner wall";

    input.cornerWallRight = true;
    input.cornerWallSize = "0";
    const std::string both = test::ReadableText(Generate(input, UiLanguage::English, folder));
    const auto left = both.find(";------Left corner wall");
    const auto right = both.find(";------Right corner wall");
    const auto front = both.find(";------Front wall");
    EXPECT_TRUE(left < right && right < front);
    EXPECT_EQ(Section(both, ";------Right corner wall", ";------Front"),
              ";------Right corner wall------\n[meshbuilder]\n"
              "vertex  0.000, 0.000,-3.000\nvertex  0.000, 0.000,-3.000\nvertex  0.000, 3.500,-3.000\n"
              "vertex  0.000, 3.500,-3.000\nface2 0,1,2,3\ncolor 180,160,105\n"
              "[Texture]\nload 6.bmp\nCoordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0,0\nCoordinates 3,1,0\n\n");
}

TEST(HouseSpine, FileNamesFollowRoofAndLanguage)
{
    const std::tuple<RoofKind, const char*, const char*> names[] = {
        {RoofKind::Hip, "haz_kontyoltteto.b3d", "House_hip.b3d"},
        {RoofKind::Pyramid, "haz_satorteto.b3d", "House_pyramid.b3d"},
        {RoofKind::Flat, "haz_laposteto.b3d", "House_flat.b3d"},
        {RoofKind::Pitched, "haz_nyeregteto.b3d", "House_piched.b3d"},
        {RoofKind::Lean, "haz_felteto.b3d", "haz_lean.b3d"},
    };
    for (const auto& [kind, hu, en] : names) {
        EXPECT_EQ(HouseFileName(kind, UiLanguage::Hungarian), hu);
        EXPECT_EQ(HouseFileName(kind, UiLanguage::English), en);
    }
    EXPECT_EQ(HouseFinishedStatus("haz_satorteto.b3d", UiLanguage::Hungarian),
              "haz_satorteto.b3d fájl generálása kész");
    EXPECT_EQ(GeneratingStatus(UiLanguage::Hungarian), "Generálás...");
    EXPECT_EQ(GeneratingStatus(UiLanguage::English), "Generating...");
}

TEST(HouseParams, ConvertsMillimetresAndFollowsTheEnabledControls)
{
    HouseInput input;
    input.width = " 6500.5 ";
    input.offsetZ = "-2000";
    input.cornerWallRight = true;
    input.cornerWallSize = "1200";
    input.roofLevelTextureChecked = true;
    ASSERT_FALSE(input.RoofLevelTextureEnabled());  // disabled for the pyramid roof
    HouseParams p = ReadHouseParams(input, UiLanguage::Hungarian);
    EXPECT_DOUBLE_EQ(p.width, 6.5005);
    EXPECT_DOUBLE_EQ(p.offset.z, -2.0);
    EXPECT_TRUE(p.cornerWalls);
    EXPECT_DOUBLE_EQ(p.cornerWallSize, 1.2);
    EXPECT_FALSE(p.roofLevelTexture);
    EXPECT_TRUE(p.roofLevelTextureChecked);

    input.ChooseRoof(RoofKind::Lean);  // corner-wall controls disabled
    input.cornerWallSize = "not read";
    p = ReadHouseParams(input, UiLanguage::Hungarian);
    EXPECT_FALSE(p.cornerWalls);
    EXPECT_EQ(p.cornerWallSize, 0.0);
    EXPECT_TRUE(p.roofLevelTexture);
}

// Refusals name the field in the interface language and leave the previous
// file untouched.
TEST(HouseParams, RefusesMalformedNumbersAndUndefinedGeometry)
{
    struct Case {
        void (*change)(HouseInput&);
        const char* hungarian;
        const char* english;
    };
    const Case cases[] = {
        {[](HouseInput& i) { i.width = "3,5"; }, "Szélesség: \"3,5\" nem érvényes szám.",
         "Width: \"3,5\" is not a valid number."},
        {[](HouseInput& i) { i.offsetY = "-2x"; }, "Eltolás Y: \"-2x\" nem érvényes szám.",
         "Offset Y: \"-2x\" is not a valid number."},
        {[](HouseInput& i) { i.stepHeight = "3.5 m"; }, "Lépcsőfok magassága: \"3.5 m\" nem érvényes szám.",
         "Stairs step height: \"3.5 m\" is not a valid number."},
        {[](HouseInput& i) { i.chimneySize = 5; }, "Kémény méret: a helyzet 5, de csak 0-4 lehet.",
         "Chimney size: the position is 5 but must be 0-4."},
        {[](HouseInput& i) {
             i.ChooseRoof(RoofKind::Pitched);
             i.roofHeight = "0";
         },
         "Tetőmagasság: nyeregtetőnél nem lehet 0 (az oromfal nem határozható meg).",
         "Roof heigh: must not be 0 for a piched roof (the gable walls are undefined)."},
        {[](HouseInput& i) {
             i.ChooseRoof(RoofKind::Pitched);
             i.roofOverhang = "-3000";
         },
         "Tető túlnyúlás: a túlnyúlás nem lehet a szélesség felének mínusz egyszerese (a tető lejtése nem "
         "határozható meg).",
         "Overhang: must not be minus half the width (the roof slope is undefined)."},
        {[](HouseInput& i) {
             i.ChooseRoof(RoofKind::Hip);
             i.roofOverhang = "-4000";
         },
         nullptr, "Overhang: must not be minus half the length (the hip roof is undefined)."},
        {[](HouseInput& i) {
             i.ChooseRoof(RoofKind::Lean);
             i.width = "0";
         },
         nullptr, "Width: must not be 0 for a lean roof with overhang (the roof slope is undefined)."},
        {[](HouseInput& i) {
             i.ChooseRoof(RoofKind::Lean);
             i.roofHeight = "";
         },
         nullptr, "Roof heigh: must not be 0 for a lean roof (the walls are undefined)."},
    };
    TempFolder folder;
    test::WriteFile(folder / "haz_satorteto.b3d", "previous");
    for (const Case& c : cases) {
        for (const UiLanguage language : {UiLanguage::Hungarian, UiLanguage::English}) {
            const char* expected = language == UiLanguage::Hungarian ? c.hungarian : c.english;
            if (!expected)
                continue;
            HouseInput input;
            c.change(input);
            try {
                GenerateHouse(input, language, folder.path());
                ADD_FAILURE() << "accepted: " << expected;
            } catch (const InputError& e) {
                EXPECT_STREQ(e.what(), expected);
            }
        }
    }
    EXPECT_EQ(ReadFile(folder / "haz_satorteto.b3d"), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    // Merely odd values are written as computed.
    HouseInput odd;
    odd.ChooseRoof(RoofKind::Pitched);
    odd.roofHeight = "1000";
    odd.roofOverhang = "-100";
    EXPECT_NO_THROW(GenerateHouse(odd, UiLanguage::English, folder.path()));
}

TEST(HouseSpine, OutputFailuresKeepThePreviousFile)
{
    TempFolder folder;
    test::WriteFile(folder / "haz_laposteto.b3d", "previous");
    try {
        const test::FileSizeLimit fullDisk(1024);
        GenerateHouse(FlatHouse(), UiLanguage::English, folder.path());
        FAIL() << "a full disk was not reported";
    } catch (const OutputError& e) {
        EXPECT_STREQ(e.what(), "Disk full");
    }
    test::WriteFile(folder / "plain", "");
    EXPECT_THROW(GenerateHouse(FlatHouse(), UiLanguage::Hungarian, folder / "plain"), OutputError);
    EXPECT_EQ(ReadFile(folder / "haz_laposteto.b3d"), "previous");
}

}  // namespace
}  // namespace kestrane

// domb.b3d as a whole: header, cell blocks and their order, the colour and
// texture switches, resolutions and slopes, the grid kept across
// generations, and the inputs that are refused before anything is written.
#include "terrain/terrain_generator.h"
#include "terrain/terrain_state.h"

#include "core/errors.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kestrane {
namespace {

using test::B3dBytes;
using test::Lines;
using test::ReadFile;
using test::TempFolder;

constexpr int kHeaderLines = 8;

class TerrainFileTest : public ::testing::Test {
protected:
    // Generates into the test folder and returns the file's bytes.
    std::string Generate(const TerrainInput& input, UiLanguage language = UiLanguage::Hungarian)
    {
        const TerrainResult result = generator.Generate(input, language, folder.path());
        EXPECT_EQ(result.path, folder / "domb.b3d");
        return ReadFile(result.path);
    }
    std::vector<std::string> GenerateLines(const TerrainInput& input, UiLanguage language = UiLanguage::Hungarian)
    {
        return Lines(Generate(input, language));
    }
    // The files in the test folder (no temporary file may be left behind).
    std::vector<std::string> FolderEntries() const { return test::EntryNames(folder.path()); }

    TempFolder folder;
    TerrainGenerator generator;
};

// The block titles of a file, in order.
std::vector<std::string> Titles(const std::vector<std::string>& lines)
{
    std::vector<std::string> titles;
    for (const auto& line : lines)
        if (line.rfind("[Meshbuilder];", 0) == 0)
            titles.push_back(line.substr(14));
    return titles;
}

// ---------------------------------------------------------------------------
// The default file

TEST_F(TerrainFileTest, DefaultFileHasHeaderAnd625BlocksOf15Lines)
{
    const std::string bytes = Generate(TerrainInput{});
    const auto lines = Lines(bytes);
    ASSERT_EQ(lines.size(), kHeaderLines + 625u * 15u);
    // Every line, the last one included, ends with CR LF.
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), static_cast<long>(lines.size()));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), static_cast<long>(lines.size()));
    EXPECT_EQ(bytes.substr(bytes.size() - 3), ";\r\n");
}

TEST_F(TerrainFileTest, DefaultFileBeginsWithTheHeaderAndTheFirstCell)
{
    const std::string expected =
        ";Házgeneráló program, terepépítő modul.\n"
        ";Kestrane Builder 0.95 - generated scenery object\n"
        ";Nullpont a bal első sarok\n"
        ";Az obektum textúrázása a Te feladatod!\n"
        ";Paraméterek:\n"
        ";Alapterület:   25.000x  25.000m\n"
        ";Felbontás:   25.000x  25.000\n"
        ";\n"
        "[Meshbuilder];1.1\n"
        "Vertex  0.000, 0.000, 0.000\n"
        "Vertex  0.000, 0.000, 1.000\n"
        "Vertex  1.000, 0.000, 1.000\n"
        "Vertex  1.000, 0.000, 0.000\n"
        "Face2 0,1,2\n"
        "Face2 3,0,2\n"
        "Color 40,140,40\n"
        "[texture]\n"
        "load a.bmp\n"
        "Coordinates 0,0,1\n"
        "Coordinates 1,0,0\n"
        "Coordinates 2,1,0\n"
        "Coordinates 3,1,1\n"
        ";\n"
        "[Meshbuilder];1.2\n"
        "Vertex  0.000, 0.000, 1.000\n"
        "Vertex  0.000, 0.000, 2.000\n"
        "Vertex  1.000, 0.000, 2.000\n"
        "Vertex  1.000, 0.000, 1.000\n";
    const std::string bytes = Generate(TerrainInput{});
    const std::string expectedBytes = B3dBytes(expected);
    EXPECT_EQ(test::ReadableText(bytes.substr(0, expectedBytes.size())), expected);
    EXPECT_EQ(bytes.substr(0, expectedBytes.size()), expectedBytes);
}

TEST_F(TerrainFileTest, CellsGoRowByRowThenColumnByColumn)
{
    const auto titles = Titles(GenerateLines(TerrainInput{}));
    ASSERT_EQ(titles.size(), 625u);
    std::size_t n = 0;
    for (int i = 1; i <= 25; ++i)
        for (int j = 1; j <= 25; ++j)
            EXPECT_EQ(titles[n++], std::to_string(i) + "." + std::to_string(j));
}

TEST_F(TerrainFileTest, GeneratingTwiceGivesTheSameFile)
{
    const std::string first = Generate(TerrainInput{});
    EXPECT_EQ(Generate(TerrainInput{}), first);
}

// ---------------------------------------------------------------------------
// Header and status

TEST_F(TerrainFileTest, EnglishHeader)
{
    const auto lines = GenerateLines(TerrainInput{}, UiLanguage::English);
    const std::vector<std::string> header(lines.begin(), lines.begin() + kHeaderLines);
    EXPECT_EQ(header, (std::vector<std::string>{
                          ";Buildig generating program, Area builder module.",
                          ";Kestrane Builder 0.95 - generated scenery object",
                          ";Null point on left front corner",
                          ";The correct texturing is a your job!",
                          ";Parameters:",
                          ";Area:   25.000x  25.000m",
                          ";Resolution:   25.000x  25.000",
                          ";",
                      }));
}

TEST_F(TerrainFileTest, HeaderFieldsAreEightWideNeverCutAndKeepTheSign)
{
    TerrainInput input;
    input.areaX = "123456.25";   // longer than 8: written whole
    input.areaZ = "-0.0004";     // negative, rounds to zero: keeps "-"
    input.resolutionX = "-2.5";  // as typed, unrounded
    input.resolutionZ = "0.0625";
    const auto lines = GenerateLines(input, UiLanguage::English);
    EXPECT_EQ(lines[5], ";Area: 123456.250x  -0.000m");
    EXPECT_EQ(lines[6], ";Resolution:   -2.500x   0.062");
}

TEST_F(TerrainFileTest, OffsetMovesEveryVertexButIsNotInTheHeader)
{
    TerrainInput input;
    input.offsetX = "10";
    input.offsetY = "-2.5";
    input.offsetZ = "0.25";
    const auto lines = GenerateLines(input);
    EXPECT_EQ(lines[5], ";Alapterület:   25.000x  25.000m");
    EXPECT_EQ(lines[6], ";Felbontás:   25.000x  25.000");
    EXPECT_EQ(lines[9], "Vertex 10.000,-2.500, 0.250");
    EXPECT_EQ(lines[11], "Vertex 11.000,-2.500, 1.250");
}

TEST_F(TerrainFileTest, StatusInBothLanguages)
{
    EXPECT_EQ(TerrainFinishedStatus(UiLanguage::Hungarian), "Domb.B3d fájl generálása kész");
    EXPECT_EQ(TerrainFinishedStatus(UiLanguage::English), "Domb.B3d file generating successfull");
    EXPECT_EQ(generator.Generate(TerrainInput{}, UiLanguage::English, folder.path()).status,
              "Domb.B3d file generating successfull");
    EXPECT_EQ(generator.Generate(TerrainInput{}, UiLanguage::Hungarian, folder.path()).status,
              "Domb.B3d fájl generálása kész");
}

// ---------------------------------------------------------------------------
// Resolutions and slopes

TEST_F(TerrainFileTest, FractionalResolutionRoundsTheCountButNotTheCellSize)
{
    TerrainInput input;
    input.resolutionX = "2.5";  // 2 cells of 10 m, covering 20 of the 25 m
    const auto lines = GenerateLines(input);
    EXPECT_EQ(lines[6], ";Felbontás:    2.500x  25.000");
    const auto titles = Titles(lines);
    ASSERT_EQ(titles.size(), 2u * 25u);
    EXPECT_EQ(titles.back(), "2.25");
    // The last cell reaches x = 20.
    EXPECT_EQ(lines[lines.size() - 15 + 3], "Vertex 20.000, 0.000,25.000");
    EXPECT_EQ(generator.state().derived.rx, 2);
    EXPECT_DOUBLE_EQ(generator.state().derived.cellX, 10.0);
}

TEST_F(TerrainFileTest, ResolutionsRoundHalfToEven)
{
    const std::pair<const char*, int> cases[] = {{"0.5", 0}, {"1.5", 2}, {"3.5", 4}, {"4.5", 4}, {"0.6", 1}};
    for (const auto& [typed, cells] : cases) {
        TerrainInput input;
        input.resolutionX = typed;
        input.resolutionZ = "1";
        const auto titles = Titles(GenerateLines(input));
        EXPECT_EQ(titles.size(), static_cast<std::size_t>(cells)) << typed;
    }
}

TEST_F(TerrainFileTest, ResolutionBelowOneHalfGivesTheHeaderOnly)
{
    for (const char* typed : {"0.4", "-0.4", "-3", "-1e300"}) {
        TerrainInput input;
        input.resolutionX = typed;
        const auto lines = GenerateLines(input);
        EXPECT_EQ(lines.size(), static_cast<std::size_t>(kHeaderLines)) << typed;
        input = TerrainInput{};
        input.resolutionZ = typed;
        EXPECT_EQ(GenerateLines(input).size(), static_cast<std::size_t>(kHeaderLines)) << typed;
    }
}

TEST_F(TerrainFileTest, SlopeAlongXRaisesTheFarEdge)
{
    TerrainInput input;
    input.slopeX = "5";
    const auto lines = GenerateLines(input);
    // Cell 1.1: rows 1 and 2 of the grid, y 0 and 0.2.
    EXPECT_EQ(lines[9], "Vertex  0.000, 0.000, 0.000");
    EXPECT_EQ(lines[11], "Vertex  1.000, 0.200, 1.000");
    // Cell 25.25 reaches row 26, 5 m up.
    EXPECT_EQ(lines[lines.size() - 15 + 3], "Vertex 25.000, 5.000,25.000");
    for (int i = 1; i <= 26; ++i)
        EXPECT_NEAR(generator.state().node(i, 13).y, (i - 1) * 0.2, 1e-12);
}

TEST_F(TerrainFileTest, BothSlopesAddUp)
{
    TerrainInput input;
    input.slopeX = "5";
    input.slopeZ = "5";
    const auto lines = GenerateLines(input);
    EXPECT_EQ(lines[lines.size() - 15 + 3], "Vertex 25.000,10.000,25.000");
    EXPECT_EQ(lines[lines.size() - 15 + 1], "Vertex 24.000, 9.600,24.000");
    EXPECT_NEAR(generator.state().node(1, 26).y, 5.0, 1e-12);
    EXPECT_NEAR(generator.state().node(26, 1).y, 5.0, 1e-12);
}

// ---------------------------------------------------------------------------
// Colour and texture switches

TEST_F(TerrainFileTest, WithoutColorTheColorLineIsDropped)
{
    TerrainInput input;
    input.useColor = false;
    const auto lines = GenerateLines(input);
    EXPECT_EQ(lines.size(), kHeaderLines + 625u * 14u);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("Color", 0) == 0; }),
              0);
    EXPECT_EQ(lines[kHeaderLines + 7], "[texture]");
}

TEST_F(TerrainFileTest, EmptyTextureDropsTheTextureLines)
{
    TerrainInput input;
    input.texture = "";
    const auto lines = GenerateLines(input);
    ASSERT_EQ(lines.size(), kHeaderLines + 625u * 9u);
    const std::vector<std::string> first(lines.begin() + kHeaderLines, lines.begin() + kHeaderLines + 9);
    EXPECT_EQ(first, (std::vector<std::string>{"[Meshbuilder];1.1", "Vertex  0.000, 0.000, 0.000",
                                                "Vertex  0.000, 0.000, 1.000", "Vertex  1.000, 0.000, 1.000",
                                                "Vertex  1.000, 0.000, 0.000", "Face2 0,1,2", "Face2 3,0,2",
                                                "Color 40,140,40", ";"}));
}

TEST_F(TerrainFileTest, TextureIsWrittenAsTypedInTheCodePage)
{
    TerrainInput input;
    input.texture = "fű ház.bmp";  // a blank inside belongs to the name
    input.resolutionX = "1";
    input.resolutionZ = "1";
    const std::string bytes = Generate(input);
    EXPECT_NE(bytes.find(B3dBytes("load fű ház.bmp\n")), std::string::npos);
    EXPECT_NE(bytes.find("load f\xFB h\xE1z.bmp\r\n"), std::string::npos);  // ű is 0xFB in Windows-1250
}

// ---------------------------------------------------------------------------
// The grid across generations

TEST_F(TerrainFileTest, GridIsClearedOnceAndNotBetweenGenerations)
{
    const TerrainGeneratorState& state = generator.state();
    // A fresh grid holds zeros everywhere.
    EXPECT_EQ(state.node(50, 500).x, 0.0);
    EXPECT_EQ(state.node(101, 1001).red, 0);

    TerrainInput large;
    large.areaX = large.resolutionX = "30";
    large.areaZ = large.resolutionZ = "30";
    large.curveX = "5";
    large.curveZ1 = "10";
    large.curveZ2 = "20";
    Generate(large);
    const GridNode staleRow0 = state.node(0, 25);
    EXPECT_NE(staleRow0.x, 0.0);  // row 0 is bent by the curve, never written out
    EXPECT_EQ(state.node(20, 5).x, 19.0);
    EXPECT_EQ(state.node(20, 5).green, 140);
    const GridNode bent = state.node(5, 25);

    TerrainInput small;
    small.areaX = small.resolutionX = "10";
    small.areaZ = small.resolutionZ = "10";
    small.baseColor = {1, 2, 3};
    const std::string smallFile = Generate(small);

    // Nodes outside rows and columns 1 to 11 keep what the first generation
    // left; row 0 keeps its bend.
    EXPECT_EQ(state.node(20, 5).x, 19.0);
    EXPECT_EQ(state.node(20, 5).z, 4.0);
    EXPECT_EQ(state.node(20, 5).green, 140);
    EXPECT_EQ(state.node(5, 25).x, bent.x);
    EXPECT_EQ(state.node(5, 25).z, bent.z);
    EXPECT_EQ(state.node(0, 25).x, staleRow0.x);
    EXPECT_EQ(state.node(0, 25).z, staleRow0.z);
    // Column 0 is never filled.
    EXPECT_EQ(state.node(5, 0).x, 0.0);
    EXPECT_EQ(state.node(5, 0).red, 0);
    // Nodes in use are overwritten.
    EXPECT_EQ(state.node(11, 11).x, 10.0);
    EXPECT_EQ(state.node(11, 11).red, 1);

    // The stale nodes never reach the file.
    TerrainGenerator fresh;
    const TempFolder other;
    fresh.Generate(small, UiLanguage::Hungarian, other.path());
    EXPECT_EQ(smallFile, ReadFile(other / "domb.b3d"));
}

TEST_F(TerrainFileTest, SecondCurveTurnsAroundTheStaleRowZero)
{
    // Row 0 is never filled, so its turning point is whatever an earlier
    // curve left in column z1. It is never written out.
    TerrainInput first;
    first.areaX = first.resolutionX = "20";
    first.areaZ = first.resolutionZ = "20";
    first.curveX = "10";
    first.curveZ1 = "5";
    first.curveZ2 = "10";
    Generate(first);
    const double staleZ = generator.state().node(0, 8).z;
    EXPECT_NE(staleZ, 0.0);

    TerrainInput second = first;
    second.curveZ1 = "8";
    second.curveZ2 = "12";
    const std::string secondFile = Generate(second);
    const double R = 10, cx = 20, a = 2 * std::sin(0.5 / R);
    const double r = cx - (0 - 1) * 1.0;
    EXPECT_NEAR(generator.state().node(0, 9).z, staleZ + std::sin(a) * r, 1e-12);
    EXPECT_NEAR(generator.state().node(1, 9).z, 7.0 + std::sin(a) * (cx - 0), 1e-12);

    TerrainGenerator fresh;
    const TempFolder other;
    fresh.Generate(second, UiLanguage::Hungarian, other.path());
    EXPECT_EQ(secondFile, ReadFile(other / "domb.b3d"));
    EXPECT_DOUBLE_EQ(fresh.state().node(0, 9).z, 0.0 + std::sin(a) * r);
}

// ---------------------------------------------------------------------------
// Refusals: nothing is written, the previous file and the grid stay

class TerrainRefusalTest : public TerrainFileTest {
protected:
    void SetUp() override
    {
        previous = Generate(TerrainInput{});
        before = generator.state().node(3, 3);
    }
    // Expects `input` to be refused naming `field`, with `parts` in the
    // message, and leaving the file, the folder and the grid as they were.
    void ExpectRefused(const TerrainInput& input, UiLanguage language, const std::string& field,
                       const std::vector<std::string>& parts = {})
    {
        try {
            generator.Generate(input, language, folder.path());
            ADD_FAILURE() << "not refused: " << field;
        } catch (const InputError& e) {
            EXPECT_EQ(e.field(), field);
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(field + ": ", 0), 0u) << message;
            for (const auto& part : parts)
                EXPECT_NE(message.find(part), std::string::npos) << message << " lacks " << part;
        }
        EXPECT_EQ(ReadFile(folder / "domb.b3d"), previous);
        EXPECT_EQ(FolderEntries(), std::vector<std::string>{"domb.b3d"});
        EXPECT_EQ(generator.state().node(3, 3).y, before.y);
        EXPECT_EQ(generator.state().derived.rx, 25);
    }

    std::string previous;
    GridNode before;
};

TEST_F(TerrainRefusalTest, ResolutionOfZero)
{
    TerrainInput input;
    input.resolutionX = "0";
    ExpectRefused(input, UiLanguage::Hungarian, "Felbontás X", {"nem lehet 0"});
    ExpectRefused(input, UiLanguage::English, "Resolution X", {"must not be 0"});
    input = TerrainInput{};
    input.resolutionZ = "";  // an empty box reads as 0
    ExpectRefused(input, UiLanguage::English, "Resolution Z", {"must not be 0"});
    input.resolutionZ = "-0.0";
    ExpectRefused(input, UiLanguage::Hungarian, "Felbontás Z");
}

TEST_F(TerrainRefusalTest, ResolutionThatDoesNotFitTheGrid)
{
    TerrainInput input;
    input.resolutionX = "100.6";
    ExpectRefused(input, UiLanguage::English, "Resolution X", {"\"100.6\"", "at most 100"});
    ExpectRefused(input, UiLanguage::Hungarian, "Felbontás X", {"legfeljebb 100"});
    input = TerrainInput{};
    input.resolutionZ = "1001";
    ExpectRefused(input, UiLanguage::English, "Resolution Z", {"at most 1000"});
    input.resolutionZ = "1e300";
    ExpectRefused(input, UiLanguage::Hungarian, "Felbontás Z", {"legfeljebb 1000"});
}

TEST_F(TerrainRefusalTest, LargestResolutionsStillFit)
{
    TerrainInput input;
    input.resolutionX = "100.5";   // rounds to 100
    input.resolutionZ = "1000.5";  // rounds to 1000
    input.texture = "";
    const std::string bytes = Generate(input);
    std::size_t blocks = 0;
    for (auto at = bytes.find("[Meshbuilder];"); at != std::string::npos; at = bytes.find("[Meshbuilder];", at + 1))
        ++blocks;
    EXPECT_EQ(blocks, 100u * 1000u);
    EXPECT_NE(bytes.rfind("[Meshbuilder];100.1000\r\n"), std::string::npos);
    EXPECT_EQ(generator.state().derived.rx, 100);
    EXPECT_EQ(generator.state().derived.rz, 1000);
}

TEST_F(TerrainRefusalTest, MalformedNumbersNameTheirField)
{
    struct Case {
        std::string TerrainInput::*field;
        const char* hu;
        const char* en;
    };
    const Case cases[] = {
        {&TerrainInput::areaX, "Alapterület X", "Area X"},
        {&TerrainInput::areaZ, "Alapterület Z", "Area Z"},
        {&TerrainInput::resolutionX, "Felbontás X", "Resolution X"},
        {&TerrainInput::offsetY, "Ofszet Y", "Offset Y"},
        {&TerrainInput::slopeZ, "Lejtés Z", "Gradient Z"},
        {&TerrainInput::curveX, "Kanyar X", "Curve X"},
        {&TerrainInput::curveZ2, "Kanyar Z2", "Curve Z2"},
    };
    for (const auto& c : cases) {
        TerrainInput input;
        input.*c.field = "3,5";
        ExpectRefused(input, UiLanguage::Hungarian, c.hu, {"\"3,5\" nem érvényes szám."});
        ExpectRefused(input, UiLanguage::English, c.en, {"\"3,5\" is not a valid number."});
    }
}

TEST_F(TerrainRefusalTest, MalformedPeakFieldsNameRowAndColumn)
{
    TerrainInput input;
    input.peaks[2].width = "1x";
    ExpectRefused(input, UiLanguage::Hungarian, "Csúcs 3, Szélesség");
    ExpectRefused(input, UiLanguage::English, "Peak 3, Width");
    input = TerrainInput{};
    input.peaks[7].height = "2 m";
    ExpectRefused(input, UiLanguage::English, "Peak 8, Y peak");
    input = TerrainInput{};
    input.peaks[0].gridX = "..";
    ExpectRefused(input, UiLanguage::Hungarian, "Csúcs 1, X pozíció");
    input = TerrainInput{};
    input.peaks[4].gridZ = "1e999";
    ExpectRefused(input, UiLanguage::English, "Peak 5, Z pos.");
}

TEST_F(TerrainRefusalTest, TextureThatWouldCorruptTheFile)
{
    TerrainInput input;
    input.texture = "a.bmp\r\n[Meshbuilder]";
    ExpectRefused(input, UiLanguage::English, "Texture name", {"control character (U+000D)"});
    input.texture = "tab\there.bmp";
    ExpectRefused(input, UiLanguage::Hungarian, "Terep textúrája", {"U+0009"});
    input.texture = "日本.bmp";
    ExpectRefused(input, UiLanguage::English, "Texture name", {"\"日\"", "cannot be written"});
    input.texture = "bad\xFFutf8.bmp";
    ExpectRefused(input, UiLanguage::Hungarian, "Terep textúrája");
}

TEST_F(TerrainRefusalTest, TextureThatIsNotOneFileName)
{
    // "load" reads its arguments split at "," with the blanks around them
    // dropped, and ";" starts a comment: none of these is the name typed.
    const std::pair<const char*, const char*> cases[] = {
        {" ", "must not be blank"},
        {"   ", "must not be blank"},
        {" fű.bmp", "must not begin or end with a blank"},
        {"a.bmp ", "must not begin or end with a blank"},
        {",", "must not contain \",\""},
        {"a,b,c", "must not contain \",\""},
        {"day.bmp,night.bmp,", "must not contain \",\""},
        {";x", "must not contain \";\""},
        {"a.bmp;old", "must not contain \";\""},
    };
    TerrainInput input;
    for (const auto& [texture, reason] : cases) {
        input.texture = texture;
        ExpectRefused(input, UiLanguage::English, "Texture name", {reason});
    }
    input.texture = "a;b";
    ExpectRefused(input, UiLanguage::Hungarian, "Terep textúrája", {"nem tartalmazhat \";\""});
    input.texture = " ";
    ExpectRefused(input, UiLanguage::Hungarian, "Terep textúrája", {"nem állhat csak szóközökből"});
}

TEST_F(TerrainRefusalTest, CurveAroundAnAreaWithoutWidth)
{
    TerrainInput input;
    input.areaX = "0";
    input.curveX = "3";
    input.curveZ1 = "2";
    input.curveZ2 = "5";
    ExpectRefused(input, UiLanguage::English, "Area X", {"curve"});
    // Without a curve an area 0 wide is written as computed.
    input.curveX = "0";
    const auto lines = GenerateLines(input);
    EXPECT_EQ(lines[9], "Vertex  0.000, 0.000, 0.000");
    EXPECT_EQ(lines[12], "Vertex  0.000, 0.000, 0.000");
}

TEST_F(TerrainRefusalTest, CoordinatesTooLargeToWrite)
{
    TerrainInput input;
    input.offsetX = "1e308";
    input.areaX = "1e308";
    try {
        generator.Generate(input, UiLanguage::English, folder.path());
        ADD_FAILURE() << "not refused";
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadFile(folder / "domb.b3d"), previous);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"domb.b3d"});
}

TEST_F(TerrainFileTest, UnwritableFolderIsAnOutputError)
{
    EXPECT_THROW(generator.Generate(TerrainInput{}, UiLanguage::Hungarian, folder / "missing"), OutputError);
    EXPECT_TRUE(FolderEntries().empty());
}

TEST_F(TerrainFileTest, RelativeToTheCurrentFolderWithoutAFolder)
{
    const test::CurrentFolder here(folder.path());
    const TerrainResult result = generator.Generate(TerrainInput{}, UiLanguage::English);
    EXPECT_EQ(result.path, std::filesystem::path("domb.b3d"));
    EXPECT_EQ(Lines(ReadFile(folder / "domb.b3d")).size(), kHeaderLines + 625u * 15u);
}

}  // namespace
}  // namespace kestrane

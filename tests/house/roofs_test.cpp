// The gable walls, the lean-roof walls and the pitched, pyramid, hip and
// lean roofs, byte for byte: the default house in both languages, overhang
// positive, zero and negative, the roof-level texture, the colours, the
// object offset, the command line and the refused dimensions.
#include "house/house_generator.h"
#include "core/errors.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string_view>
#include <tuple>
#include <vector>

namespace kestrane {
namespace {

using test::B3dBytes;
using test::ExpectB3d;
using test::Lines;
using test::ReadableText;
using test::ReadFile;
using test::TempFolder;

const std::string kTriangle = "Coordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0.5,0\n\n";
const std::string kQuad = "Coordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0,0\nCoordinates 3,1,0\n\n";

std::string Texture(const std::string& file, const std::string& coordinates)
{
    return "[Texture]\nload " + file + "\n" + coordinates;
}

// The default house of the main window with `kind` chosen, plus `edit`.
HouseParams Params(RoofKind kind, void (*edit)(HouseInput&) = nullptr)
{
    HouseInput input;
    input.ChooseRoof(kind);
    if (edit)
        edit(input);
    return ReadHouseParams(input, UiLanguage::Hungarian);
}

// What the elements wrote, and the state they left for the gutters.
struct Written {
    std::string bytes;
    std::string text;  // UTF-8 with LF
    EaveCorners eave;
    double eaveRise;
    HouseCorners corners;
};

// One element as the driver calls it: it takes what the elements before it
// left in `written` and leaves its own there.
using Element = void (*)(HouseGenerator&, Written&);

void Keep(Written& written, const RoofLeft& roof)
{
    written.eave = roof.eave;
    written.eaveRise = roof.eaveRise;
    written.corners.frontRightTop.y = roof.rightWallTop;
}

void GableWalls(HouseGenerator& g, Written& w) { w.eaveRise = g.WriteGableWalls().eaveRise; }
void GableTriangles(HouseGenerator& g, Written& w) { w.eaveRise = g.WriteGableTriangles(); }
void LeanWalls(HouseGenerator& g, Written&) { g.WriteLeanWalls(); }
void PitchedRoof(HouseGenerator& g, Written& w) { Keep(w, g.WritePitchedRoof(w.eaveRise)); }
void PyramidRoof(HouseGenerator& g, Written& w) { Keep(w, g.WritePyramidRoof()); }
void HipRoof(HouseGenerator& g, Written& w) { Keep(w, g.WriteHipRoof()); }
void LeanRoof(HouseGenerator& g, Written& w) { Keep(w, g.WriteLeanRoof()); }

Written Write(const HouseParams& params, UiLanguage language, std::initializer_list<Element> elements)
{
    TempFolder folder;
    B3dWriter out;
    out.OpenOutput(folder / "roof.b3d");
    HouseGenerator generator(out, params, language);
    Written written{{}, {}, {}, 0.0, DeriveHouseCorners(params)};
    for (const Element element : elements)
        element(generator, written);
    out.CloseOutput();
    written.bytes = ReadFile(folder / "roof.b3d");
    written.text = ReadableText(written.bytes);
    return written;
}

// `text` from the line that starts with `first` on.
std::string From(const std::string& text, const std::string& first)
{
    if (text.starts_with(first))
        return text;
    const auto begin = text.find("\n" + first);
    return begin == std::string::npos ? "<missing " + first + ">" : text.substr(begin + 1);
}

// The English file differs from the Hungarian one in its comment lines
// only, which read `comments` in order.
void ExpectEnglish(const std::string& hungarian, const std::string& english, const std::vector<std::string>& comments)
{
    const auto hu = Lines(hungarian);
    const auto en = Lines(english);
    ASSERT_EQ(hu.size(), en.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < hu.size(); ++i) {
        if (hu[i].starts_with(";")) {
            ASSERT_LT(next, comments.size()) << "line " << i;
            EXPECT_EQ(en[i], comments[next++]) << "line " << i;
        } else {
            EXPECT_EQ(en[i], hu[i]) << "line " << i;
        }
    }
    EXPECT_EQ(next, comments.size());
}

void ExpectBothLanguages(const HouseParams& params, std::initializer_list<Element> elements,
                         const std::string& expectedHu, const std::vector<std::string>& englishComments,
                         const std::string& from = "")
{
    const Written hu = Write(params, UiLanguage::Hungarian, elements);
    const Written en = Write(params, UiLanguage::English, elements);
    if (from.empty()) {
        ExpectB3d(hu.bytes, expectedHu);
        ExpectEnglish(hu.bytes, en.bytes, englishComments);
    } else {
        ExpectB3d(B3dBytes(From(hu.text, from)), expectedHu);
        ExpectEnglish(B3dBytes(From(hu.text, from)), B3dBytes(From(en.text, englishComments.front())),
                      englishComments);
    }
}

// ---------------------------------------------------------------- walls

const std::string kGableWallsHu =
    ";------Falazat------\n"
    ";------Fal elöl------\n"
    "[meshbuilder]\n"
    "vertex  0.000, 0.000,-3.000\n"
    "vertex  0.000, 0.000, 3.000\n"
    "vertex  0.000, 3.912, 3.000\n"
    "vertex  0.000, 7.000, 0.000\n"
    "vertex  0.000, 3.912,-3.000\n"
    "face 0,1,2,3,4\n" +
    Texture("1.bmp", "Coordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0, 0.441\nCoordinates 3,0.5,0\n"
                     "Coordinates 4,1, 0.441\n\n") +
    ";------Fal jobb------\n"
    "[meshbuilder];---\n"
    "vertex  8.000, 0.000,-3.000\n"
    "vertex  0.000, 0.000,-3.000\n"
    "vertex  0.000, 3.500,-3.000\n"
    "vertex  8.000, 3.500,-3.000\n"
    "face 0,1,2,3 \n" +
    Texture("2.bmp", kQuad) +
    ";------Fal hátsó------\n"
    "[meshbuilder]\n"
    "vertex  8.000, 0.000, 3.000\n"
    "vertex  8.000, 0.000,-3.000\n"
    "vertex  8.000, 3.912,-3.000\n"
    "vertex  8.000, 7.000, 0.000\n"
    "vertex  8.000, 3.912, 3.000\n"
    "face 0,1,2,3,4\n" +
    Texture("3.bmp", "Coordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0, 0.441\nCoordinates 3,0.5,0\n"
                     "Coordinates 4,1, 0.441\n\n") +
    ";------Fal bal------\n"
    "[meshbuilder]\n"
    "vertex  0.000, 0.000, 3.000\n"
    "vertex  8.000, 0.000, 3.000\n"
    "vertex  8.000, 3.500, 3.000\n"
    "vertex  0.000, 3.500, 3.000\n"
    "face 0,1,2,3 \n" +
    Texture("4.bmp", kQuad);

TEST(GableWalls, DefaultHouse)
{
    ExpectBothLanguages(Params(RoofKind::Pitched), {GableWalls}, kGableWallsHu,
                        {";------Walling------", ";------Front wall------", ";------Right wall------",
                         ";------Behind wall------", ";------Left wall------"});
    EXPECT_NEAR(Write(Params(RoofKind::Pitched), UiLanguage::Hungarian, {GableWalls}).eaveRise,
                3.5 * 0.4 / 3.4, 1e-12);
}

TEST(GableWalls, TrianglesOfTheRoofLevelTexture)
{
    const std::string expected =
        ";------Oromfal elöl------\n"
        "[meshbuilder]\n"
        "vertex  0.000, 3.500,-3.400\n"
        "vertex  0.000, 3.500, 3.400\n"
        "vertex  0.000, 7.000, 0.000\n"
        "face 0,1,2\n" +
        Texture("7.bmp", kTriangle) +
        ";------Oromfalal hátsó------\n"
        "[meshbuilder]\n"
        "vertex  8.000, 3.500, 3.400\n"
        "vertex  8.000, 3.500,-3.400\n"
        "vertex  8.000, 7.000, 0.000\n"
        "face 0,1,2\n" +
        Texture("8.bmp", kTriangle);
    const HouseParams params = Params(RoofKind::Pitched, [](HouseInput& in) { in.roofLevelTextureChecked = true; });
    ExpectBothLanguages(params, {GableTriangles}, expected,
                        {";------Gable front wall------", ";------Gable behind wall------"});
    EXPECT_NEAR(Write(params, UiLanguage::Hungarian, {GableTriangles}).eaveRise, 3.5 * 0.4 / 3.4, 1e-12);
}

TEST(GableWalls, OverhangZeroAndNegative)
{
    // No overhang: shoulders at the wall tops, the texture's shoulder halfway.
    const Written zero = Write(Params(RoofKind::Pitched, [](HouseInput& in) { in.roofOverhang = "0"; }),
                               UiLanguage::Hungarian, {GableWalls, GableTriangles});
    EXPECT_EQ(zero.eaveRise, 0.0);
    const auto lines = Lines(zero.bytes);
    EXPECT_EQ(lines[5], "vertex  0.000, 3.500, 3.000");
    EXPECT_EQ(lines[13], "Coordinates 2,0, 0.500");
    EXPECT_NE(zero.text.find("vertex  0.000, 3.500,-3.000\nvertex  0.000, 3.500, 3.000\nvertex  0.000, 7.000"),
              std::string::npos);

    // A negative overhang lowers the shoulders and narrows the triangles.
    const Written negative = Write(Params(RoofKind::Pitched, [](HouseInput& in) { in.roofOverhang = "-300"; }),
                                   UiLanguage::Hungarian, {GableWalls, GableTriangles});
    EXPECT_NEAR(negative.eaveRise, 3.5 * -0.3 / 2.7, 1e-12);
    const auto low = Lines(negative.bytes);
    EXPECT_EQ(low[5], "vertex  0.000, 3.111, 3.000");
    EXPECT_EQ(low[13], "Coordinates 2,0, 0.556");
    EXPECT_NE(negative.text.find("vertex  8.000, 3.500, 2.700\nvertex  8.000, 3.500,-2.700\n"), std::string::npos);
}

TEST(LeanWalls, DefaultHouse)
{
    const std::string expected =
        ";------Féltető falazat------\n"
        ";------Fal elöl------\n"
        "[meshbuilder]\n"
        "vertex  0.000, 0.000,-3.000\n"
        "vertex  0.000, 0.000, 3.000\n"
        "vertex  0.000, 7.000, 3.000\n"
        "vertex  0.000, 3.500,-3.000\n"
        "face 0,1,2,3 \n" +
        Texture("1.bmp", "Coordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0,0\nCoordinates 3,1, 0.500\n\n") +
        ";------Fal jobb------\n"
        "[meshbuilder]\n"
        "vertex  8.000, 0.000,-3.000\n"
        "vertex  0.000, 0.000,-3.000\n"
        "vertex  0.000, 3.500,-3.000\n"
        "vertex  8.000, 3.500,-3.000\n"
        "face 0,1,2,3 \n" +
        Texture("2.bmp", kQuad) +
        ";------Fal hátul------\n"
        "[meshbuilder]\n"
        "vertex  8.000, 0.000, 3.000\n"
        "vertex  8.000, 0.000,-3.000\n"
        "vertex  8.000, 3.500,-3.000\n"
        "vertex  8.000, 7.000, 3.000\n"
        "face 0,1,2,3 \n" +
        Texture("3.bmp", "Coordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0, 0.500\nCoordinates 3,1,0\n\n") +
        ";------Fal bal------\n"
        "[meshbuilder]\n"
        "vertex  0.000, 0.000, 3.000\n"
        "vertex  8.000, 0.000, 3.000\n"
        "vertex  8.000, 7.000, 3.000\n"
        "vertex  0.000, 7.000, 3.000\n"
        "face 0,1,2,3 \n" +
        Texture("4.bmp", kQuad);
    ExpectBothLanguages(Params(RoofKind::Lean), {LeanWalls}, expected,
                        {";------Lean roof wall------", ";------Front wall------", ";------Right wall------",
                         ";------Behind wall------", ";------Left wall------"});

    // The low corner's texture v is H/RH: 3/7, and above 1 for RH < H.
    for (const auto& [wallHeight, v] : {std::pair{"3000", " 0.429"}, {"8000", " 1.143"}}) {
        HouseInput input;
        input.ChooseRoof(RoofKind::Lean);
        input.wallHeight = wallHeight;
        const auto lines = Lines(Write(ReadHouseParams(input, UiLanguage::Hungarian), UiLanguage::Hungarian,
                                       {LeanWalls}).bytes);
        EXPECT_EQ(lines[13], std::string("Coordinates 3,1,") + v);
        EXPECT_EQ(lines[40], std::string("Coordinates 2,0,") + v);
    }
}

// ---------------------------------------------------------------- roofs

TEST(PitchedRoof, DefaultHouse)
{
    const std::string expected =
        ";------Nyeregtető alap------\n"
        "[meshbuilder]\n"
        "cube  3.995,0.001, 3.399\n"
        "color 100,90,70\n"
        "translate  4.000, 3.499, 0.000\n"
        "\n"
        ";------Nyeregtető oldala elöl------\n"
        "[meshbuilder]\n"
        "vertex  0.000, 0.000,-0.400\n"
        "vertex  0.000, 0.000, 0.000\n"
        "vertex  0.000, 0.412, 0.000\n"
        "face 0,1,2\n"
        "color 100,90,70\n"
        "translate  0.000, 3.500,-3.000\n"
        "\n"
        "[meshbuilder]\n"
        "vertex  0.000, 0.000, 0.000\n"
        "vertex  0.000, 0.000, 0.400\n"
        "vertex  0.000, 0.412, 0.000\n"
        "face 0,1,2\n"
        "color 100,90,70\n"
        "translate  0.000, 3.500, 3.000\n"
        "\n"
        ";------Nyeregtető oldala hátul------\n"
        "[meshbuilder]\n"
        "vertex  0.000, 0.000, 0.000\n"
        "vertex  0.000, 0.000,-0.400\n"
        "vertex  0.000, 0.412, 0.000\n"
        "face 0,1,2\n"
        "color 100,90,70\n"
        "translate  8.000, 3.500,-3.000\n"
        "\n"
        "[meshbuilder]\n"
        "vertex  0.000, 0.000, 0.400\n"
        "vertex  0.000, 0.000, 0.000\n"
        "vertex  0.000, 0.412, 0.000\n"
        "face 0,1,2\n"
        "color 100,90,70\n"
        "translate  8.000, 3.500, 3.000\n"
        "\n"
        ";------Nyeregtető jobb------\n"
        "[meshbuilder]\n"
        "vertex  8.400, 3.500,-3.400\n"
        "vertex -0.400, 3.500,-3.400\n"
        "vertex -0.400, 7.000, 0.000\n"
        "vertex  8.400, 7.000, 0.000\n"
        "face2 0,1,2,3\n" +
        Texture("a.bmp", kQuad) +
        ";------Nyeregtető bal------\n"
        "[meshbuilder]\n"
        "vertex -0.400, 3.500, 3.400\n"
        "vertex  8.400, 3.500, 3.400\n"
        "vertex  8.400, 7.000, 0.000\n"
        "vertex -0.400, 7.000, 0.000\n"
        "face2 0,1,2,3\n" +
        Texture("b.bmp", kQuad);
    ExpectBothLanguages(Params(RoofKind::Pitched), {GableWalls, PitchedRoof}, expected,
                        {";------Piched roof base------", ";------Piched roof front side------",
                         ";------Piched roof behind side------", ";------Piched roof right------",
                         ";------Piched roof left------"},
                        ";------Nyeregtető alap------");
}

TEST(PitchedRoof, RoofLevelTextureLeavesOutTheFillers)
{
    const HouseParams params = Params(RoofKind::Pitched, [](HouseInput& in) { in.roofLevelTextureChecked = true; });
    const Written with = Write(params, UiLanguage::Hungarian, {GableTriangles, PitchedRoof});
    const Written without = Write(Params(RoofKind::Pitched), UiLanguage::Hungarian,
                                  {GableWalls, PitchedRoof});
    // Soffit and the two faces exactly as without it, only the fillers gone.
    const std::string roof = From(without.text, ";------Nyeregtető alap------");
    const auto fillers = roof.find(";------Nyeregtető oldala elöl");
    const auto faces = roof.find(";------Nyeregtető jobb");
    EXPECT_EQ(From(with.text, ";------Nyeregtető alap------"), roof.substr(0, fillers) + roof.substr(faces));
}

TEST(PitchedRoof, OverhangZeroAndNegative)
{
    // Faces from the wall tops; the ridge ends move with the overhang.
    for (const auto& [overhang, ridgeFront, ridgeBack] :
         {std::tuple{"0", " 0.000", " 8.000"}, {"-300", " 0.300", " 7.700"}}) {
        HouseInput input;
        input.ChooseRoof(RoofKind::Pitched);
        input.roofOverhang = overhang;
        const HouseParams params = ReadHouseParams(input, UiLanguage::Hungarian);
        const Written written = Write(params, UiLanguage::Hungarian, {GableWalls, PitchedRoof});
        const std::string r0 = std::string("vertex ") + ridgeFront + ", 7.000, 0.000\n";
        const std::string r1 = std::string("vertex ") + ridgeBack + ", 7.000, 0.000\n";
        const std::string expected =
            ";------Nyeregtető jobb------\n"
            "[meshbuilder]\n"
            "vertex  8.000, 3.500,-3.000\n"
            "vertex  0.000, 3.500,-3.000\n" +
            r0 + r1 + "face2 0,1,2,3\n" + Texture("a.bmp", kQuad) +
            ";------Nyeregtető bal------\n"
            "[meshbuilder]\n"
            "vertex  0.000, 3.500, 3.000\n"
            "vertex  8.000, 3.500, 3.000\n" +
            r1 + r0 + "face2 0,1,2,3\n" + Texture("b.bmp", kQuad);
        // Nothing between the walls and the faces: no soffit, no fillers.
        EXPECT_TRUE(written.text.ends_with(Texture("4.bmp", kQuad) + expected)) << written.text;
    }
}

TEST(PyramidRoof, DefaultHouse)
{
    const std::string expected =
        ";------Sátortető alap------\n"
        "[meshbuilder]\n"
        "cube  4.399,0.001, 3.399\n"
        "color 100,90,70\n"
        "translate  4.000, 3.499, 0.000\n"
        "\n"
        ";------Sátortető elől------\n"
        "[meshbuilder];sátortető elöl\n"
        "vertex -0.400, 3.500,-3.400\n"
        "vertex -0.400, 3.500, 3.400\n"
        "vertex  4.000, 7.000, 0.000\n"
        "face 0,1,2\n" +
        Texture("a.bmp", kTriangle) +
        ";------Sátortető jobb------\n"
        "[meshbuilder]\n"
        "vertex  8.400, 3.500,-3.400\n"
        "vertex -0.400, 3.500,-3.400\n"
        "vertex  4.000, 7.000, 0.000\n"
        "face 0,1,2\n" +
        Texture("b.bmp", kTriangle) +
        ";------Sátortető hátul------\n"
        "[meshbuilder]\n"
        "vertex  8.400, 3.500, 3.400\n"
        "vertex  8.400, 3.500,-3.400\n"
        "vertex  4.000, 7.000, 0.000\n"
        "face 0,1,2\n" +
        Texture("c.bmp", kTriangle) +
        ";------Sátortető bal------\n"
        "[meshbuilder]\n"
        "vertex -0.400, 3.500, 3.400\n"
        "vertex  8.400, 3.500, 3.400\n"
        "vertex  4.000, 7.000, 0.000\n"
        "face 0,1,2\n" +
        Texture("d.bmp", kTriangle);
    ExpectBothLanguages(Params(RoofKind::Pyramid), {PyramidRoof}, expected,
                        {";------Piramyd roof base------", ";------Piramyd roof front------",
                         ";------Piramyd roof right------", ";------Piramyd roof behind------",
                         ";------Piramyd roof left------"});
}

TEST(PyramidRoof, NegativeOverhangCountsAsNone)
{
    const Written zero = Write(Params(RoofKind::Pyramid, [](HouseInput& in) { in.roofOverhang = "0"; }),
                               UiLanguage::Hungarian, {PyramidRoof});
    const Written negative = Write(Params(RoofKind::Pyramid, [](HouseInput& in) { in.roofOverhang = "-300"; }),
                                   UiLanguage::Hungarian, {PyramidRoof});
    EXPECT_EQ(negative.bytes, zero.bytes);
    EXPECT_TRUE(zero.text.starts_with(";------Sátortető elől------\n[meshbuilder];sátortető elöl\n"
                                      "vertex  0.000, 3.500,-3.000\nvertex  0.000, 3.500, 3.000\n"))
        << zero.text;
}

TEST(HipRoof, DefaultHouse)
{
    const std::string sloped = "Coordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2, 0.227,0\n"
                               "Coordinates 3, 0.773,0\n\n";
    const std::string expected =
        ";------Kontyolt tető alap------\n"
        "[meshbuilder]\n"
        "cube  4.399,0.001, 3.399\n"
        "color 100,90,70\n"
        "translate  4.000, 3.499, 0.000\n"
        "\n"
        ";------Kontyolt tető elöl------\n"
        "[meshbuilder]\n"
        "vertex -0.400, 3.500,-3.400\n"
        "vertex -0.400, 3.500, 3.400\n"
        "vertex  2.000, 7.000, 0.000\n"
        "face 0,1,2\n" +
        Texture("a.bmp", kTriangle) +
        ";------Kontyolt tető job------\n"
        "[meshbuilder]\n"
        "vertex  8.400, 3.500,-3.400\n"
        "vertex -0.400, 3.500,-3.400\n"
        "vertex  2.000, 7.000, 0.000\n"
        "vertex  6.000, 7.000, 0.000\n"
        "face 0,1,2,3\n" +
        Texture("b.bmp", sloped) +
        ";------Kontyolt tető hátul------\n"
        "[meshbuilder]\n"
        "vertex  8.400, 3.500, 3.400\n"
        "vertex  8.400, 3.500,-3.400\n"
        "vertex  6.000, 7.000, 0.000\n"
        "face 0,1,2\n" +
        Texture("c.bmp", kTriangle) +
        ";------Kontyolt tető bal------\n"
        "[meshbuilder]\n"
        "vertex -0.400, 3.500, 3.400\n"
        "vertex  8.400, 3.500, 3.400\n"
        "vertex  6.000, 7.000, 0.000\n"
        "vertex  2.000, 7.000, 0.000\n"
        "face 0,1,2,3\n" +
        Texture("d.bmp", sloped);
    ExpectBothLanguages(Params(RoofKind::Hip), {HipRoof}, expected,
                        {";------Hip roof base------", ";------Hip roof front------", ";------Hip roof right------",
                         ";------Hip roof behind------", ";------Hip roof left------"});
}

TEST(HipRoof, OverhangZeroAndNegative)
{
    // No soffit, faces from the wall tops; the inset still counts the overhang.
    for (const auto& [overhang, inset, rest] : {std::tuple{"0", " 0.250", " 0.750"}, {"-300", " 0.270", " 0.730"}}) {
        HouseInput input;
        input.ChooseRoof(RoofKind::Hip);
        input.roofOverhang = overhang;
        const Written written = Write(ReadHouseParams(input, UiLanguage::Hungarian), UiLanguage::Hungarian,
                                      {HipRoof});
        const auto lines = Lines(written.bytes);
        EXPECT_EQ(lines[0], ";------Kontyolt tető elöl------");
        EXPECT_EQ(lines[2], "vertex  0.000, 3.500,-3.000");
        EXPECT_EQ(lines[3], "vertex  0.000, 3.500, 3.000");
        EXPECT_EQ(lines[23], std::string("Coordinates 2,") + inset + ",0");
        EXPECT_EQ(lines[24], std::string("Coordinates 3,") + rest + ",0");
    }
}

const std::string kLeanRoofHu =
    ";------Féltető alap------\n"
    "[meshbuilder]\n"
    "vertex  8.000, 3.267,-3.400\n"
    "vertex  0.000, 3.267,-3.400\n"
    "vertex  0.000, 3.267, 3.000\n"
    "vertex  8.000, 3.267, 3.000\n"
    "face 3,2,1,0\n"
    "color 100,90,70\n"
    "\n"
    ";------Féltető oldala elöl------\n"
    "[meshbuilder]\n"
    "vertex 0,0,-0.400\n"
    "vertex 0,0,0\n"
    "vertex 0, 0.233,0\n"
    "face 0,1,2\n"
    "color 100,90,70\n"
    "translate  0.000, 3.267,-3.000\n"
    "\n"
    ";------Féltető oldala hátul------\n"
    "[meshbuilder]\n"
    "vertex 0,0,0\n"
    "vertex 0,0,-0.400\n"
    "vertex 0, 0.233,0\n"
    "face 0,1,2\n"
    "color 100,90,70\n"
    "translate  8.000, 3.267,-3.000\n"
    "\n"
    ";------Féltető------\n"
    "[meshbuilder]\n"
    "vertex  8.000, 3.267,-3.400\n"
    "vertex  0.000, 3.267,-3.400\n"
    "vertex  0.000, 7.000, 3.000\n"
    "vertex  8.000, 7.000, 3.000\n"
    "face2 0,1,2,3\n" +
    Texture("a.bmp", kQuad);

TEST(LeanRoof, DefaultHouse)
{
    ExpectBothLanguages(Params(RoofKind::Lean), {LeanRoof}, kLeanRoofHu,
                        {";------Lean roof base------", ";------Lean roof side front------",
                         ";------Lean roof side behind------", ";------Lean roof------"});
    const Written written = Write(Params(RoofKind::Lean), UiLanguage::Hungarian, {LeanRoof});
    EXPECT_NEAR(written.eaveRise, 3.5 * 0.4 / 6, 1e-12);
    EXPECT_NEAR(written.corners.frontRightTop.y, 3.5 - 3.5 * 0.4 / 6, 1e-12);
}

TEST(LeanRoof, GablePartsOfTheRoofLevelTexture)
{
    const std::string expected =
        ";------Oromfal elöl------\n"
        "[meshbuilder]\n"
        "vertex  0.000, 3.500,-3.000\n"
        "vertex  0.000, 3.500, 3.000\n"
        "vertex  0.000, 7.000, 3.000\n"
        "face 0,1,2 \n" +
        Texture("7.bmp", "Coordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0,0\n\n") +
        ";------Oromfal hátul------\n"
        "[meshbuilder]\n"
        "vertex  8.000, 3.500, 3.000\n"
        "vertex  8.000, 3.500,-3.000\n"
        "vertex  8.000, 7.000, 3.000\n"
        "face 0,1,2 \n" +
        Texture("8.bmp", "Coordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,1,0\n\n") +
        ";------Oromfal bal------\n"
        "[meshbuilder]\n"
        "vertex  0.000, 3.500, 3.000\n"
        "vertex  8.000, 3.500, 3.000\n"
        "vertex  8.000, 7.000, 3.000\n"
        "vertex  0.000, 7.000, 3.000\n"
        "face 0,1,2,3 \n" +
        Texture("9.bmp", kQuad) + kLeanRoofHu;
    ExpectBothLanguages(Params(RoofKind::Lean, [](HouseInput& in) { in.roofLevelTextureChecked = true; }),
                        {LeanRoof}, expected,
                        {";------Gable front wall------", ";------Gable behind wall------",
                         ";------Gable left wall------", ";------Lean roof base------",
                         ";------Lean roof side front------", ";------Lean roof side behind------",
                         ";------Lean roof------"});
}

TEST(LeanRoof, OverhangZeroAndNegative)
{
    // No soffit and no fillers; the eave stays at wall height, a negative
    // overhang moves it inside the right wall.
    for (const auto& [overhang, z] : {std::pair{"0", "-3.000"}, {"-300", "-2.700"}}) {
        HouseInput input;
        input.ChooseRoof(RoofKind::Lean);
        input.roofOverhang = overhang;
        const Written written = Write(ReadHouseParams(input, UiLanguage::Hungarian), UiLanguage::Hungarian,
                                      {LeanRoof});
        const std::string expected = ";------Féltető------\n"
                                     "[meshbuilder]\n"
                                     "vertex  8.000, 3.500," +
                                     std::string(z) + "\nvertex  0.000, 3.500," + z +
                                     "\n"
                                     "vertex  0.000, 7.000, 3.000\n"
                                     "vertex  8.000, 7.000, 3.000\n"
                                     "face2 0,1,2,3\n" +
                                     Texture("a.bmp", kQuad);
        ExpectB3d(written.bytes, expected);
        EXPECT_EQ(written.eaveRise, 0.0);
        EXPECT_EQ(written.corners.frontRightTop.y, 3.5);
    }
}

// ------------------------------------------------- colours and offset

// The colour lines of a text, in order.
std::vector<std::string> ColorLines(const std::string& bytes)
{
    std::vector<std::string> colors;
    const auto lines = Lines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].starts_with("color "))
            continue;
        colors.push_back(lines[i]);
        // A user colour stands between the face line and the texture.
        if (lines[i] != "color 100,90,70") {
            EXPECT_TRUE(lines[i - 1].starts_with("face")) << lines[i - 1];
            EXPECT_EQ(lines[i + 1], "[Texture]");
        }
    }
    return colors;
}

TEST(RoofColors, EachFaceFollowsItsOwnSwitch)
{
    const std::string fixed = "color 100,90,70";
    const std::string wall = "color   1,  2,  3";
    const std::string roof = "color 100, 20, 20";
    struct Case {
        RoofKind kind;
        bool roofLevelTexture;
        Element element;
        std::vector<std::string> fixedColors;
        std::vector<std::string> userColors;
    };
    const Case cases[] = {
        {RoofKind::Pitched, false, GableWalls, {}, {wall, wall, wall, wall}},
        {RoofKind::Pitched, true, GableTriangles, {}, {wall, wall}},
        {RoofKind::Lean, false, LeanWalls, {}, {wall, wall, wall, wall}},
        {RoofKind::Pitched, false, PitchedRoof, {fixed, fixed, fixed, fixed, fixed},
         {fixed, fixed, fixed, fixed, fixed, roof, roof}},
        {RoofKind::Pyramid, false, PyramidRoof, {fixed}, {fixed, roof, roof, roof, roof}},
        {RoofKind::Hip, false, HipRoof, {fixed}, {fixed, roof, roof, roof, roof}},
        {RoofKind::Lean, true, LeanRoof, {fixed, fixed, fixed},
         {wall, wall, wall, fixed, fixed, fixed, roof}},
    };
    for (const Case& c : cases) {
        HouseInput input;
        input.ChooseRoof(c.kind);
        input.roofLevelTextureChecked = c.roofLevelTexture;
        HouseParams params = ReadHouseParams(input, UiLanguage::Hungarian);
        EXPECT_EQ(ColorLines(Write(params, UiLanguage::Hungarian, {c.element}).bytes), c.fixedColors);
        params.wallColor = {1, 2, 3};
        params.useWallColor = true;
        params.useRoofColor = true;
        EXPECT_EQ(ColorLines(Write(params, UiLanguage::Hungarian, {c.element}).bytes), c.userColors);
    }
}

bool ReadPoint(const std::string& line, std::string_view keyword, Vec3& point)
{
    if (!line.starts_with(keyword))
        return false;
    double* const fields[] = {&point.x, &point.y, &point.z};
    const char* at = line.data() + keyword.size();
    const char* const end = line.data() + line.size();
    for (double* field : fields) {
        while (at < end && (*at == ' ' || *at == ','))
            ++at;
        const auto [next, error] = std::from_chars(at, end, *field);
        EXPECT_EQ(error, std::errc()) << line;
        at = next;
    }
    return true;
}

TEST(RoofOffset, MovesEveryVertexAndTranslateOnce)
{
    const Vec3 offset{1, 2, -3};
    struct Case {
        RoofKind kind;
        bool roofLevelTexture;
        std::initializer_list<Element> elements;
    };
    const Case cases[] = {
        {RoofKind::Pitched, false, {GableWalls, PitchedRoof}},
        {RoofKind::Pitched, true, {GableTriangles, PitchedRoof}},
        {RoofKind::Pyramid, false, {PyramidRoof}},
        {RoofKind::Hip, false, {HipRoof}},
        {RoofKind::Lean, false, {LeanWalls, LeanRoof}},
        {RoofKind::Lean, true, {LeanRoof}},
    };
    for (const Case& c : cases) {
        HouseInput input;
        input.ChooseRoof(c.kind);
        input.roofLevelTextureChecked = c.roofLevelTexture;
        HouseParams params = ReadHouseParams(input, UiLanguage::Hungarian);
        const Written still = Write(params, UiLanguage::Hungarian, c.elements);
        params.offset = offset;
        const Written moved = Write(params, UiLanguage::Hungarian, c.elements);

        // The eave corners left for the gutters are house points: no offset.
        EXPECT_EQ(moved.eave.frontRight.x, still.eave.frontRight.x);
        EXPECT_EQ(moved.eave.backRight.y, still.eave.backRight.y);
        EXPECT_EQ(moved.eave.backRight.z, still.eave.backRight.z);

        const auto before = Lines(still.bytes);
        const auto after = Lines(moved.bytes);
        ASSERT_EQ(before.size(), after.size());
        int shifted = 0;
        for (std::size_t begin = 0; begin < before.size();) {
            // One section: up to the next comment or section line.
            std::size_t end = begin + 1;
            while (end < before.size() && !before[end].starts_with(";") && !before[end].starts_with("[meshbuilder]"))
                ++end;
            // A section placed by a translate has vertices relative to it.
            const bool relative = std::any_of(before.begin() + static_cast<std::ptrdiff_t>(begin),
                                              before.begin() + static_cast<std::ptrdiff_t>(end),
                                              [](const std::string& line) { return line.starts_with("translate "); });
            for (std::size_t i = begin; i < end; ++i) {
                Vec3 a, b;
                const bool point = ReadPoint(before[i], "translate ", a) ||
                                   (!relative && ReadPoint(before[i], "vertex ", a));
                if (!point) {
                    EXPECT_EQ(after[i], before[i]) << i;
                    continue;
                }
                ASSERT_TRUE(ReadPoint(after[i], after[i].substr(0, after[i].find(' ') + 1), b)) << after[i];
                EXPECT_NEAR(b.x, a.x + offset.x, 1e-9) << after[i];
                EXPECT_NEAR(b.y, a.y + offset.y, 1e-9) << after[i];
                EXPECT_NEAR(b.z, a.z + offset.z, 1e-9) << after[i];
                ++shifted;
            }
            begin = end;
        }
        EXPECT_GT(shifted, 0);
    }
}

// ------------------------------------------- whole houses and refusals

// The lines of `lines` that begin a section title (";------").
std::vector<std::string> Titles(const std::vector<std::string>& lines)
{
    std::vector<std::string> titles;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(titles),
                 [](const std::string& line) { return line.starts_with(";------"); });
    return titles;
}

bool ContainsInOrder(const std::vector<std::string>& lines, const std::vector<std::string>& wanted)
{
    auto at = lines.begin();
    for (const std::string& line : wanted) {
        at = std::find(at, lines.end(), line);
        if (at == lines.end())
            return false;
        ++at;
    }
    return true;
}

TEST(RoofHouses, CommandLineWritesEveryRoofInBothLanguages)
{
    struct Case {
        std::vector<std::string> options;
        std::string file;
        std::vector<std::string> titles;  // the walls' and the roof's, in order
    };
    const Case cases[] = {
        {{"--roof", "pitched", "--lang", "hu"}, "haz_nyeregteto.b3d",
         {";------Falazat------", ";------Fal elöl------", ";------Fal jobb------", ";------Fal hátsó------",
          ";------Fal bal------", ";------Nyeregtető alap------", ";------Nyeregtető oldala elöl------",
          ";------Nyeregtető oldala hátul------", ";------Nyeregtető jobb------", ";------Nyeregtető bal------"}},
        {{"--roof", "pitched", "--lang", "en", "--roof-level-texture"}, "House_piched.b3d",
         {";------Walling------", ";------Behind wall------", ";------Left wall------",
          ";------Gable front wall------", ";------Gable behind wall------", ";------Piched roof base------",
          ";------Piched roof right------", ";------Piched roof left------"}},
        {{"--roof", "pyramid", "--lang", "hu"}, "haz_satorteto.b3d",
         {";------Fal bal------", ";------Sátortető alap------", ";------Sátortető elől------",
          ";------Sátortető jobb------", ";------Sátortető hátul------", ";------Sátortető bal------"}},
        {{"--roof", "pyramid", "--lang", "en"}, "House_pyramid.b3d",
         {";------Left wall------", ";------Piramyd roof base------", ";------Piramyd roof front------",
          ";------Piramyd roof right------", ";------Piramyd roof behind------", ";------Piramyd roof left------"}},
        {{"--roof", "hip", "--lang", "hu"}, "haz_kontyoltteto.b3d",
         {";------Fal bal------", ";------Kontyolt tető alap------", ";------Kontyolt tető elöl------",
          ";------Kontyolt tető job------", ";------Kontyolt tető hátul------", ";------Kontyolt tető bal------"}},
        {{"--roof", "hip", "--lang", "en"}, "House_hip.b3d",
         {";------Left wall------", ";------Hip roof base------", ";------Hip roof front------",
          ";------Hip roof right------", ";------Hip roof behind------", ";------Hip roof left------"}},
        {{"--roof", "lean", "--lang", "hu"}, "haz_felteto.b3d",
         {";------Féltető falazat------", ";------Fal elöl------", ";------Fal hátul------", ";------Fal bal------",
          ";------Féltető alap------", ";------Féltető oldala elöl------", ";------Féltető oldala hátul------",
          ";------Féltető------"}},
        {{"--roof", "lean", "--lang", "en", "--roof-level-texture"}, "haz_lean.b3d",
         {";------Walling------", ";------Left wall------", ";------Gable front wall------",
          ";------Gable behind wall------", ";------Gable left wall------", ";------Lean roof base------",
          ";------Lean roof side front------", ";------Lean roof side behind------", ";------Lean roof------"}},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        std::vector<std::string> args = {"house"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto result = test::RunCli(args, folder.path());
        ASSERT_EQ(result.exitCode, 0) << c.file << ": " << result.err;
        const auto titles = Titles(Lines(ReadFile(folder / c.file)));
        EXPECT_TRUE(ContainsInOrder(titles, c.titles)) << c.file;
        EXPECT_TRUE(result.out.starts_with(c.file)) << result.out;
    }
}

TEST(RoofHouses, UndefinedGeometryIsRefusedBeforeTheFileIsTouched)
{
    struct Case {
        RoofKind kind;
        void (*edit)(HouseInput&);
        bool refused;
    };
    const Case cases[] = {
        // The gable walls divide by the ridge height; the triangles do not.
        {RoofKind::Pitched, [](HouseInput& in) { in.roofHeight = "0"; }, true},
        {RoofKind::Pitched, [](HouseInput& in) { in.roofHeight = "0"; in.roofLevelTextureChecked = true; }, false},
        // The roof slope of the gables divides by width/2 + overhang.
        {RoofKind::Pitched, [](HouseInput& in) { in.roofOverhang = "-3000"; }, true},
        {RoofKind::Pitched, [](HouseInput& in) { in.roofOverhang = "-3000"; in.roofLevelTextureChecked = true; }, true},
        // The hip inset divides by length + 2 * overhang.
        {RoofKind::Hip, [](HouseInput& in) { in.roofOverhang = "-4000"; }, true},
        {RoofKind::Pyramid, [](HouseInput& in) { in.roofOverhang = "-4000"; }, false},
        // The lean roof's drop over the overhang divides by the width.
        {RoofKind::Lean, [](HouseInput& in) { in.width = "0"; }, true},
        {RoofKind::Lean, [](HouseInput& in) { in.width = "0"; in.roofOverhang = "0"; }, false},
        // The lean walls' texture divides by the roof height.
        {RoofKind::Lean, [](HouseInput& in) { in.roofHeight = "0"; }, true},
        {RoofKind::Lean, [](HouseInput& in) { in.roofHeight = "0"; in.roofLevelTextureChecked = true; }, false},
    };
    for (const Case& c : cases) {
        for (const UiLanguage language : {UiLanguage::Hungarian, UiLanguage::English}) {
            TempFolder folder;
            HouseInput input;
            input.ChooseRoof(c.kind);
            c.edit(input);
            const auto path = folder / HouseFileName(c.kind, language);
            if (!c.refused) {
                const HouseResult result = GenerateHouse(input, language, folder.path());
                EXPECT_EQ(ReadFile(path).find("nan"), std::string::npos);
                EXPECT_EQ(ReadFile(path).find("inf"), std::string::npos);
                continue;
            }
            EXPECT_THROW(GenerateHouse(input, language, folder.path()), InputError);
            EXPECT_FALSE(std::filesystem::exists(path));
            test::WriteFile(path, "previous");
            EXPECT_THROW(GenerateHouse(input, language, folder.path()), InputError);
            EXPECT_EQ(ReadFile(path), "previous");
        }
    }
}

}  // namespace
}  // namespace kestrane

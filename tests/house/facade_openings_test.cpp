// Houses with facades as written: the opening sections, their faces read
// back (convex, visible from outside), the bitmap list, refusals that leave
// the previous file alone, and files without facades unchanged byte for
// byte.
#include "house/facade_openings.h"
#include "house/house_generator.h"

#include "b3d/b3d_reader.h"
#include "core/errors.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace kestrane {
namespace {

HouseInput WithFacades(RoofKind kind)
{
    HouseInput input;
    input.ChooseRoof(kind);
    FacadeInput& f = input.facades;
    f.enabled = true;
    for (const WallSide side : kWallSides)
        f.windows[static_cast<int>(side)].enabled = true;
    f.windows[static_cast<int>(WallSide::Right)].count = "3";
    f.door.enabled = true;
    f.sideDoor.enabled = true;
    f.sideDoorSide = WallSide::Left;
    f.sideDoor.position = "-2000";
    f.frames = true;
    f.lit = true;
    f.litPercent = "50";
    return input;
}

Vec3 Sub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The outward normal of the wall nearest to `p` (on the ground plane).
Vec3 Outward(const Vec3& p, const HouseParams& house)
{
    const double h = house.width / 2;
    const double distances[] = {std::abs(p.x), std::abs(p.z + h), std::abs(p.x - house.length), std::abs(p.z - h)};
    const Vec3 normals[] = {{-1, 0, 0}, {0, 0, -1}, {1, 0, 0}, {0, 0, 1}};
    return normals[std::min_element(std::begin(distances), std::end(distances)) - std::begin(distances)];
}

bool IsFacadeSection(const b3d::Section& s)
{
    const bool opening = s.texture == "ablak.bmp" || s.texture == "ajto.bmp";
    const ColorRgb color{s.color.r, s.color.g, s.color.b};
    return opening || (s.hasColor && (color == kFrameColor || color == kSillColor));
}

TEST(FacadeOpenings, EveryFaceIsConvexAndVisibleFromOutside)
{
    for (const RoofKind kind : {RoofKind::Pitched, RoofKind::Hip, RoofKind::Pyramid, RoofKind::Flat, RoofKind::Lean}) {
        SCOPED_TRACE(static_cast<int>(kind));
        test::TempFolder folder;
        const HouseInput input = WithFacades(kind);
        const HouseResult result = GenerateHouse(input, UiLanguage::Hungarian, folder.path());
        const b3d::Model model = b3d::ReadB3dFile(result.path);
        EXPECT_TRUE(model.problems.empty()) << model.problems.front().text;
        EXPECT_TRUE(model.warnings.empty());

        const HouseParams params = ReadHouseParams(input, UiLanguage::Hungarian);
        std::size_t openings = 0;
        std::size_t faces = 0;
        for (const b3d::Section& section : model.sections) {
            if (!IsFacadeSection(section))
                continue;
            const bool opening = !section.texture.empty();
            openings += opening;
            for (const b3d::Face& face : section.faces) {
                ++faces;
                EXPECT_FALSE(face.twoSided);
                const auto corners = section.Corners(face);
                ASSERT_EQ(corners.size(), 4u);
                std::array<Vec3, 4> p;
                for (std::size_t i = 0; i < 4; ++i)
                    p[i] = section.vertices[corners[i]];
                const Vec3 normal = Cross(Sub(p[1], p[0]), Sub(p[2], p[0]));
                // Convex and flat: every turn the same way as the normal,
                // every corner in the plane of the first three.
                for (std::size_t i = 0; i < 4; ++i) {
                    const Vec3 turn = Cross(Sub(p[(i + 1) % 4], p[i]), Sub(p[(i + 2) % 4], p[(i + 1) % 4]));
                    EXPECT_GT(Dot(turn, normal), 0) << "line " << section.line;
                }
                EXPECT_NEAR(Dot(Sub(p[3], p[0]), normal), 0, 1e-9);
                // Never towards the wall it stands on; an opening's face
                // straight away from the house.
                const Vec3 centre{(p[0].x + p[2].x) / 2, 0, (p[0].z + p[2].z) / 2};
                const Vec3 outward = Outward(centre, params);
                EXPECT_GE(Dot(normal, outward), -1e-9) << "line " << section.line;
                if (opening) {
                    EXPECT_GT(Dot(normal, outward), 0) << "line " << section.line;
                    EXPECT_NEAR(normal.y, 0, 1e-9);
                    ASSERT_EQ(section.texCoords.size(), 4u);
                    EXPECT_EQ(section.texCoords[0], (b3d::TexCoord{1, 1}));
                    EXPECT_EQ(section.texCoords[2], (b3d::TexCoord{0, 0}));
                }
            }
        }
        // Two front and two back windows, three right, two left; the front
        // door in the middle is too close to both front windows, the side
        // door takes the place of one left window.
        EXPECT_EQ(openings, 2u + 3 + 2 + 2 - 2 - 1 + 2) << result.fileName;
        EXPECT_GT(faces, openings * 12);
    }
}

TEST(FacadeOpenings, SectionsAsWritten)
{
    test::TempFolder folder;
    HouseInput input;
    input.facades.enabled = true;
    input.facades.door.enabled = true;
    input.facades.windows[static_cast<int>(WallSide::Back)].enabled = true;
    input.facades.windows[static_cast<int>(WallSide::Back)].count = "1";
    input.facades.lit = true;
    input.facades.litPercent = "100";
    input.facades.windowColor = "20,30,40";
    const HouseResult result = GenerateHouse(input, UiLanguage::Hungarian, folder.path());
    const std::string text = test::ReadableText(test::ReadFile(result.path));

    // After the walls, the roof and the gutters, before the chimney: the
    // door in the middle of the front wall, 5 mm in front of it, on the
    // 400 mm of the front stairs; the lit
    // window with its colour instead of a bitmap.
    const std::string expected =
        ";------Ajtó elöl------\n"
        "[meshbuilder]\n"
        "vertex -0.005, 0.400,-0.500\n"
        "vertex -0.005, 0.400, 0.500\n"
        "vertex -0.005, 2.500, 0.500\n"
        "vertex -0.005, 2.500,-0.500\n"
        "face 0,1,2,3\n"
        "[Texture]\nload ajto.bmp\nCoordinates 0,1,1\nCoordinates 1,0,1\nCoordinates 2,0,0\nCoordinates 3,1,0\n\n"
        ";------Ablak hátul------\n"
        "[meshbuilder]\n"
        "vertex  8.005, 0.900, 0.600\n"
        "vertex  8.005, 0.900,-0.600\n"
        "vertex  8.005, 2.300,-0.600\n"
        "vertex  8.005, 2.300, 0.600\n"
        "face 0,1,2,3\n"
        "color  20, 30, 40\n"
        "EmissiveColor 255,214,140\n"
        "\n"
        ";------Kémény------\n";
    const auto at = text.find(expected);
    EXPECT_NE(at, std::string::npos) << text;
    EXPECT_LT(text.find(";------Fal bal------"), at);
    EXPECT_LT(text.find("Ereszcsatorna"), at);
    EXPECT_EQ(result.textures, (std::vector<std::string>{"1.bmp", "2.bmp", "3.bmp", "4.bmp", "a.bmp", "b.bmp",
                                                         "c.bmp", "d.bmp", "eresz.bmp", "ajto.bmp", "k.bmp"}))
        << text;
    EXPECT_EQ(TextureListText({"1.bmp", "ajto.bmp"}, UiLanguage::English), "Bitmaps needed:\n  1.bmp\n  ajto.bmp");
}

TEST(FacadeOpenings, RefusedFacadesLeaveThePreviousFile)
{
    test::TempFolder folder;
    const HouseResult first = GenerateHouse(HouseInput{}, UiLanguage::English, folder.path());
    const std::string before = test::ReadFile(first.path);
    EXPECT_TRUE(first.textures.empty()) << "no list without facades";

    HouseInput input;
    input.facades.enabled = true;
    input.facades.windows[static_cast<int>(WallSide::Front)] = {true, "9", "1200", "1400", "900"};
    try {
        GenerateHouse(input, UiLanguage::English, folder.path());
        ADD_FAILURE() << "nine windows fitted on a 6 m wall";
    } catch (const InputError& e) {
        EXPECT_EQ(e.field(), "Front wall, window count");
    }
    input.facades.windows[static_cast<int>(WallSide::Front)] = {true, "2", "1200", "abc", "900"};
    try {
        GenerateHouse(input, UiLanguage::Hungarian, folder.path());
        ADD_FAILURE() << "a malformed height was taken";
    } catch (const InputError& e) {
        EXPECT_STREQ(e.what(), "Elülső fal, ablak magassága: \"abc\" nem érvényes szám.");
    }
    input.facades.windows[static_cast<int>(WallSide::Front)] = {};
    input.facades.windowTexture = "ablak 2.bmp";
    EXPECT_THROW(GenerateHouse(input, UiLanguage::English, folder.path()), InputError);
    input.facades.windowTexture = "";
    for (const char* color : {"1,2", "1,2,3,4", "1,2,256", "a,b,c", "1,,3"}) {
        input.facades.doorColor = color;
        try {
            GenerateHouse(input, UiLanguage::English, folder.path());
            ADD_FAILURE() << color;
        } catch (const InputError& e) {
            EXPECT_EQ(e.field(), "Door color") << color;
        }
    }
    EXPECT_EQ(test::ReadFile(first.path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// FNV-1a, enough to tell files apart.
std::uint64_t Fingerprint(const std::string& bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

TEST(FacadeOpenings, FilesWithoutFacadesAreUnchanged)
{
    // Fingerprints of the files as written before facades existed: every
    // roof kind, plain in Hungarian and with corner walls, roof-level
    // texture, colours and side and corner stairs in English.
    struct Case {
        RoofKind kind;
        bool extras;
        std::uint64_t fingerprint;
        std::size_t size;
    };
    const Case cases[] = {
        {RoofKind::Pitched, false, 0x22f055819b124e35ull, 5189}, {RoofKind::Pitched, true, 0x4b11844fe32da42dull, 6156},
        {RoofKind::Hip, false, 0xbcaea306eddfa71eull, 4803},     {RoofKind::Hip, true, 0x310330d2ca3a95b4ull, 6142},
        {RoofKind::Pyramid, false, 0x6193323108cc6fc8ull, 4680}, {RoofKind::Pyramid, true, 0xe87085c747095a17ull, 6065},
        {RoofKind::Flat, false, 0x0d7f73e90e0c6f15ull, 2148},    {RoofKind::Flat, true, 0x6bdb8b2a13acdeaaull, 2835},
        {RoofKind::Lean, false, 0x4453d66495c6f7ffull, 3915},    {RoofKind::Lean, true, 0xc41720014a26e516ull, 5410},
    };
    for (const Case& c : cases) {
        HouseInput input;
        input.ChooseRoof(c.kind);
        UiLanguage language = UiLanguage::Hungarian;
        if (c.extras) {
            input.cornerWallLeft = input.cornerWallRight = true;
            input.roofLevelTextureChecked = true;
            input.wall = {{1, 2, 3}, true};
            input.roof = {{4, 5, 6}, true};
            input.stairSide = 2;
            input.stairCorner = 2;
            language = UiLanguage::English;
        }
        test::TempFolder folder;
        const std::string plain = test::ReadFile(GenerateHouse(input, language, folder.path()).path);
        EXPECT_EQ(plain.size(), c.size) << static_cast<int>(c.kind) << " " << c.extras;
        EXPECT_EQ(Fingerprint(plain), c.fingerprint) << static_cast<int>(c.kind) << " " << c.extras;

        // Facade inputs filled in but switched off change nothing either.
        HouseInput switchedOff = input;
        switchedOff.facades = WithFacades(c.kind).facades;
        switchedOff.facades.enabled = false;
        test::TempFolder other;
        EXPECT_EQ(test::ReadFile(GenerateHouse(switchedOff, language, other.path()).path), plain);
    }
}

}  // namespace
}  // namespace kestrane

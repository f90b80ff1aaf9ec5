// The B3D reader: statements expanded into the mesh model, and the problems
// it reports with their line numbers.
#include "b3d/b3d_reader.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>
#include <sstream>

namespace kestrane::b3d {
namespace {

using test::B3dBytes;

constexpr double kTolerance = 1e-9;

void ExpectPoint(const Vec3& actual, const Vec3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTolerance);
}

std::vector<std::vector<std::uint32_t>> FaceCorners(const Section& section)
{
    std::vector<std::vector<std::uint32_t>> faces;
    for (const Face& face : section.faces) {
        const auto corners = section.Corners(face);
        faces.emplace_back(corners.begin(), corners.end());
    }
    return faces;
}

std::string Describe(const std::vector<Message>& messages)
{
    std::string text;
    for (const Message& message : messages)
        text += "line " + std::to_string(message.line) + ": " + message.text + "\n";
    return text;
}

// ------------------------------------------------------------ expansion

TEST(B3dReaderExpansion, CubeAddsEightVerticesAndSixFacesAfterTheExistingOnes)
{
    const Model model = ReadB3d(B3dBytes("[MeshBuilder]\n"
                                         "Vertex 9,9,9\n"
                                         "Cube 1,2,3\n"));
    ASSERT_TRUE(model.problems.empty()) << Describe(model.problems);
    ASSERT_EQ(model.sections.size(), 1u);
    const Section& section = model.sections[0];
    const std::vector<Vec3> expected = {
        {9, 9, 9},  {1, 2, -3}, {1, -2, -3}, {-1, -2, -3}, {-1, 2, -3},
        {1, 2, 3},  {1, -2, 3}, {-1, -2, 3}, {-1, 2, 3},
    };
    EXPECT_EQ(section.vertices, expected);
    // The cube's own indices 0-1-2-3, 0-4-5-1, ... shifted past vertex 0.
    const std::vector<std::vector<std::uint32_t>> faces = {
        {1, 2, 3, 4}, {1, 5, 6, 2}, {1, 4, 8, 5}, {7, 6, 5, 8}, {7, 8, 4, 3}, {7, 3, 2, 6},
    };
    EXPECT_EQ(FaceCorners(section), faces);
    for (const Face& face : section.faces)
        EXPECT_FALSE(face.twoSided);
    EXPECT_EQ(model.vertexCount, 9u);
    EXPECT_EQ(model.faceCount, 6u);
}

TEST(B3dReaderExpansion, CylinderAddsVertexPairsSideFacesAndBothCaps)
{
    const Model model = ReadB3d(B3dBytes("[MeshBuilder]\n"
                                         "Cylinder 4,1,2,6\n"));
    ASSERT_TRUE(model.problems.empty()) << Describe(model.problems);
    const Section& section = model.sections.at(0);
    ASSERT_EQ(section.vertices.size(), 8u);
    for (int k = 0; k < 4; ++k) {
        const double angle = 2.0 * std::numbers::pi * k / 4;
        ExpectPoint(section.vertices[2 * k], {std::cos(angle) * 1, 3, std::sin(angle) * 1});
        ExpectPoint(section.vertices[2 * k + 1], {std::cos(angle) * 2, -3, std::sin(angle) * 2});
    }
    const std::vector<std::vector<std::uint32_t>> faces = {
        {2, 3, 1, 0}, {4, 5, 3, 2}, {6, 7, 5, 4}, {0, 1, 7, 6},  // sides
        {6, 4, 2, 0},                                            // even vertices, descending
        {1, 3, 5, 7},                                            // odd vertices, ascending
    };
    EXPECT_EQ(FaceCorners(section), faces);
}

TEST(B3dReaderExpansion, CylinderCapsFollowTheSignsOfTheRadii)
{
    struct Case {
        const char* line;
        std::vector<std::vector<std::uint32_t>> caps;
    };
    const Case cases[] = {
        {"cylinder 3,-1,2,1", {{4, 2, 0}}},  // r2 > 0 only: the even cap
        {"cylinder 3,1,-2,1", {{1, 3, 5}}},  // r1 > 0 only: the odd cap
        {"cylinder 3,-1,-2,1", {}},
        {"cylinder 3,1,0,1", {{1, 3, 5}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const Model model = ReadB3d(B3dBytes(std::string("[meshbuilder]\n") + c.line + "\n"));
        ASSERT_TRUE(model.problems.empty()) << Describe(model.problems);
        auto faces = FaceCorners(model.sections.at(0));
        ASSERT_EQ(faces.size(), 3 + c.caps.size());
        faces.erase(faces.begin(), faces.begin() + 3);
        EXPECT_EQ(faces, c.caps);
    }
    // A negative radius still gives the ring its size.
    const Model model = ReadB3d("[meshbuilder]\ncylinder 4,-1,-2,2\n");
    ExpectPoint(model.sections.at(0).vertices[0], {1, 1, 0});
    ExpectPoint(model.sections.at(0).vertices[1], {2, -1, 0});
}

// ------------------------------------------------------------ transforms

TEST(B3dReaderTransform, TranslateMovesOnlyTheVerticesOfTheSectionSoFar)
{
    const Model model = ReadB3d(B3dBytes("[MeshBuilder]\n"
                                         "Vertex 1,1,1\n"
                                         "[MeshBuilder]\n"
                                         "Vertex 1,2,3\n"
                                         "Translate 10,20,30\n"
                                         "Vertex 0,0,0\n"));
    ASSERT_EQ(model.sections.size(), 2u);
    EXPECT_EQ(model.sections[0].vertices, (std::vector<Vec3>{{1, 1, 1}}));
    EXPECT_EQ(model.sections[1].vertices, (std::vector<Vec3>{{11, 22, 33}, {0, 0, 0}}));
}

TEST(B3dReaderTransform, TranslateAndRotateApplyInTheirOrder)
{
    // Positive angles turn clockwise seen from the axis tip: about y, +x
    // goes to -z; about x, +y goes to +z.
    struct Case {
        const char* statements;
        Vec3 expected;
    };
    const Case cases[] = {
        {"Rotate 0,1,0,90", {0, 0, -1}},
        {"Rotate 0,3,0,90", {0, 0, -1}},  // the axis length does not matter
        {"Translate 1,0,0\nRotate 0,1,0,90", {0, 0, -2}},
        {"Rotate 0,1,0,90\nTranslate 1,0,0", {1, 0, -1}},
        {"Rotate 0,0,1,180", {-1, 0, 0}},
        {"Rotate 0,1,0,-90\nRotate 0,1,0,90", {1, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statements);
        const Model model = ReadB3d(B3dBytes(std::string("[MeshBuilder]\nVertex 1,0,0\n") + c.statements + "\n"));
        ASSERT_TRUE(model.problems.empty()) << Describe(model.problems);
        ExpectPoint(model.sections.at(0).vertices.at(0), c.expected);
    }
    const Model model = ReadB3d("[MeshBuilder]\nVertex 0,1,0\nRotate 1,0,0,90\n");
    ExpectPoint(model.sections.at(0).vertices.at(0), {0, 0, 1});
}

TEST(B3dReaderTransform, AllVariantsReachEverySectionSoFar)
{
    const Model model = ReadB3d("[MeshBuilder]\nVertex 1,0,0\n"
                                "[MeshBuilder]\nVertex 0,1,0\n"
                                "TranslateAll 1,1,1\n"
                                "ScaleAll 2,2,2\n"
                                "Scale 1,10,1\n"
                                "[MeshBuilder]\nVertex 5,5,5\n"
                                "RotateAll 0,0,1,0\n");
    ASSERT_TRUE(model.problems.empty()) << Describe(model.problems);
    EXPECT_EQ(model.sections[0].vertices, (std::vector<Vec3>{{4, 2, 2}}));
    EXPECT_EQ(model.sections[1].vertices, (std::vector<Vec3>{{2, 40, 2}}));
    EXPECT_EQ(model.sections[2].vertices, (std::vector<Vec3>{{5, 5, 5}}));
}

TEST(B3dReaderTransform, OwnAndAllTransformsInterleaveAcrossSections)
{
    const Model model = ReadB3d("[MeshBuilder]\n"
                                "Vertex 1,0,0\n"         // a
                                "Translate 1,0,0\n"
                                "Vertex 0,0,0\n"         // b
                                "ScaleAll 2,2,2\n"
                                "Translate 0,1,0\n"
                                "TranslateAll 0,0,1\n"
                                "Vertex 5,5,5\n"         // c
                                "[MeshBuilder]\n"
                                "Vertex 1,1,1\n"         // d
                                "Scale 3,3,3\n"
                                "TranslateAll 1,0,0\n"
                                "Rotate 0,1,0,90\n"
                                "Vertex 0,0,0\n"         // e
                                "ScaleAll 1,2,1\n");
    ASSERT_TRUE(model.problems.empty()) << Describe(model.problems);
    ASSERT_EQ(model.sections.size(), 2u);
    const auto& first = model.sections[0].vertices;
    const auto& second = model.sections[1].vertices;
    ASSERT_EQ(first.size(), 3u);
    ASSERT_EQ(second.size(), 2u);
    ExpectPoint(first[0], {5, 2, 1});
    ExpectPoint(first[1], {1, 2, 1});
    ExpectPoint(first[2], {6, 10, 5});
    ExpectPoint(second[0], {3, 6, -4});
    ExpectPoint(second[1], {0, 0, 0});
}

// A transform line costs the same however many vertices it moves: 1 MB of
// such lines took about a minute when each walked every vertex so far.
TEST(B3dReaderTransform, ManyTransformsOverManyVerticesTakeLinearTime)
{
    const auto start = std::chrono::steady_clock::now();
    // Cube k of n turns (n - k) times by 10 degrees about y.
    const std::string pair = "Cube 1,2,3\nRotate 0,1,0,10\n";
    const std::size_t cubes = 1'000'000 / pair.size();
    std::string text = "[MeshBuilder]\n";
    for (std::size_t k = 0; k < cubes; ++k)
        text += pair;
    const Model turned = ReadB3d(text);
    // 1 MB of TranslateAll after a cylinder of 200,000 vertices.
    const std::string move = "TranslateAll 1,0,0.5\n";
    const std::size_t moves = 1'000'000 / move.size();
    text = "[MeshBuilder]\nCylinder 100000,1,1,2\n";
    for (std::size_t k = 0; k < moves; ++k)
        text += move;
    const Model moved = ReadB3d(text);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    ASSERT_TRUE(turned.problems.empty()) << Describe(turned.problems);
    const auto& corners = turned.sections.at(0).vertices;
    ASSERT_EQ(corners.size(), 8 * cubes);
    for (const std::size_t k : {std::size_t{0}, cubes / 2, cubes - 1}) {
        // The first corner of a cube is (1, 2, -3); a turn by a about y
        // takes (x, z) to (x cos a + z sin a, z cos a - x sin a).
        const double a = static_cast<double>((cubes - k) % 36) * 10.0 * std::numbers::pi / 180.0;
        SCOPED_TRACE(k);
        EXPECT_NEAR(corners[8 * k].x, std::cos(a) - 3 * std::sin(a), 1e-6);
        EXPECT_NEAR(corners[8 * k].y, 2, 1e-6);
        EXPECT_NEAR(corners[8 * k].z, -3 * std::cos(a) - std::sin(a), 1e-6);
    }

    ASSERT_TRUE(moved.problems.empty()) << Describe(moved.problems);
    const auto& ring = moved.sections.at(0).vertices;
    ASSERT_EQ(ring.size(), 200'000u);
    ExpectPoint(ring[0], {1.0 + static_cast<double>(moves), 1, 0.5 * static_cast<double>(moves)});
    ExpectPoint(ring[1], {1.0 + static_cast<double>(moves), -1, 0.5 * static_cast<double>(moves)});
    std::printf("%zu cube/rotate pairs and %zu TranslateAll lines read in %.2f s\n", cubes, moves, seconds);
    EXPECT_LT(seconds, 20.0);  // generous for a loaded machine
}

// ------------------------------------------------------------ syntax

TEST(B3dReaderSyntax, CommentsCaseBlanksAndLineEnds)
{
    const std::string text =
        ";a comment line\r\n"
        "\r\n"
        "   \t\r\n"
        "[MESHBUILDER];1.1\r\n"
        "VERTEX 1,2,3\n"                    // LF alone
        "vErTeX   -1.5 ,\t2 , +3  ; corner\r\n"
        "vertex  0.000, 0.000,-3.000\r\n"
        "FaCe2 0,1,2 \r\n"
        "  face 2,1,0;back\r\n"
        "[meshbuilder];---\r\n"
        "COLOR 1,2,3,4\r\n"
        "[TeXtUrE]\r\n"
        "LOAD  walls.bmp ; day\r\n"
        "Vertex 0,0,0";                     // no line end at all
    const Model model = ReadB3d(text);
    EXPECT_TRUE(model.problems.empty()) << Describe(model.problems);
    ASSERT_EQ(model.sections.size(), 2u);
    const Section& first = model.sections[0];
    EXPECT_EQ(first.line, 4u);
    EXPECT_EQ(first.vertices, (std::vector<Vec3>{{1, 2, 3}, {-1.5, 2, 3}, {0, 0, -3}}));
    ASSERT_EQ(first.faces.size(), 2u);
    EXPECT_TRUE(first.faces[0].twoSided);
    EXPECT_FALSE(first.faces[1].twoSided);
    EXPECT_EQ(FaceCorners(first), (std::vector<std::vector<std::uint32_t>>{{0, 1, 2}, {2, 1, 0}}));
    const Section& second = model.sections[1];
    EXPECT_EQ(second.line, 10u);
    EXPECT_TRUE(second.hasColor);
    EXPECT_EQ(second.color, (ColorRgb{1, 2, 3, 4}));
    EXPECT_EQ(second.texture, "walls.bmp");
    EXPECT_EQ(second.vertices.size(), 1u);
}

TEST(B3dReaderSyntax, ColorTextureAndCoordinates)
{
    const Model model = ReadB3d(B3dBytes("[meshbuilder]\n"
                                         "vertex 0,0,0\n"
                                         "vertex 1,0,0\n"
                                         "vertex 1,1,0\n"
                                         "face 0,1,2\n"
                                         "color 100, 20,  5\n"
                                         "[Texture]\n"
                                         "load tégla ő.bmp\n"
                                         "Coordinates 0,1,1\n"
                                         "Coordinates 2,0.5,0\n"
                                         "[meshbuilder]\n"
                                         "vertex 0,0,0\n"));
    ASSERT_TRUE(model.problems.empty()) << Describe(model.problems);
    const Section& textured = model.sections.at(0);
    EXPECT_EQ(textured.color, (ColorRgb{100, 20, 5, 255}));
    EXPECT_EQ(textured.texture, "tégla ő.bmp");  // back in UTF-8
    EXPECT_EQ(textured.texCoords, (std::vector<TexCoord>{{1, 1}, {0, 0}, {0.5, 0}}));
    const Section& plain = model.sections.at(1);
    EXPECT_FALSE(plain.hasColor);
    EXPECT_EQ(plain.color, (ColorRgb{255, 255, 255, 255}));
    EXPECT_TRUE(plain.texture.empty());
    EXPECT_TRUE(plain.texCoords.empty());

    // A file written in UTF-8 keeps its names as they are.
    EXPECT_EQ(ReadB3d("\xEF\xBB\xBF[MeshBuilder]\nLoad t\xC3\xA9gla.bmp,night.bmp\n").sections.at(0).texture,
              "t\xC3\xA9gla.bmp");
}

// ------------------------------------------------------------ problems

TEST(B3dReaderProblems, MissingVerticesAreReportedWithLineNumbers)
{
    const Model model = ReadB3d(B3dBytes("[MeshBuilder]\n"     // 1
                                         "Cube 1,1,1\n"        // 2
                                         "Face 0,1,8\n"        // 3
                                         "Face2 -1,0,1\n"      // 4
                                         "[MeshBuilder]\n"     // 5
                                         "Face 0,1,2\n"        // 6
                                         "Vertex 0,0,0\n"      // 7
                                         "Coordinates 1,0,0\n" // 8
                                         "Face 0,0,0\n"));     // 9
    const std::vector<std::pair<std::size_t, std::string>> expected = {
        {3, "face names vertex 8, but the section has 8 vertices"},
        {4, "face2 names vertex -1, but the section has 8 vertices"},
        {6, "face names vertex 0, but the section has no vertices"},
        {8, "coordinates names vertex 1, but the section has 1 vertex"},
    };
    ASSERT_EQ(model.problems.size(), expected.size()) << Describe(model.problems);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(model.problems[i].line, expected[i].first);
        EXPECT_EQ(model.problems[i].text, expected[i].second);
    }
    // The bad faces are left out; reading went on.
    EXPECT_EQ(model.sections.at(0).faces.size(), 6u);
    EXPECT_EQ(model.sections.at(1).faces.size(), 1u);
    EXPECT_EQ(model.sections.at(1).corners.size(), 3u);
}

TEST(B3dReaderProblems, EachUninterpretableLineIsReportedAndSkipped)
{
    struct Case {
        const char* line;
        const char* problem;
    };
    const Case cases[] = {
        {"Vertexx 1,2,3", "unknown command \"Vertexx\""},
        {"Vertex 1,2", "vertex needs 3 to 6 arguments, not 2"},
        {"Vertex 1,2,3,4,5,6,7", "vertex needs 3 to 6 arguments, not 7"},
        {"Face 0,1", "face needs at least 3 arguments, not 2"},
        {"Cube 1,1", "cube needs 3 arguments, not 2"},
        {"Vertex 1,2.5.1,3", "vertex: \"2.5.1\" (argument 2) is not a number"},
        {"Vertex 1,,3", "vertex: argument 2 is empty"},
        {"Vertex 1,2,3m", "vertex: \"3m\" (argument 3) is not a number"},
        {"Vertex nan,0,0", "vertex: \"nan\" (argument 1) is not a finite number"},
        {"Translate 0,-inf,0", "translate: \"-inf\" (argument 2) is not a finite number"},
        {"Vertex 1e999,0,0", "vertex: \"1e999\" (argument 1) is out of range"},
        {"Face 0,1.5,2", "face: \"1.5\" (argument 2) is not a whole number"},
        {"Color 256,0,0", "color: channel 256 (argument 1) is outside 0 to 255"},
        {"Color 0,-1,0", "color: channel -1 (argument 2) is outside 0 to 255"},
        {"Color 0,0,0,300", "color: channel 300 (argument 4) is outside 0 to 255"},
        {"Color 0,0.5,0", "color: \"0.5\" (argument 2) is not a whole number"},
        {"Color inf,0,0", "color: \"inf\" (argument 1) is not a finite number"},
        {"Coordinates 0,nan,0", "coordinates: \"nan\" (argument 2) is not a finite number"},
        {"Cylinder 1,1,1,1", "cylinder: the side count 1 (argument 1) is outside 2 to 100000"},
        {"Rotate 0,0,0,90", "rotate: the axis 0,0,0 has no direction"},
        {"Load", "load needs 1 to 2 arguments, not 0"},
        {"Load ,night.bmp", "load names no file"},
        {"[Mesh]", "unknown section \"[Mesh]\""},
        {"[MeshBuilder", "section header \"[MeshBuilder\" has no \"]\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const Model model = ReadB3d(std::string("[MeshBuilder]\nVertex 0,0,0\nVertex 1,0,0\n") + c.line +
                                    "\nVertex 0,1,0\n");
        ASSERT_EQ(model.problems.size(), 1u) << Describe(model.problems);
        EXPECT_EQ(model.problems[0].line, 4u);
        EXPECT_EQ(model.problems[0].text, c.problem);
        // The bad line changed nothing; the next one was read.
        EXPECT_EQ(model.sections.at(0).vertices,
                  (std::vector<Vec3>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));
        EXPECT_FALSE(model.sections.at(0).hasColor);
    }
}

TEST(B3dReaderProblems, StatementsBeforeTheFirstSectionStartOne)
{
    const Model model = ReadB3d("Vertex 1,2,3\nVertex 4,5,6\nFace 0,1,1\n");
    ASSERT_EQ(model.problems.size(), 1u) << Describe(model.problems);
    EXPECT_EQ(model.problems[0].line, 1u);
    EXPECT_EQ(model.problems[0].text, "vertex before the first [MeshBuilder]");
    ASSERT_EQ(model.sections.size(), 1u);
    EXPECT_EQ(model.sections[0].vertices.size(), 2u);
    EXPECT_EQ(model.sections[0].faces.size(), 1u);
}

TEST(B3dReaderProblems, OtherFormsOfTheFormatAreAccepted)
{
    const Model model = ReadB3d("[MeshBuilder]\n"
                                "Vertex 0,0,0,0,1,0\n"
                                "EmissiveColor 10,10,10\n"
                                "BlendMode Additive,10,DivideExponent2\n"
                                "Transparent 0,0,255\n"
                                "Shear 1,0,0,0,1,0,0.5\n"
                                "ShearAll 1,0,0,0,1,0,0.5\n");
    EXPECT_TRUE(model.problems.empty()) << Describe(model.problems);
    ASSERT_EQ(model.warnings.size(), 1u);
    EXPECT_EQ(model.warnings[0].line, 6u);
    EXPECT_EQ(model.warnings[0].text, "shear is not applied: the vertices keep their places");
}

TEST(B3dReaderProblems, BinaryFilesAreRefusedWhole)
{
    const Model binary = ReadB3d(std::string("BB3D\x10\0\0\0", 8));
    ASSERT_EQ(binary.problems.size(), 1u);
    EXPECT_EQ(binary.problems[0].line, 0u);
    EXPECT_TRUE(binary.sections.empty());
}

// ------------------------------------------------------------ limits

TEST(B3dReaderLimits, LinesPastALimitAreProblemsAndLeftOut)
{
    struct Case {
        const char* name;
        std::string text;
        std::size_t line;  // of the first problem
        const char* problem;
        std::size_t sections, vertices, faces;
    };
    std::string cylinders = "[MeshBuilder]\n";
    for (int k = 0; k < 6; ++k)
        cylinders += "Cylinder 100000,1,1,1\n";
    std::string faces = "[MeshBuilder]\nVertex 0,0,0\nVertex 1,0,0\nVertex 0,1,0\n";
    for (std::size_t k = 0; k <= kMostFileFaces; ++k)
        faces += "Face 0,1,2\n";
    std::string corners = "[MeshBuilder]\nVertex 0,0,0\n";
    std::string wide = "Face 0";
    for (int k = 1; k < 1000; ++k)
        wide += ",0";
    for (std::size_t k = 0; k <= kMostFileCorners / 1000; ++k)
        corners += wide + "\n";
    std::string sections;
    for (std::size_t k = 0; k <= kMostFileSections; ++k)
        sections += "[MeshBuilder]\n";
    sections += "Vertex 1,2,3\n";  // in the section left out
    const Case cases[] = {
        {"vertices", cylinders, 7, "cylinder: the file passes the limit of 1000000 vertices; the line is left out", 1,
         1'000'000, 500'010},
        {"faces", faces, kMostFileFaces + 5, "face: the file passes the limit of 1000000 faces; the line is left out",
         1, 3, kMostFileFaces},
        {"corners", corners, kMostFileCorners / 1000 + 3,
         "face: the file passes the limit of 4000000 face corners; the line is left out", 1, 1,
         kMostFileCorners / 1000},
        {"sections", sections, kMostFileSections + 1,
         "the file passes the limit of 250000 sections; this section is left out", kMostFileSections, 0, 0},
        {"line", "[MeshBuilder]\nVertex 0,0,0" + std::string(kLongestLine, ' ') + "\nVertex 1,1,1\n", 2,
         "the line is longer than 1048576 bytes; it is left out", 1, 1, 0},
        {"texture", "[MeshBuilder]\nLoad " + std::string(261, 'x') + ".bmp\n", 2,
         "load: the file name is longer than 260 characters", 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Model model = ReadB3d(c.text);
        ASSERT_FALSE(model.problems.empty());
        EXPECT_EQ(model.problems[0].line, c.line);
        EXPECT_EQ(model.problems[0].text, c.problem);
        EXPECT_EQ(model.sections.size(), c.sections);
        EXPECT_EQ(model.vertexCount, c.vertices);
        EXPECT_EQ(model.faceCount, c.faces);
    }
}

TEST(B3dReaderLimits, ProblemsPastTheListAreCountedOnly)
{
    std::string text = "[MeshBuilder]\n";
    for (int k = 0; k < 2500; ++k)
        text += "Face 0,1,2\nShear 1,0,0,0,1,0,1\n";
    const Model model = ReadB3d(text);
    EXPECT_EQ(model.problemCount, 2500u);
    ASSERT_EQ(model.problems.size(), kMostListedMessages);
    EXPECT_EQ(model.problems.back().line, 2u * kMostListedMessages);
    EXPECT_EQ(model.warningCount, 1u);  // shear warns once
}

// ------------------------------------------------------------ streaming

TEST(B3dReaderStreaming, PiecesReadAsTheWholeText)
{
    // Lines of every length, so that piece ends fall everywhere: inside
    // CR LF, inside numbers, right after a line end.
    std::string text = "\xEF\xBB\xBF[MeshBuilder]\r\n";
    for (int k = 0; k < 20000; ++k) {
        text += "Vertex " + std::to_string(k) + ",0." + std::to_string(k % 97) + "," + std::string(k % 13, ' ') +
                "-1\r\n";
        if (k % 1000 == 999)
            text += "Face 0,1,x" + std::to_string(k) + "\r\nTranslateAll 1,0,0\r\n;" + std::string(k % 7, 'c') + "\n";
    }
    text += "Vertex 5,5,5";  // no line end
    const Model whole = ReadB3d(text);
    std::istringstream in(text);
    std::vector<std::uint64_t> progress;
    const Model streamed = ReadB3d(
        in,
        [&progress](std::uint64_t done, std::uint64_t total) {
            progress.push_back(done);
            return total == 123;
        },
        123);
    ASSERT_EQ(whole.sections.size(), 1u);
    EXPECT_EQ(whole.vertexCount, 20001u);
    EXPECT_EQ(whole.problemCount, 20u);
    ASSERT_EQ(streamed.sections.size(), 1u);
    EXPECT_EQ(streamed.sections[0].vertices, whole.sections[0].vertices);
    ASSERT_EQ(streamed.problems.size(), whole.problems.size());
    for (std::size_t k = 0; k < whole.problems.size(); ++k) {
        EXPECT_EQ(streamed.problems[k].line, whole.problems[k].line);
        EXPECT_EQ(streamed.problems[k].text, whole.problems[k].text);
    }
    ASSERT_GT(progress.size(), 5u);
    EXPECT_EQ(progress.back(), text.size());

    // Stopped by the progress function.
    std::istringstream again(text);
    EXPECT_THROW(ReadB3d(again, [](std::uint64_t done, std::uint64_t) { return done < 100'000; }), ReadCancelled);

    // A NUL byte in a late piece still refuses the whole file.
    std::istringstream binary(text + std::string(1, '\0'));
    const Model refused = ReadB3d(binary);
    ASSERT_EQ(refused.problems.size(), 1u);
    EXPECT_EQ(refused.problems[0].line, 0u);
    EXPECT_TRUE(refused.sections.empty());
}

}  // namespace
}  // namespace kestrane::b3d

// The CSV and OBJ readers: a CSV twin reads into the same model as its B3D
// file, an OBJ written from a model reads back into the same faces, and
// both readers take ordinary files and refuse bad lines by number.
#include "b3d/b3d_reader.h"
#include "b3d/b3d_tile_set.h"
#include "b3d/csv_translation.h"
#include "b3d/obj_reader.h"
#include "b3d/obj_writer.h"
#include "house/roof_kinds.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace kestrane::b3d {
namespace {

std::string CsvOf(std::string_view b3d)
{
    CsvTranslator translator;
    std::string csv;
    translator.Feed(b3d, csv);
    translator.Finish(csv);
    return csv;
}

void ExpectSameModel(const Model& a, const Model& b)
{
    ASSERT_EQ(a.sections.size(), b.sections.size());
    EXPECT_EQ(a.vertexCount, b.vertexCount);
    EXPECT_EQ(a.faceCount, b.faceCount);
    EXPECT_EQ(a.problemCount, b.problemCount);
    EXPECT_EQ(a.warningCount, b.warningCount);
    for (std::size_t s = 0; s < a.sections.size(); ++s) {
        const Section& x = a.sections[s];
        const Section& y = b.sections[s];
        EXPECT_EQ(x.line, y.line);
        EXPECT_EQ(x.comment, y.comment);
        EXPECT_EQ(x.vertices, y.vertices);
        EXPECT_EQ(x.corners, y.corners);
        EXPECT_EQ(x.color, y.color);
        EXPECT_EQ(x.emissive, y.emissive);
        EXPECT_EQ(x.texture, y.texture);
        EXPECT_EQ(x.texCoords, y.texCoords);
        ASSERT_EQ(x.faces.size(), y.faces.size());
        for (std::size_t f = 0; f < x.faces.size(); ++f)
            EXPECT_EQ(x.faces[f].twoSided, y.faces[f].twoSided);
    }
}

// One face as its corners' positions and texture coordinates, in order.
struct Corner {
    Vec3 p;
    TexCoord t;
};

// The one-sided faces of a section: a two-sided face as itself and its
// reverse, as OBJ holds it.
std::vector<std::vector<Corner>> OneSidedFaces(const Section& section, bool textured)
{
    std::vector<std::vector<Corner>> faces;
    for (const Face& face : section.faces) {
        std::vector<Corner> corners;
        for (const std::uint32_t i : section.Corners(face))
            corners.push_back({section.vertices[i], textured ? section.texCoords[i] : TexCoord{}});
        faces.push_back(corners);
        if (face.twoSided)
            faces.emplace_back(corners.rbegin(), corners.rend());
    }
    return faces;
}

void ExpectSameFaces(const Model& b3d, const Model& obj)
{
    std::vector<const Section*> withFaces;
    for (const Section& section : b3d.sections)
        if (!section.faces.empty())
            withFaces.push_back(&section);
    ASSERT_EQ(withFaces.size(), obj.sections.size());
    for (std::size_t s = 0; s < withFaces.size(); ++s) {
        const Section& a = *withFaces[s];
        const Section& b = obj.sections[s];
        const bool textured = !a.texture.empty() && !a.texCoords.empty();
        EXPECT_EQ(a.texture, b.texture);
        EXPECT_EQ(a.color, b.color);
        EXPECT_EQ(a.hasEmissive ? a.emissive : (ColorRgb{0, 0, 0, 255}), b.emissive);
        EXPECT_EQ(textured, !b.texCoords.empty());
        const auto x = OneSidedFaces(a, textured);
        const auto y = OneSidedFaces(b, textured);
        ASSERT_EQ(x.size(), y.size()) << "section " << s;
        for (std::size_t f = 0; f < x.size(); ++f) {
            ASSERT_EQ(x[f].size(), y[f].size());
            for (std::size_t k = 0; k < x[f].size(); ++k) {
                EXPECT_NEAR(x[f][k].p.x, y[f][k].p.x, 1e-6);
                EXPECT_NEAR(x[f][k].p.y, y[f][k].p.y, 1e-6);
                EXPECT_NEAR(x[f][k].p.z, y[f][k].p.z, 1e-6);
                EXPECT_NEAR(x[f][k].t.u, y[f][k].t.u, 1e-6);
                EXPECT_NEAR(x[f][k].t.v, y[f][k].t.v, 1e-6);
            }
        }
    }
}

void ExpectRoundTrips(const std::string& b3dText)
{
    const Model b3d = ReadB3d(b3dText);
    EXPECT_EQ(b3d.problemCount, 0u);
    ExpectSameModel(ReadCsv(CsvOf(b3dText)), b3d);
    const ObjTexts texts = MakeObj(b3d, "twin.mtl");
    const Model obj = ReadObj(texts.obj, [&](const std::string& name) {
        EXPECT_EQ(name, "twin.mtl");
        return std::optional<std::string>(texts.mtl);
    });
    EXPECT_EQ(obj.problemCount, 0u);
    EXPECT_EQ(obj.warningCount, 0u);
    ExpectSameFaces(b3d, obj);
}

TEST(OtherFormats, HousesOfEveryRoofAndATerrainRoundTrip)
{
    std::vector<std::vector<std::string>> samples;
    for (const RoofKindRow& row : RoofKinds())
        samples.push_back({"house", "--roof", row.option, "--windows", "front:2", "--stair-steps", "4"});
    samples.push_back({"terrain", "--peak", "12,12,5,6,200,50,50"});
    for (const auto& args : samples) {
        SCOPED_TRACE(args[0] + " " + (args.size() > 2 ? args[2] : ""));
        test::TempFolder folder;
        std::vector<std::string> named = args;
        named.insert(named.end(), {"-o", "twin.b3d"});
        const test::CommandResult result = test::RunCli(named, folder.path());
        ASSERT_EQ(result.exitCode, 0) << result.err;
        ExpectRoundTrips(test::ReadFile(folder / "twin.b3d"));
    }
}

TEST(OtherFormats, CsvCommandsAnyCaseCommentsAndProblemsByLine)
{
    const Model model = ReadCsv(";------Wall------\r\n"
                                "CreateMeshBuilder\r\n"
                                "addvertex, 0,0,0 ;corner\r\n"
                                "AddVertex,1,0,0,,,\r\n"
                                "Vertex,1,1,0\r\n"
                                "ADDFACE,0,1,2\r\n"
                                "SetColor,10,20,30\r\n"
                                "LoadTexture,fal.png\r\n"
                                "SetTextureCoordinates,2,0.5,1\r\n"
                                "AddVertex,1,2\r\n"
                                "Frobnicate,1\r\n"
                                "AddFace2,0,1,7\r\n");
    ASSERT_EQ(model.sections.size(), 1u);
    const Section& section = model.sections[0];
    EXPECT_EQ(section.comment, "Wall");
    EXPECT_EQ(section.vertices.size(), 3u);
    EXPECT_EQ(section.faces.size(), 1u);
    EXPECT_EQ(section.color, (ColorRgb{10, 20, 30, 255}));
    EXPECT_EQ(section.texture, "fal.png");
    EXPECT_EQ(section.texCoords[2], (TexCoord{0.5, 1}));
    ASSERT_EQ(model.problems.size(), 3u);
    EXPECT_EQ(model.problems[0].line, 10u);
    EXPECT_EQ(model.problems[0].text, "AddVertex needs 3 to 6 arguments, not 2");
    EXPECT_EQ(model.problems[1].line, 11u);
    EXPECT_EQ(model.problems[1].text, "unknown command \"Frobnicate\"");
    EXPECT_EQ(model.problems[2].line, 12u);
    EXPECT_EQ(model.problems[2].text, "AddFace2 names vertex 7, but the section has 3 vertices");
    // B3D text read as CSV is not taken for it.
    EXPECT_GT(ReadCsv("[MeshBuilder]\r\nVertex 0,0,0\r\n").problemCount, 0u);
}

TEST(OtherFormats, OrdinaryObjInTheSimulatorsAxes)
{
    const std::string mtl = "newmtl brick\nKd 1 0.5 0\nKe 0.2 0.2 0.2\nmap_Kd -s 1 1 1 tegla.png\n"
                            "newmtl plain\nKd 1 1 1\nd 0.5\n";
    const Model model = ReadObj("# a quad and a triangle\n"
                                "mtllib walls.mtl\n"
                                "v 0 0 0\nv 2 0 0\nv 2 3 0\nv 0 3 -1\n"
                                "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n"
                                "o Wall\nusemtl brick\ns off\n"
                                "f 1/1/1 2/2/1 3/3/1 4/4/1\n"
                                "usemtl plain\n"
                                "f -4//1 -2//1 -3//1\n"
                                "f 1 2 9\n"
                                "f 1/7 2/1 3/1\n"
                                "wobble 3\n",
                                [&](const std::string&) { return std::optional<std::string>(mtl); });
    ASSERT_EQ(model.sections.size(), 2u);
    const Section& wall = model.sections[0];
    EXPECT_EQ(wall.comment, "Wall");
    EXPECT_EQ(wall.texture, "tegla.png");
    EXPECT_EQ(wall.color, (ColorRgb{255, 128, 0, 255}));
    EXPECT_TRUE(wall.hasEmissive);
    EXPECT_EQ(wall.emissive, (ColorRgb{51, 51, 51, 255}));
    // Corners reversed, z turned, v from the top.
    ASSERT_EQ(wall.faces.size(), 1u);
    const auto corners = wall.Corners(wall.faces[0]);
    ASSERT_EQ(corners.size(), 4u);
    EXPECT_EQ(wall.vertices[corners[0]], (Vec3{0, 3, 1}));
    EXPECT_EQ(wall.vertices[corners[3]], (Vec3{0, 0, 0}));
    EXPECT_EQ(wall.texCoords[corners[0]], (TexCoord{0, 0}));
    EXPECT_EQ(wall.texCoords[corners[3]], (TexCoord{0, 1}));
    const Section& plain = model.sections[1];
    EXPECT_EQ(plain.color, (ColorRgb{255, 255, 255, 128}));
    EXPECT_TRUE(plain.texCoords.empty());
    EXPECT_EQ(plain.vertices.size(), 3u);
    EXPECT_EQ(plain.vertices[0], (Vec3{2, 0, 0}));  // -3, the last corner, first
    ASSERT_EQ(model.problems.size(), 3u);
    EXPECT_EQ(model.problems[0].line, 18u);
    EXPECT_EQ(model.problems[0].text, "f: corner 3 names vertex \"9\", but 4 vertices are given before it");
    EXPECT_EQ(model.problems[1].line, 19u);
    EXPECT_EQ(model.problems[2].text, "unknown statement \"wobble\"");
}

TEST(OtherFormats, GarbageAndLimitsAreProblemsNotCrashes)
{
    std::mt19937 random(27);
    std::uniform_int_distribution<int> byte(1, 255);
    const std::string alphabet = "vtf/ -0123456789.,;#\r\nAddVertexFace";
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int k = 0; k < 300; ++k)
            text.push_back(round % 2 ? static_cast<char>(byte(random)) : alphabet[byte(random) % alphabet.size()]);
        for (const Model& model : {ReadCsv(text), ReadObj(text)})
            for (const Section& section : model.sections)
                for (const std::uint32_t corner : section.corners)
                    ASSERT_LT(corner, section.vertices.size());
    }
    EXPECT_EQ(ReadObj(std::string(kLongestLine + 10, 'v') + "\nv 1 2 3\n").problems.at(0).line, 1u);
    EXPECT_EQ(ReadCsv(std::string("Add\0Vertex", 10)).problems.at(0).text, "not a text file");
}

TEST(OtherFormats, CheckReadsACsvTileSetAsItsB3dTwin)
{
    test::TempFolder folder;
    const std::filesystem::path b3dFolder = folder / "b3d";
    const std::filesystem::path csvFolder = folder / "csv";
    std::filesystem::create_directories(b3dFolder);
    std::filesystem::create_directories(csvFolder);
    const std::vector<std::string> terrain = {"terrain", "--lang=en", "--layout", "simulator", "--area", "400,400",
                                              "--tile-length", "100", "-o", "hill.b3d"};
    ASSERT_EQ(test::RunCli(terrain, b3dFolder).exitCode, 0);
    std::vector<std::string> asCsv = terrain;
    asCsv.insert(asCsv.end(), {"--format", "csv"});
    ASSERT_EQ(test::RunCli(asCsv, csvFolder).exitCode, 0);
    const auto b3d = test::RunCli({"check", "hill_tiles.txt"}, b3dFolder);
    const auto csv = test::RunCli({"check", "hill_tiles.txt"}, csvFolder);
    EXPECT_EQ(b3d.exitCode, 0) << b3d.out;
    EXPECT_EQ(csv.exitCode, 0) << csv.out;
    std::string csvOut = csv.out;
    for (std::size_t at; (at = csvOut.find(".csv")) != std::string::npos;)
        csvOut.replace(at, 4, ".b3d");
    EXPECT_EQ(csvOut, b3d.out);
    // One tile read alone as CSV, and as OBJ: the counts of the B3D tile.
    const auto oneB3d = test::RunCli({"check", "hill_001.b3d"}, b3dFolder);
    const auto oneCsv = test::RunCli({"check", "hill_001.csv"}, csvFolder);
    EXPECT_EQ(oneCsv.out.substr(oneCsv.out.find(':')), oneB3d.out.substr(oneB3d.out.find(':')));
    EXPECT_EQ(ReadObjectFile(csvFolder / "hill_001.csv").faceCount, ReadObjectFile(b3dFolder / "hill_001.b3d").faceCount);
}

}  // namespace
}  // namespace kestrane::b3d

// --format csv|obj and kestrane convert: CSV twins hold the same statements
// as their B3D files, OBJ holds the same faces turned into its axes, names
// and refusals.
#include "b3d/b3d_reader.h"
#include "b3d/csv_translation.h"
#include "b3d/obj_writer.h"
#include "b3d/object_format.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <sstream>

namespace kestrane {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TempFolder;

// The objects every format is checked on: roof kinds, facades with lit
// windows and a door, stairs, gutters, colours, terrains in both layouts.
const std::vector<std::vector<std::string>> kSamples = {
    {"house"},
    {"house", "--roof", "pitched", "--wall-color", "200,10,10", "--windows", "front:3", "--door", "1000,2100",
     "--lit", "50"},
    {"house", "--roof", "saltbox", "--stair-steps", "6", "--stair-side", "2", "--stair-color", "9,9,9"},
    {"house", "--roof", "flat", "--roof-edge", "--chimney-color", "1,2,3"},
    {"terrain", "--peak", "12,12,5,6,200,50,50"},
    {"terrain", "--layout", "simulator", "--peak", "12,12,5,6,200,50,50", "--peak", "3,4,-2,3"},
    {"track", "--radius", "0,-300", "--pieces", "all", "--cant", "40"},
};

// The sample's arguments with those of the run; a house or a terrain
// written as "twin" (a track kit names its own files).
std::vector<std::string> Named(const std::vector<std::string>& sample, std::initializer_list<std::string> more)
{
    std::vector<std::string> args = sample;
    if (sample.front() != "track")
        args.insert(args.end(), {"-o", "twin.b3d"});
    args.insert(args.end(), more);
    args.push_back("--lang=en");
    return args;
}

std::vector<std::string> With(std::vector<std::string> args, std::initializer_list<std::string> more)
{
    args.insert(args.end(), more);
    args.push_back("--lang=en");
    return args;
}

// Back from CSV to B3D, written independently of the writer's table: the
// command before the first comma, its B3D word, the arguments after it.
std::string CsvToB3d(std::string_view csv)
{
    static const std::map<std::string, std::string> kWords = {
        {"createmeshbuilder", "[MeshBuilder]"}, {"addvertex", "Vertex"}, {"addface", "Face"},
        {"addface2", "Face2"}, {"cube", "Cube"}, {"cylinder", "Cylinder"}, {"translate", "Translate"},
        {"rotate", "Rotate"}, {"scale", "Scale"}, {"setcolor", "Color"}, {"setemissivecolor", "EmissiveColor"},
        {"loadtexture", "Load"}, {"settexturecoordinates", "Coordinates"}};
    std::string b3d;
    std::istringstream lines{std::string(csv)};
    std::string line;
    while (std::getline(lines, line)) {
        const std::string statement = line.substr(0, line.find(';'));
        const std::size_t comma = statement.find(',');
        std::string command = statement.substr(0, comma);
        command.erase(0, command.find_first_not_of(' '));
        for (char& c : command)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (command.empty() || command == "\r") {
            b3d += line + "\n";
            continue;
        }
        const auto word = kWords.find(command.substr(0, command.find('\r')));
        EXPECT_NE(word, kWords.end()) << "not a CSV command of ours: " << line;
        if (word == kWords.end())
            continue;
        b3d += word->second + (comma == std::string::npos ? "\n" : " " + statement.substr(comma + 1) + "\n");
    }
    return b3d;
}

void ExpectSameModel(const b3d::Model& a, const b3d::Model& b, const std::string& what)
{
    ASSERT_EQ(a.sections.size(), b.sections.size()) << what;
    EXPECT_EQ(a.problemCount, 0u) << what;
    EXPECT_EQ(b.problemCount, 0u) << what;
    for (std::size_t s = 0; s < a.sections.size(); ++s) {
        const b3d::Section& x = a.sections[s];
        const b3d::Section& y = b.sections[s];
        EXPECT_EQ(x.vertices, y.vertices) << what << " section " << s;
        EXPECT_EQ(x.corners, y.corners) << what << " section " << s;
        ASSERT_EQ(x.faces.size(), y.faces.size()) << what;
        for (std::size_t f = 0; f < x.faces.size(); ++f)
            EXPECT_EQ(x.faces[f].twoSided, y.faces[f].twoSided) << what;
        EXPECT_EQ(x.color, y.color) << what;
        EXPECT_EQ(x.emissive, y.emissive) << what;
        EXPECT_EQ(x.texture, y.texture) << what;
        EXPECT_EQ(x.texCoords, y.texCoords) << what;
    }
}

// The B3D files a run wrote, each with the name of its twin in `format`.
std::vector<std::string> ObjectFiles(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".b3d")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Formats, CsvTwinsHoldTheSameStatementsAndComments)
{
    for (const auto& sample : kSamples) {
        TempFolder folder;
        ASSERT_EQ(RunCli(Named(sample, {}), folder.path()).exitCode, 0);
        const auto run = RunCli(Named(sample, {"--format", "csv"}), folder.path());
        ASSERT_EQ(run.exitCode, 0) << run.err;
        for (const std::string& name : ObjectFiles(folder.path())) {
            const std::string what = sample[0] + " " + std::to_string(sample.size()) + " " + name;
            const std::string b3d = ReadFile(folder / (name + ".b3d"));
            const std::string csv = ReadFile(folder / (name + ".csv"));
            // Line for line: the same comments, CR LF ends, no B3D word left.
            const auto b3dLines = test::Lines(b3d);
            const auto csvLines = test::Lines(csv);
            ASSERT_EQ(b3dLines.size(), csvLines.size()) << what;
            for (std::size_t i = 0; i < b3dLines.size(); ++i) {
                const std::size_t comment = b3dLines[i].find(';');
                if (comment != std::string::npos) {
                    // The header names the file it is in.
                    std::string csvComment = csvLines[i].substr(csvLines[i].find(';'));
                    if (const auto own = csvComment.find(name + ".csv"); own != std::string::npos)
                        csvComment.replace(own, name.size() + 4, name + ".b3d");
                    EXPECT_EQ(csvComment, b3dLines[i].substr(comment)) << what;
                }
            }
            EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), std::count(b3d.begin(), b3d.end(), '\n'));
            EXPECT_EQ(csv.find("\n\n"), std::string::npos) << "every line ends in CR LF";
            ExpectSameModel(b3d::ReadB3d(b3d), b3d::ReadB3d(CsvToB3d(csv)), what);
        }
    }
}

struct ObjFile {
    std::vector<Vec3> v;
    std::vector<b3d::TexCoord> vt;
    struct Face {
        std::vector<std::size_t> v, vt;
        std::string group, material;
    };
    std::vector<Face> f;
    std::vector<std::string> groups;
    std::string mtllib;
};

ObjFile ParseObj(const std::string& text)
{
    ObjFile obj;
    std::istringstream lines(text);
    std::string line, group, material;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "v") {
            Vec3 p;
            words >> p.x >> p.y >> p.z;
            obj.v.push_back(p);
        } else if (key == "vt") {
            b3d::TexCoord t;
            words >> t.u >> t.v;
            obj.vt.push_back(t);
        } else if (key == "g") {
            words >> group;
            obj.groups.push_back(group);
        } else if (key == "usemtl") {
            words >> material;
        } else if (key == "mtllib") {
            words >> obj.mtllib;
        } else if (key == "f") {
            ObjFile::Face face{{}, {}, group, material};
            std::string corner;
            while (words >> corner) {
                face.v.push_back(std::stoul(corner) - 1);
                if (const auto slash = corner.find('/'); slash != std::string::npos)
                    face.vt.push_back(std::stoul(corner.substr(slash + 1)) - 1);
            }
            obj.f.push_back(face);
        }
    }
    return obj;
}

Vec3 Minus(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

TEST(Formats, ObjHoldsEveryFaceOfTheModelInItsAxes)
{
    for (const auto& sample : kSamples) {
        TempFolder folder;
        ASSERT_EQ(RunCli(Named(sample, {}), folder.path()).exitCode, 0);
        const auto run = RunCli(Named(sample, {"--format", "obj"}), folder.path());
        ASSERT_EQ(run.exitCode, 0) << run.err;
        for (const std::string& name : ObjectFiles(folder.path())) {
            const b3d::Model model = b3d::ReadB3dFile(folder / (name + ".b3d"));
            const ObjFile obj = ParseObj(ReadFile(folder / (name + ".obj")));
            const std::string mtl = ReadFile(folder / (name + ".mtl"));
            EXPECT_EQ(obj.mtllib, name + ".mtl");
            ASSERT_EQ(obj.v.size(), model.vertexCount);
            EXPECT_EQ(obj.groups.size(), model.sections.size());

            std::size_t vertexBase = 0, uvBase = 0, f = 0;
            std::set<std::tuple<std::uint32_t, std::string, std::uint32_t>> kinds;
            std::set<std::string> materials;
            for (const b3d::Section& section : model.sections) {
                kinds.insert({(section.color.r << 24) | (section.color.g << 16) | (section.color.b << 8) | section.color.a,
                              section.texture,
                              section.hasEmissive ? ((section.emissive.r << 16) | (section.emissive.g << 8) | section.emissive.b) + 1u
                                                  : 0u});
                // Named after its comment line, blanks as "_".
                std::string title = section.comment;
                std::replace(title.begin(), title.end(), ' ', '_');
                if (!title.empty()) {
                    EXPECT_EQ(obj.groups.at(static_cast<std::size_t>(&section - model.sections.data())).rfind(title, 0), 0u);
                }
                const bool textured = !section.texture.empty() && !section.texCoords.empty();
                for (const b3d::Face& face : section.faces) {
                    const auto corners = section.Corners(face);
                    for (int pass = 0; pass < (face.twoSided ? 2 : 1); ++pass) {
                        ASSERT_LT(f, obj.f.size());
                        const ObjFile::Face& written = obj.f[f++];
                        materials.insert(written.material);
                        ASSERT_EQ(written.v.size(), corners.size());
                        for (std::size_t k = 0; k < corners.size(); ++k) {
                            // The first pass runs the corners backwards, a Face2's second forwards.
                            const std::uint32_t corner = pass == 0 ? corners[corners.size() - 1 - k] : corners[k];
                            const Vec3& expected = section.vertices[corner];
                            const Vec3& got = obj.v.at(written.v[k]);
                            EXPECT_NEAR(got.x, expected.x, 1e-6);
                            EXPECT_NEAR(got.y, expected.y, 1e-6);
                            EXPECT_NEAR(got.z, -expected.z, 1e-6);
                            EXPECT_EQ(written.v[k], vertexBase + corner);
                            if (textured) {
                                ASSERT_EQ(written.vt.size(), corners.size());
                                const b3d::TexCoord& t = obj.vt.at(written.vt[k]);
                                EXPECT_NEAR(t.u, section.texCoords[corner].u, 1e-6);
                                EXPECT_NEAR(t.v, 1.0 - section.texCoords[corner].v, 1e-6);
                                EXPECT_EQ(written.vt[k], uvBase + corner);
                            } else {
                                EXPECT_TRUE(written.vt.empty());
                            }
                        }
                    }
                }
                vertexBase += section.vertices.size();
                if (textured)
                    uvBase += section.texCoords.size();
            }
            EXPECT_EQ(f, obj.f.size()) << "no face more than the model's";
            EXPECT_EQ(materials.size(), kinds.size());
            std::size_t newmtl = 0;
            for (std::size_t p = 0; (p = mtl.find("newmtl ", p)) != std::string::npos; ++p)
                ++newmtl;
            EXPECT_EQ(newmtl, kinds.size());
        }
    }
}

// The faces of a group, as OBJ corners.
std::vector<std::vector<Vec3>> GroupFaces(const ObjFile& obj, const std::string& group)
{
    std::vector<std::vector<Vec3>> faces;
    for (const auto& face : obj.f) {
        if (face.group != group)
            continue;
        std::vector<Vec3> corners;
        for (const std::size_t v : face.v)
            corners.push_back(obj.v[v]);
        faces.push_back(corners);
    }
    return faces;
}

TEST(Formats, ObjHouseIsNotMirroredAndItsWallsFaceOutward)
{
    TempFolder folder;
    ASSERT_EQ(RunCli({"house", "--lang=en", "--format", "obj"}, folder.path()).exitCode, 0);
    const ObjFile obj = ParseObj(ReadFile(folder / "House_pyramid.obj"));
    // OBJ is right-handed with y up: seen from in front of the house
    // (looking along +x at its front wall) the right hand points along
    // forward x up.
    const Vec3 forward{1, 0, 0}, up{0, 1, 0};
    const Vec3 right = Cross(forward, up);
    for (const auto& face : GroupFaces(obj, "Right_wall"))
        for (const Vec3& p : face)
            EXPECT_GT(Dot(p, right), 0.0) << "the right wall stays on the right";
    for (const auto& face : GroupFaces(obj, "Left_wall"))
        for (const Vec3& p : face)
            EXPECT_LT(Dot(p, right), 0.0);
    // A face's front is where its corners run counter-clockwise: the walls'
    // fronts face away from the middle of the house (4, 1.75, 0).
    const Vec3 middle{4, 1.75, 0};
    for (const char* wall : {"Front_wall", "Right_wall", "Behind_wall", "Left_wall"}) {
        const auto faces = GroupFaces(obj, wall);
        ASSERT_FALSE(faces.empty()) << wall;
        for (const auto& face : faces) {
            const Vec3 normal = Cross(Minus(face[1], face[0]), Minus(face[2], face[0]));
            EXPECT_GT(Dot(normal, Minus(face[0], middle)), 0.0) << wall;
        }
    }
}

TEST(Formats, OutputNamesFollowTheFormat)
{
    TempFolder folder;
    // -o with .b3d or with the format's ending; a tile set's tiles and index follow.
    EXPECT_EQ(RunCli({"house", "--lang=en", "-o", "hill.b3d", "--format", "csv"}, folder.path()).out,
              "hill.csv file generating successfull\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "hill.b3d"));
    EXPECT_EQ(RunCli({"house", "--lang=en", "-o", "Barn.OBJ", "--format=obj"}, folder.path()).exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "Barn.OBJ"));
    EXPECT_TRUE(std::filesystem::exists(folder / "Barn.mtl"));
    const auto tiles = RunCli({"terrain", "--lang=en", "--layout", "simulator", "--area", "400,400", "--tile-length",
                               "100", "-o", "hill.b3d", "--format", "csv"},
                              folder.path());
    ASSERT_EQ(tiles.exitCode, 0) << tiles.err;
    const std::string index = ReadFile(folder / "hill_tiles.txt");
    for (int k = 1; k <= 5; ++k) {
        const std::string tile = "hill_00" + std::to_string(k) + ".csv";
        EXPECT_NE(index.find("\r\n" + tile + ","), std::string::npos) << tile;
        EXPECT_TRUE(std::filesystem::exists(folder / tile)) << tile;
    }
    EXPECT_EQ(index.find(".b3d,"), std::string::npos);
    // OBJ tiles each with their material library, under its final name.
    ASSERT_EQ(RunCli({"terrain", "--layout", "simulator", "--area", "400,400", "--tile-length", "100", "-o", "tt.obj",
                      "--format", "obj"},
                     folder.path())
                  .exitCode,
              0);
    for (int k = 1; k <= 5; ++k) {
        const std::string tile = "tt_00" + std::to_string(k);
        EXPECT_NE(ReadFile(folder / (tile + ".obj")).find("\nmtllib " + tile + ".mtl\n"), std::string::npos);
        EXPECT_TRUE(std::filesystem::exists(folder / (tile + ".mtl"))) << tile;
    }
    // A preset and a batch object take the format as a member.
    test::WriteFile(folder / "p.json", R"({"kind": "terrain", "format": "obj"})");
    EXPECT_EQ(RunCli({"terrain", "--lang=en", "--preset", "p.json"}, folder.path()).exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "domb.obj"));
    EXPECT_FALSE(std::filesystem::exists(folder / "domb.b3d"));

    // b3d, given or not, writes every byte as before.
    TempFolder given;
    EXPECT_EQ(RunCli({"house", "--lang=en", "-o", "a.b3d"}, folder.path()).exitCode, 0);
    EXPECT_EQ(RunCli({"house", "--lang=en", "-o", "a.b3d", "--format", "b3d"}, given.path()).exitCode, 0);
    EXPECT_EQ(ReadFile(folder / "a.b3d"), ReadFile(given / "a.b3d"));
}

TEST(Formats, RefusesNamesAndFormatsThatDoNotFit)
{
    TempFolder folder;
    auto run = RunCli({"house", "--lang=en", "-o", "hill.obj", "--format", "csv"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kestrane house: -o: \"hill.obj\" does not end in .csv or .b3d (--format csv)\n");
    run = RunCli({"terrain", "--lang=en", "--format", "dxf"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kestrane terrain: --format must be b3d, csv or obj, not \"dxf\"\n");
    run = RunCli({"house", "--lang=en", "-o", "hill.txt"}, folder.path());
    EXPECT_EQ(run.err, "kestrane house: -o: \"hill.txt\" does not end in .b3d, .csv or .obj\n");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(Formats, ConvertTurnsAnyB3dFile)
{
    TempFolder folder;
    // Not one of ours: a cube, a cylinder, a Face2, a transform, any case.
    test::WriteFile(folder / "box.b3d",
                    "; a box\r\n[MeshBuilder]\r\ncube 1,2,3\r\ncolor 10,20,30\r\n;pole\r\n[meshbuilder]\r\n"
                    "Cylinder 6,1,1,4\r\nTranslate 0,2,0\r\n[MeshBuilder]\r\nVertex 0,0,0\r\nVertex 1,0,0\r\n"
                    "Vertex 0,1,0\r\nFace2 0,1,2\r\nEmissiveColor 255,200,0\r\n");
    auto run = RunCli({"convert", "box.b3d", "--format", "csv", "--lang=en"}, folder.path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "box.csv: written\n");
    EXPECT_EQ(ReadFile(folder / "box.csv"),
              "; a box\r\nCreateMeshBuilder\r\nCube,1,2,3\r\nSetColor,10,20,30\r\n;pole\r\nCreateMeshBuilder\r\n"
              "Cylinder,6,1,1,4\r\nTranslate,0,2,0\r\nCreateMeshBuilder\r\nAddVertex,0,0,0\r\nAddVertex,1,0,0\r\n"
              "AddVertex,0,1,0\r\nAddFace2,0,1,2\r\nSetEmissiveColor,255,200,0\r\n");
    run = RunCli({"convert", "box.b3d", "--format", "obj", "-o", "Box2.b3d", "--lang=en"}, folder.path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const ObjFile obj = ParseObj(ReadFile(folder / "Box2.obj"));
    EXPECT_EQ(obj.v.size(), 8u + 12u + 3u);
    EXPECT_EQ(obj.f.size(), 6u + (6u + 2u) + 2u);  // a Face2 twice
    EXPECT_EQ(obj.groups, (std::vector<std::string>{"a_box", "pole", "section_3"}));
    const std::string mtl = ReadFile(folder / "Box2.mtl");
    EXPECT_NE(mtl.find("Kd 0.039216 0.078431 0.117647\n"), std::string::npos);
    EXPECT_NE(mtl.find("Ke 1 0.784314 0\n"), std::string::npos);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"convert", "box.b3d"}, {"convert", "box.b3d", "--format", "b3d"},
          {"convert", "box.csv", "--format", "obj"}, {"convert", "--format", "obj"},
          {"convert", "box.b3d", "--format", "obj", "-o", "x.csv"}}) {
        run = RunCli(With(args, {}), folder.path());
        EXPECT_EQ(run.exitCode, 2) << args.back();
        EXPECT_EQ(run.err.rfind("kestrane convert: ", 0), 0u) << run.err;
    }
    run = RunCli({"convert", "gone.b3d", "--format", "obj", "--lang=en"}, folder.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kestrane convert: gone.b3d: cannot be read as a file\n");
}

TEST(Formats, CsvTableLeavesBlanksCommentsAndUnknownWords)
{
    std::string out;
    AppendCsvLine(out, "  vertex  1, 2 ,3  ;corner\r");
    EXPECT_EQ(out, "  AddVertex,1, 2 ,3  ;corner\r");
    out.clear();
    AppendCsvLine(out, "[Texture]\r");
    EXPECT_EQ(out, "\r");
    out.clear();
    AppendCsvLine(out, "Frobnicate 1,2");
    EXPECT_EQ(out, "Frobnicate,1,2");
    out.clear();
    CsvTranslator translator;
    translator.Feed("Vert", out);
    translator.Feed("ex 1,2,3\r\n[MeshBu", out);
    translator.Feed("ilder]", out);
    translator.Finish(out);
    EXPECT_EQ(out, "AddVertex,1,2,3\r\nCreateMeshBuilder");
}

// The names in a folder.
std::set<std::string> Names(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The tiles an index lists.
std::vector<std::string> IndexedTiles(const std::string& index)
{
    std::vector<std::string> tiles;
    for (const std::string& line : test::Lines(index))
        if (!line.empty() && line.front() != ';')
            tiles.push_back(line.substr(0, line.find(',')));
    return tiles;
}

TEST(Formats, TileSetReplacesTheEarlierSetInAnyFormat)
{
    TempFolder folder;
    const auto terrain = [&](const std::string& length, const std::string& format) {
        return RunCli({"terrain", "--lang=en", "--layout", "simulator", "--area", "400,400", "--tile-length", length,
                       "--format", format},
                      folder.path());
    };
    // Exactly the new set is left: its tiles (an OBJ tile with its MTL) and
    // its index.
    const auto expectOnly = [&](const std::string& ending, std::size_t tiles) {
        const std::vector<std::string> listed = IndexedTiles(ReadFile(folder / "domb_tiles.txt"));
        EXPECT_EQ(listed.size(), tiles);
        std::set<std::string> expected{"domb_tiles.txt"};
        for (const std::string& tile : listed) {
            EXPECT_TRUE(HasEnding(tile, ending)) << tile;
            expected.insert(tile);
            if (ending == ".obj")
                expected.insert(tile.substr(0, tile.size() - 4) + ".mtl");
        }
        EXPECT_EQ(Names(folder.path()), expected);
    };
    ASSERT_EQ(terrain("100", "obj").exitCode, 0);
    const std::size_t many = IndexedTiles(ReadFile(folder / "domb_tiles.txt")).size();
    ASSERT_GT(many, 3u);
    expectOnly(".obj", many);
    ASSERT_EQ(terrain("200", "obj").exitCode, 0);  // fewer tiles: the last ones go with their MTL
    const std::size_t fewer = IndexedTiles(ReadFile(folder / "domb_tiles.txt")).size();
    ASSERT_LT(fewer, many);
    expectOnly(".obj", fewer);
    ASSERT_EQ(terrain("100", "csv").exitCode, 0);  // another format: every OBJ tile and MTL goes
    expectOnly(".csv", many);
    ASSERT_EQ(terrain("0", "b3d").exitCode, 0);    // one file: every tile and the index go
    EXPECT_EQ(Names(folder.path()), (std::set<std::string>{"domb.b3d"}));

    // A set takes the place of a single file of its name in its own format,
    // an OBJ with its MTL; a write-protected one stays (with its MTL), and
    // so does a single file in another format (it may be the user's own).
    test::WriteFile(folder / "domb.csv", "x");
    test::WriteFile(folder / "domb.obj", "x");
    test::WriteFile(folder / "domb.mtl", "x");
    ASSERT_EQ(terrain("100", "obj").exitCode, 0);
    EXPECT_EQ(ReadFile(folder / "domb.csv"), "x");
    EXPECT_TRUE(std::filesystem::exists(folder / "domb.b3d"));
    EXPECT_FALSE(std::filesystem::exists(folder / "domb.obj"));
    EXPECT_FALSE(std::filesystem::exists(folder / "domb.mtl"));
    std::filesystem::remove(folder / "domb.csv");
    std::filesystem::remove(folder / "domb.b3d");
    expectOnly(".obj", many);
    test::WriteFile(folder / "domb.obj", "x");
    test::WriteFile(folder / "domb.mtl", "x");
    std::filesystem::permissions(folder / "domb.obj", std::filesystem::perms::owner_write |
                                                          std::filesystem::perms::group_write |
                                                          std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    ASSERT_EQ(terrain("200", "obj").exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(folder / "domb.obj"));
    EXPECT_TRUE(std::filesystem::exists(folder / "domb.mtl"));
}

TEST(Formats, TrackKitAndBatchObjectsTakeTheFormat)
{
    TempFolder folder;
    // The structure list names the pieces with the format's ending.
    ASSERT_EQ(RunCli({"track", "--lang=en", "--radius", "0,300", "--pieces", "bed", "--format", "obj"}, folder.path())
                  .exitCode,
              0);
    EXPECT_EQ(Names(folder.path()), (std::set<std::string>{"bed_0.mtl", "bed_0.obj", "bed_300.mtl", "bed_300.obj",
                                                           "track_structures.txt"}));
    const std::string list = ReadFile(folder / "track_structures.txt");
    EXPECT_NE(list.find(") bed_0.obj\r\n"), std::string::npos) << list;
    EXPECT_NE(list.find(") bed_300.obj\r\n"), std::string::npos) << list;
    auto run = RunCli({"track", "--lang=en", "--pieces", "bed", "-o", "one.b3d", "--format", "csv"}, folder.path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(folder / "one.csv"));

    TempFolder batch;
    test::WriteFile(batch / "b.json",
                    R"({"objects": [{"kind": "house", "output": "a.b3d", "format": "csv"},)"
                    R"( {"kind": "house", "output": "a.b3d"},)"
                    R"( {"kind": "track", "pieces": "bed", "radius": "50", "format": "csv"},)"
                    R"( {"kind": "house", "output": "b.obj", "format": "csv"},)"
                    R"( {"kind": "terrain", "output": "a.csv", "format": "csv"}]})");
    run = RunCli({"batch", "--lang=en", "b.json"}, batch.path());
    EXPECT_EQ(run.exitCode, 2);
    const auto lines = test::Lines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out;
    EXPECT_EQ(lines[0].rfind("[1/5] a.csv: a.csv file", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("[2/5] a.b3d: a.b3d file", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("[3/5] track_structures.txt: ", 0), 0u) << lines[2];
    EXPECT_NE(run.err.find("object 4: \"output\": \"b.obj\" does not end in .csv or .b3d (\"format\": \"csv\")"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("object 5: \"output\": \"a.csv\" is object 1's already"), std::string::npos) << run.err;
    EXPECT_EQ(Names(batch.path()),
              (std::set<std::string>{"a.b3d", "a.csv", "b.json", "bed_50.csv", "track_structures.txt"}));
    // The members are named as members, not as the command line's options.
    test::WriteFile(batch / "c.json", R"({"objects": [{"kind": "house", "output": "c.csv"}]})");
    run = RunCli({"batch", "--lang=en", "c.json"}, batch.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("object 1: \"output\": \"c.csv\" does not end in .b3d (.csv and .obj: \"format\": "
                           "\"csv\" or \"obj\")"),
              std::string::npos)
        << run.err;
}

}  // namespace
}  // namespace kestrane

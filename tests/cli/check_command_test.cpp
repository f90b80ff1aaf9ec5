// kestrane check: the report per file and the exit codes.
#include "b3d/b3d_reader.h"
#include "cli/cli.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>

namespace kestrane::cli {
namespace {

using test::B3dBytes;
using test::RunCli;

TEST(CheckCommand, CleanFilesReportTheirCountsAndExitZero)
{
    test::TempFolder folder;
    test::WriteFile(folder / "box.b3d", B3dBytes(";a box\n[meshbuilder]\ncube 1,1,1\ncolor 10,20,30\n"));
    test::WriteFile(folder / "tri.b3d", B3dBytes("[MeshBuilder]\nVertex 0,0,0\nVertex 1,0,0\nVertex 0,1,0\n"
                                                 "Face2 0,1,2\n[MeshBuilder]\n"));
    const auto result = RunCli({"check", "box.b3d", "tri.b3d"}, folder.path());
    EXPECT_EQ(result.exitCode, kExitOk) << result.err;
    EXPECT_EQ(result.out,
              "box.b3d: 1 section, 8 vertices, 6 faces, no problems\n"
              "tri.b3d: 2 sections, 3 vertices, 1 face, no problems\n");
    EXPECT_EQ(result.err, "");
}

TEST(CheckCommand, ProblemsAreListedWithLineNumbersAndExitOne)
{
    test::TempFolder folder;
    test::WriteFile(folder / "bad.b3d", B3dBytes("[MeshBuilder]\n"          // 1
                                                 "Cube 1,1,1\n"             // 2
                                                 "Face 0,1,9\n"             // 3
                                                 "Colour 1,2,3\n"           // 4
                                                 "Color 300,0,0\n"          // 5
                                                 "Vertex 1,x,nan\n"         // 6
                                                 "Shear 1,0,0,0,1,0,1\n"    // 7
                                                 "[Texture]\n"              // 8
                                                 "Coordinates 8,0,0\n"));   // 9
    test::WriteFile(folder / "good.b3d", B3dBytes("[MeshBuilder]\nVertex 0,0,0\n"));
    const auto result = RunCli({"check", "good.b3d", "bad.b3d"}, folder.path());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out,
              "good.b3d: 1 section, 1 vertex, 0 faces, no problems\n"
              "bad.b3d: 1 section, 8 vertices, 6 faces, 5 problems, 1 warning\n"
              "  line 3: face names vertex 9, but the section has 8 vertices\n"
              "  line 4: unknown command \"Colour\"\n"
              "  line 5: color: channel 300 (argument 1) is outside 0 to 255\n"
              "  line 6: vertex: \"x\" (argument 2) is not a number\n"
              "  line 7: warning: shear is not applied: the vertices keep their places\n"
              "  line 9: coordinates names vertex 8, but the section has 8 vertices\n");
}

TEST(CheckCommand, LargeObjectsDrawAWarningButPass)
{
    test::TempFolder folder;
    std::string text = "[MeshBuilder]\n";
    for (std::size_t i = 0; i <= b3d::kMostVertices; ++i)
        text += "Vertex 0,0,0\n";
    test::WriteFile(folder / "large.b3d", B3dBytes(text));
    const auto result = RunCli({"check", "large.b3d"}, folder.path());
    EXPECT_EQ(result.exitCode, kExitOk);
    EXPECT_EQ(result.out,
              "large.b3d: 1 section, 65535 vertices, 0 faces, no problems, 1 warning\n"
              "  warning: 65535 vertices, more than 65534\n");
}

TEST(CheckCommand, CommandLineMistakesAndUnreadableFiles)
{
    test::TempFolder folder;
    test::WriteFile(folder / "ok.b3d", B3dBytes("[MeshBuilder]\n"));
    // A pipe nobody writes to and a link to an endless device would hang the
    // reading or never end it: only regular files are read.
    ASSERT_EQ(::mkfifo((folder / "pipe.b3d").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder / "zero.b3d");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* err;
    };
    const Case cases[] = {
        {{"check"}, kExitBadInput, "kestrane check: no files given (see kestrane check --help)\n"},
        {{"check", "--strict", "ok.b3d"}, kExitBadInput,
         "kestrane check: unknown option \"--strict\" (see kestrane check --help)\n"},
        {{"check", "missing.b3d", "ok.b3d"}, 1,
         "kestrane check: missing.b3d: cannot read: No such file or directory\n"},
        {{"check", "."}, 1, "kestrane check: .: cannot read: is a folder, not a file\n"},
        {{"check", "pipe.b3d"}, 1, "kestrane check: pipe.b3d: cannot read: is not a regular file\n"},
        {{"check", "zero.b3d"}, 1, "kestrane check: zero.b3d: cannot read: is not a regular file\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.size() > 1 ? c.args[1] : "no arguments");
        const auto result = RunCli(c.args, folder.path());
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.err, c.err);
    }
    // The readable file is still reported after the missing one.
    EXPECT_EQ(RunCli({"check", "missing.b3d", "ok.b3d"}, folder.path()).out,
              "ok.b3d: 1 section, 0 vertices, 0 faces, no problems\n");

    const auto help = RunCli({"check", "--help"}, folder.path());
    EXPECT_EQ(help.exitCode, kExitOk);
    EXPECT_NE(help.out.find("Usage: kestrane check FILE..."), std::string::npos);
}

// The counts of `kestrane check` on generated objects are those the reader
// finds (the read-back tests of the reader count the statements themselves).
TEST(CheckCommand, GeneratedObjectsPass)
{
    test::TempFolder folder;
    const auto house = RunCli(
        {"house", "--roof", "flat", "--roof-edge", "--chimney-size", "0", "--stair-steps", "0", "--lang", "en"},
        folder.path());
    ASSERT_EQ(house.exitCode, 0) << house.err;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        files.push_back(entry.path().filename().string());
    ASSERT_EQ(files.size(), 1u);

    const auto terrain = RunCli({"terrain"}, folder.path());
    if (terrain.exitCode == 0)
        files.push_back("domb.b3d");

    std::string expected;
    for (const std::string& file : files) {
        const b3d::Model model = b3d::ReadB3dFile(folder / file);
        expected += file + ": " + std::to_string(model.sections.size()) + " sections, " +
                    std::to_string(model.vertexCount) + " vertices, " + std::to_string(model.faceCount) +
                    " faces, no problems\n";
    }
    std::vector<std::string> args = {"check"};
    args.insert(args.end(), files.begin(), files.end());
    const auto result = RunCli(args, folder.path());
    EXPECT_EQ(result.exitCode, kExitOk) << result.out;
    EXPECT_EQ(result.out, expected);
}

// A file of `head` and then `line` written `count` times, built piece by
// piece so that the test itself stays small in memory.
void WriteRepeated(const std::filesystem::path& path, const std::string& head, const std::string& line,
                   std::size_t count)
{
    std::ofstream out(path, std::ios::binary);
    out << head;
    std::string piece;
    for (std::size_t i = 0; i < count; ++i) {
        piece += line;
        if (piece.size() > (1u << 20) || i + 1 == count) {
            out << piece;
            piece.clear();
        }
    }
}

std::size_t LineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Files made to exhaust the reader: it stays within its limits, in memory
// as in the problems it prints.
TEST(CheckCommandHostileFiles, MemoryAndOutputStayBounded)
{
    test::TempFolder folder;
    // 8.8 KB of cylinders of 200,000 vertices each: five fit the limit.
    WriteRepeated(folder / "cylinders.b3d", "[MeshBuilder]\n", "Cylinder 100000,1,1,1\n", 400);
    // 64 MB of comments.
    WriteRepeated(folder / "comments.b3d", "[MeshBuilder]\nCube 1,1,1\n",
                  ";" + std::string(62, '-') + "\n", std::size_t{1} << 20);
    // 200,000 faces naming vertices that are not there.
    WriteRepeated(folder / "faces.b3d", "[MeshBuilder]\n", "Face 0,1,2\n", 200'000);

    const auto start = std::chrono::steady_clock::now();
    const auto cylinders = RunCli({"check", "cylinders.b3d"}, folder.path());
    const auto comments = RunCli({"check", "comments.b3d"}, folder.path());
    const auto faces = RunCli({"check", "faces.b3d"}, folder.path());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("cylinders %ld KB, comments %ld KB, faces %ld KB, %.1f s in all\n", cylinders.peakKilobytes,
                comments.peakKilobytes, faces.peakKilobytes, seconds);

    EXPECT_EQ(cylinders.exitCode, 1);
    const std::string limit = ": cylinder: the file passes the limit of 1000000 vertices; the line is left out\n";
    EXPECT_EQ(cylinders.out.substr(0, cylinders.out.find("  line 8:")),
              "cylinders.b3d: 1 section, 1000000 vertices, 500010 faces, 395 problems, 1 warning\n"
              "  warning: 1000000 vertices, more than 65534\n"
              "  line 7" + limit);
    EXPECT_NE(cylinders.out.find("  line 401" + limit), std::string::npos);
    // A million vertices with their faces, not the 80 million asked for.
    EXPECT_LT(cylinders.peakKilobytes, 200'000);

    EXPECT_EQ(comments.exitCode, 0);
    EXPECT_EQ(comments.out, "comments.b3d: 1 section, 8 vertices, 6 faces, no problems\n");
    EXPECT_LT(comments.peakKilobytes, 32'000);  // the file is never held whole

    EXPECT_EQ(faces.exitCode, 1);
    ASSERT_EQ(LineCount(faces.out), 1 + b3d::kMostListedMessages + 1);
    EXPECT_TRUE(faces.out.starts_with("faces.b3d: 1 section, 0 vertices, 0 faces, 200000 problems\n"
                                      "  line 2: face names vertex 0, but the section has no vertices\n"));
    EXPECT_TRUE(faces.out.ends_with("  line 1001: face names vertex 0, but the section has no vertices\n"
                                    "  ... and 199000 more problems\n"));
    EXPECT_LT(faces.peakKilobytes, 32'000);
    // Minutes before the reader was bounded; generous for a loaded machine.
    EXPECT_LT(seconds, 30.0);
}

TEST(CheckCommandHostileFiles, RunningOutOfMemoryIsAMessageAndExitOne)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than any limit leaves";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the address sanitizer needs more address space than any limit leaves";
#endif
#endif
    test::TempFolder folder;
    test::WriteFile(folder / "small.b3d", "[MeshBuilder]\nCube 1,1,1\n");
    WriteRepeated(folder / "cylinders.b3d", "[MeshBuilder]\n", "Cylinder 100000,1,1,1\n", 60);
    const auto result =
        RunCli({"check", "small.b3d", "cylinders.b3d"}, folder.path(), {}, std::size_t{32} << 20);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "small.b3d: 1 section, 8 vertices, 6 faces, no problems\n");
    EXPECT_EQ(result.err, "kestrane check: cylinders.b3d: not enough memory to read it\n");
}

}  // namespace
}  // namespace kestrane::cli

namespace kestrane::cli {
namespace {

// The simulator's expected load time: a line for a slow object with a
// warning over 10 s (exit 0), the whole set and its slowest tile for a tile
// index.
TEST(CheckCommand, PredictsTheSimulatorsLoadTime)
{
    test::TempFolder folder;
    const std::vector<std::string> terrain = {"terrain", "--lang", "en", "--resolution", "100,120", "--area", "500,600"};
    ASSERT_EQ(RunCli(terrain, folder.path()).exitCode, kExitOk);
    auto check = RunCli({"check", "domb.b3d"}, folder.path());
    EXPECT_EQ(check.exitCode, kExitOk) << check.out;
    EXPECT_NE(check.out.find("\n  simulator load: about "), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("\n  warning: the simulator takes about "), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("--layout simulator"), std::string::npos) << check.out;

    std::vector<std::string> tiled = terrain;
    tiled.insert(tiled.end(), {"--layout", "simulator", "--tile-length", "100"});
    ASSERT_EQ(RunCli(tiled, folder.path()).exitCode, kExitOk);
    check = RunCli({"check", "domb_tiles.txt"}, folder.path());
    EXPECT_EQ(check.exitCode, kExitOk) << check.out;
    EXPECT_NE(check.out.find("\n  simulator load: about "), std::string::npos) << check.out;
    EXPECT_NE(check.out.find(" s for 6 tiles, the slowest domb_0"), std::string::npos) << check.out;
    EXPECT_EQ(check.out.find("warning"), std::string::npos) << check.out;
}

}  // namespace
}  // namespace kestrane::cli

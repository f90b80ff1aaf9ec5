// Generated objects read back: the model holds as many sections, vertices
// and faces as the statements of the file imply, and no problem.
#include "b3d/b3d_reader.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace kestrane::b3d {
namespace {

struct Counts {
    std::size_t sections = 0;
    std::size_t vertices = 0;
    std::size_t faces = 0;
};

// Counts what the statements of a file add, each statement on its own:
// a Vertex line one vertex, a Face line one face, a Cube 8 and 6, a
// Cylinder of n sides 2n vertices and n faces plus a cap per positive radius.
Counts CountStatements(std::string_view bytes)
{
    Counts counts;
    for (std::string line : test::Lines(bytes)) {
        line = line.substr(0, line.find(';'));
        std::transform(line.begin(), line.end(), line.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "[meshbuilder]") {
            ++counts.sections;
        } else if (command == "vertex") {
            ++counts.vertices;
        } else if (command == "face" || command == "face2") {
            ++counts.faces;
        } else if (command == "cube") {
            counts.vertices += 8;
            counts.faces += 6;
        } else if (command == "cylinder") {
            std::string rest;
            std::getline(words, rest);
            std::replace(rest.begin(), rest.end(), ',', ' ');
            std::istringstream numbers(rest);
            std::size_t sides = 0;
            double upper = 0;
            double lower = 0;
            numbers >> sides >> upper >> lower;
            counts.vertices += 2 * sides;
            counts.faces += sides + (upper > 0) + (lower > 0);
        }
    }
    return counts;
}

std::filesystem::path OnlyB3dFile(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".b3d")
            found.push_back(entry.path());
    }
    EXPECT_EQ(found.size(), 1u);
    return found.empty() ? std::filesystem::path() : found.front();
}

std::string Describe(const Model& model)
{
    std::string text;
    for (const Message& message : model.problems)
        text += "line " + std::to_string(message.line) + ": " + message.text + "\n";
    for (const Message& message : model.warnings)
        text += "line " + std::to_string(message.line) + ": warning: " + message.text + "\n";
    return text;
}

void ExpectReadBack(const std::filesystem::path& file)
{
    const std::string bytes = test::ReadFile(file);
    const Counts counts = CountStatements(bytes);
    const Model model = ReadB3dFile(file);
    EXPECT_TRUE(model.problems.empty() && model.warnings.empty()) << Describe(model);
    EXPECT_GT(counts.sections, 0u);
    EXPECT_EQ(model.sections.size(), counts.sections);
    EXPECT_EQ(model.vertexCount, counts.vertices);
    EXPECT_EQ(model.faceCount, counts.faces);
}

TEST(B3dReadBack, GeneratedHouses)
{
    // The flat roof house is complete; the others are read back when the
    // command can make them.
    const std::vector<std::vector<std::string>> houses = {
        {"house", "--roof", "flat", "--roof-edge", "--chimney-size", "0", "--stair-steps", "0"},
        {"house", "--roof", "flat"},
        {"house"},
        {"house", "--roof", "pitched", "--corner-left", "--stair-side", "2", "--lang", "en"},
        {"house", "--roof", "hip", "--chimney-size", "4"},
        {"house", "--roof", "lean", "--roof-level-texture", "--straight-stairs"},
    };
    for (const auto& args : houses) {
        std::string command;
        for (const auto& arg : args)
            command += arg + " ";
        SCOPED_TRACE(command);
        test::TempFolder folder;
        const test::CommandResult result = test::RunCli(args, folder.path());
        if (args.size() == 8) {
            ASSERT_EQ(result.exitCode, 0) << result.err;
        }
        if (result.exitCode != 0)
            continue;
        ExpectReadBack(OnlyB3dFile(folder.path()));
    }
}

TEST(B3dReadBack, GeneratedTerrain)
{
    test::TempFolder folder;
    const test::CommandResult result = test::RunCli({"terrain"}, folder.path());
    if (result.exitCode != 0)
        GTEST_SKIP() << "kestrane terrain did not write a file: " << result.err;
    ExpectReadBack(OnlyB3dFile(folder.path()));
}

}  // namespace
}  // namespace kestrane::b3d

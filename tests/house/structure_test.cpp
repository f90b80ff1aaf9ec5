// Every combination of roof kind, gutters, corner walls, stair style and
// roof-level texture, with all flights on, generates a file whose sections
// are consistent: faces and texture coordinates name only vertices of their
// own section, every statement is one the format knows, and no number is
// "nan" or "inf".
#include "house/house_generator.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

namespace kestrane {
namespace {

bool StartsWith(const std::string& line, const std::string& prefix) { return line.rfind(prefix, 0) == 0; }

// The comma-separated integers of `text` ("4,5,1,0 "); false if any part is
// not a plain integer.
bool ReadIndices(const std::string& text, std::vector<long>& indices)
{
    std::istringstream in(text);
    std::string part;
    while (std::getline(in, part, ',')) {
        while (!part.empty() && part.back() == ' ')
            part.pop_back();
        if (part.empty() || !std::all_of(part.begin(), part.end(), [](unsigned char c) { return std::isdigit(c); }))
            return false;
        indices.push_back(std::stol(part));
    }
    return true;
}

// The problems of a B3D text given as lines, one message per problem.
std::vector<std::string> StructuralProblems(const std::vector<std::string>& lines)
{
    static const char* const kStatements[] = {"[meshbuilder]", "vertex ", "face ", "face2 ", "color ",
                                              "cube ", "cylinder ", "translate ", "rotate ", "[Texture]",
                                              "load ", "Load ", "Coordinates "};
    std::vector<std::string> problems;
    long vertices = -1;  // of the current section; -1 before the first one
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const auto report = [&](const std::string& what) {
            problems.push_back("line " + std::to_string(n + 1) + ": " + what + ": \"" + line + "\"");
        };
        std::string lower = line;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        if (lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos)
            report("not a finite number");
        if (line.empty() || StartsWith(line, ";"))
            continue;
        if (std::none_of(std::begin(kStatements), std::end(kStatements),
                         [&](const char* keyword) { return StartsWith(line, keyword); })) {
            report("unknown statement");
            continue;
        }
        if (StartsWith(line, "[meshbuilder]")) {
            vertices = 0;
            continue;
        }
        if (vertices < 0) {
            report("statement outside a section");
            continue;
        }
        // A cube has 8 vertices, a cylinder of n sides 2n.
        if (StartsWith(line, "vertex ")) {
            ++vertices;
        } else if (StartsWith(line, "cube ")) {
            vertices += 8;
        } else if (StartsWith(line, "cylinder ")) {
            vertices += 2 * std::stol(line.substr(9));
        } else if (StartsWith(line, "face")) {
            std::vector<long> indices;
            if (!ReadIndices(line.substr(line.find(' ') + 1), indices) || indices.size() < 3)
                report("malformed face");
            for (const long index : indices)
                if (index >= vertices)
                    report("face names vertex " + std::to_string(index) + " of " + std::to_string(vertices));
        } else if (StartsWith(line, "Coordinates ")) {
            const long index = std::stol(line.substr(12));
            if (index >= vertices)
                report("texture coordinate for vertex " + std::to_string(index) + " of " + std::to_string(vertices));
        }
    }
    return problems;
}

TEST(HouseStructure, CheckerFindsTheFaultsItLooksFor)
{
    const std::vector<std::string> broken = {
        "[meshbuilder]", "vertex  0.000, 0.000, 0.000", "face 0,1,2",   // vertices 1 and 2 missing
        "[meshbuilder]", "cylinder 10,0.06,0.06,0.2", "face2 0,19,20",  // 20 vertices: 0 to 19
        "[meshbuilder]", "cube  1.000, 1.000, 1.000", "[Texture]", "Coordinates 8,0,0",
        "translate nan, 0.000, 0.000", "Vertex 1,2,3",
    };
    EXPECT_EQ(StructuralProblems(broken).size(), 6u);
}

TEST(HouseStructure, EveryCombinationGeneratesConsistentFiles)
{
    const RoofKind roofs[] = {RoofKind::Pitched, RoofKind::Hip, RoofKind::Pyramid, RoofKind::Flat, RoofKind::Lean};
    const char* const roofNames[] = {"pitched", "hip", "pyramid", "flat", "lean"};
    int combination = 0;
    for (int roof = 0; roof < 5; ++roof)
        for (const bool gutters : {true, false})
            for (int cornerWalls = 0; cornerWalls < 4; ++cornerWalls)  // none, left, right, both
                for (const bool straight : {false, true})
                    for (const bool roofLevelTexture : {false, true}) {
                        HouseInput input;
                        input.ChooseRoof(roofs[roof]);
                        input.gutters = gutters;
                        input.cornerWallLeft = (cornerWalls & 1) != 0;
                        input.cornerWallRight = (cornerWalls & 2) != 0;
                        input.stairsStraight = straight;
                        input.roofLevelTextureChecked = roofLevelTexture;
                        // All flights, their placements cycling through 1 to 3.
                        input.stairFront = 1 + combination % 3;
                        input.stairSide = 1 + (combination + 1) % 3;
                        input.stairCorner = 1 + (combination + 2) % 3;
                        input.stairSteps = 1 + combination % 5;
                        const UiLanguage language = combination % 2 ? UiLanguage::English : UiLanguage::Hungarian;
                        ++combination;

                        std::ostringstream name;
                        name << roofNames[roof] << (gutters ? " gutters" : " no gutters") << " corner walls "
                             << cornerWalls << (straight ? " straight" : " platform")
                             << (roofLevelTexture ? " roof-level texture" : "");
                        SCOPED_TRACE(name.str());

                        test::TempFolder folder;
                        HouseResult result;
                        ASSERT_NO_THROW(result = GenerateHouse(input, language, folder.path()));
                        const std::string bytes = test::ReadFile(result.path);
                        ASSERT_FALSE(bytes.empty());
                        EXPECT_EQ(StructuralProblems(test::Lines(bytes)), std::vector<std::string>{});
                    }
    EXPECT_EQ(combination, 160);
}

}  // namespace
}  // namespace kestrane

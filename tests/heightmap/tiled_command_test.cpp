// kestrane terrain with a heightmap in the simulator layout (the tiles
// read back meet at equal heights and follow the raster), and the progress
// lines of a long read on standard error.
#include "support/test_support.h"
#include "test_rasters.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>

namespace kestrane {
namespace {

using test::Lines;
using test::ReadFile;
using test::RunCli;
using test::TempFolder;

struct Vertex {
    double x, y, z;
};

double Number(const std::string& text)
{
    const std::size_t start = text.find_first_not_of(' ');
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    EXPECT_EQ(error, std::errc()) << text;
    return value;
}

// The vertices of a B3D file moved by its tile origin.
std::vector<Vertex> Vertices(const std::filesystem::path& file, const Vertex& origin)
{
    std::vector<Vertex> vertices;
    for (const std::string& line : Lines(ReadFile(file))) {
        if (line.rfind("Vertex", 0) != 0)
            continue;
        std::vector<double> values;
        std::stringstream fields(line.substr(6));
        for (std::string field; std::getline(fields, field, ',');)
            values.push_back(Number(field));
        EXPECT_EQ(values.size(), 3u) << line;
        if (values.size() == 3)
            vertices.push_back({values[0] + origin.x, values[1] + origin.y, values[2] + origin.z});
    }
    return vertices;
}

TEST(HeightmapTiledCommandTest, TilesMeetAtEqualHeightsThatFollowTheRaster)
{
    TempFolder folder;
    // 60 by 60 cells of 1 m rising east and north: a plane, which bilinear
    // sampling gives back exactly.
    const auto plane = [](double x, double z) { return 0.5 * x + 0.25 * z; };
    test::RasterLayout layout;
    layout.columns = 60;
    layout.rows = 60;
    layout.transform = std::array<double, 6>{0, 1, 0, 60, 0, -1};
    test::WriteRaster(folder / "dem.tif", layout,
                      [&](int column, int row) { return plane(column + 0.5, 59 - row + 0.5); });

    const auto result = RunCli({"terrain", "--lang", "en", "--area", "20,30", "--resolution", "10,15", "--no-color",
                                "--layout", "simulator", "--tile-length", "10", "--heightmap", "dem.tif",
                                "--heightmap-origin", "5,7"},
                               folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Domb tiles generated: 3 files and domb_tiles.txt\n"
                          "Heightmap: 176 nodes, 0 filled from neighbours (0 outside the raster).\n");

    // Every tile's vertices at their place in the whole, by (x, z).
    std::map<std::pair<long, long>, std::vector<double>> heightsAt;
    int tiles = 0;
    for (const std::string& line : Lines(ReadFile(folder / "domb_tiles.txt"))) {
        if (line.empty() || line[0] == ';')
            continue;
        std::vector<std::string> fields;
        std::stringstream parts(line);
        for (std::string field; std::getline(parts, field, ',');)
            fields.push_back(field);
        ASSERT_EQ(fields.size(), 4u) << line;
        ++tiles;
        const Vertex origin{Number(fields[1]), Number(fields[2]), Number(fields[3])};
        for (const Vertex& v : Vertices(folder / fields[0], origin)) {
            // Within the file's three decimals of the plane under the node.
            EXPECT_NEAR(v.y, plane(5 + v.x, 7 + v.z), 1e-3) << fields[0] << " " << v.x << "," << v.z;
            heightsAt[{std::lround(v.x * 1000), std::lround(v.z * 1000)}].push_back(v.y);
        }
    }
    EXPECT_EQ(tiles, 3);
    // The rows at z = 10 and 20 m belong to two tiles each: the same heights.
    int shared = 0;
    for (const auto& [place, heights] : heightsAt) {
        if (heights.size() < 2)
            continue;
        ++shared;
        EXPECT_TRUE(place.second == 10000 || place.second == 20000) << place.second;
        for (const double height : heights)
            EXPECT_EQ(height, heights.front()) << place.first << "," << place.second;
    }
    EXPECT_EQ(shared, 2 * 11);
}

TEST(HeightmapTiledCommandTest, LongReadPrintsProgressOnStandardError)
{
    TempFolder folder;
    // 16 Mi cells in 64 tiles of 512: read in several steps.
    test::WriteSparseRaster(folder / "large.tif", 4096, 4096, 512, 1.0, {2, 5}, [](int, int) { return 10.0; });
    const std::vector<std::string> args = {"terrain", "--area", "4096,4096", "--resolution", "50,50",
                                           "--heightmap", "large.tif"};
    // The second's wait taken away, so that the read counts as long.
    for (const auto& [language, start] : {std::pair<std::string, std::string>{"en", "reading the heightmap, "},
                                          {"hu", "domborzat olvasása, "}}) {
        auto withLanguage = args;
        withLanguage.insert(withLanguage.begin() + 1, {"--lang", language});
        const auto result = RunCli(withLanguage, folder.path(), {"KESTRANE_PROGRESS_AFTER_MS=0"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::regex line("kestrane terrain: " + start + "([0-9]+)%");
        std::vector<int> percents;
        std::stringstream lines(result.err);
        for (std::string text; std::getline(lines, text);) {
            std::smatch match;
            ASSERT_TRUE(std::regex_match(text, match, line)) << text;
            percents.push_back(std::stoi(match[1]));
        }
        ASSERT_GE(percents.size(), 2u) << result.err;
        for (std::size_t k = 0; k < percents.size(); ++k) {
            EXPECT_EQ(percents[k] % 10, 0) << result.err;
            if (k > 0) {
                EXPECT_GT(percents[k], percents[k - 1]) << result.err;
            }
        }
        EXPECT_EQ(percents.back(), 100);
        // The report after the status on standard output, as for a quick read.
        EXPECT_NE(result.out.find(language == "en" ? "Heightmap: 2601 nodes" : "Domborzat: 2601 rácspont"),
                  std::string::npos)
            << result.out;
    }
}

}  // namespace
}  // namespace kestrane

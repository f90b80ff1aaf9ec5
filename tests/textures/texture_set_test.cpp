// The starter textures: each a valid 24-bit BMP of a power-of-two side,
// the same bytes on every drawing, seamless where its mapping repeats; the
// object decides what a shared name shows; unknown names get a checker
// with the name on it.
#include "textures/bitmap_font.h"
#include "textures/texture_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace kestrane::textures {
namespace {

double Difference(Rgb8 a, Rgb8 b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// The mean difference between neighbouring lines (columns or rows): across
// the seam (the last line to the first) and the largest between two lines
// inside. A seamless picture continues across its edge as it does inside:
// the seam is no harder than the hardest line inside (a joint between
// tiles, say), give or take the tone of one course of bricks.
struct Seam {
    double across = 0, hardestInside = 0;
};
Seam MeasureSeam(const BitmapImage& image, bool columns)
{
    const int n = image.side();
    const auto at = [&](int line, int k) { return columns ? image.at(line, k) : image.at(k, line); };
    const auto between = [&](int a, int b) {
        double sum = 0;
        for (int k = 0; k < n; ++k)
            sum += Difference(at(a, k), at(b, k));
        return sum / n;
    };
    Seam seam;
    seam.across = between(n - 1, 0);
    for (int line = 0; line + 1 < n; ++line)
        seam.hardestInside = std::max(seam.hardestInside, between(line, line + 1));
    return seam;
}

TEST(StarterTextures, EachIsAPowerOfTwoBmpTheSameEveryTimeAndSeamlessWhereItRepeats)
{
    for (const StarterTexture& texture : StarterTextures()) {
        SCOPED_TRACE(texture.name);
        const BitmapImage image = Draw(texture.drawing);
        const int side = image.side();
        EXPECT_TRUE(side == 256 || side == 512);
        const std::string bytes = BmpFileBytes(image);
        ASSERT_EQ(bytes.size(), 54u + static_cast<std::size_t>(side) * side * 3);
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24u);  // bits per pixel
        EXPECT_EQ(bytes, BmpFileBytes(Draw(texture.drawing)));
        // What the file holds reads back as the picture.
        const BitmapImage back = ReadBmpBytes(bytes);
        ASSERT_EQ(back.side(), side);
        EXPECT_EQ(BmpFileBytes(back), bytes);
        if (IsSeamless(texture.drawing)) {
            for (const bool columns : {true, false}) {
                const Seam seam = MeasureSeam(image, columns);
                EXPECT_LE(seam.across, 1.1 * seam.hardestInside) << (columns ? "columns" : "rows");
            }
        }
    }
}

TEST(StarterTextures, TheObjectDecidesWhatASharedNameShows)
{
    EXPECT_EQ(DrawingOf("a.bmp", TextureOwner::House), Drawing::RoofTiles);
    EXPECT_EQ(DrawingOf("a.bmp", TextureOwner::Terrain), Drawing::Grass);
    EXPECT_EQ(DrawingOf("A.BMP", TextureOwner::Track), Drawing::RoofTiles);  // no track entry: the first owner's
    EXPECT_EQ(DrawingOf("zuzottko.bmp", TextureOwner::House), Drawing::Ballast);
    EXPECT_EQ(DrawingOf("mine.bmp", TextureOwner::House), std::nullopt);
    // Every name of the whole set is known, in both languages, and every
    // entry has its description in both.
    for (const UiLanguage language : {UiLanguage::Hungarian, UiLanguage::English})
        for (const std::string& name : StarterTextureNames(language))
            EXPECT_TRUE(DrawingOf(name, TextureOwner::House)) << name;
    for (const StarterTexture& texture : StarterTextures())
        EXPECT_TRUE(*texture.shows.hu && *texture.shows.en) << texture.name;
}

TEST(StarterTextures, BothLanguagesHaveTheSamePicturesEachNameOnce)
{
    // For every kind of object, the pictures the Hungarian files load and
    // those the English files load are the same ones in the same order,
    // and no name stands twice in one language's list.
    for (const TextureOwner owner : {TextureOwner::House, TextureOwner::Terrain, TextureOwner::Track}) {
        std::vector<std::pair<Drawing, std::string>> pictures[2];
        std::vector<std::string> names[2];
        for (const StarterTexture& texture : StarterTextures()) {
            if (texture.owner != owner)
                continue;
            for (const UiLanguage language : {UiLanguage::Hungarian, UiLanguage::English}) {
                if (texture.language && *texture.language != language)
                    continue;
                const int k = language == UiLanguage::Hungarian ? 0 : 1;
                pictures[k].emplace_back(texture.drawing, texture.shows.en);
                EXPECT_EQ(std::count(names[k].begin(), names[k].end(), texture.name), 0) << texture.name;
                names[k].push_back(texture.name);
            }
        }
        EXPECT_FALSE(pictures[0].empty());
        EXPECT_EQ(pictures[0], pictures[1]);
    }
    // The houses first, then the terrain, then the track kit.
    EXPECT_TRUE(std::is_sorted(StarterTextures().begin(), StarterTextures().end(),
                               [](const StarterTexture& a, const StarterTexture& b) { return a.owner < b.owner; }));
}

TEST(StarterTextures, AnUnknownNameIsACheckerWithTheNameOnIt)
{
    const BitmapImage image = TexturePicture("sajat_teglafal.bmp", TextureOwner::House);
    ASSERT_EQ(image.side(), 256);
    // The name is written in dark dots on a white band in the middle; the
    // corners show the grey checker.
    int dark = 0;
    for (int y = 0; y < image.side(); ++y)
        for (int x = 0; x < image.side(); ++x)
            dark += image.at(x, y).r < 60;
    EXPECT_GT(dark, 200);
    EXPECT_NE(image.at(0, 0), image.at(32, 0));
    EXPECT_EQ(image.at(0, 0), image.at(64, 0));
    // A longer name takes smaller letters, never more than the picture.
    EXPECT_LE(TextWidth(40, 1), 256);
    EXPECT_EQ(BmpFileBytes(TexturePicture(std::string(300, 'x'), TextureOwner::House)).size(), 54u + 256 * 256 * 3);
}

}  // namespace
}  // namespace kestrane::textures

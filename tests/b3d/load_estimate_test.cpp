// The load-time model against the simulator's own loader: counts of objects
// measured on this machine (README: the load-time model) and what the
// model makes of them.
#include "b3d/load_estimate.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

// `sections` sections of `faces` faces each, two-sided or not, with the
// vertices of a grid of shared nodes (about half a vertex a face).
LoadCounts Uniform(std::size_t sections, std::size_t faces, bool twoSided, std::size_t verticesPerSection)
{
    LoadCounts counts;
    for (std::size_t s = 0; s < sections; ++s)
        counts.AddSection(verticesPerSection, faces, twoSided ? faces : 0);
    return counts;
}

TEST(LoadEstimate, WithinAFactorOfTwoOfTheLoaderMeasured)
{
    struct Measured {
        const char* what;
        LoadCounts counts;
        double seconds;  // the loader's CPU time (its own start, 0.06 s, included)
    };
    const Measured measured[] = {
        {"50 x 100 cells, a section each", Uniform(5000, 2, true, 4), 2.6},
        {"100 x 100 cells, a section each", Uniform(10000, 2, true, 4), 9.9},
        {"100 x 100 grid, one one-sided section", Uniform(1, 20000, false, 10201), 1.98},
        {"100 x 300 grid, 70 one-sided sections", Uniform(70, 857, false, 480), 3.82},
        {"100 x 300 grid, 1200 one-sided sections", Uniform(1200, 50, false, 36), 5.8},
        {"100 x 300 grid, 300 two-sided sections", Uniform(300, 200, true, 121), 4.75},
        {"100 x 300 grid, 70 two-sided sections", Uniform(70, 857, true, 480), 6.56},
        // A flat grid in blocks of 22 x 22 cells, a face a cell or two: the
        // time goes with the face lines, not with their corners.
        {"100 x 100 grid, 25 sections of triangles", Uniform(25, 800, false, 441), 1.32},
        {"100 x 100 grid, 25 sections of four-corner faces", Uniform(25, 400, false, 441), 0.68},
        // The benchmark's terrain in the simulator layout, flat blocks one
        // face each: its largest tile (the bend) and two others, and a 50 x
        // 100 grid with peaks and a bend.
        {"full size, tile 2", {255, 40213, 42601, 23271953.0, 0.0}, 3.25},
        {"full size, tile 3", {256, 19169, 8887, 523067.0, 0.0}, 0.88},
        {"full size, tile 5", {250, 3152, 1537, 20497.0, 0.0}, 0.22},
        {"50 x 100 grid", {141, 5528, 4198, 1125532.0, 0.0}, 0.33},
    };
    for (const Measured& m : measured) {
        const double estimate = EstimateLoadSeconds(m.counts);
        EXPECT_GT(estimate, m.seconds / 2) << m.what;
        EXPECT_LT(estimate, m.seconds * 2) << m.what;
    }
}

TEST(LoadEstimate, GrowsWithSectionsAndWithTheirFaces)
{
    // The same faces: many small sections and one huge one both cost more
    // than sections of the bounded size.
    const double bounded = EstimateLoadSeconds(Uniform(60, 1000, false, 500));
    EXPECT_GT(EstimateLoadSeconds(Uniform(6000, 10, false, 10)), bounded);
    EXPECT_GT(EstimateLoadSeconds(Uniform(1, 60000, false, 30000)), bounded);
    // Two-sided faces never cost less than one-sided ones.
    EXPECT_GE(EstimateLoadSeconds(Uniform(60, 1000, true, 500)), bounded);
    EXPECT_GT(EstimateLoadSeconds(LoadCounts{}), 0.0);
}

TEST(LoadEstimate, SecondsWithTwoSignificantDigits)
{
    EXPECT_EQ(FormatLoadSeconds(0.0423), "0.042");
    EXPECT_EQ(FormatLoadSeconds(0.4), "0.40");
    EXPECT_EQ(FormatLoadSeconds(4.25), "4.3");
    EXPECT_EQ(FormatLoadSeconds(9.96), "10");
    EXPECT_EQ(FormatLoadSeconds(24.4), "24");
    EXPECT_EQ(FormatLoadSeconds(1184), "1184");
    EXPECT_EQ(LoadEstimateStatus(3.14, UiLanguage::English), "; the simulator loads it in about 3.1 s");
    EXPECT_EQ(LoadEstimateStatus(3.14, UiLanguage::Hungarian), "; a szimulátor kb. 3.1 s alatt tölti be");
}

}  // namespace
}  // namespace kestrane

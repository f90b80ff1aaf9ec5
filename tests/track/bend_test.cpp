// The pieces bent to a radius: every vertex lies on the piece's
// cross-section, consecutive blocks placed by the simulator's chord rule
// join exactly, edges stay within the tolerance, faces look the right way.
#include "placement.h"

#include "track/track_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace kestrane {
namespace {

using test::Placed;
using test::TrackPoint;
using test::Unbend;

TrackParams Params(TrackInput input = {}) { return ReadTrackParams(input, UiLanguage::English); }

using Line = std::vector<ProfilePoint>;

// The right-hand cross-sections with the default inputs, as the kit's
// description gives them: F = 3, D = 0.6, S = 1.5, A = 2, H = 3, ditch
// 1.2 x 0.4, wall coping 0.4, ground 50, ballast 3.4 wide at y = -0.17.
std::vector<Line> DescribedSection(TrackPiece piece)
{
    switch (piece) {
    case TrackPiece::Bed:
        return {{{-3, -0.6}, {-1.7 - 0.43 * 1.5, -0.6}, {-1.7, -0.17}, {1.7, -0.17}, {1.7 + 0.43 * 1.5, -0.6}, {3, -0.6}},
                {{-0.7875, -0.17}, {-0.7875, 0}, {-0.7175, 0}, {-0.7175, -0.17}},
                {{0.7175, -0.17}, {0.7175, 0}, {0.7875, 0}, {0.7875, -0.17}}};
    case TrackPiece::DikeRight: return {{{3, -0.6}, {3 + 2.4 * 1.5, -3}, {3 + 2.4 * 1.5 + 2, -3}}};
    case TrackPiece::CuttingRight:  // ditch and slope, then the apron
        return {{{3, -0.6}, {3.4, -1.0}, {3.8, -1.0}, {4.2, -0.6}, {4.2 + 3.6 * 1.5, 3}},
                {{4.2 + 3.6 * 1.5, 3}, {4.2 + 3.6 * 1.5 + 2, 3}}};
    case TrackPiece::WallRight: return {{{3, -0.6}, {3, 3}, {3.4, 3}}, {{3.4, 3}, {5.4, 3}}};  // face and coping, apron
    case TrackPiece::Ground: return {{{-50, 0}, {50, 0}}};
    case TrackPiece::DikeLeft:
    case TrackPiece::CuttingLeft:
    case TrackPiece::WallLeft: {
        const auto right = static_cast<TrackPiece>(static_cast<int>(piece) + 1);
        std::vector<Line> lines = DescribedSection(right);
        for (Line& line : lines)
            for (ProfilePoint& point : line)
                point.x = -point.x;
        return lines;
    }
    }
    return {};
}

double DistanceToLine(const Line& line, double x, double y)
{
    double best = 1e9;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const double dx = line[i + 1].x - line[i].x, dy = line[i + 1].y - line[i].y;
        const double t = std::clamp(((x - line[i].x) * dx + (y - line[i].y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        best = std::min(best, std::hypot(x - line[i].x - t * dx, y - line[i].y - t * dy));
    }
    return best;
}

const TrackPiece kAllPieces[] = {TrackPiece::Bed,         TrackPiece::DikeLeft,     TrackPiece::DikeRight,
                                 TrackPiece::CuttingLeft, TrackPiece::CuttingRight, TrackPiece::WallLeft,
                                 TrackPiece::WallRight,   TrackPiece::Ground};
const double kRadii[] = {0.0, 300.0, -300.0, 75.0, -1250.5};

// Every piece with every radius whose centre lies beyond it.
std::vector<std::pair<TrackPiece, double>> PiecesAndRadii()
{
    std::vector<std::pair<TrackPiece, double>> pairs;
    for (const TrackPiece piece : kAllPieces)
        for (const double radius : kRadii)
            if (radius == 0.0 || std::fabs(radius) > PieceCrossSection(piece, Params(), radius).FarthestX() + 1)
                pairs.emplace_back(piece, radius);
    return pairs;
}

std::string Trace(TrackPiece piece, double radius)
{
    return std::string(PieceRow(piece).key) + " R=" + std::to_string(radius);
}

TEST(TrackBend, EveryVertexLiesOnTheDescribedCrossSectionAndBothEndsArePresent)
{
    const TrackParams p = Params();
    for (const auto& [piece, radius] : PiecesAndRadii()) {
        SCOPED_TRACE(Trace(piece, radius));
        const std::vector<Line> described = DescribedSection(piece);
        const TrackMesh mesh = TrackPieceMesh(piece, p, radius);
        std::size_t line = 0;
        for (const TrackSurface& surface : mesh.surfaces) {
            if (surface.element == TrackElement::Sleeper) {
                // Sleepers lie inside the formation's envelope, under
                // the rail top, on the block.
                for (const Vec3& v : surface.vertices) {
                    const TrackPoint t = Unbend(v, radius, p.blockLength);
                    EXPECT_LE(std::fabs(t.x), p.formation);
                    EXPECT_GE(t.y, -p.formationDepth);
                    EXPECT_LE(t.y, -0.17 + 1e-9);
                    EXPECT_GE(t.s, 0.0);
                    EXPECT_LE(t.s, p.blockLength);
                }
                continue;
            }
            ASSERT_LT(line, described.size());
            std::map<std::pair<long, long>, int> ends;  // profile point in 0.1 mm: 1 start, 2 end
            for (const Vec3& v : surface.vertices) {
                const TrackPoint t = Unbend(v, radius, p.blockLength);
                EXPECT_LT(DistanceToLine(described[line], t.x, t.y), 0.001) << t.x << "," << t.y;
                EXPECT_GT(t.s, -1e-6);
                EXPECT_LT(t.s, p.blockLength + 1e-6);
                const std::pair<long, long> key{std::lround(t.x * 10000), std::lround(t.y * 10000)};
                if (std::fabs(t.s) < 1e-6)
                    ends[key] |= 1;
                if (std::fabs(t.s - p.blockLength) < 1e-6)
                    ends[key] |= 2;
            }
            // Every described point is at both ends.
            for (const ProfilePoint& point : described[line]) {
                const std::pair<long, long> key{std::lround(point.x * 10000), std::lround(point.y * 10000)};
                EXPECT_EQ(ends[key], 3) << point.x << "," << point.y;
            }
            ++line;
        }
        EXPECT_EQ(line, described.size());
    }
}

TEST(TrackBend, ConsecutiveBlocksPlacedByTheChordRuleShareTheirEndSections)
{
    const TrackParams p = Params();
    const double L = p.blockLength;
    for (const auto& [piece, radius] : PiecesAndRadii()) {
        SCOPED_TRACE(Trace(piece, radius));
        const TrackMesh mesh = TrackPieceMesh(piece, p, radius);
        // The block's start and end planes in the object: square to
        // the track at its start and end, i.e. turned by -L/2R and
        // +L/2R from square to the chord.
        const double turn = radius == 0.0 ? 0.0 : L / (2 * radius);
        const double chord = radius == 0.0 ? L : 2 * radius * std::sin(turn);
        std::vector<Vec3> starts, ends;
        for (const TrackSurface& surface : mesh.surfaces)
            for (const Vec3& v : surface.vertices) {
                if (std::fabs(-v.x * std::sin(turn) + v.z * std::cos(turn)) < 1e-7)
                    starts.push_back(v);
                if (std::fabs(v.x * std::sin(turn) + (v.z - chord) * std::cos(turn)) < 1e-7)
                    ends.push_back(v);
            }
        ASSERT_FALSE(starts.empty());
        ASSERT_EQ(starts.size(), ends.size());
        for (int k = 0; k < 3; ++k) {
            // Each end vertex of block k is a start vertex of block k+1, and back.
            for (const auto& [from, to, ownBlock] : {std::tuple{&ends, &starts, k}, std::tuple{&starts, &ends, k + 1}}) {
                for (const Vec3& v : *from) {
                    const Vec3 here = Placed(v, ownBlock, radius, L);
                    const int other = ownBlock == k ? k + 1 : k;
                    double nearest = 1e9;
                    for (const Vec3& w : *to)
                        nearest = std::min(nearest, test::Distance(here, Placed(w, other, radius, L)));
                    EXPECT_LT(nearest, 1e-6);
                }
            }
        }
    }
}

TEST(TrackBend, EdgesStayWithinTheToleranceWithNoMoreSegmentsThanNeeded)
{
    for (const char* tolerance : {"1", "5", "40"}) {
        TrackInput input;
        input.tolerance = tolerance;
        input.overlap = "0.5";
        const TrackParams p = Params(input);
        const double length = p.blockLength + p.overlap;
        for (const auto& [piece, radius] : PiecesAndRadii()) {
            if (radius == 0.0)
                continue;
            SCOPED_TRACE(Trace(piece, radius) + " tol=" + tolerance);
            const TrackMesh mesh = TrackPieceMesh(piece, p, radius);
            double farthest = 0.0, worst = 0.0;
            for (const TrackSurface& surface : mesh.surfaces) {
                if (surface.element == TrackElement::Sleeper)
                    continue;
                for (const auto& face : surface.faces)
                    for (int c = 0; c < 4; ++c) {
                        const Vec3& a = surface.vertices[face[c]];
                        const Vec3& b = surface.vertices[face[(c + 1) % 4]];
                        const TrackPoint ta = Unbend(a, radius, p.blockLength), tb = Unbend(b, radius, p.blockLength);
                        if (std::fabs(ta.s - tb.s) < 1e-9)
                            continue;  // across the track
                        // Along the track: the chord's middle against the circle.
                        const TrackPoint mid = Unbend({(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2}, radius,
                                                      p.blockLength);
                        worst = std::max(worst, std::fabs(mid.x - ta.x));
                        farthest = std::max(farthest, std::fabs(radius - ta.x));
                    }
            }
            EXPECT_LE(worst, p.tolerance + 1e-9);
            // A segment of length d at distance r strays about d^2/8r.
            const double longest = std::sqrt(8 * farthest * p.tolerance);
            const int needed = static_cast<int>(std::ceil(length * farthest / std::fabs(radius) / longest));
            EXPECT_LE(mesh.segments, needed + 1);
            EXPECT_GE(mesh.segments, 1);
        }
    }
}

// The visible side of a face: cross(v1 - v0, v2 - v0).
Vec3 Normal(const TrackSurface& surface, const std::array<std::uint32_t, 4>& face)
{
    return test::Cross(test::Minus(surface.vertices[face[1]], surface.vertices[face[0]]),
                       test::Minus(surface.vertices[face[2]], surface.vertices[face[0]]));
}

TEST(TrackBend, EarthFacesUpAndWallFacesFaceTheTrack)
{
    const TrackParams p = Params();
    for (const auto& [piece, radius] : PiecesAndRadii()) {
        SCOPED_TRACE(Trace(piece, radius));
        for (const TrackSurface& surface : TrackPieceMesh(piece, p, radius).surfaces) {
            if (surface.element == TrackElement::Sleeper || surface.element == TrackElement::Rail)
                continue;
            for (const auto& face : surface.faces) {
                const Vec3 n = Normal(surface, face);
                const double size = std::hypot(n.x, n.y, n.z);
                ASSERT_GT(size, 0.0);
                if (n.y / size > 1e-6)
                    continue;  // faces up
                // A vertical face: toward the track centre at its s.
                const Vec3& corner = surface.vertices[face[0]];
                const TrackPoint t = Unbend(corner, radius, p.blockLength);
                EXPECT_EQ(surface.element, TrackElement::Wall);
                const double turn = radius == 0.0 ? 0.0 : t.s / radius - p.blockLength / (2 * radius);
                // The track's "right" at s, in the object.
                const Vec3 right{std::cos(turn), 0, -std::sin(turn)};
                EXPECT_LT((n.x * right.x + n.z * right.z) * t.x, 0.0);
            }
        }
    }
}

TEST(TrackBend, RailsAndSleepersFaceOutOfTheirBoxes)
{
    const TrackParams p = Params();
    const TrackMesh mesh = TrackPieceMesh(TrackPiece::Bed, p, 0.0);
    const std::vector<double> sleepers = SleeperPositions(p.blockLength, p.sleeperSpacing);
    for (const TrackSurface& surface : mesh.surfaces) {
        if (surface.element != TrackElement::Rail && surface.element != TrackElement::Sleeper)
            continue;
        for (const auto& face : surface.faces) {
            Vec3 middle;
            for (const auto corner : face) {
                middle.x += surface.vertices[corner].x / 4;
                middle.y += surface.vertices[corner].y / 4;
                middle.z += surface.vertices[corner].z / 4;
            }
            Vec3 centre{0, -0.25, middle.z};  // the sleeper's middle
            if (surface.element == TrackElement::Rail)
                centre = {middle.x < 0 ? -0.7525 : 0.7525, -0.085, middle.z};
            else
                centre.z = *std::min_element(sleepers.begin(), sleepers.end(), [&](double a, double b) {
                    return std::fabs(a - middle.z) < std::fabs(b - middle.z);
                });
            const Vec3 n = Normal(surface, face), out = test::Minus(middle, centre);
            EXPECT_GT(n.x * out.x + n.y * out.y + n.z * out.z, 0.0);
        }
    }
    EXPECT_EQ(sleepers.size(), 38u);  // 25 / 0.65, rounded: the pattern runs on across joints
}

TEST(TrackBend, CantRaisesTheOuterRailAndKeepsTheFormationLevel)
{
    TrackInput input;
    input.cant = "150";
    const TrackParams p = Params(input);
    for (const double radius : {300.0, -300.0, 0.0}) {
        SCOPED_TRACE(radius);
        const TrackMesh mesh = TrackPieceMesh(TrackPiece::Bed, p, radius);
        // The corners of each rail's cross-section, left rail first.
        std::map<std::pair<long, long>, TrackPoint> rails[2];
        double lowest = 1e9;
        for (const TrackSurface& surface : mesh.surfaces)
            for (const Vec3& v : surface.vertices) {
                const TrackPoint t = Unbend(v, radius, p.blockLength);
                if (surface.element == TrackElement::Rail)
                    rails[t.x < 0 ? 0 : 1][{std::lround(t.x * 10000), std::lround(t.y * 10000)}] = t;
                if (surface.element == TrackElement::Ballast && std::fabs(std::fabs(t.x) - p.formation) < 1e-6) {
                    EXPECT_NEAR(t.y, -p.formationDepth, 1e-9);  // the formation's edges stay level
                }
                lowest = std::min(lowest, t.y);
            }
        // The inner edge of each head: of the two highest corners, the one
        // nearer the track centre.
        double head[2];
        for (int side = 0; side < 2; ++side) {
            std::vector<TrackPoint> corners;
            for (const auto& entry : rails[side])
                corners.push_back(entry.second);
            ASSERT_EQ(corners.size(), 4u);
            std::sort(corners.begin(), corners.end(), [](const TrackPoint& a, const TrackPoint& b) { return a.y > b.y; });
            head[side] = std::fabs(corners[0].x) < std::fabs(corners[1].x) ? corners[0].y : corners[1].y;
        }
        const double outerRise = radius >= 0 ? head[0] - head[1] : head[1] - head[0];
        EXPECT_NEAR(outerRise, radius == 0.0 ? 0.0 : 0.150, 0.001);
        EXPECT_NEAR(radius >= 0 ? head[1] : head[0], 0.0, 1e-9);  // the inner rail's head stays at the rail top
        EXPECT_NEAR(lowest, -p.formationDepth, 1e-9);
    }
}

}  // namespace
}  // namespace kestrane

namespace kestrane {
namespace {

TEST(TrackBend, PreviewPlacesEveryBlockAsTheSimulatorDoes)
{
    const TrackParams p = Params();
    for (const double radius : {0.0, 300.0, -150.0}) {
        const TrackMesh piece = TrackPieceMesh(TrackPiece::DikeRight, p, radius);
        const TrackMesh run = PlaceTrackBlocks(piece, radius, p.blockLength, 4);
        ASSERT_EQ(run.surfaces.size(), 4 * piece.surfaces.size());
        for (int k = 0; k < 4; ++k)
            for (std::size_t i = 0; i < piece.surfaces[0].vertices.size(); ++i)
                EXPECT_LT(test::Distance(run.surfaces[k].vertices[i],
                                         Placed(piece.surfaces[0].vertices[i], k, radius, p.blockLength)),
                          1e-9);
    }
}

}  // namespace
}  // namespace kestrane

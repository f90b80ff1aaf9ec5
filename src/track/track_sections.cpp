// The cross-sections as tables of points, right-hand versions; the left
// pieces are mirrored. F = formation half-width, D = formation depth,
// S = slope (horizontal per vertical), A = apron, H = the piece's height.
#include "track/track_sections.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

using Points = std::vector<ProfilePoint>;

// Consecutive points at the same place (a ditch or an apron of width 0)
// would make faces without area.
Points WithoutRepeats(const Points& points)
{
    Points kept;
    for (const ProfilePoint& point : points)
        if (kept.empty() || std::hypot(point.x - kept.back().x, point.y - kept.back().y) > 1e-9)
            kept.push_back(point);
    return kept;
}

// Turns points about the inner rail's head so that the outer rail stands
// `cant` higher: about the right rail on a right curve, the left one on a
// left curve.
struct CantRoll {
    ProfilePoint pivot;
    double cosine = 1.0;
    double sine = 0.0;  // signed: positive raises the points left of the pivot

    ProfilePoint operator()(ProfilePoint q) const
    {
        const double dx = q.x - pivot.x;
        return {pivot.x + dx * cosine + q.y * sine, q.y * cosine - dx * sine};
    }
};

CantRoll CantOf(const TrackParams& p, double radius)
{
    if (radius == 0.0 || p.cant == 0.0)
        return {};
    const double angle = std::asin(p.cant / p.gauge);
    const double side = radius > 0 ? 1.0 : -1.0;
    return {{side * p.gauge / 2, 0.0}, std::cos(angle), side * std::sin(angle)};
}

CrossSection BedSection(const TrackParams& p, double radius)
{
    const double F = p.formation, D = p.formationDepth, S = p.slope;
    const double top = -kRailHeight;  // the sleepers' top: the ballast's top
    const CantRoll roll = CantOf(p, radius);
    const ProfilePoint topLeft = roll({-p.ballastWidth / 2, top}), topRight = roll({p.ballastWidth / 2, top});

    CrossSection section;
    //                                 x                                 y
    section.lines.push_back({TrackElement::Ballast, WithoutRepeats({
                                 {-F,                                -D},  // formation, left edge
                                 {topLeft.x - (topLeft.y + D) * S,   -D},  // foot of the left shoulder
                                 topLeft,                                  // ballast top, left
                                 topRight,                                 // ballast top, right
                                 {topRight.x + (topRight.y + D) * S, -D},  // foot of the right shoulder
                                 {F,                                 -D},  // formation, right edge
                             })});
    if (p.rails) {
        const double g = p.gauge / 2, w = kRailHeadWidth, h = kRailHeight;
        // Each rail: up its left side, across its head, down its right side.
        section.lines.push_back({TrackElement::Rail, {roll({-g - w, -h}), roll({-g - w, 0}), roll({-g, 0}), roll({-g, -h})}});
        section.lines.push_back({TrackElement::Rail, {roll({g, -h}), roll({g, 0}), roll({g + w, 0}), roll({g + w, -h})}});
    }
    if (p.sleeperSpacing > 0) {
        const double half = kSleeperLength / 2, bottom = top - kSleeperHeight;
        section.sleeper = {{roll({-half, bottom}), roll({-half, top}), roll({half, top}), roll({half, bottom})}};
    }
    return section;
}

CrossSection DikeSection(const TrackParams& p)
{
    const double F = p.formation, D = p.formationDepth, S = p.slope, A = p.apron, H = p.dikeHeight;
    return {{{TrackElement::Grass, WithoutRepeats({
                  {F,                      -D},  // formation edge
                  {F + (H - D) * S,        -H},  // foot of the slope
                  {F + (H - D) * S + A,    -H},  // end of the apron
              })}},
            {}};
}

CrossSection CuttingSection(const TrackParams& p)
{
    const double F = p.formation, D = p.formationDepth, S = p.slope, A = p.apron, H = p.cuttingHeight;
    const double w = p.ditchWidth, d = p.ditchDepth;
    const double crest = F + w + (H + D) * S;
    return {{{TrackElement::Rock, WithoutRepeats({
                  {F,         -D},      // formation edge
                  {F + d,     -D - d},  // ditch bottom, near side
                  {F + w - d, -D - d},  // ditch bottom, far side
                  {F + w,     -D},      // ditch edge
                  {crest,     H},       // top of the slope
              })},
             {TrackElement::Grass, WithoutRepeats({
                  {crest,     H},
                  {crest + A, H},       // end of the apron
              })}},
            {}};
}

CrossSection WallSection(const TrackParams& p)
{
    const double F = p.formation, D = p.formationDepth, A = p.apron, H = p.wallHeight, T = p.wallThickness;
    CrossSection section{{{TrackElement::Wall, {
                              {F,     -D},  // foot of the face
                              {F,     H},   // top of the face
                              {F + T, H},   // far edge of the coping
                          }}},
                         {}};
    if (A > 0)
        section.lines.push_back({TrackElement::Grass, {{F + T, H}, {F + T + A, H}}});
    return section;
}

CrossSection GroundSection(const TrackParams& p)
{
    return {{{TrackElement::Grass, {{-p.groundWidth, 0}, {p.groundWidth, 0}}}}, {}};
}

// A left piece: x mirrored, each line reversed so that it faces as before.
CrossSection Mirrored(CrossSection section)
{
    for (ProfileLine& line : section.lines) {
        std::reverse(line.points.begin(), line.points.end());
        for (ProfilePoint& point : line.points)
            point.x = -point.x;
    }
    return section;
}

}  // namespace

double CrossSection::FarthestX() const
{
    double farthest = 0.0;
    for (const ProfileLine& line : lines)
        for (const ProfilePoint& point : line.points)
            farthest = std::max(farthest, std::fabs(point.x));
    if (sleeper)
        for (const ProfilePoint& point : *sleeper)
            farthest = std::max(farthest, std::fabs(point.x));
    return farthest;
}

CrossSection PieceCrossSection(TrackPiece piece, const TrackParams& p, double radius)
{
    switch (piece) {
    case TrackPiece::Bed: return BedSection(p, radius);
    case TrackPiece::DikeLeft: return Mirrored(DikeSection(p));
    case TrackPiece::DikeRight: return DikeSection(p);
    case TrackPiece::CuttingLeft: return Mirrored(CuttingSection(p));
    case TrackPiece::CuttingRight: return CuttingSection(p);
    case TrackPiece::WallLeft: return Mirrored(WallSection(p));
    case TrackPiece::WallRight: return WallSection(p);
    case TrackPiece::Ground: return GroundSection(p);
    }
    return {};
}

}  // namespace kestrane

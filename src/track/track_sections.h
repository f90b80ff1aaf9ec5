// The cross-sections of the pieces: what a piece looks like cut square to
// the track, in track coordinates (x to the right of the direction of
// travel, y up, 0 at the top of the rail and at the track centre).
#pragma once

#include "track/track_params.h"

#include <array>
#include <optional>
#include <vector>

namespace kestrane {

struct ProfilePoint {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const ProfilePoint&, const ProfilePoint&) = default;
};

// One surface of a cross-section: a line of points, drawn along the track.
// Its visible side lies to the left of the line's direction (seen with y
// up and x to the right): a line running outward faces up, a line running
// up faces the track centre on the right-hand side.
struct ProfileLine {
    TrackElement element;
    std::vector<ProfilePoint> points;
};

struct CrossSection {
    std::vector<ProfileLine> lines;
    // The bed's sleeper, cut across: bottom left, top left, top right,
    // bottom right (rolled with the cant). Laid as boxes square to the track.
    std::optional<std::array<ProfilePoint, 4>> sleeper;

    // The largest |x| of the section: a bend's centre must lie beyond it.
    double FarthestX() const;
};

// The sleeper's size and the rail's, in metres.
inline constexpr double kSleeperLength = 2.6;
inline constexpr double kSleeperWidth = 0.26;    // along the track
inline constexpr double kSleeperHeight = 0.16;
inline constexpr double kRailHeight = 0.17;      // from the sleeper's top to the rail's top
inline constexpr double kRailHeadWidth = 0.07;

// The cross-section of `piece` for a bend of `radius` (its sign picks the
// inner rail of the cant; a straight piece has no cant).
CrossSection PieceCrossSection(TrackPiece piece, const TrackParams& p, double radius);

}  // namespace kestrane

// The openings of the facades as mesh sections: each window and door a
// textured quad a few millimetres in front of its wall, visible from
// outside only; optionally a raised frame round it and a sill under a
// window; lit windows glow with an emissive colour.
#pragma once

#include "b3d/b3d_writer.h"
#include "house/facade_layout.h"
#include "house/house_params.h"

#include <array>
#include <span>

namespace kestrane {

// The four walls of the house as the generator writes them for `params`:
// corner walls shorten the front and side walls; openings stay below the
// wall top, below the lower top corner of a lean-roof wall that follows its
// roof, and below the eave of an overhanging lean roof on the right wall.
std::array<WallFace, 4> FacadeWalls(const HouseParams& params);

inline constexpr double kOpeningDistance = 0.005;  // the opening's face in front of the wall
inline constexpr double kFrameWidth = 0.06;        // the border inside the opening
inline constexpr double kFrameDepth = 0.04;        // how far the frame stands out of the wall
inline constexpr double kSillOverhang = 0.05;      // beyond the window on each side
inline constexpr double kSillDepth = 0.08;
inline constexpr double kSillThickness = 0.05;

// Lit windows load the window bitmap as their day texture and the lit one as
// their night texture ("load ablak.bmp,ablak_ejjel.bmp"): the simulator
// blends from one to the other as the route's light falls. With a window
// colour, or with "glow" chosen, they carry the format's emissive colour
// instead, which is added to the face whatever the light (for routes that
// are always dark).
inline constexpr ColorRgb kLitWindowColor{255, 214, 140};

// The night texture of a window bitmap: "ablak_ejjel.bmp" / "window_night.bmp"
// for the default names, else the name with "_ejjel" / "_night" before its
// extension.
std::string NightWindowTexture(const std::string& dayTexture, UiLanguage language);
inline constexpr ColorRgb kFrameColor{235, 235, 228};
inline constexpr ColorRgb kSillColor{190, 188, 182};

// Writes the openings, in the order of `openings`, each followed by its
// frame and sill when frames are on.
void WriteFacadeOpenings(B3dWriter& out, UiLanguage language, const FacadeParams& params,
                         const std::array<WallFace, 4>& walls, std::span<const Opening> openings);

}  // namespace kestrane

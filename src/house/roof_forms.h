// The half-hipped, gambrel, mansard and saltbox roofs as tables of faces.
//
// House frame: front wall at x = 0, back wall at x = length, y up, z from
// -width/2 (right) to +width/2 (left). Every roof here starts at wall height
// on the eave line, `roofOverhang` outside the walls (a gable roof's ridge
// also reaches that far beyond the gables), and its highest point lies at
// `roofHeight` above the ground.
//
// Every face is convex and its corners run clockwise seen from outside:
// cross(v1 - v0, v2 - v0) points out of the house.
#pragma once

#include "house/house_generator.h"

#include <string>
#include <vector>

namespace kestrane {

// How a face takes its bitmap.
//  - Roof: laid in the face's plane at a fixed scale (kRoofBitmapMetres per
//    repeat in both directions): u grows along the eave to the right as seen
//    from outside, v down the slope from the top of the roof side; faces of
//    one side fold over a knee without a seam.
//  - Wall: the bitmap of the wall below continued upwards at its scale (u
//    across the width, one repeat per wall height).
//  - Gable: the gable's own bitmap over the face's bounding rectangle.
//  - None: no bitmap; the fixed colour of soffits and fillers.
enum class FormTexture { Roof, Wall, Gable, None };

constexpr double kRoofBitmapMetres = 1.0;

struct FormFace {
    LocalText title;
    std::vector<Vec3> points;
    const char* bitmap;  // null for FormTexture::None
    FormTexture texture;
    // Roof: the slant distance from the top of this roof side down to the
    // face's highest edge at height `topY`.
    double slantAbove = 0.0;
    double topY = 0.0;
};

// Everything one roof form adds to the rectangular walls, in writing order.
struct RoofFormFaces {
    std::vector<FormFace> gableTops;  // on the front and back wall tops; none when hipped
    std::vector<FormFace> soffit;     // under the overhang, facing down; none without one
    std::vector<FormFace> fillers;    // close the overhang at the gable ends (under the eaves)
    std::vector<FormFace> roof;
    EaveCorners eave;                 // for the gutters and the downpipe
    // Hipped: eaves all round (a gutter ring) and one-sided roof faces over
    // the soffit. Otherwise gutters right and left, and two-sided roof faces,
    // whose underside shows where the roof reaches beyond the gables.
    bool hipped = false;
};

// The faces of the roof form `p.roofKind` (one of the four forms). The
// parameters have been checked by ReadHouseParams.
RoofFormFaces RoofFormGeometry(const HouseParams& p);

// The texture coordinates of `face`: one (u, v) per point.
struct TexturePoint {
    double u;
    double v;
};
std::vector<TexturePoint> FormTextureCoordinates(const FormFace& face, const HouseParams& p);

// The narrowest part of a roof form's face: anything smaller rounds to
// nothing in the three decimals of the file.
inline constexpr double kSmallestPart = 0.01;

// The form's parameters filled in where the window's box was left empty,
// valid for every house whose walls and roof height are: a third of the
// roof's rise for the clip (less on a short house), the knee a sixth of
// the width inside the walls (the mansard: a sixth of the shorter side) and
// at 60 % of the rise (higher where the overhang would make the lower slope
// the flatter one), the saltbox ridge a sixth of the width left of the
// centre. DefaultKneeHeight takes the inset in force from `p.kneeInset`.
double DefaultClipHeight(const HouseParams& p);
double DefaultKneeHeight(const HouseParams& p);
double DefaultKneeInset(const HouseParams& p);
double DefaultRidgeOffset(const HouseParams& p);

bool IsRoofForm(RoofKind kind);

}  // namespace kestrane

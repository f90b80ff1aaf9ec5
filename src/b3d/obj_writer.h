// A mesh model as Wavefront OBJ with its MTL, for editing in Blender.
//
// Axes: the simulator's frame is left-handed (x right, y up, z ahead); OBJ
// is right-handed with y up and -z ahead. A point (x, y, z) becomes
// (x, y, -z), the same place seen the same way, not mirrored. The turn of
// handedness reverses how corners run: a face visible where its corners
// run clockwise in B3D has them counter-clockwise seen from that side once
// converted, so the corners are written in reverse order (OBJ shows the
// side they run counter-clockwise on). A Face2 is written twice, once each
// way. Texture coordinates: B3D counts v down from the image's top, OBJ up
// from its bottom, so v becomes 1 - v.
//
// Each section is one object and group ("o", "g"), named after its comment
// line where it has one; each distinct colour, texture and emissive colour
// is one material (Kd, d, map_Kd, Ke). The text is UTF-8 with LF line ends.
#pragma once

#include "b3d/b3d_model.h"

#include <string>
#include <string_view>

namespace kestrane::b3d {

struct ObjTexts {
    std::string obj;
    std::string mtl;
};

// The OBJ text of `model`, naming `mtlFileName` as its material library,
// and that library's text.
ObjTexts MakeObj(const Model& model, std::string_view mtlFileName);

// The OBJ point of a point in the simulator's frame.
inline Vec3 ObjPoint(const Vec3& p) { return {p.x, p.y, -p.z}; }

}  // namespace kestrane::b3d

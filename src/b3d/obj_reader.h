// Reads Wavefront OBJ with its MTL into the mesh model: what the OBJ writer
// writes (obj_writer.h) and ordinary OBJ files from an editor.
//
// The format, as read here: "#" starts a comment; "v x y z" a vertex (more
// numbers, a w or a colour, are ignored); "vt u [v [w]]" a texture
// coordinate; "f" a polygon of three or more corners, each "v", "v/vt",
// "v//vn" or "v/vt/vn", counted from 1 or, negative, back from the last
// one given; "o", "g" and "usemtl" start a new section at the next face;
// "mtllib" names material libraries, of which newmtl, Kd, d, Ke and map_Kd
// are read. Normals, smoothing groups, lines and points are accepted and
// left out.
//
// Axes undo the writer's: an OBJ point (x, y, z) is (x, y, -z) in the
// simulator's frame, the corners of each face are reversed (OBJ shows the
// side they run counter-clockwise on, B3D the side they run clockwise on)
// and v becomes 1 - v. Each section holds the vertices its faces use, one
// per distinct pair of position and texture coordinate, in the order of
// first use. A face written twice, once each way, stays two faces.
//
// Bounded as the B3D reader: the same limits on lines, sections, vertices,
// faces and corners; a line that cannot be interpreted is a problem naming
// its line and is left out.
#pragma once

#include "b3d/b3d_model.h"
#include "b3d/b3d_reader.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane::b3d {

// The most bytes of a material library that are read.
inline constexpr std::size_t kMostMtlBytes = 16u << 20;

// The text of the material library an OBJ file names, or nothing when it
// cannot be read.
using MtlSource = std::function<std::optional<std::string>(const std::string& name)>;

// Reads OBJ text; its material libraries come from `mtl` (none: every
// usemtl names a missing material, a warning).
Model ReadObj(std::string_view text, const MtlSource& mtl = {});

// Reads an OBJ file, its material libraries beside it. Throws as
// ReadB3dFile.
Model ReadObjFile(const std::filesystem::path& path, const ReadProgress& progress = {});

}  // namespace kestrane::b3d

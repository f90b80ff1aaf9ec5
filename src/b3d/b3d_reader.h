// Reads B3D text, ours or anybody's, into the mesh model.
//
// The format, as read here:
// - A line is a command name (any case) and comma-separated arguments after
//   a blank; ";" starts a comment to the end of the line; blank lines and the
//   blanks around arguments are ignored. CR LF and LF line ends both work.
// - "[MeshBuilder]" starts a section; "[Texture]" starts the texture block of
//   the current section (Load, Coordinates), which lasts until the next
//   "[MeshBuilder]".
// - Vertex x,y,z[,nx,ny,nz]; Face and Face2 i,j,k,...; Cube hx,hy,hz;
//   Cylinder n,r1,r2,h; Translate, Scale x,y,z; Rotate ax,ay,az,deg (positive
//   angles turn clockwise seen from the tip of the axis); TranslateAll,
//   ScaleAll, RotateAll (every section so far); Color r,g,b[,a];
//   Load file[,night file]; Coordinates i,u,v.
// - EmissiveColor, Transparent, BlendMode, Shear and ShearAll are accepted;
//   they do not change the model (Shear and ShearAll with a warning, as they
//   would move vertices).
//
// A line that cannot be interpreted becomes a problem with its line number
// and is skipped; reading goes on with the next line.
#pragma once

#include "b3d/b3d_model.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kestrane::b3d {

// The most vertices an object should have; more draw a warning, as 16-bit
// vertex indices no longer reach them all.
inline constexpr std::size_t kMostVertices = 65534;

// Reads B3D text. Windows-1250 and UTF-8 (with or without a byte-order mark)
// are both accepted; texture file names end up UTF-8.
Model ReadB3d(std::string_view text);

// A file that could not be read at all; what() says why.
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a B3D file. Throws ReadError when the file cannot be opened or read.
Model ReadB3dFile(const std::filesystem::path& path);

}  // namespace kestrane::b3d

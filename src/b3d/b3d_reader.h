// Reads B3D text, ours or anybody's, into the mesh model; and the same
// statements in the simulator's CSV object format.
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
// CSV: each line is a command and its arguments, all separated by commas
// ("AddVertex,1,2,3"), ";" starting a comment; the commands are those the
// CSV writer translates to (csv_translation.h, the same table read the other
// way; the B3D words are taken too) and "CreateMeshBuilder" starts a section.
// Empty arguments at the end of a line are dropped, as the simulator drops
// them.
//
// A line that cannot be interpreted becomes a problem with its line number
// and is skipped; reading goes on with the next line.
//
// The text is read piece by piece, never held whole, and the model stays
// within the limits below: a line that would pass one is a problem and is
// left out. Transform statements are recorded and applied once at the end,
// so the work grows with the size of the file plus its vertices.
#pragma once

#include "b3d/b3d_model.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kestrane::b3d {

// The most vertices an object should have; more draw a warning, as 16-bit
// vertex indices no longer reach them all.
inline constexpr std::size_t kMostVertices = 65534;

// What one file may hold; the full-size terrain (100,000 sections, 400,000
// vertices, 200,000 faces) is well within.
inline constexpr std::size_t kMostFileSections = 250'000;
inline constexpr std::size_t kMostFileVertices = 1'000'000;
inline constexpr std::size_t kMostFileFaces = 1'000'000;
inline constexpr std::size_t kMostFileCorners = 4'000'000;  // over all faces
inline constexpr long long kMostCylinderSides = 100'000;
inline constexpr std::size_t kLongestLine = 1 << 20;  // bytes
inline constexpr std::size_t kLongestTextureName = 260;  // bytes, as Windows paths

// Reads B3D text. Windows-1250 and UTF-8 (with or without a byte-order mark)
// are both accepted; texture file names end up UTF-8.
Model ReadB3d(std::string_view text);
// Reads CSV object text, as ReadB3d.
Model ReadCsv(std::string_view text);

// Told, after each piece read, how many bytes are done and how many the
// file has (0: unknown); returns false to stop reading.
using ReadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Reading stopped because the progress function asked for it.
class ReadCancelled : public std::runtime_error {
public:
    ReadCancelled() : std::runtime_error("reading cancelled") {}
};

// Reads B3D text from a stream, piece by piece. Throws ReadCancelled when
// `progress` stops it.
Model ReadB3d(std::istream& in, const ReadProgress& progress = {}, std::uint64_t total = 0);

// A file that could not be read at all; what() says why.
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a B3D file. Throws ReadError when the file cannot be opened or read,
// ReadCancelled when `progress` stops it. Running out of memory is
// std::bad_alloc, as anywhere.
Model ReadB3dFile(const std::filesystem::path& path, const ReadProgress& progress = {});
// Reads a CSV object file, as ReadB3dFile.
Model ReadCsvFile(const std::filesystem::path& path, const ReadProgress& progress = {});

// Reads an object file by its ending (any case): .csv as a CSV object, .obj
// as Wavefront OBJ (obj_reader.h), any other as B3D.
Model ReadObjectFile(const std::filesystem::path& path, const ReadProgress& progress = {});

// Takes one piece of a file; returns false when no more is wanted.
using PieceFeed = std::function<bool(std::string_view piece)>;

// Reads the regular file at `path` piece by piece into `feed`, telling
// `progress` after each piece. Throws ReadError when the file cannot be
// opened or read (a folder, a pipe or a device is not read),
// ReadCancelled when `progress` stops it.
void ReadFileInPieces(const std::filesystem::path& path, const PieceFeed& feed, const ReadProgress& progress = {});

}  // namespace kestrane::b3d

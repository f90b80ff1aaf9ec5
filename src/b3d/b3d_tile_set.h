// Reads a terrain cut into tiles: an index that names each tile's object file
// and its origin, and the tiles themselves, into one model.
//
// The index is text, one tile a line: "file,x,y,z", the file relative to the
// index's folder and the origin in metres; lines starting with ";" and blank
// lines are comments. Every vertex of a tile is relative to its origin.
#pragma once

#include "b3d/b3d_model.h"
#include "b3d/b3d_reader.h"
#include "b3d/load_estimate.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrane::b3d {

struct TileSetEntry {
    std::string file;  // as the index names it
    Vec3 origin;
};

struct TileSet {
    Model model;  // every tile moved to its origin, in the order of the index
    std::vector<TileSetEntry> tiles;
    // Each tile read, with what the simulator's load model counts of it.
    std::vector<std::pair<std::string, LoadCounts>> loads;
    std::size_t mostVertices = 0;  // in the largest tile
};

// Whether `path` names a tile index: its name ends with "_tiles.txt".
bool IsTileIndex(const std::filesystem::path& path);

// The number of a tile file of the set `stem` ("domb_007.b3d": 7), or
// nothing for another name. `ending` names the tiles of another format
// (".csv": "domb_007.csv").
std::optional<int> TileNumber(std::string_view name, std::string_view stem, std::string_view ending = ".b3d");

// The most bytes of an index that are read.
inline constexpr std::size_t kMostIndexBytes = 16u << 20;

// Reads the index at `path` and every tile it names. A tile that cannot be
// read, and an index line that is not "file,x,y,z", are problems of the
// model (at the index's line); the problems and warnings of a tile name
// its file. Only tiles of the index's own set are read (NAME_001.b3d ...
// beside NAME_tiles.txt, each once; NAME_001.csv or .obj in the other
// formats, each read by its ending), and the set is held to the limits of
// one file (sections, vertices, faces): a line naming another file, a tile
// named twice and the tile that would pass a limit are problems and are not
// read. Throws ReadError when the index itself cannot be read (missing, not
// a regular file, larger than kMostIndexBytes), ReadCancelled when
// `progress` (told the tiles read of all) stops it.
TileSet ReadTileSet(const std::filesystem::path& path, const ReadProgress& progress = {});

}  // namespace kestrane::b3d

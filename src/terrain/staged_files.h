// Replacing a tile set as a whole. Every file of the new set is written
// completely beside its name first (see ReplacementGroup); only then do
// the names change, in an order that lets anyone who reads the folder at
// any instant find the index naming complete tiles of one set, or no index:
//
//   1. the earlier index goes (first out),
//   2. the new tiles take their names,
//   3. the earlier set's tiles beyond the new ones, and a single NAME.b3d
//      of the same name, go,
//   4. the new index takes its name (last in).
//
// One tile is written as NAME.b3d alone: the earlier index goes first, then
// the file takes its name, then every tile the earlier index listed goes.
// A set dropped before that (a failed write, a refusal) removes its
// temporary files, and the previous set stays exactly as it was.
//
// A set may be written as CSV or OBJ objects (NAME_001.csv, NAME_001.obj
// with NAME_001.mtl beside it). The earlier set is cleared in whatever
// format it was written: the tiles it listed that the new set does not
// write again (all of them when the format changed) go, an OBJ tile with
// its MTL, and a single NAME.b3d, NAME.csv or NAME.obj (with NAME.mtl) as
// a single NAME.b3d does.
#pragma once

#include "b3d/object_format.h"
#include "core/replacing_file.h"

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace kestrane {

class TileSetReplacement {
public:
    // The set `stem` in `folder` (empty: the current folder), written in
    // `format`. Reads which tiles the earlier index lists, and removes
    // temporary files that interrupted runs left for any name of the set.
    TileSetReplacement(std::filesystem::path folder, std::string stem, ObjectFormat format = ObjectFormat::B3d);

    // The path of `name` in the folder.
    std::filesystem::path PathOf(const std::string& name) const;

    // Step 1: to be called before the files of the new set are committed.
    void RemoveEarlierIndex();
    // Step 3, after the tiles of a new set of `count` tiles (1: the single
    // file) are committed and before its index is.
    void RemoveLeftovers(int count);
    // Carries the steps out (or hands them to an enclosing group). Throws
    // OutputError.
    void Publish() { group_.Publish(); }

private:
    std::filesystem::path folder_;
    std::string stem_;
    ObjectFormat format_;
    std::set<std::string> listed_;  // the tiles the earlier index lists
    ReplacementGroup group_;

    // Adds the removal of `name` (and of its MTL when it is an OBJ file)
    // unless it is missing or a regular file its owner has write-protected.
    void RemoveUnlessProtected(const std::string& name);
};

}  // namespace kestrane

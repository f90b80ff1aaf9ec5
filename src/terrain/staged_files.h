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
#pragma once

#include "core/replacing_file.h"

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace kestrane {

class TileSetReplacement {
public:
    // The set `stem` in `folder` (empty: the current folder). Reads which
    // tiles the earlier index lists, and removes temporary files that
    // interrupted runs left for any name of the set.
    TileSetReplacement(std::filesystem::path folder, std::string stem);

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
    std::set<std::string> listed_;  // the tiles the earlier index lists
    ReplacementGroup group_;
};

}  // namespace kestrane

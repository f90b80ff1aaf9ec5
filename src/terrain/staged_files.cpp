#include "terrain/staged_files.h"

#include "b3d/b3d_tile_set.h"
#include "core/regular_file.h"
#include "core/utf8_path.h"

#include <algorithm>
#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <system_error>

namespace kestrane {

using b3d::TileNumber;

namespace {

std::string IndexName(const std::string& stem) { return stem + "_tiles.txt"; }

constexpr ObjectFormat kFormats[] = {ObjectFormat::B3d, ObjectFormat::Csv, ObjectFormat::Obj};

// A tile file of the set `stem` in any format: its number and format.
struct TileOfSet {
    int number = 0;
    ObjectFormat format = ObjectFormat::B3d;
};
std::optional<TileOfSet> TileOf(std::string_view name, const std::string& stem)
{
    for (const ObjectFormat format : kFormats)
        if (const std::optional<int> number = TileNumber(name, stem, ObjectFormatEnding(format)))
            return TileOfSet{*number, format};
    return std::nullopt;
}

// The material library beside an OBJ file ("domb_001.obj": "domb_001.mtl").
std::string MaterialOf(const std::string& objName) { return objName.substr(0, objName.size() - 4) + ".mtl"; }

// The tiles that the index `index` of an earlier set lists: only names of
// the set's own pattern, so an index from elsewhere cannot point the
// clean-up at other files.
std::set<std::string> ListedTiles(const std::filesystem::path& index, const std::string& stem)
{
    std::set<std::string> listed;
    // Read at its own size (within the most an index may have): a buffer of
    // the largest size would be cleared page by page for a few lines.
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(index, error);
    if (error)
        return listed;
    const std::optional<std::string> text =
        ReadRegularFile(index, static_cast<std::size_t>(std::min<std::uintmax_t>(size + 1, b3d::kMostIndexBytes)));
    if (!text)
        return listed;
    std::string_view rest = *text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::string_view name = line.substr(0, line.find(','));
        if (TileOf(name, stem))
            listed.emplace(name);
    }
    return listed;
}

}  // namespace

TileSetReplacement::TileSetReplacement(std::filesystem::path folder, std::string stem, ObjectFormat format)
    : folder_(std::move(folder)), stem_(std::move(stem)), format_(format)
{
    listed_ = ListedTiles(PathOf(IndexName(stem_)), stem_);
    // The set's single file in every format, its MTL and the index.
    std::vector<std::string> whole{IndexName(stem_), stem_ + ".mtl"};
    for (const ObjectFormat f : kFormats)
        whole.push_back(stem_ + ObjectFormatEnding(f));
    const auto ofTheSet = [&](std::string_view target) {
        return std::find(whole.begin(), whole.end(), target) != whole.end() || TileOf(target, stem_).has_value() ||
               TileNumber(target, stem_, ".mtl").has_value();
    };
    RemoveStaleTemporaryFiles(folder_.empty() ? std::filesystem::path(".") : folder_,
                              [&](const TemporaryFileName& t) {
                                  // A name cut short: any name of the set it begins.
                                  return ofTheSet(t.target) ||
                                         (t.cut && (std::any_of(whole.begin(), whole.end(),
                                                                [&](const std::string& name) {
                                                                    return name.starts_with(t.target);
                                                                }) ||
                                                    t.target.starts_with(stem_ + "_")));
                              });
}

std::filesystem::path TileSetReplacement::PathOf(const std::string& name) const
{
    return PathInFolder(folder_, name);
}

void TileSetReplacement::RemoveEarlierIndex() { group_.AddRemoval(PathOf(IndexName(stem_))); }

void TileSetReplacement::RemoveLeftovers(int count)
{
    // The earlier set's tiles that the new one does not write again.
    const int keep = count == 1 ? 0 : count;
    for (const std::string& name : listed_) {
        const TileOfSet tile = *TileOf(name, stem_);
        if (tile.number <= keep && tile.format == format_)
            continue;
        group_.AddRemoval(PathOf(name));
        if (tile.format == ObjectFormat::Obj)
            RemoveUnlessProtected(MaterialOf(name));
    }
    if (count > 1) {
        // The set takes the place of a single file of its name in its own
        // format; one its owner has write-protected stays. A single file in
        // another format may be the user's own (an OBJ exported from an
        // editor under the same name) and is left alone.
        RemoveUnlessProtected(stem_ + ObjectFormatEnding(format_));
    }
}

void TileSetReplacement::RemoveUnlessProtected(const std::string& name)
{
    const std::filesystem::path path = PathOf(name);
#ifdef _WIN32
    std::error_code failed;
    const auto entry = std::filesystem::symlink_status(path, failed);
    if (failed || !std::filesystem::exists(entry) ||
        (std::filesystem::is_regular_file(entry) &&
         (entry.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none))
        return;
#else
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0 ||
        (S_ISREG(entry.st_mode) && (entry.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0))
        return;
#endif
    group_.AddRemoval(path);
    if (HasEnding(name, ".obj"))
        RemoveUnlessProtected(MaterialOf(name));
}

}  // namespace kestrane

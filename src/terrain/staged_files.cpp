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
        if (TileNumber(name, stem))
            listed.emplace(name);
    }
    return listed;
}

}  // namespace

TileSetReplacement::TileSetReplacement(std::filesystem::path folder, std::string stem)
    : folder_(std::move(folder)), stem_(std::move(stem))
{
    listed_ = ListedTiles(PathOf(IndexName(stem_)), stem_);
    const std::string single = stem_ + ".b3d", index = IndexName(stem_);
    const auto ofTheSet = [&](std::string_view target) {
        return target == single || target == index || TileNumber(target, stem_).has_value();
    };
    RemoveStaleTemporaryFiles(folder_.empty() ? std::filesystem::path(".") : folder_,
                              [&](const TemporaryFileName& t) {
                                  // A name cut short: any name of the set it begins.
                                  return ofTheSet(t.target) ||
                                         (t.cut && (single.starts_with(t.target) || index.starts_with(t.target) ||
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
    const int keep = count == 1 ? 0 : count;
    for (const std::string& name : listed_)
        if (*TileNumber(name, stem_) > keep)
            group_.AddRemoval(PathOf(name));
    if (count > 1) {
        // The set takes the place of a single file of its name; one its
        // owner has write-protected stays.
        const std::filesystem::path single = PathOf(stem_ + ".b3d");
#ifdef _WIN32
        std::error_code failed;
        const auto entry = std::filesystem::symlink_status(single, failed);
        if (!failed && std::filesystem::exists(entry) &&
            !(std::filesystem::is_regular_file(entry) &&
              (entry.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none))
            group_.AddRemoval(single);
#else
        struct stat entry {};
        if (::lstat(single.c_str(), &entry) == 0 &&
            !(S_ISREG(entry.st_mode) && (entry.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0))
            group_.AddRemoval(single);
#endif
    }
}

}  // namespace kestrane

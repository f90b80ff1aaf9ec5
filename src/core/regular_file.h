// Reading a small file the program owns (lang.cfg, velkor.ver) without
// being led into a device or a pipe: only a regular file that stands under
// the name itself (not behind a symbolic link) is read, opened so that the
// open cannot block, and at most a given number of bytes of it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace kestrane {

// The first `most` bytes of the regular file `path` (all of it when it is
// shorter); nothing when the name is missing, is anything but a regular file
// or cannot be read.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::size_t most);

// The same for a file a user names (a tile index given to check): a
// symbolic link to a regular file is followed; a link to anything else is
// refused as that would be.
std::optional<std::string> ReadRegularFileFollowingLinks(const std::filesystem::path& path, std::size_t most);

}  // namespace kestrane

// The parts of file replacement that are the same on every platform: the
// names of temporary files, the texts of failed file operations, what a
// group holds and the order in which a group's steps are carried out.
#pragma once

#include "core/replacing_file.h"

#include <climits>
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrane {

// The longest name of a folder entry in bytes: a temporary name of this
// length may have been cut short to make room for its suffix.
#ifdef _WIN32
inline constexpr std::size_t kLongestEntryName = 255;  // UTF-16 units, the NTFS limit
#else
inline constexpr std::size_t kLongestEntryName = NAME_MAX;
#endif

// The name of the temporary file number `counter` of `name` for the process
// `pid`: ".<name>.tmp<pid>-<n>", the name cut short when the whole would be
// longer than `longestEntry` bytes, the longest name a folder entry takes.
std::string TemporaryNameOf(const std::string& name, unsigned counter, long long pid, std::size_t longestEntry);

// Whether the temporary file `temporary` stands for the target `name`.
bool TemporaryFileOf(const TemporaryFileName& temporary, std::string_view name);

}  // namespace kestrane

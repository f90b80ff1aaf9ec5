// Paths from the text the program holds. Names typed on the command line,
// in presets and batch files are UTF-8; on Linux a path takes those bytes as
// they are, while a Windows path (UTF-16) must be decoded from UTF-8 rather
// than from the C library's narrow code page, or "ház.b3d" would be written
// as "hĂˇz.b3d". A path's .string() gives UTF-8 back on both.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrane {

inline std::filesystem::path PathFromUtf8(std::string_view text)
{
#ifdef _WIN32
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
#else
    return std::filesystem::path(text);
#endif
}

// `folder` / `name`, or `name` alone in the current folder.
inline std::filesystem::path PathInFolder(const std::filesystem::path& folder, std::string_view name)
{
    return folder.empty() ? PathFromUtf8(name) : folder / PathFromUtf8(name);
}

}  // namespace kestrane

// Command words of the B3D format, which the simulator takes in any case.
#pragma once

#include <cstddef>
#include <string_view>

namespace kestrane {

// Whether `text` is `lower` in any case; `lower` is already lower case and
// only ASCII letters fold.
inline bool EqualsNoCase(std::string_view text, std::string_view lower)
{
    if (text.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i])
            return false;
    }
    return true;
}

// Whether `line` starts with `lower` in any case.
inline bool StartsWithNoCase(std::string_view line, std::string_view lower)
{
    return line.size() >= lower.size() && EqualsNoCase(line.substr(0, lower.size()), lower);
}

}  // namespace kestrane

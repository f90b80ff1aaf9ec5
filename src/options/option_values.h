// The value forms the options share: comma-separated lists, whole numbers in
// a range, colours. Each throws OptionError with the reason in both
// languages; the caller names the option.
#pragma once

#include "core/types.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kestrane {

// A comma-separated list of `count` texts (or `count` to `most`).
std::vector<std::string> SplitValues(const std::string& value, std::size_t count, std::size_t most = 0);
// Texts joined with commas: the reverse of SplitValues.
std::string JoinValues(const std::vector<std::string>& parts);
// A whole number within [lowest, highest].
int ParseWholeNumber(const std::string& value, int lowest, int highest);
// "R,G,B", each channel a whole number 0 to 255.
ColorRgb ParseColorValue(const std::string& value);
std::string ColorValue(const ColorRgb& color);
// One of `names` (its index), e.g. a roof kind.
std::size_t ParseName(const std::string& value, const std::vector<std::string>& names);
// A switch's value in a preset or after "=": "true" or "false".
bool ParseSwitch(const std::string& value);
inline std::string SwitchValue(bool on) { return on ? "true" : "false"; }

}  // namespace kestrane

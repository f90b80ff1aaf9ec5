#include "options/option_values.h"

#include "options/option_table.h"

#include "core/cp1250.h"

#include <charconv>

namespace kestrane {

std::vector<std::string> SplitValues(const std::string& value, std::size_t count, std::size_t most)
{
    if (most < count)
        most = count;
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (true) {
        const auto comma = value.find(',', begin);
        parts.push_back(value.substr(begin, comma == std::string::npos ? std::string::npos : comma - begin));
        if (comma == std::string::npos)
            break;
        begin = comma + 1;
    }
    if (parts.size() < count || parts.size() > most) {
        const std::string expected =
            count == most ? std::to_string(count) : std::to_string(count) + "-" + std::to_string(most);
        throw OptionError(expected + " vesszővel elválasztott értéket vár, nem ezt: " + QuotedValue(value, "bájt"),
                          "takes " + (count == most ? expected : std::to_string(count) + " to " + std::to_string(most)) +
                              " comma-separated values, not " + QuotedValue(value));
    }
    return parts;
}

std::string JoinValues(const std::vector<std::string>& parts)
{
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i ? "," : "") + parts[i];
    return text;
}

int ParseWholeNumber(const std::string& value, int lowest, int highest)
{
    int number = 0;
    const auto result = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.empty() || result.ec != std::errc() || result.ptr != value.data() + value.size() || number < lowest ||
        number > highest) {
        const std::string range = std::to_string(lowest) + "-" + std::to_string(highest);
        throw OptionError(range + " közötti egész szám kell, nem " + QuotedValue(value, "bájt"),
                          "must be a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest) +
                              ", not " + QuotedValue(value));
    }
    return number;
}

ColorRgb ParseColorValue(const std::string& value)
{
    const auto parts = SplitValues(value, 3);
    return {static_cast<std::uint8_t>(ParseWholeNumber(parts[0], 0, 255)),
            static_cast<std::uint8_t>(ParseWholeNumber(parts[1], 0, 255)),
            static_cast<std::uint8_t>(ParseWholeNumber(parts[2], 0, 255))};
}

std::string ColorValue(const ColorRgb& color)
{
    return std::to_string(color.r) + "," + std::to_string(color.g) + "," + std::to_string(color.b);
}

std::size_t ParseName(const std::string& value, const std::vector<std::string>& names)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == value)
            return i;
    std::string hu, en;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const char* separator = i == 0 ? "" : i + 1 == names.size() ? " or " : ", ";
        en += separator + names[i];
        hu += (i == 0 ? "" : i + 1 == names.size() ? " vagy " : ", ") + names[i];
    }
    throw OptionError(hu + " lehet, nem " + QuotedValue(value, "bájt"), "must be " + en + ", not " + QuotedValue(value));
}

bool ParseSwitch(const std::string& value)
{
    if (value == "true")
        return true;
    if (value == "false")
        return false;
    throw OptionError("true vagy false lehet, nem " + QuotedValue(value, "bájt"), "must be true or false, not " + QuotedValue(value));
}

std::string OptionHelpLines(const std::string& names, const std::string& help)
{
    constexpr std::size_t kColumn = 25;
    std::string text = "  " + names;
    std::size_t begin = 0;
    bool first = true;
    while (begin <= help.size()) {
        const auto end = help.find('\n', begin);
        const std::string line = help.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
        if (first && text.size() < kColumn - 1)
            text += std::string(kColumn - text.size(), ' ');
        else
            text += "\n" + std::string(kColumn, ' ');
        text += line;
        first = false;
        if (end == std::string::npos)
            break;
        begin = end + 1;
    }
    return text + "\n";
}

}  // namespace kestrane

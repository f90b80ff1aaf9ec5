#include "core/numbers.h"

#include "core/errors.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace kestrane {

namespace {

// Below this magnitude a value times 1000 is within 1e-4 of the exact
// product, so a product farther than 1e-3 from a half rounds as the exact
// value does.
constexpr double kQuickLimit = 1e9;
constexpr double kTieMargin = 1e-3;

// Thousandths by multiplication: false near a tie or beyond kQuickLimit.
bool QuickThousandths(double value, long long& thousandths)
{
    if (!(std::abs(value) < kQuickLimit))
        return false;
    const double product = value * 1000.0;
    // The whole number nearest the product: adding 1.5 * 2^52 leaves no
    // fraction (the sum lies between 2^52 and 2^53, where doubles are whole
    // numbers) and taking it away again is exact, so no call and no branch.
    constexpr double kNoFraction = 6755399441055744.0;
    const double nearest = (product + kNoFraction) - kNoFraction;
    if (0.5 - std::abs(product - nearest) <= kTieMargin)
        return false;
    thousandths = static_cast<long long>(nearest);
    return true;
}

void AppendPadded(std::string& out, const char* begin, const char* end, int width)
{
    const auto length = static_cast<int>(end - begin);
    if (length < width)
        out.append(static_cast<std::size_t>(width - length), ' ');
    out.append(begin, end);
}

}  // namespace

void AppendReal(std::string& out, double value, int width)
{
    if (!std::isfinite(value))
        throw NonFiniteValue();
    if (value == 0.0)
        value = 0.0;  // negative zero is written as zero
    long long thousandths = 0;
    if (QuickThousandths(value, thousandths)) {
        if (thousandths == 0 && value < 0.0) {
            constexpr std::string_view kNegativeZero = "-0.000";  // a negative value keeps its sign
            AppendPadded(out, kNegativeZero.data(), kNegativeZero.data() + kNegativeZero.size(), width);
        } else {
            AppendThousandths(out, thousandths, width);
        }
        return;
    }
    // The longest fixed form of a double is 309 digits, a sign, a point and
    // three decimals.
    std::array<char, 320> digits;
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::fixed, 3);
    AppendPadded(out, digits.data(), result.ptr, width);
}

long long RoundThousandths(double value)
{
    long long thousandths = 0;
    if (QuickThousandths(value, thousandths))
        return thousandths;
    std::array<char, 320> digits;
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                   std::chars_format::fixed, 3).ptr;
    bool negative = false;
    for (const char* c = digits.data(); c != end; ++c) {
        if (*c == '-')
            negative = true;
        else if (*c != '.')
            thousandths = thousandths * 10 + (*c - '0');
    }
    return negative ? -thousandths : thousandths;
}

void AppendThousandths(std::string& out, long long thousandths, int width)
{
    std::array<char, 32> text;
    const char* end = WriteThousandths(text.data(), thousandths, width < 32 ? width : 0);
    AppendPadded(out, text.data(), end, width);
}

std::string FormatReal(double value, int width)
{
    std::string text;
    AppendReal(text, value, width);
    return text;
}

std::string FormatChannel(int value)
{
    std::string text;
    if (value < 100)
        text.push_back(' ');
    if (value < 10)
        text.push_back(' ');
    AppendInt(text, value);
    return text;
}

void AppendInt(std::string& out, long long value)
{
    std::array<char, 24> digits;
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    out.append(digits.data(), result.ptr);
}

long long RoundHalfEven(double value)
{
    // nearbyint rounds in the current rounding mode, which is to-nearest-even.
    return static_cast<long long>(std::nearbyint(value));
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

struct NumberScan {
    std::size_t end = 0;   // one past the last character of the number
    bool hasDigits = false;
};

// Scans [+-] digits [. digits] [(e|E) [+-] digits] from `begin`; an exponent
// without digits is not part of the number.
NumberScan ScanNumber(std::string_view text, std::size_t begin)
{
    NumberScan scan;
    std::size_t i = begin;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        scan.hasDigits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            scan.hasDigits = true;
        }
    }
    if (scan.hasDigits && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    scan.end = i;
    return scan;
}

double ConvertScanned(std::string_view number)
{
    // from_chars accepts neither a leading "+" nor a lone point's missing
    // digits on the left ("-.5" is fine for it, "+.5" is not): strip the "+".
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small rounds to zero; too large is an infinity.
        const std::string copy(number);
        return std::strtod(copy.c_str(), nullptr);
    }
    return value;
}

}  // namespace

std::optional<double> ParseReal(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    text = text.substr(begin, end - begin);
    if (text.empty() || text == "+" || text == "-")
        return 0.0;
    const NumberScan scan = ScanNumber(text, 0);
    if (!scan.hasDigits || scan.end != text.size())
        return std::nullopt;
    const double value = ConvertScanned(text);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

double ParseRealLenient(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin]))
        ++begin;
    const NumberScan scan = ScanNumber(text, begin);
    if (!scan.hasDigits)
        return 0.0;
    return ConvertScanned(text.substr(begin, scan.end - begin));
}

std::string CountOf(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace kestrane

// Number formats of the B3D text and the reading of typed numbers.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// Fixed point, exactly three decimals, "." as separator, right-aligned with
// blanks to at least `width` characters, never cut and never in exponent
// form. An exact tie goes to the even last digit (0.0625 -> " 0.062").
// A negative value keeps its "-" even when it rounds to zero (-0.0001 ->
// "-0.000"); negative zero itself is written as zero.
// Throws NonFiniteValue for nan and infinities: they never reach a file.
std::string FormatReal(double value, int width = 6);

// Appends FormatReal(value, width) to `out` without a temporary string.
void AppendReal(std::string& out, double value, int width = 6);

// The value in whole thousandths, rounded exactly as FormatReal rounds it
// (|value| below 1e15; 0 for a value that FormatReal writes as "-0.000").
long long RoundThousandths(double value);

// Appends thousandths / 1000 as FormatReal writes that value: "-0.001",
// " 0.000", "12.500".
void AppendThousandths(std::string& out, long long thousandths, int width = 6);

// The same text written at `at`, which has room for max(width, 26)
// characters; returns the end of the text. Inline: a terrain's vertex
// lines call it for every coordinate.
inline char* WriteThousandths(char* at, long long thousandths, int width = 6);

// A colour channel right-aligned to three characters ("  5", " 80", "255").
std::string FormatChannel(int value);

// Appends a plain decimal integer without padding.
void AppendInt(std::string& out, long long value);

// A count with its noun in English: "1 face", "3 faces", "0 problems".
std::string CountOf(std::size_t count, const char* one, const char* many);

// Round to the nearest integer, an exact half to the even neighbour.
long long RoundHalfEven(double value);

// Strict reading of an edit box's text, "." as decimal separator whatever
// the locale. Empty or blank text and a lone sign give 0; blanks around the
// number are ignored; otherwise the whole text must have the form
//   [+-] digits [. digits] [(e|E) [+-] digits]
// with digits on at least one side of the point. Anything else, and a
// number too large for a double, gives no value.
std::optional<double> ParseReal(std::string_view text);

// Lenient reading, for texts that nobody can be asked about (the version
// file): the leading number of the text with its sign, point and exponent
// applied; no number at all gives 0. "0.96 beta" gives 0.96.
double ParseRealLenient(std::string_view text);

namespace numbers_detail {

// "00", "01" ... "99": the digits of a number written two at a time.
inline constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int n = 0; n < 100; ++n) {
        pairs[2 * n] = static_cast<char>('0' + n / 10);
        pairs[2 * n + 1] = static_cast<char>('0' + n % 10);
    }
    return pairs;
}();

inline void PutDigitPair(char* at, unsigned pair)
{
    std::memcpy(at, &kDigitPairs[2 * pair], 2);  // one load and one store
}

inline int DigitCount(unsigned long long value)
{
    // Compared, not divided: the whole parts of a file are mostly short.
    int digits = 1;
    for (unsigned long long limit = 10; value >= limit; limit *= 10) {
        ++digits;
        if (digits == 20)
            break;  // 10^20 does not fit; every value of 20 digits is here
    }
    return digits;
}

}  // namespace numbers_detail

inline char* WriteThousandths(char* at, long long thousandths, int width)
{
    using numbers_detail::DigitCount;
    using numbers_detail::PutDigitPair;
    // Sign and whole part, then the point and three decimals, written in
    // place: the length is known before the first character.
    const bool negative = thousandths < 0;
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(thousandths)
                                                  : static_cast<unsigned long long>(thousandths);
    unsigned long long whole = magnitude / 1000;
    const auto decimals = static_cast<unsigned>(magnitude % 1000);
    const int digits = DigitCount(whole);
    for (int length = digits + 4 + (negative ? 1 : 0); length < width; ++length)
        *at++ = ' ';
    if (negative)
        *at++ = '-';
    char* const point = at + digits;
    char* digit = point;
    for (; whole >= 100; whole /= 100) {
        digit -= 2;
        PutDigitPair(digit, static_cast<unsigned>(whole % 100));
    }
    if (whole >= 10)
        PutDigitPair(digit - 2, static_cast<unsigned>(whole));
    else
        digit[-1] = static_cast<char>('0' + whole);
    point[0] = '.';
    point[1] = static_cast<char>('0' + decimals / 100);
    PutDigitPair(point + 2, decimals % 100);
    return point + 4;
}

}  // namespace kestrane

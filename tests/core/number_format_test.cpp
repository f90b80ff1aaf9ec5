// The quick path of the number format against the plain one: every value,
// near ties and far from them, small and huge, is written exactly as
// std::to_chars writes it with three decimals.
#include "core/errors.h"
#include "core/numbers.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <random>

namespace kestrane {
namespace {

// What the format wrote before it had a quick path.
std::string Reference(double value, int width)
{
    if (value == 0.0)
        value = 0.0;
    std::array<char, 320> digits;
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed, 3).ptr;
    std::string text(digits.data(), end);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

TEST(NumberFormatTest, QuickPathWritesWhatToCharsWrites)
{
    std::mt19937_64 random(7);
    std::vector<double> values = {0.0,     -0.0,     0.0625,   -0.0625, 0.0005,  -0.0005, 0.0004999, -0.0004999,
                                  1.0005,  2.5e-4,   999999999.9995, 1e9, -1e9, 1e9 - 0.0005, 123456.7895,
                                  1e15,    -3e20,    1e300,    5e-324,  0.001,   -0.001,  4.0005,    12.3445};
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-6, 12);
    for (int k = 0; k < 200000; ++k) {
        const double value = unit(random) * std::pow(10.0, exponent(random));
        values.push_back(value);
        // Values on and beside a tie of the fourth decimal.
        const double tie = (std::floor(value * 1000.0) + 0.5) / 1000.0;
        values.push_back(tie);
        values.push_back(std::nextafter(tie, 0.0));
        values.push_back(std::nextafter(tie, 1e300));
    }
    for (const double value : values) {
        for (const int width : {0, 6, 8}) {
            std::string text = "x";
            AppendReal(text, value, width);
            ASSERT_EQ(text, "x" + Reference(value, width)) << value;
        }
        if (std::abs(value) < 1e15) {
            std::string digits = Reference(value, 0);
            digits.erase(digits.find('.'), 1);
            ASSERT_EQ(RoundThousandths(value), std::stoll(digits)) << value;
        }
    }
}

TEST(NumberFormatTest, Thousandths)
{
    const std::pair<long long, const char*> cases[] = {
        {0, " 0.000"}, {1, " 0.001"}, {-1, "-0.001"}, {999, " 0.999"}, {-1000, "-1.000"},
        {12500, "12.500"}, {-123456789, "-123456.789"}, {9223372036854775807LL, "9223372036854775.807"},
    };
    for (const auto& [thousandths, text] : cases) {
        std::string out;
        AppendThousandths(out, thousandths);
        EXPECT_EQ(out, text);
    }
    std::string narrow;
    AppendThousandths(narrow, -1, 0);
    EXPECT_EQ(narrow, "-0.001");
    EXPECT_EQ(RoundThousandths(-0.0004), 0);  // FormatReal: "-0.000"
    EXPECT_THROW(FormatReal(std::nan("")), NonFiniteValue);
}

// Written in place, padding and all, as FormatReal writes the same value,
// across every count of whole digits and both signs.
TEST(NumberFormatTest, ThousandthsInPlaceMatchFormatReal)
{
    for (long long whole = 1; whole <= 100000000000LL; whole *= 10) {
        for (const long long thousandths : {whole - 1, whole, whole + 7, whole * 1000 - 1, whole * 1000 + 5}) {
            for (const long long value : {thousandths, -thousandths}) {
                for (int width = 0; width <= 16; width += 3) {
                    std::array<char, 40> text;
                    text.fill('#');
                    char* end = WriteThousandths(text.data(), value, width);
                    const std::string written(text.data(), static_cast<std::size_t>(end - text.data()));
                    ASSERT_EQ(written, FormatReal(static_cast<double>(value) / 1000.0, width))
                        << value << " width " << width;
                    ASSERT_EQ(*end, '#');
                }
            }
        }
    }
}

// Whole thousandths of every size and sign, written in place, against the
// integer and its decimals written apart by std::to_chars.
TEST(NumberFormatTest, ThousandthsInPlaceMatchTheirDigits)
{
    std::mt19937_64 random(11);
    std::vector<long long> values = {0, 1, -1, 9, 10, 99, 100, 999, 1000, 1001, -999, -1000, 99999, 100000,
                                     9223372036854775807LL, -9223372036854775807LL - 1};
    for (int k = 0; k < 300000; ++k) {
        const int digits = static_cast<int>(random() % 19) + 1;  // 1 to 19 digits
        long long value = static_cast<long long>(random() % 1000000000000000000ULL);
        for (int d = 19; d > digits; --d)
            value /= 10;
        values.push_back(random() % 2 == 0 ? value : -value);
    }
    for (const long long value : values) {
        const unsigned long long magnitude =
            value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
        std::array<char, 32> whole;
        char* wholeEnd = std::to_chars(whole.data(), whole.data() + whole.size(), magnitude / 1000).ptr;
        const unsigned decimals = static_cast<unsigned>(magnitude % 1000);
        std::string expected = value < 0 ? "-" : "";
        expected.append(whole.data(), static_cast<std::size_t>(wholeEnd - whole.data()));
        expected += '.';
        expected += static_cast<char>('0' + decimals / 100);
        expected += static_cast<char>('0' + decimals / 10 % 10);
        expected += static_cast<char>('0' + decimals % 10);
        for (const int width : {0, 6, 9, 26}) {
            std::array<char, 40> text;
            text.fill('#');
            char* end = WriteThousandths(text.data(), value, width);
            const std::string padded = static_cast<int>(expected.size()) < width
                                           ? std::string(static_cast<std::size_t>(width) - expected.size(), ' ') + expected
                                           : expected;
            ASSERT_EQ(std::string(text.data(), end), padded) << value << " width " << width;
            ASSERT_EQ(*end, '#');
        }
    }
}

}  // namespace
}  // namespace kestrane

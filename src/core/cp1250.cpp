#include "core/cp1250.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kestrane {

namespace {

// Bytes 0x80 to 0xFF; 0 marks an unassigned byte.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Decodes one UTF-8 sequence at `i`, advancing it; nullopt when malformed.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t code = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        code = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (i + static_cast<std::size_t>(extra) >= text.size())
        return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (code < kMinimum[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    i += static_cast<std::size_t>(extra) + 1;
    return code;
}

void AppendCodePoint(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        if (!DecodeUtf8(text, i))
            return false;
    }
    return true;
}

std::string Cp1250ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const char32_t code = Cp1250ToUnicode(static_cast<std::uint8_t>(c));
        AppendCodePoint(out, code != 0 || c == 0 ? code : U'\uFFFD');
    }
    return out;
}

char32_t Cp1250ToUnicode(std::uint8_t byte)
{
    return byte < 0x80 ? byte : kHighHalf[byte - 0x80];
}

std::optional<std::uint8_t> UnicodeToCp1250(char32_t codePoint)
{
    if (codePoint < 0x80)
        return static_cast<std::uint8_t>(codePoint);
    for (std::size_t k = 0; k < kHighHalf.size(); ++k) {
        if (kHighHalf[k] != 0 && kHighHalf[k] == codePoint)
            return static_cast<std::uint8_t>(0x80 + k);
    }
    return std::nullopt;
}

bool AppendUtf8AsCp1250(std::string& out, std::string_view utf8)
{
    // Most lines are plain ASCII, which both encodings share; find where it
    // ends eight bytes at a time.
    std::size_t ascii = 0;
    for (std::uint64_t word; ascii + 8 <= utf8.size(); ascii += 8) {
        std::memcpy(&word, utf8.data() + ascii, 8);
        if (word & 0x8080808080808080u)
            break;
    }
    while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80)
        ++ascii;
    const std::size_t start = out.size();
    out.append(utf8.data(), ascii);
    for (std::size_t i = ascii; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        const auto code = DecodeUtf8(utf8, i);
        const auto byte = code ? UnicodeToCp1250(*code) : std::nullopt;
        if (!byte) {
            out.resize(start);
            return false;
        }
        out.push_back(static_cast<char>(*byte));
    }
    return true;
}

std::optional<std::string> FirstUnencodable(std::string_view utf8)
{
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t begin = i;
        const auto code = DecodeUtf8(utf8, i);
        if (!code) {
            return std::string(utf8.substr(begin, 1));
        }
        if (!UnicodeToCp1250(*code))
            return std::string(utf8.substr(begin, i - begin));
    }
    return std::nullopt;
}

std::string QuotedValue(std::string_view value, std::string_view bytesWord)
{
    constexpr std::size_t kMostQuoted = 80;
    std::size_t cut = std::min(value.size(), kMostQuoted);
    while (cut < value.size() && cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
        --cut;  // not inside a character
    std::string quoted = "\"";
    for (const char c : value.substr(0, cut)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            // Shown as JSON writes it: a NUL or a line break stays visible.
            constexpr char kHex[] = "0123456789ABCDEF";
            quoted += "\\u00";
            quoted += kHex[byte >> 4];
            quoted += kHex[byte & 0xF];
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    if (cut < value.size())
        quoted.insert(quoted.size() - 1, "...").append(" (" + std::to_string(value.size()) + " " + std::string(bytesWord) + ")");
    return quoted;
}

}  // namespace kestrane

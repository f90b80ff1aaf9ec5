// Windows-1250 (Central European) text, the code page of every B3D file the
// tool writes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// The Unicode code point of a Windows-1250 byte; 0 for the five unassigned
// bytes (0x81, 0x83, 0x88, 0x90, 0x98).
char32_t Cp1250ToUnicode(std::uint8_t byte);

// The Windows-1250 byte of a code point, if the code page has one.
std::optional<std::uint8_t> UnicodeToCp1250(char32_t codePoint);

// Converts UTF-8 text to Windows-1250 and appends it to `out`. Returns false
// (and appends nothing) when the text is not valid UTF-8 or holds a
// character the code page lacks.
bool AppendUtf8AsCp1250(std::string& out, std::string_view utf8);

// Whether `text` is valid UTF-8.
bool IsValidUtf8(std::string_view text);

// Windows-1250 bytes as UTF-8; an unassigned byte becomes U+FFFD.
std::string Cp1250ToUtf8(std::string_view bytes);

// The first character of `utf8` that Windows-1250 cannot write, as UTF-8;
// nullopt when the whole text can be written.
std::optional<std::string> FirstUnencodable(std::string_view utf8);

// A value as a message quotes it: in double quotes, and of a value longer
// than 80 bytes only its first 80 (cut where a character starts) followed
// by "..." and its length, `bytesWord` ("bytes", "bájt") after it, so that
// a huge value still gives a short line.
std::string QuotedValue(std::string_view value, std::string_view bytesWord = "bytes");

}  // namespace kestrane

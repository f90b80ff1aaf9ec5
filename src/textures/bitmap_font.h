// A tiny built-in font of 5 x 7 dot capitals, digits and a few signs, for
// writing a name on a placeholder texture.
#pragma once

#include "textures/bitmap_image.h"

#include <string_view>

namespace kestrane::textures {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Whether the dot (column, row) of the glyph of `c` is set; lower-case
// letters draw as capitals, characters the font lacks (and every byte of a
// non-ASCII letter) as '?'.
bool GlyphDot(char c, int column, int row);

// Writes `text` with its top left corner at (x, y), each dot a square of
// `scale` pixels, a blank dot column between letters; dots outside the
// image are left out.
void DrawText(BitmapImage& image, std::string_view text, int x, int y, int scale, Rgb8 colour);

// The width in pixels DrawText takes for `length` characters.
constexpr int TextWidth(std::size_t length, int scale)
{
    return length == 0 ? 0 : static_cast<int>(length * (kGlyphWidth + 1) - 1) * scale;
}

}  // namespace kestrane::textures

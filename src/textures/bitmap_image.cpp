#include "textures/bitmap_image.h"

#include <algorithm>
#include <cmath>

namespace kestrane::textures {

namespace {

std::uint8_t Channel(double value)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

void PutLittle(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t GetLittle(const std::string& in, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
    return value;
}

constexpr std::uint32_t kHeaderBytes = 14 + 40;

}  // namespace

Shade operator*(const Shade& s, double factor) { return {s.r * factor, s.g * factor, s.b * factor}; }
Shade operator+(const Shade& a, const Shade& b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Shade Mix(const Shade& a, const Shade& b, double t) { return a * (1 - t) + b * t; }

void BitmapImage::set(int x, int y, const Shade& shade)
{
    pixels_[Index(x, y)] = {Channel(shade.r), Channel(shade.g), Channel(shade.b)};
}

std::string BmpFileBytes(const BitmapImage& image)
{
    const auto side = static_cast<std::uint32_t>(image.side());
    const std::uint32_t rowBytes = (side * 3 + 3) / 4 * 4;
    const std::uint32_t dataBytes = rowBytes * side;
    std::string out;
    out.reserve(kHeaderBytes + dataBytes);
    out += "BM";
    PutLittle(out, kHeaderBytes + dataBytes, 4);
    PutLittle(out, 0, 4);             // reserved
    PutLittle(out, kHeaderBytes, 4);  // where the pixels start
    PutLittle(out, 40, 4);            // BITMAPINFOHEADER
    PutLittle(out, side, 4);
    PutLittle(out, side, 4);          // positive: bottom row first
    PutLittle(out, 1, 2);             // planes
    PutLittle(out, 24, 2);            // bits per pixel
    PutLittle(out, 0, 4);             // BI_RGB
    PutLittle(out, dataBytes, 4);
    PutLittle(out, 2835, 4);          // 72 dpi
    PutLittle(out, 2835, 4);
    PutLittle(out, 0, 4);             // colours used
    PutLittle(out, 0, 4);             // important colours
    for (int y = image.side() - 1; y >= 0; --y) {
        for (int x = 0; x < image.side(); ++x) {
            const Rgb8 c = image.at(x, y);
            out.push_back(static_cast<char>(c.b));
            out.push_back(static_cast<char>(c.g));
            out.push_back(static_cast<char>(c.r));
        }
        out.append(rowBytes - side * 3, '\0');
    }
    return out;
}

BitmapImage ReadBmpBytes(const std::string& bytes)
{
    if (bytes.size() < kHeaderBytes || bytes.compare(0, 2, "BM") != 0 || GetLittle(bytes, 14, 4) != 40 ||
        GetLittle(bytes, 28, 2) != 24 || GetLittle(bytes, 30, 4) != 0)
        return BitmapImage(0);
    const std::uint32_t width = GetLittle(bytes, 18, 4);
    const std::uint32_t height = GetLittle(bytes, 22, 4);
    const std::uint32_t start = GetLittle(bytes, 10, 4);
    if (width != height || width == 0 || width > 4096)
        return BitmapImage(0);
    const std::uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    if (bytes.size() < start + static_cast<std::size_t>(rowBytes) * height)
        return BitmapImage(0);
    BitmapImage image(static_cast<int>(width));
    for (std::uint32_t row = 0; row < height; ++row) {
        const std::size_t at = start + static_cast<std::size_t>(row) * rowBytes;
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::size_t p = at + x * 3;
            image.set(static_cast<int>(x), static_cast<int>(height - 1 - row),
                      Rgb8{static_cast<std::uint8_t>(bytes[p + 2]), static_cast<std::uint8_t>(bytes[p + 1]),
                           static_cast<std::uint8_t>(bytes[p])});
        }
    }
    return image;
}

}  // namespace kestrane::textures

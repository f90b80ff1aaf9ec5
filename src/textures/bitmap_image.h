// A square RGB picture as the texture drawings make it, and its 24-bit BMP
// file bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrane::textures {

struct Rgb8 {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

// A colour while it is being worked out, each channel 0 to 255 (rounded and
// clamped when stored).
struct Shade {
    double r = 0, g = 0, b = 0;
};
Shade operator*(const Shade& s, double factor);
Shade operator+(const Shade& a, const Shade& b);
// From `a` (t = 0) to `b` (t = 1).
Shade Mix(const Shade& a, const Shade& b, double t);

class BitmapImage {
public:
    explicit BitmapImage(int side) : side_(side), pixels_(static_cast<std::size_t>(side) * side) {}
    int side() const { return side_; }
    // x to the right, y down from the top row.
    Rgb8 at(int x, int y) const { return pixels_[Index(x, y)]; }
    void set(int x, int y, const Shade& shade);
    void set(int x, int y, Rgb8 colour) { pixels_[Index(x, y)] = colour; }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * side_ + x; }
    int side_;
    std::vector<Rgb8> pixels_;
};

// The file: BITMAPFILEHEADER, BITMAPINFOHEADER (24 bits, no compression,
// 2835 pixels per metre), then the rows bottom up in B, G, R order, each
// padded to four bytes.
std::string BmpFileBytes(const BitmapImage& image);

// The picture back from BmpFileBytes' layout; empty (side 0) for anything
// else. For tests and the preview's checks.
BitmapImage ReadBmpBytes(const std::string& bytes);

}  // namespace kestrane::textures

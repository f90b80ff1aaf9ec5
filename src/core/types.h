// Types shared by every generator of Kestrane Builder.
#pragma once

#include <cstdint>

namespace kestrane {

// A point or a size in metres, y up: in a house x runs along its length and
// z across; in a B3D object x is right and z forward. The B3D writer and the
// reader both use it.
struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend bool operator==(const Vec3&, const Vec3&) = default;
};

// One colour, each channel 0 to 255. `a` is the opacity (255: opaque): a
// B3D Color line may give it as a fourth value, which the reader keeps; the
// generators' colours are opaque and the writer writes r, g and b only.
struct ColorRgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;

    friend bool operator==(const ColorRgb&, const ColorRgb&) = default;
};

// The interface language: it picks comment lines, headers, file names and
// status texts.
enum class UiLanguage { Hungarian, English };

// Picks the text of the current language from a Hungarian/English pair.
struct LocalText {
    const char* hu;
    const char* en;

    const char* operator()(UiLanguage language) const
    {
        return language == UiLanguage::Hungarian ? hu : en;
    }
};

}  // namespace kestrane

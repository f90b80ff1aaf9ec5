// Types shared by every generator of Kestrane Builder.
#pragma once

#include <cstdint>

namespace kestrane {

// A point or a size in metres: x along the house length, y up, z across.
struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// One colour, each channel 0 to 255.
struct ColorRgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

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

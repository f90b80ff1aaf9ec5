// Fixed values of the house elements that no input changes. The values are
// kept exactly as the files have always carried them.
#pragma once

#include "core/types.h"

namespace kestrane {

// Colours written without padding ("color 100,90,70").
inline constexpr ColorRgb kSoffitColor{100, 90, 70};  // soffits, the flat roof panel, the overhang fillers
inline constexpr ColorRgb kRoofRimColor{90, 80, 70};  // the rim of the flat roof
inline constexpr ColorRgb kGutterColor{40, 40, 50};
inline constexpr ColorRgb kDownpipeColor{90, 110, 115};
inline constexpr ColorRgb kChimneyCapColor{100, 100, 100};

// The square root of two, rounded to four decimals as the files have always
// used it: the 45-degree runs of the downpipe elbow and the corner stairs.
inline constexpr double kRootTwo = 1.4142;

}  // namespace kestrane

// The bitmaps of a track kit: which element of a piece carries which
// texture, and the default file name of each element in both languages.
#pragma once

#include "core/types.h"

#include <array>
#include <cstddef>
#include <string>

namespace kestrane {

// The surfaces of the pieces by their material.
enum class TrackElement {
    Ballast,  // the bed's ballast and the formation beside it
    Sleeper,  // the sleepers
    Rail,     // the rails
    Grass,    // dike slopes and aprons, the apron of a cutting and of a wall, the ground
    Rock,     // a cutting's ditch and slope
    Wall,     // a retaining wall's face and coping
};
inline constexpr std::size_t kTrackElementCount = 6;

struct TrackElementRow {
    TrackElement element;
    const char* key;   // the name in --texture KEY=NAME: "ballast"
    LocalText bitmap;  // the default file name: "zuzottko.bmp" / "ballast.bmp"
    LocalText name;    // in comments and messages: "zúzottkő" / "ballast"
};

// One row per element, in the order of TrackElement.
const std::array<TrackElementRow, kTrackElementCount>& TrackElementTable();

inline const TrackElementRow& ElementRow(TrackElement element)
{
    return TrackElementTable()[static_cast<std::size_t>(element)];
}

// The bitmap of `element`: the name typed for it, else its default name in
// `language`. `typed` holds one name per element, empty where none was typed.
std::string TrackBitmap(TrackElement element, const std::array<std::string, kTrackElementCount>& typed,
                        UiLanguage language);

}  // namespace kestrane

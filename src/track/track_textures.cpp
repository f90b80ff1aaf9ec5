#include "track/track_textures.h"

namespace kestrane {

const std::array<TrackElementRow, kTrackElementCount>& TrackElementTable()
{
    //   element                 key        default bitmap (hu, en)           name (hu, en)
    static const std::array<TrackElementRow, kTrackElementCount> table = {{
        {TrackElement::Ballast, "ballast", {"zuzottko.bmp", "ballast.bmp"}, {"zúzottkő", "ballast"}},
        {TrackElement::Sleeper, "sleeper", {"talpfa.bmp", "sleeper.bmp"}, {"talpfa", "sleeper"}},
        {TrackElement::Rail, "rail", {"sin.bmp", "rail.bmp"}, {"sín", "rail"}},
        {TrackElement::Grass, "grass", {"fu.bmp", "grass.bmp"}, {"fű", "grass"}},
        {TrackElement::Rock, "rock", {"szikla.bmp", "rock.bmp"}, {"szikla", "rock"}},
        {TrackElement::Wall, "wall", {"tamfal.bmp", "wall.bmp"}, {"támfal", "wall"}},
    }};
    return table;
}

std::string TrackBitmap(TrackElement element, const std::array<std::string, kTrackElementCount>& typed,
                        UiLanguage language)
{
    const std::string& own = typed[static_cast<std::size_t>(element)];
    return own.empty() ? std::string(ElementRow(element).bitmap(language)) : own;
}

}  // namespace kestrane

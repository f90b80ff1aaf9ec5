// The captions and hints of the windows in Hungarian and English, kept as
// data: one table, a row per control (the window part, caption or hint,
// its object name and the two texts).
#pragma once

#include "core/types.h"

#include <array>
#include <span>
#include <string_view>

class QWidget;

namespace kestrane::ui {

// One text of one control. A '#' in the control name stands for the
// numbers 1 to 8: "d#1" is d11, d21 ... d81 (the peak rows of the area
// builder), "Panel#" is Panel1 ... Panel8.
struct UiText {
    const char* control;
    const char* hu;
    const char* en;

    const char* operator()(UiLanguage language) const
    {
        return language == UiLanguage::Hungarian ? hu : en;
    }
};

// The window's own title in the area builder tables.
inline constexpr const char* kAreaWindowName = "TDombepito";

enum class TextRole { Caption, Hint };

// The windows, and the parts several windows share, whose texts the table
// holds.
enum class TextPart {
    MainWindow,
    FacadeArea,     // the facade area of the main window
    AreaBuilder,
    TrackKit,
    PresetButtons,  // Save preset… and Load preset… of every window
    OutputFolder,   // the output folder line of every window
};

// The captions or hints of a part, in the table's order: for the main
// window followed by the roof buttons' (from the roof kinds' table).
std::span<const UiText> WindowTexts(TextPart part, TextRole role);
// The row of `control` among them, or nullptr.
const UiText* FindText(TextPart part, TextRole role, std::string_view control);

// The items of the side door's wall list: left, right, back.
std::span<const LocalText> SideDoorWalls();

// The names of the stair placements, indexed by the track-bar position
// 0 to 3: one table for the front and side stairs, one for the corner
// stairs.
using PlacementTable = std::array<LocalText, 4>;
const PlacementTable& FrontSidePlacements();
const PlacementTable& CornerPlacements();

// The chimney-size label for a track-bar position; the same in both
// languages ("Kémény nincs", "Kémény méret: 1" ...).
const char* ChimneySizeText(int position);

// Sets the texts of `table` on the children of `window` (and on the window
// itself when a row names it): captions of labels, buttons, group boxes and
// the window title, or tooltips.
void ApplyTexts(QWidget& window, std::span<const UiText> table, UiLanguage language, TextRole role);
// Sets the captions, then the hints, of `part` on `window`.
void ApplyTexts(QWidget& window, TextPart part, UiLanguage language);

}  // namespace kestrane::ui

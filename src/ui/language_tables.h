// The captions and hints of both windows in Hungarian and English, kept as
// data: one row per control (its object name and the two texts).
#pragma once

#include "core/types.h"

#include <array>
#include <span>

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

std::span<const UiText> MainWindowCaptions();
std::span<const UiText> MainWindowHints();
// The facade area of the main window.
std::span<const UiText> FacadeAreaCaptions();
std::span<const UiText> FacadeAreaHints();
// The items of the side door's wall list: left, right, back.
std::span<const LocalText> SideDoorWalls();
std::span<const UiText> AreaWindowCaptions();
std::span<const UiText> AreaWindowHints();
// Hints of the area builder that are the same in both languages.
std::span<const UiText> AreaWindowFixedHints();

// The names of the stair placements, indexed by the track-bar position
// 0 to 3: one table for the front and side stairs, one for the corner
// stairs.
using PlacementTable = std::array<LocalText, 4>;
const PlacementTable& FrontSidePlacements();
const PlacementTable& CornerPlacements();

// The chimney-size label for a track-bar position; the same in both
// languages ("Kémény nincs", "Kémény méret: 1" ...).
const char* ChimneySizeText(int position);

enum class TextRole { Caption, Hint };

// Sets the texts of `table` on the children of `window` (and on the window
// itself when a row names it): captions of labels, buttons and the window
// title, or tooltips.
void ApplyTexts(QWidget& window, std::span<const UiText> table, UiLanguage language, TextRole role);

}  // namespace kestrane::ui

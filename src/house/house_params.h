// The inputs of the house builder: as the window holds them (texts,
// switches, positions) and as the generation uses them (metres).
#pragma once

#include "b3d/object_format.h"
#include "core/errors.h"
#include "core/types.h"
#include "house/facade_layout.h"
#include "house/roof_kinds.h"

#include <string>
#include <vector>

namespace kestrane {

// One user colour with its use switch: an element writes the colour only
// while the switch is on.
struct ColorSetting {
    ColorRgb color;
    bool use = false;
};

// The main window's inputs exactly as its controls hold them: edit texts in
// millimetres, checked states, track-bar and scroll-bar positions. The
// defaults are the window's.
struct HouseInput {
    std::string offsetX = "0";
    std::string offsetY = "0";
    std::string offsetZ = "0";
    std::string width = "6000";
    std::string length = "8000";
    std::string wallHeight = "3500";
    std::string roofHeight = "7000";
    std::string roofOverhang = "400";
    std::string hipDepth = "2000";
    std::string chimneyX = "2000";
    std::string chimneyZ = "0";
    std::string stepWidth = "300";
    std::string stepLength = "1500";
    std::string stepHeight = "200";
    std::string cornerWallSize = "1000";
    // The roof forms' parameters; an empty box takes the form's default
    // (see roof_forms.h).
    std::string clipHeight;   // half-hipped: from the ridge down
    std::string kneeHeight;   // gambrel, mansard: above the ground
    std::string kneeInset;    // gambrel, mansard: from the wall inwards
    std::string ridgeOffset;  // saltbox: from the centre towards the left wall

    RoofKind roofKind = RoofKind::Pyramid;
    bool gutters = true;                   // Ereszcsatorna checked
    bool flatRoofEdge = false;             // lt_koszoru checked
    bool roofLevelTextureChecked = false;  // tetoszint checked
    bool cornerWallLeft = false;           // Sbal checked
    bool cornerWallRight = false;          // Sjobb checked
    bool stairsStraight = false;           // legyenes checked

    int chimneySize = 1;  // Kemenymeret 0..4
    int stairSteps = 2;   // Lepn 0..16
    int stairFront = 2;   // Lepe 0..3
    int stairSide = 0;    // Lepo 0..3
    int stairCorner = 0;  // Leps 0..3

    ColorSetting wall{{180, 160, 105}, false};
    ColorSetting roof{{100, 20, 20}, false};
    ColorSetting chimney{{215, 200, 200}, false};
    ColorSetting stair{{100, 100, 105}, false};

    FacadeInput facades;  // storeys, windows and doors; off by default

    // "Write textures": the starter bitmaps beside the object (the front
    // ends write them after the generation).
    bool writeTextures = false;
    ObjectFormat format = ObjectFormat::B3d;  // the file written (object_format.h)

    // The roof-dependent controls' enabled states follow the roof kind
    // (RoofKindOf(roofKind).enabling), as the window's do after its roof
    // button: nothing to refresh when the kind changes.
    bool RoofLevelTextureEnabled() const { return EnablingFor(roofKind).roofLevelTexture; }  // tetoszint
    bool CornerWallSizeEnabled() const { return EnablingFor(roofKind).cornerSize; }         // SarokfalEdit

    // The same as setting roofKind.
    void ChooseRoof(RoofKind kind) { roofKind = kind; }
};

// Every input of one house generation, lengths in metres.
struct HouseParams {
    Vec3 offset;
    double width = 0.0;
    double length = 0.0;
    double wallHeight = 0.0;
    double roofHeight = 0.0;
    double roofOverhang = 0.0;
    double hipDepth = 0.0;
    double chimneyX = 0.0;
    double chimneyZ = 0.0;
    int chimneySize = 0;
    int stairSteps = 0;
    int stairFront = 0;
    int stairSide = 0;
    int stairCorner = 0;
    double stepWidth = 0.0;
    double stepLength = 0.0;
    double stepHeight = 0.0;
    bool stairsStraight = false;
    bool cornerWallLeft = false;
    bool cornerWallRight = false;
    bool cornerWalls = false;       // corner-wall box enabled and a side checked
    double cornerWallSize = 0.0;    // 0 unless cornerWalls
    double clipHeight = 0.0;        // half-hipped roof
    double kneeHeight = 0.0;        // gambrel and mansard roofs
    double kneeInset = 0.0;
    double ridgeOffset = 0.0;       // saltbox roof
    bool roofLevelTexture = false;  // tetoszint enabled and checked
    bool roofLevelTextureChecked = false;
    bool gutters = false;
    bool flatRoofEdge = false;
    RoofKind roofKind = RoofKind::Pyramid;
    ColorRgb wallColor, roofColor, chimneyColor, stairColor;
    bool useWallColor = false;
    bool useRoofColor = false;
    bool useChimneyColor = false;
    bool useStairColor = false;
    FacadeParams facades;
};

// The captions of the roof forms' parameter boxes.
inline constexpr LocalText kClipHeightCaption{"Konty mag.", "Clip height"};
inline constexpr LocalText kKneeHeightCaption{"Törés mag.", "Knee height"};
inline constexpr LocalText kKneeInsetCaption{"Törés beh.", "Knee inset"};
inline constexpr LocalText kRidgeOffsetCaption{"Gerinc elt.", "Ridge offset"};

// The window caption of a typed field ("Szélesség" / "Width"), as a refusal
// names it; empty for a member that is not a typed field.
std::string HouseFieldCaption(const std::string HouseInput::*text, UiLanguage language);
// The same for a track bar ("Kémény méret" / "Chimney size").
std::string HousePositionCaption(int HouseInput::*position, UiLanguage language);

// Reads the window's inputs into HouseParams (millimetres to metres).
// Throws InputError naming the field, in `language`, for a malformed
// number, a position out of its range, or dimensions whose geometry is
// undefined for the chosen roof (a division by zero).
HouseParams ReadHouseParams(const HouseInput& input, UiLanguage language);

}  // namespace kestrane

namespace kestrane {

// Houses that are defined but will look wrong: a zero width or length, a
// negative wall height, a roof (other than flat) not above the walls. They
// are written as computed; each warning names its field and what will look
// wrong.
std::vector<GenerationWarning> HousePlausibilityWarnings(const HouseParams& params, UiLanguage language);

}  // namespace kestrane

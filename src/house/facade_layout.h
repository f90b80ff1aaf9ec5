// Facades: storeys, windows and doors on the walls of a house. This is the
// geometry alone: which rectangle of which wall each opening covers. The
// openings are written by facade_openings.
//
// Every wall is seen from outside: its "left end" is the end on the
// viewer's left, positions along it run to the right, heights from the
// ground. Only the rectangle of a wall below its eaves carries openings:
// never a corner wall, a gable above the wall top or the sloping part of a
// lean-roof wall.
#pragma once

#include "core/errors.h"
#include "core/types.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kestrane {

enum class WallSide { Front, Right, Back, Left };  // the order the walls are written in
inline constexpr std::array<WallSide, 4> kWallSides = {WallSide::Front, WallSide::Right, WallSide::Back,
                                                       WallSide::Left};

// The facade inputs as the window and the command line hold them: switches,
// counts and texts in millimetres.
struct FacadeInput {
    bool enabled = false;  // with facades off nothing below is read
    std::string storeys = "1";
    std::string storeyHeight;  // empty: the wall height divided by the storeys

    struct Windows {
        bool enabled = false;
        std::string count = "2";
        std::string width = "1200";
        std::string height = "1400";
        std::string sill = "900";
    };
    std::array<Windows, 4> windows;  // indexed by WallSide

    struct Door {
        bool enabled = false;
        std::string width = "1000";
        std::string height = "2100";
        std::string position = "0";  // the centre's offset from the middle of the wall, to the right
    };
    Door door;      // on the front wall
    Door sideDoor;  // on `sideDoorSide`
    // The wall of the side stairs, so that a side door meets them.
    WallSide sideDoorSide = WallSide::Right;

    std::string windowTexture;  // empty: ablak.bmp / window.bmp by language
    std::string doorTexture;    // empty: ajto.bmp / door.bmp
    std::string windowColor;  // "R,G,B": a colour instead of the window bitmap; empty: the bitmap
    std::string doorColor;    // "R,G,B": a colour instead of the door bitmap
    bool frames = false;                  // frames round the openings, sills under the windows

    bool lit = false;
    std::string litPercent = "30";
    std::string litSeed = "1";
    bool litGlow = false;  // lit windows glow by an emissive colour instead of a night texture
};

// The facade inputs in metres, checked one by one.
struct FacadeParams {
    bool enabled = false;
    int storeys = 1;
    double storeyHeight = 0.0;  // 0: the wall height divided by the storeys

    struct Windows {
        int count = 0;  // per storey; 0: none on this wall
        double width = 0.0, height = 0.0, sill = 0.0;
    };
    std::array<Windows, 4> windows;

    struct Door {
        bool enabled = false;
        double width = 0.0, height = 0.0, position = 0.0;
    };
    Door door;
    Door sideDoor;
    WallSide sideDoorSide = WallSide::Right;

    std::string windowTexture, doorTexture;  // never empty
    std::optional<ColorRgb> windowColor, doorColor;
    bool frames = false;
    double litPercent = 0.0;  // 0 to 100
    unsigned long long litSeed = 1;
    bool litGlow = false;
};

// The default bitmap names of the language.
std::string DefaultWindowTexture(UiLanguage language);  // "ablak.bmp" / "window.bmp"
std::string DefaultDoorTexture(UiLanguage language);    // "ajto.bmp" / "door.bmp"

// Reads the facade inputs. Throws InputError naming the field (and the wall)
// in `language` for a malformed number or a value out of its range.
FacadeParams ReadFacadeParams(const FacadeInput& input, UiLanguage language);

// The rectangle of one wall that may carry openings, in house coordinates.
struct WallFace {
    WallSide side = WallSide::Front;
    Vec3 leftEnd;      // on the ground, at the left end seen from outside
    Vec3 rightward;    // unit vector along the wall to the right
    Vec3 outward;      // unit normal pointing away from the house
    double length = 0.0;
    double top = 0.0;  // height of the rectangle below the eaves
};

enum class OpeningKind { Window, Door };

struct Opening {
    OpeningKind kind = OpeningKind::Window;
    WallSide side = WallSide::Front;
    int storey = 0;          // 0 is the ground floor
    double left = 0.0;       // along the wall from its left end
    double right = 0.0;
    double bottom = 0.0;     // above the ground
    double top = 0.0;
    bool lit = false;        // lit at night (windows only)
};

// The gaps the layout keeps: from each end of a wall, and between two
// openings beside each other.
inline constexpr double kCornerDistance = 0.5;
inline constexpr double kOpeningGap = 0.3;

// A flight of stairs before a wall: its middle along the wall (from the
// wall's left end), half its width along the wall at its foot, and the
// height of its top step.
struct StairsBefore {
    WallSide side = WallSide::Front;
    double centre = 0.0;
    double halfWidth = 0.0;
    double height = 0.0;
};

// The openings laid out together with the stairs before the walls.
struct FacadeLayout {
    std::vector<Opening> openings;
    // The flights moved before a door: centred on it as far as the wall's
    // ends allow. A flight not listed stays where its placement puts it.
    std::vector<StairsBefore> stairs;
    // One note a storey whose windows the stairs would cover (those windows
    // are left out).
    std::vector<GenerationWarning> notes;
};

// Where every opening lies, wall after wall (front, right, back, left),
// on each wall its door first, then its windows storey by storey from left
// to right. Windows on a storey are evenly spaced: the span between the
// corner distances is split into equal slots, one window centred in each.
// A door stands on the ground and leaves out the ground-floor windows it
// would touch. Throws InputError naming the wall and the field when
// something does not fit.
std::vector<Opening> LayOutFacades(const FacadeParams& params, const std::array<WallFace, 4>& walls,
                                   double wallHeight, UiLanguage language);
// The same with stairs before the walls: a door on a wall with stairs moves
// them before it and stands on their top step (its sill at their height);
// a window the stairs would cover is left out of its storey's row, with a
// note.
FacadeLayout LayOutFacades(const FacadeParams& params, const std::array<WallFace, 4>& walls, double wallHeight,
                           std::span<const StairsBefore> stairs, UiLanguage language);

// The storey height in force: the given one, or the wall height shared out.
double StoreyHeight(const FacadeParams& params, double wallHeight);

// A point of a wall: `along` from its left end, `height` above the ground,
// `distance` in front of its face.
Vec3 WallPoint(const WallFace& wall, double along, double height, double distance);

// The corners of a rectangle of a wall held `distance` in front of it, in
// the order that faces outwards: bottom right, bottom left, top left, top
// right seen from outside.
std::array<Vec3, 4> WallRectangle(const WallFace& wall, double left, double right, double bottom, double top,
                                  double distance);

// The fields of the facade inputs, for naming them in a message.
enum class FacadeField {
    Storeys, StoreyHeight, WindowCount, WindowWidth, WindowHeight, Sill,
    DoorWidth, DoorHeight, DoorPosition, LitPercent, LitSeed, WindowTexture, DoorTexture,
    WindowColor, DoorColor,
};
// Its caption, the last part of InputError::field() ("Szintmagasság",
// "Front wall, window width" ends with "window width").
const LocalText& FacadeFieldCaption(FacadeField field);

// The caption of a wall side in the language ("Elülső fal" / "Front wall").
std::string WallCaption(WallSide side, UiLanguage language);

}  // namespace kestrane

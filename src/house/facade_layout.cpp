#include "house/facade_layout.h"

#include "b3d/b3d_reader.h"
#include "core/cp1250.h"
#include "core/errors.h"
#include "core/field_reader.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kestrane {

namespace {

// Lengths are compared with this slack so that a window that fits exactly
// on paper is not refused for a rounding error.
constexpr double kSlack = 1e-9;

// Captions of the facade fields, as the window labels them.
const LocalText kStoreysCaption{"Szintek", "Storeys"};
const LocalText kStoreyHeightCaption{"Szintmagasság", "Storey height"};
const LocalText kWindowCountCaption{"ablakok száma", "window count"};
const LocalText kWindowWidthCaption{"ablak szélessége", "window width"};
const LocalText kWindowHeightCaption{"ablak magassága", "window height"};
const LocalText kSillCaption{"parapet magassága", "sill height"};
const LocalText kDoorWidthCaption{"ajtó szélessége", "door width"};
const LocalText kDoorHeightCaption{"ajtó magassága", "door height"};
const LocalText kDoorPositionCaption{"ajtó helyzete", "door position"};
const LocalText kLitCaption{"Világító ablakok (%)", "Lit windows (%)"};
const LocalText kSeedCaption{"Mag", "Seed"};
const LocalText kWindowTextureCaption{"Ablak textúra", "Window texture"};
const LocalText kDoorTextureCaption{"Ajtó textúra", "Door texture"};
const LocalText kWindowColorCaption{"Ablak színe", "Window color"};
const LocalText kDoorColorCaption{"Ajtó színe", "Door color"};

[[noreturn]] void Refuse(const std::string& field, const std::string& reason) { RefuseField(field, reason); }

std::string Pick(UiLanguage language, const std::string& hu, const std::string& en)
{
    return language == UiLanguage::Hungarian ? hu : en;
}

// A field of a wall: "Elülső fal, ablak szélessége" / "Front wall, window width".
std::string WallField(WallSide side, const LocalText& caption, UiLanguage language)
{
    return WallCaption(side, language) + ", " + caption(language);
}

std::string Millimetres(double metres) { return std::to_string(RoundHalfEven(metres * 1000)) + " mm"; }

double ReadLength(const std::string& text, const std::string& field, UiLanguage language, bool positive)
{
    const double value = ReadFieldNumber(text, field, language);
    if (positive ? value <= 0 : value < 0)
        Refuse(field, Pick(language, positive ? "nagyobbnak kell lennie 0-nál." : "nem lehet negatív.",
                            positive ? "must be greater than 0." : "must not be negative."));
    return value / 1000.0;
}

long long ReadWhole(const std::string& text, const std::string& field, UiLanguage language, long long lowest,
                    long long highest)
{
    const auto value = ParseReal(text);
    const std::string range = std::to_string(lowest) + "-" + std::to_string(highest);
    if (!value || *value != std::floor(*value) || *value < static_cast<double>(lowest) ||
        *value > static_cast<double>(highest))
        Refuse(field, Pick(language, QuotedValue(text, "bájt") + " helyett " + range + " közötti egész szám kell.",
                            QuotedValue(text) + " must be a whole number " + range + "."));
    return static_cast<long long>(*value);
}

// Texture names end up in the file outside any comment: plain ASCII only,
// nothing the B3D line syntax would split.
std::string ReadTexture(const std::string& text, const std::string& fallback, const LocalText& caption,
                        UiLanguage language)
{
    if (text.empty())
        return fallback;
    if (text.size() > b3d::kLongestTextureName)
        Refuse(caption(language),
               Pick(language, QuotedValue(text, "bájt") + ": legfeljebb " + std::to_string(b3d::kLongestTextureName) +
                                  " karakteres név lehet (a betöltő ennél hosszabbat nem fogad el).",
                    QuotedValue(text) + ": a name has at most " + std::to_string(b3d::kLongestTextureName) +
                        " characters (the loader takes no longer one)."));
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u > 32 && u < 127 && c != ',' && c != ';';
    });
    if (!plain)
        Refuse(caption(language),
               Pick(language, QuotedValue(text, "bájt") + ": csak ékezet, szóköz, vessző és pontosvessző nélküli név lehet.",
                    QuotedValue(text) + ": only names without accents, blanks, commas and semicolons can be used."));
    return text;
}

// "R,G,B" with each channel a whole number 0 to 255; empty: no colour.
std::optional<ColorRgb> ReadColor(const std::string& text, const LocalText& caption, UiLanguage language)
{
    if (text.empty())
        return std::nullopt;
    std::uint8_t channels[3] = {};
    std::size_t begin = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = i < 2 ? text.find(',', begin) : text.size();
        const auto value = comma == std::string::npos || comma == begin
                               ? std::nullopt
                               : ParseReal(text.substr(begin, comma - begin));
        if (!value || *value != std::floor(*value) || *value < 0 || *value > 255 ||
            (i == 2 && text.find(',', begin) != std::string::npos))
            Refuse(caption(language), Pick(language, QuotedValue(text, "bájt") + " helyett R,G,B kell, mindegyik 0-255.",
                                           QuotedValue(text) + " must be R,G,B, each 0-255."));
        channels[i] = static_cast<std::uint8_t>(*value);
        begin = comma + 1;
    }
    return ColorRgb{channels[0], channels[1], channels[2]};
}

FacadeParams::Door ReadDoor(const FacadeInput::Door& input, WallSide side, UiLanguage language)
{
    FacadeParams::Door door;
    door.enabled = input.enabled;
    if (!door.enabled)
        return door;
    door.width = ReadLength(input.width, WallField(side, kDoorWidthCaption, language), language, true);
    door.height = ReadLength(input.height, WallField(side, kDoorHeightCaption, language), language, true);
    const std::string field = WallField(side, kDoorPositionCaption, language);
    door.position = ReadFieldNumber(input.position, field, language) / 1000.0;
    return door;
}

// Splitmix64: a small generator whose sequence is the same everywhere, so a
// seed always lights the same windows.
class Sequence {
public:
    explicit Sequence(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

private:
    std::uint64_t state_;
};

// Lights round(percent of the windows), picked by a shuffle from the seed.
void LightWindows(std::vector<Opening>& openings, double percent, unsigned long long seed)
{
    std::vector<std::size_t> windows;
    for (std::size_t i = 0; i < openings.size(); ++i) {
        if (openings[i].kind == OpeningKind::Window)
            windows.push_back(i);
    }
    const auto lit = static_cast<std::size_t>(RoundHalfEven(percent / 100.0 * static_cast<double>(windows.size())));
    Sequence sequence(seed);
    for (std::size_t i = 0; i < lit; ++i) {
        const std::size_t pick = i + static_cast<std::size_t>(sequence.Next() % (windows.size() - i));
        std::swap(windows[i], windows[pick]);
        openings[windows[i]].lit = true;
    }
}

struct Span {
    double left, right;
};

// The door of a wall, or nothing; refuses a door that does not fit. `sill`:
// the height of the stairs it stands on.
std::optional<Span> PlaceDoor(const FacadeParams::Door& door, const WallFace& wall, double storeyHeight,
                              double sill, UiLanguage language)
{
    if (!door.enabled)
        return std::nullopt;
    const double centre = wall.length / 2 + door.position;
    const Span span{centre - door.width / 2, centre + door.width / 2};
    if (span.left < kCornerDistance - kSlack || span.right > wall.length - kCornerDistance + kSlack) {
        const LocalText& field = door.position != 0 ? kDoorPositionCaption : kDoorWidthCaption;
        Refuse(WallField(wall.side, field, language),
               Pick(language,
                    "az ajtó nem fér el a falon (a sarkoktól legalább " + Millimetres(kCornerDistance) +
                        " távolságot kell tartania; a fal " + Millimetres(wall.length) + " hosszú).",
                    "the door does not fit on the wall (it must keep " + Millimetres(kCornerDistance) +
                        " from each corner; the wall is " + Millimetres(wall.length) + " long)."));
    }
    // A door on stairs has their height less room.
    const double room = std::min(storeyHeight, wall.top) - sill;
    if (door.height > room + kSlack)
        Refuse(WallField(wall.side, kDoorHeightCaption, language),
               sill > 0 ? Pick(language,
                               "az ajtó a " + Millimetres(sill) + " magas lépcső tetején magasabb, mint a földszintből fölötte maradó hely (" +
                                   Millimetres(room) + ").",
                               "the door on top of the " + Millimetres(sill) +
                                   " stairs is higher than the room left of the ground floor (" + Millimetres(room) + ").")
                        : Pick(language, "az ajtó magasabb, mint a földszint (" + Millimetres(room) + ").",
                               "the door is higher than the ground floor (" + Millimetres(room) + ")."));
    return span;
}

}  // namespace

const LocalText& FacadeFieldCaption(FacadeField field)
{
    static const LocalText* const kCaptions[] = {
        &kStoreysCaption,      &kStoreyHeightCaption, &kWindowCountCaption, &kWindowWidthCaption,
        &kWindowHeightCaption, &kSillCaption,         &kDoorWidthCaption,   &kDoorHeightCaption,
        &kDoorPositionCaption, &kLitCaption,          &kSeedCaption,        &kWindowTextureCaption,
        &kDoorTextureCaption,  &kWindowColorCaption,  &kDoorColorCaption,
    };
    return *kCaptions[static_cast<int>(field)];
}

std::string DefaultWindowTexture(UiLanguage language) { return LocalText{"ablak.bmp", "window.bmp"}(language); }

std::string DefaultDoorTexture(UiLanguage language) { return LocalText{"ajto.bmp", "door.bmp"}(language); }

std::string WallCaption(WallSide side, UiLanguage language)
{
    static const LocalText kCaptions[] = {
        {"Elülső fal", "Front wall"},
        {"Jobb fal", "Right wall"},
        {"Hátsó fal", "Back wall"},
        {"Bal fal", "Left wall"},
    };
    return kCaptions[static_cast<int>(side)](language);
}

FacadeParams ReadFacadeParams(const FacadeInput& input, UiLanguage language)
{
    FacadeParams p;
    p.enabled = input.enabled;
    if (!p.enabled)
        return p;
    p.storeys = static_cast<int>(ReadWhole(input.storeys, kStoreysCaption(language), language, 1, 50));
    if (!input.storeyHeight.empty())
        p.storeyHeight = ReadLength(input.storeyHeight, kStoreyHeightCaption(language), language, true);

    for (const WallSide side : kWallSides) {
        const FacadeInput::Windows& in = input.windows[static_cast<int>(side)];
        if (!in.enabled)
            continue;
        FacadeParams::Windows& out = p.windows[static_cast<int>(side)];
        out.count = static_cast<int>(ReadWhole(in.count, WallField(side, kWindowCountCaption, language), language, 0, 100));
        out.width = ReadLength(in.width, WallField(side, kWindowWidthCaption, language), language, true);
        out.height = ReadLength(in.height, WallField(side, kWindowHeightCaption, language), language, true);
        out.sill = ReadLength(in.sill, WallField(side, kSillCaption, language), language, false);
    }
    p.door = ReadDoor(input.door, WallSide::Front, language);
    p.sideDoorSide = input.sideDoorSide;
    p.sideDoor = ReadDoor(input.sideDoor, input.sideDoorSide, language);

    p.windowTexture = ReadTexture(input.windowTexture, DefaultWindowTexture(language), kWindowTextureCaption, language);
    p.doorTexture = ReadTexture(input.doorTexture, DefaultDoorTexture(language), kDoorTextureCaption, language);
    p.windowColor = ReadColor(input.windowColor, kWindowColorCaption, language);
    p.doorColor = ReadColor(input.doorColor, kDoorColorCaption, language);
    p.frames = input.frames;
    p.litGlow = input.litGlow;
    if (input.lit) {
        p.litPercent = static_cast<double>(ReadWhole(input.litPercent, kLitCaption(language), language, 0, 100));
        p.litSeed = static_cast<unsigned long long>(
            ReadWhole(input.litSeed, kSeedCaption(language), language, 0, 999999999));
    }
    return p;
}

double StoreyHeight(const FacadeParams& params, double wallHeight)
{
    return params.storeyHeight > 0 ? params.storeyHeight : wallHeight / params.storeys;
}

std::vector<Opening> LayOutFacades(const FacadeParams& params, const std::array<WallFace, 4>& walls,
                                   double wallHeight, UiLanguage language)
{
    return LayOutFacades(params, walls, wallHeight, {}, language).openings;
}

FacadeLayout LayOutFacades(const FacadeParams& params, const std::array<WallFace, 4>& walls, double wallHeight,
                           std::span<const StairsBefore> stairs, UiLanguage language)
{
    FacadeLayout layout;
    std::vector<StairsBefore> flights(stairs.begin(), stairs.end());
    std::vector<Opening>& openings = layout.openings;
    if (!params.enabled)
        return layout;
    const double storeyHeight = StoreyHeight(params, wallHeight);
    if (params.storeys * storeyHeight > wallHeight + kSlack)
        Refuse(kStoreyHeightCaption(language),
               Pick(language,
                    std::to_string(params.storeys) + " szint " + Millimetres(storeyHeight) +
                        " magassággal nem fér el a " + Millimetres(wallHeight) + " magas falban.",
                    std::to_string(params.storeys) + " storeys of " + Millimetres(storeyHeight) +
                        " do not fit into the wall height of " + Millimetres(wallHeight) + "."));

    for (const WallFace& wall : walls) {
        const int index = static_cast<int>(wall.side);
        const FacadeParams::Door* door = wall.side == WallSide::Front       ? &params.door
                                         : wall.side == params.sideDoorSide ? &params.sideDoor
                                                                            : nullptr;
        // The stairs before this wall; with a door they move before it.
        StairsBefore* flight = nullptr;
        for (StairsBefore& s : flights)
            if (s.side == wall.side)
                flight = &s;
        const double doorSill = door && door->enabled && flight ? flight->height : 0.0;
        std::optional<Span> doorSpan;
        if (door)
            doorSpan = PlaceDoor(*door, wall, storeyHeight, doorSill, language);
        if (doorSpan) {
            openings.push_back({OpeningKind::Door, wall.side, 0, doorSpan->left, doorSpan->right, doorSill,
                                doorSill + door->height});
            if (flight) {
                const double middle = (doorSpan->left + doorSpan->right) / 2;
                flight->centre = flight->halfWidth * 2 > wall.length
                                     ? wall.length / 2
                                     : std::clamp(middle, flight->halfWidth, wall.length - flight->halfWidth);
                layout.stairs.push_back(*flight);
            }
        }

        const FacadeParams::Windows& windows = params.windows[index];
        if (windows.count == 0)
            continue;
        // Equal slots between the corner distances, a window in the middle
        // of each; neighbours keep the opening gap.
        const double slot = (wall.length - 2 * kCornerDistance) / windows.count;
        if (windows.width > slot - (windows.count > 1 ? kOpeningGap : 0.0) + kSlack) {
            const double needed = windows.count * windows.width + (windows.count - 1) * kOpeningGap + 2 * kCornerDistance;
            Refuse(WallField(wall.side, kWindowCountCaption, language),
                   Pick(language,
                        std::to_string(windows.count) + " ablak " + Millimetres(windows.width) +
                            " szélességgel nem fér el: " + Millimetres(needed) + " kellene, a fal " +
                            Millimetres(wall.length) + " hosszú.",
                        std::to_string(windows.count) + " windows " + Millimetres(windows.width) +
                            " wide do not fit: they need " + Millimetres(needed) + ", the wall is " +
                            Millimetres(wall.length) + " long."));
        }
        const double room = windows.sill + windows.height;
        if (room > storeyHeight + kSlack)
            Refuse(WallField(wall.side, kWindowHeightCaption, language),
                   Pick(language,
                        "a parapet és az ablak együtt (" + Millimetres(room) + ") magasabb a szintnél (" +
                            Millimetres(storeyHeight) + ").",
                        "sill and window together (" + Millimetres(room) + ") are higher than a storey (" +
                            Millimetres(storeyHeight) + ")."));
        for (int storey = 0; storey < params.storeys; ++storey) {
            const double bottom = storey * storeyHeight + windows.sill;
            const double top = bottom + windows.height;
            if (top > wall.top + kSlack)
                Refuse(WallField(wall.side, kWindowHeightCaption, language),
                       Pick(language,
                            "a(z) " + std::to_string(storey + 1) + ". szint ablakai a fal egyenes része (" +
                                Millimetres(wall.top) + ") fölé nyúlnak.",
                            "the windows of storey " + std::to_string(storey + 1) +
                                " reach above the rectangular part of the wall (" + Millimetres(wall.top) + ")."));
            int covered = 0;
            for (int k = 0; k < windows.count; ++k) {
                const double centre = kCornerDistance + slot * (k + 0.5);
                const Span span{centre - windows.width / 2, centre + windows.width / 2};
                // The door takes the place of the ground-floor windows it
                // would touch.
                if (storey == 0 && doorSpan && span.right > doorSpan->left - kOpeningGap &&
                    span.left < doorSpan->right + kOpeningGap)
                    continue;
                // So do the stairs, up to their top step.
                if (flight && bottom < flight->height - kSlack && span.right > flight->centre - flight->halfWidth &&
                    span.left < flight->centre + flight->halfWidth) {
                    ++covered;
                    continue;
                }
                openings.push_back({OpeningKind::Window, wall.side, storey, span.left, span.right, bottom, top});
            }
            if (covered > 0) {
                const std::string field = WallField(wall.side, kWindowCountCaption, language);
                layout.notes.push_back(
                    {field, field + ": " +
                                Pick(language,
                                     "a(z) " + std::to_string(storey + 1) + ". szint " + std::to_string(covered) +
                                         " ablaka kimarad, mert a lépcső eltakarná.",
                                     std::to_string(covered) + (covered == 1 ? " window" : " windows") +
                                         " of storey " + std::to_string(storey + 1) +
                                         " left out: the stairs would cover " + (covered == 1 ? "it." : "them."))});
            }
        }
    }
    if (params.litPercent > 0)
        LightWindows(openings, params.litPercent, params.litSeed);
    return layout;
}

Vec3 WallPoint(const WallFace& wall, double along, double height, double distance)
{
    return {wall.leftEnd.x + wall.rightward.x * along + wall.outward.x * distance,
            wall.leftEnd.y + height + wall.rightward.y * along + wall.outward.y * distance,
            wall.leftEnd.z + wall.rightward.z * along + wall.outward.z * distance};
}

std::array<Vec3, 4> WallRectangle(const WallFace& wall, double left, double right, double bottom, double top,
                                  double distance)
{
    return {WallPoint(wall, right, bottom, distance), WallPoint(wall, left, bottom, distance),
            WallPoint(wall, left, top, distance), WallPoint(wall, right, top, distance)};
}

}  // namespace kestrane

// One house generation: the parameters, the points derived from them, the
// values one element leaves for the next, and the element emitters that
// append their mesh sections to the open output file.
#pragma once

#include "house/house_params.h"
#include "house/facade_layout.h"
#include "b3d/b3d_writer.h"
#include "b3d/simulator_limits.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace kestrane {

// The ten corners of the house body. Front wall at x = 0, back wall at
// x = length; y up; z from -width/2 (right) to +width/2 (left).
struct HouseCorners {
    Vec3 frontRightTop, frontRightBottom, frontLeftBottom, frontLeftTop, frontApex;
    Vec3 backRightTop, backRightBottom, backLeftBottom, backLeftTop, backApex;
};
HouseCorners DeriveHouseCorners(const HouseParams& params);

// The dimensions every element works with, in metres, computed once per
// house. In the element tables they are named after the sketch of the
// house: h (half width), W, L, H (wall height), RH (roof height), OV.
struct HouseDimensions {
    double halfWidth = 0.0;   // h: the side walls lie at z = +-h
    double width = 0.0;       // W
    double length = 0.0;      // L: front wall at x = 0, back wall at x = L
    double wallHeight = 0.0;  // H
    double roofHeight = 0.0;  // RH: the ridge or the apex
    double overhang = 0.0;    // OV: how far the roof reaches beyond the walls
};
HouseDimensions DeriveHouseDimensions(const HouseParams& params);

// The corners of the roof's eave edge, left by the roof for the gutters and
// the downpipe.
struct EaveCorners {
    Vec3 frontRight, frontLeft, backRight, backLeft;
};

// What the walls leave for the roof and the downpipe.
struct WallsLeft {
    // Pitched roof: how far above the wall tops the roof surface crosses the
    // side walls (the gable walls' shoulders). 0 for other walls.
    double eaveRise = 0.0;
    // A corner wall stands at the front end of the right wall; the downpipe
    // moves beyond it.
    bool rightCornerWall = false;
};

// What a roof leaves for the gutters and the downpipe.
struct RoofLeft {
    EaveCorners eave;
    // Pitched roof: the walls' eave rise passed on; lean roof: how far its
    // overhanging eave lies below the wall tops; otherwise 0.
    double eaveRise = 0.0;
    // The height of the right wall's front top corner where the downpipe
    // starts: the wall height, lowered by the eave rise under a lean roof.
    double rightWallTop = 0.0;
};

// What one house generation passed from element to element.
struct HouseFlow {
    WallsLeft walls;
    RoofLeft roof;
};

// One house generation: each element writes its sections to the open
// output, takes what it needs from the elements before it as arguments and
// returns what it leaves for the ones after it. WriteHouse shows the order
// and the hand-offs of every roof kind.
class HouseGenerator {
public:
    HouseGenerator(B3dWriter& out, const HouseParams& params, UiLanguage language);

    // Header, body, roof, gutters, chimney and stairs in the order of the
    // roof kind.
    // `openings` are the facades' windows and doors, laid out beforehand.
    // `stairs` are the front and side flights as the facade layout moved
    // them (before a door); without them each flight stands where its
    // placement puts it.
    HouseFlow WriteHouse(const std::string& fileName, std::span<const Opening> openings = {},
                         std::span<const StairsBefore> stairs = {});

    // Walls.
    WallsLeft negyszogfalwrite();       // "four-cornered wall write": four rectangular walls and the corner walls
    WallsLeft WriteGableWalls();        // pitched roof: five-cornered gable walls
    double WriteGableTriangles();       // pitched roof with roof-level texture; returns the eave rise
    WallsLeft WriteLeanWalls();         // lean roof: walls that follow the roof
    void WriteFacades(std::span<const Opening> openings);  // the windows and doors laid out on the walls
    // Roofs.
    RoofLeft WriteFlatRoof();
    RoofLeft WriteFlatRoofEdge();
    RoofLeft WritePitchedRoof(double eaveRise);  // the eave rise the walls left
    RoofLeft WritePyramidRoof();
    RoofLeft WriteHipRoof();
    RoofLeft WriteLeanRoof();
    // Half-hipped, gambrel, mansard and saltbox roofs with their gable tops.
    RoofLeft WriteRoofForm();
    // Gutters and downpipe, along the eave the roof left.
    void WriteGutterRing(const EaveCorners& eave);
    void WriteSideGutters(const EaveCorners& eave);
    void WriteLeanGutter(const EaveCorners& eave);
    void WriteDownpipe(const WallsLeft& walls, const RoofLeft& roof);
    // Chimney and stairs.
    void WriteChimney();
    void WriteFrontStairs() { WriteWallStairs(WallSide::Front); }
    void WriteSideStairs() { WriteWallStairs(WallSide::Right); }
    void WriteCornerStairs(int placement);

private:
    // The flight before the front or the right wall.
    void WriteWallStairs(WallSide side);
    void Comment(const LocalText& text);  // a comment line in the current language
    // The middle of the flight before `side` in house coordinates: where the
    // layout moved it, else `placed`.
    double FlightMiddle(WallSide side, double placed) const;
    // The wall and roof colours, or null while they are not in use.
    const ColorRgb* WallColor() const { return params_.useWallColor ? &params_.wallColor : nullptr; }
    const ColorRgb* RoofColor() const { return params_.useRoofColor ? &params_.roofColor : nullptr; }
    // The eave of a roof that ends on the wall tops.
    RoofLeft OnWallTops() const;
    // The eave of a roof that overhangs all four walls, or ends on the wall
    // tops for an overhang that is not positive.
    RoofLeft EavesAllRound() const;
    // A roof over all four walls (EavesAllRound): its soffit, titled
    // `soffitTitle`, then the faces `facesOnEaves` builds on its eave corners.
    template <class FacesOnEaves>
    RoofLeft WriteRoofAllRound(const LocalText& soffitTitle, FacesOnEaves facesOnEaves);

    B3dWriter& out_;
    const HouseParams params_;
    const UiLanguage language_;
    const HouseCorners corners_;
    const HouseDimensions dim_;
    std::vector<StairsBefore> stairs_;  // as the facade layout moved them
};

// The front and side flights before their walls, where their placements
// put them (corner stairs stand before the corners and cover no opening).
std::vector<StairsBefore> StairsBeforeWalls(const HouseParams& params);

// The file name for a roof kind: "haz_satorteto.b3d", "House_pyramid.b3d" ...
std::string HouseFileName(RoofKind kind, UiLanguage language);

// Status texts of the main window around a house generation.
std::string GeneratingStatus(UiLanguage language);  // "Generálás..." / "Generating..."
std::string HouseFinishedStatus(const std::string& fileName, UiLanguage language);

struct HouseResult {
    std::string fileName;           // e.g. "haz_satorteto.b3d"
    std::filesystem::path path;     // where it was written
    std::string status;             // the status text of a finished generation
    // What will look wrong or load badly: implausible dimensions, an object
    // above the simulator's limits. The file is written all the same.
    std::vector<GenerationWarning> warnings;
    ObjectSize size;  // of the file as written
    // The bitmaps the object loads, in the order of first use; listed only
    // when facades are on (empty otherwise).
    std::vector<std::string> textures;
    // Every bitmap the object's load lines name, day and night textures, in
    // the order of first use (as the writer counted them).
    std::vector<std::string> loaded;
};

// The list of bitmaps for the user: a heading line and one name a line.
std::string TextureListText(const std::vector<std::string>& textures, UiLanguage language);

// The warnings of a house of `params` written with the size `written`
// (implausible dimensions, an object above the simulator's limits), in
// `language`: what a generation reports, worded again after a language
// switch.
std::vector<GenerationWarning> HouseWarnings(const HouseParams& params, const ObjectSize& written,
                                            UiLanguage language);

// The whole generation of the generate button: reads the inputs (throws
// InputError before anything is opened), writes the file into `folder`
// (throws OutputError; the previous file then stays as it was). A
// `fileName` replaces the roof kind's file name.
HouseResult GenerateHouse(const HouseInput& input, UiLanguage language,
                          const std::filesystem::path& folder = {}, const std::string& fileName = {});

}  // namespace kestrane

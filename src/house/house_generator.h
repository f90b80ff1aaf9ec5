// One house generation: the parameters, the points derived from them, the
// values one element leaves for the next, and the element emitters that
// append their mesh sections to the open output file.
#pragma once

#include "house/house_params.h"
#include "house/facade_layout.h"
#include "b3d/b3d_writer.h"

#include <filesystem>
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

// The corners of the roof's eave edge, left by the roof for the gutters and
// the downpipe.
struct EaveCorners {
    Vec3 frontRight, frontLeft, backRight, backLeft;
};

class HouseGenerator {
public:
    HouseGenerator(B3dWriter& out, const HouseParams& params, UiLanguage language);

    // Header, body, roof, gutters, chimney and stairs in the order of the
    // roof kind.
    void WriteHouse(const std::string& fileName);

    // Walls.
    void negyszogfalwrite();      // four rectangular walls and corner walls
    void WriteGableWalls();       // pitched roof: five-cornered gable walls
    void WriteGableTriangles();   // pitched roof with roof-level texture
    void WriteLeanWalls();        // lean roof: walls that follow the roof
    void WriteFacades();          // the windows and doors of `openings`
    // Roofs.
    void WriteFlatRoof();
    void WriteFlatRoofEdge();
    void WritePitchedRoof();
    void WritePyramidRoof();
    void WriteHipRoof();
    void WriteLeanRoof();
    // Gutters and downpipe.
    void WriteGutterRing();
    void WriteSideGutters();
    void WriteLeanGutter();
    void WriteDownpipe();
    // Chimney and stairs.
    void WriteChimney();
    void WriteFrontStairs();
    void WriteSideStairs();
    void WriteCornerStairs(int placement);

    // The state of this generation, read and left by the elements.
    HouseParams params;
    UiLanguage language;
    HouseCorners corners;
    EaveCorners eaveCorners;
    double eaveRise = 0.0;              // set by the gable walls and the lean roof
    bool rightCornerWallBuilt = false;  // set by negyszogfalwrite
    std::vector<Opening> openings;      // laid out before the file is opened

private:
    void Comment(const LocalText& text);  // a comment line in the current language
    // The wall and roof colours, or null while they are not in use.
    const ColorRgb* WallColor() const { return params.useWallColor ? &params.wallColor : nullptr; }
    const ColorRgb* RoofColor() const { return params.useRoofColor ? &params.roofColor : nullptr; }

    B3dWriter& out_;
};

// The file name for a roof kind: "haz_satorteto.b3d", "House_pyramid.b3d" ...
std::string HouseFileName(RoofKind kind, UiLanguage language);

// Status texts of the main window around a house generation.
std::string GeneratingStatus(UiLanguage language);  // "Generálás..." / "Generating..."
std::string HouseFinishedStatus(const std::string& fileName, UiLanguage language);

struct HouseResult {
    std::string fileName;           // e.g. "haz_satorteto.b3d"
    std::filesystem::path path;     // where it was written
    std::string status;             // the status text of a finished generation
    // The bitmaps the object loads, in the order of first use; listed only
    // when facades are on (empty otherwise).
    std::vector<std::string> textures;
};

// The list of bitmaps for the user: a heading line and one name a line.
std::string TextureListText(const std::vector<std::string>& textures, UiLanguage language);

// The whole generation of the generate button: reads the inputs (throws
// InputError before anything is opened), writes the file into `folder`
// (throws OutputError; the previous file then stays as it was).
HouseResult GenerateHouse(const HouseInput& input, UiLanguage language,
                          const std::filesystem::path& folder = {});

}  // namespace kestrane

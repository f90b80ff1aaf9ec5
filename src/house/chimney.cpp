// The chimney: a textured body from the wall tops to the roof height and a
// grey cap on top. The numbers after "cube" are half-extents along x, y, z.
#include "house/house_generator.h"

#include "core/numbers.h"
#include "house/house_constants.h"

namespace kestrane {

void HouseGenerator::WriteChimney()
{
    if (params_.chimneySize <= 0)
        return;  // size 0: no chimney at all
    const double H = dim_.wallHeight;
    const double RH = dim_.roofHeight;
    const double size = params_.chimneySize;  // 1 to 4: the depth across the house
    const Vec3 axis{params_.chimneyX, 0, params_.chimneyZ};

    // Body: 0.5 along x, 0.3 deeper per size step across the house.
    Comment({";------Kémény------", ";------Chimney------"});
    out_.WriteLine("[meshbuilder]");
    out_.EmitCube("0.25", FormatReal((RH - H) / 2), FormatReal(0.15 * size + 0.15));
    if (params_.useChimneyColor)
        out_.EmitColor(params_.chimneyColor);
    // The eight corners of the cube; the block has no closing empty line.
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    static const char* const kBodyCoordinates[] = {"0,1,0", "1,1,1", "2,0,1", "3,0,0",
                                                   "4,0,0", "5,0,1", "6,1,1", "7,1,0"};
    out_.EmitTextureStart("k.bmp", B3dWriter::LoadWord::Capital);
    for (const char* coordinate : kBodyCoordinates)
        out_.EmitCoordinates(coordinate);
    out_.EmitTranslate(axis.x, (H + RH) / 2, axis.z);
    // The cap section follows the body directly, without an empty line.

    // Cap: 0.02 wider in x and 0.04 in z on each side, 0.16 high.
    Comment({";------Kémény tető------", ";------Chymney top------"});
    out_.WriteLine("[meshbuilder]");
    out_.EmitCube("0.27", "0.08", FormatReal(0.15 * size + 0.19));
    out_.EmitColorUnpadded(kChimneyCapColor);
    out_.EmitTranslate(axis.x, RH + 0.08, axis.z);
    out_.WriteLine("");
}

}  // namespace kestrane

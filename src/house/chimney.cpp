// The chimney: a textured body from the wall tops to the roof height and a
// grey cap on top. The numbers after "cube" are half-extents along x, y, z.
#include "house/house_generator.h"

#include "core/numbers.h"

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
    out_.WriteLine("cube 0.25," + FormatReal((RH - H) / 2) + "," + FormatReal(0.15 * size + 0.15));
    if (params_.useChimneyColor)
        out_.EmitColor(params_.chimneyColor);
    static const char* const kBodyTexture[] = {
        "[Texture]",         "Load k.bmp",        "Coordinates 0,1,0", "Coordinates 1,1,1", "Coordinates 2,0,1",
        "Coordinates 3,0,0", "Coordinates 4,0,0", "Coordinates 5,0,1", "Coordinates 6,1,1", "Coordinates 7,1,0",
    };
    for (const char* line : kBodyTexture)
        out_.WriteLine(line);
    out_.EmitTranslate(axis.x, (H + RH) / 2, axis.z);
    // The cap section follows the body directly, without an empty line.

    // Cap: 0.02 wider in x and 0.04 in z on each side, 0.16 high.
    Comment({";------Kémény tető------", ";------Chymney top------"});
    out_.WriteLine("[meshbuilder]");
    out_.WriteLine("cube 0.27,0.08," + FormatReal(0.15 * size + 0.19));
    out_.WriteLine("color 100,100,100");
    out_.EmitTranslate(axis.x, RH + 0.08, axis.z);
    out_.WriteLine("");
}

}  // namespace kestrane

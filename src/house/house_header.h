// The comment block at the top of every house object file.
#pragma once

#include "b3d/b3d_writer.h"
#include "core/types.h"
#include "core/version.h"

#include <string>

namespace kestrane {

// The values the header records, in metres.
struct HouseHeaderValues {
    std::string fileName;  // the output file name, ".b3d" included
    Vec3 offset;
    double width = 0.0;
    double length = 0.0;
    double wallHeight = 0.0;
    double roofHeight = 0.0;
};

// Writes the seventeen header lines.
void WriteHouseHeader(B3dWriter& out, UiLanguage language, const HouseHeaderValues& values);

}  // namespace kestrane

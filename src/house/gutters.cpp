// Gutters and the downpipe.
#include "house/house_generator.h"

namespace kestrane {

void HouseGenerator::WriteGutterRing() {}
void HouseGenerator::WriteSideGutters() {}
void HouseGenerator::WriteLeanGutter() {}
void HouseGenerator::WriteDownpipe() {}

}  // namespace kestrane

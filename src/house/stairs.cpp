// Front, side and corner stairs.
#include "house/house_generator.h"

namespace kestrane {

void HouseGenerator::WriteFrontStairs() {}
void HouseGenerator::WriteSideStairs() {}
void HouseGenerator::WriteCornerStairs(int) {}

}  // namespace kestrane

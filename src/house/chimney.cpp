// The chimney: body and cap.
#include "house/house_generator.h"

namespace kestrane {

void HouseGenerator::WriteChimney() {}

}  // namespace kestrane

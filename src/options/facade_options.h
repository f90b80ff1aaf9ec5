// The facade rows of the house option table (see facade_options.cpp).
#pragma once

#include "options/option_table.h"

#include <vector>

namespace kestrane {

// Appends the facade options: storeys, windows, doors, their bitmaps or
// colours, frames and lit windows.
void AddFacadeOptions(std::vector<HouseOption>& options);

}  // namespace kestrane

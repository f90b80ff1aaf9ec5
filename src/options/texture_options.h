// The --write-textures row of the generating commands' option tables (and
// the "write-textures" preset member): after the object, the starter
// bitmaps it names that are not in the output folder yet.
#pragma once

#include "options/option_forms.h"
#include "options/option_table.h"

namespace kestrane {

// The row for an input whose `field` holds the window's "Write textures"
// box; any generating command's table (house, terrain, track) takes it.
template <class Input>
OptionSpec<Input> WriteTexturesOption(bool Input::*field)
{
    return SwitchOption<Input>(
        "write-textures", field, true,
        {"a hiányzó textúrák (BMP) megírása az objektum mellé;\nmeglévő fájlt nem ír felül",
         "write the bitmaps the object names that are not in\nthe folder yet; an existing file is never replaced"});
}

}  // namespace kestrane

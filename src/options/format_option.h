// The --format option ("format" in a preset) that every generator's table
// ends with: the file format its objects are written in.
#pragma once

#include "b3d/object_format.h"
#include "options/option_forms.h"
#include "options/option_table.h"

#include <string>
#include <vector>

namespace kestrane {

// In the order of ObjectFormat.
inline const std::vector<std::string>& ObjectFormatNames()
{
    static const std::vector<std::string> names = {"b3d", "csv", "obj"};
    return names;
}

// The row of a table whose input holds the format in its member `format`.
template <class Input>
OptionSpec<Input> FormatOption()
{
    return NameOption("format", "b3d|csv|obj", &Input::format, ObjectFormatNames,
                      {"a fájl formátuma: b3d (alapértelmezés), csv (a\nszimulátor CSV objektuma, .csv) vagy obj "
                       "(Wavefront\nOBJ és MTL a Blenderhez, .obj és .mtl)",
                       "the file format: b3d (the default), csv (the\nsimulator's CSV object, .csv) or obj "
                       "(Wavefront OBJ\nand MTL for Blender, .obj and .mtl)"});
}

}  // namespace kestrane

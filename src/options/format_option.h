// The --format option ("format" in a preset) that every generator's table
// ends with: the file format its objects are written in.
#pragma once

#include "b3d/object_format.h"
#include "options/option_table.h"
#include "options/option_values.h"

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
    return {"format",
            OptionForm::Value,
            "b3d|csv|obj",
            {"a fájl formátuma: b3d (alapértelmezés), csv (a\nszimulátor CSV objektuma, .csv) vagy obj (Wavefront\n"
             "OBJ és MTL a Blenderhez, .obj és .mtl)",
             "the file format: b3d (the default), csv (the\nsimulator's CSV object, .csv) or obj (Wavefront OBJ\n"
             "and MTL for Blender, .obj and .mtl)"},
            {},
            [](Input& input, const std::vector<std::string>& values) {
                input.format = static_cast<ObjectFormat>(ParseName(values.front(), ObjectFormatNames()));
            },
            [](const Input& input) {
                return std::vector<std::string>{ObjectFormatNames().at(static_cast<std::size_t>(input.format))};
            }};
}

}  // namespace kestrane

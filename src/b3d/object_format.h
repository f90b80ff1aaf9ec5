// The file formats an object can be written in: B3D, the simulator's CSV
// object format (the same statements under other command names) and
// Wavefront OBJ with its MTL for editing in Blender.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

enum class ObjectFormat { B3d, Csv, Obj };

// "b3d", "csv", "obj": the option values.
const char* ObjectFormatName(ObjectFormat format);
std::optional<ObjectFormat> ParseObjectFormat(std::string_view name);
// ".b3d", ".csv", ".obj".
const char* ObjectFormatEnding(ObjectFormat format);

// Whether `name` ends in `ending` (".b3d"), in any case.
bool HasEnding(std::string_view name, std::string_view ending);

// The name of an object written in `format`: a name ending in .b3d (in any
// case) takes the format's ending ("hill.b3d" -> "hill.csv"); any other
// name is kept.
std::string FileNameInFormat(const std::string& name, ObjectFormat format);

// Whether an output name fits `format`: it ends in the format's ending or
// in .b3d.
bool OutputNameFits(std::string_view name, ObjectFormat format);

}  // namespace kestrane

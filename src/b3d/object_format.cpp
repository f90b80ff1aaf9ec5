#include "b3d/object_format.h"

#include "b3d/b3d_words.h"

namespace kestrane {

namespace {

struct FormatRow {
    ObjectFormat format;
    const char* name;
    const char* ending;
};

constexpr FormatRow kFormats[] = {
    {ObjectFormat::B3d, "b3d", ".b3d"},
    {ObjectFormat::Csv, "csv", ".csv"},
    {ObjectFormat::Obj, "obj", ".obj"},
};

const FormatRow& RowOf(ObjectFormat format)
{
    for (const FormatRow& row : kFormats)
        if (row.format == format)
            return row;
    return kFormats[0];
}

}  // namespace

const char* ObjectFormatName(ObjectFormat format) { return RowOf(format).name; }

const char* ObjectFormatEnding(ObjectFormat format) { return RowOf(format).ending; }

std::optional<ObjectFormat> ParseObjectFormat(std::string_view name)
{
    for (const FormatRow& row : kFormats)
        if (name == row.name)
            return row.format;
    return std::nullopt;
}

bool HasEnding(std::string_view name, std::string_view ending)
{
    return name.size() > ending.size() && EqualsNoCase(name.substr(name.size() - ending.size()), ending);
}

std::string FileNameInFormat(const std::string& name, ObjectFormat format)
{
    if (format == ObjectFormat::B3d || !HasEnding(name, ".b3d"))
        return name;
    return name.substr(0, name.size() - 4) + ObjectFormatEnding(format);
}

bool OutputNameFits(std::string_view name, ObjectFormat format)
{
    return HasEnding(name, ".b3d") || HasEnding(name, ObjectFormatEnding(format));
}

}  // namespace kestrane

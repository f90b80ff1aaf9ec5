// The captions of the heightmap line's fields, for messages that name them
// (used by the GDAL module as well, so it needs nothing else of the core).
#include "heightmap/heightmap.h"

namespace kestrane {

namespace {

struct FieldCaption {
    HeightmapField field;
    LocalText caption;
};

constexpr FieldCaption kCaptions[] = {
    {HeightmapField::File, {"Domborzati fájl", "Heightmap file"}},
    {HeightmapField::Origin, {"Domborzat origó", "Heightmap origin"}},
    {HeightmapField::MapOrigin, {"Domborzat origó (térképi koordináták)", "Heightmap origin (map coordinates)"}},
    {HeightmapField::Scale, {"Magasság szorzó", "Height scale"}},
    {HeightmapField::Offset, {"Magasság eltolás", "Height offset"}},
    {HeightmapField::PixelSize, {"Cellaméret", "Pixel size"}},
};

}  // namespace

std::string HeightmapCaption(HeightmapField field, UiLanguage language)
{
    for (const FieldCaption& entry : kCaptions)
        if (entry.field == field)
            return entry.caption(language);
    return {};
}

HeightmapField OriginField(const HeightmapParams& params)
{
    return params.mapOrigin ? HeightmapField::MapOrigin : HeightmapField::Origin;
}

}  // namespace kestrane

// The heightmap line's texts: captions, numbers and the report line.
#include "heightmap/heightmap.h"

#include "core/errors.h"
#include "core/field_reader.h"
#include "core/numbers.h"

#include <cmath>

namespace kestrane {

namespace {

[[noreturn]] void Refuse(HeightmapField field, UiLanguage language, const LocalText& reason)
{
    RefuseField(HeightmapCaption(field, language), language, reason);
}

double ReadNumber(const std::string& text, HeightmapField field, UiLanguage language)
{
    return ReadFieldNumber(text, HeightmapCaption(field, language), language);
}

}  // namespace

HeightmapParams ReadHeightmapInput(const HeightmapInput& input, UiLanguage language)
{
    HeightmapParams params;
    params.file = input.file;
    params.mapOrigin = input.mapOrigin;
    params.originX = ReadNumber(input.originX, OriginField(params), language);
    params.originZ = ReadNumber(input.originZ, OriginField(params), language);
    params.scale = ReadNumber(input.scale, HeightmapField::Scale, language);
    params.offset = ReadNumber(input.offset, HeightmapField::Offset, language);
    if (params.scale == 0.0)
        Refuse(HeightmapField::Scale, language,
               {"nem lehet 0 (minden magasság 0 lenne).", "must not be 0 (every height would be 0)."});
    const bool blank = input.pixelSize.find_first_not_of(' ') == std::string::npos;
    if (!blank) {
        const double size = ReadNumber(input.pixelSize, HeightmapField::PixelSize, language);
        if (!(size > 0.0))
            Refuse(HeightmapField::PixelSize, language,
                   {"nagyobb kell legyen 0-nál (méter cellánként).",
                    "must be greater than 0 (metres per cell)."});
        params.pixelSize = size;
    }
    return params;
}

std::string HeightmapReport(const HeightmapSamples& samples, UiLanguage language)
{
    const std::string nodes = std::to_string(samples.heights.size());
    const std::string filled = std::to_string(samples.filledNodes);
    const std::string outside = std::to_string(samples.outsideNodes);
    if (language == UiLanguage::Hungarian)
        return "Domborzat: " + nodes + " rácspont, " + filled + " kitöltve a szomszédaiból (" + outside +
               " a raszteren kívül).";
    return "Heightmap: " + nodes + " nodes, " + filled + " filled from neighbours (" + outside +
           " outside the raster).";
}

}  // namespace kestrane

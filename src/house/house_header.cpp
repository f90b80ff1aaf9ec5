#include "house/house_header.h"

#include "core/numbers.h"

namespace kestrane {

void WriteHouseHeader(B3dWriter& out, UiLanguage language, const HouseHeaderValues& values)
{
    // A value follows its label directly, padded only by FormatReal.
    struct Line {
        LocalText label;
        const double* value;
    };
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    const Line lines[] = {
        {{";Házgeneráló program", ";Buildig generating program"}, nullptr},
        {{kAuthorshipComment, kAuthorshipComment}, nullptr},
        {{";Nullpont a homlokfal közepe a talaj síkjában", ";Null point on center of front wall, in a floor"}, nullptr},
        {{";Paraméterek:", ";Parameters: "}, nullptr},
        {{";", ";"}, nullptr},
        {{";Eredeti fájlnév: ", ";Origin filename: "}, nullptr},
        {{";X eltolás:", ";X ofset:"}, &values.offset.x},
        {{";Y eltolás:", ";Y ofset:"}, &values.offset.y},
        {{";Z eltolás:", ";Z ofset:"}, &values.offset.z},
        {{";Szélesség:", ";Width:"}, &values.width},
        {{";Hosszúság:", ";Long:"}, &values.length},
        {{";Magasság:", ";Height:"}, &values.wallHeight},
        {{";Tetőmagasság:", ";Roof height:"}, &values.roofHeight},
        {{";", ";"}, nullptr},
        {{";Az obektum textúrázása a Te feladatod!", ";The correct texturing is a your job!"}, nullptr},
        {{";----====ZX====----", ";----====ZX====----"}, nullptr},
        {{";", ";"}, nullptr},
    };
    constexpr int kFileNameLine = 5;
    for (int i = 0; i < static_cast<int>(std::size(lines)); ++i) {
        std::string text = lines[i].label(language);
        if (i == kFileNameLine)
            text += values.fileName;
        if (lines[i].value)
            AppendReal(text, *lines[i].value);
        out.WriteLine(text);
    }
}

}  // namespace kestrane

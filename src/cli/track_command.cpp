// kestrane track: a kit of track beds and earthworks, one file per piece
// and radius, with the structure list of a route.
#include "cli/cli.h"
#include "cli/option_run.h"

#include "house/house_generator.h"
#include "textures/texture_writing.h"
#include "track/track_generator.h"

namespace kestrane::cli {

namespace {

const LocalText kTrackHelpStart{
    "Használat: kestrane track [KAPCSOLÓK]\n"
    "\n"
    "Pályakészletet ír az aktuális mappába: elemenként és sugaranként egy fájlt\n"
    "(ELEM_SUGÁR.b3d, pl. agyazat_300.b3d, toltes-bal_-1250.5.b3d), előre hajlítva,\n"
    "hogy az adott sugarú blokkok pontosan illeszkedjenek, és a pálya With Structure\n"
    "szakaszába másolható listát (palya_elemek.txt). Kiírja az állapotszöveget, a\n"
    "szükséges textúrákat és a lista útvonalát. Hosszak méterben, \".\" tizedesjellel.\n"
    "Magyar elemnevek: agyazat (bed), toltes-bal/-jobb (dike), bevagas-bal/-jobb\n"
    "(cutting), tamfal-bal/-jobb (wall), terep (ground). A -o egy elem és egy sugár\n"
    "fájlját nevezi meg.\n"
    "\n",
    "Usage: kestrane track [OPTIONS]\n"
    "\n"
    "Writes a track kit into the current folder: one file per piece and radius\n"
    "(PIECE_RADIUS.b3d, e.g. bed_300.b3d, dike-left_-1250.5.b3d), bent beforehand\n"
    "so that the blocks of that radius join exactly, and a list to paste into the\n"
    "route's With Structure section (track_structures.txt). Prints the status, the\n"
    "bitmaps needed and the list's path. Lengths in metres, \".\" as decimal point.\n"
    "-o names the file of a kit of one piece and one radius.\n"
    "\n"};

std::string Describe(const OptionRun<TrackInput>& run, const TrackResult& result, UiLanguage language)
{
    const std::string status = result.status + "\n" + TextureListText(result.textures, language) + "\n" +
                               LocalText{"Elemlista: ", "Structure list: "}(language) + result.structureList.string();
    return WithWrittenTextures(status, run, result.textures, textures::TextureOwner::Track, language);
}

}  // namespace

int RunTrack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunGenerator(TrackOptions(), "track", kTrackHelpStart, args, out, err, GenerateTrackKit, Describe);
}

}  // namespace kestrane::cli

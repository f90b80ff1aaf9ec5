// The track kit: one B3D file per piece and radius, bent beforehand so that
// the simulator's blocks of that radius join exactly, and the structure
// list of a route that uses them.
#pragma once

#include "core/errors.h"
#include "track/track_mesh.h"
#include "track/track_params.h"

#include <filesystem>
#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace kestrane {

// "bed_300.b3d", "toltes-bal_-1250.5.b3d": the piece's name in `language`
// and the radius with up to three decimals, no trailing zeros.
std::string TrackFileName(TrackPiece piece, double radius, UiLanguage language);
// "300", "-1250.5", "0".
std::string RadiusText(double radius);
// The structure list's name: "track_structures.txt" / "palya_elemek.txt".
std::string TrackStructureListName(UiLanguage language);

// Checks that no bend has its centre inside a piece (|R| larger than the
// piece's farthest x plus 1 m) and that a cant keeps the ballast on the
// formation; throws InputError naming the field.
void CheckTrackKit(const TrackParams& p, UiLanguage language);

// The bent mesh of one piece, as written.
TrackMesh TrackPieceMesh(TrackPiece piece, const TrackParams& p, double radius);

// Writes one piece's file in `format`; returns its vertex count.
std::size_t WriteTrackPiece(const std::filesystem::path& path, TrackPiece piece, const TrackParams& p, double radius,
                            UiLanguage language, ObjectFormat format = ObjectFormat::B3d);

// The structure list's text: "With Structure" lines numbered in the order
// of the radii, with comments saying which index is which radius and piece.
// Cuttings and retaining walls share WallL/WallR: the walls' indices follow
// the cuttings'. `files` are the file names, radius after radius, piece
// after piece.
std::string TrackStructureList(const TrackParams& p, const std::vector<std::string>& files, UiLanguage language);

// What a structure list names: the block length and, radius after radius,
// the files of each radius.
struct TrackStructureFiles {
    double blockLength = 25.0;
    std::vector<std::pair<double, std::vector<std::string>>> radii;
};
// Reads a structure list as TrackStructureList writes it (in either
// language); nullopt for a text that is not one.
std::optional<TrackStructureFiles> ReadTrackStructureList(const std::string& text);
// Whether `path` names a structure list: "track_structures.txt" or
// "palya_elemek.txt".
bool IsTrackStructureList(const std::filesystem::path& path);

struct TrackResult {
    std::vector<std::string> files;          // the object files, radius after radius, piece after piece
    std::filesystem::path structureList;     // where the structure list was written
    std::string status;                      // the status text of a finished generation
    std::vector<GenerationWarning> warnings; // a piece over the simulator's vertex limit
    std::vector<std::string> textures;       // the bitmaps the kit loads, in the order of first use
};

// The whole generation: reads the inputs (throws InputError before anything
// is written), writes every piece and the structure list into `folder`
// (throws OutputError; the files go in place together, so a failure leaves
// every earlier file as it was). A non-empty `fileName` names the one
// file of a kit of one piece and one radius; for a larger kit it is refused.
// In another format than B3D the pieces take its ending ("bed_300.csv"),
// and the structure list names them so.
TrackResult GenerateTrackKit(const TrackInput& input, UiLanguage language, const std::filesystem::path& folder = {},
                             const std::string& fileName = {});

}  // namespace kestrane

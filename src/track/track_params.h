// The inputs of a track kit as typed, and the checked values the
// generator works with.
#pragma once

#include "b3d/object_format.h"
#include "core/types.h"
#include "track/track_textures.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace kestrane {

// The pieces of a kit. The left versions are the right ones mirrored in x.
enum class TrackPiece { Bed, DikeLeft, DikeRight, CuttingLeft, CuttingRight, WallLeft, WallRight, Ground };
inline constexpr std::size_t kTrackPieceCount = 8;

struct TrackPieceRow {
    TrackPiece piece;
    const char* key;        // the name in --pieces and in English file names: "dike-left"
    const char* hungarian;  // the name in Hungarian file names: "toltes-bal"
    const char* structure;  // the route's structure command: "DikeL"
    bool left;              // mirrored in x
};

// One row per piece, in the order of TrackPiece.
const std::array<TrackPieceRow, kTrackPieceCount>& TrackPieceTable();
inline const TrackPieceRow& PieceRow(TrackPiece piece) { return TrackPieceTable()[static_cast<std::size_t>(piece)]; }

// The kit's inputs exactly as typed (metres unless named otherwise); the
// defaults are the kit's.
struct TrackInput {
    std::string radii = "0";                      // metres, signed (right +), comma-separated
    std::string pieces = "bed,dike-left,dike-right";  // piece keys, or "all"
    std::string blockLength = "25";
    std::string tolerance = "5";     // millimetres
    std::string overlap = "0";
    std::string textureWidth = "0";  // 0: every surface's own width is one image
    std::string formation = "3";     // half-width
    std::string formationDepth = "0.6";
    std::string slope = "1.5";       // horizontal per vertical
    std::string apron = "2";
    std::string ballastWidth = "3.4";
    std::string sleepers = "0.65";   // spacing; 0: none
    bool rails = true;
    std::string gauge = "1.435";
    std::string cant = "0";          // millimetres
    std::string dikeHeight = "3";
    std::string ditchWidth = "1.2";
    std::string ditchDepth = "0.4";
    std::string cuttingHeight = "3";
    std::string wallHeight = "3";
    std::string wallThickness = "0.4";
    std::string groundWidth = "50";
    std::array<std::string, kTrackElementCount> textures{};  // empty: the default bitmap
    bool writeTextures = false;  // the starter bitmaps beside the kit (the front ends write them)
    ObjectFormat format = ObjectFormat::B3d;  // the pieces' files (object_format.h)

    friend bool operator==(const TrackInput&, const TrackInput&) = default;
};

// The window caption of a typed field ("Nyomtáv" / "Gauge"), as a refusal
// names it; empty for a member that is not a typed field.
std::string TrackFieldCaption(const std::string TrackInput::*text, UiLanguage language);
// How the captions of the texture fields start: "Textúra " / "Texture "
// ("Texture ballast").
std::string TrackTextureCaptionStart(UiLanguage language);

// The checked values, in metres (the cant and the tolerance too).
struct TrackParams {
    std::vector<double> radii;
    std::vector<TrackPiece> pieces;
    double blockLength = 25.0;
    double tolerance = 0.005;
    double overlap = 0.0;
    double textureWidth = 0.0;
    double formation = 3.0;
    double formationDepth = 0.6;
    double slope = 1.5;
    double apron = 2.0;
    double ballastWidth = 3.4;
    double sleeperSpacing = 0.65;
    bool rails = true;
    double gauge = 1.435;
    double cant = 0.0;
    double dikeHeight = 3.0;
    double ditchWidth = 1.2;
    double ditchDepth = 0.4;
    double cuttingHeight = 3.0;
    double wallHeight = 3.0;
    double wallThickness = 0.4;
    double groundWidth = 50.0;
    std::array<std::string, kTrackElementCount> textures{};  // the bitmaps in use
};

// A length for names and messages: up to three decimals, no trailing
// zeros ("300", "-1250.5", "0.65").
std::string TrackNumberText(double value);

// Reads and checks every input; throws InputError naming the field (its
// caption in `language`) before anything is written.
TrackParams ReadTrackParams(const TrackInput& input, UiLanguage language);

}  // namespace kestrane

// The drawings of the starter textures. Each is drawn by code from a fixed
// seed, so the same bytes come out on every run and machine. The ones whose
// mapping repeats are periodic: every pattern and noise in them repeats
// exactly across the picture, so the last column continues into the first
// and the bottom row into the top.
#pragma once

#include "textures/bitmap_image.h"

#include <string_view>

namespace kestrane::textures {

enum class Drawing {
    Plaster,        // house walls: plaster with a darker plinth band at the bottom
    GableBoards,    // gable parts: horizontal weatherboards
    RoofTiles,      // roof: rows of overlapping clay tiles
    GutterMetal,    // soffit, gutters and downpipe: galvanised sheet
    ChimneyBrick,   // chimney: bricks in stretcher bond
    Window,         // a window by day: frame, glazing bars, glass with a reflection
    LitWindow,      // the same window at night: warm light behind the glass
    Door,           // a plank door with a brace and a handle
    Grass,          // terrain: meadow grass
    Ballast,        // track bed: broken stone
    SleeperWood,    // sleepers: weathered wood grain along the sleeper
    RailSteel,      // rails: rusty steel with a bright running band along it
    GrassSlope,     // embankment slopes: rougher, drier grass
    RockCutting,    // cuttings: cracked rock
    RetainingWall,  // retaining walls: stone blocks in courses
    Checker,        // a name the set does not know: a grey checker with the name on it
};

inline constexpr int kTextureSide = 256;

// Whether the drawing's mapping repeats across faces (gutters, terrain,
// track pieces): such drawings are seamless.
bool IsSeamless(Drawing drawing);

// Draws `drawing`; `label` is the name written on a Checker.
BitmapImage Draw(Drawing drawing, std::string_view label = {});

}  // namespace kestrane::textures

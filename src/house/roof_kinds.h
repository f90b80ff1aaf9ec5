// The roof kinds of the house builder as one table: each kind's option
// name, the file it is written to, the main window's controls it enables,
// and its roof button. Adding a roof form is one row here plus its geometry.
#pragma once

#include "core/types.h"

#include <span>
#include <string_view>

namespace kestrane {

// In the order of the table (RoofKinds()).
enum class RoofKind { Pitched, Hip, Pyramid, Flat, Lean, HalfHipped, Gambrel, Mansard, Saltbox };

// Which roof-dependent controls of the main window a roof kind enables.
struct ControlEnabling {
    bool roofEdge = true;          // flat roof rim (lt_koszoru)
    bool gutters = true;           // gutters box (Ereszcsatorna)
    bool hipDepth = true;          // hip depth (tkoEdit)
    bool overhang = true;          // overhang (tleEdit)
    bool cornerLeft = true;        // left corner wall (Sbal)
    bool cornerRight = true;       // right corner wall (Sjobb)
    bool cornerSize = true;        // corner wall size (SarokfalEdit)
    bool roofLevelTexture = true;  // roof-level texture (tetoszint)
    // The parameters of the roof forms, enabled only for their own form.
    bool clipHeight = false;   // kmaEdit
    bool kneeHeight = false;   // tmgEdit
    bool kneeInset = false;    // tbeEdit
    bool ridgeOffset = false;  // gelEdit
};

struct RoofKindRow {
    RoofKind kind;
    const char* option;       // --roof and the preset member "roof": "pitched"
    bool form;                // one of the roof forms after the five classic roofs
    LocalText fileName;       // the object's file name without ".b3d"
    ControlEnabling enabling;
    const char* button;       // the main window's roof button (its object name)
    LocalText caption;        // the button's caption
    LocalText hint;           // the button's hint; none (null) for the classic roofs
};

// Every roof kind, in the order of RoofKind.
std::span<const RoofKindRow> RoofKinds();
const RoofKindRow& RoofKindOf(RoofKind kind);
// The row whose option name is `option`, or null.
const RoofKindRow* FindRoofKind(std::string_view option);

inline ControlEnabling EnablingFor(RoofKind kind) { return RoofKindOf(kind).enabling; }

}  // namespace kestrane

#include "house/roof_kinds.h"

namespace kestrane {

namespace {

// The file names are fixed texts: their spellings, casing and blanks are
// kept byte for byte ("House_piched", "haz_lean").
constexpr RoofKindRow kRoofKinds[] = {
    {RoofKind::Pitched, "pitched", false, {"haz_nyeregteto", "House_piched"},
     {.roofEdge = false, .hipDepth = false},
     "Nyeregteto", {"Nyeregtető", "Piched roof"}, {nullptr, nullptr}},
    {RoofKind::Hip, "hip", false, {"haz_kontyoltteto", "House_hip"},
     {.roofEdge = false, .roofLevelTexture = false},
     "Kontyoltteto", {"Kontyolt tető", "Hip roof"}, {nullptr, nullptr}},
    {RoofKind::Pyramid, "pyramid", false, {"haz_satorteto", "House_pyramid"},
     {.roofEdge = false, .hipDepth = false, .roofLevelTexture = false},
     "satorteto", {"Sátortető", "Pyramid roof"}, {nullptr, nullptr}},
    {RoofKind::Flat, "flat", false, {"haz_laposteto", "House_flat"},
     {.gutters = false, .hipDepth = false, .overhang = false, .cornerLeft = false, .cornerRight = false,
      .cornerSize = false, .roofLevelTexture = false},
     "laposteto", {"Lapostető", "Flat roof"}, {nullptr, nullptr}},
    {RoofKind::Lean, "lean", false, {"haz_felteto", "haz_lean"},
     {.roofEdge = false, .hipDepth = false, .cornerLeft = false, .cornerRight = false, .cornerSize = false},
     "Felteto", {"Féltető", "Lean roof"}, {nullptr, nullptr}},
    {RoofKind::HalfHipped, "half-hipped", true, {"haz_felkontyoltteto", "House_halfhip"},
     {.roofEdge = false, .hipDepth = false, .clipHeight = true},
     "Csonkakonty", {"Félkontyos", "Half-hipped"},
     {"Félkontyos (csonkakontyos) nyeregtető: az oromfalak tetejét kis konty zárja",
      "Half-hipped roof: a small hip clips the top of each gable"}},
    {RoofKind::Gambrel, "gambrel", true, {"haz_tortnyeregteto", "House_gambrel"},
     {.roofEdge = false, .hipDepth = false, .kneeHeight = true, .kneeInset = true},
     "Tortnyereg", {"Tört nyereg", "Gambrel"},
     {"Tört nyeregtető: két lejtő oldalanként, az alsó meredekebb",
      "Gambrel roof: two slopes on each side, the lower one steeper"}},
    {RoofKind::Mansard, "mansard", true, {"haz_manzardteto", "House_mansard"},
     {.roofEdge = false, .hipDepth = false, .roofLevelTexture = false, .kneeHeight = true, .kneeInset = true},
     "Manzardteto", {"Manzárd", "Mansard"},
     {"Manzárdtető: tört tető mind a négy oldalon", "Mansard roof: a gambrel on all four sides"}},
    {RoofKind::Saltbox, "saltbox", true, {"haz_eltoltnyeregteto", "House_saltbox"},
     {.roofEdge = false, .hipDepth = false, .ridgeOffset = true},
     "Eltoltnyereg", {"Eltolt gerinc", "Saltbox"},
     {"Eltolt gerincű nyeregtető: az egyik lejtő hosszabb", "Saltbox roof: the ridge off centre, one slope long"}},
};

constexpr bool InKindOrder()
{
    for (std::size_t i = 0; i < std::size(kRoofKinds); ++i)
        if (static_cast<std::size_t>(kRoofKinds[i].kind) != i)
            return false;
    return true;
}
static_assert(InKindOrder(), "the rows follow the order of RoofKind");

}  // namespace

std::span<const RoofKindRow> RoofKinds() { return kRoofKinds; }

const RoofKindRow& RoofKindOf(RoofKind kind) { return kRoofKinds[static_cast<std::size_t>(kind)]; }

const RoofKindRow* FindRoofKind(std::string_view option)
{
    for (const RoofKindRow& row : kRoofKinds)
        if (option == row.option)
            return &row;
    return nullptr;
}

}  // namespace kestrane

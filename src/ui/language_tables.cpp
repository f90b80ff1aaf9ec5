#include "ui/language_tables.h"

#include "house/roof_kinds.h"

#include <QAbstractButton>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <vector>

namespace kestrane::ui {

namespace {

// Main window, captions.
constexpr UiText kMainCaptions[] = {
    {"Focim", "Kestrane házépítő program", "House building program"},
    {"AlapadatLabel", "Alapadatok", "Base date"},
    {"AlapLabel", "Alapterület", "Base"},
    {"Unitlabel", "Méretek milliméterben", "Dimensions in mm"},
    {"szLabel", "Szélesség", "Width"},
    {"hoLabel", "Hosszúság", "Length"},
    {"maLabel", "Magasság", "Height"},
    {"tetolabel", "Tető", "Roof"},
    {"tmlabel", "Tetőmagasság", "Roof heigh"},
    {"tetulabel", "Tető túlnyúlás", "Overhang"},
    {"tekolabel", "Tető kontyolás", "Roof depth"},
    {"kmaLabel", "Konty mag.", "Clip height"},
    {"tmaLabel", "Törés mag.", "Knee height"},
    {"tbeLabel", "Törés beh.", "Knee inset"},
    {"gelLabel", "Gerinc elt.", "Ridge offset"},
    {"Ereszcsatorna", "Ereszcsatorna", "Gutter"},
    {"lt_koszoru", "Tetőkoszorú", "Roof edge"},
    {"tetoszint", "Tetőszint textúra", "Roof level texture"},
    {"Kemenycimke", "Kémény", "Chimney"},
    {"kemenylabel", "Kémény méret:", "Chimney size:"},
    {"X_kpoz", "X pozíció", "X position"},
    {"Z_kpoz", "Z pozíció", "Z position"},
    {"Felj_no", "Lépcsőfok", "Stair No"},
    {"felj_label", "Feljáró", "Stair"},
    {"felj_elol", "Elöl", "Front"},
    {"felj_oldalt", "Oldalt", "Side"},
    {"Felj_sarok", "Sarok", "Cornel"},
    {"lepszlabel", "Szélesség", "Width"},
    {"lepholabel", "Hosszúság", "Length"},
    {"lepmalabel", "Magasság", "Height"},
    {"legyenes", "Egyenes", "Paralell"},
    {"keszito", "Készítette:", "Made by:"},
    {"Button1", "Generálás", "Generate"},
    {"fszinchk", "Fal színe", "Wall color"},
    {"tszinchk", "Tető színe", "Roof color"},
    {"kszinchk", "Kémény színe", "Chimney color"},
    {"lszinchk", "Feljáró színe", "Stair color"},
    {"eltLabel", "Eltolás", "Offset"},
    {"SarokLabel", "Sarok", "Corner"},
    {"Sbal", "Bal", "Left"},
    {"Sjobb", "Jobb", "Right"},
    {"terepgomb", "Terepépítő modul", "Area builder module"},
    {"trackKitButton", "Pályakészlet", "Track kit"},
    {"elonezetgomb", "Előnézet", "Preview"},
    {"presetLabel", "Előbeállítás", "Preset"},
    {"savePresetButton", "Mentés…", "Save…"},
    {"loadPresetButton", "Betöltés…", "Load…"},
};

// Main window, hints.
constexpr UiText kMainHints[] = {
    {"fszEdit", "Fal szélessége", "Body width"},
    {"fhoEdit", "Fal hosszuság (mélység)", "Body length"},
    {"fmaEdit", "Fal magasság", "Body height"},
    {"OffsXEdit", "X offszet", "X offset"},
    {"OffsYEdit", "Y offszet", "Y offset"},
    {"OffsZEdit", "Z offszet", "Z offset"},
    {"Sbal", "Sarokfal a bal oldalon", "Cornel wall in left side"},
    {"Sjobb", "Sarokfal a jobb oldalon", "Cornel wall in right side"},
    {"SarokfalEdit", "Sarokfal mérete", "Cornel wall size"},
    {"fszinchk", "Falszín használata", "Use wall color"},
    {"tszinchk", "Tetőszín használata", "Use roof color"},
    {"kszinchk", "Kéményszín használata", "Use chimney color"},
    {"lszinchk", "Lépcsőszín használata", "Use stair color"},
    {"Ereszcsatorna", "Készítsen ereszcsatornát", "Make gutters"},
    {"lt_koszoru", "Készítsen tetőkoszorút Lapostető esetén", "Make roof wreath"},
    {"tetoszint", "Tetőszint saját textúrával rendelkezik", "Roof lever have different texture"},
    {"Kemenymeret", "Kémény méret", "Chimney size"},
    {"kpozx", "Kémény X pozíció", "Chimney X position"},
    {"kpozz", "Kémény Z pozíció", "Chimney Z position"},
    {"Lepn", "Lépcsőfokok száma", "Stairs number"},
    {"Lepe", "Lépcső helyzete elöl", "Stairs position in front"},
    {"Lepo", "Lépcső helyzete oldalt", "Stairs position in side"},
    {"Leps", "Sarokfeljáró helyzete", "Stairs position in cornel"},
    {"legyenes", "Lépcső kivitele", "Stairs format"},
    {"lesz", "Lépcsőfok szélessége", "Stairs step width"},
    {"leho", "Lépcsőfok hossza", "Stairs length"},
    {"lema", "Lépcsőfok magassága", "Stairs step height"},
    {"rfScrollBar", "Falszín vörös csatornája", "Wall color red channel"},
    {"gfScrollBar", "Falszín zöld csatornája", "Wall color green channel"},
    {"bfScrollBar", "Falszín kék csatornája", "Wall color blue channel"},
    {"rkScrollBar", "Kéményszín vörös csatornája", "Chimney color red channel"},
    {"gkScrollBar", "Kéményszín zöld csatornája", "Chimney color green channel"},
    {"bkScrollBar", "Kéményszín kék csatornája", "Chimney color blue channel"},
    {"rtScrollBar", "Tetőszín vörös csatornája", "Roof color red channel"},
    {"gtScrollBar", "Tetőszín zöld csatornája", "Roof color green channel"},
    {"btScrollBar", "Tetőszín kék csatornája", "Roof color blue channel"},
    {"rlScrollBar", "Lépcsőszín vörös csatornája", "Stair color red channel"},
    {"glScrollBar", "Lépcsőszín zöld csatornája", "Stair color green channel"},
    {"blScrollBar", "Lépcsőszín kék csatornája", "Stair color blue channel"},
    {"falszinpanel", "Falszín minta", "Wall color sample"},
    {"tetoszinpanel", "Tetőszín minta", "Roof color sample"},
    {"kemenyszinPanel", "Kéményszín minta", "Chimney color sample"},
    {"lepcsoszinPanel", "Lépcsőszín minta", "Stair color sample"},
    {"en_Button", "Váltás angol nyelvre / Switch to english language",
     "Váltás angol nyelvre / Switch to english language"},
    {"hu_Button", "Váltás magyar nyelvre / Switch to hungarian language",
     "Váltás magyar nyelvre / Switch to hungarian language"},
    {"Button1", "B3d fájl létrehozása", "Generate B3d file"},
    {"terepgomb", "Terepépítő modul létrehozása", "Run area builder"},
    {"trackKitButton", "Pályakészlet: ágyazat, töltések, bevágások, támfalak ívenként",
     "Track kit: beds, embankments, cuttings and walls for every radius"},
    {"elonezetgomb", "Az utoljára generált objektum megtekintése", "Show the last generated object"},
    {"savePresetButton", "Előbeállítás mentése…: az ablak minden adata egy JSON-fájlba",
     "Save preset…: every input of the window into a JSON file"},
    {"loadPresetButton", "Előbeállítás betöltése…: az ablak minden adata egy JSON-fájlból",
     "Load preset…: every input of the window from a JSON file"},
    {"kmaEdit", "A konty magassága a gerinctől lefelé, mm (üresen: a tető magasságának harmada, rövid háznál kevesebb)",
     "The clip's height from the ridge down, mm (empty: a third of the roof's rise, less on a short house)"},
    {"tmgEdit", "A törés magassága a talajtól, mm (üresen: a falak és a tető magasságának 60 %-a, vagy több, ha az alsó lejtő laposabb lenne)",
     "The knee's height above the ground, mm (empty: the walls and 60 % of the roof's rise, or more where the lower slope would be the flatter)"},
    {"tbeEdit", "A törés távolsága a faltól befelé, mm (üresen: a szélesség hatoda, manzárdnál a rövidebb oldalé)",
     "The knee's distance inside the walls, mm (empty: a sixth of the width, for the mansard of the shorter side)"},
    {"gelEdit", "A gerinc távolsága a középtől a bal fal felé, mm; negatív: jobbra (üresen: a szélesség hatoda)",
     "The ridge's distance from the centre towards the left wall, mm; negative: right (empty: a sixth of the width)"},
};

// Area builder window, captions.
constexpr UiText kAreaCaptions[] = {
    {kAreaWindowName, "Terepépítő modul", "Area builder"},
    {"GenButton", "Generálás", "Generate"},
    {"D_alapter", "Alapterület", "Area"},
    {"D_felbont", "Felbontás", "Resolution"},
    {"D_eltolas", "Ofszet", "Offset"},
    {"D_emel", "Lejtés", "Gradient"},
    {"fszinchk", "Terepszín", "Area color"},
    {"Kanyarlabel", "Kanyar", "Curve"},
    {"D_Csucsok", "Csúcsok", "Peaks"},
    {"D_csucsokx", "X pozíció", "X pos."},
    {"D_csucsoky", "Z pozíció", "Z pos."},
    {"D_csucsokz", "Y magasság", "Y peak"},
    {"D_csucsokc", "Szélesség", "Width"},
    {"D_szin", "Szín", "Color"},
    {"elonezetgomb", "Előnézet", "Preview"},
    {"presetLabel", "Előbeállítás", "Preset"},
    {"savePresetButton", "Mentés…", "Save…"},
    {"loadPresetButton", "Betöltés…", "Load…"},
    {"szimchk", "Szimulátor-elrendezés", "Simulator layout"},
    {"CsempeLabel", "L", "L"},
    {"ketoldaluchk", "Kétoldalú", "Two-sided"},
    {"DomborzatGomb", "Domborzat", "Heightmap"},
    {"DomborzatFajlLabel", "Domborzati fájl", "Heightmap file"},
    {"DomborzatOrigoLabel", "Domborzat origó", "Heightmap origin"},
    {"MagassagSzorzoLabel", "Magasság szorzó", "Height scale"},
    {"MagassagEltolasLabel", "Magasság eltolás", "Height offset"},
    {"CellameretLabel", "Cellaméret", "Pixel size"},
    {"HeightmapMapOriginCheck", "Térképi", "Map coords"},
};

// Area builder window, hints.
constexpr UiText kAreaHints[] = {
    {"GenButton", "B3d fájl generálása", "Generate B3d file"},
    {"elonezetgomb", "Az utoljára generált objektum megtekintése", "Show the last generated object"},
    {"savePresetButton", "Előbeállítás mentése…: az ablak minden adata egy JSON-fájlba",
     "Save preset…: every input of the window into a JSON file"},
    {"loadPresetButton", "Előbeállítás betöltése…: az ablak minden adata egy JSON-fájlból",
     "Load preset…: every input of the window from a JSON file"},
    {"tereppanel", "Terepszín minta", "Area color sample"},
    {"szinminta", "Klikk = alkalmaz", "Click = apply"},
    {"rtScrollBar", "Terepszín vörös csatorna", "Area color red channel"},
    {"gtScrollBar", "Terepszín zöld csatorna", "Area color green channel"},
    {"btScrollBar", "Terepszín kék csatorna", "Area color blue channel"},
    {"dombxedit", "Szélessége", "Width"},
    {"dombzedit", "Hosszúság", "Length"},
    {"xbontEdit", "X felbontás", "X resolution"},
    {"zbontedit", "Z felbontás", "Z resolution"},
    {"OffsXEdit", "Objektum X eltolás", "Object x offset"},
    {"OffsYEdit", "Objektum Y eltolás", "Object y offset"},
    {"OffsZEdit", "Objektum Z eltolás", "Object z offset"},
    {"Lejtxedit", "X lejtés", "X gradient"},
    {"Lejtzedit", "Z lejtés", "Z gradient"},
    {"KanyarXedit", "Kanyar X rácspozíció (fordulási pont)", "Curve X position"},
    {"KanyarZ1edit", "Kanyar kezdő rácspozíció", "Curve start position"},
    {"KanyarZ2edit", "Kanyar vég rácspozíció", "Curve end position"},
    {"TexturaEdit", "Terep textúrája", "Texture name"},
    {"d#1", "X pozíció", "X position"},
    {"d#2", "Z pozíció", "Z position"},
    {"d#3", "Csúcs magassága", "Peak height"},
    {"d#4", "Szélesség", "Object width"},
    {"Panel#", "Terepszín minta", "Color sample"},
    {"rScrollBar", "Szín vörös csatorna", "Color red channel"},
    {"gScrollBar", "Szín zöld csatorna", "Color green channel"},
    {"bScrollBar", "Szín kék csatorna", "Color blue channel"},
    {"szimchk",
     "Színenként egy szakasz közös csúcspontokkal, csempékre vágva a szimulátor korlátai szerint (domb_tiles.txt)",
     "One section per colour with shared vertices, cut into tiles within the simulator's limits (domb_tiles.txt)"},
    {"csempeEdit", "Csempehossz Z irányban, méterben (egy blokk: 25); 0: nincs",
     "Tile length along Z in metres (a block: 25); 0: none"},
    {"ketoldaluchk",
     "Kétoldalú lapok (Face2) a felülről látható egyoldalú talaj helyett (kisebb szakaszok, lassabb betöltés)",
     "Two-sided faces (Face2) in place of one-sided ground seen from above (smaller sections, slower loading)"},
    {"DomborzatGomb", "Domborzati adat (magasságtérkép) a terep alá", "Elevation data (a heightmap) under the terrain"},
    {"DomborzatEdit", "Domborzati fájl: GeoTIFF, ESRI ASCII rács, SRTM .hgt, 16 bites PNG",
     "Heightmap file: GeoTIFF, ESRI ASCII grid, SRTM .hgt, 16-bit PNG"},
    {"DomborzatTallozo", "Domborzati fájl kiválasztása", "Choose a heightmap file"},
    {"DomborzatOrigoXEdit", "A terep első pontja a raszter délnyugati sarkától keletre, méterben",
     "The terrain's first node, metres east of the raster's south-west corner"},
    {"DomborzatOrigoZEdit", "A terep első pontja a raszter délnyugati sarkától északra, méterben",
     "The terrain's first node, metres north of the raster's south-west corner"},
    {"MagassagSzorzoEdit", "A raszter értékéből méter: ennyiszerese", "Metres per raster value"},
    {"MagassagEltolasEdit", "Minden magassághoz hozzáadva, méterben", "Metres added to every height"},
    {"CellameretEdit", "Méter cellánként; üres: a fájlban megadott", "Metres per raster cell; empty: the file's own"},
    {"HeightmapMapOriginCheck",
     "Az origó a raszter térképi koordinátáiban (keleti, északi koordináta vagy hosszúság, szélesség fokban)",
     "The origin in the raster's map coordinates (easting, northing, or longitude, latitude in degrees)"},
};

// Area builder window, hints that do not depend on the language.
constexpr UiText kAreaFixedHints[] = {
    {"D_alapter", "Objektum mérete méterben", "Objektum mérete méterben"},
    {"D_felbont", "Rácskockák száma max 100x1000", "Rácskockák száma max 100x1000"},
    {"D_eltolas", "Objektum nullpontjának helye", "Objektum nullpontjának helye"},
    {"D_emel", "Lejtés (+/-)méter. A két lejtés összeadódik.",
     "Lejtés (+/-)méter. A két lejtés összeadódik."},
    {"D_Csucsok", "Felszíni dombok. Negatív szám esetén völgyek",
     "Felszíni dombok. Negatív szám esetén völgyek"},
    {"Kanyarlabel", "Felszíni dombok. Negatív szám esetén völgyek",
     "Felszíni dombok. Negatív szám esetén völgyek"},
    {"D_csucsokx", "Tartomány= 1 -  X pozíció", "Tartomány= 1 -  X pozíció"},
    {"D_csucsoky", "Tartomány= 1 -  Z pozíció", "Tartomány= 1 -  Z pozíció"},
    {"D_csucsokz", "Relatív csúcs/gödör", "Relatív csúcs/gödör"},
    {"D_csucsokc", "0=nincs, 1 a leghegyesebb. nagyobb szám: szélesebb",
     "0=nincs, 1 a leghegyesebb. nagyobb szám: szélesebb"},
    {"D_szin", "klikk: edit", "klikk: edit"},
    {"fszinchk", "Terep alapszín bekapcsolása", "Terep alapszín bekapcsolása"},
};

constexpr PlacementTable kFrontSide = {{
    {"Nincs", "None"},
    {"Bal oldalt", "Left side"},
    {"Középen", "Center"},
    {"Jobb oldalt", "Right side"},
}};

constexpr PlacementTable kCorner = {{
    {"Nincs", "None"},
    {"Bal oldalt", "Left side"},
    {"Két oldalt", "Both"},
    {"Jobb oldalt", "Right side"},
}};

constexpr const char* kChimneySizes[] = {
    "Kémény nincs", "Kémény méret: 1", "Kémény méret: 2", "Kémény méret: 3", "Kémény méret: 4",
};

// Main window, the facade area: captions and hints.
constexpr UiText kFacadeCaptions[] = {
    {"homlokzatchk", "Homlokzat", "Facades"},
    {"homlokzatLabel", "Homlokzat", "Facades"},
    {"szintLabel", "Szintek", "Storeys"},
    {"szintmaLabel", "Szintmagasság", "Storey height"},
    {"ablakLabel", "Ablakok", "Windows"},
    {"ablakdbLabel", "Darab", "Count"},
    {"ablakszLabel", "Szél.", "Width"},
    {"ablakmaLabel", "Mag.", "Height"},
    {"parapetLabel", "Parapet", "Sill"},
    {"ablakElol", "Elöl", "Front"},
    {"ablakJobb", "Jobb", "Right"},
    {"ablakHatul", "Hátul", "Back"},
    {"ablakBal", "Bal", "Left"},
    {"ajtoLabel", "Ajtók", "Doors"},
    {"ajtoszLabel", "Szél.", "Width"},
    {"ajtomaLabel", "Mag.", "Height"},
    {"ajtohelyLabel", "Helyzet", "Position"},
    {"ajtochk", "Elöl", "Front"},
    {"oldalajtochk", "Oldalt", "Side"},
    {"ablaktexLabel", "Ablak textúra", "Window texture"},
    {"ajtotexLabel", "Ajtó textúra", "Door texture"},
    {"keretchk", "Keretek és párkányok", "Frames and sills"},
    {"vilagitchk", "Világító ablakok (%)", "Lit windows (%)"},
    {"vilagitmagLabel", "Mag", "Seed"},
    {"ablakszinchk", "Ablak színe", "Window color"},
    {"ajtoszinchk", "Ajtó színe", "Door color"},
};

constexpr UiText kFacadeHints[] = {
    {"homlokzatchk", "Szintek, ablakok és ajtók a falakon", "Storeys, windows and doors on the walls"},
    {"szintEdit", "Szintek száma", "Number of storeys"},
    {"szintmaEdit", "Szintmagasság (üresen: a falmagasság a szintek között elosztva)", "Storey height (empty: the wall height shared by the storeys)"},
    {"ablakElol", "Ablakok elöl", "Windows in front"},
    {"ablakJobb", "Ablakok jobb oldalon", "Windows on the right"},
    {"ablakHatul", "Ablakok hátul", "Windows at the back"},
    {"ablakBal", "Ablakok bal oldalon", "Windows on the left"},
    {"ablakElolDb", "Ablakok száma szintenként", "Windows per storey"},
    {"ablakElolSz", "Ablak szélessége", "Window width"},
    {"ablakElolMa", "Ablak magassága", "Window height"},
    {"ablakElolPa", "Parapet magassága a szint padlója fölött", "Sill height above the storey's floor"},
    {"ablakJobbDb", "Ablakok száma szintenként", "Windows per storey"},
    {"ablakJobbSz", "Ablak szélessége", "Window width"},
    {"ablakJobbMa", "Ablak magassága", "Window height"},
    {"ablakJobbPa", "Parapet magassága a szint padlója fölött", "Sill height above the storey's floor"},
    {"ablakHatulDb", "Ablakok száma szintenként", "Windows per storey"},
    {"ablakHatulSz", "Ablak szélessége", "Window width"},
    {"ablakHatulMa", "Ablak magassága", "Window height"},
    {"ablakHatulPa", "Parapet magassága a szint padlója fölött", "Sill height above the storey's floor"},
    {"ablakBalDb", "Ablakok száma szintenként", "Windows per storey"},
    {"ablakBalSz", "Ablak szélessége", "Window width"},
    {"ablakBalMa", "Ablak magassága", "Window height"},
    {"ablakBalPa", "Parapet magassága a szint padlója fölött", "Sill height above the storey's floor"},
    {"ajtochk", "Ajtó az elülső falon", "A door on the front wall"},
    {"oldalajtochk", "Ajtó egy oldalsó vagy a hátsó falon", "A door on a side wall or the back wall"},
    {"ajtoSz", "Ajtó szélessége", "Door width"},
    {"ajtoMa", "Ajtó magassága", "Door height"},
    {"ajtoHely", "Az ajtó közepe a fal közepétől jobbra (kívülről nézve)", "The door centre right of the wall's middle (seen from outside)"},
    {"oldalajtoSz", "Ajtó szélessége", "Door width"},
    {"oldalajtoMa", "Ajtó magassága", "Door height"},
    {"oldalajtoHely", "Az ajtó közepe a fal közepétől jobbra (kívülről nézve)", "The door centre right of the wall's middle (seen from outside)"},
    {"oldalajtoFal", "Az oldalajtó fala", "The wall of the side door"},
    {"ablaktexEdit", "Az ablakok bitmapje (üresen: ablak.bmp / window.bmp)", "The windows' bitmap (empty: ablak.bmp / window.bmp)"},
    {"ajtotexEdit", "Az ajtók bitmapje (üresen: ajto.bmp / door.bmp)", "The doors' bitmap (empty: ajto.bmp / door.bmp)"},
    {"keretchk", "Kiemelkedő keret a nyílások körül, párkány az ablakok alatt", "Raised frames round the openings, sills under the windows"},
    {"vilagitchk", "Az ablakok ennyi százaléka világít éjjel", "This share of the windows glows at night"},
    {"vilagitEdit", "Világító ablakok aránya százalékban", "Share of lit windows in percent"},
    {"vilagitmagEdit", "Ugyanaz a mag mindig ugyanazokat az ablakokat világítja", "The same seed always lights the same windows"},
    {"ablakszinchk", "Szín az ablak bitmapje helyett", "A colour instead of the window bitmap"},
    {"ablakszinEdit", "Az ablakok színe: R,G,B (0-255)", "The windows' colour: R,G,B (0-255)"},
    {"ajtoszinchk", "Szín az ajtó bitmapje helyett", "A colour instead of the door bitmap"},
    {"ajtoszinEdit", "Az ajtók színe: R,G,B (0-255)", "The doors' colour: R,G,B (0-255)"},
};

// The walls the side door can stand on, in the order of its list.
constexpr LocalText kSideDoorWalls[] = {{"Bal", "Left"}, {"Jobb", "Right"}, {"Hátul", "Back"}};

void ApplyOne(QWidget& window, const QString& name, const QString& text, TextRole role)
{
    QWidget* target = name == window.objectName() ? &window : window.findChild<QWidget*>(name);
    if (!target) {
        qWarning("language table names a missing control: %s", qPrintable(name));
        return;
    }
    if (role == TextRole::Hint) {
        target->setToolTip(text);
    } else if (target == &window) {
        target->setWindowTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setText(text);
    } else {
        qWarning("language table gives a caption to a control without one: %s", qPrintable(name));
    }
}

// A main window table with the rows of the roof buttons from the roof
// kinds' table.
std::vector<UiText> WithRoofButtons(std::span<const UiText> rows, LocalText RoofKindRow::*text)
{
    std::vector<UiText> table(rows.begin(), rows.end());
    for (const RoofKindRow& row : RoofKinds()) {
        const LocalText& own = row.*text;
        if (own.hu)
            table.push_back({row.button, own.hu, own.en});
    }
    return table;
}

}  // namespace

std::span<const UiText> MainWindowCaptions()
{
    static const std::vector<UiText> table = WithRoofButtons(kMainCaptions, &RoofKindRow::caption);
    return table;
}
std::span<const UiText> MainWindowHints()
{
    static const std::vector<UiText> table = WithRoofButtons(kMainHints, &RoofKindRow::hint);
    return table;
}

std::span<const UiText> FacadeAreaCaptions() { return kFacadeCaptions; }
std::span<const UiText> FacadeAreaHints() { return kFacadeHints; }
std::span<const LocalText> SideDoorWalls() { return kSideDoorWalls; }
std::span<const UiText> AreaWindowCaptions() { return kAreaCaptions; }
std::span<const UiText> AreaWindowHints() { return kAreaHints; }
std::span<const UiText> AreaWindowFixedHints() { return kAreaFixedHints; }

const PlacementTable& FrontSidePlacements() { return kFrontSide; }
const PlacementTable& CornerPlacements() { return kCorner; }

const char* ChimneySizeText(int position)
{
    if (position < 0 || position > 4)
        position = 0;
    return kChimneySizes[position];
}

void ApplyTexts(QWidget& window, std::span<const UiText> table, UiLanguage language, TextRole role)
{
    for (const UiText& row : table) {
        const QString name = QString::fromUtf8(row.control);
        const QString text = QString::fromUtf8(row(language));
        if (name.contains(u'#')) {
            for (int k = 1; k <= 8; ++k)
                ApplyOne(window, QString(name).replace(u'#', QString::number(k)), text, role);
        } else {
            ApplyOne(window, name, text, role);
        }
    }
}

}  // namespace kestrane::ui

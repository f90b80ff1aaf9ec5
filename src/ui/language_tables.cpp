#include "ui/language_tables.h"

#include "house/roof_kinds.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <map>
#include <utility>
#include <vector>

namespace kestrane::ui {

namespace {

// Every caption and hint of the windows: the part of a window a row
// belongs to, whether it is a caption or a hint, the control, its texts.
struct TextRow {
    TextPart part;
    TextRole role;
    UiText text;
};

using enum TextPart;
using enum TextRole;

constexpr TextRow kTexts[] = {
    // Main window.
    {MainWindow, Caption, {"Focim", "Kestrane házépítő program", "House building program"}},
    {MainWindow, Caption, {"AlapadatLabel", "Alapadatok", "Base date"}},
    {MainWindow, Caption, {"AlapLabel", "Alapterület", "Base"}},
    {MainWindow, Caption, {"Unitlabel", "Méretek milliméterben", "Dimensions in mm"}},
    {MainWindow, Caption, {"szLabel", "Szélesség", "Width"}},
    {MainWindow, Caption, {"hoLabel", "Hosszúság", "Length"}},
    {MainWindow, Caption, {"maLabel", "Magasság", "Height"}},
    {MainWindow, Caption, {"tetolabel", "Tető", "Roof"}},
    {MainWindow, Caption, {"tmlabel", "Tetőmagasság", "Roof heigh"}},
    {MainWindow, Caption, {"tetulabel", "Tető túlnyúlás", "Overhang"}},
    {MainWindow, Caption, {"tekolabel", "Tető kontyolás", "Roof depth"}},
    {MainWindow, Caption, {"kmaLabel", "Konty mag.", "Clip height"}},
    {MainWindow, Caption, {"tmaLabel", "Törés mag.", "Knee height"}},
    {MainWindow, Caption, {"tbeLabel", "Törés beh.", "Knee inset"}},
    {MainWindow, Caption, {"gelLabel", "Gerinc elt.", "Ridge offset"}},
    {MainWindow, Caption, {"Ereszcsatorna", "Ereszcsatorna", "Gutter"}},
    {MainWindow, Caption, {"lt_koszoru", "Tetőkoszorú", "Roof edge"}},
    {MainWindow, Caption, {"tetoszint", "Tetőszint textúra", "Roof level texture"}},
    {MainWindow, Caption, {"Kemenycimke", "Kémény", "Chimney"}},
    {MainWindow, Caption, {"kemenylabel", "Kémény méret:", "Chimney size:"}},
    {MainWindow, Caption, {"X_kpoz", "X pozíció", "X position"}},
    {MainWindow, Caption, {"Z_kpoz", "Z pozíció", "Z position"}},
    {MainWindow, Caption, {"Felj_no", "Lépcsőfok", "Stair No"}},
    {MainWindow, Caption, {"felj_label", "Feljáró", "Stair"}},
    {MainWindow, Caption, {"felj_elol", "Elöl", "Front"}},
    {MainWindow, Caption, {"felj_oldalt", "Oldalt", "Side"}},
    {MainWindow, Caption, {"Felj_sarok", "Sarok", "Cornel"}},
    {MainWindow, Caption, {"lepszlabel", "Szélesség", "Width"}},
    {MainWindow, Caption, {"lepholabel", "Hosszúság", "Length"}},
    {MainWindow, Caption, {"lepmalabel", "Magasság", "Height"}},
    {MainWindow, Caption, {"legyenes", "Egyenes", "Paralell"}},
    {MainWindow, Caption, {"keszito", "Készítette:", "Made by:"}},
    {MainWindow, Caption, {"Button1", "Generálás", "Generate"}},
    {MainWindow, Caption, {"fszinchk", "Fal színe", "Wall color"}},
    {MainWindow, Caption, {"tszinchk", "Tető színe", "Roof color"}},
    {MainWindow, Caption, {"kszinchk", "Kémény színe", "Chimney color"}},
    {MainWindow, Caption, {"lszinchk", "Feljáró színe", "Stair color"}},
    {MainWindow, Caption, {"eltLabel", "Eltolás", "Offset"}},
    {MainWindow, Caption, {"SarokLabel", "Sarok", "Corner"}},
    {MainWindow, Caption, {"Sbal", "Bal", "Left"}},
    {MainWindow, Caption, {"Sjobb", "Jobb", "Right"}},
    {MainWindow, Caption, {"terepgomb", "Terepépítő modul", "Area builder module"}},
    {MainWindow, Caption, {"trackKitButton", "Pályakészlet", "Track kit"}},
    {MainWindow, Caption, {"elonezetgomb", "Előnézet", "Preview"}},
    {MainWindow, Caption, {"presetLabel", "Előbeállítás", "Preset"}},
    {MainWindow, Hint, {"fszEdit", "Fal szélessége", "Body width"}},
    {MainWindow, Hint, {"fhoEdit", "Fal hosszuság (mélység)", "Body length"}},
    {MainWindow, Hint, {"fmaEdit", "Fal magasság", "Body height"}},
    {MainWindow, Hint, {"OffsXEdit", "X offszet", "X offset"}},
    {MainWindow, Hint, {"OffsYEdit", "Y offszet", "Y offset"}},
    {MainWindow, Hint, {"OffsZEdit", "Z offszet", "Z offset"}},
    {MainWindow, Hint, {"Sbal", "Sarokfal a bal oldalon", "Cornel wall in left side"}},
    {MainWindow, Hint, {"Sjobb", "Sarokfal a jobb oldalon", "Cornel wall in right side"}},
    {MainWindow, Hint, {"SarokfalEdit", "Sarokfal mérete", "Cornel wall size"}},
    {MainWindow, Hint, {"fszinchk", "Falszín használata", "Use wall color"}},
    {MainWindow, Hint, {"tszinchk", "Tetőszín használata", "Use roof color"}},
    {MainWindow, Hint, {"kszinchk", "Kéményszín használata", "Use chimney color"}},
    {MainWindow, Hint, {"lszinchk", "Lépcsőszín használata", "Use stair color"}},
    {MainWindow, Hint, {"Ereszcsatorna", "Készítsen ereszcsatornát", "Make gutters"}},
    {MainWindow, Hint, {"lt_koszoru", "Készítsen tetőkoszorút Lapostető esetén", "Make roof wreath"}},
    {MainWindow, Hint, {"tetoszint", "Tetőszint saját textúrával rendelkezik", "Roof lever have different texture"}},
    {MainWindow, Hint, {"Kemenymeret", "Kémény méret", "Chimney size"}},
    {MainWindow, Hint, {"kpozx", "Kémény X pozíció", "Chimney X position"}},
    {MainWindow, Hint, {"kpozz", "Kémény Z pozíció", "Chimney Z position"}},
    {MainWindow, Hint, {"Lepn", "Lépcsőfokok száma", "Stairs number"}},
    {MainWindow, Hint, {"Lepe", "Lépcső helyzete elöl", "Stairs position in front"}},
    {MainWindow, Hint, {"Lepo", "Lépcső helyzete oldalt", "Stairs position in side"}},
    {MainWindow, Hint, {"Leps", "Sarokfeljáró helyzete", "Stairs position in cornel"}},
    {MainWindow, Hint, {"legyenes", "Lépcső kivitele", "Stairs format"}},
    {MainWindow, Hint, {"lesz", "Lépcsőfok szélessége", "Stairs step width"}},
    {MainWindow, Hint, {"leho", "Lépcsőfok hossza", "Stairs length"}},
    {MainWindow, Hint, {"lema", "Lépcsőfok magassága", "Stairs step height"}},
    {MainWindow, Hint, {"rfScrollBar", "Falszín vörös csatornája", "Wall color red channel"}},
    {MainWindow, Hint, {"gfScrollBar", "Falszín zöld csatornája", "Wall color green channel"}},
    {MainWindow, Hint, {"bfScrollBar", "Falszín kék csatornája", "Wall color blue channel"}},
    {MainWindow, Hint, {"rkScrollBar", "Kéményszín vörös csatornája", "Chimney color red channel"}},
    {MainWindow, Hint, {"gkScrollBar", "Kéményszín zöld csatornája", "Chimney color green channel"}},
    {MainWindow, Hint, {"bkScrollBar", "Kéményszín kék csatornája", "Chimney color blue channel"}},
    {MainWindow, Hint, {"rtScrollBar", "Tetőszín vörös csatornája", "Roof color red channel"}},
    {MainWindow, Hint, {"gtScrollBar", "Tetőszín zöld csatornája", "Roof color green channel"}},
    {MainWindow, Hint, {"btScrollBar", "Tetőszín kék csatornája", "Roof color blue channel"}},
    {MainWindow, Hint, {"rlScrollBar", "Lépcsőszín vörös csatornája", "Stair color red channel"}},
    {MainWindow, Hint, {"glScrollBar", "Lépcsőszín zöld csatornája", "Stair color green channel"}},
    {MainWindow, Hint, {"blScrollBar", "Lépcsőszín kék csatornája", "Stair color blue channel"}},
    {MainWindow, Hint, {"falszinpanel", "Falszín minta", "Wall color sample"}},
    {MainWindow, Hint, {"tetoszinpanel", "Tetőszín minta", "Roof color sample"}},
    {MainWindow, Hint, {"kemenyszinPanel", "Kéményszín minta", "Chimney color sample"}},
    {MainWindow, Hint, {"lepcsoszinPanel", "Lépcsőszín minta", "Stair color sample"}},
    {MainWindow, Hint, {"en_Button", "Váltás angol nyelvre / Switch to english language", "Váltás angol nyelvre / Switch to english language"}},
    {MainWindow, Hint, {"hu_Button", "Váltás magyar nyelvre / Switch to hungarian language", "Váltás magyar nyelvre / Switch to hungarian language"}},
    {MainWindow, Hint, {"Button1", "B3d fájl létrehozása", "Generate B3d file"}},
    {MainWindow, Hint, {"terepgomb", "Terepépítő modul létrehozása", "Run area builder"}},
    {MainWindow, Hint, {"trackKitButton", "Pályakészlet: ágyazat, töltések, bevágások, támfalak ívenként", "Track kit: beds, embankments, cuttings and walls for every radius"}},
    {MainWindow, Hint, {"elonezetgomb", "Az utoljára generált objektum megtekintése", "Show the last generated object"}},
    {MainWindow, Hint, {"kmaEdit", "A konty magassága a gerinctől lefelé, mm (üresen: a tető magasságának harmada, rövid háznál kevesebb)", "The clip's height from the ridge down, mm (empty: a third of the roof's rise, less on a short house)"}},
    {MainWindow, Hint, {"tmgEdit", "A törés magassága a talajtól, mm (üresen: a falak és a tető magasságának 60 %-a, vagy több, ha az alsó lejtő laposabb lenne)", "The knee's height above the ground, mm (empty: the walls and 60 % of the roof's rise, or more where the lower slope would be the flatter)"}},
    {MainWindow, Hint, {"tbeEdit", "A törés távolsága a faltól befelé, mm (üresen: a szélesség hatoda, manzárdnál a rövidebb oldalé)", "The knee's distance inside the walls, mm (empty: a sixth of the width, for the mansard of the shorter side)"}},
    {MainWindow, Hint, {"gelEdit", "A gerinc távolsága a középtől a bal fal felé, mm; negatív: jobbra (üresen: a szélesség hatoda)", "The ridge's distance from the centre towards the left wall, mm; negative: right (empty: a sixth of the width)"}},
    // Main window, the facade area.
    {FacadeArea, Caption, {"homlokzatchk", "Homlokzat", "Facades"}},
    {FacadeArea, Caption, {"homlokzatLabel", "Homlokzat", "Facades"}},
    {FacadeArea, Caption, {"szintLabel", "Szintek", "Storeys"}},
    {FacadeArea, Caption, {"szintmaLabel", "Szintmagasság", "Storey height"}},
    {FacadeArea, Caption, {"ablakLabel", "Ablakok", "Windows"}},
    {FacadeArea, Caption, {"ablakdbLabel", "Darab", "Count"}},
    {FacadeArea, Caption, {"ablakszLabel", "Szél.", "Width"}},
    {FacadeArea, Caption, {"ablakmaLabel", "Mag.", "Height"}},
    {FacadeArea, Caption, {"parapetLabel", "Parapet", "Sill"}},
    {FacadeArea, Caption, {"ablakElol", "Elöl", "Front"}},
    {FacadeArea, Caption, {"ablakJobb", "Jobb", "Right"}},
    {FacadeArea, Caption, {"ablakHatul", "Hátul", "Back"}},
    {FacadeArea, Caption, {"ablakBal", "Bal", "Left"}},
    {FacadeArea, Caption, {"ajtoLabel", "Ajtók", "Doors"}},
    {FacadeArea, Caption, {"ajtoszLabel", "Szél.", "Width"}},
    {FacadeArea, Caption, {"ajtomaLabel", "Mag.", "Height"}},
    {FacadeArea, Caption, {"ajtohelyLabel", "Helyzet", "Position"}},
    {FacadeArea, Caption, {"ajtochk", "Elöl", "Front"}},
    {FacadeArea, Caption, {"oldalajtochk", "Oldalt", "Side"}},
    {FacadeArea, Caption, {"ablaktexLabel", "Ablak textúra", "Window texture"}},
    {FacadeArea, Caption, {"ajtotexLabel", "Ajtó textúra", "Door texture"}},
    {FacadeArea, Caption, {"keretchk", "Keretek és párkányok", "Frames and sills"}},
    {FacadeArea, Caption, {"vilagitchk", "Világító ablakok (%)", "Lit windows (%)"}},
    {FacadeArea, Caption, {"vilagitmagLabel", "Mag", "Seed"}},
    {FacadeArea, Caption, {"ablakszinchk", "Ablak színe", "Window color"}},
    {FacadeArea, Caption, {"ajtoszinchk", "Ajtó színe", "Door color"}},
    {FacadeArea, Hint, {"homlokzatchk", "Szintek, ablakok és ajtók a falakon", "Storeys, windows and doors on the walls"}},
    {FacadeArea, Hint, {"szintEdit", "Szintek száma", "Number of storeys"}},
    {FacadeArea, Hint, {"szintmaEdit", "Szintmagasság (üresen: a falmagasság a szintek között elosztva)", "Storey height (empty: the wall height shared by the storeys)"}},
    {FacadeArea, Hint, {"ablakElol", "Ablakok elöl", "Windows in front"}},
    {FacadeArea, Hint, {"ablakJobb", "Ablakok jobb oldalon", "Windows on the right"}},
    {FacadeArea, Hint, {"ablakHatul", "Ablakok hátul", "Windows at the back"}},
    {FacadeArea, Hint, {"ablakBal", "Ablakok bal oldalon", "Windows on the left"}},
    {FacadeArea, Hint, {"ablakElolDb", "Ablakok száma szintenként", "Windows per storey"}},
    {FacadeArea, Hint, {"ablakElolSz", "Ablak szélessége", "Window width"}},
    {FacadeArea, Hint, {"ablakElolMa", "Ablak magassága", "Window height"}},
    {FacadeArea, Hint, {"ablakElolPa", "Parapet magassága a szint padlója fölött", "Sill height above the storey's floor"}},
    {FacadeArea, Hint, {"ablakJobbDb", "Ablakok száma szintenként", "Windows per storey"}},
    {FacadeArea, Hint, {"ablakJobbSz", "Ablak szélessége", "Window width"}},
    {FacadeArea, Hint, {"ablakJobbMa", "Ablak magassága", "Window height"}},
    {FacadeArea, Hint, {"ablakJobbPa", "Parapet magassága a szint padlója fölött", "Sill height above the storey's floor"}},
    {FacadeArea, Hint, {"ablakHatulDb", "Ablakok száma szintenként", "Windows per storey"}},
    {FacadeArea, Hint, {"ablakHatulSz", "Ablak szélessége", "Window width"}},
    {FacadeArea, Hint, {"ablakHatulMa", "Ablak magassága", "Window height"}},
    {FacadeArea, Hint, {"ablakHatulPa", "Parapet magassága a szint padlója fölött", "Sill height above the storey's floor"}},
    {FacadeArea, Hint, {"ablakBalDb", "Ablakok száma szintenként", "Windows per storey"}},
    {FacadeArea, Hint, {"ablakBalSz", "Ablak szélessége", "Window width"}},
    {FacadeArea, Hint, {"ablakBalMa", "Ablak magassága", "Window height"}},
    {FacadeArea, Hint, {"ablakBalPa", "Parapet magassága a szint padlója fölött", "Sill height above the storey's floor"}},
    {FacadeArea, Hint, {"ajtochk", "Ajtó az elülső falon", "A door on the front wall"}},
    {FacadeArea, Hint, {"oldalajtochk", "Ajtó egy oldalsó vagy a hátsó falon", "A door on a side wall or the back wall"}},
    {FacadeArea, Hint, {"ajtoSz", "Ajtó szélessége", "Door width"}},
    {FacadeArea, Hint, {"ajtoMa", "Ajtó magassága", "Door height"}},
    {FacadeArea, Hint, {"ajtoHely", "Az ajtó közepe a fal közepétől jobbra (kívülről nézve)", "The door centre right of the wall's middle (seen from outside)"}},
    {FacadeArea, Hint, {"oldalajtoSz", "Ajtó szélessége", "Door width"}},
    {FacadeArea, Hint, {"oldalajtoMa", "Ajtó magassága", "Door height"}},
    {FacadeArea, Hint, {"oldalajtoHely", "Az ajtó közepe a fal közepétől jobbra (kívülről nézve)", "The door centre right of the wall's middle (seen from outside)"}},
    {FacadeArea, Hint, {"oldalajtoFal", "Az oldalajtó fala", "The wall of the side door"}},
    {FacadeArea, Hint, {"ablaktexEdit", "Az ablakok bitmapje (üresen: ablak.bmp / window.bmp)", "The windows' bitmap (empty: ablak.bmp / window.bmp)"}},
    {FacadeArea, Hint, {"ajtotexEdit", "Az ajtók bitmapje (üresen: ajto.bmp / door.bmp)", "The doors' bitmap (empty: ajto.bmp / door.bmp)"}},
    {FacadeArea, Hint, {"keretchk", "Kiemelkedő keret a nyílások körül, párkány az ablakok alatt", "Raised frames round the openings, sills under the windows"}},
    {FacadeArea, Hint, {"vilagitchk", "Az ablakok ennyi százaléka világít éjjel", "This share of the windows glows at night"}},
    {FacadeArea, Hint, {"vilagitEdit", "Világító ablakok aránya százalékban", "Share of lit windows in percent"}},
    {FacadeArea, Hint, {"vilagitmagEdit", "Ugyanaz a mag mindig ugyanazokat az ablakokat világítja", "The same seed always lights the same windows"}},
    {FacadeArea, Hint, {"ablakszinchk", "Szín az ablak bitmapje helyett", "A colour instead of the window bitmap"}},
    {FacadeArea, Hint, {"ablakszinEdit", "Az ablakok színe: R,G,B (0-255)", "The windows' colour: R,G,B (0-255)"}},
    {FacadeArea, Hint, {"ajtoszinchk", "Szín az ajtó bitmapje helyett", "A colour instead of the door bitmap"}},
    {FacadeArea, Hint, {"ajtoszinEdit", "Az ajtók színe: R,G,B (0-255)", "The doors' colour: R,G,B (0-255)"}},
    // Area builder window.
    {AreaBuilder, Caption, {kAreaWindowName, "Terepépítő modul", "Area builder"}},
    {AreaBuilder, Caption, {"GenButton", "Generálás", "Generate"}},
    {AreaBuilder, Caption, {"D_alapter", "Alapterület", "Area"}},
    {AreaBuilder, Caption, {"D_felbont", "Felbontás", "Resolution"}},
    {AreaBuilder, Caption, {"D_eltolas", "Ofszet", "Offset"}},
    {AreaBuilder, Caption, {"D_emel", "Lejtés", "Gradient"}},
    {AreaBuilder, Caption, {"fszinchk", "Terepszín", "Area color"}},
    {AreaBuilder, Caption, {"Kanyarlabel", "Kanyar", "Curve"}},
    {AreaBuilder, Caption, {"D_Csucsok", "Csúcsok", "Peaks"}},
    {AreaBuilder, Caption, {"D_csucsokx", "X pozíció", "X pos."}},
    {AreaBuilder, Caption, {"D_csucsoky", "Z pozíció", "Z pos."}},
    {AreaBuilder, Caption, {"D_csucsokz", "Y magasság", "Y peak"}},
    {AreaBuilder, Caption, {"D_csucsokc", "Szélesség", "Width"}},
    {AreaBuilder, Caption, {"D_szin", "Szín", "Color"}},
    {AreaBuilder, Caption, {"elonezetgomb", "Előnézet", "Preview"}},
    {AreaBuilder, Caption, {"presetLabel", "Előbeállítás", "Preset"}},
    {AreaBuilder, Caption, {"szimchk", "Szimulátor-elrendezés", "Simulator layout"}},
    {AreaBuilder, Caption, {"CsempeLabel", "L", "L"}},
    {AreaBuilder, Caption, {"ketoldaluchk", "Kétoldalú", "Two-sided"}},
    {AreaBuilder, Caption, {"DomborzatGomb", "Domborzat", "Heightmap"}},
    {AreaBuilder, Caption, {"DomborzatFajlLabel", "Domborzati fájl", "Heightmap file"}},
    {AreaBuilder, Caption, {"DomborzatOrigoLabel", "Domborzat origó", "Heightmap origin"}},
    {AreaBuilder, Caption, {"MagassagSzorzoLabel", "Magasság szorzó", "Height scale"}},
    {AreaBuilder, Caption, {"MagassagEltolasLabel", "Magasság eltolás", "Height offset"}},
    {AreaBuilder, Caption, {"CellameretLabel", "Cellaméret", "Pixel size"}},
    {AreaBuilder, Caption, {"HeightmapMapOriginCheck", "Térképi", "Map coords"}},
    {AreaBuilder, Hint, {"GenButton", "B3d fájl generálása", "Generate B3d file"}},
    {AreaBuilder, Hint, {"elonezetgomb", "Az utoljára generált objektum megtekintése", "Show the last generated object"}},
    {AreaBuilder, Hint, {"tereppanel", "Terepszín minta", "Area color sample"}},
    {AreaBuilder, Hint, {"szinminta", "Klikk = alkalmaz", "Click = apply"}},
    {AreaBuilder, Hint, {"rtScrollBar", "Terepszín vörös csatorna", "Area color red channel"}},
    {AreaBuilder, Hint, {"gtScrollBar", "Terepszín zöld csatorna", "Area color green channel"}},
    {AreaBuilder, Hint, {"btScrollBar", "Terepszín kék csatorna", "Area color blue channel"}},
    {AreaBuilder, Hint, {"dombxedit", "Szélessége", "Width"}},
    {AreaBuilder, Hint, {"dombzedit", "Hosszúság", "Length"}},
    {AreaBuilder, Hint, {"xbontEdit", "X felbontás", "X resolution"}},
    {AreaBuilder, Hint, {"zbontedit", "Z felbontás", "Z resolution"}},
    {AreaBuilder, Hint, {"OffsXEdit", "Objektum X eltolás", "Object x offset"}},
    {AreaBuilder, Hint, {"OffsYEdit", "Objektum Y eltolás", "Object y offset"}},
    {AreaBuilder, Hint, {"OffsZEdit", "Objektum Z eltolás", "Object z offset"}},
    {AreaBuilder, Hint, {"Lejtxedit", "X lejtés", "X gradient"}},
    {AreaBuilder, Hint, {"Lejtzedit", "Z lejtés", "Z gradient"}},
    {AreaBuilder, Hint, {"KanyarXedit", "Kanyar X rácspozíció (fordulási pont)", "Curve X position"}},
    {AreaBuilder, Hint, {"KanyarZ1edit", "Kanyar kezdő rácspozíció", "Curve start position"}},
    {AreaBuilder, Hint, {"KanyarZ2edit", "Kanyar vég rácspozíció", "Curve end position"}},
    {AreaBuilder, Hint, {"TexturaEdit", "Terep textúrája", "Texture name"}},
    {AreaBuilder, Hint, {"d#1", "X pozíció", "X position"}},
    {AreaBuilder, Hint, {"d#2", "Z pozíció", "Z position"}},
    {AreaBuilder, Hint, {"d#3", "Csúcs magassága", "Peak height"}},
    {AreaBuilder, Hint, {"d#4", "Szélesség", "Object width"}},
    {AreaBuilder, Hint, {"Panel#", "Terepszín minta", "Color sample"}},
    {AreaBuilder, Hint, {"rScrollBar", "Szín vörös csatorna", "Color red channel"}},
    {AreaBuilder, Hint, {"gScrollBar", "Szín zöld csatorna", "Color green channel"}},
    {AreaBuilder, Hint, {"bScrollBar", "Szín kék csatorna", "Color blue channel"}},
    {AreaBuilder, Hint, {"szimchk", "Színenként egy szakasz közös csúcspontokkal, csempékre vágva a szimulátor korlátai szerint (domb_tiles.txt)", "One section per colour with shared vertices, cut into tiles within the simulator's limits (domb_tiles.txt)"}},
    {AreaBuilder, Hint, {"csempeEdit", "Csempehossz Z irányban, méterben (egy blokk: 25); 0: nincs", "Tile length along Z in metres (a block: 25); 0: none"}},
    {AreaBuilder, Hint, {"ketoldaluchk", "Kétoldalú lapok (Face2) a felülről látható egyoldalú talaj helyett (kisebb szakaszok, lassabb betöltés)", "Two-sided faces (Face2) in place of one-sided ground seen from above (smaller sections, slower loading)"}},
    {AreaBuilder, Hint, {"DomborzatGomb", "Domborzati adat (magasságtérkép) a terep alá", "Elevation data (a heightmap) under the terrain"}},
    {AreaBuilder, Hint, {"DomborzatEdit", "Domborzati fájl: GeoTIFF, ESRI ASCII rács, SRTM .hgt, 16 bites PNG", "Heightmap file: GeoTIFF, ESRI ASCII grid, SRTM .hgt, 16-bit PNG"}},
    {AreaBuilder, Hint, {"DomborzatTallozo", "Domborzati fájl kiválasztása", "Choose a heightmap file"}},
    {AreaBuilder, Hint, {"DomborzatOrigoXEdit", "A terep első pontja a raszter délnyugati sarkától keletre, méterben", "The terrain's first node, metres east of the raster's south-west corner"}},
    {AreaBuilder, Hint, {"DomborzatOrigoZEdit", "A terep első pontja a raszter délnyugati sarkától északra, méterben", "The terrain's first node, metres north of the raster's south-west corner"}},
    {AreaBuilder, Hint, {"MagassagSzorzoEdit", "A raszter értékéből méter: ennyiszerese", "Metres per raster value"}},
    {AreaBuilder, Hint, {"MagassagEltolasEdit", "Minden magassághoz hozzáadva, méterben", "Metres added to every height"}},
    {AreaBuilder, Hint, {"CellameretEdit", "Méter cellánként; üres: a fájlban megadott", "Metres per raster cell; empty: the file's own"}},
    {AreaBuilder, Hint, {"HeightmapMapOriginCheck", "Az origó a raszter térképi koordinátáiban (keleti, északi koordináta vagy hosszúság, szélesség fokban)", "The origin in the raster's map coordinates (easting, northing, or longitude, latitude in degrees)"}},
    // Area builder window, hints that do not depend on the language.
    {AreaBuilder, Hint, {"D_alapter", "Objektum mérete méterben", "Objektum mérete méterben"}},
    {AreaBuilder, Hint, {"D_felbont", "Rácskockák száma max 100x1000", "Rácskockák száma max 100x1000"}},
    {AreaBuilder, Hint, {"D_eltolas", "Objektum nullpontjának helye", "Objektum nullpontjának helye"}},
    {AreaBuilder, Hint, {"D_emel", "Lejtés (+/-)méter. A két lejtés összeadódik.", "Lejtés (+/-)méter. A két lejtés összeadódik."}},
    {AreaBuilder, Hint, {"D_Csucsok", "Felszíni dombok. Negatív szám esetén völgyek", "Felszíni dombok. Negatív szám esetén völgyek"}},
    {AreaBuilder, Hint, {"Kanyarlabel", "Felszíni dombok. Negatív szám esetén völgyek", "Felszíni dombok. Negatív szám esetén völgyek"}},
    {AreaBuilder, Hint, {"D_csucsokx", "Tartomány= 1 -  X pozíció", "Tartomány= 1 -  X pozíció"}},
    {AreaBuilder, Hint, {"D_csucsoky", "Tartomány= 1 -  Z pozíció", "Tartomány= 1 -  Z pozíció"}},
    {AreaBuilder, Hint, {"D_csucsokz", "Relatív csúcs/gödör", "Relatív csúcs/gödör"}},
    {AreaBuilder, Hint, {"D_csucsokc", "0=nincs, 1 a leghegyesebb. nagyobb szám: szélesebb", "0=nincs, 1 a leghegyesebb. nagyobb szám: szélesebb"}},
    {AreaBuilder, Hint, {"D_szin", "klikk: edit", "klikk: edit"}},
    {AreaBuilder, Hint, {"fszinchk", "Terep alapszín bekapcsolása", "Terep alapszín bekapcsolása"}},
    // Track kit window (the group boxes' titles among the captions).
    {TrackKit, Caption, {"TrackWindow", "Pályakészlet", "Track kit"}},
    {TrackKit, Caption, {"railsCheck", "Sínek", "Rails"}},
    {TrackKit, Caption, {"previewRadiusLabel", "Sugár (m)", "Radius (m)"}},
    {TrackKit, Caption, {"previewBlocksLabel", "Blokkok", "Blocks"}},
    {TrackKit, Caption, {"previewButton", "Előnézet", "Preview"}},
    {TrackKit, Caption, {"generateButton", "Generálás", "Generate"}},
    {TrackKit, Caption, {"piecesGroup", "Elemek", "Pieces"}},
    {TrackKit, Caption, {"kitGroup", "Készlet", "Kit"}},
    {TrackKit, Caption, {"texturesGroup", "Textúrák (üres: alapértelmezett)", "Bitmaps (empty: the default)"}},
    {TrackKit, Caption, {"formationGroup", "Planum és rézsűk", "Formation and slopes"}},
    {TrackKit, Caption, {"bedGroup", "Ágyazat (Rail)", "Bed (Rail)"}},
    {TrackKit, Caption, {"dikeGroup", "Töltés (DikeL/DikeR)", "Embankment (DikeL/DikeR)"}},
    {TrackKit, Caption, {"cuttingGroup", "Bevágás (WallL/WallR)", "Cutting (WallL/WallR)"}},
    {TrackKit, Caption, {"wallGroup", "Támfal (WallL/WallR)", "Retaining wall (WallL/WallR)"}},
    {TrackKit, Caption, {"groundGroup", "Terep (Ground)", "Ground (Ground)"}},
    {TrackKit, Caption, {"previewGroup", "Előnézet", "Preview"}},
    {TrackKit, Hint, {"railsCheck", "A két sín az ágyazaton (--no-rails: nélkülük)", "The two rails on the bed (--no-rails: without)"}},
    {TrackKit, Hint, {"sectionView", "A keresztmetszet méretarányosan, ahogy be van írva (a bal elemek balra)", "The cross-section to scale, as typed (the left pieces on the left)"}},
    {TrackKit, Hint, {"previewRadiusCombo", "Az előnézet sugara a sugárlistából", "The preview's radius, from the radius list"}},
    {TrackKit, Hint, {"previewBlocksSpin", "Ennyi egymást követő blokk", "This many consecutive blocks"}},
    {TrackKit, Hint, {"previewButton", "Egymást követő blokkok a kijelölt elemekkel, ahogy a szimulátor elhelyezi őket (a húr irányában)", "Consecutive blocks of the chosen pieces, placed as the simulator places them (along the chord)"}},
    {TrackKit, Hint, {"generateButton", "A készlet fájljainak és elemlistájának írása (Enter)", "Writes the kit's files and its structure list (Enter)"}},
    // The output folder line of every window.
    {OutputFolder, Caption, {"kimenetLabel", "Kimeneti mappa:", "Output folder:"}},
    {OutputFolder, Caption, {"kimenetTallozo", "Tallózás…", "Browse…"}},
    {OutputFolder, Caption, {"kimenetMegnyit", "Megnyitás", "Open"}},
    {OutputFolder, Hint, {"kimenetEdit", "Ide kerülnek a generált fájlok", "The generated files go to this folder"}},
    {OutputFolder, Hint, {"kimenetFormatum", "A fájlok formátuma: B3D, a szimulátor CSV objektuma, vagy OBJ és MTL a Blenderhez", "The files' format: B3D, the simulator's CSV object, or OBJ and MTL for Blender"}},
    {OutputFolder, Hint, {"kimenetTallozo", "Másik kimeneti mappa választása", "Choose another output folder"}},
    {OutputFolder, Hint, {"kimenetMegnyit", "A mappa megnyitása a fájlkezelőben", "Show the folder in the file manager"}},
    // The preset buttons of every window.
    {PresetButtons, Caption, {"savePresetButton", "Mentés…", "Save…"}},
    {PresetButtons, Caption, {"loadPresetButton", "Betöltés…", "Load…"}},
    {PresetButtons, Hint, {"savePresetButton", "Előbeállítás mentése…: az ablak minden adata egy JSON-fájlba", "Save preset…: every input of the window into a JSON file"}},
    {PresetButtons, Hint, {"loadPresetButton", "Előbeállítás betöltése…: az ablak minden adata egy JSON-fájlból", "Load preset…: every input of the window from a JSON file"}},
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
    } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
        group->setTitle(text);
    } else {
        qWarning("language table gives a caption to a control without one: %s", qPrintable(name));
    }
}

}  // namespace

std::span<const UiText> WindowTexts(TextPart part, TextRole role)
{
    // One list for each part and role, in the order of the table; the main
    // window's end with the roof buttons' rows of the roof kinds' table.
    static const auto lists = [] {
        std::map<std::pair<TextPart, TextRole>, std::vector<UiText>> made;
        for (const TextRow& row : kTexts)
            made[{row.part, row.role}].push_back(row.text);
        for (const RoofKindRow& kind : RoofKinds()) {
            for (const auto& [kindRole, text] : {std::pair{Caption, &kind.caption}, std::pair{Hint, &kind.hint}})
                if (text->hu)
                    made[{MainWindow, kindRole}].push_back({kind.button, text->hu, text->en});
        }
        return made;
    }();
    const auto found = lists.find({part, role});
    return found == lists.end() ? std::span<const UiText>() : std::span<const UiText>(found->second);
}

const UiText* FindText(TextPart part, TextRole role, std::string_view control)
{
    for (const UiText& row : WindowTexts(part, role))
        if (row.control == control)
            return &row;
    return nullptr;
}

std::span<const LocalText> SideDoorWalls() { return kSideDoorWalls; }

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

void ApplyTexts(QWidget& window, TextPart part, UiLanguage language)
{
    ApplyTexts(window, WindowTexts(part, Caption), language, Caption);
    ApplyTexts(window, WindowTexts(part, Hint), language, Hint);
}

}  // namespace kestrane::ui

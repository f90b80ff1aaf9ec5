#include "ui/language_tables.h"

#include <QAbstractButton>
#include <QLabel>
#include <QString>
#include <QWidget>

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
    {"Nyeregteto", "Nyeregtető", "Piched roof"},
    {"Kontyoltteto", "Kontyolt tető", "Hip roof"},
    {"satorteto", "Sátortető", "Pyramid roof"},
    {"laposteto", "Lapostető", "Flat roof"},
    {"Felteto", "Féltető", "Lean roof"},
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
    {"elonezetgomb", "Előnézet", "Preview"},
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
    {"elonezetgomb", "Az utoljára generált objektum megtekintése", "Show the last generated object"},
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
    {"DomborzatGomb", "Domborzat", "Heightmap"},
    {"DomborzatFajlLabel", "Domborzati fájl", "Heightmap file"},
    {"DomborzatOrigoLabel", "Domborzat origó", "Heightmap origin"},
    {"MagassagSzorzoLabel", "Magasság szorzó", "Height scale"},
    {"MagassagEltolasLabel", "Magasság eltolás", "Height offset"},
    {"CellameretLabel", "Cellaméret", "Pixel size"},
};

// Area builder window, hints.
constexpr UiText kAreaHints[] = {
    {"GenButton", "B3d fájl generálása", "Generate B3d file"},
    {"elonezetgomb", "Az utoljára generált objektum megtekintése", "Show the last generated object"},
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

}  // namespace

std::span<const UiText> MainWindowCaptions() { return kMainCaptions; }
std::span<const UiText> MainWindowHints() { return kMainHints; }
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

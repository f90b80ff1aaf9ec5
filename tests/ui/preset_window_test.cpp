// Presets in both windows: Save preset… writes every input as JSON, Load
// preset… sets them back; a preset read into the window and saved again is
// the same JSON; a refused preset names the member and the window keeps its
// inputs; the command line makes the window's house from a saved preset.
#include "window_test_support.h"

#include "options/preset.h"
#include "support/test_support.h"
#include "ui/area_window.h"
#include "ui/main_window.h"
#include "ui/preset_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

// Answers the preset file dialogs with `path`, recording what was asked.
class FileAnswer {
public:
    explicit FileAnswer(QString path) : previous_(PresetButtons::FileChooser())
    {
        PresetButtons::FileChooser() = [this, path](QWidget*, bool save, const QString& title, const QString& filter) {
            asked << QStringLiteral("%1|%2|%3").arg(save ? "save" : "load", title, filter);
            return path;
        };
    }
    ~FileAnswer() { PresetButtons::FileChooser() = previous_; }
    FileAnswer(const FileAnswer&) = delete;
    FileAnswer& operator=(const FileAnswer&) = delete;

    QStringList asked;

private:
    PresetButtons::Chooser previous_;
};

void Load(const QWidget& window, const QString& path)
{
    FileAnswer answer(path);
    Child<QPushButton>(window, "loadPresetButton")->click();
}

void Save(const QWidget& window, const QString& path)
{
    FileAnswer answer(path);
    Child<QPushButton>(window, "savePresetButton")->click();
}

// A house preset that sets something of every kind of input: texts, a
// roof form, switches, track bars, colours and the facade area. Written as
// a saved preset is.
const char kHousePreset[] =
    "{\n"
    "  \"kind\": \"house\",\n"
    "  \"roof\": \"gambrel\",\n"
    "  \"width\": \"7000\",\n"
    "  \"length\": \"9500\",\n"
    "  \"wall-height\": \"6000\",\n"
    "  \"overhang\": \"300\",\n"
    "  \"knee-height\": \"6500\",\n"
    "  \"knee-inset\": \"900\",\n"
    "  \"offset-y\": \"-250\",\n"
    "  \"corner-left\": true,\n"
    "  \"corner-size\": \"800\",\n"
    "  \"roof-level-texture\": true,\n"
    "  \"no-gutters\": true,\n"
    "  \"chimney-size\": \"3\",\n"
    "  \"chimney-x\": \"1500\",\n"
    "  \"stair-steps\": \"5\",\n"
    "  \"stair-front\": \"3\",\n"
    "  \"stair-side\": \"1\",\n"
    "  \"straight-stairs\": true,\n"
    "  \"roof-color\": \"1,2,3\",\n"
    "  \"stair-color\": \"0,0,255\",\n"
    "  \"storeys\": \"2\",\n"
    "  \"windows\": [\n"
    "    \"front:2\",\n"
    "    \"right:1,900,1000,1000\"\n"
    "  ],\n"
    "  \"door\": \"1000,1900,-1200\",\n"  // on the 1000 mm of the front stairs
    "  \"side-door\": \"back:900,2000,500\",\n"
    "  \"window-texture\": \"win2.bmp\",\n"
    "  \"door-color\": \"40,50,60\",\n"
    "  \"window-frames\": true,\n"
    "  \"lit\": \"40\"\n"
    "}\n";

const char kTerrainPreset[] =
    "{\n"
    "  \"kind\": \"terrain\",\n"
    "  \"area\": \"40,25\",\n"
    "  \"resolution\": \"25,30\",\n"
    "  \"offset\": \"1,-2,3\",\n"
    "  \"texture\": \"grass.bmp\",\n"
    "  \"color\": \"10,20,30\",\n"
    "  \"no-color\": true,\n"
    "  \"peak\": [\n"
    "    \"2,3,4.5,6,255,0,0\",\n"
    "    \"0,0,0,0\",\n"
    "    \"7,8,-1,2\"\n"
    "  ],\n"
    "  \"layout\": \"simulator\",\n"
    "  \"tile-length\": \"25\",\n"
    "  \"heightmap\": \"hills.asc\",\n"
    "  \"heightmap-origin\": \"10,20\",\n"
    "  \"height-scale\": \"0.5\",\n"
    "  \"height-offset\": \"-3\",\n"
    "  \"pixel-size\": \"2\"\n"
    "}\n";

// The buttons lie inside the window and on no other control.
void CheckPlaces(const QWidget& window, QSize size)
{
    QCOMPARE(window.size(), size);
    for (const char* name : {"savePresetButton", "loadPresetButton"}) {
        const QWidget* button = Child<QWidget>(window, name);
        QVERIFY2(!button->geometry().intersects(Child<QWidget>(window, "presetLabel")->geometry()), name);
        QVERIFY2(QRect(QPoint(), size).contains(button->geometry()), name);
        for (const QWidget* other : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            const bool control = qobject_cast<const QAbstractButton*>(other) || qobject_cast<const QLineEdit*>(other) ||
                                 qobject_cast<const QLabel*>(other) || qobject_cast<const QAbstractSlider*>(other);
            if (other != button && control && other->isVisible())
                QVERIFY2(!other->geometry().intersects(button->geometry()), qPrintable(other->objectName()));
        }
    }
}

}  // namespace

class PresetWindowTest : public QObject {
    Q_OBJECT

private slots:
    void buttonsInBothLanguages();
    void houseRoundTrip();
    void terrainRoundTrip();
    void refusedPresetChangesNothing();
    void savedPresetMakesTheSameHouse();
};

void PresetWindowTest::buttonsInBothLanguages()
{
    WindowFolder folder;
    MainWindow form;  // Hungarian without lang.cfg
    form.show();
    CheckPlaces(form, QSize(691, 476));
    QCOMPARE(Child<QLabel>(form, "presetLabel")->text(), QStringLiteral("Előbeállítás"));
    QCOMPARE(Child<QPushButton>(form, "savePresetButton")->text(), QStringLiteral("Mentés…"));
    QCOMPARE(Child<QPushButton>(form, "loadPresetButton")->text(), QStringLiteral("Betöltés…"));
    QCOMPARE(Child<QPushButton>(form, "savePresetButton")->toolTip().section(u':', 0, 0),
             QStringLiteral("Előbeállítás mentése…"));
    form.switchToEnglish();
    QCOMPARE(Child<QLabel>(form, "presetLabel")->text(), QStringLiteral("Preset"));
    QCOMPARE(Child<QPushButton>(form, "savePresetButton")->text(), QStringLiteral("Save…"));
    QCOMPARE(Child<QPushButton>(form, "loadPresetButton")->toolTip().section(u':', 0, 0),
             QStringLiteral("Load preset…"));
    {
        FileAnswer answer{QString()};  // cancelled: nothing happens
        Child<QPushButton>(form, "loadPresetButton")->click();
        QCOMPARE(answer.asked, QStringList{QStringLiteral("load|Load preset…|Presets (*.json)")});
    }
    QVERIFY(folder.reports.empty());

    AreaBuilderWindow area(&form);
    area.show();
    CheckPlaces(area, QSize(741, 351));
    area.applyLanguage(UiLanguage::Hungarian);
    QCOMPARE(Child<QPushButton>(area, "loadPresetButton")->text(), QStringLiteral("Betöltés…"));
    FileAnswer answer{QString()};
    Child<QPushButton>(area, "savePresetButton")->click();
    QCOMPARE(answer.asked, QStringList{QStringLiteral("save|Előbeállítás mentése…|Előbeállítások (*.json)")});
}

void PresetWindowTest::houseRoundTrip()
{
    WindowFolder folder;
    QVERIFY(folder.write("in.json", kHousePreset));
    MainWindow form;
    form.show();
    Load(form, folder.file("in.json"));
    QVERIFY2(folder.reports.empty(), folder.reports.empty() ? "" : qPrintable(folder.reports[0].text));
    // The window shows the preset, the roof form's controls enabled as
    // after its click, the labels following the bars.
    QCOMPARE(Child<QLineEdit>(form, "fszEdit")->text(), QStringLiteral("7000"));
    QVERIFY(Child<QRadioButton>(form, "Tortnyereg")->isChecked());
    QVERIFY(Child<QLineEdit>(form, "tmgEdit")->isEnabled());
    QVERIFY(!Child<QLineEdit>(form, "tkoEdit")->isEnabled());
    QCOMPARE(Child<QLineEdit>(form, "tmgEdit")->text(), QStringLiteral("6500"));
    QVERIFY(!Child<QCheckBox>(form, "Ereszcsatorna")->isChecked());
    QCOMPARE(Child<QLabel>(form, "kemenylabel")->text(), QStringLiteral("Kémény méret: 3"));
    QCOMPARE(Child<QLabel>(form, "Lfoklabel")->text(), QStringLiteral("5"));
    QCOMPARE(Child<QScrollBar>(form, "btScrollBar")->value(), 3);
    QVERIFY(form.useRoofColor() && form.useStairColor() && !form.useWallColor());
    // The facade box open as after its click, its rows filled.
    QVERIFY(Child<QCheckBox>(form, "homlokzatchk")->isChecked());
    QCOMPARE(form.size(), QSize(991, 476));
    QVERIFY(Child<QWidget>(form, "homlokzatPanel")->isEnabled());
    QVERIFY(Child<QCheckBox>(form, "ablakJobb")->isChecked());
    QVERIFY(!Child<QCheckBox>(form, "ablakBal")->isChecked());
    QCOMPARE(Child<QLineEdit>(form, "ablakJobbSz")->text(), QStringLiteral("900"));
    QCOMPARE(Child<QComboBox>(form, "oldalajtoFal")->currentIndex(), 2);
    QVERIFY(Child<QCheckBox>(form, "ajtoszinchk")->isChecked() && !Child<QCheckBox>(form, "ablakszinchk")->isChecked());

    Save(form, folder.file("out.json"));
    QVERIFY(folder.reports.empty());
    QCOMPARE(QString::fromUtf8(folder.read("out.json")), QString::fromUtf8(kHousePreset));

    // A preset that leaves everything out brings back the defaults, and
    // the facades off.
    QVERIFY(folder.write("bare.json", "{\"kind\": \"house\"}"));
    Load(form, folder.file("bare.json"));
    QVERIFY(!Child<QCheckBox>(form, "homlokzatchk")->isChecked());
    QVERIFY(!Child<QWidget>(form, "homlokzatPanel")->isEnabled());
    QVERIFY(Child<QRadioButton>(form, "satorteto")->isChecked());
    QCOMPARE(QString::fromStdString(HousePresetJson(form.houseInput())), QStringLiteral("{\n  \"kind\": \"house\"\n}\n"));
}

void PresetWindowTest::terrainRoundTrip()
{
    WindowFolder folder;
    QVERIFY(folder.write("in.json", kTerrainPreset));
    AreaBuilderWindow area;
    area.applyLanguage(UiLanguage::English);
    area.show();
    Load(area, folder.file("in.json"));
    QVERIFY2(folder.reports.empty(), folder.reports.empty() ? "" : qPrintable(folder.reports[0].text));
    QCOMPARE(Child<QLineEdit>(area, "dombxedit")->text(), QStringLiteral("40"));
    QCOMPARE(Child<QLineEdit>(area, "d13")->text(), QStringLiteral("4.5"));
    QCOMPARE(area.peakColor(1), (ColorRgb{255, 0, 0}));
    QCOMPARE(Child<QLabel>(area, "trl")->text(), QStringLiteral("10"));
    QVERIFY(!Child<QCheckBox>(area, "fszinchk")->isChecked());
    QVERIFY(Child<QCheckBox>(area, "szimchk")->isChecked());
    QVERIFY(Child<QLineEdit>(area, "csempeEdit")->isEnabled());
    // The heightmap line open, with the file's problem shown.
    QVERIFY(area.heightmapOpen());
    QCOMPARE(area.size(), QSize(741, 443));
    QCOMPARE(Child<QLineEdit>(area, "DomborzatEdit")->text(), QStringLiteral("hills.asc"));
    QVERIFY(!Child<QLabel>(area, "DomborzatInfo")->text().isEmpty());

    Save(area, folder.file("out.json"));
    QVERIFY(folder.reports.empty());
    QCOMPARE(QString::fromUtf8(folder.read("out.json")), QString::fromUtf8(kTerrainPreset));

    QVERIFY(folder.write("bare.json", "{\"kind\": \"terrain\"}"));
    Load(area, folder.file("bare.json"));
    QVERIFY(!area.heightmapOpen());
    QCOMPARE(area.size(), QSize(741, 351));
    QVERIFY(!Child<QLineEdit>(area, "csempeEdit")->isEnabled());
    QCOMPARE(QString::fromStdString(TerrainPresetJson(area.terrainInput())),
             QStringLiteral("{\n  \"kind\": \"terrain\"\n}\n"));
}

void PresetWindowTest::refusedPresetChangesNothing()
{
    WindowFolder folder;
    MainWindow form;
    form.switchToEnglish();
    QVERIFY(folder.write("in.json", kHousePreset));
    Load(form, folder.file("in.json"));
    const std::string before = HousePresetJson(form.houseInput());
    const QSize size = form.size();
    struct Case {
        const char* json;
        const char* message;
    };
    const Case houseCases[] = {
        {R"({"kind": "house", "width": "8000", "windows": ["top:2"]})",
         "\"windows\": needs a side: front, back, left or right, not \"top\""},
        {R"({"kind": "house", "width": "8000", "colour": "1,2,3"})", "\"colour\": unknown member"},
        {R"({"kind": "house", "roof": "hip", "chimney-size": "9"})",
         "\"chimney-size\": must be a whole number from 0 to 4, not \"9\" (Chimney size)"},
        {"{\"kind\": \"terrain\"}", "\"kind\": must be \"house\", not \"terrain\""},
        {"{\"kind\": \"house\",", "not valid JSON"},
    };
    for (const Case& c : houseCases) {
        QVERIFY(folder.write("bad.json", c.json));
        folder.reports.clear();
        Load(form, folder.file("bad.json"));
        QCOMPARE(folder.reports.size(), std::size_t(1));
        QVERIFY2(folder.reports[0].text.startsWith(QDir::toNativeSeparators(folder.file("bad.json")) + "\n"),
                 qPrintable(folder.reports[0].text));
        QVERIFY2(folder.reports[0].text.contains(QString::fromUtf8(c.message)), qPrintable(folder.reports[0].text));
        QCOMPARE(HousePresetJson(form.houseInput()), before);
        QCOMPARE(form.size(), size);
    }
    QVERIFY(Child<QRadioButton>(form, "Tortnyereg")->isChecked());

    // The area builder in Hungarian: the message in its language.
    AreaBuilderWindow area(&form);
    area.applyLanguage(UiLanguage::Hungarian);
    const std::string terrainBefore = TerrainPresetJson(area.terrainInput());
    QVERIFY(folder.write("bad.json", R"({"kind": "terrain", "area": "50,50", "peak": ["1,2,3"]})"));
    folder.reports.clear();
    Load(area, folder.file("bad.json"));
    QCOMPARE(folder.reports.size(), std::size_t(1));
    QVERIFY2(folder.reports[0].text.contains(QStringLiteral("\"peak\": 4-7 vesszővel elválasztott értéket vár")),
             qPrintable(folder.reports[0].text));
    QCOMPARE(TerrainPresetJson(area.terrainInput()), terrainBefore);
    QCOMPARE(Child<QLineEdit>(area, "dombxedit")->text(), QStringLiteral("25"));
    // A file that is not there: named once.
    folder.reports.clear();
    Load(area, folder.file("missing.json"));
    QCOMPARE(folder.reports.size(), std::size_t(1));
    QCOMPARE(folder.reports[0].text, QDir::toNativeSeparators(folder.file("missing.json")) + QStringLiteral(": nem olvasható"));

    // A preset that cannot be written is reported; the folder stays.
    QVERIFY(QDir(folder.path()).mkdir("taken.json"));
    folder.reports.clear();
    Save(area, folder.file("taken.json"));
    QCOMPARE(folder.reports.size(), std::size_t(1));
    QVERIFY(folder.reports[0].text.contains(QStringLiteral("taken.json")));
    QVERIFY(QFileInfo(folder.file("taken.json")).isDir());
}

void PresetWindowTest::savedPresetMakesTheSameHouse()
{
    WindowFolder folder;
    QVERIFY(folder.write("in.json", kHousePreset));
    MainWindow form;  // Hungarian
    form.show();
    Load(form, folder.file("in.json"));
    form.generateHouse();
    QVERIFY2(folder.reports.empty(), folder.reports.empty() ? "" : qPrintable(folder.reports[0].text));
    const QString fileName = form.statusText().section(u' ', 0, 0);
    QVERIFY2(fileName.endsWith(QStringLiteral(".b3d")), qPrintable(form.statusText()));
    Save(form, folder.file("saved.json"));

    QTemporaryDir cliFolder;
    const auto result =
        kestrane::test::RunCli({"house", "--lang", "hu", "--preset", QFile::encodeName(folder.file("saved.json")).toStdString()},
                               QFile::encodeName(cliFolder.path()).toStdString());
    QVERIFY2(result.exitCode == 0, result.err.c_str());
    const QByteArray fromWindow = folder.read(fileName);
    QVERIFY(fromWindow.contains("win2.bmp"));
    QFile fromCli(cliFolder.filePath(fileName));
    QVERIFY(fromCli.open(QIODevice::ReadOnly));
    QVERIFY2(fromCli.readAll() == fromWindow, qPrintable(fileName + " differs"));
}

QTEST_MAIN(PresetWindowTest)
#include "preset_window_test.moc"

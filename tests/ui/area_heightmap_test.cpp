// The heightmap line of the area builder: closed it changes nothing; open
// it describes the chosen raster, generates the file the command line
// writes for the same inputs, reports the filled nodes, refuses a bad
// file naming its field, and keeps the window responsive during a long
// read while the status line shows the progress.
#include "ui/area_window.h"
#include "ui/main_window.h"
#include "window_test_support.h"

#include "options/preset.h"
#include "support/test_support.h"
#include "test_rasters.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTest>

namespace kestrane::ui {

using test::Child;
using test::WindowFolder;

class AreaHeightmapTest : public QObject {
    Q_OBJECT

private slots:
    void closedByDefault();
    void openedLineFitsBothLanguages();
    void describesTheChosenRaster();
    void generatesWhatTheCommandLineWrites();
    void refusesNamingTheField();
    void staysResponsiveDuringALongRead();
    void mapOriginSwitch();
};

namespace {

// 40 by 30 cells of 5 m, values 100 + column (100 to 139), and -9999 (no
// data) in the north-west 4 by 4 cells.
void WriteDem(const QString& path)
{
    kestrane::test::RasterLayout layout;
    layout.columns = 40;
    layout.rows = 30;
    layout.transform = std::array<double, 6>{0, 5, 0, 150, 0, -5};
    layout.noData = -9999.0;
    kestrane::test::WriteRaster(path.toStdString(), layout,
                                [](int c, int r) { return c < 4 && r < 4 ? -9999.0 : 100.0 + c; });
}

void SetText(const QWidget& window, const char* name, const QString& text)
{
    auto* edit = Child<QLineEdit>(window, name);
    edit->setText(text);
    emit edit->editingFinished();
}

}  // namespace

void AreaHeightmapTest::closedByDefault()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    QVERIFY(!window.heightmapOpen());
    QVERIFY(!Child<QWidget>(window, "DomborzatPanel")->isVisibleTo(&window));
    // Widened to the left for the font of its neighbours.
    QCOMPARE(Child<QPushButton>(window, "DomborzatGomb")->geometry(), QRect(3, 280, 73, 33));
    // A file typed and the line closed again: not used.
    Child<QPushButton>(window, "DomborzatGomb")->setChecked(true);
    Child<QLineEdit>(window, "DomborzatEdit")->setText(QStringLiteral("dem.tif"));
    Child<QPushButton>(window, "DomborzatGomb")->setChecked(false);
    QCOMPARE(window.size(), QSize(741, 351));
    QCOMPARE(Child<QStatusBar>(window, "StatusBar_terep")->geometry().bottom(), 350);
    QCOMPARE(window.terrainInput().heightmap.file, std::string());
}

void AreaHeightmapTest::openedLineFitsBothLanguages()
{
    WindowFolder folder;
    MainWindow form;
    AreaBuilderWindow window(&form);
    form.setAreaWindow(&window);
    Child<QPushButton>(window, "DomborzatGomb")->setChecked(true);
    QCOMPARE(window.size(), QSize(741, 443));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(Child<QStatusBar>(window, "StatusBar_terep")->geometry().bottom(), 442);
    QVERIFY(Child<QWidget>(window, "DomborzatPanel")->isVisibleTo(&window));
    const struct {
        UiLanguage language;
        const char* button;
        const char* origin;
        const char* scaleHint;
    } languages[] = {
        {UiLanguage::Hungarian, "Domborzat", "Domborzat origó", "A raszter értékéből méter: ennyiszerese"},
        {UiLanguage::English, "Heightmap", "Heightmap origin", "Metres per raster value"},
    };
    const QRect panel = Child<QWidget>(window, "DomborzatPanel")->geometry();
    QVERIFY(window.rect().contains(panel));
    QVERIFY(panel.bottom() < Child<QStatusBar>(window, "StatusBar_terep")->geometry().top());
    QVERIFY(panel.top() > Child<QPushButton>(window, "GenButton")->geometry().bottom());
    for (const auto& l : languages) {
        window.applyLanguage(l.language);
        QCOMPARE(Child<QPushButton>(window, "DomborzatGomb")->text(), QString::fromUtf8(l.button));
        QCOMPARE(Child<QLabel>(window, "DomborzatOrigoLabel")->text(), QString::fromUtf8(l.origin));
        QCOMPARE(Child<QLineEdit>(window, "MagassagSzorzoEdit")->toolTip(), QString::fromUtf8(l.scaleHint));
        for (QWidget* widget : Child<QWidget>(window, "DomborzatPanel")->findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            QVERIFY2(QRect(QPoint(), panel.size()).contains(widget->geometry()), qPrintable(name));
            if (name != "DomborzatInfo")
                QVERIFY2(!widget->toolTip().isEmpty() || qobject_cast<QLabel*>(widget), qPrintable(name));
            if (auto* label = qobject_cast<QLabel*>(widget); label && name != "DomborzatInfo") {
                const QFontMetrics metrics(label->font());
                QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width(),
                         qPrintable(name + " \"" + label->text() + "\""));
            }
        }
        auto* button = Child<QPushButton>(window, "DomborzatGomb");
        QVERIFY(QFontMetrics(button->font()).horizontalAdvance(button->text()) + 6 <= button->width());
    }
}

void AreaHeightmapTest::describesTheChosenRaster()
{
    WindowFolder folder;
    WriteDem(folder.file("dem.tif"));
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::English);
    Child<QPushButton>(window, "DomborzatGomb")->setChecked(true);
    SetText(window, "DomborzatEdit", folder.file("dem.tif"));
    QCOMPARE(Child<QLabel>(window, "DomborzatInfo")->text(), QStringLiteral("40 × 30 cells, 5 × 5 m, 100 … 139"));
    window.applyLanguage(UiLanguage::Hungarian);
    QCOMPARE(Child<QLabel>(window, "DomborzatInfo")->text(), QStringLiteral("40 × 30 cella, 5 × 5 m, 100 … 139"));
    SetText(window, "CellameretEdit", QStringLiteral("2.5"));
    QCOMPARE(Child<QLabel>(window, "DomborzatInfo")->text(),
             QStringLiteral("40 × 30 cella, 2.5 × 2.5 m, 100 … 139"));
    SetText(window, "DomborzatEdit", folder.file("missing.tif"));
    QVERIFY2(Child<QLabel>(window, "DomborzatInfo")->text().startsWith(QStringLiteral("Domborzati fájl: ")),
             qPrintable(Child<QLabel>(window, "DomborzatInfo")->text()));
    SetText(window, "DomborzatEdit", QString());
    QCOMPARE(Child<QLabel>(window, "DomborzatInfo")->text(), QString());
}

void AreaHeightmapTest::generatesWhatTheCommandLineWrites()
{
    WindowFolder folder;
    WriteDem(folder.file("dem.tif"));
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::English);
    Child<QPushButton>(window, "DomborzatGomb")->setChecked(true);
    Child<QLineEdit>(window, "DomborzatEdit")->setText(QStringLiteral("dem.tif"));
    Child<QLineEdit>(window, "DomborzatOrigoXEdit")->setText(QStringLiteral("2.5"));
    Child<QLineEdit>(window, "DomborzatOrigoZEdit")->setText(QStringLiteral("10"));
    Child<QLineEdit>(window, "MagassagSzorzoEdit")->setText(QStringLiteral("0.5"));
    Child<QLineEdit>(window, "MagassagEltolasEdit")->setText(QStringLiteral("-40"));
    Child<QLineEdit>(window, "d14")->setText(QStringLiteral("3"));
    Child<QLineEdit>(window, "d13")->setText(QStringLiteral("2"));
    Child<QLineEdit>(window, "d11")->setText(QStringLiteral("5"));
    Child<QLineEdit>(window, "d12")->setText(QStringLiteral("5"));
    Child<QLineEdit>(window, "dombxedit")->setText(QStringLiteral("150"));
    Child<QLineEdit>(window, "dombzedit")->setText(QStringLiteral("150"));
    Child<QLineEdit>(window, "xbontEdit")->setText(QStringLiteral("30"));
    Child<QLineEdit>(window, "zbontedit")->setText(QStringLiteral("30"));
    window.generateTerrain();
    QVERIFY(folder.reports.empty());
    // 31 by 31 nodes from (2.5, 10) m: the northern two rows lie beyond the
    // raster (62 nodes), 4 by 4 on the no-data corner.
    // The heightmap's summary has its own line.
    QCOMPARE(window.statusText(), QStringLiteral("Domb.B3d file generating successfull"));
    QCOMPARE(Child<QLabel>(window, "DomborzatJelentes")->text(),
             QStringLiteral("Heightmap: 961 nodes, 78 filled from neighbours (62 outside the raster)."));
    const QByteArray fromWindow = folder.read("domb.b3d");

    QVERIFY(QDir(folder.path()).mkdir("cli"));
    const auto again = kestrane::test::RunCli(
        {"terrain", "--lang", "en", "-C", "cli", "--area", "150,150", "--resolution", "30,30", "--peak", "5,5,2,3",
         "--heightmap", "dem.tif", "--heightmap-origin", "2.5,10", "--height-scale", "0.5", "--height-offset", "-40"},
        folder.path().toStdString());
    QCOMPARE(again.exitCode, 0);
    QVERIFY(fromWindow == folder.read("cli/domb.b3d"));
}

void AreaHeightmapTest::refusesNamingTheField()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::Hungarian);
    window.generateTerrain();
    const QByteArray before = folder.read("domb.b3d");
    QVERIFY(folder.write("dem.tif", "not a raster"));
    Child<QPushButton>(window, "DomborzatGomb")->setChecked(true);
    Child<QLineEdit>(window, "DomborzatEdit")->setText(QStringLiteral("dem.tif"));
    window.generateTerrain();
    QCOMPARE(folder.reports.size(), size_t(1));
    QVERIFY2(folder.reports[0].text.startsWith(QStringLiteral("Domborzati fájl: \"dem.tif\"")),
             qPrintable(folder.reports[0].text));
    QCOMPARE(window.statusText(), folder.reports[0].text);
    QCOMPARE(folder.read("domb.b3d"), before);
    QVERIFY(Child<QPushButton>(window, "GenButton")->isEnabled());
}

void AreaHeightmapTest::staysResponsiveDuringALongRead()
{
    WindowFolder folder;
    // 64 Mi cells (256 MB of float32), sparse: quick to write, slow enough
    // to read whole.
    kestrane::test::WriteSparseRaster(folder.file("large.tif").toStdString(), 8192, 8192, 512, 1.0, {3},
                                      [](int, int) { return 10.0; });
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::English);
    Child<QPushButton>(window, "DomborzatGomb")->setChecked(true);
    Child<QLineEdit>(window, "DomborzatEdit")->setText(QStringLiteral("large.tif"));
    Child<QLineEdit>(window, "dombxedit")->setText(QStringLiteral("8192"));
    Child<QLineEdit>(window, "dombzedit")->setText(QStringLiteral("8192"));
    Child<QLineEdit>(window, "xbontEdit")->setText(QStringLiteral("100"));
    Child<QLineEdit>(window, "zbontedit")->setText(QStringLiteral("1000"));
    QStringList statuses;
    bool buttonDisabled = false;
    QTimer watcher;
    watcher.setInterval(1);
    connect(&watcher, &QTimer::timeout, [&] {
        if (statuses.isEmpty() || statuses.last() != window.statusText())
            statuses << window.statusText();
        buttonDisabled = buttonDisabled || !Child<QPushButton>(window, "GenButton")->isEnabled();
    });
    watcher.start();
    window.generateTerrain();
    watcher.stop();
    QVERIFY(folder.reports.empty());
    QVERIFY2(buttonDisabled, "the generate button stays enabled during a read");
    QVERIFY2(statuses.filter(QStringLiteral("Reading the heightmap: ")).size() >= 2, qPrintable(statuses.join("|")));
    QVERIFY(window.statusText().startsWith(QStringLiteral("Domb.B3d file generating successfull")));
    QVERIFY(Child<QLabel>(window, "DomborzatJelentes")->text().startsWith(QStringLiteral("Heightmap: ")));
    QVERIFY(Child<QPushButton>(window, "GenButton")->isEnabled());
}

void AreaHeightmapTest::mapOriginSwitch()
{
    WindowFolder folder;
    // The dem above placed at 600000 E, 5100000 N of UTM zone 33N.
    kestrane::test::RasterLayout layout;
    layout.columns = 40;
    layout.rows = 30;
    layout.transform = std::array<double, 6>{600000, 5, 0, 5100150, 0, -5};
    layout.srs = "EPSG:32633";
    kestrane::test::WriteRaster(folder.file("utm.tif").toStdString(), layout,
                                [](int c, int) { return 100.0 + c; });
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::English);
    Child<QPushButton>(window, "DomborzatGomb")->setChecked(true);
    auto* check = Child<QCheckBox>(window, "HeightmapMapOriginCheck");
    QVERIFY(!check->isChecked());
    QVERIFY(!window.terrainInput().heightmap.mapOrigin);
    for (const auto& [language, caption] : {std::pair{UiLanguage::Hungarian, "Térképi"},
                                            std::pair{UiLanguage::English, "Map coords"}}) {
        window.applyLanguage(language);
        QCOMPARE(check->text(), QString::fromUtf8(caption));
        QVERIFY2(check->sizeHint().width() <= check->width(),
                 qPrintable(QStringLiteral("%1 > %2").arg(check->sizeHint().width()).arg(check->width())));
    }

    // The map extent in the hint; on the line itself once the switch is on.
    SetText(window, "DomborzatEdit", folder.file("utm.tif"));
    auto* info = Child<QLabel>(window, "DomborzatInfo");
    QCOMPARE(info->text(), QStringLiteral("40 × 30 cells, 5 × 5 m, 100 … 139"));
    QCOMPARE(info->toolTip(), QStringLiteral("40 × 30 cells, 5 × 5 m, 100 … 139\nW 600000 S 5100000 E 600200 N 5100150"));
    check->setChecked(true);
    QCOMPARE(info->text(), QStringLiteral("W 600000 S 5100000 E 600200 N 5100150, 40 × 30 cells, 5 × 5 m, 100 … 139"));
    window.applyLanguage(UiLanguage::Hungarian);
    QCOMPARE(info->text(),
             QStringLiteral("Ny 600000 D 5100000 K 600200 É 5100150, 40 × 30 cella, 5 × 5 m, 100 … 139"));
    QVERIFY2(Child<QLineEdit>(window, "DomborzatOrigoXEdit")->toolTip().contains(QStringLiteral("keleti koordinát")),
             qPrintable(Child<QLineEdit>(window, "DomborzatOrigoXEdit")->toolTip()));
    window.applyLanguage(UiLanguage::English);
    QVERIFY(Child<QLineEdit>(window, "DomborzatOrigoZEdit")->toolTip().contains(QStringLiteral("northing")));

    // Checked, the origin boxes are map coordinates: the same file as the
    // command line's map origin.
    Child<QLineEdit>(window, "DomborzatEdit")->setText(QStringLiteral("utm.tif"));
    Child<QLineEdit>(window, "DomborzatOrigoXEdit")->setText(QStringLiteral("600012.5"));
    Child<QLineEdit>(window, "DomborzatOrigoZEdit")->setText(QStringLiteral("5100010"));
    Child<QLineEdit>(window, "dombxedit")->setText(QStringLiteral("50"));
    Child<QLineEdit>(window, "dombzedit")->setText(QStringLiteral("50"));
    Child<QLineEdit>(window, "xbontEdit")->setText(QStringLiteral("10"));
    Child<QLineEdit>(window, "zbontedit")->setText(QStringLiteral("10"));
    QVERIFY(window.terrainInput().heightmap.mapOrigin);
    window.generateTerrain();
    QVERIFY(folder.reports.empty());
    const QByteArray fromWindow = folder.read("domb.b3d");
    QVERIFY(QDir(folder.path()).mkdir("cli"));
    const auto again = kestrane::test::RunCli({"terrain", "--lang", "en", "-C", "cli", "--area", "50,50",
                                               "--resolution", "10,10", "--heightmap", "utm.tif",
                                               "--heightmap-map-origin", "600012.5,5100010"},
                                              folder.path().toStdString());
    QCOMPARE(again.exitCode, 0);
    QVERIFY(fromWindow == folder.read("cli/domb.b3d"));

    // A plain image has no map coordinates: refused naming the field.
    kestrane::test::WritePlainImage(folder.file("plain.png").toStdString(), 10.0);
    Child<QLineEdit>(window, "DomborzatEdit")->setText(QStringLiteral("plain.png"));
    Child<QLineEdit>(window, "CellameretEdit")->setText(QStringLiteral("1"));
    window.generateTerrain();
    QCOMPARE(folder.reports.size(), size_t(1));
    QVERIFY2(folder.reports[0].text.startsWith(
                 QStringLiteral("Heightmap origin (map coordinates): \"plain.png\" has no map coordinates")),
             qPrintable(folder.reports[0].text));
    QVERIFY(folder.read("domb.b3d") == fromWindow);
    // Unchecked, the same boxes are metres again.
    check->setChecked(false);
    QVERIFY(!window.terrainInput().heightmap.mapOrigin);
    QCOMPARE(Child<QLineEdit>(window, "DomborzatOrigoZEdit")->toolTip(),
             QStringLiteral("The terrain's first node, metres north of the raster's south-west corner"));

    // A preset with the map origin sets the switch and comes back the same.
    const std::string preset = "{\n"
                               "  \"kind\": \"terrain\",\n"
                               "  \"heightmap\": \"utm.tif\",\n"
                               "  \"heightmap-map-origin\": \"600012.5,5100010\"\n"
                               "}\n";
    window.setTerrainInput(TerrainFromPreset(preset));
    QVERIFY(window.heightmapOpen());
    QVERIFY(check->isChecked());
    QCOMPARE(Child<QLineEdit>(window, "DomborzatOrigoXEdit")->text(), QStringLiteral("600012.5"));
    QCOMPARE(TerrainPresetJson(window.terrainInput()), preset);
    window.setTerrainInput(TerrainInput{});
    QVERIFY(!check->isChecked());
}

}  // namespace kestrane::ui

QTEST_MAIN(kestrane::ui::AreaHeightmapTest)
#include "area_heightmap_test.moc"

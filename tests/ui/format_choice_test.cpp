// The format box beside the output folder of every window: B3D at first,
// CSV or OBJ chosen writes the object in that format under the same name
// (the status names what was written), and the window's presets hold it.
#include "window_test_support.h"

#include "options/preset.h"
#include "ui/area_window.h"
#include "ui/track_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

QComboBox* FormatBox(QWidget& window) { return Child<QComboBox>(window, "kimenetFormatum"); }

// The box offers the three formats, B3D first and chosen.
bool OffersTheFormats(QWidget& window)
{
    QComboBox* box = FormatBox(window);
    return box->count() == 3 && box->itemText(0) == "B3D" && box->itemText(1) == "CSV" &&
           box->itemText(2) == "OBJ" && box->currentIndex() == 0;
}

QStringList Objects(const QString& folder)
{
    return QDir(folder).entryList({"*.b3d", "*.csv", "*.obj", "*.mtl"}, QDir::Files, QDir::Name);
}

}  // namespace

class FormatChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void mainWindowWritesTheChosenFormat()
    {
        WindowFolder folder;
        MainWindow form;
        QVERIFY(OffersTheFormats(form));
        QCOMPARE(form.houseInput().format, ObjectFormat::B3d);
        FormatBox(form)->setCurrentIndex(1);
        Child<QPushButton>(form, "Button1")->click();
        QVERIFY(folder.reports.empty());
        const QStringList written = Objects(folder.path());
        QCOMPARE(written.size(), 1);
        QVERIFY(written.front().endsWith(".csv"));
        QVERIFY2(form.statusText().contains(written.front()), qPrintable(form.statusText()));
        QVERIFY(folder.read(written.front()).contains("\r\nCreateMeshBuilder\r\n"));

        // The preset holds the choice; a preset without it chooses B3D.
        QCOMPARE(HouseFromPreset(HousePresetJson(form.houseInput())).format, ObjectFormat::Csv);
        form.setHouseInput(HouseFromPreset(R"({"kind": "house", "format": "obj"})"));
        QCOMPARE(FormatBox(form)->currentText(), QStringLiteral("OBJ"));
        form.setHouseInput(HouseFromPreset(R"({"kind": "house"})"));
        QCOMPARE(FormatBox(form)->currentText(), QStringLiteral("B3D"));
    }

    void areaBuilderWritesTheChosenFormat()
    {
        WindowFolder folder;
        MainWindow form;
        AreaBuilderWindow area(&form);
        QVERIFY(OffersTheFormats(area));
        FormatBox(area)->setCurrentIndex(1);
        Child<QPushButton>(area, "GenButton")->click();
        QVERIFY(folder.reports.empty());
        QCOMPARE(Objects(folder.path()), QStringList{"domb.csv"});
        QVERIFY2(area.statusText().contains("domb.csv"), qPrintable(area.statusText()));

        // OBJ tiles each with their MTL, and the index naming them.
        FormatBox(area)->setCurrentIndex(2);
        Child<QCheckBox>(area, "szimchk")->setChecked(true);
        Child<QLineEdit>(area, "dombxedit")->setText("400");
        Child<QLineEdit>(area, "dombzedit")->setText("400");
        Child<QLineEdit>(area, "csempeEdit")->setText("100");
        Child<QPushButton>(area, "GenButton")->click();
        QVERIFY(folder.reports.empty());
        QVERIFY(folder.exists("domb_001.obj") && folder.exists("domb_001.mtl") && folder.exists("domb_tiles.txt"));
        QVERIFY(folder.read("domb_tiles.txt").contains("\r\ndomb_001.obj,"));
        QVERIFY2(area.statusText().contains("domb_001.obj, domb_001.mtl"), qPrintable(area.statusText()));
        QCOMPARE(TerrainFromPreset(TerrainPresetJson(area.terrainInput())).format, ObjectFormat::Obj);
        area.setTerrainInput(TerrainFromPreset(R"({"kind": "terrain", "format": "csv"})"));
        QCOMPARE(FormatBox(area)->currentText(), QStringLiteral("CSV"));
    }

    void trackWindowWritesTheChosenFormat()
    {
        WindowFolder folder;
        TrackWindow window;
        QVERIFY(OffersTheFormats(window));
        FormatBox(window)->setCurrentIndex(1);
        window.generate();
        QVERIFY(folder.reports.empty());
        const QStringList written = Objects(folder.path());
        QVERIFY(!written.isEmpty());
        for (const QString& name : written)
            QVERIFY2(name.endsWith(".csv"), qPrintable(name));
        // The structure list names the CSV pieces.
        const QStringList lists = QDir(folder.path()).entryList({"*.txt"}, QDir::Files);
        QCOMPARE(lists.size(), 1);
        const QString list = QString::fromLatin1(folder.read(lists.front()));
        for (const QString& name : written) {
            QVERIFY2(list.contains(") " + name + "\r\n"), qPrintable(name));
        }
        QVERIFY2(window.statusText().contains(written.front()), qPrintable(window.statusText()));
        QCOMPARE(TrackFromPreset(TrackPresetJson(window.trackInput())).format, ObjectFormat::Csv);
        window.setTrackInput(TrackFromPreset(R"({"kind": "track"})"));
        QCOMPARE(FormatBox(window)->currentText(), QStringLiteral("B3D"));
    }
};

QTEST_MAIN(FormatChoiceTest)
#include "format_choice_test.moc"

// The area builder's layout switch: its place, captions and hints in both
// languages, the tile length and two-sided boxes it enables, and what each
// generation writes.
#include "window_test_support.h"

#include "ui/area_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

class AreaLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void placesAndDefaults();
    void textsInBothLanguages();
    void generateBothLayouts();
    void refusedTileLength();
    void twoSidedBox();
};

void AreaLayoutTest::placesAndDefaults()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    auto* layout = Child<QCheckBox>(window, "szimchk");
    auto* length = Child<QLineEdit>(window, "csempeEdit");
    QCOMPARE(layout->geometry(), QRect(80, 106, 150, 17));
    QCOMPARE(Child<QLabel>(window, "CsempeLabel")->geometry(), QRect(320, 104, 16, 21));
    QCOMPARE(length->geometry(), QRect(336, 104, 49, 21));
    // The cell layout unless switched; the length only counts for tiles.
    QVERIFY(!layout->isChecked());
    QCOMPARE(length->text(), QStringLiteral("0"));
    QVERIFY(!length->isEnabled());
    QCOMPARE(window.terrainInput().layout, TerrainLayout::Cells);
    layout->click();
    QVERIFY(length->isEnabled());
    QCOMPARE(window.terrainInput().layout, TerrainLayout::Simulator);
    length->setText("25");
    QCOMPARE(window.terrainInput().tileLength, std::string("25"));
    layout->click();
    QVERIFY(!length->isEnabled());
    // Both sit in the tab order after the slopes.
    const auto nextTab = [](QWidget* widget) {
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus));
        return widget;
    };
    QCOMPARE(nextTab(Child<QWidget>(window, "Lejtzedit")), layout);
    QCOMPARE(nextTab(layout), length);
}

void AreaLayoutTest::textsInBothLanguages()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::English);
    QCOMPARE(Child<QCheckBox>(window, "szimchk")->text(), QStringLiteral("Simulator layout"));
    QVERIFY(Child<QCheckBox>(window, "szimchk")->toolTip().startsWith(QStringLiteral("One section per colour")));
    QVERIFY(Child<QLineEdit>(window, "csempeEdit")->toolTip().startsWith(QStringLiteral("Tile length along Z")));
    window.applyLanguage(UiLanguage::Hungarian);
    QCOMPARE(Child<QCheckBox>(window, "szimchk")->text(), QString::fromUtf8("Szimulátor-elrendezés"));
    QVERIFY(Child<QCheckBox>(window, "szimchk")->toolTip().startsWith(QString::fromUtf8("Színenként egy szakasz")));
    QVERIFY(Child<QLineEdit>(window, "csempeEdit")->toolTip().startsWith(QStringLiteral("Csempehossz")));
    QCOMPARE(Child<QLabel>(window, "CsempeLabel")->text(), QStringLiteral("L"));
    // The caption fits its box in both languages.
    for (UiLanguage language : {UiLanguage::Hungarian, UiLanguage::English}) {
        window.applyLanguage(language);
        auto* layout = Child<QCheckBox>(window, "szimchk");
        QVERIFY2(layout->sizeHint().width() <= layout->width(), qPrintable(layout->text()));
    }
}

void AreaLayoutTest::generateBothLayouts()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::English);
    Child<QCheckBox>(window, "szimchk")->click();
    Child<QLineEdit>(window, "csempeEdit")->setText("10");
    Child<QPushButton>(window, "GenButton")->click();
    QVERIFY(folder.reports.empty());
    QVERIFY2(window.statusText().startsWith(
                 QStringLiteral("Domb tiles generated: 3 files and domb_tiles.txt; the simulator loads it in about ")),
             qPrintable(window.statusText()));
    QVERIFY(folder.read("domb_tiles.txt").contains("domb_003.b3d,0.000,0.000,20.000\r\n"));
    QVERIFY(folder.exists("domb_001.b3d"));
    QVERIFY(!folder.exists("domb.b3d"));

    // Without a length the default surface is one file; the tiles go.
    Child<QLineEdit>(window, "csempeEdit")->setText("0");
    window.generateTerrain();
    QVERIFY(window.statusText().startsWith(QStringLiteral("Domb.B3d file generating successfull; the simulator loads")));
    QVERIFY(folder.read("domb.b3d").contains(";Tile: 1 of 1, origin: 0.000,0.000,0.000 m\r\n"));
    QVERIFY(!folder.exists("domb_001.b3d"));
    QVERIFY(!folder.exists("domb_tiles.txt"));

    // Switched back: the cell layout, whatever the length box says.
    Child<QLineEdit>(window, "csempeEdit")->setText("x");
    Child<QCheckBox>(window, "szimchk")->click();
    window.generateTerrain();
    QVERIFY(folder.reports.empty());
    QCOMPARE(folder.read("domb.b3d").count("\r\n"), 8 + 625 * 15);
}

void AreaLayoutTest::refusedTileLength()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::Hungarian);
    Child<QCheckBox>(window, "szimchk")->click();
    Child<QLineEdit>(window, "csempeEdit")->setText("-25");
    window.generateTerrain();
    QCOMPARE(folder.reports.size(), size_t(1));
    QVERIFY2(folder.reports[0].text.startsWith(QStringLiteral("Csempehossz: ")), qPrintable(folder.reports[0].text));
    QCOMPARE(window.statusText(), folder.reports[0].text);
    QVERIFY(!folder.exists("domb.b3d"));
}

void AreaLayoutTest::twoSidedBox()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    auto* layout = Child<QCheckBox>(window, "szimchk");
    auto* twoSided = Child<QCheckBox>(window, "ketoldaluchk");
    QCOMPARE(twoSided->geometry(), QRect(12, 128, 74, 17));
    // Only the simulator layout has one-sided ground to keep two-sided.
    QVERIFY(!twoSided->isEnabled());
    QVERIFY(!twoSided->isChecked());
    layout->click();
    QVERIFY(twoSided->isEnabled());
    QVERIFY(!window.terrainInput().twoSided);
    twoSided->click();
    QVERIFY(window.terrainInput().twoSided);
    layout->click();
    QVERIFY(!twoSided->isEnabled());
    QVERIFY(!window.terrainInput().twoSided);
    // After the tile length in the tab order.
    QWidget* next = Child<QWidget>(window, "csempeEdit");
    do
        next = next->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus));
    QCOMPARE(next, twoSided);
    // Captions in both languages, fitting the box.
    for (const auto& [language, caption] : {std::pair{UiLanguage::English, QStringLiteral("Two-sided")},
                                            std::pair{UiLanguage::Hungarian, QString::fromUtf8("Kétoldalú")}}) {
        window.applyLanguage(language);
        QCOMPARE(twoSided->text(), caption);
        QVERIFY(twoSided->toolTip().contains(QStringLiteral("Face2")));
        QVERIFY2(twoSided->sizeHint().width() <= twoSided->width(), qPrintable(twoSided->text()));
        if (const QByteArray shots = qgetenv("KESTRANE_SCREENSHOTS"); !shots.isEmpty())
            window.grab().save(QString::fromLocal8Bit(shots) + "/area_two_sided_" +
                               (language == UiLanguage::English ? "en" : "hu") + ".png");
    }
    // A preset with it loads into the window and comes back; the generation
    // writes two-sided faces.
    TerrainInput input = window.terrainInput();
    input.layout = TerrainLayout::Simulator;
    input.twoSided = true;
    window.setTerrainInput(input);
    QVERIFY(twoSided->isChecked() && twoSided->isEnabled());
    QVERIFY(window.terrainInput().twoSided);
    window.generateTerrain();
    QVERIFY(folder.reports.empty());
    QVERIFY(folder.read("domb.b3d").contains("\r\nFace2 "));
    twoSided->click();
    window.generateTerrain();
    QVERIFY(!folder.read("domb.b3d").contains("\r\nFace2 "));
}

QTEST_MAIN(AreaLayoutTest)
#include "area_layout_test.moc"

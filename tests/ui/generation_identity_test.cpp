// The windows and the command line write the same bytes for the same
// inputs: every roof kind and roof form in both languages, and a shaped
// terrain.
#include "window_test_support.h"

#include "support/test_support.h"
#include "ui/area_window.h"
#include "ui/main_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

#include <cstdio>
#include <string>
#include <vector>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

// Types `text` into an edit box key by key, accented letters included.
void Type(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    QCOMPARE(edit->text(), text);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct HouseCase {
    const char* name;
    const char* roofButton;
    std::vector<std::string> args;      // for kestrane house
    void (*setUp)(MainWindow& form);        // the same inputs in the window
};

void SetBars(MainWindow& form, const char* const bars[3], int r, int g, int b)
{
    Child<QScrollBar>(form, bars[0])->setValue(r);
    Child<QScrollBar>(form, bars[1])->setValue(g);
    Child<QScrollBar>(form, bars[2])->setValue(b);
}

const char* const kWallBars[] = {"rfScrollBar", "gfScrollBar", "bfScrollBar"};
const char* const kRoofBars[] = {"rtScrollBar", "gtScrollBar", "btScrollBar"};
const char* const kChimneyBars[] = {"rkScrollBar", "gkScrollBar", "bkScrollBar"};
const char* const kStairBars[] = {"rlScrollBar", "glScrollBar", "blScrollBar"};

const HouseCase kHouseCases[] = {
    {"pitched", "Nyeregteto",
     {"--roof", "pitched", "--roof-level-texture", "--corner-left", "--corner-size", "1200", "--wall-color",
      "10,20,30", "--chimney-size", "3", "--chimney-x", "2500.5", "--stair-side", "1", "--stair-corner", "2",
      "--straight-stairs", "--width", "7000", "--offset-x", "100"},
     [](MainWindow& form) {
         Child<QCheckBox>(form, "tetoszint")->click();
         Child<QCheckBox>(form, "Sbal")->click();
         Type(Child<QLineEdit>(form, "SarokfalEdit"), "1200");
         SetBars(form, kWallBars, 10, 20, 30);
         Child<QCheckBox>(form, "fszinchk")->click();
         Child<QSlider>(form, "Kemenymeret")->setValue(3);
         Type(Child<QLineEdit>(form, "kpozx"), "2500.5");
         Child<QSlider>(form, "Lepo")->setValue(1);
         Child<QSlider>(form, "Leps")->setValue(2);
         Child<QCheckBox>(form, "legyenes")->click();
         Type(Child<QLineEdit>(form, "fszEdit"), "7000");
         Type(Child<QLineEdit>(form, "OffsXEdit"), "100");
     }},
    {"pitched without gutters", "Nyeregteto", {"--roof", "pitched", "--no-gutters", "--stair-steps", "0"},
     [](MainWindow& form) {
         Child<QCheckBox>(form, "Ereszcsatorna")->click();
         Child<QSlider>(form, "Lepn")->setValue(0);
     }},
    {"hip", "Kontyoltteto",
     {"--roof", "hip", "--no-gutters", "--corner-right", "--roof-color", "1,2,3", "--offset-y", "-250",
      "--offset-z", "33", "--hip-depth", "1500", "--stair-front", "3", "--stair-steps", "5"},
     [](MainWindow& form) {
         Child<QCheckBox>(form, "Ereszcsatorna")->click();
         Child<QCheckBox>(form, "Sjobb")->click();
         SetBars(form, kRoofBars, 1, 2, 3);
         Child<QCheckBox>(form, "tszinchk")->click();
         Type(Child<QLineEdit>(form, "OffsYEdit"), "-250");
         Type(Child<QLineEdit>(form, "OffsZEdit"), "33");
         Type(Child<QLineEdit>(form, "tkoEdit"), "1500");
         Child<QSlider>(form, "Lepe")->setValue(3);
         Child<QSlider>(form, "Lepn")->setValue(5);
     }},
    {"pyramid", "satorteto", {"--roof", "pyramid", "--chimney-color", "255,0,128"},
     [](MainWindow& form) {
         SetBars(form, kChimneyBars, 255, 0, 128);
         Child<QCheckBox>(form, "kszinchk")->click();
     }},
    {"flat", "laposteto",
     {"--roof", "flat", "--roof-edge", "--corner-left", "--length", "9000", "--wall-height", "2800"},
     [](MainWindow& form) {
         Child<QCheckBox>(form, "lt_koszoru")->click();
         Child<QCheckBox>(form, "Sbal")->click();  // disabled by the flat roof: no corner walls
         Type(Child<QLineEdit>(form, "fhoEdit"), "9000");
         Type(Child<QLineEdit>(form, "fmaEdit"), "2800");
     }},
    {"flat plain", "laposteto", {"--roof", "flat"}, [](MainWindow&) {}},
    {"lean", "Felteto",
     {"--roof", "lean", "--roof-level-texture", "--stair-color", "7,8,9", "--chimney-size", "0", "--stair-side",
      "3", "--step-height", "180", "--overhang", "600"},
     [](MainWindow& form) {
         Child<QCheckBox>(form, "tetoszint")->click();
         SetBars(form, kStairBars, 7, 8, 9);
         Child<QCheckBox>(form, "lszinchk")->click();
         Child<QSlider>(form, "Kemenymeret")->setValue(0);
         Child<QSlider>(form, "Lepo")->setValue(3);
         Type(Child<QLineEdit>(form, "lema"), "180");
         Type(Child<QLineEdit>(form, "tleEdit"), "600");
     }},
    {"lean plain", "Felteto", {"--roof", "lean"}, [](MainWindow&) {}},
    {"half-hipped", "Csonkakonty", {"--roof", "half-hipped", "--clip-height", "900", "--corner-right"},
     [](MainWindow& form) {
         Type(Child<QLineEdit>(form, "kmaEdit"), "900");
         Child<QCheckBox>(form, "Sjobb")->click();
     }},
    {"gambrel", "Tortnyereg",
     {"--roof", "gambrel", "--knee-height", "5300", "--knee-inset", "700", "--roof-level-texture"},
     [](MainWindow& form) {
         Type(Child<QLineEdit>(form, "tmgEdit"), "5300");
         Type(Child<QLineEdit>(form, "tbeEdit"), "700");
         Child<QCheckBox>(form, "tetoszint")->click();
     }},
    {"mansard", "Manzardteto", {"--roof", "mansard", "--roof-color", "10,20,30"},
     [](MainWindow& form) {
         SetBars(form, kRoofBars, 10, 20, 30);
         Child<QCheckBox>(form, "tszinchk")->click();
     }},
    {"saltbox", "Eltoltnyereg", {"--roof", "saltbox", "--ridge-offset", "-800", "--no-gutters"},
     [](MainWindow& form) {
         Type(Child<QLineEdit>(form, "gelEdit"), "-800");
         Child<QCheckBox>(form, "Ereszcsatorna")->click();
     }},
};

}  // namespace

class GenerationIdentityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void house_data();
    void house();
    void terrain_data();
    void terrain();
};

void GenerationIdentityTest::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("KESTRANE_CLI"), "KESTRANE_CLI names the command line");
    if (qEnvironmentVariable("LANG").startsWith(QStringLiteral("hu_HU"))) {
        // The Hungarian locale is in force: the C library writes decimal commas.
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 1.5);
        QCOMPARE(QByteArray(text), QByteArray("1,5"));
    }
}

void GenerationIdentityTest::house_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("hungarian");
    for (int i = 0; i < int(std::size(kHouseCases)); ++i) {
        QTest::addRow("%s, hu", kHouseCases[i].name) << i << true;
        QTest::addRow("%s, en", kHouseCases[i].name) << i << false;
    }
}

void GenerationIdentityTest::house()
{
    QFETCH(int, index);
    QFETCH(bool, hungarian);
    const HouseCase& house = kHouseCases[index];
    WindowFolder folder;
    QVERIFY(folder.write("lang.cfg", hungarian ? "hu" : "en"));
    MainWindow form;
    form.show();
    Child<QRadioButton>(form, house.roofButton)->click();
    house.setUp(form);
    form.generateHouse();
    QVERIFY2(folder.reports.empty(), folder.reports.empty() ? "" : qPrintable(folder.reports[0].text));
    const QString status = form.statusText();
    const QString fileName = status.section(u' ', 0, 0);
    QVERIFY2(fileName.endsWith(QStringLiteral(".b3d")), qPrintable(status));

    QTemporaryDir cliFolder;
    std::vector<std::string> args = {"house", "--lang", hungarian ? "hu" : "en"};
    args.insert(args.end(), house.args.begin(), house.args.end());
    const auto result = kestrane::test::RunCli(args, QFile::encodeName(cliFolder.path()).toStdString());
    QVERIFY2(result.exitCode == 0, result.err.c_str());
    QCOMPARE(QString::fromStdString(result.out).trimmed(), status);

    const QByteArray fromWindow = folder.read(fileName);
    const QByteArray fromCli = ReadAll(cliFolder.filePath(fileName));
    QVERIFY(!fromWindow.isEmpty());
    QVERIFY2(fromWindow == fromCli, qPrintable(fileName + " differs"));
}

void GenerationIdentityTest::terrain_data()
{
    QTest::addColumn<bool>("hungarian");
    QTest::addColumn<bool>("color");
    QTest::newRow("hu") << true << true;
    QTest::newRow("en") << false << true;
    QTest::newRow("hu, no colour") << true << false;
}

void GenerationIdentityTest::terrain()
{
    QFETCH(bool, hungarian);
    QFETCH(bool, color);
    WindowFolder folder;
    AreaBuilderWindow window;
    window.applyLanguage(hungarian ? UiLanguage::Hungarian : UiLanguage::English);
    window.show();
    Type(Child<QLineEdit>(window, "dombxedit"), "30");
    Type(Child<QLineEdit>(window, "dombzedit"), "40.5");
    Type(Child<QLineEdit>(window, "xbontEdit"), "20");
    Type(Child<QLineEdit>(window, "zbontedit"), "50");
    Type(Child<QLineEdit>(window, "OffsXEdit"), "1");
    Type(Child<QLineEdit>(window, "OffsYEdit"), "-2.25");
    Type(Child<QLineEdit>(window, "OffsZEdit"), "3");
    Type(Child<QLineEdit>(window, "Lejtxedit"), "2");
    Type(Child<QLineEdit>(window, "Lejtzedit"), "-1.5");
    Type(Child<QLineEdit>(window, "KanyarXedit"), "3");
    Type(Child<QLineEdit>(window, "KanyarZ1edit"), "10");
    Type(Child<QLineEdit>(window, "KanyarZ2edit"), "30");
    Type(Child<QLineEdit>(window, "TexturaEdit"), QStringLiteral("fű.bmp"));
    Child<QScrollBar>(window, "rtScrollBar")->setValue(50);
    Child<QScrollBar>(window, "gtScrollBar")->setValue(60);
    Child<QScrollBar>(window, "btScrollBar")->setValue(70);
    if (!color)
        Child<QCheckBox>(window, "fszinchk")->click();
    // Peak 1 with its own colour, peak 2 a valley in the default colour,
    // peak 3 switched off by its width.
    const char* const peaks[3][4] = {{"5", "10", "4", "3"}, {"12", "30", "-2", "5.5"}, {"8", "8", "9", "0"}};
    for (int k = 1; k <= 3; ++k)
        for (int c = 1; c <= 4; ++c)
            Type(Child<QLineEdit>(window, QStringLiteral("d%1%2").arg(k).arg(c)), QString::fromUtf8(peaks[k - 1][c - 1]));
    window.pickSwatch(1);
    Child<QScrollBar>(window, "rScrollBar")->setValue(200);
    Child<QScrollBar>(window, "gScrollBar")->setValue(100);
    Child<QScrollBar>(window, "bScrollBar")->setValue(50);
    window.applyEditorColor();
    window.generateTerrain();
    QVERIFY2(folder.reports.empty(), folder.reports.empty() ? "" : qPrintable(folder.reports[0].text));
    // The curve of 3 cells folds this surface: its warning follows.
    QVERIFY2(window.statusText().startsWith(hungarian ? QStringLiteral("Domb.B3d fájl generálása kész – A kanyar")
                                                      : QStringLiteral("Domb.B3d file generating successfull – The curve")),
             qPrintable(window.statusText()));

    QTemporaryDir cliFolder;
    std::vector<std::string> args = {"terrain", "--lang", hungarian ? "hu" : "en", "--area", "30,40.5",
                                     "--resolution", "20,50", "--offset", "1,-2.25,3", "--slope", "2,-1.5",
                                     "--curve", "3,10,30", "--texture", "fű.bmp", "--color", "50,60,70",
                                     "--peak", "5,10,4,3,200,100,50", "--peak", "12,30,-2,5.5", "--peak", "8,8,9,0"};
    if (!color)
        args.push_back("--no-color");
    const auto result = kestrane::test::RunCli(args, QFile::encodeName(cliFolder.path()).toStdString());
    QVERIFY2(result.exitCode == 0, result.err.c_str());
    // The status is the command line's output, then the curve's warning,
    // which the command line writes to standard error.
    QVERIFY(window.statusText().startsWith(QString::fromStdString(result.out).trimmed() + QStringLiteral(" – ")));
    QVERIFY(QString::fromStdString(result.err).contains(hungarian ? QStringLiteral("A kanyar") : QStringLiteral("The curve")));

    const QByteArray fromWindow = folder.read("domb.b3d");
    const QByteArray fromCli = ReadAll(cliFolder.filePath("domb.b3d"));
    QVERIFY(fromWindow.size() > 1000);
    QVERIFY(fromWindow.contains("load f\xfb.bmp\r\n"));  // Windows-1250
    QVERIFY2(fromWindow == fromCli, "domb.b3d differs");
}

QTEST_MAIN(GenerationIdentityTest)
#include "generation_identity_test.moc"

// The area builder window: controls and defaults, the base colour, the peak
// swatches and their colour editor, reopening, and its generate button.
#include "window_test_support.h"

#include "ui/area_window.h"
#include "ui/main_window.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

const QColor kPeakGreen(40, 140, 40);

QColor Background(const QWidget* widget) { return widget->palette().color(QPalette::Window); }

QFrame* Swatch(const AreaBuilderWindow& window, int k) { return Child<QFrame>(window, QStringLiteral("Panel%1").arg(k)); }

bool Framed(const AreaBuilderWindow& window, int k) { return Swatch(window, k)->frameShape() == QFrame::Box; }

int FramedCount(const AreaBuilderWindow& window)
{
    int count = 0;
    for (int k = 1; k <= 8; ++k)
        count += Framed(window, k) ? 1 : 0;
    return count;
}

void SetEditor(const AreaBuilderWindow& window, int r, int g, int b)
{
    Child<QScrollBar>(window, "rScrollBar")->setValue(r);
    Child<QScrollBar>(window, "gScrollBar")->setValue(g);
    Child<QScrollBar>(window, "bScrollBar")->setValue(b);
}

void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }

}  // namespace

class AreaWindowTest : public QObject {
    Q_OBJECT

private slots:
    void sizeAndPlaces();
    void defaults();
    void tabOrder();
    void baseColourBars();
    void editorBars();
    void applyRightAfterCreation();
    void selectEditApply();
    void selectWithoutApplying();
    void selectTheSelectedSwatch();
    void reopenKeepsValuesAndEmptiesStatus();
    void generate();
    void generateRefusedInput();
    void generateOutputFailure();
    void generateRefusedTextureName();
    void generateWriteProtectedFile();
};

void AreaWindowTest::sizeAndPlaces()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    QCOMPARE(window.size(), QSize(741, 351));
    QCOMPARE(window.minimumSize(), QSize(741, 351));
    QCOMPARE(window.maximumSize(), QSize(741, 351));
    struct Place {
        const char* name;
        int x, y, w, h;
    };
    const Place places[] = {
        {"dombxedit", 80, 48, 49, 21},    {"dombzedit", 80, 80, 49, 21},     {"xbontEdit", 168, 48, 49, 21},
        {"zbontedit", 168, 80, 49, 21},   {"OffsXEdit", 256, 48, 49, 21},    {"OffsZEdit", 256, 80, 49, 21},
        {"OffsYEdit", 256, 112, 49, 21},  {"Lejtxedit", 336, 48, 49, 21},    {"Lejtzedit", 336, 80, 49, 21},
        {"rtScrollBar", 80, 152, 137, 17}, {"gtScrollBar", 80, 176, 137, 17}, {"btScrollBar", 80, 200, 137, 17},
        {"tereppanel", 256, 152, 49, 65}, {"KanyarXedit", 336, 152, 49, 21}, {"KanyarZ1edit", 336, 176, 49, 21},
        {"KanyarZ2edit", 336, 200, 49, 21}, {"TexturaEdit", 80, 232, 225, 21}, {"GenButton", 80, 280, 225, 33},
        {"rScrollBar", 536, 248, 129, 17}, {"gScrollBar", 536, 272, 129, 17}, {"bScrollBar", 536, 296, 129, 17},
        {"szinminta", 672, 248, 49, 65},
    };
    for (const Place& place : places)
        QVERIFY2(Child<QWidget>(window, place.name)->geometry() == QRect(place.x, place.y, place.w, place.h),
                 place.name);
    const int columns[] = {408, 480, 552, 616};
    for (int k = 1; k <= 8; ++k) {
        for (int c = 1; c <= 4; ++c) {
            auto* edit = Child<QLineEdit>(window, QStringLiteral("d%1%2").arg(k).arg(c));
            QCOMPARE(edit->geometry(), QRect(columns[c - 1], 48 + 24 * (k - 1), 49, 21));
        }
        QCOMPARE(Swatch(window, k)->geometry(), QRect(672, 48 + 24 * (k - 1), 49, 25));
        QVERIFY(Swatch(window, k)->focusPolicy() & Qt::TabFocus);
    }
    const std::pair<const char*, QPoint> labels[] = {
        {"D_alapter", {80, 32}}, {"D_felbont", {168, 32}}, {"D_eltolas", {256, 32}}, {"D_emel", {344, 32}},
        {"D_csucsokx", {408, 32}}, {"D_csucsoky", {480, 32}}, {"D_csucsokz", {552, 32}},
        {"D_csucsokc", {616, 32}}, {"D_szin", {680, 32}},
    };
    for (const auto& [name, point] : labels)
        QVERIFY2(Child<QLabel>(window, name)->pos() == point, name);
    QCOMPARE(Child<QCheckBox>(window, "fszinchk")->pos(), QPoint(88, 128));
    for (const char* name : {"rtScrollBar", "gtScrollBar", "btScrollBar", "rScrollBar", "gScrollBar", "bScrollBar"}) {
        auto* bar = Child<QScrollBar>(window, name);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 255);
        QCOMPARE(bar->orientation(), Qt::Horizontal);
        QCOMPARE(bar->cursor().shape(), Qt::PointingHandCursor);
    }
    QCOMPARE(Child<QLabel>(window, "szinminta")->text(), QStringLiteral("OK"));
    QVERIFY(Child<QLabel>(window, "szinminta")->font().bold());
    QCOMPARE(Child<QStatusBar>(window, "StatusBar_terep")->geometry().bottom(), 350);
}

void AreaWindowTest::defaults()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    const std::pair<const char*, const char*> texts[] = {
        {"dombxedit", "25"}, {"dombzedit", "25"}, {"xbontEdit", "25"}, {"zbontedit", "25"},
        {"OffsXEdit", "0"},  {"OffsZEdit", "0"},  {"OffsYEdit", "0"},  {"Lejtxedit", "0"},
        {"Lejtzedit", "0"},  {"KanyarXedit", "0"}, {"KanyarZ1edit", "0"}, {"KanyarZ2edit", "0"},
        {"TexturaEdit", "a.bmp"},
    };
    for (const auto& [name, text] : texts)
        QCOMPARE(Child<QLineEdit>(window, name)->text(), QString::fromUtf8(text));
    for (int k = 1; k <= 8; ++k)
        for (int c = 1; c <= 4; ++c)
            QCOMPARE(Child<QLineEdit>(window, QStringLiteral("d%1%2").arg(k).arg(c))->text(), QStringLiteral("0"));
    QVERIFY(Child<QCheckBox>(window, "fszinchk")->isChecked());
    QCOMPARE(Child<QLabel>(window, "trl")->text(), QStringLiteral("40"));
    QCOMPARE(Child<QLabel>(window, "tgl")->text(), QStringLiteral("140"));
    QCOMPARE(Child<QLabel>(window, "tbl")->text(), QStringLiteral("40"));
    QCOMPARE(Child<QLabel>(window, "rclabel")->text(), QStringLiteral("40"));
    QCOMPARE(Child<QLabel>(window, "gclabel")->text(), QStringLiteral("140"));
    QCOMPARE(Child<QLabel>(window, "bclabel")->text(), QStringLiteral("40"));
    QCOMPARE(Background(Child<QFrame>(window, "tereppanel")), kPeakGreen);
    QCOMPARE(Background(Child<QLabel>(window, "szinminta")), kPeakGreen);
    for (int k = 1; k <= 8; ++k) {
        QCOMPARE(Background(Swatch(window, k)), kPeakGreen);
        QCOMPARE(window.peakColor(k), (ColorRgb{40, 140, 40}));
    }
    QCOMPARE(window.selectedSwatch(), 1);
    QVERIFY(Framed(window, 1));
    QCOMPARE(FramedCount(window), 1);
    QCOMPARE(window.statusText(), QString());

    // The window's inputs are the generator's defaults.
    const TerrainInput input = window.terrainInput();
    const TerrainInput expected;
    QCOMPARE(input.areaX, expected.areaX);
    QCOMPARE(input.resolutionZ, expected.resolutionZ);
    QCOMPARE(input.texture, expected.texture);
    QCOMPARE(input.useColor, expected.useColor);
    QVERIFY(input.baseColor == expected.baseColor);
    QCOMPARE(input.peaks[7].width, expected.peaks[7].width);
    QVERIFY(input.peaks[7].color == expected.peaks[7].color);
}

void AreaWindowTest::tabOrder()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    // As the eye reads the window: the inputs' frame, the peaks' frame (each
    // row with its swatch), then the row of buttons.
    QStringList expected = {"dombxedit", "dombzedit", "xbontEdit",   "zbontedit",   "OffsXEdit",    "OffsZEdit",
                            "OffsYEdit", "Lejtxedit", "Lejtzedit",   "fszinchk",    "rtScrollBar",  "gtScrollBar",
                            "btScrollBar", "KanyarXedit", "KanyarZ1edit", "KanyarZ2edit", "TexturaEdit"};
    for (int k = 1; k <= 8; ++k) {
        for (int c = 1; c <= 4; ++c)
            expected << QStringLiteral("d%1%2").arg(k).arg(c);
        expected << QStringLiteral("Panel%1").arg(k);
    }
    expected << "rScrollBar" << "gScrollBar" << "bScrollBar" << "GenButton";
    QStringList chain;
    QWidget* first = Child<QWidget>(window, "dombxedit");
    QWidget* widget = first;
    do {
        if (expected.contains(widget->objectName()) && !chain.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != first);
    QCOMPARE(chain, expected);
}

void AreaWindowTest::baseColourBars()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    Child<QScrollBar>(window, "rtScrollBar")->setValue(255);
    Child<QScrollBar>(window, "btScrollBar")->setValue(0);
    QCOMPARE(Child<QLabel>(window, "trl")->text(), QStringLiteral("255"));
    QCOMPARE(Child<QLabel>(window, "tgl")->text(), QStringLiteral("140"));
    QCOMPARE(Child<QLabel>(window, "tbl")->text(), QStringLiteral("0"));
    QCOMPARE(Background(Child<QFrame>(window, "tereppanel")), QColor(255, 140, 0));
    // Neither the peaks nor the editor change.
    QCOMPARE(Background(Child<QLabel>(window, "szinminta")), kPeakGreen);
    for (int k = 1; k <= 8; ++k)
        QCOMPARE(window.peakColor(k), (ColorRgb{40, 140, 40}));
    QVERIFY(window.terrainInput().baseColor == (ColorRgb{255, 140, 0}));
}

void AreaWindowTest::editorBars()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    SetEditor(window, 1, 2, 255);
    QCOMPARE(Child<QLabel>(window, "rclabel")->text(), QStringLiteral("1"));
    QCOMPARE(Child<QLabel>(window, "gclabel")->text(), QStringLiteral("2"));
    QCOMPARE(Child<QLabel>(window, "bclabel")->text(), QStringLiteral("255"));
    QCOMPARE(Background(Child<QLabel>(window, "szinminta")), QColor(1, 2, 255));
    // Moving the bars alone changes no peak and not the base colour.
    for (int k = 1; k <= 8; ++k) {
        QCOMPARE(window.peakColor(k), (ColorRgb{40, 140, 40}));
        QCOMPARE(Background(Swatch(window, k)), kPeakGreen);
    }
    QCOMPARE(Background(Child<QFrame>(window, "tereppanel")), kPeakGreen);
    QCOMPARE(Child<QLabel>(window, "trl")->text(), QStringLiteral("40"));
}

void AreaWindowTest::applyRightAfterCreation()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.show();
    SetEditor(window, 200, 10, 20);
    Click(Child<QLabel>(window, "szinminta"));
    QCOMPARE(window.peakColor(1), (ColorRgb{200, 10, 20}));
    QCOMPARE(Background(Swatch(window, 1)), QColor(200, 10, 20));
    for (int k = 2; k <= 8; ++k)
        QCOMPARE(window.peakColor(k), (ColorRgb{40, 140, 40}));
    QVERIFY(window.terrainInput().peaks[0].color == (ColorRgb{200, 10, 20}));
}

void AreaWindowTest::selectEditApply()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.show();
    // Swatch 4 takes a colour, then swatch 6; reselecting 4 loads its colour.
    Click(Swatch(window, 4));
    QCOMPARE(window.selectedSwatch(), 4);
    QVERIFY(Framed(window, 4));
    QCOMPARE(FramedCount(window), 1);
    SetEditor(window, 10, 20, 30);
    QCOMPARE(window.peakColor(4), (ColorRgb{40, 140, 40}));  // not yet applied
    Click(Child<QLabel>(window, "szinminta"));
    QCOMPARE(window.peakColor(4), (ColorRgb{10, 20, 30}));
    QCOMPARE(Background(Swatch(window, 4)), QColor(10, 20, 30));

    Click(Swatch(window, 6));
    QCOMPARE(Child<QScrollBar>(window, "rScrollBar")->value(), 40);
    QCOMPARE(Child<QScrollBar>(window, "gScrollBar")->value(), 140);
    QCOMPARE(Child<QScrollBar>(window, "bScrollBar")->value(), 40);
    QCOMPARE(Background(Child<QLabel>(window, "szinminta")), kPeakGreen);
    SetEditor(window, 0, 0, 0);
    window.applyEditorColor();
    QCOMPARE(window.peakColor(6), (ColorRgb{0, 0, 0}));

    window.pickSwatch(4);
    QCOMPARE(Child<QLabel>(window, "rclabel")->text(), QStringLiteral("10"));
    QCOMPARE(Child<QLabel>(window, "gclabel")->text(), QStringLiteral("20"));
    QCOMPARE(Child<QLabel>(window, "bclabel")->text(), QStringLiteral("30"));
    QCOMPARE(Background(Child<QLabel>(window, "szinminta")), QColor(10, 20, 30));
    QCOMPARE(window.peakColor(4), (ColorRgb{10, 20, 30}));
    QCOMPARE(window.peakColor(6), (ColorRgb{0, 0, 0}));
    const TerrainInput input = window.terrainInput();
    QVERIFY(input.peaks[3].color == (ColorRgb{10, 20, 30}));
    QVERIFY(input.peaks[5].color == (ColorRgb{0, 0, 0}));
}

void AreaWindowTest::selectWithoutApplying()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.show();
    Click(Swatch(window, 3));
    SetEditor(window, 99, 98, 97);
    Click(Swatch(window, 5));
    QCOMPARE(window.peakColor(3), (ColorRgb{40, 140, 40}));
    QCOMPARE(window.peakColor(5), (ColorRgb{40, 140, 40}));
    QCOMPARE(Background(Swatch(window, 3)), kPeakGreen);
    QCOMPARE(Background(Swatch(window, 5)), kPeakGreen);
    QCOMPARE(window.selectedSwatch(), 5);
    QVERIFY(Framed(window, 5));
    QVERIFY(!Framed(window, 3));
    QCOMPARE(FramedCount(window), 1);
}

void AreaWindowTest::selectTheSelectedSwatch()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.show();
    Click(Swatch(window, 1));
    QCOMPARE(window.selectedSwatch(), 1);
    QVERIFY(Framed(window, 1));
    Click(Swatch(window, 7));
    Click(Swatch(window, 7));
    QVERIFY(Framed(window, 7));
    QCOMPARE(FramedCount(window), 1);
}

void AreaWindowTest::reopenKeepsValuesAndEmptiesStatus()
{
    WindowFolder folder;
    MainWindow form;
    AreaBuilderWindow window(&form);
    form.setAreaWindow(&window);
    int opened = 0;
    MainWindow::ModalShower() = [&](AreaBuilderWindow& shown) {
        ++opened;
        if (opened == 1) {
            // First opening: type, colour a swatch, generate.
            Child<QLineEdit>(shown, "dombxedit")->setText("30");
            Child<QLineEdit>(shown, "d23")->setText("5");
            shown.pickSwatch(2);
            SetEditor(shown, 1, 2, 3);
            shown.applyEditorColor();
            shown.pickSwatch(8);
            shown.generateTerrain();
        }
    };
    form.openAreaBuilder();
    QCOMPARE(window.statusText(), QStringLiteral("Domb.B3d fájl generálása kész"));
    form.openAreaBuilder();
    QCOMPARE(opened, 2);
    QCOMPARE(window.statusText(), QString());
    QCOMPARE(Child<QLineEdit>(window, "dombxedit")->text(), QStringLiteral("30"));
    QCOMPARE(Child<QLineEdit>(window, "d23")->text(), QStringLiteral("5"));
    QCOMPARE(window.peakColor(2), (ColorRgb{1, 2, 3}));
    QCOMPARE(window.selectedSwatch(), 8);
    QVERIFY(Framed(window, 8));
    QCOMPARE(Background(Swatch(window, 2)), QColor(1, 2, 3));
}

void AreaWindowTest::generate()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::Hungarian);
    Child<QPushButton>(window, "GenButton")->click();
    QVERIFY(folder.reports.empty());
    QCOMPARE(window.statusText(), QStringLiteral("Domb.B3d fájl generálása kész"));
    const QByteArray file = folder.read("domb.b3d");
    QCOMPARE(file.count("\r\n"), 8 + 625 * 15);
    QVERIFY(file.contains("Color 40,140,40\r\n"));

    window.applyLanguage(UiLanguage::English);
    Child<QCheckBox>(window, "fszinchk")->click();
    Child<QLineEdit>(window, "TexturaEdit")->clear();
    window.generateTerrain();
    QCOMPARE(window.statusText(), QStringLiteral("Domb.B3d file generating successfull"));
    const QByteArray plain = folder.read("domb.b3d");
    QCOMPARE(plain.count("\r\n"), 8 + 625 * 8);
    QVERIFY(!plain.contains("Color "));
    QVERIFY(!plain.contains("[texture]"));
}

void AreaWindowTest::generateRefusedInput()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::Hungarian);
    window.generateTerrain();
    const QByteArray before = folder.read("domb.b3d");
    QVERIFY(!before.isEmpty());

    // Out of the grid's range.
    Child<QLineEdit>(window, "xbontEdit")->setText("101");
    window.generateTerrain();
    QCOMPARE(folder.reports.size(), size_t(1));
    QVERIFY2(folder.reports[0].text.contains(QStringLiteral("Felbontás")), qPrintable(folder.reports[0].text));
    QCOMPARE(window.statusText(), folder.reports[0].text);
    QCOMPARE(folder.read("domb.b3d"), before);

    // A malformed number, English.
    Child<QLineEdit>(window, "xbontEdit")->setText("25");
    Child<QLineEdit>(window, "d13")->setText("1,5");
    window.applyLanguage(UiLanguage::English);
    window.generateTerrain();
    QCOMPARE(folder.reports.size(), size_t(2));
    QVERIFY2(folder.reports[1].text.contains(QStringLiteral("1,5")), qPrintable(folder.reports[1].text));
    QCOMPARE(window.statusText(), folder.reports[1].text);
    QCOMPARE(folder.read("domb.b3d"), before);

    // Zero resolution: an undefined cell size.
    Child<QLineEdit>(window, "d13")->setText("0");
    Child<QLineEdit>(window, "zbontedit")->setText("0");
    window.generateTerrain();
    QCOMPARE(folder.reports.size(), size_t(3));
    QVERIFY2(folder.reports[2].text.contains(QStringLiteral("Resolution")), qPrintable(folder.reports[2].text));
    QCOMPARE(folder.read("domb.b3d"), before);
}

void AreaWindowTest::generateOutputFailure()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::Hungarian);
    QVERIFY(QDir(folder.path()).mkdir("domb.b3d"));
    window.setStatusText(QStringLiteral("earlier"));
    window.generateTerrain();
    QCOMPARE(folder.reports.size(), size_t(1));
    QVERIFY(folder.reports[0].text.contains(QStringLiteral("domb.b3d")));
    QCOMPARE(window.statusText(), QStringLiteral("earlier"));  // unchanged
    QVERIFY(QFileInfo(folder.file("domb.b3d")).isDir());
}

void AreaWindowTest::generateRefusedTextureName()
{
    // Names that cannot stand alone after "load": reported, nothing written.
    WindowFolder folder;
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::Hungarian);
    const QStringList names{QStringLiteral(","), QStringLiteral(" "), QStringLiteral(";x"),
                            QStringLiteral("day.bmp,night.bmp"), QStringLiteral(" a.bmp")};
    for (const QString& name : names) {
        Child<QLineEdit>(window, "TexturaEdit")->setText(name);
        window.generateTerrain();
        QVERIFY2(folder.reports.back().text.startsWith(QStringLiteral("Terep textúrája: ")),
                 qPrintable(folder.reports.back().text));
        QCOMPARE(window.statusText(), folder.reports.back().text);
    }
    QCOMPARE(folder.reports.size(), size_t(names.size()));
    QVERIFY(!folder.exists("domb.b3d"));
}

void AreaWindowTest::generateWriteProtectedFile()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::English);
    QFile protectedFile(folder.file("domb.b3d"));
    QVERIFY(protectedFile.open(QIODevice::WriteOnly));
    protectedFile.write("previous");
    protectedFile.close();
    QVERIFY(protectedFile.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    window.generateTerrain();
    QCOMPARE(folder.reports.size(), size_t(1));
    QCOMPARE(folder.reports[0].text.section(QLatin1Char('\n'), 1), QStringLiteral("File access denied"));
    QCOMPARE(folder.read("domb.b3d"), QByteArray("previous"));
}

QTEST_MAIN(AreaWindowTest)
#include "area_window_test.moc"

// The house builder window: controls and defaults, the enabling by roof
// kind, the labels of the track bars, the colour pickers, the use switches,
// the area builder button and the generate button.
#include "window_test_support.h"

#include "ui/area_window.h"
#include "ui/main_window.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

struct Place {
    const char* name;
    int x, y, w, h;
};

// Every input control of the window with its place and size.
const Place kPlaces[] = {
    {"fszEdit", 88, 72, 49, 21},        {"fhoEdit", 88, 96, 49, 21},       {"fmaEdit", 88, 120, 49, 21},
    {"tmaEdit", 88, 168, 49, 21},       {"tleEdit", 88, 192, 49, 21},      {"tkoEdit", 88, 216, 49, 21},
    {"Nyeregteto", 88, 264, 113, 17},   {"Kontyoltteto", 88, 280, 113, 17}, {"satorteto", 88, 296, 113, 17},
    {"laposteto", 88, 312, 113, 17},    {"Felteto", 88, 328, 113, 17},     {"Ereszcsatorna", 88, 360, 97, 17},
    {"lt_koszoru", 88, 376, 97, 17},    {"tetoszint", 88, 392, 105, 17},   {"OffsXEdit", 160, 72, 49, 21},
    {"OffsZEdit", 160, 96, 49, 21},     {"OffsYEdit", 160, 120, 49, 21},   {"Sbal", 160, 168, 57, 17},
    {"Sjobb", 160, 192, 57, 17},        {"SarokfalEdit", 160, 216, 49, 21}, {"Kemenymeret", 320, 72, 137, 25},
    {"kpozx", 328, 96, 121, 21},        {"kpozz", 328, 120, 121, 21},      {"Lepn", 320, 152, 137, 25},
    {"Lepe", 320, 184, 137, 25},        {"Lepo", 320, 224, 137, 25},       {"Leps", 320, 264, 137, 25},
    {"lesz", 328, 296, 49, 21},         {"leho", 328, 320, 49, 21},        {"lema", 328, 344, 49, 21},
    {"legyenes", 384, 296, 73, 17},     {"Button1", 272, 384, 121, 25},    {"terepgomb", 272, 416, 121, 25},
    {"hu_Button", 583, 24, 49, 17},     {"en_Button", 632, 24, 49, 17},    {"StatusBar1", 0, 457, 691, 19},
    {"fszinchk", 480, 48, 97, 17},      {"tszinchk", 480, 152, 97, 17},    {"kszinchk", 480, 248, 97, 17},
    {"lszinchk", 480, 344, 97, 17},     {"falszinpanel", 640, 72, 41, 65}, {"tetoszinpanel", 640, 176, 41, 65},
    {"kemenyszinPanel", 640, 272, 41, 65}, {"lepcsoszinPanel", 640, 368, 41, 65},
};

struct Group {
    const char* bars[3];
    const char* values[3];
    const char* panel;
    int top;
    int channels[3];
};
const Group kGroups[] = {
    {{"rfScrollBar", "gfScrollBar", "bfScrollBar"}, {"frl", "fgl", "fbl"}, "falszinpanel", 72, {180, 160, 105}},
    {{"rtScrollBar", "gtScrollBar", "btScrollBar"}, {"trl", "tgl", "tbl"}, "tetoszinpanel", 176, {100, 20, 20}},
    {{"rkScrollBar", "gkScrollBar", "bkScrollBar"}, {"krl", "kgl", "kbl"}, "kemenyszinPanel", 272, {215, 200, 200}},
    {{"rlScrollBar", "glScrollBar", "blScrollBar"}, {"lrl", "lgl", "lbl"}, "lepcsoszinPanel", 368, {100, 100, 105}},
};

QColor Background(const QWidget* widget) { return widget->palette().color(QPalette::Window); }

QString Label(const MainWindow& form, const char* name) { return Child<QLabel>(form, name)->text(); }

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void titleSizeAndFont();
    void controlPlaces();
    void defaults();
    void tabOrder();
    void initialLabels();
    void startUpEnablesAsTheCheckedRoof();
    void enablingByRoof_data();
    void enablingByRoof();
    void flatThenLean();
    void disabledControlsKeepTheirState();
    void chimneyLabel();
    void stepCountLabel();
    void placementLabels();
    void scrollBarUpdatesOnlyItsGroup_data();
    void scrollBarUpdatesOnlyItsGroup();
    void useCheckBoxes();
    void areaBuilderButton();
    void generateDefaultHouse();
    void generateRefusedInput();
    void generateOutputFailure();
    void generateWriteProtectedFile();
    void webLabel();
};

void MainWindowTest::titleSizeAndFont()
{
    WindowFolder folder;
    MainWindow form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Kestrane Builder V0.95"));
    QCOMPARE(form.size(), QSize(691, 476));
    QCOMPARE(form.pos(), QPoint(377, 132));
    QCOMPARE(form.minimumSize(), QSize(691, 476));
    QCOMPARE(form.maximumSize(), QSize(691, 476));
    QVERIFY(form.font().family().startsWith(QStringLiteral("DejaVu Sans")));
    // The title changes with no switch.
    form.switchToEnglish();
    QCOMPARE(form.windowTitle(), QStringLiteral("Kestrane Builder V0.95"));
}

void MainWindowTest::controlPlaces()
{
    WindowFolder folder;
    MainWindow form;
    for (const Place& place : kPlaces)
        QVERIFY2(Child<QWidget>(form, place.name)->geometry() == QRect(place.x, place.y, place.w, place.h), place.name);
    for (const Group& group : kGroups) {
        for (int i = 0; i < 3; ++i) {
            auto* bar = Child<QScrollBar>(form, group.bars[i]);
            QCOMPARE(bar->geometry(), QRect(480, group.top + 24 * i, 129, 17));
            QCOMPARE(bar->orientation(), Qt::Horizontal);
            QCOMPARE(bar->minimum(), 0);
            QCOMPARE(bar->maximum(), 255);
            QCOMPARE(Child<QLabel>(form, group.values[i])->x(), 616);
            QCOMPARE(Child<QLabel>(form, group.values[i])->y(), group.top + 24 * i);
        }
    }
    const std::pair<const char*, QPoint> labels[] = {
        {"kemenylabel", {224, 72}}, {"Lfoklabel", {304, 160}}, {"felje_label", {224, 192}},
        {"feljo_label", {224, 232}}, {"feljs_label", {224, 272}}, {"Label10", {8, 440}},
        {"keszito", {512, 440}}, {"Label12", {576, 440}}, {"Felj_no", {224, 160}},
        {"tetolabel", {88, 152}}, {"SarokLabel", {160, 152}}, {"X_kpoz", {264, 96}}, {"Z_kpoz", {264, 120}},
        {"felj_elol", {264, 176}}, {"felj_oldalt", {264, 216}}, {"Felj_sarok", {264, 248}},
        {"lepszlabel", {272, 296}}, {"lepholabel", {272, 320}}, {"lepmalabel", {272, 344}},
    };
    for (const auto& [name, point] : labels)
        QVERIFY2(Child<QLabel>(form, name)->pos() == point, name);
}

void MainWindowTest::defaults()
{
    WindowFolder folder;
    MainWindow form;
    const std::pair<const char*, const char*> texts[] = {
        {"fszEdit", "6000"}, {"fhoEdit", "8000"}, {"fmaEdit", "3500"}, {"tmaEdit", "7000"},
        {"tleEdit", "400"},  {"tkoEdit", "2000"}, {"OffsXEdit", "0"},  {"OffsZEdit", "0"},
        {"OffsYEdit", "0"},  {"SarokfalEdit", "1000"}, {"kpozx", "2000"}, {"kpozz", "0"},
        {"lesz", "300"},     {"leho", "1500"},    {"lema", "200"},
    };
    for (const auto& [name, text] : texts)
        QCOMPARE(Child<QLineEdit>(form, name)->text(), QString::fromUtf8(text));

    const std::pair<const char*, bool> checked[] = {
        {"Nyeregteto", false}, {"Kontyoltteto", false}, {"satorteto", true}, {"laposteto", false},
        {"Felteto", false},    {"Ereszcsatorna", true}, {"lt_koszoru", false}, {"tetoszint", false},
        {"Sbal", false},       {"Sjobb", false},       {"legyenes", false},  {"fszinchk", false},
        {"tszinchk", false},   {"kszinchk", false},    {"lszinchk", false},
    };
    for (const auto& [name, state] : checked)
        QVERIFY2(Child<QAbstractButton>(form, name)->isChecked() == state, name);

    struct Track {
        const char* name;
        int value, highest;
    };
    for (const Track& track : {Track{"Kemenymeret", 1, 4}, Track{"Lepn", 2, 16}, Track{"Lepe", 2, 3},
                               Track{"Lepo", 0, 3}, Track{"Leps", 0, 3}}) {
        auto* slider = Child<QSlider>(form, track.name);
        QCOMPARE(slider->orientation(), Qt::Horizontal);
        QCOMPARE(slider->value(), track.value);
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), track.highest);
    }
    for (const Group& group : kGroups)
        for (int i = 0; i < 3; ++i)
            QCOMPARE(Child<QScrollBar>(form, group.bars[i])->value(), group.channels[i]);

    QVERIFY(!form.useWallColor());
    QVERIFY(!form.useRoofColor());
    QVERIFY(!form.useChimneyColor());
    QVERIFY(!form.useStairColor());
    QCOMPARE(Label(form, "Label10"), QStringLiteral("Web"));
    QCOMPARE(form.webAddress(), QString::fromUtf8(kMakerWebPage));
    QCOMPARE(form.statusText(), QString());
    QCOMPARE(folder.updateChecks, 1);

    // The window's inputs are those of the command line's defaults, with
    // the enabled states of the pyramid roof.
    HouseInput expected;
    const HouseInput input = form.houseInput();
    QCOMPARE(input.width, expected.width);
    QCOMPARE(input.roofKind, RoofKind::Pyramid);
    QVERIFY(!input.RoofLevelTextureEnabled());
    QVERIFY(input.CornerWallSizeEnabled());
    QVERIFY(input.wall.color == expected.wall.color && input.roof.color == expected.roof.color &&
            input.chimney.color == expected.chimney.color && input.stair.color == expected.stair.color);
}

void MainWindowTest::tabOrder()
{
    WindowFolder folder;
    MainWindow form;
    // As the eye reads the window: column by column, by group from the top.
    const QStringList expected = {
        "fszEdit", "fhoEdit", "fmaEdit", "OffsXEdit", "OffsZEdit", "OffsYEdit", "tmaEdit", "tleEdit", "tkoEdit",
        "Sbal", "Sjobb", "SarokfalEdit", "Nyeregteto", "Kontyoltteto", "satorteto", "laposteto", "Felteto",
        "Ereszcsatorna", "lt_koszoru", "tetoszint", "Kemenymeret", "kpozx", "kpozz", "Lepn", "Lepe", "Lepo", "Leps",
        "lesz", "leho", "lema", "legyenes", "Button1", "terepgomb", "hu_Button", "en_Button", "fszinchk",
        "rfScrollBar", "gfScrollBar", "bfScrollBar", "tszinchk", "rtScrollBar", "gtScrollBar", "btScrollBar",
        "kszinchk", "rkScrollBar", "gkScrollBar", "bkScrollBar", "lszinchk", "rlScrollBar", "glScrollBar",
        "blScrollBar"};
    QStringList chain;
    QWidget* widget = Child<QWidget>(form, "fszEdit");
    do {
        if (expected.contains(widget->objectName()) && !chain.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != Child<QWidget>(form, "fszEdit"));
    QCOMPARE(chain, expected);
}

void MainWindowTest::initialLabels()
{
    WindowFolder folder;
    {
        MainWindow form;  // no lang.cfg: Hungarian
        QCOMPARE(form.language(), UiLanguage::Hungarian);
        for (const Group& group : kGroups) {
            for (int i = 0; i < 3; ++i)
                QCOMPARE(Label(form, group.values[i]), QString::number(group.channels[i]));
            QCOMPARE(Background(Child<QFrame>(form, group.panel)),
                     QColor(group.channels[0], group.channels[1], group.channels[2]));
        }
        QCOMPARE(Label(form, "Lfoklabel"), QStringLiteral("2"));
        QCOMPARE(Label(form, "kemenylabel"), QStringLiteral("Kémény méret:"));
        QCOMPARE(Label(form, "felje_label"), QStringLiteral("Középen"));
        QCOMPARE(Label(form, "feljo_label"), QStringLiteral("Nincs"));
        QCOMPARE(Label(form, "feljs_label"), QStringLiteral("Nincs"));
    }
    QVERIFY(folder.write("lang.cfg", "en"));
    MainWindow form;
    QCOMPARE(form.language(), UiLanguage::English);
    QCOMPARE(Label(form, "kemenylabel"), QStringLiteral("Chimney size:"));
    QCOMPARE(Label(form, "felje_label"), QStringLiteral("Center"));
    QCOMPARE(Label(form, "feljo_label"), QStringLiteral("None"));
    QCOMPARE(Label(form, "feljs_label"), QStringLiteral("None"));
}

namespace {

const char* const kEnabledControls[] = {"lt_koszoru", "Ereszcsatorna", "tkoEdit", "tleEdit",
                                        "Sbal",       "Sjobb",         "SarokfalEdit", "tetoszint"};

// The corner size box is enabled only with a corner wall ticked: its place
// in the pattern is what the roof allows, read with a corner ticked.
QString EnabledPattern(const MainWindow& form)
{
    QString pattern;
    auto* corner = Child<QCheckBox>(form, "Sbal");
    const bool ticked = corner->isChecked();
    corner->setChecked(true);
    for (const char* name : kEnabledControls)
        pattern += Child<QWidget>(form, name)->isEnabled() ? u'1' : u'0';
    corner->setChecked(ticked);
    return pattern;
}

}  // namespace

void MainWindowTest::startUpEnablesAsTheCheckedRoof()
{
    // The pyramid roof is checked at start-up: its controls are enabled as
    // after a click on it.
    WindowFolder folder;
    MainWindow form;
    QCOMPARE(EnabledPattern(form), QStringLiteral("01011110"));
    QVERIFY(!form.houseInput().RoofLevelTextureEnabled());
}

void MainWindowTest::enablingByRoof_data()
{
    // lt_koszoru, Ereszcsatorna, tkoEdit, tleEdit, Sbal, Sjobb, SarokfalEdit, tetoszint
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("pitched") << "Nyeregteto" << "01011111";
    QTest::newRow("hip") << "Kontyoltteto" << "01111110";
    QTest::newRow("pyramid") << "satorteto" << "01011110";
    QTest::newRow("flat") << "laposteto" << "10000000";
    QTest::newRow("lean") << "Felteto" << "01010001";
}

void MainWindowTest::enablingByRoof()
{
    QFETCH(QString, button);
    QFETCH(QString, pattern);
    WindowFolder folder;
    MainWindow form;
    form.show();
    QTest::mouseClick(Child<QRadioButton>(form, button), Qt::LeftButton);
    QVERIFY(Child<QRadioButton>(form, button)->isChecked());
    QCOMPARE(EnabledPattern(form), pattern);
    // The same table, as the house generator has it.
    const HouseInput input = form.houseInput();
    QCOMPARE(input.RoofLevelTextureEnabled(), pattern.at(7) == u'1');
    QCOMPARE(input.CornerWallSizeEnabled(), pattern.at(6) == u'1');
}

void MainWindowTest::flatThenLean()
{
    WindowFolder folder;
    MainWindow form;
    Child<QRadioButton>(form, "laposteto")->click();
    QCOMPARE(EnabledPattern(form), QStringLiteral("10000000"));
    Child<QRadioButton>(form, "Felteto")->click();
    // Gutters, overhang and roof-level texture return; the corner walls stay off.
    QCOMPARE(EnabledPattern(form), QStringLiteral("01010001"));
    QVERIFY(Child<QRadioButton>(form, "Felteto")->isChecked());
    QVERIFY(!Child<QRadioButton>(form, "laposteto")->isChecked());
}

void MainWindowTest::disabledControlsKeepTheirState()
{
    WindowFolder folder;
    MainWindow form;
    Child<QCheckBox>(form, "Sbal")->click();
    Child<QLineEdit>(form, "SarokfalEdit")->setText("1500");
    Child<QRadioButton>(form, "laposteto")->click();
    QVERIFY(Child<QCheckBox>(form, "Sbal")->isChecked());
    QVERIFY(Child<QCheckBox>(form, "Ereszcsatorna")->isChecked());
    QCOMPARE(Child<QLineEdit>(form, "SarokfalEdit")->text(), QStringLiteral("1500"));
    const HouseInput input = form.houseInput();
    QVERIFY(input.cornerWallLeft);
    QVERIFY(!input.CornerWallSizeEnabled());
    QVERIFY(input.gutters);
}

void MainWindowTest::chimneyLabel()
{
    WindowFolder folder;
    MainWindow form;
    auto* slider = Child<QSlider>(form, "Kemenymeret");
    slider->setValue(0);
    QCOMPARE(Label(form, "kemenylabel"), QStringLiteral("Kémény nincs"));
    for (int size = 1; size <= 4; ++size) {
        slider->setValue(size);
        QCOMPARE(Label(form, "kemenylabel"), QStringLiteral("Kémény méret: %1").arg(size));
    }
    // English: the same texts once the bar moves; the bare caption after a switch.
    form.switchToEnglish();
    QCOMPARE(Label(form, "kemenylabel"), QStringLiteral("Chimney size:"));
    slider->setValue(0);
    QCOMPARE(Label(form, "kemenylabel"), QStringLiteral("Kémény nincs"));
    slider->setValue(3);
    QCOMPARE(Label(form, "kemenylabel"), QStringLiteral("Kémény méret: 3"));
}

void MainWindowTest::stepCountLabel()
{
    WindowFolder folder;
    MainWindow form;
    auto* slider = Child<QSlider>(form, "Lepn");
    for (int steps : {0, 7, 16}) {
        slider->setValue(steps);
        QCOMPARE(Label(form, "Lfoklabel"), QString::number(steps));
    }
    form.show();
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Left);
    QCOMPARE(Label(form, "Lfoklabel"), QStringLiteral("15"));
}

void MainWindowTest::placementLabels()
{
    WindowFolder folder;
    MainWindow form;
    auto* front = Child<QSlider>(form, "Lepe");
    auto* side = Child<QSlider>(form, "Lepo");
    auto* corner = Child<QSlider>(form, "Leps");
    const char* const frontHu[] = {"Nincs", "Bal oldalt", "Középen", "Jobb oldalt"};
    const char* const cornerHu[] = {"Nincs", "Bal oldalt", "Két oldalt", "Jobb oldalt"};
    for (int position = 0; position <= 3; ++position) {
        front->setValue(position);
        side->setValue(position);
        corner->setValue(position);
        QCOMPARE(Label(form, "felje_label"), QString::fromUtf8(frontHu[position]));
        QCOMPARE(Label(form, "feljo_label"), QString::fromUtf8(frontHu[position]));
        QCOMPARE(Label(form, "feljs_label"), QString::fromUtf8(cornerHu[position]));
    }
    front->setValue(2);
    side->setValue(1);
    corner->setValue(2);
    QCOMPARE(Label(form, "felje_label"), QStringLiteral("Középen"));
    QCOMPARE(Label(form, "feljs_label"), QStringLiteral("Két oldalt"));
    // A switch relabels at once.
    Child<QPushButton>(form, "en_Button")->click();
    QCOMPARE(Label(form, "felje_label"), QStringLiteral("Center"));
    QCOMPARE(Label(form, "feljo_label"), QStringLiteral("Left side"));
    QCOMPARE(Label(form, "feljs_label"), QStringLiteral("Both"));
    front->setValue(3);
    side->setValue(0);
    QCOMPARE(Label(form, "felje_label"), QStringLiteral("Right side"));
    QCOMPARE(Label(form, "feljo_label"), QStringLiteral("None"));
    Child<QPushButton>(form, "hu_Button")->click();
    QCOMPARE(Label(form, "felje_label"), QStringLiteral("Jobb oldalt"));
    QCOMPARE(Label(form, "feljs_label"), QStringLiteral("Két oldalt"));
}

void MainWindowTest::scrollBarUpdatesOnlyItsGroup_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("channel");
    for (int group = 0; group < 4; ++group)
        for (int channel = 0; channel < 3; ++channel)
            QTest::addRow("%s", kGroups[group].bars[channel]) << group << channel;
}

void MainWindowTest::scrollBarUpdatesOnlyItsGroup()
{
    QFETCH(int, group);
    QFETCH(int, channel);
    WindowFolder folder;
    MainWindow form;
    Child<QScrollBar>(form, kGroups[group].bars[channel])->setValue(255);
    for (int g = 0; g < 4; ++g) {
        int expected[3] = {kGroups[g].channels[0], kGroups[g].channels[1], kGroups[g].channels[2]};
        if (g == group)
            expected[channel] = 255;
        for (int c = 0; c < 3; ++c)
            QCOMPARE(Label(form, kGroups[g].values[c]), QString::number(expected[c]));
        QCOMPARE(Background(Child<QFrame>(form, kGroups[g].panel)), QColor(expected[0], expected[1], expected[2]));
    }
    // The generator reads the bars.
    const HouseInput input = form.houseInput();
    const ColorSetting settings[] = {input.wall, input.roof, input.chimney, input.stair};
    const std::uint8_t channels[] = {settings[group].color.r, settings[group].color.g, settings[group].color.b};
    QCOMPARE(int(channels[channel]), 255);
}

void MainWindowTest::useCheckBoxes()
{
    WindowFolder folder;
    MainWindow form;
    form.show();
    struct Use {
        const char* box;
        bool (MainWindow::*flag)() const;
        ColorSetting HouseInput::*setting;
    };
    for (const Use& use : {Use{"fszinchk", &MainWindow::useWallColor, &HouseInput::wall},
                           Use{"tszinchk", &MainWindow::useRoofColor, &HouseInput::roof},
                           Use{"kszinchk", &MainWindow::useChimneyColor, &HouseInput::chimney},
                           Use{"lszinchk", &MainWindow::useStairColor, &HouseInput::stair}}) {
        auto* box = Child<QCheckBox>(form, use.box);
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY2((form.*use.flag)(), use.box);
        QVERIFY((form.houseInput().*use.setting).use);
        int on = 0;
        for (auto flag : {&MainWindow::useWallColor, &MainWindow::useRoofColor, &MainWindow::useChimneyColor,
                          &MainWindow::useStairColor})
            on += (form.*flag)() ? 1 : 0;
        QCOMPARE(on, 1);
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY2(!(form.*use.flag)(), use.box);
        QVERIFY(!(form.houseInput().*use.setting).use);
    }
}

void MainWindowTest::areaBuilderButton()
{
    WindowFolder folder;
    MainWindow form;
    AreaBuilderWindow area(&form);
    form.setAreaWindow(&area);
    area.setStatusText("earlier text");
    QCOMPARE(area.language(), UiLanguage::English);  // before its first opening
    // The window is open (modal) while the shower runs.
    QString statusWhileOpen;
    QString titleWhileOpen;
    MainWindow::ModalShower() = [&](AreaBuilderWindow& window) {
        statusWhileOpen = window.statusText();
        titleWhileOpen = window.windowTitle();
    };
    Child<QPushButton>(form, "terepgomb")->click();
    QCOMPARE(statusWhileOpen, QString());
    QCOMPARE(titleWhileOpen, QStringLiteral("Terepépítő modul"));
    QCOMPARE(area.language(), UiLanguage::Hungarian);

    form.switchToEnglish();
    area.setStatusText("Domb.B3d file generating successfull");
    form.openAreaBuilder();
    QCOMPARE(statusWhileOpen, QString());
    QCOMPARE(titleWhileOpen, QStringLiteral("Area builder"));

    // The real modal loop: closed from inside.
    MainWindow::ModalShower() = [](AreaBuilderWindow& window) {
        QTimer::singleShot(0, &window, [&window] {
            QVERIFY(window.isModal() || window.isVisible());
            window.reject();
        });
        window.exec();
    };
    form.openAreaBuilder();
    QVERIFY(!area.isVisible());
}

void MainWindowTest::generateDefaultHouse()
{
    WindowFolder folder;
    MainWindow form;
    Child<QPushButton>(form, "Button1")->click();
    QCOMPARE(form.statusText(), QStringLiteral("haz_satorteto.b3d fájl generálása kész"));
    QVERIFY(folder.exists("haz_satorteto.b3d"));
    QVERIFY(folder.reports.empty());
    QVERIFY(folder.read("haz_satorteto.b3d").startsWith(';'));

    form.switchToEnglish();
    Child<QRadioButton>(form, "Felteto")->click();
    form.generateHouse();
    QCOMPARE(form.statusText(), QStringLiteral("haz_lean.b3d file generating successfull"));
    QVERIFY(folder.exists("haz_lean.b3d"));
}

void MainWindowTest::generateRefusedInput()
{
    WindowFolder folder;
    MainWindow form;
    form.generateHouse();
    const QByteArray before = folder.read("haz_satorteto.b3d");
    Child<QLineEdit>(form, "fszEdit")->setText("6000mm");
    form.generateHouse();
    QCOMPARE(folder.reports.size(), size_t(1));
    QVERIFY2(folder.reports[0].text.contains(QStringLiteral("Szélesség")), qPrintable(folder.reports[0].text));
    QVERIFY(folder.reports[0].text.contains(QStringLiteral("6000mm")));
    QCOMPARE(form.statusText(), folder.reports[0].text);
    QCOMPARE(folder.read("haz_satorteto.b3d"), before);  // nothing is lost

    form.switchToEnglish();
    form.generateHouse();
    QCOMPARE(folder.reports.size(), size_t(2));
    QVERIFY2(folder.reports[1].text.contains(QStringLiteral("Width")), qPrintable(folder.reports[1].text));
    QCOMPARE(form.statusText(), folder.reports[1].text);
}

void MainWindowTest::generateOutputFailure()
{
    WindowFolder folder;
    MainWindow form;
    // The file name is taken by a folder: the file cannot be written.
    QVERIFY(QDir(folder.path()).mkdir("haz_satorteto.b3d"));
    form.generateHouse();
    QCOMPARE(folder.reports.size(), size_t(1));
    QVERIFY(folder.reports[0].text.contains(QStringLiteral("haz_satorteto.b3d")));
    QCOMPARE(form.statusText(), QStringLiteral("Generálás..."));
    QVERIFY(QFileInfo(folder.file("haz_satorteto.b3d")).isDir());

    form.switchToEnglish();
    Child<QRadioButton>(form, "Kontyoltteto")->click();
    QVERIFY(QDir(folder.path()).mkdir("House_hip.b3d"));
    form.generateHouse();
    QCOMPARE(folder.reports.size(), size_t(2));
    QCOMPARE(form.statusText(), QStringLiteral("Generating..."));
}

void MainWindowTest::generateWriteProtectedFile()
{
    // A file its user write-protected is kept, and the refusal reported.
    WindowFolder folder;
    MainWindow form;
    form.switchToEnglish();
    QFile protectedFile(folder.file("House_pyramid.b3d"));
    QVERIFY(protectedFile.open(QIODevice::WriteOnly));
    protectedFile.write("previous");
    protectedFile.close();
    QVERIFY(protectedFile.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    form.generateHouse();
    QCOMPARE(folder.reports.size(), size_t(1));
    QCOMPARE(folder.reports[0].text.section(QLatin1Char('\n'), 1), QStringLiteral("File access denied"));
    QVERIFY(folder.reports[0].text.contains(QStringLiteral("House_pyramid.b3d")));
    QCOMPARE(folder.read("House_pyramid.b3d"), QByteArray("previous"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"House_pyramid.b3d", "lang.cfg"}));
}

void MainWindowTest::webLabel()
{
    WindowFolder folder;
    MainWindow form;
    form.show();
    QStringList opened;
    const auto previous = MainWindow::BrowserOpener();
    MainWindow::BrowserOpener() = [&](const QString& address) { opened << address; };
    QTest::mouseClick(form.webLabel(), Qt::LeftButton);
    form.setWebAddress("http://example.org/new");
    form.openWebAddress();
    MainWindow::BrowserOpener() = previous;
    QCOMPARE(opened, QStringList({QString::fromUtf8(kMakerWebPage), QStringLiteral("http://example.org/new")}));
    QCOMPARE(form.webLabel()->objectName(), QStringLiteral("Label10"));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

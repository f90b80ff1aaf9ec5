// The facade area of the main window: hidden and disabled until facades
// are switched on, the window then grows without moving anything, the
// inputs reach the generator, the bitmaps are listed in the status
// tooltip, and the captions switch language and fit.
#include "window_test_support.h"

#include "house/house_generator.h"
#include "support/test_support.h"
#include "ui/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

class FacadeAreaTest : public QObject {
    Q_OBJECT

private slots:
    void offUntilSwitchedOn();
    void inputsReachTheGeneration();
    void captionsSwitchLanguageAndFit();
};

void FacadeAreaTest::offUntilSwitchedOn()
{
    WindowFolder folder;
    MainWindow form;
    auto* area = Child<QWidget>(form, "homlokzatPanel");
    auto* facades = Child<QCheckBox>(form, "homlokzatchk");
    QCOMPARE(form.size(), QSize(691, 476));
    QVERIFY(!facades->isChecked());
    QVERIFY(!area->isVisibleTo(&form));
    QVERIFY(!area->isEnabled());
    QVERIFY(!form.houseInput().facades.enabled);

    // Every other control keeps its place when the window grows.
    std::vector<std::pair<QWidget*, QRect>> before;
    for (QWidget* widget : form.findChildren<QWidget*>()) {
        if (!area->isAncestorOf(widget) && widget != area)
            before.emplace_back(widget, widget->geometry());
    }
    facades->click();
    QCOMPARE(form.size(), QSize(991, 476));
    QVERIFY(area->isVisibleTo(&form));
    QVERIFY(area->isEnabled());
    QVERIFY(QRect(QPoint(0, 0), form.size()).contains(area->geometry()));
    for (const auto& [widget, geometry] : before)
        QVERIFY2(widget->geometry() == geometry, qPrintable(widget->objectName()));

    facades->click();
    QVERIFY(!area->isEnabled());
    QVERIFY(!Child<QLineEdit>(form, "ablakElolDb")->isEnabled());
    QCOMPARE(form.size(), QSize(991, 476));
    QVERIFY(!form.houseInput().facades.enabled);
}

void FacadeAreaTest::inputsReachTheGeneration()
{
    WindowFolder folder;
    folder.write("lang.cfg", "en");
    MainWindow form;
    Child<QCheckBox>(form, "homlokzatchk")->click();
    Child<QLineEdit>(form, "szintEdit")->setText("2");
    Child<QLineEdit>(form, "szintmaEdit")->setText("1750");
    Child<QCheckBox>(form, "ablakElol")->click();
    Child<QLineEdit>(form, "ablakElolSz")->setText("1000");
    Child<QLineEdit>(form, "ablakElolMa")->setText("1000");
    Child<QLineEdit>(form, "ablakElolPa")->setText("500");
    Child<QCheckBox>(form, "ablakBal")->click();
    Child<QLineEdit>(form, "ablakBalMa")->setText("1000");
    Child<QLineEdit>(form, "ablakBalPa")->setText("500");
    Child<QCheckBox>(form, "ajtochk")->click();
    Child<QCheckBox>(form, "oldalajtochk")->click();
    Child<QComboBox>(form, "oldalajtoFal")->setCurrentIndex(2);
    Child<QLineEdit>(form, "ajtoMa")->setText("1300");  // on the 400 mm of the front stairs
    Child<QLineEdit>(form, "oldalajtoMa")->setText("1700");
    Child<QLineEdit>(form, "ajtotexEdit")->setText("front_door.bmp");
    Child<QCheckBox>(form, "keretchk")->click();
    Child<QCheckBox>(form, "vilagitchk")->click();
    Child<QCheckBox>(form, "ajtoszinchk")->click();
    Child<QLineEdit>(form, "ajtoszinEdit")->setText("90,60,30");

    const FacadeInput input = form.houseInput().facades;
    QVERIFY(input.enabled);
    QCOMPARE(input.storeys, std::string("2"));
    QCOMPARE(input.storeyHeight, std::string("1750"));
    QVERIFY(input.windows[static_cast<int>(WallSide::Front)].enabled);
    QCOMPARE(input.windows[static_cast<int>(WallSide::Front)].width, std::string("1000"));
    QVERIFY(!input.windows[static_cast<int>(WallSide::Right)].enabled);
    QVERIFY(input.windows[static_cast<int>(WallSide::Left)].enabled);
    QVERIFY(input.door.enabled && input.sideDoor.enabled);
    QCOMPARE(input.sideDoorSide, WallSide::Back);
    QVERIFY(input.frames && input.lit);
    QCOMPARE(input.litPercent, std::string("30"));
    QCOMPARE(input.windowColor, std::string());
    QCOMPARE(input.doorColor, std::string("90,60,30"));

    // The window writes what the generator writes for the same inputs, and
    // tells in the status tooltip which bitmaps the object needs.
    Child<QPushButton>(form, "Button1")->click();
    QVERIFY2(folder.reports.empty(), folder.reports.empty() ? "" : qPrintable(folder.reports.front().text));
    QCOMPARE(form.statusText(), QStringLiteral("House_pyramid.b3d file generating successfull"));
    const QByteArray written = folder.read("House_pyramid.b3d");
    QVERIFY(written.contains("load window.bmp"));
    QVERIFY2(!written.contains("load front_door.bmp"), "the colour replaces the door bitmap");
    QVERIFY(written.contains("color  90, 60, 30"));
    // Lit windows load a night texture beside the day one.
    QVERIFY(written.contains("load window.bmp,window_night.bmp"));
    // The command line with the same facade options writes the same file.
    QTemporaryDir cliFolder;
    const auto cli = kestrane::test::RunCli(
        {"house", "--lang", "en", "--storeys", "2", "--storey-height", "1750", "--windows", "front:2,1000,1000,500",
         "--windows", "left:2,1200,1000,500", "--door", "1000,1300", "--side-door", "back:1000,1700,0",
         "--door-texture", "front_door.bmp", "--door-color", "90,60,30", "--window-frames", "--lit", "30"},
        QFile::encodeName(cliFolder.path()).toStdString());
    QCOMPARE(cli.exitCode, 0);
    QFile cliFile(cliFolder.filePath("House_pyramid.b3d"));
    QVERIFY(cliFile.open(QIODevice::ReadOnly));
    QCOMPARE(cliFile.readAll(), written);
    auto* status = Child<QLabel>(form, "StatusBar1Panel");
    QVERIFY(status->toolTip().startsWith(QStringLiteral("Bitmaps needed:\n  1.bmp\n")));
    QVERIFY(status->toolTip().contains(QStringLiteral("\n  eresz.bmp\n  window.bmp\n")));

    // A refusal names the wall and the field; the file stays as it was.
    Child<QLineEdit>(form, "ablakElolDb")->setText("5");
    Child<QPushButton>(form, "Button1")->click();
    QCOMPARE(folder.reports.size(), std::size_t(1));
    QVERIFY(folder.reports[0].text.startsWith(QStringLiteral("Front wall, window count: 5 windows")));
    QCOMPARE(folder.read("House_pyramid.b3d"), written);
    QVERIFY(status->toolTip().isEmpty());

    // Facades off again: the file of the window without facades.
    Child<QCheckBox>(form, "homlokzatchk")->click();
    Child<QPushButton>(form, "Button1")->click();
    HouseInput plain = form.houseInput();
    QVERIFY(!plain.facades.enabled);
    plain.facades = {};
    QTemporaryDir other;
    GenerateHouse(plain, UiLanguage::English, other.path().toStdString());
    QFile expected(other.filePath("House_pyramid.b3d"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(folder.read("House_pyramid.b3d"), expected.readAll());
    QVERIFY(status->toolTip().isEmpty());
}

void FacadeAreaTest::captionsSwitchLanguageAndFit()
{
    WindowFolder folder;
    MainWindow form;
    Child<QCheckBox>(form, "homlokzatchk")->click();
    auto* area = Child<QWidget>(form, "homlokzatPanel");
    struct Expected {
        UiLanguage language;
        const char* box;
        const char* sill;
        const char* wall;
        const char* hint;
    };
    const Expected cases[] = {
        {UiLanguage::Hungarian, "Homlokzat", "Parapet", "Hátul", "Ablakok száma szintenként"},
        {UiLanguage::English, "Facades", "Sill", "Back", "Windows per storey"},
    };
    for (const Expected& c : cases) {
        form.SwitchLanguage(c.language);
        QCOMPARE(Child<QCheckBox>(form, "homlokzatchk")->text(), QString::fromUtf8(c.box));
        QCOMPARE(Child<QLabel>(form, "parapetLabel")->text(), QString::fromUtf8(c.sill));
        QCOMPARE(Child<QComboBox>(form, "oldalajtoFal")->itemText(2), QString::fromUtf8(c.wall));
        QCOMPARE(Child<QLineEdit>(form, "ablakBalDb")->toolTip(), QString::fromUtf8(c.hint));
        // Every caption fits its control, and every control has a hint.
        for (QWidget* widget : area->findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            if (name.isEmpty() || name.startsWith("qt_"))
                continue;
            QVERIFY2(area->rect().contains(widget->geometry()), qPrintable(name));
            const QFontMetrics metrics(widget->font());
            if (auto* box = qobject_cast<QCheckBox*>(widget)) {
                QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(name + " " + box->text()));
                QVERIFY2(!box->toolTip().isEmpty(), qPrintable(name));
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width(),
                         qPrintable(name + " " + label->text()));
            } else if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget)) {
                QVERIFY2(!widget->toolTip().isEmpty(), qPrintable(name));
            }
        }
        auto* box = Child<QCheckBox>(form, "homlokzatchk");
        QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->text()));
        // The picture of the README.
        if (const QByteArray shots = qgetenv("KESTRANE_SCREENSHOTS"); !shots.isEmpty() && c.language == UiLanguage::English)
            form.grab().save(QString::fromLocal8Bit(shots) + "/main_facades_en.png");
    }
}

QTEST_MAIN(FacadeAreaTest)
#include "facade_area_test.moc"

// Everyday use of both windows: the tab order as the eye reads them, a
// radio group entered at its checked button, the guides beside the
// fixed texts (chimney size, corner size, defaults as placeholders,
// the wall height the storeys need, the peaks in metres), status texts that
// do not fit, the heightmap summary on its own line, and what the preset and
// output-folder buttons report.
#include "ui/window_test_support.h"

#include "ui/area_window.h"
#include "ui/main_window.h"
#include "ui/preset_buttons.h"
#include "ui/status_panels.h"

#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolTip>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

// The controls Tab visits from `first`, once round.
QStringList TabChain(QWidget* first)
{
    QStringList chain;
    QWidget* widget = first;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && !widget->objectName().isEmpty() &&
            !widget->objectName().startsWith("qt_"))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != first);
    return chain;
}

// `names` come in this order in `chain`.
void ExpectInOrder(const QStringList& chain, const QStringList& names)
{
    qsizetype last = -1;
    for (const QString& name : names) {
        QVERIFY2(chain.indexOf(name) > last, qPrintable(name + " out of order in " + chain.join(' ')));
        last = chain.indexOf(name);
    }
}

}  // namespace

class EverydayTest : public QObject {
    Q_OBJECT

private slots:
    void tabOrderAsTheEyeReads();
    void mainWindowGuides();
    void storeysSayWhatWallTheyNeed();
    void peaksInMetres();
    void longStatusElidesWithTheWholeTextInItsTooltip();
    void presetAndFolderButtonsReport();
};

void EverydayTest::tabOrderAsTheEyeReads()
{
    WindowFolder folder;
    MainWindow form;
    form.updateFacadeArea();
    const QStringList chain = TabChain(Child<QWidget>(form, "fszEdit"));
    // Column by column, each by group from the top; then the folder line and the facades.
    ExpectInOrder(chain,
                         {"fszEdit", "fhoEdit", "fmaEdit", "OffsXEdit", "OffsYEdit", "tmaEdit", "tkoEdit", "Sbal",
                          "Sjobb", "satorteto", "kmaEdit", "Ereszcsatorna", "savePresetButton", "loadPresetButton",
                          "Kemenymeret", "kpozx", "Lepn", "Leps", "lema", "legyenes", "Button1", "elonezetgomb",
                          "terepgomb", "hu_Button", "en_Button", "fszinchk", "rfScrollBar", "blScrollBar",
                          "kimenetEdit", "kimenetMegnyit", "szintEdit", "ajtoszinEdit"});
    // Tab enters the roof kinds at the checked one only, and follows the check.
    QVERIFY(chain.contains("satorteto"));
    QVERIFY(!chain.contains("Nyeregteto"));
    Child<QRadioButton>(form, "Nyeregteto")->click();
    const QStringList after = TabChain(Child<QWidget>(form, "fszEdit"));
    QVERIFY(after.contains("Nyeregteto"));
    QVERIFY(!after.contains("satorteto"));
    QCOMPARE(after.indexOf("Nyeregteto"), chain.indexOf("satorteto"));
    // The arrow keys still move through the group.
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Child<QRadioButton>(form, "Nyeregteto")->setFocus();
    QTest::keyClick(Child<QRadioButton>(form, "Nyeregteto"), Qt::Key_Down);
    QVERIFY(!Child<QRadioButton>(form, "Nyeregteto")->isChecked());

    AreaBuilderWindow window;
    ExpectInOrder(TabChain(Child<QWidget>(window, "dombxedit")),
                         {"dombxedit", "dombzedit", "xbontEdit", "zbontedit", "OffsXEdit", "Lejtzedit", "szimchk",
                          "fszinchk", "rtScrollBar", "btScrollBar", "KanyarXedit", "KanyarZ2edit", "TexturaEdit", "d11",
                          "d14", "Panel1", "d21", "d84", "Panel8", "savePresetButton", "rScrollBar", "bScrollBar",
                          "kimenetEdit", "DomborzatGomb", "GenButton", "elonezetgomb"});
}

void EverydayTest::mainWindowGuides()
{
    WindowFolder folder;
    MainWindow form;
    form.show();
    // The chimney size beside the bare caption, which stays as it is.
    auto* caption = Child<QLabel>(form, "kemenylabel");
    auto* value = Child<QLabel>(form, "kemenyErtek");
    QCOMPARE(caption->text(), QStringLiteral("Kémény méret:"));
    QVERIFY(value->isVisible());
    QCOMPARE(value->text(), QStringLiteral("1"));
    QVERIFY(!value->geometry().intersects(
        QRect(caption->pos(), QSize(caption->fontMetrics().horizontalAdvance(caption->text()), caption->height()))));
    Child<QSlider>(form, "Kemenymeret")->setValue(3);
    QCOMPARE(caption->text(), QStringLiteral("Kémény méret: 3"));
    QVERIFY(!value->isVisible());

    // The corner size counts only with a corner ticked, and says what it is.
    auto* size = Child<QLineEdit>(form, "SarokfalEdit");
    QVERIFY(!size->isEnabled());
    QVERIFY(!Child<QLabel>(form, "SarokMeretLabel")->text().isEmpty());
    Child<QCheckBox>(form, "Sjobb")->click();
    QVERIFY(size->isEnabled());
    QVERIFY(form.houseInput().CornerWallSizeEnabled());
    Child<QRadioButton>(form, "laposteto")->click();
    QVERIFY(!size->isEnabled());

    // The roof forms' defaults as placeholders, following the house.
    QCOMPARE(Child<QLineEdit>(form, "kmaEdit")->placeholderText(), QStringLiteral("1167"));
    QCOMPARE(Child<QLineEdit>(form, "tmgEdit")->placeholderText(), QStringLiteral("5600"));
    QCOMPARE(Child<QLineEdit>(form, "tbeEdit")->placeholderText(), QStringLiteral("1000"));
    Child<QLineEdit>(form, "fszEdit")->setText("12000");
    QCOMPARE(Child<QLineEdit>(form, "gelEdit")->placeholderText(), QStringLiteral("2000"));
    QVERIFY(Child<QLineEdit>(form, "kmaEdit")->text().isEmpty());
}

void EverydayTest::storeysSayWhatWallTheyNeed()
{
    WindowFolder folder;
    MainWindow form;
    form.switchToEnglish();
    Child<QCheckBox>(form, "homlokzatchk")->click();
    Child<QLineEdit>(form, "szintEdit")->setText("2");
    // The storey height in force, 3500 mm shared by two storeys.
    QCOMPARE(Child<QLineEdit>(form, "szintmaEdit")->placeholderText(), QStringLiteral("1750"));
    Child<QCheckBox>(form, "ajtochk")->click();
    const QString hint = Child<QCheckBox>(form, "homlokzatchk")->toolTip();
    QVERIFY2(hint.startsWith("Storeys, windows and doors on the walls\n"), qPrintable(hint));
    QVERIFY2(hint.contains("2 storeys need a wall height of at least 4200 mm"), qPrintable(hint));
    QCOMPARE(Child<QLineEdit>(form, "szintEdit")->toolTip().section('\n', 1), hint.section('\n', 1));
}

void EverydayTest::peaksInMetres()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.applyLanguage(UiLanguage::English);
    Child<QLineEdit>(window, "dombxedit")->setText("50");  // 2 m cells along X
    window.peakCell(2, 1)->setText("11");
    window.peakCell(2, 4)->setText("3");
    QCOMPARE(window.peakCell(2, 1)->toolTip(),
             QStringLiteral("X position\n(in grid nodes, 1: the origin corner; here 20 m from the origin)"));
    QCOMPARE(window.peakCell(2, 4)->toolTip(), QStringLiteral("Object width\n(in grid cells; here 6 × 3 m)"));
    window.applyLanguage(UiLanguage::Hungarian);
    QVERIFY2(window.peakCell(2, 2)->toolTip().startsWith(QStringLiteral("Z pozíció\n(rácspontban")),
             qPrintable(window.peakCell(2, 2)->toolTip()));
    // The heightmap button in the font of its neighbours.
    QCOMPARE(Child<QPushButton>(window, "DomborzatGomb")->font(), Child<QPushButton>(window, "GenButton")->font());
}

void EverydayTest::longStatusElidesWithTheWholeTextInItsTooltip()
{
    WindowFolder folder;
    AreaBuilderWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString whole = QStringLiteral("Domb.B3d fájl generálása kész ").repeated(6);
    window.setStatusText(whole);
    QCOMPARE(window.statusText(), whole);  // the text itself stays whole
    QLabel* panel = window.statusPanels().panel();
    QHelpEvent help(QEvent::ToolTip, panel->rect().center(), panel->mapToGlobal(panel->rect().center()));
    QApplication::sendEvent(panel, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), whole);
    QToolTip::hideText();

    // The heightmap line grows by a line for the summary of a generation.
    Child<QPushButton>(window, "DomborzatGomb")->setChecked(true);
    auto* summary = Child<QLabel>(window, "DomborzatJelentes");
    QVERIFY(summary->isVisible());
    QVERIFY(window.rect().contains(summary->mapTo(&window, summary->rect().bottomRight())));
}

void EverydayTest::presetAndFolderButtonsReport()
{
    WindowFolder folder;
    PresetButtons::FileChooser() = [&](QWidget*, bool, const QString&, const QString&) {
        return folder.file("mine.json");
    };
    OutputFolderLine::FolderOpener() = [](const QString&) { return false; };
    MainWindow form;
    form.switchToEnglish();
    Child<QPushButton>(form, "savePresetButton")->click();
    QVERIFY(folder.exists("mine.json"));
    QCOMPARE(form.statusText(), QStringLiteral("Preset saved: ") + QDir::toNativeSeparators(folder.file("mine.json")));
    Child<QPushButton>(form, "kimenetMegnyit")->click();
    QCOMPARE(form.statusText(), QStringLiteral("No file manager could open the folder: ") +
                                    QDir::toNativeSeparators(QDir::currentPath()));
    AreaBuilderWindow area;
    area.applyLanguage(UiLanguage::Hungarian);
    Child<QPushButton>(area, "kimenetMegnyit")->click();
    QVERIFY(area.statusText().startsWith(QStringLiteral("Nincs fájlkezelő")));
    PresetButtons::FileChooser() = {};
    OutputFolderLine::FolderOpener() = {};
}

QTEST_MAIN(EverydayTest)
#include "everyday_test.moc"

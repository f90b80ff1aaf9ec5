// The language switch: lang.cfg at start-up and at every switch, every
// caption and hint of both windows in both languages, and captions that fit
// their controls.
#include "window_test_support.h"

#include "expected_texts.h"
#include "ui/area_window.h"
#include "ui/language_tables.h"
#include "ui/main_window.h"
#include "ui/track_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QSlider>
#include <QTest>

#include <span>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

QString Caption(const QWidget& window, const QString& name)
{
    if (name == window.objectName())
        return window.windowTitle();
    QWidget* widget = Child<QWidget>(window, name);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    return QStringLiteral("<no caption>");
}

// The hint of the table: the tooltip's first line (a guide may follow it, such
// as the peaks' positions in metres).
QString Hint(const QWidget& window, const QString& name)
{
    return Child<QWidget>(window, name)->toolTip().section(u'\n', 0, 0);
}

// Compares every row of `table` with the window's captions or hints.
void CheckTexts(const QWidget& window, std::span<const ExpectedText> table, UiLanguage language, bool captions)
{
    for (const ExpectedText& row : table) {
        const QString name = QString::fromUtf8(row.control);
        const QString expected = QString::fromUtf8(language == UiLanguage::Hungarian ? row.hu : row.en);
        const QString actual = captions ? Caption(window, name) : Hint(window, name);
        QVERIFY2(actual == expected, qPrintable(name + ": \"" + actual + "\" instead of \"" + expected + "\""));
    }
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void startUpLanguage_data();
    void startUpLanguage();
    void switchRewritesTheFile();
    void failedWriteAtStartUp();
    void failedWriteOnSwitch();
    void mainWindowTexts();
    void unswitchedTexts();
    void areaWindowTexts();
    void chimneyAndStepHints();
    void captionsFitTheirControls();
    void tableNamesEachControlOncePerPart();
};

void LanguageTest::init()
{
    // Every row of the language tables names a control that exists.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("language table")));
}

void LanguageTest::startUpLanguage_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("hungarian");
    QTest::newRow("missing") << false << QByteArray() << true;
    QTest::newRow("hu") << true << QByteArray("hu") << true;
    QTest::newRow("hu LF") << true << QByteArray("hu\n") << true;
    QTest::newRow("hu CR LF and more lines") << true << QByteArray("hu\r\nen\r\nxx") << true;
    QTest::newRow("hu and more lines") << true << QByteArray("hu\nen\n") << true;
    QTest::newRow("en") << true << QByteArray("en") << false;
    QTest::newRow("HU") << true << QByteArray("HU") << false;
    QTest::newRow("blank hu") << true << QByteArray(" hu") << false;
    QTest::newRow("hu blank") << true << QByteArray("hu ") << false;
    QTest::newRow("empty") << true << QByteArray() << false;
}

void LanguageTest::startUpLanguage()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, content);
    QFETCH(bool, hungarian);
    WindowFolder folder;
    if (present)
        QVERIFY(folder.write("lang.cfg", content));
    MainWindow form;
    QCOMPARE(form.language(), hungarian ? UiLanguage::Hungarian : UiLanguage::English);
    // Every start rewrites the file: exactly the code, no line end.
    QCOMPARE(folder.read("lang.cfg"), hungarian ? QByteArray("hu") : QByteArray("en"));
    QCOMPARE(Caption(form, "Button1"), hungarian ? QStringLiteral("Generálás") : QStringLiteral("Generate"));
    QVERIFY(folder.reports.empty());
    QCOMPARE(folder.updateChecks, 1);
}

void LanguageTest::switchRewritesTheFile()
{
    WindowFolder folder;
    MainWindow form;
    QCOMPARE(folder.read("lang.cfg"), QByteArray("hu"));
    Child<QPushButton>(form, "en_Button")->click();
    QCOMPARE(form.language(), UiLanguage::English);
    QCOMPARE(folder.read("lang.cfg"), QByteArray("en"));
    // Also when the language does not change.
    QVERIFY(folder.write("lang.cfg", "something else"));
    form.switchToEnglish();
    QCOMPARE(folder.read("lang.cfg"), QByteArray("en"));
    Child<QPushButton>(form, "hu_Button")->click();
    QCOMPARE(form.language(), UiLanguage::Hungarian);
    QCOMPARE(folder.read("lang.cfg"), QByteArray("hu"));
    QVERIFY(folder.reports.empty());
    // No temporary file is left beside it.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"lang.cfg"});
}

void LanguageTest::failedWriteAtStartUp()
{
    WindowFolder folder;
    // A folder in the way: lang.cfg can be neither read nor written.
    QVERIFY(QDir(folder.path()).mkdir("lang.cfg"));
    MainWindow form;
    QCOMPARE(folder.reports.size(), size_t(1));
    QVERIFY2(folder.reports[0].text.contains(QStringLiteral("lang.cfg")), qPrintable(folder.reports[0].text));
    // The switch stopped before setting the language; the rest of the
    // creation (update check included) did not run.
    QCOMPARE(form.language(), UiLanguage::English);
    QCOMPARE(folder.updateChecks, 0);
    QVERIFY(QFileInfo(folder.file("lang.cfg")).isDir());
}

void LanguageTest::failedWriteOnSwitch()
{
    WindowFolder folder;
    MainWindow form;
    Child<QSlider>(form, "Lepe")->setValue(2);
    QVERIFY(QFile::remove(folder.file("lang.cfg")));
    QVERIFY(QDir(folder.path()).mkdir("lang.cfg"));
    Child<QPushButton>(form, "en_Button")->click();
    QCOMPARE(folder.reports.size(), size_t(1));
    QVERIFY(!folder.reports[0].text.isEmpty());
    // Nothing changed: language, captions, hints, placement names.
    QCOMPARE(form.language(), UiLanguage::Hungarian);
    CheckTexts(form, kExpectedMainCaptions, UiLanguage::Hungarian, true);
    CheckTexts(form, kExpectedMainHints, UiLanguage::Hungarian, false);
    QCOMPARE(Caption(form, "felje_label"), QStringLiteral("Középen"));
    QVERIFY(QFileInfo(folder.file("lang.cfg")).isDir());

    // Once the way is clear the switch works again.
    QVERIFY(QDir(folder.path()).rmdir("lang.cfg"));
    QVERIFY(folder.write("lang.cfg", "hu"));
    form.switchToEnglish();
    QCOMPARE(form.language(), UiLanguage::English);
    QCOMPARE(folder.read("lang.cfg"), QByteArray("en"));
    QCOMPARE(Caption(form, "felje_label"), QStringLiteral("Center"));
    QCOMPARE(folder.reports.size(), size_t(1));
}

void LanguageTest::mainWindowTexts()
{
    WindowFolder folder;
    MainWindow form;
    CheckTexts(form, kExpectedMainCaptions, UiLanguage::Hungarian, true);
    CheckTexts(form, kExpectedMainHints, UiLanguage::Hungarian, false);
    form.switchToEnglish();
    CheckTexts(form, kExpectedMainCaptions, UiLanguage::English, true);
    CheckTexts(form, kExpectedMainHints, UiLanguage::English, false);
    form.switchToHungarian();
    CheckTexts(form, kExpectedMainCaptions, UiLanguage::Hungarian, true);
    CheckTexts(form, kExpectedMainHints, UiLanguage::Hungarian, false);
}

void LanguageTest::unswitchedTexts()
{
    WindowFolder folder;
    MainWindow form;
    AreaBuilderWindow area(&form);
    form.setAreaWindow(&area);
    for (UiLanguage language : {UiLanguage::English, UiLanguage::Hungarian}) {
        form.SwitchLanguage(language);
        form.openAreaBuilder();
        QCOMPARE(form.windowTitle(), QStringLiteral("Kestrane Builder V0.95"));
        QCOMPARE(Caption(form, "hu_Button"), QStringLiteral("Magyar"));
        QCOMPARE(Caption(form, "en_Button"), QStringLiteral("English"));
        QCOMPARE(Caption(form, "Label10"), QStringLiteral("Web"));
        QCOMPARE(Caption(form, "XLabel"), QStringLiteral("X"));
        QCOMPARE(Caption(form, "rfBetu"), QStringLiteral("R"));
        QCOMPARE(Caption(form, "frl"), QStringLiteral("180"));
        QCOMPARE(Caption(form, "Label12"), Caption(form, "Label12"));
        QCOMPARE(Caption(area, "szinminta"), QStringLiteral("OK"));
        QCOMPARE(Caption(area, "KanyarZ1Label"), QStringLiteral("Z1"));
        QCOMPARE(Caption(area, "KanyarZ2Label"), QStringLiteral("Z2"));
        QCOMPARE(Caption(area, "rEditorBetu"), QStringLiteral("R"));
        QCOMPARE(Caption(area, "tgl"), QStringLiteral("140"));
        CheckTexts(area, kExpectedAreaFixedHints, language, false);
    }
}

void LanguageTest::areaWindowTexts()
{
    WindowFolder folder;
    MainWindow form;
    AreaBuilderWindow area(&form);
    form.setAreaWindow(&area);
    MainWindow::ModalShower() = [](AreaBuilderWindow& window) {
        QTimer::singleShot(0, &window, &QDialog::reject);
        window.exec();
    };
    form.switchToEnglish();
    form.openAreaBuilder();
    CheckTexts(area, kExpectedAreaCaptions, UiLanguage::English, true);
    CheckTexts(area, kExpectedAreaHints, UiLanguage::English, false);
    CheckTexts(area, kExpectedAreaFixedHints, UiLanguage::English, false);
    // A switch leaves the area window alone until it is opened again.
    form.switchToHungarian();
    CheckTexts(area, kExpectedAreaCaptions, UiLanguage::English, true);
    form.openAreaBuilder();
    CheckTexts(area, kExpectedAreaCaptions, UiLanguage::Hungarian, true);
    CheckTexts(area, kExpectedAreaHints, UiLanguage::Hungarian, false);
    CheckTexts(area, kExpectedAreaFixedHints, UiLanguage::Hungarian, false);
    QCOMPARE(Hint(area, "d53"), QStringLiteral("Csúcs magassága"));
    QCOMPARE(Hint(area, "Panel7"), QStringLiteral("Terepszín minta"));
}

void LanguageTest::chimneyAndStepHints()
{
    WindowFolder folder;
    MainWindow form;
    for (UiLanguage language : {UiLanguage::English, UiLanguage::Hungarian, UiLanguage::English}) {
        form.SwitchLanguage(language);
        const QString chimney = language == UiLanguage::Hungarian ? QStringLiteral("Kéményszín") : QStringLiteral("Chimney color");
        for (const char* bar : {"rkScrollBar", "gkScrollBar", "bkScrollBar"})
            QVERIFY2(Hint(form, bar).startsWith(chimney), qPrintable(Hint(form, bar)));
        QVERIFY(Hint(form, "rkScrollBar") != Hint(form, "gkScrollBar"));
        QVERIFY(Hint(form, "gkScrollBar") != Hint(form, "bkScrollBar"));
        QVERIFY(Hint(form, "lesz") != Hint(form, "lema"));
        QVERIFY(Hint(form, "lesz") != Hint(form, "leho"));
    }
    QCOMPARE(Hint(form, "rkScrollBar"), QStringLiteral("Chimney color red channel"));
    QCOMPARE(Hint(form, "gkScrollBar"), QStringLiteral("Chimney color green channel"));
    QCOMPARE(Hint(form, "bkScrollBar"), QStringLiteral("Chimney color blue channel"));
}

void LanguageTest::captionsFitTheirControls()
{
    WindowFolder folder;
    MainWindow form;
    AreaBuilderWindow area(&form);
    form.setAreaWindow(&area);
    const auto check = [](const QWidget& window) {
        const QRect client = window.rect();
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(&window) || widget->objectName().isEmpty())
                continue;
            const QString name = widget->objectName();
            QVERIFY2(client.contains(widget->geometry()), qPrintable(name + " leaves the window"));
            const QFontMetrics metrics(widget->font());
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                if (qobject_cast<QPushButton*>(widget)) {
                    const int needed = metrics.horizontalAdvance(button->text()) + 6;
                    QVERIFY2(needed <= button->width(), qPrintable(name + " \"" + button->text() + "\""));
                } else {
                    QVERIFY2(button->sizeHint().width() <= button->width(),
                             qPrintable(name + " \"" + button->text() + "\""));
                }
                QVERIFY2(metrics.height() <= button->height(), qPrintable(name));
            } else if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
                if (label->parent() && label->parent()->inherits("QStatusBar"))
                    continue;
                const int width = label->contentsRect().width();
                QVERIFY2(metrics.horizontalAdvance(label->text()) <= width,
                         qPrintable(name + " \"" + label->text() + "\""));
                QVERIFY2(metrics.height() <= label->contentsRect().height(), qPrintable(name));
            }
        }
    };
    for (UiLanguage language : {UiLanguage::Hungarian, UiLanguage::English}) {
        form.SwitchLanguage(language);
        area.applyLanguage(language);
        // The widest texts the handlers write.
        Child<QSlider>(form, "Kemenymeret")->setValue(4);
        Child<QSlider>(form, "Lepe")->setValue(3);
        Child<QSlider>(form, "Lepo")->setValue(2);
        Child<QSlider>(form, "Leps")->setValue(2);
        Child<QSlider>(form, "Lepn")->setValue(16);
        for (QScrollBar* bar : form.findChildren<QScrollBar*>())
            bar->setValue(255);
        for (QScrollBar* bar : area.findChildren<QScrollBar*>())
            bar->setValue(255);
        check(form);
        check(area);
        Child<QSlider>(form, "Kemenymeret")->setValue(0);
        Child<QSlider>(form, "Lepe")->setValue(2);
        Child<QSlider>(form, "Leps")->setValue(3);
        check(form);
        form.SwitchLanguage(language);  // the bare chimney caption
        check(form);
    }
}

void LanguageTest::tableNamesEachControlOncePerPart()
{
    // A control named twice in one part would take the later row's text
    // silently; every row is found by its control; the preset buttons'
    // texts are the same in every window.
    for (const TextPart part : {TextPart::MainWindow, TextPart::FacadeArea, TextPart::AreaBuilder, TextPart::TrackKit,
                                TextPart::PresetButtons, TextPart::OutputFolder}) {
        for (const TextRole role : {TextRole::Caption, TextRole::Hint}) {
            QSet<QString> seen;
            for (const UiText& row : WindowTexts(part, role)) {
                const QString control = QString::fromUtf8(row.control);
                QVERIFY2(!seen.contains(control), qPrintable(control));
                seen.insert(control);
                QCOMPARE(FindText(part, role, row.control), &row);
            }
            QVERIFY(!seen.isEmpty());
        }
    }
    QCOMPARE(FindText(TextPart::MainWindow, TextRole::Caption, "no such control"), nullptr);
    WindowFolder folder;
    MainWindow form;
    AreaBuilderWindow area(&form);
    TrackWindow track(&form);
    form.switchToHungarian();
    area.applyLanguage(UiLanguage::Hungarian);
    track.applyLanguage(UiLanguage::Hungarian);
    for (const UiText& row : WindowTexts(TextPart::PresetButtons, TextRole::Hint)) {
        const QString name = QString::fromUtf8(row.control);
        QCOMPARE(Hint(area, name), QString::fromUtf8(row.hu));
        QCOMPARE(Hint(track, name), Hint(form, name));
        QCOMPARE(Caption(track, name), Caption(area, name));
    }
}

QTEST_MAIN(LanguageTest)
#include "language_test.moc"

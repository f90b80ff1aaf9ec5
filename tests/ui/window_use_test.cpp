// Everyday use of both windows: the output folder line, the path and time of
// the last file in the status bar, Qt's own texts and the status text in the
// chosen language, the status bar's room for its font, the roof controls at
// start-up, the keyboard, and the notices of generations that went through
// with warnings.
#include "window_test_support.h"

#include "support/qt_test_support.h"
#include "ui/area_window.h"
#include "ui/generation_report.h"
#include "ui/main_window.h"
#include "ui/output_folder.h"
#include "ui/preview_launch.h"
#include "ui/qt_translations.h"
#include "ui/status_panels.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

// Answers the Browse button's folder dialog with `folder`, counting the
// questions; the previous chooser comes back at destruction.
class ChooserAnswer {
public:
    explicit ChooserAnswer(QString folder) : previous_(OutputFolderLine::FolderChooser())
    {
        OutputFolderLine::FolderChooser() = [this, folder](QWidget*, const QString& title, const QString&) {
            titles << title;
            return folder;
        };
    }
    ~ChooserAnswer() { OutputFolderLine::FolderChooser() = previous_; }
    ChooserAnswer(const ChooserAnswer&) = delete;
    ChooserAnswer& operator=(const ChooserAnswer&) = delete;

    QStringList titles;

private:
    OutputFolderLine::Chooser previous_;
};

const QRegularExpression kTimeAtEnd(QStringLiteral("  \\d\\d:\\d\\d:\\d\\d$"));

// The window's text of one of Qt's standard buttons, as a message box shows it.
QString CancelButtonText()
{
    QMessageBox box(QMessageBox::Warning, "t", "x", QMessageBox::Ok | QMessageBox::Cancel);
    return box.button(QMessageBox::Cancel)->text();
}

}  // namespace

class WindowUseTest : public QObject {
    Q_OBJECT

private slots:
    void outputFolderFollowsTheWorkingFolder();
    void chosenFolderTakesTheFilesAndIsRemembered();
    void areaBuilderHasItsOwnFolder();
    void rememberedFoldersFileIsNeitherWaitedOnNorWrittenThrough();
    void openFolderShowsItInTheFileManager();
    void lineTextsFollowTheLanguage();
    void statusShowsPathAndTimeOfTheFile();
    void qtTextsFollowTheLanguage();
    void statusTextFollowsASwitch();
    void statusBarsFitTheirFont();
    void enterGeneratesInTheMainWindow();
    void colourBarsMoveWithArrowsAndShowFocus();
    void warningsGoToStatusAndNotice();
    void noticeDoesNotBlock();
    void generationsWarnOfWhatWillLookWrongOrLoadSlowly();
    void previewPlaceLeavesTheButtonInView();
};

void WindowUseTest::outputFolderFollowsTheWorkingFolder()
{
    WindowFolder folder;
    MainWindow form;
    OutputFolderLine& line = form.outputFolder();
    QVERIFY(line.followsWorkingFolder());
    QCOMPARE(line.folder(), QDir::currentPath());
    QCOMPARE(Child<QLineEdit>(line, "kimenetEdit")->text(), QDir::toNativeSeparators(QDir::currentPath()));
    QVERIFY(Child<QLineEdit>(line, "kimenetEdit")->isReadOnly());
    // The line sits in the row of the web label, clear of the other controls.
    QCOMPARE(line.geometry(), QRect(52, 441, 456, 16));
    for (QWidget* other : form.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (other != &line && other->objectName() != "StatusBar1" && !other->isWindow() && other->isVisibleTo(&form))
            QVERIFY2(!other->geometry().intersects(line.geometry()), qPrintable(other->objectName()));
    }
}

void WindowUseTest::chosenFolderTakesTheFilesAndIsRemembered()
{
    WindowFolder folder;
    QTemporaryDir chosen;
    {
        MainWindow form;
        ChooserAnswer answer(chosen.path());
        Child<QPushButton>(form, "kimenetTallozo")->click();
        QCOMPARE(answer.titles, QStringList{QStringLiteral("Kimeneti mappa választása")});
        QCOMPARE(form.outputFolder().folder(), QDir(chosen.path()).absolutePath());
        Child<QPushButton>(form, "Button1")->click();
        QCOMPARE(form.statusText(), QStringLiteral("haz_satorteto.b3d fájl generálása kész"));
        QVERIFY(QFile::exists(chosen.filePath("haz_satorteto.b3d")));
        QVERIFY(!folder.exists("haz_satorteto.b3d"));
        // lang.cfg stays in the working folder.
        QVERIFY(folder.exists("lang.cfg"));
        QVERIFY(!QFile::exists(chosen.filePath("lang.cfg")));
    }
    {
        // The next run starts in the chosen folder; an empty answer keeps it.
        MainWindow form;
        QCOMPARE(form.outputFolder().folder(), QDir(chosen.path()).absolutePath());
        ChooserAnswer cancelled{QString()};
        form.outputFolder().browse();
        QCOMPARE(form.outputFolder().folder(), QDir(chosen.path()).absolutePath());
    }
    // A remembered folder that is gone gives the working folder again.
    QVERIFY(chosen.remove());
    MainWindow form;
    QVERIFY(form.outputFolder().followsWorkingFolder());
}

void WindowUseTest::rememberedFoldersFileIsNeitherWaitedOnNorWrittenThrough()
{
    WindowFolder folder;
    const QString settings = OutputFolderSettingsFile();
    QVERIFY(QDir().mkpath(QFileInfo(settings).absolutePath()));
    QCOMPARE(::mkfifo(QFile::encodeName(settings).constData(), 0600), 0);
    {
        MainWindow form;  // a pipe under the name is not read
        QVERIFY(form.outputFolder().followsWorkingFolder());
    }
    QVERIFY(QFile::remove(settings));
    const QString victim = folder.file("victim.txt");
    {
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep");
    }
    QVERIFY(QFile::link(victim, settings));
    QTemporaryDir chosen;
    {
        MainWindow form;
        ChooserAnswer answer(chosen.path());
        Child<QPushButton>(form, "kimenetTallozo")->click();
    }
    QFile kept(victim);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("keep"));
    QVERIFY(!QFileInfo(settings).isSymLink());
    MainWindow form;
    QCOMPARE(form.outputFolder().folder(), QDir(chosen.path()).absolutePath());
}

void WindowUseTest::areaBuilderHasItsOwnFolder()
{
    WindowFolder folder;
    QTemporaryDir houses, terrains;
    MainWindow form;
    form.outputFolder().setFolder(houses.path());
    {
        AreaBuilderWindow area(&form);
        QVERIFY(area.outputFolder().followsWorkingFolder());
        QCOMPARE(area.outputFolder().geometry(), QRect(8, 259, 385, 19));
        ChooserAnswer answer(terrains.path());
        Child<QPushButton>(area, "kimenetTallozo")->click();
        Child<QPushButton>(area, "GenButton")->click();
        QVERIFY(QFile::exists(terrains.filePath("domb.b3d")));
        QVERIFY(!folder.exists("domb.b3d"));
    }
    AreaBuilderWindow area(&form);
    QCOMPARE(area.outputFolder().folder(), QDir(terrains.path()).absolutePath());
    QCOMPARE(form.outputFolder().folder(), QDir(houses.path()).absolutePath());
}

void WindowUseTest::openFolderShowsItInTheFileManager()
{
    WindowFolder folder;
    kestrane::test::UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    MainWindow form;
    Child<QPushButton>(form, "kimenetMegnyit")->click();
    QTemporaryDir chosen;
    form.outputFolder().setFolder(chosen.path());
    Child<QPushButton>(form, "kimenetMegnyit")->click();
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(catcher.urls, (QList<QUrl>{QUrl::fromLocalFile(QDir::currentPath()),
                                        QUrl::fromLocalFile(QDir(chosen.path()).absolutePath())}));
}

void WindowUseTest::lineTextsFollowTheLanguage()
{
    WindowFolder folder;
    MainWindow form;
    QCOMPARE(Child<QLabel>(form, "kimenetLabel")->text(), QStringLiteral("Kimeneti mappa:"));
    QCOMPARE(Child<QPushButton>(form, "kimenetMegnyit")->text(), QStringLiteral("Megnyitás"));
    form.switchToEnglish();
    QCOMPARE(Child<QLabel>(form, "kimenetLabel")->text(), QStringLiteral("Output folder:"));
    QCOMPARE(Child<QPushButton>(form, "kimenetTallozo")->text(), QStringLiteral("Browse…"));
    QCOMPARE(Child<QPushButton>(form, "kimenetMegnyit")->toolTip(), QStringLiteral("Show the folder in the file manager"));
    ChooserAnswer answer{QString()};
    form.outputFolder().browse();
    QCOMPARE(answer.titles, QStringList{QStringLiteral("Choose the output folder")});

    AreaBuilderWindow area(&form);
    area.applyLanguage(UiLanguage::Hungarian);
    QCOMPARE(Child<QPushButton>(area, "kimenetTallozo")->text(), QStringLiteral("Tallózás…"));
    area.applyLanguage(UiLanguage::English);
    QCOMPARE(Child<QLabel>(area, "kimenetLabel")->text(), QStringLiteral("Output folder:"));
}

void WindowUseTest::statusShowsPathAndTimeOfTheFile()
{
    WindowFolder folder;
    MainWindow form;
    QLabel* info = Child<QLabel>(form, "StatusBar1PanelInfo");
    QVERIFY(info->isHidden());
    QCOMPARE(form.statusPanels().writtenText(), QString());

    Child<QPushButton>(form, "Button1")->click();
    // The status text is the one it always was; the path and time are beside it.
    QCOMPARE(form.statusText(), QStringLiteral("haz_satorteto.b3d fájl generálása kész"));
    const QString path = QDir::toNativeSeparators(folder.file("haz_satorteto.b3d"));
    const QString written = form.statusPanels().writtenText();
    QVERIFY2(written.startsWith(path) && written.contains(kTimeAtEnd), qPrintable(written));
    QVERIFY(!info->isHidden());
    QCOMPARE(Child<QStatusBar>(form, "StatusBar1")->toolTip(), written);
    QCOMPARE(info->toolTip(), written);
    QCOMPARE(Child<QLabel>(form, "StatusBar1Panel")->toolTip(), QString());  // the bar's shows over it
    QVERIFY2(info->text().endsWith(written.right(8)), qPrintable(info->text()));
    // Both panels side by side over the whole bar.
    QLabel* panel = Child<QLabel>(form, "StatusBar1Panel");
    QCOMPARE(panel->geometry().right() + 1, info->geometry().left());
    QCOMPARE(info->geometry().right() + 1, Child<QStatusBar>(form, "StatusBar1")->width());

    // A refused generation leaves the last file's line as it was.
    Child<QLineEdit>(form, "fszEdit")->setText("x");
    form.generateHouse();
    QCOMPARE(form.statusPanels().writtenText(), written);

    AreaBuilderWindow area(&form);
    Child<QPushButton>(area, "GenButton")->click();
    QCOMPARE(area.statusText(), QStringLiteral("Domb.B3d file generating successfull"));
    QVERIFY(area.statusPanels().writtenText().startsWith(QDir::toNativeSeparators(folder.file("domb.b3d"))));
    QCOMPARE(Child<QStatusBar>(area, "StatusBar_terep")->toolTip(), area.statusPanels().writtenText());
}

void WindowUseTest::qtTextsFollowTheLanguage()
{
    WindowFolder folder;
    MainWindow form;  // no lang.cfg: Hungarian
    QCOMPARE(CancelButtonText(), QStringLiteral("Mégse"));
    form.switchToEnglish();
    QCOMPARE(CancelButtonText(), QStringLiteral("Cancel"));
    form.switchToHungarian();
    QCOMPARE(CancelButtonText(), QStringLiteral("Mégse"));
    // Without the translation file Qt's texts stay English.
    const QString installed = QtTranslationsFolder();
    QtTranslationsFolder() = folder.path();
    QVERIFY(!UseQtTranslations(UiLanguage::Hungarian));
    QCOMPARE(CancelButtonText(), QStringLiteral("Cancel"));
    QtTranslationsFolder() = installed;
    QVERIFY(UseQtTranslations(UiLanguage::English));
}

void WindowUseTest::statusTextFollowsASwitch()
{
    WindowFolder folder;
    MainWindow form;
    Child<QPushButton>(form, "Button1")->click();
    form.switchToEnglish();
    // The file keeps the name it was written under.
    QCOMPARE(form.statusText(), QStringLiteral("haz_satorteto.b3d file generating successfull"));
    form.switchToHungarian();
    QCOMPARE(form.statusText(), QStringLiteral("haz_satorteto.b3d fájl generálása kész"));

    Child<QLineEdit>(form, "fszEdit")->setText("6000mm");
    form.generateHouse();
    QVERIFY(form.statusText().contains(QStringLiteral("Szélesség")));
    form.switchToEnglish();
    QVERIFY2(form.statusText().startsWith(QStringLiteral("Width")), qPrintable(form.statusText()));
    QVERIFY(form.statusText().contains(QStringLiteral("6000mm")));

    // A failed write leaves "Generating...", in the language of the moment.
    Child<QLineEdit>(form, "fszEdit")->setText("6000");
    QVERIFY(QDir(folder.path()).mkdir("House_pyramid.b3d"));
    form.generateHouse();
    QCOMPARE(form.statusText(), QStringLiteral("Generating..."));
    form.switchToHungarian();
    QCOMPARE(form.statusText(), QStringLiteral("Generálás..."));

    // A text set from outside (the update check's) stays as it is.
    form.setStatusText(QStringLiteral("."));
    form.switchToEnglish();
    QCOMPARE(form.statusText(), QStringLiteral("."));
}

void WindowUseTest::statusBarsFitTheirFont()
{
    WindowFolder folder;
    MainWindow form;
    AreaBuilderWindow area(&form);
    form.show();
    area.show();
    const std::pair<QWidget*, QString> panels[] = {
        {&form, "StatusBar1Panel"}, {&form, "StatusBar1PanelInfo"},
        {&area, "StatusBar_terepPanel"}, {&area, "StatusBar_terepPanelInfo"}};
    Child<QPushButton>(form, "Button1")->click();
    Child<QPushButton>(area, "GenButton")->click();
    for (const auto& [window, name] : panels) {
        QLabel* panel = Child<QLabel>(*window, name);
        const QFontMetrics metrics(panel->font());
        // The text's full height, descenders and underscores too, inside the frame.
        QVERIFY2(panel->contentsRect().height() >= metrics.height(), qPrintable(name));
        QVERIFY2(panel->contentsRect().height() >= metrics.ascent() + metrics.underlinePos() + metrics.lineWidth(),
                 qPrintable(name));
        QCOMPARE(panel->parentWidget()->height(), 19);
    }
    QCOMPARE(Child<QStatusBar>(form, "StatusBar1")->geometry(), QRect(0, 457, 691, 19));
    QCOMPARE(Child<QStatusBar>(area, "StatusBar_terep")->geometry(), QRect(0, 332, 741, 19));
}

void WindowUseTest::enterGeneratesInTheMainWindow()
{
    WindowFolder folder;
    MainWindow form;
    AreaBuilderWindow area(&form);
    form.setAreaWindow(&area);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* width = Child<QLineEdit>(form, "fszEdit");
    width->setFocus();
    QTest::keyClick(width, Qt::Key_Return);
    QVERIFY(folder.exists("haz_satorteto.b3d"));
    QVERIFY(QFile::remove(folder.file("haz_satorteto.b3d")));
    Child<QRadioButton>(form, "satorteto")->setFocus();
    QTest::keyClick(Child<QRadioButton>(form, "satorteto"), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(folder.exists("haz_satorteto.b3d"));
    // On a button Enter presses that button.
    auto* areaButton = Child<QPushButton>(form, "terepgomb");
    areaButton->setFocus();
    QTest::keyClick(areaButton, Qt::Key_Return);
    QCOMPARE(folder.modalShows, 1);
    // Enter with a modifier does nothing.
    QVERIFY(QFile::remove(folder.file("haz_satorteto.b3d")));
    width->setFocus();
    QTest::keyClick(width, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(!folder.exists("haz_satorteto.b3d"));
}

void WindowUseTest::colourBarsMoveWithArrowsAndShowFocus()
{
    WindowFolder folder;
    MainWindow form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* bar = Child<QScrollBar>(form, "gtScrollBar");
    auto* letter = Child<QLabel>(form, "gtBetu");
    QCOMPARE(letter->frameShape(), QFrame::NoFrame);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() / 2));
    QVERIFY(bar->hasFocus());
    QCOMPARE(letter->frameShape(), QFrame::Box);
    bar->setValue(20);
    QTest::keyClick(bar, Qt::Key_Right);
    QTest::keyClick(bar, Qt::Key_Right);
    QCOMPARE(Child<QLabel>(form, "tgl")->text(), QStringLiteral("22"));
    QTest::keyClick(bar, Qt::Key_Left);
    QCOMPARE(form.houseInput().roof.color.g, 21);
    // Tab goes on to the next bar; the frame follows.
    QTest::keyClick(bar, Qt::Key_Tab);
    QVERIFY(Child<QScrollBar>(form, "btScrollBar")->hasFocus());
    QCOMPARE(letter->frameShape(), QFrame::NoFrame);
    QCOMPARE(Child<QLabel>(form, "btBetu")->frameShape(), QFrame::Box);

    form.hide();
    AreaBuilderWindow area;
    area.show();
    QVERIFY(QTest::qWaitForWindowActive(&area));
    auto* editorBar = Child<QScrollBar>(area, "rScrollBar");
    editorBar->setFocus();
    QCOMPARE(Child<QLabel>(area, "rEditorBetu")->frameShape(), QFrame::Box);
    QTest::keyClick(editorBar, Qt::Key_Right);
    QCOMPARE(Child<QLabel>(area, "rclabel")->text(), QStringLiteral("41"));
}

void WindowUseTest::warningsGoToStatusAndNotice()
{
    WindowFolder folder;
    MainWindow form;
    QString status;
    QString last;
    Generated result;
    const GenerationOutcome outcome = GenerateAndReport(
        form, [&](const QString& text) { status = text; },
        [] {
            return Generated{"/x/domb.b3d", "Domb.B3d file generating successfull",
                             {"70,000 vertices: more than the simulator takes in one object (65,534).",
                              "12,000 sections: the simulator loads this slowly."}};
        },
        last, &result);
    QCOMPARE(outcome, GenerationOutcome::Written);
    QCOMPARE(status, QStringLiteral("Domb.B3d file generating successfull \u2013 70,000 vertices: more than the "
                                    "simulator takes in one object (65,534). \u2013 12,000 sections: the simulator "
                                    "loads this slowly."));
    QCOMPARE(folder.notices.size(), size_t(1));
    QCOMPARE(folder.notices[0].title, form.windowTitle());
    QCOMPARE(folder.notices[0].text, QStringLiteral("70,000 vertices: more than the simulator takes in one object "
                                                    "(65,534).\n12,000 sections: the simulator loads this slowly."));
    QVERIFY(folder.reports.empty());
    QCOMPARE(result.warnings.size(), size_t(2));

    // Without warnings: the status as it was, no notice.
    GenerateAndReport(
        form, [&](const QString& text) { status = text; }, [] { return Generated{"/x/a.b3d", "done", {}}; }, last);
    QCOMPARE(status, QStringLiteral("done"));
    QCOMPARE(folder.notices.size(), size_t(1));
}

void WindowUseTest::generationsWarnOfWhatWillLookWrongOrLoadSlowly()
{
    WindowFolder folder;
    MainWindow form;
    auto* roofHeight = Child<QLineEdit>(form, "tmaEdit");
    roofHeight->setText(Child<QLineEdit>(form, "fmaEdit")->text());
    Child<QPushButton>(form, "Button1")->click();
    QCOMPARE(folder.notices.size(), size_t(1));
    QVERIFY2(folder.notices[0].text.startsWith(QStringLiteral("Tetőmagasság: nem nagyobb a falmagasságnál")),
             qPrintable(folder.notices[0].text));
    QVERIFY(form.statusText().contains(folder.notices[0].text));
    QVERIFY(folder.reports.empty());
    // A switch words the warning in the other language too.
    form.switchToEnglish();
    QVERIFY2(form.statusText().contains(QStringLiteral(" \u2013 Roof heigh: is not above the wall height")),
             qPrintable(form.statusText()));
    form.switchToHungarian();

    // 100 by 101 cells: more sections than the simulator loads quickly.
    AreaBuilderWindow area(&form);
    Child<QLineEdit>(area, "xbontEdit")->setText("100");
    Child<QLineEdit>(area, "zbontedit")->setText("101");
    Child<QPushButton>(area, "GenButton")->click();
    QVERIFY(folder.exists("domb.b3d"));
    QCOMPARE(folder.notices.size(), size_t(2));
    QVERIFY2(folder.notices[1].text.contains(QStringLiteral("10,100 mesh sections")), qPrintable(folder.notices[1].text));

    // The simulator-ready layout of the same grid is within the limits.
    Child<QCheckBox>(area, "szimchk")->setChecked(true);
    Child<QPushButton>(area, "GenButton")->click();
    QCOMPARE(folder.notices.size(), size_t(2));
    QVERIFY(folder.reports.empty());
}

void WindowUseTest::noticeDoesNotBlock()
{
    WindowFolder folder;
    MainWindow form;
    form.show();
    ShowNoticeBox(&form, "Kestrane", "first");
    ShowNoticeBox(&form, "Kestrane", "second");
    const auto boxes = form.findChildren<QMessageBox*>();
    QCOMPARE(boxes.size(), qsizetype(1));
    QVERIFY(boxes[0]->isVisible());
    QVERIFY(!boxes[0]->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(boxes[0]->text(), QStringLiteral("second"));
    // The window still takes input while the notice is open.
    Child<QPushButton>(form, "Button1")->click();
    QVERIFY(folder.exists("haz_satorteto.b3d"));
    boxes[0]->close();
}

void WindowUseTest::previewPlaceLeavesTheButtonInView()
{
    // Room right of the button: there, level with it.
    QCOMPARE(PlaceBeside(QRect(0, 0, 1280, 1024), QSize(400, 300), QRect(100, 500, 120, 25)),
             QRect(228, 350, 400, 300));
    // The button near the right edge: left of it.
    QCOMPARE(PlaceBeside(QRect(0, 0, 1280, 1024), QSize(900, 640), QRect(1100, 500, 120, 25)),
             QRect(192, 180, 900, 640));
    // A screen smaller than the window: the largest part, the window made to fit.
    const QRect keep(300, 280, 200, 33);
    const QRect place = PlaceBeside(QRect(0, 0, 800, 600), QSize(900, 640), keep);
    QCOMPARE(place, QRect(0, 321, 800, 279));
    QVERIFY(!place.intersects(keep));
}

QTEST_MAIN(WindowUseTest)
#include "window_use_test.moc"

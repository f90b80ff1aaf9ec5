// The preview beside the windows: opened from the area builder it takes
// input while the area builder stays modal for the main window; its first
// opening leaves the calling window's generate button in view; Escape
// closes it.
#include "ui/window_test_support.h"

#include "preview/preview_window.h"
#include "ui/area_window.h"
#include "ui/main_window.h"
#include "ui/preview_launch.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

// A click as the window system delivers it: a window that a modal window
// blocks does not get it.
void SystemClick(QWidget* widget)
{
    QWidget* top = widget->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, widget->mapTo(top, widget->rect().center()));
}

QRect GlobalRect(const QWidget* widget) { return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()); }

}  // namespace

class PreviewBesideTest : public QObject {
    Q_OBJECT

private slots:
    void previewFromTheAreaBuilderTakesInput();
    void escapeClosesThePreview();
    void placedBesideTheCallingWindow();
    void followsTheInterfaceLanguage();
};

void PreviewBesideTest::previewFromTheAreaBuilderTakesInput()
{
    WindowFolder folder;
    MainWindow form;
    AreaBuilderWindow area(&form);
    form.setAreaWindow(&area);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    preview::PreviewWindow& preview = preview::SharedPreviewWindow();
    preview.hide();

    bool checked = false;
    MainWindow::ModalShower() = [&](AreaBuilderWindow& window) {
        QTimer::singleShot(0, &window, [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&area));
            QCOMPARE(area.windowModality(), Qt::WindowModal);
            Child<QPushButton>(area, "GenButton")->click();
            Child<QPushButton>(area, "elonezetgomb")->click();
            QVERIFY(QTest::qWaitForWindowExposed(&preview));
            QVERIFY(preview.currentFile().endsWith("domb.b3d"));
            QCOMPARE(preview.windowModality(), Qt::NonModal);
            // Its first place leaves the generate button in view.
            QVERIFY(!preview.frameGeometry().intersects(GlobalRect(Child<QPushButton>(area, "GenButton"))));

            // The preview takes clicks; the main window does not.
            QSignalSpy resets(Child<QPushButton>(preview, "previewResetButton"), &QPushButton::clicked);
            SystemClick(Child<QPushButton>(preview, "previewResetButton"));
            QCOMPARE(resets.size(), 1);
            QSignalSpy generates(Child<QPushButton>(form, "Button1"), &QPushButton::clicked);
            SystemClick(Child<QPushButton>(form, "Button1"));
            QCOMPARE(generates.size(), 0);
            // Changing a value and generating again shows the new terrain.
            Child<QLineEdit>(area, "dombxedit")->setText("30");
            Child<QPushButton>(area, "GenButton")->click();
            QVERIFY(preview.isVisible());
            checked = true;
            area.reject();
        });
        window.exec();
    };
    form.openAreaBuilder();
    QVERIFY(checked);
    QVERIFY(preview.isVisible());  // it stays when the area builder closes
    preview.hide();
}

void PreviewBesideTest::escapeClosesThePreview()
{
    WindowFolder folder;
    MainWindow form;
    form.show();
    Child<QPushButton>(form, "Button1")->click();
    Child<QPushButton>(form, "elonezetgomb")->click();
    preview::PreviewWindow& preview = preview::SharedPreviewWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QTest::keyClick(preview.windowHandle(), Qt::Key_Escape);
    QTRY_VERIFY(!preview.isVisible());
    // Another key leaves it open.
    Child<QPushButton>(form, "elonezetgomb")->click();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QTest::keyClick(preview.windowHandle(), Qt::Key_A);
    QVERIFY(preview.isVisible());
    preview.hide();
}

void PreviewBesideTest::placedBesideTheCallingWindow()
{
    // Both windows where they open, on the screens of the issue: the preview
    // (900 x 640) lies on the screen, beside the whole window where a usable
    // preview fits, and never over the window's row of buttons.
    WindowFolder folder;
    MainWindow form;
    AreaBuilderWindow area(&form);
    form.show();
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    const std::pair<QWidget*, QStringList> callers[] = {
        {&form, {"Button1", "elonezetgomb"}}, {&area, {"GenButton", "elonezetgomb", "DomborzatGomb"}}};
    for (const QRect screen : {QRect(0, 0, 1024, 768), QRect(0, 0, 1920, 1080)}) {
        for (const auto& [window, row] : callers) {
            // The window as the window system places it: centred (the area
            // builder) or at its own place, on this screen.
            QRect frame = window->frameGeometry();
            if (!screen.contains(frame))
                frame.moveCenter(screen.center());
            const QPoint shift = frame.topLeft() - window->frameGeometry().topLeft();
            QRect buttons;
            for (const QString& name : row)
                buttons |= GlobalRect(Child<QPushButton>(*window, name)).translated(shift);
            const QRect place = PlacePreview(screen, QSize(900, 640), frame, buttons);
            QVERIFY(screen.contains(place));
            QVERIFY(!place.intersects(buttons));
            if (screen.width() >= 1920)
                QVERIFY2(!place.intersects(frame), qPrintable(window->objectName()));
            QVERIFY(place.width() >= 360 && place.height() >= 300);
        }
    }
}

void PreviewBesideTest::followsTheInterfaceLanguage()
{
    WindowFolder folder;
    MainWindow form;
    form.switchToHungarian();
    form.generateHouse();
    Child<QPushButton>(form, "elonezetgomb")->click();
    preview::PreviewWindow& preview = preview::SharedPreviewWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(preview.windowTitle(), QStringLiteral("Előnézet"));
    QVERIFY2(preview.statusText().contains(QStringLiteral("szakasz")), qPrintable(preview.statusText()));
    // Switched live, the open preview follows, also after a new generation.
    form.switchToEnglish();
    QCOMPARE(preview.windowTitle(), QStringLiteral("Preview"));
    QCOMPARE(Child<QPushButton>(preview, "previewOpenButton")->text(), QStringLiteral("Open..."));
    QCOMPARE(Child<QPushButton>(preview, "previewResetButton")->text(), QStringLiteral("Reset view"));
    QVERIFY2(preview.statusText().contains(QStringLiteral("sections")), qPrintable(preview.statusText()));
    form.generateHouse();
    QVERIFY2(preview.statusText().contains(QStringLiteral("sections")), qPrintable(preview.statusText()));
    // Qt's dialogs follow it too: their dates and sizes.
    QCOMPARE(QLocale().language(), QLocale::English);
    form.switchToHungarian();
    QCOMPARE(QLocale().language(), QLocale::Hungarian);
    QCOMPARE(preview.windowTitle(), QStringLiteral("Előnézet"));
    preview.hide();
}

QTEST_MAIN(PreviewBesideTest)
#include "preview_beside_test.moc"

// The preview beside the windows: opened from the area builder it takes
// input while the area builder stays modal for the main window; its first
// opening leaves the calling window's generate button in view; Escape
// closes it.
#include "ui/window_test_support.h"

#include "preview/preview_window.h"
#include "ui/area_window.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QLineEdit>
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
};

void PreviewBesideTest::previewFromTheAreaBuilderTakesInput()
{
    WindowFolder folder;
    TForm1 form;
    TDombepito area(&form);
    form.setAreaWindow(&area);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    preview::PreviewWindow& preview = preview::SharedPreviewWindow();
    preview.hide();

    bool checked = false;
    TForm1::ModalShower() = [&](TDombepito& window) {
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
    form.terepgombClick();
    QVERIFY(checked);
    QVERIFY(preview.isVisible());  // it stays when the area builder closes
    preview.hide();
}

void PreviewBesideTest::escapeClosesThePreview()
{
    WindowFolder folder;
    TForm1 form;
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

QTEST_MAIN(PreviewBesideTest)
#include "preview_beside_test.moc"

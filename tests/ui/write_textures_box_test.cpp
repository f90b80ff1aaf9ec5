// "Write textures" in both windows: off at first, the bitmaps written
// beside the object when ticked (an existing one kept), the state
// remembered for the next window.
#include "ui/window_test_support.h"

#include "ui/area_window.h"
#include "ui/write_textures_box.h"

#include <QPushButton>
#include <QTest>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

class WriteTexturesBoxTest : public QObject {
    Q_OBJECT

private slots:
    void writesBesideTheObjectAndIsRemembered()
    {
        WindowFolder folder;
        {
            MainWindow form;
            QVERIFY(!form.writeTexturesBox().isChecked());
            Child<QPushButton>(form, "Button1")->click();
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files).filter(".bmp").size(), 0);

            QVERIFY(folder.write("1.bmp", "own"));
            form.writeTexturesBox().setChecked(true);
            Child<QPushButton>(form, "Button1")->click();
            QVERIFY2(folder.reports.empty(), folder.reports.empty() ? "" : qPrintable(folder.reports.front().text));
            QVERIFY(folder.exists("a.bmp") && folder.exists("k.bmp") && folder.exists("eresz.bmp"));
            QCOMPARE(folder.read("1.bmp"), QByteArray("own"));
            QVERIFY(form.statusText().contains(" megtartva"));
        }
        // The next window starts ticked; the area builder has its own box.
        MainWindow again;
        QVERIFY(again.writeTexturesBox().isChecked());
        AreaBuilderWindow area(&again);
        QVERIFY(!area.writeTexturesBox().isChecked());
        QFile::remove(folder.file("a.bmp"));
        area.writeTexturesBox().setChecked(true);
        Child<QPushButton>(area, "GenButton")->click();
        QVERIFY(folder.exists("a.bmp"));
        QCOMPARE(folder.read("a.bmp").size(), 54 + 256 * 256 * 3);
    }
};

QTEST_MAIN(WriteTexturesBoxTest)
#include "write_textures_box_test.moc"

// A track kit in the preview (Xvfb, Mesa): the window's Preview button shows
// consecutive blocks of the chosen radius; the structure list the window
// writes opens as the same blocks, read back from the files.
#include "preview/mesh_view.h"
#include "preview/preview_window.h"
#include "ui/track_window.h"

#include "../ui/window_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace kestrane;
using namespace kestrane::ui::test;

namespace {

// The pixels of the frame where green leads: the embankments' grass colour
// (no bitmaps lie beside the kit).
int GrassPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel(image.pixel(x, y));
            count += pixel.green() > pixel.red() + 15 && pixel.green() > pixel.blue() + 40;  // grass, lush or dry
        }
    return count;
}

}  // namespace

class TrackPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void blocksOfTheChosenRadius()
    {
        WindowFolder folder;
        ui::TrackWindow window;
        window.applyLanguage(UiLanguage::English);
        window.show();
        // A bed with an embankment on the left and a cutting on the right.
        Child<QLineEdit>(window, "radiusEdit")->setText("150,0");
        Child<QLineEdit>(window, "dikeHeightEdit")->setText("2");
        Child<QCheckBox>(window, "pieceDikeRight")->setChecked(false);
        Child<QCheckBox>(window, "pieceCuttingRight")->setChecked(true);
        const b3d::Model built = window.kitPreviewModel();
        Child<QPushButton>(window, "previewButton")->click();

        preview::PreviewWindow& preview = preview::SharedPreviewWindow();
        QVERIFY(preview.isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        const QString counts = QStringLiteral(": %1 sections, %2 vertices, %3 faces")
                                   .arg(built.sections.size())
                                   .arg(QLocale(QLocale::English).toString(qulonglong(built.vertexCount)))
                                   .arg(QLocale(QLocale::English).toString(qulonglong(built.faceCount)));
        // The bitmaps are not in the folder: the starter textures stand in.
        QVERIFY2(preview.statusText().startsWith(QStringLiteral("8 blocks, R = 150 m") + counts + " – "),
                 qPrintable(preview.statusText()));
        const QImage frame = preview.view()->grabFramebuffer();
        if (const QByteArray shots = qgetenv("KESTRANE_SCREENSHOTS"); !shots.isEmpty())
            preview.grab().save(QString::fromLocal8Bit(shots) + "/track_preview_en.png");
        QVERIFY2(GrassPixels(frame) > 500, qPrintable(QString::number(GrassPixels(frame))));

        // Generating with the preview open shows the structure list just
        // written: the same blocks, read from the files of its first radius.
        window.generate();
        QVERIFY2(folder.reports.empty(), folder.reports.empty() ? "" : qPrintable(folder.reports[0].text));
        QTRY_VERIFY2(preview.statusText().startsWith(QStringLiteral("track_structures.txt") + counts),
                     qPrintable(preview.statusText()));
        QCOMPARE(preview.currentFile(), folder.file("track_structures.txt"));
        preview.close();
    }

    void refusedFieldShowsNoPreview()
    {
        WindowFolder folder;
        preview::SharedPreviewWindow().close();
        ui::TrackWindow window;
        window.applyLanguage(UiLanguage::English);
        Child<QLineEdit>(window, "radiusEdit")->setText("12");
        Child<QPushButton>(window, "previewButton")->click();
        QCOMPARE(folder.reports.size(), std::size_t(1));
        QVERIFY2(folder.reports[0].text.startsWith("Radii:"), qPrintable(folder.reports[0].text));
        QVERIFY(!preview::SharedPreviewWindow().isVisible());
    }
};

QTEST_MAIN(TrackPreviewTest)
#include "track_preview_test.moc"

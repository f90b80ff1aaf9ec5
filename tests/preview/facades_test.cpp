// A house with facades in the preview (Xvfb, Mesa): the window and door
// bitmaps beside the object are drawn on the walls they belong to.
#include "house/house_generator.h"
#include "preview/mesh_view.h"
#include "preview/preview_window.h"
#include "support/test_support.h"

#include <QImage>
#include <QTest>

using namespace kestrane;

namespace {

// A pixel of the bitmap's colour, lit: its channels in the same proportions.
bool LooksLike(const QColor& pixel, const QColor& want)
{
    const double sum = pixel.red() + pixel.green() + pixel.blue();
    const double total = want.red() + want.green() + want.blue();
    return sum >= 30 && std::abs(pixel.red() / sum - want.red() / total) < 0.04 &&
           std::abs(pixel.green() / sum - want.green() / total) < 0.04 &&
           std::abs(pixel.blue() / sum - want.blue() / total) < 0.04;
}

int CountPixels(const QImage& image, const QColor& want)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += LooksLike(QColor(image.pixel(x, y)), want);
    return count;
}

}  // namespace

class FacadesPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void windowsAndDoorShowWithTheirBitmaps()
    {
        test::TempFolder folder;
        const QColor glass(40, 110, 220);
        const QColor wood(150, 70, 20);
        for (const auto& [name, color] : {std::pair{"window.bmp", glass}, std::pair{"door.bmp", wood}}) {
            QImage bitmap(16, 16, QImage::Format_RGB32);
            bitmap.fill(color);
            QVERIFY(bitmap.save(QString::fromStdString((folder / name).string()), "BMP"));
        }
        HouseInput input;
        input.wall = {{225, 215, 190}, true};
        input.roof = {{120, 40, 30}, true};
        input.stairSteps = 0;
        input.wallHeight = "6000";
        input.roofHeight = "9000";
        FacadeInput& f = input.facades;
        f.enabled = true;
        f.storeys = "2";
        for (FacadeInput::Windows& windows : f.windows) {
            windows.enabled = true;
            windows.width = "1000";
            windows.height = "1200";
        }
        f.windows[static_cast<int>(WallSide::Right)].count = "3";
        f.door.enabled = true;
        f.door.width = "800";  // the front windows beside it stay
        f.frames = true;
        const HouseResult house = GenerateHouse(input, UiLanguage::English, folder.path());

        preview::PreviewWindow window;
        window.setLanguage(UiLanguage::English);
        QVERIFY(window.openFile(QString::fromStdString(house.path.string())));
        window.resize(640, 480);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage frame = window.view()->grabFramebuffer();
        const int windows = CountPixels(frame, glass);
        const int doors = CountPixels(frame, wood);
        qInfo("window pixels %d, door pixels %d", windows, doors);
        QVERIFY(windows > 1000);
        QVERIFY(doors > 100);
        if (const QByteArray shots = qgetenv("KESTRANE_SCREENSHOTS"); !shots.isEmpty())
            window.grab().save(QString::fromLocal8Bit(shots) + "/preview_facades_en.png");
    }
};

QTEST_MAIN(FacadesPreviewTest)
#include "facades_test.moc"

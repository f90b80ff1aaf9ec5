// The preview with bitmaps missing beside the object (Xvfb, Mesa): the
// starter textures stand in for them and the status line counts them; a
// bitmap of the user's own always wins.
#include "house/house_generator.h"
#include "preview/mesh_view.h"
#include "preview/preview_window.h"
#include "support/test_support.h"

#include <QImage>
#include <QRegularExpression>
#include <QTest>

using namespace kestrane;

namespace {

int CountPixels(const QImage& image, const std::function<bool(const QColor&)>& wanted)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += wanted(QColor(image.pixel(x, y)));
    return count;
}

// The number in " – N built-in textures", 0 without it.
int BuiltInCount(const QString& status)
{
    const auto match = QRegularExpression(" (\\d+) built-in textures").match(status);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

}  // namespace

class StarterTexturesPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void starterTexturesStandInForMissingBitmaps()
    {
        test::TempFolder folder;
        HouseInput input;
        input.roofKind = RoofKind::Pitched;
        input.ChooseRoof(RoofKind::Pitched);
        input.wallHeight = "6000";
        input.roofHeight = "9500";
        FacadeInput& f = input.facades;
        f.enabled = true;
        f.storeys = "2";
        for (FacadeInput::Windows& windows : f.windows) {
            windows.enabled = true;
            windows.width = "1000";
            windows.height = "1200";
        }
        f.door.enabled = true;
        f.door.width = "900";
        f.frames = true;
        const HouseResult house = GenerateHouse(input, UiLanguage::English, folder.path());

        preview::PreviewWindow window;
        window.setLanguage(UiLanguage::English);
        QVERIFY(window.openFile(QString::fromStdString(house.path.string())));
        // Every bitmap the house loads is one of the set: all stand in.
        QCOMPARE(BuiltInCount(window.statusText()), static_cast<int>(house.textures.size()));
        window.resize(640, 480);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto tiles = [](const QColor& c) { return c.red() > 2 * c.green() && c.red() > 60; };
        const QImage frame = window.view()->grabFramebuffer();
        qInfo("roof tile pixels %d", CountPixels(frame, tiles));
        QVERIFY(CountPixels(frame, tiles) > 2000);
        if (const QByteArray shots = qgetenv("KESTRANE_SCREENSHOTS"); !shots.isEmpty())
            window.grab().save(QString::fromLocal8Bit(shots) + "/preview_starter_textures_en.png");

        // The user's own roof bitmap wins over the built-in one.
        for (const char* name : {"a.bmp", "b.bmp"}) {
            QImage own(16, 16, QImage::Format_RGB32);
            own.fill(QColor(30, 60, 200));
            QVERIFY(own.save(QString::fromStdString((folder / name).string()), "BMP"));
        }
        QVERIFY(window.openFile(QString::fromStdString(house.path.string())));
        QCOMPARE(BuiltInCount(window.statusText()), static_cast<int>(house.textures.size()) - 2);
        QTest::qWait(50);
        const QImage own = window.view()->grabFramebuffer();
        const auto blue = [](const QColor& c) { return c.blue() > 2 * c.red() && c.blue() > 60; };
        qInfo("own roof pixels %d, tile pixels %d", CountPixels(own, blue), CountPixels(own, tiles));
        QVERIFY(CountPixels(own, blue) > 2000);
        QVERIFY(CountPixels(own, tiles) < 200);
    }
};

QTEST_MAIN(StarterTexturesPreviewTest)
#include "starter_textures_test.moc"

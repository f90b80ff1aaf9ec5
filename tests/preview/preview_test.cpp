// The preview under a real X server (Xvfb, Mesa): generated objects are
// drawn in their colours, one-sided faces only from the front, and the
// full-size terrain opens with its vertex warning.
#include "house/house_generator.h"
#include "preview/mesh_view.h"
#include "preview/preview_window.h"
#include "support/test_support.h"
#include "terrain/terrain_generator.h"
#include "ui/area_window.h"
#include "ui/main_window.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QImage>
#include <QCheckBox>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>
#include <QTest>

#include <fstream>

using namespace kestrane;

namespace {

// How many pixels of `image` satisfy `match`.
template <typename Match>
int CountPixels(const QImage& image, Match match)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(QColor(image.pixel(x, y))))
                ++count;
    return count;
}

// A lit colour keeps the proportions of its channels.
bool LooksLike(const QColor& pixel, int r, int g, int b)
{
    const double sum = pixel.red() + pixel.green() + pixel.blue();
    const double want = r + g + b;
    if (sum < 30)
        return false;
    return std::abs(pixel.red() / sum - r / want) < 0.04 && std::abs(pixel.green() / sum - g / want) < 0.04 &&
           std::abs(pixel.blue() / sum - b / want) < 0.04;
}

}  // namespace

class PreviewTest : public QObject {
    Q_OBJECT

private:
    test::TempFolder folder_;

    QImage Show(preview::PreviewWindow& window, const QString& path)
    {
        if (!window.openFile(path))
            return {};
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return {};
        return window.view()->grabFramebuffer();
    }

private slots:
    void batchesSplitFacesBySidednessAndTexture()
    {
        const auto path = folder_ / "cube.b3d";
        test::WriteFile(path, "[MeshBuilder]\r\nCube 1,1,1\r\nColor 255,0,0\r\n"
                              "[MeshBuilder]\r\nVertex 0,0,0\r\nVertex 1,0,0\r\nVertex 1,1,0\r\nFace2 0,1,2\r\n"
                              "[Texture]\r\nLoad missing.bmp\r\n");
        preview::PreviewWindow window;
        QVERIFY(window.openFile(QString::fromStdString(path.string())));
        QVERIFY(window.statusText().contains("cube.b3d: 2 szakasz, 11 csúcspont, 7 lap"));
        window.setLanguage(UiLanguage::English);
        QVERIFY(window.statusText().contains("cube.b3d: 2 sections, 11 vertices, 7 faces"));
        QCOMPARE(window.windowTitle(), QString("Preview"));
        QVERIFY(!window.openFile(QString::fromStdString((folder_ / "none.b3d").string())));
        QVERIFY(window.statusText().startsWith("none.b3d cannot be read"));
    }

    void defaultHouseShowsItsRoofColour()
    {
        HouseInput input;
        input.roof = {{100, 20, 20}, true};
        input.wall = {{180, 160, 105}, true};
        const HouseResult house = GenerateHouse(input, UiLanguage::English, folder_.path());
        preview::PreviewWindow window;
        const QImage frame = Show(window, QString::fromStdString(house.path.string()));
        QVERIFY(!frame.isNull());
        const int roof = CountPixels(frame, [](const QColor& c) { return LooksLike(c, 100, 20, 20); });
        const int walls = CountPixels(frame, [](const QColor& c) { return LooksLike(c, 180, 160, 105); });
        qInfo("roof pixels %d, wall pixels %d of %lld", roof, walls, qlonglong(frame.width()) * frame.height());
        QVERIFY(roof > 500);
        QVERIFY(walls > 500);
    }

    void shapedTerrainShowsItsColours()
    {
        TerrainInput input;
        input.peaks[0] = {"8", "8", "4", "6", {200, 100, 0}};
        input.peaks[1] = {"18", "18", "-3", "5", {30, 60, 200}};
        TerrainGenerator generator;
        const TerrainResult result = generator.Generate(input, UiLanguage::English, folder_.path());
        preview::PreviewWindow window;
        const QImage frame = Show(window, QString::fromStdString(result.path.string()));
        QVERIFY(!frame.isNull());
        const int green = CountPixels(frame, [](const QColor& c) { return LooksLike(c, 40, 140, 40); });
        const int orange = CountPixels(frame, [](const QColor& c) { return LooksLike(c, 200, 100, 0); });
        const int blue = CountPixels(frame, [](const QColor& c) { return LooksLike(c, 30, 60, 200); });
        qInfo("green %d, orange %d, blue %d", green, orange, blue);
        QVERIFY(green > 1000);
        QVERIFY(orange > 20);
        QVERIFY(blue > 20);
    }

    void oneSidedFacesAreSeenFromTheFrontOnly()
    {
        // A wall facing the default camera (front left, from above), once
        // wound the right way and once the wrong way.
        const char* right = "[MeshBuilder]\r\nVertex 0,0,-3\r\nVertex 0,0,3\r\nVertex 0,3.5,3\r\nVertex 0,3.5,-3\r\n"
                            "Face 0,1,2,3\r\nColor 255,0,0\r\n";
        const char* wrong = "[MeshBuilder]\r\nVertex 0,0,-3\r\nVertex 0,0,3\r\nVertex 0,3.5,3\r\nVertex 0,3.5,-3\r\n"
                            "Face 3,2,1,0\r\nColor 255,0,0\r\n";
        const char* both = "[MeshBuilder]\r\nVertex 0,0,-3\r\nVertex 0,0,3\r\nVertex 0,3.5,3\r\nVertex 0,3.5,-3\r\n"
                           "Face2 3,2,1,0\r\nColor 255,0,0\r\n";
        int red[3] = {};
        const char* files[] = {right, wrong, both};
        for (int k = 0; k < 3; ++k) {
            const auto path = folder_ / ("wall" + std::to_string(k) + ".b3d");
            test::WriteFile(path, files[k]);
            preview::PreviewWindow window;
            const QImage frame = Show(window, QString::fromStdString(path.string()));
            red[k] = CountPixels(frame, [](const QColor& c) { return LooksLike(c, 255, 0, 0); });
        }
        qInfo("red pixels: front %d, back %d, two-sided %d", red[0], red[1], red[2]);
        QVERIFY(red[0] > 1000);
        QCOMPARE(red[1], 0);
        QVERIFY(red[2] > 1000);
    }

    void texturesAreDrawnWhenTheBitmapLiesBesideTheObject()
    {
        // A wall facing the camera with a blue bitmap; a second one names a
        // bitmap that does not exist and keeps its own colour.
        const auto sub = folder_ / "textured";
        std::filesystem::create_directory(sub);
        QImage bitmap(8, 8, QImage::Format_RGB32);
        bitmap.fill(QColor(20, 40, 230));
        QVERIFY(bitmap.save(QString::fromStdString((sub / "Blue.BMP").string()), "BMP"));
        const char* wall = "[MeshBuilder]\r\nVertex 0,0,-3\r\nVertex 0,0,0\r\nVertex 0,3.5,0\r\nVertex 0,3.5,-3\r\n"
                           "Face 0,1,2,3\r\n[Texture]\r\nLoad blue.bmp\r\nCoordinates 0,1,1\r\nCoordinates 1,0,1\r\n"
                           "Coordinates 2,0,0\r\nCoordinates 3,1,0\r\n"
                           "[MeshBuilder]\r\nVertex 0,0,0\r\nVertex 0,0,3\r\nVertex 0,3.5,3\r\nVertex 0,3.5,0\r\n"
                           "Face 0,1,2,3\r\nColor 230,200,20\r\n[Texture]\r\nLoad missing.bmp\r\n";
        test::WriteFile(sub / "wall.b3d", wall);
        preview::PreviewWindow window;
        const QImage frame = Show(window, QString::fromStdString((sub / "wall.b3d").string()));
        const int blue = CountPixels(frame, [](const QColor& c) { return LooksLike(c, 20, 40, 230); });
        const int yellow = CountPixels(frame, [](const QColor& c) { return LooksLike(c, 230, 200, 20); });
        qInfo("bitmap pixels %d, coloured pixels %d", blue, yellow);
        QVERIFY(blue > 1000);
        QVERIFY(yellow > 1000);
    }

    void roofFormsShowTheirRoofsFromOutside()
    {
        // Roof and walls in their colours: a one-sided face wound the wrong
        // way would leave its colour out of the picture.
        const std::pair<RoofKind, const char*> forms[] = {
            {RoofKind::HalfHipped, "halfhip"},
            {RoofKind::Gambrel, "gambrel"},
            {RoofKind::Mansard, "mansard"},
            {RoofKind::Saltbox, "saltbox"},
        };
        for (const auto& [kind, name] : forms) {
            HouseInput input;
            input.ChooseRoof(kind);
            input.roof.use = true;
            input.wall.use = true;
            const HouseResult result = GenerateHouse(input, UiLanguage::English, folder_.path());
            preview::PreviewWindow window;
            window.setLanguage(UiLanguage::English);
            const QImage frame = Show(window, QString::fromStdString(result.path.string()));
            const int roof = CountPixels(frame, [](const QColor& c) { return LooksLike(c, 100, 20, 20); });
            const int walls = CountPixels(frame, [](const QColor& c) { return LooksLike(c, 180, 160, 105); });
            qInfo("%s: roof pixels %d, wall pixels %d", name, roof, walls);
            QVERIFY2(roof > 2000, name);
            QVERIFY2(walls > 2000, name);
            if (const QByteArray shots = qgetenv("KESTRANE_SCREENSHOTS"); !shots.isEmpty())
                window.grab().save(QString::fromLocal8Bit(shots) + "/preview_" + name + ".png");
        }
    }

    void previewButtonsShowTheLastGeneratedObject()
    {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QString::fromStdString(folder_.path().string())));
        test::WriteFile("lang.cfg", "en");
        {
            ui::MainWindow form;
            ui::AreaBuilderWindow area(&form);
            form.setAreaWindow(&area);
            preview::PreviewWindow& window = preview::SharedPreviewWindow();
            window.hide();

            auto* roofColor = form.findChild<QCheckBox*>("tszinchk");
            QVERIFY(roofColor);
            roofColor->click();
            form.findChild<QCheckBox*>("fszinchk")->click();
            form.findChild<QPushButton*>("Button1")->click();
            auto* previewButton = form.findChild<QPushButton*>("elonezetgomb");
            QCOMPARE(previewButton->text(), QString("Preview"));
            previewButton->click();
            QVERIFY(window.isVisible());
            QCOMPARE(window.windowTitle(), QString("Preview"));
            QVERIFY(window.currentFile().endsWith("House_pyramid.b3d"));
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            const QImage house = window.view()->grabFramebuffer();
            QVERIFY(CountPixels(house, [](const QColor& c) { return LooksLike(c, 100, 20, 20); }) > 500);
            if (const QByteArray shots = qgetenv("KESTRANE_SCREENSHOTS"); !shots.isEmpty())
                window.grab().save(QString::fromLocal8Bit(shots) + "/preview_en.png");

            // A new generation while the preview is open shows the new file.
            form.findChild<QRadioButton*>("laposteto")->click();
            form.findChild<QPushButton*>("Button1")->click();
            QVERIFY(window.currentFile().endsWith("House_flat.b3d"));

            // The area builder's button shows its terrain.
            area.applyLanguage(UiLanguage::Hungarian);
            area.findChild<QPushButton*>("GenButton")->click();
            auto* areaPreview = area.findChild<QPushButton*>("elonezetgomb");
            QCOMPARE(areaPreview->text(), QString::fromUtf8("Előnézet"));
            areaPreview->click();
            QVERIFY(window.currentFile().endsWith("domb.b3d"));
            QCOMPARE(window.windowTitle(), QString::fromUtf8("Előnézet"));
            // The house in the Hungarian interface: every text of the preview in Hungarian.
            form.switchToHungarian();
            form.findChild<QPushButton*>("elonezetgomb")->click();
            QVERIFY(window.statusText().contains(QString::fromUtf8("szakasz")));
            if (const QByteArray shots = qgetenv("KESTRANE_SCREENSHOTS"); !shots.isEmpty())
                window.grab().save(QString::fromLocal8Bit(shots) + "/preview_hu.png");
            window.hide();
        }
        QDir::setCurrent(previous);
    }

    // Far-away and infinite coordinates: the ground grid once stepped in
    // float, which stops advancing there, and the window froze.
    void farAwayAndInfiniteObjectsOpenWithABoundedGrid()
    {
        HouseInput input;
        input.offsetX = "20000000000";  // mm
        const HouseResult house = GenerateHouse(input, UiLanguage::English, folder_.path());
        struct Case {
            const char* name;
            std::string text;
        };
        const std::string wall = "Vertex 0,0,0\nVertex 0,0,3\nVertex 0,3,3\nFace 0,1,2\n";
        const Case cases[] = {
            {"house", test::ReadFile(house.path)},
            {"beyond float", "[MeshBuilder]\n" + wall + "Translate 1e39,0,-1e39\n"},
            {"overflowing", "[MeshBuilder]\n" + wall + "Vertex 1e308,0,0\nScale 10,10,10\n"},
            {"far and near", "[MeshBuilder]\n" + wall + "[MeshBuilder]\n" + wall + "Translate 3e38,0,-3e38\n"},
        };
        for (const Case& c : cases) {
            const auto path = folder_ / (std::string(c.name) + ".b3d");
            test::WriteFile(path, c.text);
            preview::PreviewWindow window;
            QElapsedTimer timer;
            timer.start();
            const QImage frame = Show(window, QString::fromStdString(path.string()));
            qInfo("%s: on screen after %lld ms, %d grid lines", c.name, timer.elapsed(), window.view()->gridLineCount());
            QVERIFY2(!frame.isNull(), c.name);
            QVERIFY2(window.view()->gridLineCount() > 0, c.name);
            QVERIFY2(window.view()->gridLineCount() <= 2 * preview::MeshView::kMostGridLines, c.name);
            QVERIFY2(timer.elapsed() < 20000, c.name);
        }
    }

    // A large file is read on a worker thread: the window answers meanwhile
    // and the reading can be cancelled, or given up for another file.
    void largeFilesLoadOnAWorkerThreadAndCanBeCancelled()
    {
        const auto cube = folder_ / "small.b3d";
        test::WriteFile(cube, "[MeshBuilder]\nCube 1,1,1\n");
        const auto large = folder_ / "large.b3d";
        {
            std::ofstream out(large, std::ios::binary);
            const std::string comments(1 << 20, ';');
            out << "[MeshBuilder]\nCube 2,2,2\n";
            for (int k = 0; k < 128; ++k)
                out << comments << "\n";
        }
        const QString largePath = QString::fromStdString(large.string());

        preview::PreviewWindow window;
        window.setLanguage(UiLanguage::English);
        QVERIFY(window.openFile(QString::fromStdString(cube.string())));
        auto* progress = window.findChild<QProgressBar*>("previewProgress");
        auto* cancel = window.findChild<QPushButton*>("previewCancelButton");
        QVERIFY(progress && cancel);
        QVERIFY(!cancel->isVisibleTo(&window));

        bool answered = false;
        QTimer::singleShot(0, &window, [&] {
            answered = window.isLoading() && progress->isVisibleTo(&window) && cancel->isVisibleTo(&window) &&
                       window.statusText() == "Loading large.b3d...";
            cancel->click();
        });
        QVERIFY(!window.openFile(largePath));
        QVERIFY(answered);
        QCOMPARE(window.statusText(), QString("Loading large.b3d cancelled."));
        QVERIFY(window.currentFile().endsWith("small.b3d"));
        QVERIFY(!window.isLoading());
        QVERIFY(!cancel->isVisibleTo(&window));

        // Another file opened while one is read takes its place.
        bool opened = false;
        QTimer::singleShot(0, &window, [&] { opened = window.openFile(QString::fromStdString(cube.string())); });
        QVERIFY(!window.openFile(largePath));
        QVERIFY(opened);
        QVERIFY(window.statusText().startsWith("small.b3d: 1 sections, 8 vertices"));

        // Left alone, it is read and shown.
        QVERIFY(window.openFile(largePath));
        QVERIFY(window.statusText().startsWith("large.b3d: 1 sections, 8 vertices, 6 faces"));
    }

    void fullSizeTerrainOpensWithItsVertexWarning()
    {
        TerrainInput input;
        input.areaX = "100";
        input.areaZ = "1000";
        input.resolutionX = "100";
        input.resolutionZ = "1000";
        input.curveX = "30";
        input.curveZ1 = "200";
        input.curveZ2 = "600";
        for (int k = 0; k < 8; ++k)
            input.peaks[k] = {std::to_string(10 + 10 * k), std::to_string(100 + 100 * k), "5", "8", {200, 100, 0}};
        TerrainGenerator generator;
        const TerrainResult result = generator.Generate(input, UiLanguage::English, folder_.path());

        preview::PreviewWindow window;
        window.setLanguage(UiLanguage::English);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(window.openFile(QString::fromStdString(result.path.string())));
        const qint64 readMs = timer.elapsed();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.view()->grabFramebuffer();  // uploads once
        const qint64 firstFrameMs = timer.elapsed();
        double frames = 0;
        for (int k = 0; k < 5; ++k) {
            window.view()->grabFramebuffer();
            frames += window.view()->lastFrameMilliseconds();
        }
        qInfo("full-size terrain: read %lld ms, on screen after %lld ms, %.1f ms per frame", readMs, firstFrameMs,
              frames / 5);
        QVERIFY(window.statusText().contains("100,000 sections, 400,000 vertices, 200,000 faces"));
        QVERIFY(window.statusText().contains("WARNING: 400,000 vertices"));
    }
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"

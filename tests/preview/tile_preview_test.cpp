// The preview of a tile set: domb_tiles.txt opens every tile at its origin,
// one tile opens alone, and the vertex warning counts the largest tile.
#include "preview/mesh_view.h"
#include "preview/preview_window.h"
#include "support/test_support.h"
#include "terrain/terrain_generator.h"

#include <QTest>

using namespace kestrane;

class TilePreviewTest : public QObject {
    Q_OBJECT

private:
    test::TempFolder folder_;

private slots:
    void tileSetAndOneTile()
    {
        TerrainInput input;
        input.layout = TerrainLayout::Simulator;
        input.tileLength = "10";
        input.peaks[0] = {"8", "8", "4", "6", {200, 100, 0}};
        TerrainGenerator generator;
        const TerrainResult result = generator.Generate(input, UiLanguage::English, folder_.path());
        QVERIFY(result.path.string().ends_with("domb_tiles.txt"));

        preview::PreviewWindow window;
        window.setLanguage(UiLanguage::English);
        QVERIFY(window.openFile(QString::fromStdString(result.path.string())));
        const QString status = window.statusText();
        QVERIFY2(status.startsWith("domb_tiles.txt: "), qPrintable(status));
        // 625 cells: flat blocks one face each, those on the peak two triangles.
        QVERIFY2(status.contains("280 faces – 3 tiles, the largest with"), qPrintable(status));
        QVERIFY2(!status.contains("WARNING"), qPrintable(status));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.view()->grabFramebuffer().isNull());

        QVERIFY(window.openFile(QString::fromStdString((folder_ / "domb_002.b3d").string())));
        QVERIFY2(window.statusText().contains("domb_002.b3d: ") && window.statusText().contains(" 68 faces"),
                 qPrintable(window.statusText()));
        window.setLanguage(UiLanguage::Hungarian);
        QVERIFY(window.openFile(QString::fromStdString(result.path.string())));
        QVERIFY2(window.statusText().contains("3 csempe"), qPrintable(window.statusText()));
    }
};

QTEST_MAIN(TilePreviewTest)
#include "tile_preview_test.moc"

// The area builder with a heightmap under a real X server: a valley cut
// into a hillside, written as a GeoTIFF with a few no-data cells, shaped by
// the window and shown by its preview button in relief.
#include "preview/mesh_view.h"
#include "preview/preview_window.h"
#include "support/test_support.h"
#include "test_rasters.h"
#include "ui/area_window.h"
#include "ui/main_window.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>

using namespace kestrane;

namespace {

// Heights like a river valley in hills: a slope rising north-east, a
// meandering valley floor, and rolling hills; 5 m cells, 300 by 300.
double Relief(int column, int row)
{
    const double x = column * 5.0;
    const double z = (299 - row) * 5.0;
    const double river = 750 + 120 * std::sin(z / 260.0);
    const double valley = 28 * (1 - std::exp(-((x - river) * (x - river)) / (2 * 90.0 * 90.0)));
    const double hills = 6 * std::sin(x / 70.0) * std::cos(z / 95.0) + 3 * std::sin((x + z) / 40.0);
    return 180 + 0.012 * x + 0.008 * z + valley + hills;
}

}  // namespace

class HeightmapPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void valleyInRelief()
    {
        test::TempFolder folder;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QString::fromStdString(folder.path().string())));
        test::WriteFile("lang.cfg", "en");
        test::RasterLayout layout;
        layout.type = "Int16";
        layout.columns = 300;
        layout.rows = 300;
        layout.transform = std::array<double, 6>{612000, 5, 0, 5263500, 0, -5};
        layout.srs = "EPSG:32633";
        layout.noData = -32768;
        test::WriteRaster(folder / "valley.tif", layout, [](int c, int r) {
            return c > 200 && c < 204 && r > 100 && r < 104 ? -32768.0 : std::round(Relief(c, r));
        });
        {
            ui::MainWindow form;
            ui::AreaBuilderWindow area(&form);
            form.setAreaWindow(&area);
            area.applyLanguage(UiLanguage::English);
            const auto set = [&](const char* name, const char* text) {
                auto* edit = area.findChild<QLineEdit*>(name);
                QVERIFY2(edit, name);
                edit->setText(QString::fromUtf8(text));
                emit edit->editingFinished();
            };
            area.findChild<QPushButton*>("DomborzatGomb")->setChecked(true);
            set("DomborzatEdit", "valley.tif");
            set("DomborzatOrigoXEdit", "400");
            set("DomborzatOrigoZEdit", "100");
            set("MagassagSzorzoEdit", "2");
            set("MagassagEltolasEdit", "-360");
            set("dombxedit", "600");
            set("dombzedit", "1200");
            set("xbontEdit", "60");
            set("zbontedit", "120");
            set("TexturaEdit", "");
            QCOMPARE(area.findChild<QLabel*>("DomborzatInfo")->text(),
                     QString::fromUtf8("300 × 300 cells, 5 × 5 m, 183 … 243"));
            area.findChild<QPushButton*>("GenButton")->click();
            QCOMPARE(area.statusText(), QStringLiteral("Domb.B3d file generating successfull"));
            QVERIFY(area.findChild<QLabel*>("DomborzatJelentes")->text().startsWith("Heightmap: 7381 nodes, "));
            if (const QByteArray shots = qgetenv("KESTRANE_SCREENSHOTS"); !shots.isEmpty()) {
                area.show();
                QVERIFY(QTest::qWaitForWindowExposed(&area));
                area.grab().save(QString::fromLocal8Bit(shots) + "/area_heightmap_en.png");
                area.hide();
            }

            area.findChild<QPushButton*>("elonezetgomb")->click();
            preview::PreviewWindow& window = preview::SharedPreviewWindow();
            QVERIFY(window.isVisible());
            QVERIFY(window.currentFile().endsWith("domb.b3d"));
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            const QImage frame = window.view()->grabFramebuffer();
            // Lit from one side, the slopes of the relief come out in many
            // shades of the terrain's green.
            QSet<QRgb> greens;
            for (int y = 0; y < frame.height(); ++y)
                for (int x = 0; x < frame.width(); ++x) {
                    const QColor c(frame.pixel(x, y));
                    if (c.green() > c.red() + 20 && c.green() > c.blue() + 20)
                        greens.insert(c.rgb());
                }
            qInfo("shades of green: %lld", static_cast<long long>(greens.size()));
            QVERIFY(greens.size() > 20);
            if (const QByteArray shots = qgetenv("KESTRANE_SCREENSHOTS"); !shots.isEmpty())
                window.grab().save(QString::fromLocal8Bit(shots) + "/heightmap_preview_en.png");
            window.hide();
        }
        QDir::setCurrent(previous);
    }
};

QTEST_MAIN(HeightmapPreviewTest)
#include "heightmap_preview_test.moc"

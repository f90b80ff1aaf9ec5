// The preview opens a generated CSV object and OBJ file as it opens their
// B3D twin: the same counts for CSV, the same colours in view for both.
#include "preview/mesh_view.h"
#include "preview/preview_window.h"
#include "support/test_support.h"

#include <QImage>
#include <QTest>

using namespace kestrane;

namespace {

int CountColour(const QImage& image, int r, int g, int b)
{
    int count = 0;
    const double want = r + g + b;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            const double sum = c.red() + c.green() + c.blue();
            if (sum >= 30 && std::abs(c.red() / sum - r / want) < 0.04 &&
                std::abs(c.green() / sum - g / want) < 0.04 && std::abs(c.blue() / sum - b / want) < 0.04)
                ++count;
        }
    return count;
}

}  // namespace

class OtherFormatsPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void generatedCsvAndObjOpenAsTheirB3dTwin()
    {
        test::TempFolder folder;
        const std::vector<std::string> house = {"house", "--roof", "pitched", "--roof-color", "100,20,20",
                                                "--wall-color", "180,160,105", "--lang=en", "-o", "h.b3d"};
        for (const char* format : {"b3d", "csv", "obj"}) {
            std::vector<std::string> args = house;
            args.insert(args.end(), {"--format", format});
            const test::CommandResult result = test::RunCli(args, folder.path());
            QVERIFY2(result.exitCode == 0, result.err.c_str());
        }
        preview::PreviewWindow window;
        window.setLanguage(UiLanguage::English);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto open = [&](const char* name, QString& status) {
            if (!window.openFile(QString::fromStdString((folder / name).string())))
                return QImage();
            status = window.statusText();
            return window.view()->grabFramebuffer();
        };
        QString b3dStatus, csvStatus, objStatus;
        const QImage b3d = open("h.b3d", b3dStatus);
        const QImage csv = open("h.csv", csvStatus);
        const QImage obj = open("h.obj", objStatus);
        QVERIFY(!b3d.isNull() && !csv.isNull() && !obj.isNull());
        QCOMPARE(csvStatus, QString(b3dStatus).replace("h.b3d", "h.csv"));
        QVERIFY2(!objStatus.contains("problem"), qPrintable(objStatus));
        for (const QImage* frame : {&b3d, &csv, &obj}) {
            const int roof = CountColour(*frame, 100, 20, 20);
            const int walls = CountColour(*frame, 180, 160, 105);
            qInfo("roof pixels %d, wall pixels %d", roof, walls);
            QVERIFY(roof > 500);
            QVERIFY(walls > 500);
        }
    }
};

QTEST_MAIN(OtherFormatsPreviewTest)
#include "other_formats_preview_test.moc"

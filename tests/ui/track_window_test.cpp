// The track kit window: its kit is the one `kestrane track` writes with the
// same options, byte for byte; a preset saved from it sets another window to
// the same inputs; the drawing follows the fields; a refused field names
// itself and writes nothing; Enter generates; the main window opens it.
#include "window_test_support.h"

#include "support/test_support.h"
#include "track/track_generator.h"
#include "ui/cross_section_view.h"
#include "ui/main_window.h"
#include "ui/preset_buttons.h"
#include "ui/status_panels.h"
#include "ui/track_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

// A kit far from the defaults: every piece, three radii, a cant, other
// fields and a bitmap name; the options that give the command line the same.
void SetKit(TrackWindow& window)
{
    const std::pair<const char*, const char*> texts[] = {
        {"radiusEdit", "0,-300,450.5"}, {"toleranceEdit", "10"},    {"cantEdit", "60"},
        {"sleepersEdit", "1.3"},        {"dikeHeightEdit", "4.5"},  {"ditchWidthEdit", "1.6"},
        {"wallHeightEdit", "2.5"},      {"groundWidthEdit", "20"},  {"textureRockEdit", "kavics.bmp"},
    };
    for (const auto& [name, text] : texts)
        Child<QLineEdit>(window, name)->setText(QString::fromLatin1(text));
    for (QCheckBox* box : window.findChildren<QCheckBox*>(QRegularExpression("^piece")))
        box->setChecked(true);
    Child<QCheckBox>(window, "railsCheck")->setChecked(false);
}

const std::vector<std::string> kKitOptions = {
    "--radius", "0,-300,450.5", "--tolerance", "10",    "--cant", "60",        "--sleepers",  "1.3",
    "--dike-height", "4.5",     "--ditch",     "1.6,0.4", "--wall-height", "2.5", "--ground-width", "20",
    "--texture", "rock=kavics.bmp", "--pieces", "all",    "--no-rails"};

QStringList Files(const QString& folder)
{
    QStringList names = QDir(folder).entryList({"*.b3d", "*.txt"}, QDir::Files, QDir::Name);
    return names;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TrackWindowTest : public QObject {
    Q_OBJECT

private slots:
    void sameKitAsCommandLine_data();
    void sameKitAsCommandLine();
    void presetRoundTrip();
    void drawingFollowsFields();
    void refusedFieldWritesNothing();
    void enterGenerates();
    void openedFromMainWindow();
    void previewBlocksOfChosenRadius();
};

void TrackWindowTest::sameKitAsCommandLine_data()
{
    QTest::addColumn<bool>("hungarian");
    QTest::addRow("hu") << true;
    QTest::addRow("en") << false;
}

void TrackWindowTest::sameKitAsCommandLine()
{
    QFETCH(bool, hungarian);
    WindowFolder folder;
    TrackWindow window;
    window.applyLanguage(hungarian ? UiLanguage::Hungarian : UiLanguage::English);
    window.show();
    SetKit(window);
    window.generate();
    QVERIFY2(folder.reports.empty(), folder.reports.empty() ? "" : qPrintable(folder.reports[0].text));

    QTemporaryDir cliFolder;
    std::vector<std::string> args = {"track", "--lang", hungarian ? "hu" : "en"};
    args.insert(args.end(), kKitOptions.begin(), kKitOptions.end());
    const auto result = kestrane::test::RunCli(args, QFile::encodeName(cliFolder.path()).toStdString());
    QVERIFY2(result.exitCode == 0, result.err.c_str());
    // The command's first line is the window's status.
    QCOMPARE(QString::fromStdString(result.out).section(u'\n', 0, 0), window.statusText());

    const QStringList files = Files(cliFolder.path());
    QCOMPARE(files.size(), 3 * 8 + 1);
    QCOMPARE(Files(folder.path()), files);
    for (const QString& name : files)
        QVERIFY2(folder.read(name) == ReadAll(cliFolder.filePath(name)), qPrintable(name + " differs"));
    // The status bar's second panel: the structure list's full path.
    const QString list = QDir(folder.path()).filePath(QString::fromStdString(
        TrackStructureListName(hungarian ? UiLanguage::Hungarian : UiLanguage::English)));
    QVERIFY2(window.statusPanels().writtenText().startsWith(list), qPrintable(window.statusPanels().writtenText()));
}

void TrackWindowTest::presetRoundTrip()
{
    WindowFolder folder;
    const QString preset = folder.file("kit.json");
    const auto previous = PresetButtons::FileChooser();
    PresetButtons::FileChooser() = [&](QWidget*, bool, const QString&, const QString&) { return preset; };
    TrackWindow first;
    SetKit(first);
    Child<QCheckBox>(first, "pieceGround")->setChecked(false);
    Child<QPushButton>(first, "savePresetButton")->click();
    QVERIFY(folder.exists("kit.json"));

    TrackWindow second;
    QVERIFY(second.trackInput() != first.trackInput());
    Child<QPushButton>(second, "loadPresetButton")->click();
    PresetButtons::FileChooser() = previous;
    QVERIFY2(folder.reports.empty(), folder.reports.empty() ? "" : qPrintable(folder.reports[0].text));
    QVERIFY(second.trackInput() == first.trackInput());
    QCOMPARE(Child<QLineEdit>(second, "textureRockEdit")->text(), QStringLiteral("kavics.bmp"));
    QVERIFY(!Child<QCheckBox>(second, "pieceGround")->isChecked());
    QVERIFY(!Child<QCheckBox>(second, "railsCheck")->isChecked());
}

void TrackWindowTest::drawingFollowsFields()
{
    WindowFolder folder;
    TrackWindow window;
    window.show();
    CrossSectionView& view = window.sectionView();
    // The defaults: the bed and both embankments.
    QCOMPARE(view.sections().size(), std::size_t(3));
    const QImage before = view.grab().toImage();
    QLineEdit* dike = Child<QLineEdit>(window, "dikeHeightEdit");
    dike->selectAll();
    QTest::keyClicks(dike, "6");
    QVERIFY(view.refusal().isEmpty());
    QVERIFY(view.grab().toImage() != before);
    // The embankments reach the new ground level.
    double lowest = 0;
    for (const CrossSection& section : view.sections())
        for (const ProfileLine& line : section.lines)
            for (const ProfilePoint& point : line.points)
                lowest = std::min(lowest, point.y);
    QCOMPARE(lowest, -6.0);
    Child<QCheckBox>(window, "pieceWallRight")->setChecked(true);
    QCOMPARE(view.sections().size(), std::size_t(4));
    // A field the generator refuses: the drawing says why.
    QTest::keyClicks(Child<QLineEdit>(window, "slopeEdit"), "x");
    QVERIFY(view.sections().empty());
    QVERIFY2(view.refusal().startsWith("Slope"), qPrintable(view.refusal()));
}

void TrackWindowTest::refusedFieldWritesNothing()
{
    WindowFolder folder;
    TrackWindow window;
    window.applyLanguage(UiLanguage::Hungarian);
    window.generate();
    const QStringList written = Files(folder.path());
    QVERIFY(!written.isEmpty());
    const QByteArray bed = folder.read(written.front());

    Child<QLineEdit>(window, "gaugeEdit")->setText("abc");
    Child<QLineEdit>(window, "radiusEdit")->setText("0,300");
    window.generate();
    QCOMPARE(folder.reports.size(), std::size_t(1));
    const QString caption = Child<QLabel>(window, "gaugeLabel")->text().section(u' ', 0, 0);
    QCOMPARE(caption, QStringLiteral("Nyomtáv"));
    QVERIFY2(folder.reports[0].text.startsWith(caption + ":"), qPrintable(folder.reports[0].text));
    QCOMPARE(window.statusText(), folder.reports[0].text);
    // Nothing of the larger kit was written; the earlier files are intact.
    QCOMPARE(Files(folder.path()), written);
    QCOMPARE(folder.read(written.front()), bed);

    // No piece chosen: the message names the pieces.
    Child<QLineEdit>(window, "gaugeEdit")->setText("1.435");
    for (QCheckBox* box : window.findChildren<QCheckBox*>(QRegularExpression("^piece")))
        box->setChecked(false);
    window.generate();
    QCOMPARE(folder.reports.size(), std::size_t(2));
    QVERIFY2(folder.reports[1].text.startsWith("Elemek"), qPrintable(folder.reports[1].text));
    QCOMPARE(Files(folder.path()), written);
}

void TrackWindowTest::enterGenerates()
{
    WindowFolder folder;
    TrackWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QLineEdit* radius = Child<QLineEdit>(window, "radiusEdit");
    radius->setFocus();
    radius->setText("500");
    QTest::keyClick(radius, Qt::Key_Return);
    QVERIFY2(folder.exists("bed_500.b3d"), qPrintable(window.statusText()));
    QVERIFY(folder.exists("track_structures.txt"));
    QVERIFY(window.isVisible());
}

void TrackWindowTest::openedFromMainWindow()
{
    WindowFolder folder;
    QVERIFY(folder.write("lang.cfg", "hu"));
    MainWindow form;
    form.show();
    const QRect mainSize(0, 0, form.width(), form.height());
    Child<QPushButton>(form, "trackKitButton")->click();
    auto* window = form.findChild<TrackWindow*>();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->language(), UiLanguage::Hungarian);
    QCOMPARE(window->windowTitle(), QStringLiteral("Pályakészlet"));
    QCOMPARE(Child<QPushButton>(*window, "savePresetButton")->text(), QStringLiteral("Mentés…"));
    QCOMPARE(Child<QLabel>(*window, "gaugeLabel")->text(), QStringLiteral("Nyomtáv (m)"));
    QCOMPARE(QRect(0, 0, form.width(), form.height()), mainSize);
    // A second click shows the same window.
    window->hide();
    Child<QPushButton>(form, "trackKitButton")->click();
    QCOMPARE(form.findChildren<TrackWindow*>().size(), qsizetype(1));
    QVERIFY(window->isVisible());
}

void TrackWindowTest::previewBlocksOfChosenRadius()
{
    WindowFolder folder;
    TrackWindow window;
    Child<QLineEdit>(window, "radiusEdit")->setText("0, -300");
    QComboBox* radius = Child<QComboBox>(window, "previewRadiusCombo");
    QCOMPARE(radius->count(), 2);
    QCOMPARE(radius->itemText(1), QStringLiteral("-300"));
    radius->setCurrentIndex(1);
    emit radius->activated(1);  // as a pick from the list
    Child<QSpinBox>(window, "previewBlocksSpin")->setValue(5);
    const b3d::Model model = window.kitPreviewModel();

    // Five times each piece of the kit as written for that radius.
    TrackParams p = ReadTrackParams(window.trackInput(), UiLanguage::English);
    std::size_t vertices = 0, sections = 0;
    for (const TrackPiece piece : p.pieces) {
        const TrackMesh mesh = TrackPieceMesh(piece, p, -300);
        vertices += mesh.VertexCount();
        sections += mesh.surfaces.size();
    }
    QCOMPARE(model.vertexCount, 5 * vertices);
    QCOMPARE(model.sections.size(), 5 * sections);
    // A left curve: the fifth block ends left of the start (x < 0), ahead.
    double leftmost = 0;
    for (const b3d::Section& section : model.sections)
        for (const Vec3& v : section.vertices)
            leftmost = std::min(leftmost, v.x);
    QVERIFY(leftmost < -20);
    // Typing a new list keeps the picked radius while it is in the list,
    // else the first is shown.
    Child<QLineEdit>(window, "radiusEdit")->setText("0, -300, 500");
    QCOMPARE(radius->currentText(), QStringLiteral("-300"));
    Child<QLineEdit>(window, "radiusEdit")->setText("400, 500");
    QCOMPARE(radius->currentText(), QStringLiteral("400"));
}

QTEST_MAIN(TrackWindowTest)
#include "track_window_test.moc"

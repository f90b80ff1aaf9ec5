#include "ui/area_window.h"

#include "ui/bundled_fonts.h"
#include "ui/generation_report.h"
#include "ui/preview_launch.h"

#include "ui/file_dialogs.h"
#include "ui/language_tables.h"
#include "ui/message_box.h"
#include "ui/output_folder.h"
#include "ui/write_textures_box.h"
#include "textures/texture_writing.h"
#include "ui/status_panels.h"
#include "ui/panel.h"
#include "ui_area_window.h"

#include "b3d/load_estimate.h"
#include "core/errors.h"
#include "options/preset.h"
#include "terrain/terrain_tiles.h"

#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>

#include <atomic>
#include <exception>
#include <thread>

namespace kestrane::ui {

namespace {

const ColorRgb kPeakColor{40, 140, 40};

// The window's height without and with the heightmap lines; they sit
// between the generate button and the status bar, the last one holding the
// summary of the last generation's heightmap.
constexpr int kWindowWidth = 741;
constexpr int kClosedHeight = 351;
constexpr int kOpenHeight = 443;
constexpr int kStatusBarHeight = 19;

// A number for the heightmap line's texts: at most two decimals, no
// trailing zeros, "." whatever the locale.
QString Short(double value) { return QString::number(value, 'f', 2).remove(QRegularExpression("\\.?0+$")); }

QString HeightmapInfoText(const HeightmapInfo& info, UiLanguage language)
{
    const bool hu = language == UiLanguage::Hungarian;
    QString text = QStringLiteral("%1 × %2 %3").arg(info.columns).arg(info.rows).arg(hu ? "cella" : "cells");
    if (info.cellX > 0)
        text += QStringLiteral(", %1 × %2 m").arg(Short(info.cellX), Short(info.cellZ));
    else
        text += hu ? ", cellaméret nélkül" : ", no cell size";
    if (info.minimum && info.maximum)
        text += QStringLiteral(", %1%2 … %3").arg(info.rangeApproximate ? "≈" : "", Short(*info.minimum),
                                                   Short(*info.maximum));
    return text;
}

// The raster's edges in its map coordinates, the numbers a map origin
// lies between: "W 500000 S 5200000 E 500400 N 5200300"; degrees to six
// decimals. Empty for a raster without georeferencing.
QString MapExtentText(const HeightmapInfo& info, UiLanguage language)
{
    if (!info.mapExtent)
        return {};
    const MapExtent& map = *info.mapExtent;
    const auto number = [&info](double value) {
        return info.geographic ? QString::number(value, 'f', 6).remove(QRegularExpression("\\.?0+$")) : Short(value);
    };
    const bool hu = language == UiLanguage::Hungarian;
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
        .arg(hu ? "Ny" : "W", number(map.west), hu ? "D" : "S", number(map.south), hu ? "K" : "E", number(map.east),
             hu ? "É" : "N", number(map.north));
}

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

// A swatch with a single-line border (the selected one) or with none: then
// only its bevel shows.
void SetBorder(QFrame* swatch, bool border)
{
    swatch->setFrameShape(border ? QFrame::Box : QFrame::Panel);
    swatch->setFrameShadow(border ? QFrame::Plain : QFrame::Raised);
    if (border)
        swatch->raise();  // the swatches overlap by a pixel
}

// The area builder's edit boxes and the inputs they hold, for reading the
// window and for setting it from a preset.
std::vector<std::pair<QLineEdit*, std::string TerrainInput::*>> TerrainTexts(const Ui::AreaBuilderWindow& ui)
{
    return {{ui.dombxedit, &TerrainInput::areaX},      {ui.dombzedit, &TerrainInput::areaZ},
            {ui.xbontEdit, &TerrainInput::resolutionX}, {ui.zbontedit, &TerrainInput::resolutionZ},
            {ui.OffsXEdit, &TerrainInput::offsetX},     {ui.OffsYEdit, &TerrainInput::offsetY},
            {ui.OffsZEdit, &TerrainInput::offsetZ},     {ui.Lejtxedit, &TerrainInput::slopeX},
            {ui.Lejtzedit, &TerrainInput::slopeZ},      {ui.KanyarXedit, &TerrainInput::curveX},
            {ui.KanyarZ1edit, &TerrainInput::curveZ1},  {ui.KanyarZ2edit, &TerrainInput::curveZ2},
            {ui.TexturaEdit, &TerrainInput::texture},   {ui.csempeEdit, &TerrainInput::tileLength}};
}

std::vector<std::pair<QLineEdit*, std::string HeightmapInput::*>> HeightmapTexts(const Ui::AreaBuilderWindow& ui)
{
    return {{ui.DomborzatOrigoXEdit, &HeightmapInput::originX}, {ui.DomborzatOrigoZEdit, &HeightmapInput::originZ},
            {ui.MagassagSzorzoEdit, &HeightmapInput::scale},    {ui.MagassagEltolasEdit, &HeightmapInput::offset},
            {ui.CellameretEdit, &HeightmapInput::pixelSize}};
}

// The four columns of a peak row: X, Z, height, width.
constexpr std::string TerrainPeakInput::*kPeakColumns[] = {&TerrainPeakInput::gridX, &TerrainPeakInput::gridZ,
                                                           &TerrainPeakInput::height, &TerrainPeakInput::width};

}  // namespace

AreaBuilderWindow::AreaBuilderWindow(QWidget* parent)
    : GeneratorDialog(parent), ui(std::make_unique<Ui::AreaBuilderWindow>())
{
    RegisterBundledFonts();  // before the form sets its fonts
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The height column's Hungarian title is a few pixels wider than its
    // column at this font: set it slightly tighter.
    QFont tight = ui->D_csucsokz->font();
    tight.setLetterSpacing(QFont::PercentageSpacing, 90);  // a gap before the width column's title
    ui->D_csucsokz->setFont(tight);

    // Modal for the main window only: a preview opened from here lives
    // beside it and takes input.
    setWindowModality(Qt::WindowModal);
    // The status panels; the output folder between the inputs and the
    // generate button.
    setUpOutput(ui->StatusBar_terep, QStringLiteral("StatusBar_terepPanel"), QStringLiteral("terrain"),
                QRect(8, 259, 385, 19));
    // Shown at the status bar's right end while a generation runs in the background.
    cancel_ = new QPushButton(ui->StatusBar_terep);
    cancel_->setObjectName("MegseGomb");
    cancel_->setGeometry(kWindowWidth - 72, 0, 72, kStatusBarHeight);
    cancel_->hide();
    // "Write textures", under the colour bars, above the texture name.
    writeTextures_ = new WriteTexturesBox(QStringLiteral("terrain"), QRect(80, 215, 170, 16), this);
    colorPickers_[kBaseColor] = {ui->fszinchk, {ui->rtScrollBar, ui->gtScrollBar, ui->btScrollBar},
                                 {ui->rTerepBetu, ui->gTerepBetu, ui->bTerepBetu}, {ui->trl, ui->tgl, ui->tbl},
                                 ui->tereppanel};
    colorPickers_[kPeakEditor] = {nullptr, {ui->rScrollBar, ui->gScrollBar, ui->bScrollBar},
                                  {ui->rEditorBetu, ui->gEditorBetu, ui->bEditorBetu},
                                  {ui->rclabel, ui->gclabel, ui->bclabel}, ui->szinminta};
    for (const ColorPicker& picker : colorPickers_)
        ConnectColorPicker(this, picker);

    connect(ui->GenButton, &QPushButton::clicked, this, &AreaBuilderWindow::generateTerrain);
    connect(ui->elonezetgomb, &QPushButton::clicked, this, &AreaBuilderWindow::showPreview);
    connect(ui->szimchk, &QCheckBox::toggled, ui->csempeEdit, &QLineEdit::setEnabled);
    connect(ui->szimchk, &QCheckBox::toggled, ui->ketoldaluchk, &QCheckBox::setEnabled);
    for (int k = 1; k <= 8; ++k)
        swatch(k)->installEventFilter(this);
    ui->szinminta->installEventFilter(this);
    connect(ui->DomborzatGomb, &QPushButton::toggled, this, &AreaBuilderWindow::showHeightmapLine);
    connect(ui->DomborzatTallozo, &QPushButton::clicked, this, &AreaBuilderWindow::browseHeightmap);
    connect(ui->DomborzatEdit, &QLineEdit::editingFinished, this, &AreaBuilderWindow::updateHeightmapInfo);
    connect(ui->CellameretEdit, &QLineEdit::editingFinished, this, &AreaBuilderWindow::updateHeightmapInfo);
    connect(ui->HeightmapMapOriginCheck, &QCheckBox::toggled, this, [this] {
        updateOriginHints();
        updateHeightmapInfo();
    });
    ui->DomborzatPanel->hide();
    setUpPresets(
        ui->savePresetButton, ui->loadPresetButton, [this] { return TerrainPresetJson(terrainInput()); },
        [this](std::string_view json) { setTerrainInput(TerrainFromPreset(json)); }, true);
    SetUpGuides();

    finishCreation();
}

AreaBuilderWindow::~AreaBuilderWindow() = default;

void AreaBuilderWindow::finishCreation()
{
    // The grid and the peak rows were cleared when the generator was made.
    colorPickers_[kBaseColor].paintSample();
    peakColors_.fill(kPeakColor);
    PaintPanel(ui->szinminta, ToQColor(kPeakColor));
    for (int k = 1; k <= 8; ++k)
        PaintPanel(swatch(k), ToQColor(kPeakColor));
    selectedSwatch_ = 1;
    for (int k = 1; k <= 8; ++k)
        SetBorder(swatch(k), k == 1);
}

QFrame* AreaBuilderWindow::swatch(int k) const
{
    QFrame* const swatches[] = {ui->Panel1, ui->Panel2, ui->Panel3, ui->Panel4,
                                ui->Panel5, ui->Panel6, ui->Panel7, ui->Panel8};
    return swatches[k - 1];
}

void AreaBuilderWindow::applyLanguage(UiLanguage language)
{
    language_ = language;
    ApplyTexts(*this, TextPart::AreaBuilder, language);
    ApplyTexts(*this, TextPart::PresetButtons, language);
    updatePeakHints();
    updateOriginHints();
    if (!ui->DomborzatEdit->text().isEmpty())
        updateHeightmapInfo();
    outputFolder_->applyLanguage(language);
    writeTextures_->applyLanguage(language);
}

namespace {

// The files a terrain run wrote: its one file, or its tiles and index.
std::vector<std::string> TerrainFileNames(const TerrainResult& result, ObjectFormat format)
{
    const std::string name = result.path.filename().string();
    if (result.tiles <= 1)
        return {name};
    const std::string stem = name.substr(0, name.size() - std::string_view("_tiles.txt").size());
    std::vector<std::string> names;
    for (int k = 1; k <= result.tiles; ++k)
        names.push_back(TerrainTileFileName(k, result.tiles, stem, format));
    names.push_back(name);
    return names;
}

}  // namespace

TerrainInput AreaBuilderWindow::terrainInput() const
{
    TerrainInput input;
    for (const auto& [edit, text] : TerrainTexts(*ui))
        input.*text = Text(edit);
    input.useColor = ui->fszinchk->isChecked();
    input.layout = ui->szimchk->isChecked() ? TerrainLayout::Simulator : TerrainLayout::Cells;
    // Two-sided faces only in the simulator layout (the cell layout has them anyway).
    input.twoSided = ui->szimchk->isChecked() && ui->ketoldaluchk->isChecked();
    input.baseColor = colorPickers_[kBaseColor].rgb();
    for (int k = 1; k <= 8; ++k) {
        TerrainPeakInput& peak = input.peaks[static_cast<std::size_t>(k - 1)];
        for (int column = 1; column <= 4; ++column)
            peak.*kPeakColumns[column - 1] = Text(peakCell(k, column));
        peak.color = peakColors_[static_cast<std::size_t>(k - 1)];
    }
    if (heightmapOpen()) {
        input.heightmap.file = QFile::encodeName(ui->DomborzatEdit->text()).toStdString();
        for (const auto& [edit, text] : HeightmapTexts(*ui))
            input.heightmap.*text = Text(edit);
        input.heightmap.mapOrigin = ui->HeightmapMapOriginCheck->isChecked();
    }
    input.format = outputFolder_->format();
    return input;
}

bool AreaBuilderWindow::heightmapOpen() const { return ui->DomborzatGomb->isChecked(); }

QLineEdit* AreaBuilderWindow::peakCell(int row, int column) const
{
    return findChild<QLineEdit*>(QStringLiteral("d%1%2").arg(row).arg(column));
}

void AreaBuilderWindow::showHeightmapLine(bool open)
{
    const int height = open ? kOpenHeight : kClosedHeight;
    ui->DomborzatPanel->setVisible(open);
    ui->StatusBar_terep->setGeometry(0, height - kStatusBarHeight, kWindowWidth, kStatusBarHeight);
    setFixedSize(kWindowWidth, height);
}

void AreaBuilderWindow::browseHeightmap()
{
    const QString file = ChooseWithFileDialog(
        this, FileDialogKind::OpenFile, ui->DomborzatFajlLabel->text(), ui->DomborzatEdit->text(),
        LocalText{"Domborzati adat (*.tif *.tiff *.asc *.hgt *.png *.dem *.img);;Minden fájl (*)",
                  "Elevation data (*.tif *.tiff *.asc *.hgt *.png *.dem *.img);;All files (*)"}(language_));
    if (file.isEmpty())
        return;
    ui->DomborzatEdit->setText(file);
    updateHeightmapInfo();
}

void AreaBuilderWindow::updateOriginHints()
{
    // Unchecked, the language table's hints (metres from the corner).
    const bool map = ui->HeightmapMapOriginCheck->isChecked();
    const LocalText mapHints[] = {
        {"A terep első pontjának keleti koordinátája (vagy hosszúsága fokban) a raszter térképén",
         "The terrain's first node: its easting (or longitude in degrees) on the raster's map"},
        {"A terep első pontjának északi koordinátája (vagy szélessége fokban) a raszter térképén",
         "The terrain's first node: its northing (or latitude in degrees) on the raster's map"},
    };
    QLineEdit* const boxes[] = {ui->DomborzatOrigoXEdit, ui->DomborzatOrigoZEdit};
    for (int k = 0; k < 2; ++k) {
        if (map) {
            boxes[k]->setToolTip(QString::fromUtf8(mapHints[k](language_)));
            continue;
        }
        if (const UiText* row = FindText(TextPart::AreaBuilder, TextRole::Hint, boxes[k]->objectName().toStdString()))
            boxes[k]->setToolTip(QString::fromUtf8((*row)(language_)));
    }
}

void AreaBuilderWindow::updateHeightmapInfo()
{
    QString text;
    QString tip;
    if (!ui->DomborzatEdit->text().isEmpty()) {
        HeightmapInput input;
        input.file = QFile::encodeName(ui->DomborzatEdit->text()).toStdString();
        input.pixelSize = Text(ui->CellameretEdit);
        try {
            const HeightmapInfo info = ReadHeightmapInfo(ReadHeightmapInput(input, language_), language_);
            text = HeightmapInfoText(info, language_);
            tip = text;
            // The map extent: first on the line while the origin is typed in
            // map coordinates, always in the hint.
            if (const QString extent = MapExtentText(info, language_); !extent.isEmpty()) {
                tip += "\n" + extent;
                if (ui->HeightmapMapOriginCheck->isChecked())
                    text = extent + ", " + text;
            }
        } catch (const InputError& e) {
            text = QString::fromStdString(e.what());
            tip = text;
        }
    }
    ui->DomborzatInfo->setText(text);
    ui->DomborzatInfo->setToolTip(tip);
}

TerrainResult AreaBuilderWindow::GenerateInBackground(const TerrainInput& input, const std::filesystem::path& folder)
{
    const LocalText reading{"Domborzat olvasása: %1%", "Reading the heightmap: %1%"};
    const LocalText writing{"Csempék írása: %1 / %2", "Writing the tiles: %1 of %2"};
    const QString format = QString::fromUtf8(reading(language_));
    const QString tileFormat = QString::fromUtf8(writing(language_));
    const UiLanguage language = language_;
    QEventLoop loop;
    std::atomic<int> shown{-1};
    std::atomic<bool> cancel{false};
    TerrainResult result;
    std::exception_ptr failure;
    ui->GenButton->setEnabled(false);
    // Cancel stops the writing before the new files replace the old ones.
    cancel_->setText(QString::fromUtf8(LocalText{"Mégse", "Cancel"}(language_)));
    cancel_->setEnabled(true);
    cancel_->setVisible(input.layout == TerrainLayout::Simulator);  // the tiles are where it can stop
    cancel_->raise();
    const QMetaObject::Connection stop = connect(cancel_, &QPushButton::clicked, this, [&] {
        cancel = true;
        cancel_->setEnabled(false);
    });
    const auto show = [&](const QString& text) {
        QMetaObject::invokeMethod(&loop, [this, text] { setStatusText(text); }, Qt::QueuedConnection);
    };
    std::thread worker([&] {
        try {
            result = generator_.Generate(
                input, language, folder, {},
                [&](double done) {
                    const int percent = static_cast<int>(done * 100);
                    if (shown.exchange(percent) != percent)
                        show(format.arg(percent));
                },
                [&](int written, int count) {
                    show(tileFormat.arg(written).arg(count));
                    return !cancel.load();
                });
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    disconnect(stop);
    cancel_->hide();
    ui->GenButton->setEnabled(true);
    if (failure)
        std::rethrow_exception(failure);
    return result;
}

void AreaBuilderWindow::setTerrainInput(const TerrainInput& input)
{
    for (const auto& [edit, text] : TerrainTexts(*ui))
        edit->setText(QString::fromStdString(input.*text));
    ui->fszinchk->setChecked(input.useColor);
    colorPickers_[kBaseColor].setRgb(input.baseColor);
    for (int k = 1; k <= 8; ++k) {
        const TerrainPeakInput& peak = input.peaks[static_cast<std::size_t>(k - 1)];
        for (int column = 1; column <= 4; ++column)
            peakCell(k, column)->setText(QString::fromStdString(peak.*kPeakColumns[column - 1]));
        peakColors_[static_cast<std::size_t>(k - 1)] = peak.color;
        PaintPanel(swatch(k), ToQColor(peak.color));
    }
    ui->szimchk->setChecked(input.layout == TerrainLayout::Simulator);
    ui->ketoldaluchk->setChecked(input.twoSided);
    // The heightmap line opens for any of its inputs, as only an open line
    // counts.
    const HeightmapInput& heightmap = input.heightmap;
    ui->DomborzatGomb->setChecked(heightmap != HeightmapInput{});
    ui->DomborzatEdit->setText(QFile::decodeName(QByteArray::fromStdString(heightmap.file)));
    ui->HeightmapMapOriginCheck->setChecked(heightmap.mapOrigin);
    for (const auto& [edit, text] : HeightmapTexts(*ui))
        edit->setText(QString::fromStdString(heightmap.*text));
    updateHeightmapInfo();
    outputFolder_->setFormat(input.format);
}

void AreaBuilderWindow::generateTerrain()
{
    const TerrainInput input = terrainInput();
    QString heightmapReport;
    const GenerationOutcome outcome = generateAndShow([&] {
            const std::filesystem::path folder = outputFolder_->folderPath();
            // The simulator layout adds the loader's expected time to the status.
            const auto loadTime = [this, &input](const TerrainResult& result) {
                return (result.loadSeconds < 0 ? std::string() : LoadEstimateStatus(result.loadSeconds, language_)) +
                       WrittenFilesNote(input.format, TerrainFileNames(result, input.format), language_);
            };
            Generated generated;
            if (!input.heightmap.Enabled()) {
                const TerrainResult result = generator_.Generate(input, language_, folder);
                generated = Generated{result.path, result.status + loadTime(result), WarningTexts(result.warnings)};
            } else {
                const TerrainResult result = GenerateInBackground(input, folder);
                heightmapReport = QString::fromStdString(result.heightmapReport);
                generated = Generated{result.path, result.status + loadTime(result), WarningTexts(result.warnings)};
            }
            if (writeTextures_->isChecked() && !input.texture.empty())
                generated.status += " " + OneLine(textures::WriteTerrainTextures(input.texture, folder, language_));
            return generated;
        });
    if (outcome == GenerationOutcome::Cancelled)
        setStatusText(QString::fromUtf8(LocalText{"Megszakítva; a korábbi fájlok változatlanok.",
                                                  "Cancelled; the previous files are unchanged."}(language_)));
    if (outcome == GenerationOutcome::Written) {
        // The heightmap's summary on its own line, whole.
        ui->DomborzatJelentes->setText(heightmapReport);
        ui->DomborzatJelentes->setToolTip(heightmapReport);
    }
}

void AreaBuilderWindow::pickSwatch(int k)
{
    const ColorRgb color = peakColors_[k - 1];
    PaintPanel(ui->szinminta, ToQColor(color));
    // A bar that moves repaints the sample from all three bars.
    colorPickers_[kPeakEditor].setRgb(color);
    selectSwatch(k);
}

void AreaBuilderWindow::selectSwatch(int k)
{
    SetBorder(swatch(selectedSwatch_), false);
    SetBorder(swatch(k), true);
    selectedSwatch_ = k;
}

void AreaBuilderWindow::applyEditorColor()
{
    PaintPanel(swatch(selectedSwatch_), PanelColor(ui->szinminta));
    peakColors_[selectedSwatch_ - 1] = colorPickers_[kPeakEditor].rgb();
}

bool AreaBuilderWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* widget = static_cast<QWidget*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            if (widget == ui->szinminta) {
                applyEditorColor();
                return true;
            }
            for (int k = 1; k <= 8; ++k) {
                if (widget == swatch(k)) {
                    pickSwatch(k);
                    return true;
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AreaBuilderWindow::showPreview()
{
    ShowPreview(language_, lastGenerated_, ui->GenButton);
}

}  // namespace kestrane::ui

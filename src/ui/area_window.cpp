#include "ui/area_window.h"

#include "ui/bundled_fonts.h"
#include "ui/generation_report.h"
#include "ui/preview_launch.h"

#include "ui/file_dialogs.h"
#include "ui/focus_marker.h"
#include "ui/language_tables.h"
#include "ui/message_box.h"
#include "ui/output_folder.h"
#include "ui/write_textures_box.h"
#include "textures/texture_writing.h"
#include "ui/status_panels.h"
#include "ui/panel.h"
#include "ui/preset_buttons.h"
#include "ui_area_window.h"

#include "b3d/load_estimate.h"
#include "core/errors.h"
#include "options/preset.h"
#include "terrain/terrain_tiles.h"

#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QDateTime>
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
std::vector<std::pair<QLineEdit*, std::string TerrainInput::*>> TerrainTexts(const Ui::TDombepito& ui)
{
    return {{ui.dombxedit, &TerrainInput::areaX},      {ui.dombzedit, &TerrainInput::areaZ},
            {ui.xbontEdit, &TerrainInput::resolutionX}, {ui.zbontedit, &TerrainInput::resolutionZ},
            {ui.OffsXEdit, &TerrainInput::offsetX},     {ui.OffsYEdit, &TerrainInput::offsetY},
            {ui.OffsZEdit, &TerrainInput::offsetZ},     {ui.Lejtxedit, &TerrainInput::slopeX},
            {ui.Lejtzedit, &TerrainInput::slopeZ},      {ui.KanyarXedit, &TerrainInput::curveX},
            {ui.KanyarZ1edit, &TerrainInput::curveZ1},  {ui.KanyarZ2edit, &TerrainInput::curveZ2},
            {ui.TexturaEdit, &TerrainInput::texture},   {ui.csempeEdit, &TerrainInput::tileLength}};
}

std::vector<std::pair<QLineEdit*, std::string HeightmapInput::*>> HeightmapTexts(const Ui::TDombepito& ui)
{
    return {{ui.DomborzatOrigoXEdit, &HeightmapInput::originX}, {ui.DomborzatOrigoZEdit, &HeightmapInput::originZ},
            {ui.MagassagSzorzoEdit, &HeightmapInput::scale},    {ui.MagassagEltolasEdit, &HeightmapInput::offset},
            {ui.CellameretEdit, &HeightmapInput::pixelSize}};
}

// The four columns of a peak row: X, Z, height, width.
constexpr std::string TerrainPeakInput::*kPeakColumns[] = {&TerrainPeakInput::gridX, &TerrainPeakInput::gridZ,
                                                           &TerrainPeakInput::height, &TerrainPeakInput::width};

}  // namespace

TDombepito::TDombepito(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TDombepito>())
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
    statusPanels_ = new StatusPanels(ui->StatusBar_terep, QStringLiteral("StatusBar_terepPanel"));
    statusPanel_ = statusPanels_->panel();
    // Shown at the status bar's right end while a generation runs in the background.
    cancel_ = new QPushButton(ui->StatusBar_terep);
    cancel_->setObjectName("MegseGomb");
    cancel_->setGeometry(kWindowWidth - 72, 0, 72, kStatusBarHeight);
    cancel_->hide();
    // The output folder, between the inputs and the generate button.
    outputFolder_ = new OutputFolderLine(QStringLiteral("terrain"), QRect(8, 259, 385, 19), this);
    // "Write textures", under the colour bars, above the texture name.
    writeTextures_ = new WriteTexturesBox(QStringLiteral("terrain"), QRect(80, 215, 170, 16), this);
    const std::pair<QScrollBar*, QLabel*> barLetters[] = {
        {ui->rtScrollBar, ui->rTerepBetu}, {ui->gtScrollBar, ui->gTerepBetu}, {ui->btScrollBar, ui->bTerepBetu},
        {ui->rScrollBar, ui->rEditorBetu}, {ui->gScrollBar, ui->gEditorBetu}, {ui->bScrollBar, ui->bEditorBetu},
    };
    for (const auto& [bar, letter] : barLetters)
        MarkFocus(bar, letter);

    connect(ui->GenButton, &QPushButton::clicked, this, &TDombepito::GenButtonClick);
    connect(ui->elonezetgomb, &QPushButton::clicked, this, &TDombepito::elonezetgombClick);
    connect(ui->szimchk, &QCheckBox::toggled, ui->csempeEdit, &QLineEdit::setEnabled);
    connect(ui->szimchk, &QCheckBox::toggled, ui->ketoldaluchk, &QCheckBox::setEnabled);
    connect(ui->rtScrollBar, &QScrollBar::valueChanged, this, &TDombepito::rtScrollBarChange);
    connect(ui->gtScrollBar, &QScrollBar::valueChanged, this, &TDombepito::gtScrollBarChange);
    connect(ui->btScrollBar, &QScrollBar::valueChanged, this, &TDombepito::btScrollBarChange);
    connect(ui->rScrollBar, &QScrollBar::valueChanged, this, &TDombepito::rScrollBarChange);
    connect(ui->gScrollBar, &QScrollBar::valueChanged, this, &TDombepito::gScrollBarChange);
    connect(ui->bScrollBar, &QScrollBar::valueChanged, this, &TDombepito::bScrollBarChange);
    for (int k = 1; k <= 8; ++k)
        swatch(k)->installEventFilter(this);
    ui->szinminta->installEventFilter(this);
    connect(ui->DomborzatGomb, &QPushButton::toggled, this, &TDombepito::DomborzatGombToggled);
    connect(ui->DomborzatTallozo, &QPushButton::clicked, this, &TDombepito::DomborzatTallozoClick);
    connect(ui->DomborzatEdit, &QLineEdit::editingFinished, this, &TDombepito::UpdateHeightmapInfo);
    connect(ui->CellameretEdit, &QLineEdit::editingFinished, this, &TDombepito::UpdateHeightmapInfo);
    connect(ui->HeightmapMapOriginCheck, &QCheckBox::toggled, this, [this] {
        UpdateOriginHints();
        UpdateHeightmapInfo();
    });
    ui->DomborzatPanel->hide();
    const auto report = [this](const QString& text) { setStatusText(text); };
    new PresetButtons(ui->savePresetButton, ui->loadPresetButton,
                      [this] { return TerrainPresetJson(terrainInput()); },
                      [this](std::string_view json) { setTerrainInput(TerrainFromPreset(json)); },
                      [this] { return language_; }, report);
    outputFolder_->setReporter(report);
    SetUpGuides();

    FormCreate();
}

TDombepito::~TDombepito() = default;

void TDombepito::FormCreate()
{
    // The grid and the peak rows were cleared when the generator was made.
    PaintPanel(ui->tereppanel, QColor(ui->rtScrollBar->value(), ui->gtScrollBar->value(), ui->btScrollBar->value()));
    peakColors_.fill(kPeakColor);
    PaintPanel(ui->szinminta, ToQColor(kPeakColor));
    for (int k = 1; k <= 8; ++k)
        PaintPanel(swatch(k), ToQColor(kPeakColor));
    selectedSwatch_ = 1;
    for (int k = 1; k <= 8; ++k)
        SetBorder(swatch(k), k == 1);
}

QFrame* TDombepito::swatch(int k) const
{
    QFrame* const swatches[] = {ui->Panel1, ui->Panel2, ui->Panel3, ui->Panel4,
                                ui->Panel5, ui->Panel6, ui->Panel7, ui->Panel8};
    return swatches[k - 1];
}

QColor TDombepito::editorColor() const
{
    return QColor(ui->rScrollBar->value(), ui->gScrollBar->value(), ui->bScrollBar->value());
}

void TDombepito::ApplyAreaWindowLanguage(UiLanguage language)
{
    language_ = language;
    ApplyTexts(*this, AreaWindowCaptions(), language, TextRole::Caption);
    ApplyTexts(*this, AreaWindowHints(), language, TextRole::Hint);
    ApplyTexts(*this, AreaWindowFixedHints(), language, TextRole::Hint);
    UpdatePeakHints();
    UpdateOriginHints();
    if (!ui->DomborzatEdit->text().isEmpty())
        UpdateHeightmapInfo();
    outputFolder_->applyLanguage(language);
    writeTextures_->applyLanguage(language);
}

QString TDombepito::statusText() const { return statusPanel_->text(); }

void TDombepito::setStatusText(const QString& text) { statusPanel_->setText(text); }

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

TerrainInput TDombepito::terrainInput() const
{
    TerrainInput input;
    for (const auto& [edit, text] : TerrainTexts(*ui))
        input.*text = Text(edit);
    input.useColor = ui->fszinchk->isChecked();
    input.layout = ui->szimchk->isChecked() ? TerrainLayout::Simulator : TerrainLayout::Cells;
    // Two-sided faces only in the simulator layout (the cell layout has them anyway).
    input.twoSided = ui->szimchk->isChecked() && ui->ketoldaluchk->isChecked();
    input.baseColor = {Channel(ui->rtScrollBar->value()), Channel(ui->gtScrollBar->value()),
                       Channel(ui->btScrollBar->value())};
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

bool TDombepito::heightmapOpen() const { return ui->DomborzatGomb->isChecked(); }

QLineEdit* TDombepito::peakCell(int row, int column) const
{
    return findChild<QLineEdit*>(QStringLiteral("d%1%2").arg(row).arg(column));
}

void TDombepito::DomborzatGombToggled(bool open)
{
    const int height = open ? kOpenHeight : kClosedHeight;
    ui->DomborzatPanel->setVisible(open);
    ui->StatusBar_terep->setGeometry(0, height - kStatusBarHeight, kWindowWidth, kStatusBarHeight);
    setFixedSize(kWindowWidth, height);
}

void TDombepito::DomborzatTallozoClick()
{
    const QString file = ChooseWithFileDialog(
        this, FileDialogKind::OpenFile, ui->DomborzatFajlLabel->text(), ui->DomborzatEdit->text(),
        LocalText{"Domborzati adat (*.tif *.tiff *.asc *.hgt *.png *.dem *.img);;Minden fájl (*)",
                  "Elevation data (*.tif *.tiff *.asc *.hgt *.png *.dem *.img);;All files (*)"}(language_));
    if (file.isEmpty())
        return;
    ui->DomborzatEdit->setText(file);
    UpdateHeightmapInfo();
}

void TDombepito::UpdateOriginHints()
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
        for (const UiText& row : AreaWindowHints())
            if (boxes[k]->objectName() == QLatin1String(row.control))
                boxes[k]->setToolTip(QString::fromUtf8(row(language_)));
    }
}

void TDombepito::UpdateHeightmapInfo()
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

TerrainResult TDombepito::GenerateInBackground(const TerrainInput& input, const std::filesystem::path& folder)
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

void TDombepito::setTerrainInput(const TerrainInput& input)
{
    for (const auto& [edit, text] : TerrainTexts(*ui))
        edit->setText(QString::fromStdString(input.*text));
    ui->fszinchk->setChecked(input.useColor);
    ui->rtScrollBar->setValue(input.baseColor.r);
    ui->gtScrollBar->setValue(input.baseColor.g);
    ui->btScrollBar->setValue(input.baseColor.b);
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
    UpdateHeightmapInfo();
    outputFolder_->setFormat(input.format);
}

void TDombepito::GenButtonClick()
{
    const TerrainInput input = terrainInput();
    QString heightmapReport;
    const GenerationOutcome outcome = GenerateAndReport(
        *this, [this](const QString& text) { setStatusText(text); },
        [&] {
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
        },
        lastGenerated_);
    if (outcome == GenerationOutcome::Cancelled)
        setStatusText(QString::fromUtf8(LocalText{"Megszakítva; a korábbi fájlok változatlanok.",
                                                  "Cancelled; the previous files are unchanged."}(language_)));
    if (outcome == GenerationOutcome::Written) {
        statusPanels_->showWritten(lastGenerated_, QDateTime::currentDateTime());
        // The heightmap's summary on its own line, whole.
        ui->DomborzatJelentes->setText(heightmapReport);
        ui->DomborzatJelentes->setToolTip(heightmapReport);
    }
}

void TDombepito::rtScrollBarChange()
{
    PaintPanel(ui->tereppanel, QColor(ui->rtScrollBar->value(), ui->gtScrollBar->value(), ui->btScrollBar->value()));
    ui->trl->setText(QString::number(ui->rtScrollBar->value()));
}

void TDombepito::gtScrollBarChange()
{
    PaintPanel(ui->tereppanel, QColor(ui->rtScrollBar->value(), ui->gtScrollBar->value(), ui->btScrollBar->value()));
    ui->tgl->setText(QString::number(ui->gtScrollBar->value()));
}

void TDombepito::btScrollBarChange()
{
    PaintPanel(ui->tereppanel, QColor(ui->rtScrollBar->value(), ui->gtScrollBar->value(), ui->btScrollBar->value()));
    ui->tbl->setText(QString::number(ui->btScrollBar->value()));
}

void TDombepito::rScrollBarChange()
{
    PaintPanel(ui->szinminta, editorColor());
    ui->rclabel->setText(QString::number(ui->rScrollBar->value()));
}

void TDombepito::gScrollBarChange()
{
    PaintPanel(ui->szinminta, editorColor());
    ui->gclabel->setText(QString::number(ui->gScrollBar->value()));
}

void TDombepito::bScrollBarChange()
{
    PaintPanel(ui->szinminta, editorColor());
    ui->bclabel->setText(QString::number(ui->bScrollBar->value()));
}

void TDombepito::PanelClick(int k)
{
    const ColorRgb color = peakColors_[k - 1];
    PaintPanel(ui->szinminta, ToQColor(color));
    // A bar that moves repaints the preview from all three bars.
    ui->rScrollBar->setValue(color.r);
    ui->gScrollBar->setValue(color.g);
    ui->bScrollBar->setValue(color.b);
    Panelselvalt(k);
}

void TDombepito::Panelselvalt(int k)
{
    SetBorder(swatch(selectedSwatch_), false);
    SetBorder(swatch(k), true);
    selectedSwatch_ = k;
}

void TDombepito::szinmintaClick()
{
    PaintPanel(swatch(selectedSwatch_), PanelColor(ui->szinminta));
    peakColors_[selectedSwatch_ - 1] = {Channel(ui->rScrollBar->value()), Channel(ui->gScrollBar->value()),
                                        Channel(ui->bScrollBar->value())};
}

bool TDombepito::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* widget = static_cast<QWidget*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            if (widget == ui->szinminta) {
                szinmintaClick();
                return true;
            }
            for (int k = 1; k <= 8; ++k) {
                if (widget == swatch(k)) {
                    PanelClick(k);
                    return true;
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDombepito::elonezetgombClick()
{
    ShowPreview(language_, lastGenerated_, ui->GenButton);
}

}  // namespace kestrane::ui

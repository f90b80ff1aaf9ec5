#include "ui/track_window.h"

#include "ui/bundled_fonts.h"
#include "ui/cross_section_view.h"
#include "ui/generation_report.h"
#include "ui/language_tables.h"
#include "ui/message_box.h"
#include "ui/output_folder.h"
#include "ui/panel.h"
#include "ui/preset_buttons.h"
#include "ui/preview_launch.h"
#include "ui/status_panels.h"
#include "ui_track_window.h"

#include "core/errors.h"
#include "house/house_generator.h"
#include "options/option_table.h"
#include "options/preset.h"
#include "preview/preview_window.h"
#include "track/track_generator.h"

#include <QDateTime>
#include <QDir>
#include <QGroupBox>

#include <algorithm>
#include <string_view>

namespace kestrane::ui {

namespace {

using Text = std::string TrackInput::*;

// The typed fields: "<name>Edit" holds the input, "<name>Label" shows its
// caption (the one refusals name) and unit.
struct TextBox {
    const char* name;
    Text text;
    const char* unit;
};

const TextBox kTextBoxes[] = {
    {"radius", &TrackInput::radii, "m"},
    {"blockLength", &TrackInput::blockLength, "m"},
    {"tolerance", &TrackInput::tolerance, "mm"},
    {"overlap", &TrackInput::overlap, "m"},
    {"textureWidth", &TrackInput::textureWidth, "m"},
    {"formation", &TrackInput::formation, "m"},
    {"formationDepth", &TrackInput::formationDepth, "m"},
    {"slope", &TrackInput::slope, "1:S"},
    {"apron", &TrackInput::apron, "m"},
    {"ballastWidth", &TrackInput::ballastWidth, "m"},
    {"sleepers", &TrackInput::sleepers, "m"},
    {"gauge", &TrackInput::gauge, "m"},
    {"cant", &TrackInput::cant, "mm"},
    {"dikeHeight", &TrackInput::dikeHeight, "m"},
    {"ditchWidth", &TrackInput::ditchWidth, "m"},
    {"ditchDepth", &TrackInput::ditchDepth, "m"},
    {"cuttingHeight", &TrackInput::cuttingHeight, "m"},
    {"wallHeight", &TrackInput::wallHeight, "m"},
    {"wallThickness", &TrackInput::wallThickness, "m"},
    {"groundWidth", &TrackInput::groundWidth, "m"},
};

// The piece check boxes, in the order of TrackPiece.
struct PieceBox {
    const char* name;
    LocalText caption;
};

const PieceBox kPieceBoxes[kTrackPieceCount] = {
    {"pieceBed", {"Ágyazat", "Bed"}},
    {"pieceDikeLeft", {"Töltés, bal", "Dike, left"}},
    {"pieceDikeRight", {"Töltés, jobb", "Dike, right"}},
    {"pieceCuttingLeft", {"Bevágás, bal", "Cutting, left"}},
    {"pieceCuttingRight", {"Bevágás, jobb", "Cutting, right"}},
    {"pieceWallLeft", {"Támfal, bal", "Wall, left"}},
    {"pieceWallRight", {"Támfal, jobb", "Wall, right"}},
    {"pieceGround", {"Terep", "Ground"}},
};

// The bitmap boxes ("<name>Edit", "<name>Label"), in the order of TrackElement.
const char* const kTextureBoxes[kTrackElementCount] = {"textureBallast", "textureSleeper", "textureRail",
                                                       "textureGrass",   "textureRock",    "textureWall"};

const LocalText kPreviewName{"%1 blokk, R = %2 m", "%1 blocks, R = %2 m"};
const LocalText kBitmaps{"Textúrák: ", "Bitmaps: "};

// The hint of a field: its option's help, and the option's name.
QString OptionHint(const std::string& caption, UiLanguage language)
{
    const TrackOption* option = OptionOfField(TrackOptions(), caption, language);
    if (!option)
        return {};
    return QString::fromUtf8(option->help(language)).replace(u'\n', u' ') + QStringLiteral(" (--%1)").arg(option->name);
}

std::string TextureCaption(TrackElement element, UiLanguage language)
{
    return TrackTextureCaptionStart(language) + ElementRow(element).key;
}

}  // namespace

TrackWindow::TrackWindow(QWidget* parent) : GeneratorDialog(parent), ui(std::make_unique<Ui::TrackWindow>())
{
    RegisterBundledFonts();  // before the form sets its fonts
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Modal for the main window only: the preview lives beside it.
    setWindowModality(Qt::WindowModal);
    setUpOutput(ui->trackStatusBar, QStringLiteral("trackStatusPanel"), QStringLiteral("track"), QRect(8, 462, 572, 19));
    ui->generateButton->setDefault(true);  // Enter generates

    for (const TextBox& box : kTextBoxes)
        connect(findChild<QLineEdit*>(QString::fromLatin1(box.name) + "Edit"), &QLineEdit::textChanged, this,
                &TrackWindow::inputsChanged);
    for (const PieceBox& box : kPieceBoxes)
        connect(findChild<QCheckBox*>(box.name), &QCheckBox::toggled, this, &TrackWindow::inputsChanged);
    connect(ui->railsCheck, &QCheckBox::toggled, this, &TrackWindow::inputsChanged);
    connect(ui->generateButton, &QPushButton::clicked, this, &TrackWindow::generate);
    connect(ui->previewButton, &QPushButton::clicked, this, &TrackWindow::showKitPreview);
    connect(ui->previewRadiusCombo, &QComboBox::activated, this,
            [this] { pickedRadius_ = ui->previewRadiusCombo->currentText(); });
    setUpPresets(
        ui->savePresetButton, ui->loadPresetButton, [this] { return TrackPresetJson(trackInput()); },
        [this](std::string_view json) { setTrackInput(TrackFromPreset(json)); }, false);
    applyLanguage(language_);
}

TrackWindow::~TrackWindow() = default;

CrossSectionView& TrackWindow::sectionView() const { return *ui->sectionView; }

void TrackWindow::applyLanguage(UiLanguage language)
{
    language_ = language;
    ApplyTexts(*this, TextPart::TrackKit, language);
    ApplyTexts(*this, TextPart::PresetButtons, language);
    for (std::size_t i = 0; i < kTrackPieceCount; ++i) {
        auto* box = findChild<QCheckBox*>(kPieceBoxes[i].name);
        box->setText(QString::fromUtf8(kPieceBoxes[i].caption(language)));
        box->setToolTip(OptionHint(TrackFieldCaption(&TrackInput::pieces, language), language));
    }
    for (const TextBox& box : kTextBoxes) {
        const std::string caption = TrackFieldCaption(box.text, language);
        findChild<QLabel*>(QString::fromLatin1(box.name) + "Label")
            ->setText(QStringLiteral("%1 (%2)").arg(QString::fromStdString(caption), box.unit));
        findChild<QLineEdit*>(QString::fromLatin1(box.name) + "Edit")->setToolTip(OptionHint(caption, language));
    }
    for (const TrackElementRow& row : TrackElementTable()) {
        const QString name = QString::fromLatin1(kTextureBoxes[static_cast<std::size_t>(row.element)]);
        findChild<QLabel*>(name + "Label")->setText(QString::fromUtf8(row.name(language)));
        auto* edit = findChild<QLineEdit*>(name + "Edit");
        edit->setPlaceholderText(QString::fromUtf8(row.bitmap(language)));
        edit->setToolTip(OptionHint(TextureCaption(row.element, language), language));
    }
    outputFolder_->applyLanguage(language);
    inputsChanged();
}

TrackInput TrackWindow::trackInput() const
{
    TrackInput input;
    for (const TextBox& box : kTextBoxes)
        input.*box.text = findChild<QLineEdit*>(QString::fromLatin1(box.name) + "Edit")->text().toStdString();
    // The chosen pieces in the order of the table; none chosen is refused
    // by the generator, naming the pieces.
    input.pieces.clear();
    for (std::size_t i = 0; i < kTrackPieceCount; ++i)
        if (findChild<QCheckBox*>(kPieceBoxes[i].name)->isChecked())
            input.pieces += (input.pieces.empty() ? "" : ",") + std::string(TrackPieceTable()[i].key);
    input.rails = ui->railsCheck->isChecked();
    for (std::size_t i = 0; i < kTrackElementCount; ++i)
        input.textures[i] = findChild<QLineEdit*>(QString::fromLatin1(kTextureBoxes[i]) + "Edit")->text().toStdString();
    input.format = outputFolder_->format();
    return input;
}

void TrackWindow::setTrackInput(const TrackInput& input)
{
    for (const TextBox& box : kTextBoxes)
        findChild<QLineEdit*>(QString::fromLatin1(box.name) + "Edit")->setText(QString::fromStdString(input.*box.text));
    // "all", or piece names separated by commas (blanks around them allowed).
    const QStringList names = QString::fromStdString(input.pieces).split(u',');
    for (std::size_t i = 0; i < kTrackPieceCount; ++i) {
        bool chosen = input.pieces == "all";
        for (const QString& name : names)
            chosen = chosen || name.trimmed() == QLatin1String(TrackPieceTable()[i].key);
        findChild<QCheckBox*>(kPieceBoxes[i].name)->setChecked(chosen);
    }
    ui->railsCheck->setChecked(input.rails);
    for (std::size_t i = 0; i < kTrackElementCount; ++i)
        findChild<QLineEdit*>(QString::fromLatin1(kTextureBoxes[i]) + "Edit")
            ->setText(QString::fromStdString(input.textures[i]));
    outputFolder_->setFormat(input.format);
}

void TrackWindow::inputsChanged()
{
    ui->sectionView->setInput(trackInput(), language_);
    // The preview's radii: those of the list; the one picked from the list
    // stays chosen while it is there, else the first.
    QStringList radii;
    for (const QString& part : ui->radiusEdit->text().split(u','))
        if (!part.trimmed().isEmpty())
            radii << part.trimmed();
    if (radii.isEmpty())
        radii << QStringLiteral("0");
    QStringList shown;
    for (int k = 0; k < ui->previewRadiusCombo->count(); ++k)
        shown << ui->previewRadiusCombo->itemText(k);
    if (shown == radii)
        return;
    ui->previewRadiusCombo->clear();
    ui->previewRadiusCombo->addItems(radii);
    ui->previewRadiusCombo->setCurrentIndex(std::max(0, static_cast<int>(radii.indexOf(pickedRadius_))));
}

b3d::Model TrackWindow::kitPreviewModel() const
{
    TrackInput input = trackInput();
    // The whole radius list is checked as for a generation; the preview
    // shows the chosen one.
    const TrackParams kit = ReadTrackParams(input, language_);
    CheckTrackKit(kit, language_);
    input.radii = ui->previewRadiusCombo->currentText().toStdString();
    const TrackParams p = ReadTrackParams(input, language_);
    const double radius = p.radii.front();

    b3d::Model model;
    for (const TrackPiece piece : p.pieces) {
        const TrackMesh placed =
            PlaceTrackBlocks(TrackPieceMesh(piece, p, radius), radius, p.blockLength, ui->previewBlocksSpin->value());
        for (const TrackSurface& surface : placed.surfaces) {
            b3d::Section section;
            section.vertices = surface.vertices;
            for (const auto& face : surface.faces) {
                section.faces.push_back({static_cast<std::uint32_t>(section.corners.size()), 4, false});
                section.corners.insert(section.corners.end(), face.begin(), face.end());
            }
            section.texture = p.textures[static_cast<std::size_t>(surface.element)];
            for (const auto& uv : surface.uv)
                section.texCoords.push_back({uv[0], uv[1]});
            // Without its bitmap in the output folder the preview draws the
            // starter texture of the name.
            model.vertexCount += section.vertices.size();
            model.faceCount += section.faces.size();
            model.sections.push_back(std::move(section));
        }
    }
    return model;
}

void TrackWindow::showKitPreview()
{
    b3d::Model model;
    try {
        model = kitPreviewModel();
    } catch (const InputError& e) {
        const QString message = QString::fromStdString(e.what());
        setStatusText(message);
        ShowError(this, windowTitle(), message);
        return;
    }
    ShowPreview(language_, QString(), ui->previewButton);
    const QString name = QString::fromUtf8(kPreviewName(language_))
                             .arg(ui->previewBlocksSpin->value())
                             .arg(ui->previewRadiusCombo->currentText());
    preview::SharedPreviewWindow().showModel(model, name, outputFolder_->folder());
}

void TrackWindow::generate()
{
    const TrackInput input = trackInput();
    std::vector<std::string> textures;
    const GenerationOutcome outcome = generateAndShow([&] {
            // The same generation as `kestrane track`.
            const TrackResult result = GenerateTrackKit(input, language_, outputFolder_->folderPath());
            textures = result.textures;
            return Generated{result.structureList,
                             result.status + WrittenFilesNote(input.format, result.files, language_),
                             WarningTexts(result.warnings)};
        });
    if (outcome != GenerationOutcome::Written)
        return;
    statusPanel_->setToolTip(QString::fromStdString(TextureListText(textures, language_)));
}

}  // namespace kestrane::ui

#include "ui/main_window.h"

#include "ui/bundled_fonts.h"
#include "ui/generation_report.h"
#include "ui/preview_launch.h"

#include "ui/focus_marker.h"
#include "ui/message_box.h"
#include "ui/output_folder.h"
#include "ui/write_textures_box.h"
#include "textures/texture_writing.h"
#include "ui/qt_translations.h"
#include "ui/status_panels.h"
#include "ui/panel.h"
#include "ui/preset_buttons.h"
#include "ui/web_address.h"
#include "ui/area_window.h"
#include "ui/track_window.h"
#include "ui_main_window.h"

#include "house/house_generator.h"
#include "preview/preview_window.h"
#include "options/preset.h"
#include "core/errors.h"
#include "core/version.h"
#include "core/language_file.h"

#include <QDateTime>
#include <QComboBox>
#include <QLineEdit>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStatusBar>
#include <QUrl>

#include <algorithm>
#include <array>

namespace kestrane::ui {

namespace {

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

std::filesystem::path CurrentFolder() { return QFile::encodeName(QDir::currentPath()).toStdString(); }

// The window rows of the facade area, one a wall.
struct WindowRow {
    WallSide side;
    QCheckBox* on;
    QLineEdit *count, *width, *height, *sill;
};

std::array<WindowRow, 4> WindowRows(const Ui::TForm1& ui)
{
    return {{
        {WallSide::Front, ui.ablakElol, ui.ablakElolDb, ui.ablakElolSz, ui.ablakElolMa, ui.ablakElolPa},
        {WallSide::Right, ui.ablakJobb, ui.ablakJobbDb, ui.ablakJobbSz, ui.ablakJobbMa, ui.ablakJobbPa},
        {WallSide::Back, ui.ablakHatul, ui.ablakHatulDb, ui.ablakHatulSz, ui.ablakHatulMa, ui.ablakHatulPa},
        {WallSide::Left, ui.ablakBal, ui.ablakBalDb, ui.ablakBalSz, ui.ablakBalMa, ui.ablakBalPa},
    }};
}

}  // namespace

std::function<void(TForm1&)>& TForm1::UpdateCheckStarter()
{
    static std::function<void(TForm1&)> starter;
    return starter;
}

std::function<void(const QString&)>& TForm1::BrowserOpener()
{
    // Only web addresses are handed to the desktop: the address may come
    // from the network.
    static std::function<void(const QString&)> opener = [](const QString& address) {
        const QUrl url(address, QUrl::StrictMode);
        if (IsWebAddress(url))
            QDesktopServices::openUrl(url);
    };
    return opener;
}

std::function<void(TDombepito&)>& TForm1::ModalShower()
{
    static std::function<void(TDombepito&)> shower = [](TDombepito& window) { window.exec(); };
    return shower;
}

TForm1::TForm1(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm1>())
{
    RegisterBundledFonts();  // before the form sets its fonts
    ui->setupUi(this);
    // The form holds the program's name; the version comes from the build.
    setWindowTitle(windowTitle() + QStringLiteral(" V") + QString::fromLatin1(kVersionText));
    move(377, 132);
    statusPanels_ = new StatusPanels(ui->StatusBar1, QStringLiteral("StatusBar1Panel"));
    statusPanel_ = statusPanels_->panel();
    // The output folder, in the row of the web label.
    outputFolder_ = new OutputFolderLine(QStringLiteral("house"), QRect(52, 441, 456, 16), this);
    // "Write textures", right of "Dimensions in mm", under the title.
    writeTextures_ = new WriteTexturesBox(QStringLiteral("house"), QRect(160, 38, 140, 15), this);

    wallGroup_ = {{ui->rfScrollBar, ui->gfScrollBar, ui->bfScrollBar}, {ui->frl, ui->fgl, ui->fbl}, ui->falszinpanel, &wall_};
    roofGroup_ = {{ui->rtScrollBar, ui->gtScrollBar, ui->btScrollBar}, {ui->trl, ui->tgl, ui->tbl}, ui->tetoszinpanel, &roof_};
    chimneyGroup_ = {{ui->rkScrollBar, ui->gkScrollBar, ui->bkScrollBar}, {ui->krl, ui->kgl, ui->kbl}, ui->kemenyszinPanel, &chimney_};
    stairGroup_ = {{ui->rlScrollBar, ui->glScrollBar, ui->blScrollBar}, {ui->lrl, ui->lgl, ui->lbl}, ui->lepcsoszinPanel, &stair_};
    for (ColorGroup* group : {&wallGroup_, &roofGroup_, &chimneyGroup_, &stairGroup_}) {
        group->setting->color = {Channel(group->bars[0]->value()), Channel(group->bars[1]->value()),
                                 Channel(group->bars[2]->value())};
    }
    const std::pair<QScrollBar*, QLabel*> barLetters[] = {
        {ui->rfScrollBar, ui->rfBetu}, {ui->gfScrollBar, ui->gfBetu}, {ui->bfScrollBar, ui->bfBetu},
        {ui->rtScrollBar, ui->rtBetu}, {ui->gtScrollBar, ui->gtBetu}, {ui->btScrollBar, ui->btBetu},
        {ui->rkScrollBar, ui->rkBetu}, {ui->gkScrollBar, ui->gkBetu}, {ui->bkScrollBar, ui->bkBetu},
        {ui->rlScrollBar, ui->rlBetu}, {ui->glScrollBar, ui->glBetu}, {ui->blScrollBar, ui->blBetu},
    };
    for (const auto& [bar, letter] : barLetters)
        MarkFocus(bar, letter);

    connect(ui->Nyeregteto, &QRadioButton::clicked, this, &TForm1::NyeregtetoClick);
    connect(ui->Kontyoltteto, &QRadioButton::clicked, this, &TForm1::KontyolttetoClick);
    connect(ui->satorteto, &QRadioButton::clicked, this, &TForm1::satortetoClick);
    connect(ui->laposteto, &QRadioButton::clicked, this, &TForm1::lapostetoClick);
    connect(ui->Felteto, &QRadioButton::clicked, this, &TForm1::FeltetoClick);
    for (QRadioButton* form : {ui->Csonkakonty, ui->Tortnyereg, ui->Manzardteto, ui->Eltoltnyereg})
        connect(form, &QRadioButton::clicked, this, &TForm1::RoofFormClick);
    connect(ui->Kemenymeret, &QSlider::valueChanged, this, &TForm1::KemenymeretChange);
    connect(ui->Lepn, &QSlider::valueChanged, this, &TForm1::LepnChange);
    connect(ui->Lepe, &QSlider::valueChanged, this, &TForm1::LepeChange);
    connect(ui->Lepo, &QSlider::valueChanged, this, &TForm1::LepoChange);
    connect(ui->Leps, &QSlider::valueChanged, this, &TForm1::LepsChange);
    connect(ui->rfScrollBar, &QScrollBar::valueChanged, this, &TForm1::rfScrollBarChange);
    connect(ui->gfScrollBar, &QScrollBar::valueChanged, this, &TForm1::gfScrollBarChange);
    connect(ui->bfScrollBar, &QScrollBar::valueChanged, this, &TForm1::bfScrollBarChange);
    connect(ui->rtScrollBar, &QScrollBar::valueChanged, this, &TForm1::rtScrollBarChange);
    connect(ui->gtScrollBar, &QScrollBar::valueChanged, this, &TForm1::gtScrollBarChange);
    connect(ui->btScrollBar, &QScrollBar::valueChanged, this, &TForm1::btScrollBarChange);
    connect(ui->rkScrollBar, &QScrollBar::valueChanged, this, &TForm1::rkScrollBarChange);
    connect(ui->gkScrollBar, &QScrollBar::valueChanged, this, &TForm1::gkScrollBarChange);
    connect(ui->bkScrollBar, &QScrollBar::valueChanged, this, &TForm1::bkScrollBarChange);
    connect(ui->rlScrollBar, &QScrollBar::valueChanged, this, &TForm1::rlScrollBarChange);
    connect(ui->glScrollBar, &QScrollBar::valueChanged, this, &TForm1::glScrollBarChange);
    connect(ui->blScrollBar, &QScrollBar::valueChanged, this, &TForm1::blScrollBarChange);
    connect(ui->fszinchk, &QCheckBox::clicked, this, &TForm1::fszinchkClick);
    connect(ui->tszinchk, &QCheckBox::clicked, this, &TForm1::tszinchkClick);
    connect(ui->kszinchk, &QCheckBox::clicked, this, &TForm1::kszinchkClick);
    connect(ui->lszinchk, &QCheckBox::clicked, this, &TForm1::lszinchkClick);
    connect(ui->terepgomb, &QPushButton::clicked, this, &TForm1::terepgombClick);
    connect(ui->trackKitButton, &QPushButton::clicked, this, &TForm1::trackKitButtonClick);
    connect(ui->Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(ui->elonezetgomb, &QPushButton::clicked, this, &TForm1::elonezetgombClick);
    connect(ui->hu_Button, &QPushButton::clicked, this, &TForm1::hu_ButtonClick);
    connect(ui->homlokzatchk, &QCheckBox::clicked, this, &TForm1::homlokzatchkClick);
    connect(ui->en_Button, &QPushButton::clicked, this, &TForm1::en_ButtonClick);
    ui->Label10->installEventFilter(this);
    auto* presets = new PresetButtons(
        ui->savePresetButton, ui->loadPresetButton, [this] { return HousePresetJson(houseInput()); },
        [this](std::string_view json) { setHouseInput(HouseFromPreset(json)); }, [this] { return language_; });
    presets->setReporter([this](const QString& text) { setStatusText(text); });
    outputFolder_->setReporter([this](const QString& text) { setStatusText(text); });
    SetUpGuides();

    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate()
{
    // The steps of the form's creation, in order. The web label opens the
    // maker's page until an update is announced.
    webAddress_ = QString::fromUtf8(kMakerWebPage);
    // Hungarian placement names until the stored language is applied.
    frontSidePlacements_ = FrontSidePlacements();
    cornerPlacements_ = CornerPlacements();
    // The checked roof's controls enabled as after a click on it.
    gombolas();
    // The stored language; every start rewrites lang.cfg. When that
    // fails the rest of the creation is skipped.
    const UiLanguage stored = ReadLanguageFile(CurrentFolder() / kLanguageFileName);
    if (!SwitchLanguage(stored))
        return;
    // The step count.
    LepnChange();
    // Colour use switches off, samples painted: walls, chimney, stairs, roof.
    for (ColorGroup* group : {&wallGroup_, &chimneyGroup_, &stairGroup_, &roofGroup_}) {
        group->setting->use = false;
        PaintSample(*group);
    }
    // The update check (installed by the application).
    if (UpdateCheckStarter())
        UpdateCheckStarter()(*this);
}

bool TForm1::SwitchLanguage(UiLanguage language)
{
    try {
        WriteLanguageFile(CurrentFolder() / kLanguageFileName, language);
    } catch (const OutputError& e) {
        ShowError(this, windowTitle(),
                  QStringLiteral("%1\n%2").arg(QString::fromStdString(e.path()), QString::fromStdString(e.what())));
        return false;
    }
    language_ = language;
    UseQtTranslations(language);
    preview::SetPreviewLanguage(language);
    ApplyTexts(*this, MainWindowCaptions(), language, TextRole::Caption);
    ApplyTexts(*this, MainWindowHints(), language, TextRole::Hint);
    outputFolder_->applyLanguage(language);
    writeTextures_->applyLanguage(language);
    if (statusSource_)
        statusPanel_->setText(statusSource_(language));
    ApplyFacadeLanguage(language);
    frontSidePlacements_ = FrontSidePlacements();
    cornerPlacements_ = CornerPlacements();
    LepeChange();
    LepoChange();
    LepsChange();
    UpdateGuides();
    return true;
}

QString TForm1::statusText() const { return statusPanel_->text(); }

void TForm1::setStatusText(const QString& text)
{
    statusSource_ = {};
    statusPanel_->setText(text);
}

void TForm1::setStatusSource(std::function<QString(UiLanguage)> text)
{
    statusSource_ = std::move(text);
    statusPanel_->setText(statusSource_(language_));
}

QLabel* TForm1::webLabel() const { return ui->Label10; }

namespace {

// The roof buttons of the roof kinds' table.
std::vector<std::pair<QRadioButton*, RoofKind>> RoofButtons(const QWidget& window)
{
    std::vector<std::pair<QRadioButton*, RoofKind>> buttons;
    for (const RoofKindRow& row : RoofKinds())
        buttons.emplace_back(window.findChild<QRadioButton*>(row.button), row.kind);
    return buttons;
}

}  // namespace

void TForm1::gombolas()
{
    for (const auto& [button, kind] : RoofButtons(*this)) {
        if (!button->isChecked())
            continue;
        const ControlEnabling enabling = EnablingFor(kind);
        ui->lt_koszoru->setEnabled(enabling.roofEdge);
        ui->Ereszcsatorna->setEnabled(enabling.gutters);
        ui->tkoEdit->setEnabled(enabling.hipDepth);
        ui->tleEdit->setEnabled(enabling.overhang);
        ui->Sbal->setEnabled(enabling.cornerLeft);
        ui->Sjobb->setEnabled(enabling.cornerRight);
        cornerSizeForRoof_ = enabling.cornerSize;
        ui->SarokfalEdit->setEnabled(enabling.cornerSize && (ui->Sbal->isChecked() || ui->Sjobb->isChecked()));
        ui->tetoszint->setEnabled(enabling.roofLevelTexture);
        ui->kmaEdit->setEnabled(enabling.clipHeight);
        ui->tmgEdit->setEnabled(enabling.kneeHeight);
        ui->tbeEdit->setEnabled(enabling.kneeInset);
        ui->gelEdit->setEnabled(enabling.ridgeOffset);
        return;
    }
}

void TForm1::KemenymeretChange()
{
    ui->kemenylabel->setText(QString::fromUtf8(ChimneySizeText(ui->Kemenymeret->value())));
    UpdateGuides();
}

void TForm1::LepnChange() { ui->Lfoklabel->setText(QString::number(ui->Lepn->value())); }

void TForm1::LepeChange()
{
    ui->felje_label->setText(QString::fromUtf8(frontSidePlacements_.at(ui->Lepe->value())(language_)));
}

void TForm1::LepoChange()
{
    ui->feljo_label->setText(QString::fromUtf8(frontSidePlacements_.at(ui->Lepo->value())(language_)));
}

void TForm1::LepsChange()
{
    ui->feljs_label->setText(QString::fromUtf8(cornerPlacements_.at(ui->Leps->value())(language_)));
}

void TForm1::PaintSample(const ColorGroup& group)
{
    PaintPanel(group.sample, QColor(group.bars[0]->value(), group.bars[1]->value(), group.bars[2]->value()));
}

void TForm1::ColorChange(ColorGroup& group, int channel)
{
    const int position = group.bars[channel]->value();
    std::uint8_t* channels[] = {&group.setting->color.r, &group.setting->color.g, &group.setting->color.b};
    *channels[channel] = Channel(position);
    group.values[channel]->setText(QString::number(position));
    PaintSample(group);
}

void TForm1::rfScrollBarChange() { ColorChange(wallGroup_, 0); }
void TForm1::gfScrollBarChange() { ColorChange(wallGroup_, 1); }
void TForm1::bfScrollBarChange() { ColorChange(wallGroup_, 2); }
void TForm1::rtScrollBarChange() { ColorChange(roofGroup_, 0); }
void TForm1::gtScrollBarChange() { ColorChange(roofGroup_, 1); }
void TForm1::btScrollBarChange() { ColorChange(roofGroup_, 2); }
void TForm1::rkScrollBarChange() { ColorChange(chimneyGroup_, 0); }
void TForm1::gkScrollBarChange() { ColorChange(chimneyGroup_, 1); }
void TForm1::bkScrollBarChange() { ColorChange(chimneyGroup_, 2); }
void TForm1::rlScrollBarChange() { ColorChange(stairGroup_, 0); }
void TForm1::glScrollBarChange() { ColorChange(stairGroup_, 1); }
void TForm1::blScrollBarChange() { ColorChange(stairGroup_, 2); }

void TForm1::fszinchkClick() { wall_.use = ui->fszinchk->isChecked(); }
void TForm1::tszinchkClick() { roof_.use = ui->tszinchk->isChecked(); }
void TForm1::kszinchkClick() { chimney_.use = ui->kszinchk->isChecked(); }
void TForm1::lszinchkClick() { stair_.use = ui->lszinchk->isChecked(); }

void TForm1::terepgombClick()
{
    if (!areaWindow_)
        return;
    areaWindow_->setStatusText(QString());
    areaWindow_->ApplyAreaWindowLanguage(language_);
    if (ModalShower())
        ModalShower()(*areaWindow_);
}

void TForm1::trackKitButtonClick()
{
    auto* window = findChild<TrackWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new TrackWindow(this);
    window->setStatusText(QString());
    window->applyLanguage(language_);
    window->show();
    window->raise();
    window->activateWindow();
}

namespace {

// The main window's controls and the inputs they hold, for reading the
// window and for setting it from a preset.
struct HouseControls {
    std::vector<std::pair<QLineEdit*, std::string HouseInput::*>> texts;
    std::vector<std::pair<QCheckBox*, bool HouseInput::*>> boxes;
    std::vector<std::pair<QSlider*, int HouseInput::*>> positions;
};

HouseControls ControlsOf(const Ui::TForm1& ui)
{
    return {
        {{ui.OffsXEdit, &HouseInput::offsetX},      {ui.OffsYEdit, &HouseInput::offsetY},
         {ui.OffsZEdit, &HouseInput::offsetZ},      {ui.fszEdit, &HouseInput::width},
         {ui.fhoEdit, &HouseInput::length},         {ui.fmaEdit, &HouseInput::wallHeight},
         {ui.tmaEdit, &HouseInput::roofHeight},     {ui.tleEdit, &HouseInput::roofOverhang},
         {ui.tkoEdit, &HouseInput::hipDepth},       {ui.kpozx, &HouseInput::chimneyX},
         {ui.kpozz, &HouseInput::chimneyZ},         {ui.lesz, &HouseInput::stepWidth},
         {ui.leho, &HouseInput::stepLength},        {ui.lema, &HouseInput::stepHeight},
         {ui.SarokfalEdit, &HouseInput::cornerWallSize}, {ui.kmaEdit, &HouseInput::clipHeight},
         {ui.tmgEdit, &HouseInput::kneeHeight},     {ui.tbeEdit, &HouseInput::kneeInset},
         {ui.gelEdit, &HouseInput::ridgeOffset}},
        {{ui.Ereszcsatorna, &HouseInput::gutters},      {ui.lt_koszoru, &HouseInput::flatRoofEdge},
         {ui.tetoszint, &HouseInput::roofLevelTextureChecked}, {ui.Sbal, &HouseInput::cornerWallLeft},
         {ui.Sjobb, &HouseInput::cornerWallRight},      {ui.legyenes, &HouseInput::stairsStraight}},
        {{ui.Kemenymeret, &HouseInput::chimneySize}, {ui.Lepn, &HouseInput::stairSteps},
         {ui.Lepe, &HouseInput::stairFront},         {ui.Lepo, &HouseInput::stairSide},
         {ui.Leps, &HouseInput::stairCorner}},
    };
}

}  // namespace

HouseInput TForm1::houseInput() const
{
    const HouseControls controls = ControlsOf(*ui);
    HouseInput input;
    for (const auto& [edit, text] : controls.texts)
        input.*text = Text(edit);
    // The roof buttons are exclusive; none of them checked is the lean roof.
    input.roofKind = RoofKind::Lean;
    for (const auto& [button, kind] : RoofButtons(*this)) {
        if (button->isChecked()) {
            input.roofKind = kind;
            break;
        }
    }
    for (const auto& [box, checked] : controls.boxes)
        input.*checked = box->isChecked();
    for (const auto& [slider, position] : controls.positions)
        input.*position = slider->value();

    // Channels straight from the bars; the use switches as the boxes left them.
    const auto read = [](const ColorGroup& group) {
        return ColorSetting{{Channel(group.bars[0]->value()), Channel(group.bars[1]->value()),
                             Channel(group.bars[2]->value())},
                            group.setting->use};
    };
    input.wall = read(wallGroup_);
    input.roof = read(roofGroup_);
    input.chimney = read(chimneyGroup_);
    input.stair = read(stairGroup_);
    input.facades = facadeInput();
    input.format = outputFolder_->format();
    return input;
}

void TForm1::setHouseInput(const HouseInput& input)
{
    const HouseControls controls = ControlsOf(*ui);
    for (const auto& [edit, text] : controls.texts)
        edit->setText(QString::fromStdString(input.*text));
    for (const auto& [button, kind] : RoofButtons(*this)) {
        if (kind == input.roofKind)
            button->setChecked(true);
    }
    gombolas();
    for (const auto& [box, checked] : controls.boxes)
        box->setChecked(input.*checked);
    for (const auto& [slider, position] : controls.positions)
        slider->setValue(input.*position);
    const std::pair<ColorGroup*, const ColorSetting*> colors[] = {
        {&wallGroup_, &input.wall}, {&roofGroup_, &input.roof}, {&chimneyGroup_, &input.chimney},
        {&stairGroup_, &input.stair}};
    const std::pair<ColorGroup*, QCheckBox*> useBoxes[] = {
        {&wallGroup_, ui->fszinchk}, {&roofGroup_, ui->tszinchk}, {&chimneyGroup_, ui->kszinchk},
        {&stairGroup_, ui->lszinchk}};
    for (const auto& [group, color] : colors) {
        group->bars[0]->setValue(color->color.r);
        group->bars[1]->setValue(color->color.g);
        group->bars[2]->setValue(color->color.b);
        group->setting->use = color->use;
    }
    for (const auto& [group, box] : useBoxes)
        box->setChecked(group->setting->use);
    setFacadeInput(input.facades);
    outputFolder_->setFormat(input.format);
}

void TForm1::setFacadeInput(const FacadeInput& facades)
{
    ui->homlokzatchk->setChecked(facades.enabled);
    homlokzatchkClick();
    const std::pair<QLineEdit*, const std::string*> texts[] = {
        {ui->szintEdit, &facades.storeys},           {ui->szintmaEdit, &facades.storeyHeight},
        {ui->ajtoSz, &facades.door.width},           {ui->ajtoMa, &facades.door.height},
        {ui->ajtoHely, &facades.door.position},      {ui->oldalajtoSz, &facades.sideDoor.width},
        {ui->oldalajtoMa, &facades.sideDoor.height}, {ui->oldalajtoHely, &facades.sideDoor.position},
        {ui->ablaktexEdit, &facades.windowTexture},  {ui->ajtotexEdit, &facades.doorTexture},
        {ui->vilagitEdit, &facades.litPercent},      {ui->vilagitmagEdit, &facades.litSeed},
    };
    for (const auto& [edit, text] : texts)
        edit->setText(QString::fromStdString(*text));
    for (const WindowRow& row : WindowRows(*ui)) {
        const FacadeInput::Windows& windows = facades.windows[static_cast<std::size_t>(row.side)];
        row.on->setChecked(windows.enabled);
        row.count->setText(QString::fromStdString(windows.count));
        row.width->setText(QString::fromStdString(windows.width));
        row.height->setText(QString::fromStdString(windows.height));
        row.sill->setText(QString::fromStdString(windows.sill));
    }
    ui->ajtochk->setChecked(facades.door.enabled);
    ui->oldalajtochk->setChecked(facades.sideDoor.enabled);
    ui->oldalajtoFal->setCurrentIndex(facades.sideDoorSide == WallSide::Right  ? 1
                                      : facades.sideDoorSide == WallSide::Back ? 2
                                                                               : 0);
    // A colour's box off keeps the colour typed last.
    const std::pair<QCheckBox*, QLineEdit*> colors[] = {{ui->ablakszinchk, ui->ablakszinEdit},
                                                        {ui->ajtoszinchk, ui->ajtoszinEdit}};
    const std::string* colorTexts[] = {&facades.windowColor, &facades.doorColor};
    for (std::size_t i = 0; i < 2; ++i) {
        colors[i].first->setChecked(!colorTexts[i]->empty());
        if (!colorTexts[i]->empty())
            colors[i].second->setText(QString::fromStdString(*colorTexts[i]));
    }
    ui->keretchk->setChecked(facades.frames);
    ui->vilagitchk->setChecked(facades.lit);
}

FacadeInput TForm1::facadeInput() const
{
    FacadeInput facades;
    facades.enabled = ui->homlokzatchk->isChecked();
    facades.storeys = Text(ui->szintEdit);
    facades.storeyHeight = Text(ui->szintmaEdit);
    for (const WindowRow& row : WindowRows(*ui)) {
        facades.windows[static_cast<int>(row.side)] = {row.on->isChecked(), Text(row.count), Text(row.width),
                                                       Text(row.height), Text(row.sill)};
    }
    facades.door = {ui->ajtochk->isChecked(), Text(ui->ajtoSz), Text(ui->ajtoMa), Text(ui->ajtoHely)};
    facades.sideDoor = {ui->oldalajtochk->isChecked(), Text(ui->oldalajtoSz), Text(ui->oldalajtoMa),
                        Text(ui->oldalajtoHely)};
    constexpr WallSide kSideDoorSides[] = {WallSide::Left, WallSide::Right, WallSide::Back};  // the list's order
    facades.sideDoorSide = kSideDoorSides[std::clamp(ui->oldalajtoFal->currentIndex(), 0, 2)];
    facades.windowTexture = Text(ui->ablaktexEdit);
    facades.doorTexture = Text(ui->ajtotexEdit);
    if (ui->ablakszinchk->isChecked())
        facades.windowColor = Text(ui->ablakszinEdit);
    if (ui->ajtoszinchk->isChecked())
        facades.doorColor = Text(ui->ajtoszinEdit);
    facades.frames = ui->keretchk->isChecked();
    facades.lit = ui->vilagitchk->isChecked();
    facades.litPercent = Text(ui->vilagitEdit);
    facades.litSeed = Text(ui->vilagitmagEdit);
    return facades;
}

void TForm1::homlokzatchkClick()
{
    const bool on = ui->homlokzatchk->isChecked();
    if (on && ui->homlokzatPanel->isHidden()) {
        // The area lies right of the original window; every other control
        // stays where it is.
        const QRect area = ui->homlokzatPanel->geometry();
        setFixedSize(area.right() + 1, height());
        ui->homlokzatPanel->show();
    }
    ui->homlokzatPanel->setEnabled(on);
}

void TForm1::ApplyFacadeLanguage(UiLanguage language)
{
    ApplyTexts(*this, FacadeAreaCaptions(), language, TextRole::Caption);
    ApplyTexts(*this, FacadeAreaHints(), language, TextRole::Hint);
    const auto walls = SideDoorWalls();
    for (int i = 0; i < ui->oldalajtoFal->count() && i < static_cast<int>(walls.size()); ++i)
        ui->oldalajtoFal->setItemText(i, QString::fromUtf8(walls[static_cast<std::size_t>(i)](language)));
}

void TForm1::Button1Click()
{
    setStatusSource([](UiLanguage language) { return QString::fromStdString(GeneratingStatus(language)); });
    const HouseInput input = houseInput();
    std::string fileName;
    Generated written;
    std::vector<std::string> textures;
    std::string texturesWritten;  // " Textures: 12 written, ..." with "Write textures" ticked
    ObjectSize size;
    // The status keeps "Generating..." after an input/output failure.
    const GenerationOutcome outcome = GenerateAndReport(
        *this, [this](const QString& text) { statusPanel_->setText(text); },
        [&] {
            const HouseResult result = GenerateHouse(input, language_, outputFolder_->folderPath());
            fileName = result.fileName;
            textures = result.textures;
            size = result.size;
            if (writeTextures_->isChecked())
                texturesWritten = " " + OneLine(textures::WriteLoadedTextures(result.loaded, outputFolder_->folderPath(),
                                                                              textures::TextureOwner::House, language_));
            return Generated{result.path, result.status + texturesWritten, WarningTexts(result.warnings)};
        },
        lastGenerated_, &written);
    if (outcome == GenerationOutcome::Written) {
        statusPanels_->showWritten(lastGenerated_, QDateTime::currentDateTime());
        // A switch names the same file in the other language's sentence.
        setStatusSource([fileName, written, input, size, texturesWritten](UiLanguage language) {
            Generated shown = written;
            shown.status = HouseFinishedStatus(fileName, language) + texturesWritten;
            shown.warnings = WarningTexts(HouseWarnings(ReadHouseParams(input, language), size, language));
            return WrittenStatus(shown);
        });
    } else if (outcome == GenerationOutcome::Refused) {
        // A switch words the refusal in the other language.
        setStatusSource([input, shown = statusPanel_->text()](UiLanguage language) {
            try {
                ReadHouseParams(input, language);
            } catch (const InputError& e) {
                return QString::fromStdString(e.what());
            }
            return shown;  // refused by a later step of the generation
        });
    }
    // With facades the status tells which bitmaps the object needs.
    statusPanel_->setToolTip(textures.empty() ? QString()
                                              : QString::fromStdString(TextureListText(textures, language_)));
}

void TForm1::Label10Click()
{
    if (BrowserOpener())
        BrowserOpener()(webAddress_);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->Label10 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && ui->Label10->rect().contains(mouse->position().toPoint())) {
            Label10Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
            button->click();
        else
            Button1Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TForm1::elonezetgombClick()
{
    ShowPreview(language_, lastGenerated_, ui->Button1);
}

}  // namespace kestrane::ui

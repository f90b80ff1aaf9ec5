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

std::array<WindowRow, 4> WindowRows(const Ui::MainWindow& ui)
{
    return {{
        {WallSide::Front, ui.ablakElol, ui.ablakElolDb, ui.ablakElolSz, ui.ablakElolMa, ui.ablakElolPa},
        {WallSide::Right, ui.ablakJobb, ui.ablakJobbDb, ui.ablakJobbSz, ui.ablakJobbMa, ui.ablakJobbPa},
        {WallSide::Back, ui.ablakHatul, ui.ablakHatulDb, ui.ablakHatulSz, ui.ablakHatulMa, ui.ablakHatulPa},
        {WallSide::Left, ui.ablakBal, ui.ablakBalDb, ui.ablakBalSz, ui.ablakBalMa, ui.ablakBalPa},
    }};
}

// The colours of a house, in the order of the window's colour pickers
// (walls, roof, chimney, stairs).
constexpr ColorSetting HouseInput::*kColorSettings[] = {&HouseInput::wall, &HouseInput::roof, &HouseInput::chimney,
                                                         &HouseInput::stair};

// The roof buttons of the roof kinds' table.
std::vector<std::pair<QRadioButton*, RoofKind>> RoofButtons(const QWidget& window)
{
    std::vector<std::pair<QRadioButton*, RoofKind>> buttons;
    for (const RoofKindRow& row : RoofKinds())
        buttons.emplace_back(window.findChild<QRadioButton*>(row.button), row.kind);
    return buttons;
}

}  // namespace

std::function<void(MainWindow&)>& MainWindow::UpdateCheckStarter()
{
    static std::function<void(MainWindow&)> starter;
    return starter;
}

std::function<void(const QString&)>& MainWindow::BrowserOpener()
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

std::function<void(AreaBuilderWindow&)>& MainWindow::ModalShower()
{
    static std::function<void(AreaBuilderWindow&)> shower = [](AreaBuilderWindow& window) { window.exec(); };
    return shower;
}

MainWindow::MainWindow(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::MainWindow>())
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

    colorPickers_[kWallColor] = {ui->fszinchk, {ui->rfScrollBar, ui->gfScrollBar, ui->bfScrollBar},
                                 {ui->rfBetu, ui->gfBetu, ui->bfBetu}, {ui->frl, ui->fgl, ui->fbl}, ui->falszinpanel};
    colorPickers_[kRoofColor] = {ui->tszinchk, {ui->rtScrollBar, ui->gtScrollBar, ui->btScrollBar},
                                 {ui->rtBetu, ui->gtBetu, ui->btBetu}, {ui->trl, ui->tgl, ui->tbl}, ui->tetoszinpanel};
    colorPickers_[kChimneyColor] = {ui->kszinchk, {ui->rkScrollBar, ui->gkScrollBar, ui->bkScrollBar},
                                    {ui->rkBetu, ui->gkBetu, ui->bkBetu}, {ui->krl, ui->kgl, ui->kbl},
                                    ui->kemenyszinPanel};
    colorPickers_[kStairColor] = {ui->lszinchk, {ui->rlScrollBar, ui->glScrollBar, ui->blScrollBar},
                                  {ui->rlBetu, ui->glBetu, ui->blBetu}, {ui->lrl, ui->lgl, ui->lbl},
                                  ui->lepcsoszinPanel};
    for (const ColorPicker& picker : colorPickers_)
        ConnectColorPicker(this, picker);

    for (const auto& [button, kind] : RoofButtons(*this))
        connect(button, &QRadioButton::clicked, this, &MainWindow::enableRoofControls);
    using Handler = void (MainWindow::*)();
    const std::pair<QAbstractSlider*, Handler> sliders[] = {
        {ui->Kemenymeret, &MainWindow::chimneySizeChanged}, {ui->Lepn, &MainWindow::stairStepsChanged},
        {ui->Lepe, &MainWindow::stairFrontChanged},         {ui->Lepo, &MainWindow::stairSideChanged},
        {ui->Leps, &MainWindow::stairCornerChanged}};
    for (const auto& [slider, handler] : sliders)
        connect(slider, &QAbstractSlider::valueChanged, this, handler);
    const std::pair<QAbstractButton*, Handler> buttons[] = {
        {ui->terepgomb, &MainWindow::openAreaBuilder},   {ui->trackKitButton, &MainWindow::openTrackKit},
        {ui->Button1, &MainWindow::generateHouse},       {ui->elonezetgomb, &MainWindow::showPreview},
        {ui->hu_Button, &MainWindow::switchToHungarian}, {ui->en_Button, &MainWindow::switchToEnglish},
        {ui->homlokzatchk, &MainWindow::updateFacadeArea}};
    for (const auto& [button, handler] : buttons)
        connect(button, &QAbstractButton::clicked, this, handler);
    webLabel()->installEventFilter(this);
    const auto report = [this](const QString& text) { setStatusText(text); };
    new PresetButtons(ui->savePresetButton, ui->loadPresetButton, [this] { return HousePresetJson(houseInput()); },
                      [this](std::string_view json) { setHouseInput(HouseFromPreset(json)); },
                      [this] { return language_; }, report);
    outputFolder_->setReporter(report);
    SetUpGuides();

    finishCreation();
}

MainWindow::~MainWindow() = default;

void MainWindow::finishCreation()
{
    // The steps of the form's creation, in order. The web label opens the
    // maker's page until an update is announced.
    webAddress_ = QString::fromUtf8(kMakerWebPage);
    // Hungarian placement names until the stored language is applied.
    frontSidePlacements_ = FrontSidePlacements();
    cornerPlacements_ = CornerPlacements();
    // The checked roof's controls enabled as after a click on it.
    enableRoofControls();
    // The stored language; every start rewrites lang.cfg. When that
    // fails the rest of the creation is skipped.
    const UiLanguage stored = ReadLanguageFile(CurrentFolder() / kLanguageFileName);
    if (!SwitchLanguage(stored))
        return;
    // The step count.
    stairStepsChanged();
    // The samples painted (the colour use boxes start unticked).
    for (const ColorPicker& picker : colorPickers_)
        picker.paintSample();
    // The update check (installed by the application).
    if (UpdateCheckStarter())
        UpdateCheckStarter()(*this);
}

bool MainWindow::SwitchLanguage(UiLanguage language)
{
    try {
        WriteLanguageFile(CurrentFolder() / kLanguageFileName, language);
    } catch (const OutputError& e) {
        ShowFileError(this, e.path(), e.what());
        return false;
    }
    language_ = language;
    UseQtTranslations(language);
    preview::SetPreviewLanguage(language);
    ApplyTexts(*this, TextPart::MainWindow, language);
    ApplyTexts(*this, TextPart::PresetButtons, language);
    outputFolder_->applyLanguage(language);
    writeTextures_->applyLanguage(language);
    if (statusSource_)
        statusPanel_->setText(statusSource_(language));
    ApplyFacadeLanguage(language);
    frontSidePlacements_ = FrontSidePlacements();
    cornerPlacements_ = CornerPlacements();
    stairFrontChanged();
    stairSideChanged();
    stairCornerChanged();
    UpdateGuides();
    return true;
}

QString MainWindow::statusText() const { return statusPanel_->text(); }

void MainWindow::setStatusText(const QString& text)
{
    statusSource_ = {};
    statusPanel_->setText(text);
}

void MainWindow::setStatusSource(std::function<QString(UiLanguage)> text)
{
    statusSource_ = std::move(text);
    statusPanel_->setText(statusSource_(language_));
}

QLabel* MainWindow::webLabel() const { return ui->Label10; }

QPushButton* MainWindow::generateButton() const { return ui->Button1; }

void MainWindow::enableRoofControls()
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

void MainWindow::chimneySizeChanged()
{
    ui->kemenylabel->setText(QString::fromUtf8(ChimneySizeText(ui->Kemenymeret->value())));
    UpdateGuides();
}

void MainWindow::stairStepsChanged() { ui->Lfoklabel->setText(QString::number(ui->Lepn->value())); }

void MainWindow::stairFrontChanged()
{
    ui->felje_label->setText(QString::fromUtf8(frontSidePlacements_.at(ui->Lepe->value())(language_)));
}

void MainWindow::stairSideChanged()
{
    ui->feljo_label->setText(QString::fromUtf8(frontSidePlacements_.at(ui->Lepo->value())(language_)));
}

void MainWindow::stairCornerChanged()
{
    ui->feljs_label->setText(QString::fromUtf8(cornerPlacements_.at(ui->Leps->value())(language_)));
}

bool MainWindow::useWallColor() const { return colorPickers_[kWallColor].use->isChecked(); }
bool MainWindow::useRoofColor() const { return colorPickers_[kRoofColor].use->isChecked(); }
bool MainWindow::useChimneyColor() const { return colorPickers_[kChimneyColor].use->isChecked(); }
bool MainWindow::useStairColor() const { return colorPickers_[kStairColor].use->isChecked(); }

void MainWindow::openAreaBuilder()
{
    if (!areaWindow_)
        return;
    areaWindow_->setStatusText(QString());
    areaWindow_->applyLanguage(language_);
    if (ModalShower())
        ModalShower()(*areaWindow_);
}

void MainWindow::openTrackKit()
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

HouseControls ControlsOf(const Ui::MainWindow& ui)
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

HouseInput MainWindow::houseInput() const
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

    // Channels straight from the bars, the use from the boxes.
    for (int part = 0; part < kColorParts; ++part) {
        const ColorPicker& picker = colorPickers_[part];
        input.*kColorSettings[part] = {picker.rgb(), picker.use->isChecked()};
    }
    input.facades = facadeInput();
    input.format = outputFolder_->format();
    return input;
}

void MainWindow::setHouseInput(const HouseInput& input)
{
    const HouseControls controls = ControlsOf(*ui);
    for (const auto& [edit, text] : controls.texts)
        edit->setText(QString::fromStdString(input.*text));
    for (const auto& [button, kind] : RoofButtons(*this)) {
        if (kind == input.roofKind)
            button->setChecked(true);
    }
    enableRoofControls();
    for (const auto& [box, checked] : controls.boxes)
        box->setChecked(input.*checked);
    for (const auto& [slider, position] : controls.positions)
        slider->setValue(input.*position);
    for (int part = 0; part < kColorParts; ++part) {
        const ColorPicker& picker = colorPickers_[part];
        const ColorSetting& color = input.*kColorSettings[part];
        picker.setRgb(color.color);
        picker.use->setChecked(color.use);
    }
    setFacadeInput(input.facades);
    outputFolder_->setFormat(input.format);
}

void MainWindow::setFacadeInput(const FacadeInput& facades)
{
    ui->homlokzatchk->setChecked(facades.enabled);
    updateFacadeArea();
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

FacadeInput MainWindow::facadeInput() const
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

void MainWindow::updateFacadeArea()
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

void MainWindow::ApplyFacadeLanguage(UiLanguage language)
{
    ApplyTexts(*this, TextPart::FacadeArea, language);
    const auto walls = SideDoorWalls();
    for (int i = 0; i < ui->oldalajtoFal->count() && i < static_cast<int>(walls.size()); ++i)
        ui->oldalajtoFal->setItemText(i, QString::fromUtf8(walls[static_cast<std::size_t>(i)](language)));
}

void MainWindow::generateHouse()
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

void MainWindow::openWebAddress()
{
    if (BrowserOpener())
        BrowserOpener()(webAddress_);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == webLabel() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && webLabel()->rect().contains(mouse->position().toPoint())) {
            openWebAddress();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
            button->click();
        else
            generateHouse();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::showPreview()
{
    ShowPreview(language_, lastGenerated_, generateButton());
}

}  // namespace kestrane::ui

// The main window's guides beside its fixed texts: the tab order, the
// chimney size beside the bare caption, the corner size's caption and
// enabling, the defaults of empty boxes as placeholders, and the wall
// height the storeys need.
#include "ui/main_window.h"

#include "house/roof_forms.h"
#include "ui/window_guides.h"
#include "ui_main_window.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cmath>
#include <optional>

namespace kestrane::ui {

namespace {

// A box's millimetres in metres.
std::optional<double> Metres(const QLineEdit* edit)
{
    const auto value = EditNumber(edit);
    return value ? std::optional<double>(*value / 1000.0) : std::nullopt;
}

QString Millimetres(double metres) { return QString::number(std::llround(metres * 1000)); }

// The tab order: column by column, each top to bottom by group, then the
// output folder line and the facade area.
const QStringList kTabOrder = {
    // Base and offset, roof and corner walls.
    "fszEdit", "fhoEdit", "fmaEdit", "OffsXEdit", "OffsZEdit", "OffsYEdit", "tmaEdit", "tleEdit", "tkoEdit", "Sbal",
    "Sjobb", "SarokfalEdit",
    // The roof kinds (Tab enters at the checked one), the forms' boxes, the switches, the presets.
    "Csonkakonty", "Tortnyereg", "Manzardteto", "Eltoltnyereg", "Nyeregteto", "Kontyoltteto", "satorteto",
    "laposteto", "Felteto", "kmaEdit", "tmgEdit", "tbeEdit", "gelEdit", "Ereszcsatorna", "lt_koszoru", "tetoszint",
    "homlokzatchk", "savePresetButton", "loadPresetButton",
    // Chimney, stairs, the buttons.
    "Kemenymeret", "kpozx", "kpozz", "Lepn", "Lepe", "Lepo", "Leps", "lesz", "leho", "lema", "legyenes", "Button1",
    "elonezetgomb", "terepgomb",
    // Language, then the colours.
    "hu_Button", "en_Button", "fszinchk", "rfScrollBar", "gfScrollBar", "bfScrollBar", "tszinchk", "rtScrollBar",
    "gtScrollBar", "btScrollBar", "kszinchk", "rkScrollBar", "gkScrollBar", "bkScrollBar", "lszinchk", "rlScrollBar",
    "glScrollBar", "blScrollBar",
    // The output folder.
    "kimenetEdit", "kimenetTallozo", "kimenetMegnyit",
    // The facade area.
    "szintEdit", "szintmaEdit", "ablakElol", "ablakElolDb", "ablakElolSz", "ablakElolMa", "ablakElolPa", "ablakJobb",
    "ablakJobbDb", "ablakJobbSz", "ablakJobbMa", "ablakJobbPa", "ablakHatul", "ablakHatulDb", "ablakHatulSz",
    "ablakHatulMa", "ablakHatulPa", "ablakBal", "ablakBalDb", "ablakBalSz", "ablakBalMa", "ablakBalPa", "ajtochk",
    "ajtoSz", "ajtoMa", "ajtoHely", "oldalajtochk", "oldalajtoSz", "oldalajtoMa", "oldalajtoHely", "oldalajtoFal",
    "ablaktexEdit", "ajtotexEdit", "keretchk", "vilagitchk", "vilagitEdit", "vilagitmagEdit", "ablakszinchk",
    "ablakszinEdit", "ajtoszinchk", "ajtoszinEdit"};

}  // namespace

void MainWindow::SetUpGuides()
{
    SetTabOrder(*this, kTabOrder);
    QRadioButton* const roofs[] = {ui->Csonkakonty, ui->Tortnyereg, ui->Manzardteto, ui->Eltoltnyereg, ui->Nyeregteto,
                                   ui->Kontyoltteto, ui->satorteto,  ui->laposteto,   ui->Felteto};
    TabIntoCheckedRadio(roofs);

    // The chimney size while its label shows the bare caption.
    chimneyValue_ = new QLabel(this);
    chimneyValue_->setObjectName("kemenyErtek");
    chimneyValue_->setFont(ui->kemenylabel->font());

    // The corner size's caption, under its box.
    auto* cornerSize = new QLabel(this);
    cornerSize->setObjectName("SarokMeretLabel");
    cornerSize->setGeometry(160, 238, 60, 16);

    // Everything typed or ticked may change a guide.
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &MainWindow::UpdateGuides);
    for (QAbstractButton* box : findChildren<QAbstractButton*>())
        if (box->isCheckable())
            connect(box, &QAbstractButton::toggled, this, &MainWindow::UpdateGuides);
}

void MainWindow::UpdateGuides()
{
    if (!chimneyValue_)
        return;  // still being made
    const bool hu = language_ == UiLanguage::Hungarian;

    // "Kémény méret:" with the size beside it, as after a move of the bar.
    const QString caption = ui->kemenylabel->text();
    const bool bare = caption == QString::fromUtf8(hu ? "Kémény méret:" : "Chimney size:");
    chimneyValue_->setVisible(bare);
    if (bare) {
        const QFontMetrics metrics(ui->kemenylabel->font());
        const QRect label = ui->kemenylabel->geometry();
        const int left = label.left() + metrics.horizontalAdvance(caption + QLatin1Char(' '));
        chimneyValue_->setText(QString::number(ui->Kemenymeret->value()));
        chimneyValue_->setGeometry(left, label.top(), std::max(label.right() + 1 - left, 8), label.height());
        chimneyValue_->raise();
    }

    // The corner size counts only with a corner wall ticked.
    ui->SarokfalEdit->setEnabled(cornerSizeForRoof_ && (ui->Sbal->isChecked() || ui->Sjobb->isChecked()));
    if (auto* cornerSize = findChild<QLabel*>("SarokMeretLabel")) {
        cornerSize->setText(QString::fromUtf8(hu ? "méret, mm" : "size, mm"));
        cornerSize->setEnabled(ui->SarokfalEdit->isEnabled());
    }

    // The roof forms' defaults as placeholders, worked out from the house.
    HouseParams house;
    const std::optional<double> dims[] = {Metres(ui->fszEdit), Metres(ui->fhoEdit), Metres(ui->fmaEdit),
                                          Metres(ui->tmaEdit), Metres(ui->tleEdit)};
    const bool known = std::all_of(std::begin(dims), std::end(dims), [](const auto& d) { return d.has_value(); });
    QLineEdit* const forms[] = {ui->kmaEdit, ui->tmgEdit, ui->tbeEdit, ui->gelEdit};
    if (!known) {
        for (QLineEdit* edit : forms)
            edit->setPlaceholderText(QString());
    } else {
        house.width = *dims[0];
        house.length = *dims[1];
        house.wallHeight = *dims[2];
        house.roofHeight = *dims[3];
        house.roofOverhang = *dims[4];
        house.roofKind = ui->Manzardteto->isChecked() ? RoofKind::Mansard : RoofKind::Gambrel;
        house.kneeInset = Metres(ui->tbeEdit).value_or(DefaultKneeInset(house));
        ui->kmaEdit->setPlaceholderText(Millimetres(DefaultClipHeight(house)));
        ui->tmgEdit->setPlaceholderText(Millimetres(DefaultKneeHeight(house)));
        ui->tbeEdit->setPlaceholderText(Millimetres(DefaultKneeInset(house)));
        ui->gelEdit->setPlaceholderText(Millimetres(DefaultRidgeOffset(house)));
    }

    // The storey height in force, and the wall height the storeys need.
    const auto storeys = EditNumber(ui->szintEdit);
    const auto wall = Metres(ui->fmaEdit);
    const bool counted = storeys && *storeys >= 1 && *storeys == std::floor(*storeys);
    ui->szintmaEdit->setPlaceholderText(counted && wall ? Millimetres(*wall / *storeys) : QString());
    double storey = 0.0;  // the highest opening with its sill
    const std::pair<QCheckBox*, QLineEdit*> doors[] = {{ui->ajtochk, ui->ajtoMa}, {ui->oldalajtochk, ui->oldalajtoMa}};
    for (const auto& [on, height] : doors)
        if (on->isChecked())
            storey = std::max(storey, Metres(height).value_or(0.0));
    const std::pair<QCheckBox*, std::pair<QLineEdit*, QLineEdit*>> windows[] = {
        {ui->ablakElol, {ui->ablakElolMa, ui->ablakElolPa}}, {ui->ablakJobb, {ui->ablakJobbMa, ui->ablakJobbPa}},
        {ui->ablakHatul, {ui->ablakHatulMa, ui->ablakHatulPa}}, {ui->ablakBal, {ui->ablakBalMa, ui->ablakBalPa}}};
    for (const auto& [on, sizes] : windows)
        if (on->isChecked())
            storey = std::max(storey, Metres(sizes.first).value_or(0.0) + Metres(sizes.second).value_or(0.0));
    QString need;
    if (counted && storey > 0) {
        const int n = static_cast<int>(*storeys);
        need = QString::fromUtf8(hu ? "%1 szinthez legalább %2 mm falmagasság kell (szintenként %3 mm)."
                                    : "%1 storeys need a wall height of at least %2 mm (%3 mm a storey).")
                   .arg(n)
                   .arg(Millimetres(n * storey), Millimetres(storey));
    }
    for (QWidget* target : {static_cast<QWidget*>(ui->homlokzatchk), static_cast<QWidget*>(ui->szintEdit)}) {
        const QString hint = QString::fromUtf8((*FindText(TextPart::FacadeArea, TextRole::Hint,
                                                          target->objectName().toStdString()))(language_));
        target->setToolTip(need.isEmpty() ? hint : hint + QLatin1Char('\n') + need);
    }
}

}  // namespace kestrane::ui

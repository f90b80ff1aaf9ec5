// The area builder's guides beside its fixed texts: the tab order, and
// the peaks' grid positions and widths in metres in their hints.
#include "ui/area_window.h"

#include "ui/language_tables.h"
#include "ui/window_guides.h"
#include "ui_area_window.h"

#include <QLabel>
#include <QLineEdit>

#include <cmath>
#include <optional>

namespace kestrane::ui {

namespace {

// Metres with at most two decimals, "." whatever the locale.
QString Metres(double value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QStringList TabOrder()
{
    // The inputs' frame, the peaks' frame, the row of buttons, the heightmap lines.
    QStringList order = {"dombxedit", "dombzedit", "xbontEdit", "zbontedit", "OffsXEdit", "OffsZEdit", "OffsYEdit",
                         "Lejtxedit", "Lejtzedit", "szimchk", "csempeEdit", "ketoldaluchk", "fszinchk", "rtScrollBar", "gtScrollBar",
                         "btScrollBar", "KanyarXedit", "KanyarZ1edit", "KanyarZ2edit", "TexturaEdit"};
    for (int k = 1; k <= 8; ++k) {
        for (int c = 1; c <= 4; ++c)
            order << QStringLiteral("d%1%2").arg(k).arg(c);
        order << QStringLiteral("Panel%1").arg(k);
    }
    order << "savePresetButton" << "loadPresetButton" << "rScrollBar" << "gScrollBar" << "bScrollBar"
          << "kimenetEdit" << "kimenetTallozo" << "kimenetMegnyit" << "DomborzatGomb" << "GenButton" << "elonezetgomb"
          << "DomborzatEdit" << "DomborzatTallozo" << "DomborzatOrigoXEdit" << "DomborzatOrigoZEdit"
          << "MagassagSzorzoEdit" << "MagassagEltolasEdit" << "CellameretEdit" << "HeightmapMapOriginCheck";
    return order;
}

}  // namespace

void AreaBuilderWindow::SetUpGuides()
{
    SetTabOrder(*this, TabOrder());
    // The curve's "Z1" and "Z2" keep clear of their boxes.
    for (QLabel* label : {ui->KanyarZ1Label, ui->KanyarZ2Label}) {
        QFont narrow = label->font();
        narrow.setLetterSpacing(QFont::PercentageSpacing, 85);
        label->setFont(narrow);
    }
    // The slope column's title keeps clear of its frame's border.
    QFont tight = ui->D_emel->font();
    tight.setLetterSpacing(QFont::PercentageSpacing, 88);
    ui->D_emel->setFont(tight);
    ui->D_emel->resize(393 - 3 - ui->D_emel->x(), ui->D_emel->height());
    // The heightmap button in the font of the buttons beside it, which
    // needs the few pixels left of it.
    ui->DomborzatGomb->setFont(ui->GenButton->font());
    const QRect place = ui->DomborzatGomb->geometry();
    ui->DomborzatGomb->setGeometry(place.left() - 5, place.top(), place.width() + 8, place.height());
    for (QLineEdit* edit : {ui->dombxedit, ui->dombzedit, ui->xbontEdit, ui->zbontedit})
        connect(edit, &QLineEdit::textChanged, this, &AreaBuilderWindow::updatePeakHints);
    for (int k = 1; k <= 8; ++k)
        for (int c = 1; c <= 4; ++c)
            connect(peakCell(k, c), &QLineEdit::textChanged, this, &AreaBuilderWindow::updatePeakHints);
}

void AreaBuilderWindow::updatePeakHints()
{
    const bool hu = language_ == UiLanguage::Hungarian;
    // Metres per cell along X and Z, when the area and resolution are numbers.
    const auto area = std::make_pair(EditNumber(ui->dombxedit), EditNumber(ui->dombzedit));
    const auto cells = std::make_pair(EditNumber(ui->xbontEdit), EditNumber(ui->zbontedit));
    std::optional<double> cellX, cellZ;
    if (area.first && cells.first && *cells.first > 0)
        cellX = *area.first / std::round(*cells.first);
    if (area.second && cells.second && *cells.second > 0)
        cellZ = *area.second / std::round(*cells.second);

    const char* const hints[] = {"d#1", "d#2", "d#3", "d#4"};
    for (int c = 1; c <= 4; ++c) {
        const QString base = QString::fromUtf8((*FindText(TextPart::AreaBuilder, TextRole::Hint, hints[c - 1]))(language_));
        for (int k = 1; k <= 8; ++k) {
            QLineEdit* edit = peakCell(k, c);
            const std::optional<double> value = EditNumber(edit);
            QString extra;
            if (c == 1 || c == 2) {
                // Node n lies n - 1 cells from the origin corner.
                const std::optional<double>& cell = c == 1 ? cellX : cellZ;
                extra = QString::fromUtf8(hu ? "rácspontban, 1: az origó sarka" : "in grid nodes, 1: the origin corner");
                if (value && cell)
                    extra += QString::fromUtf8(hu ? "; itt %1 m az origótól" : "; here %1 m from the origin")
                                 .arg(Metres((*value - 1) * *cell));
            } else if (c == 4) {
                extra = QString::fromUtf8(hu ? "rácskockában" : "in grid cells");
                if (value && cellX && cellZ)
                    extra += QString::fromUtf8(hu ? "; itt %1 × %2 m" : "; here %1 × %2 m")
                                 .arg(Metres(*value * *cellX), Metres(*value * *cellZ));
            } else {
                extra = QString::fromUtf8(hu ? "méterben" : "in metres");
            }
            edit->setToolTip(base + QStringLiteral("\n(") + extra + QStringLiteral(")"));
        }
    }
}

}  // namespace kestrane::ui

#include "ui/window_guides.h"

#include "core/numbers.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

#include <cmath>
#include <vector>

namespace kestrane::ui {

std::optional<double> EditNumber(const QLineEdit* edit)
{
    const auto value = ParseReal(edit->text().toStdString());
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

void SetTabOrder(QWidget& window, const QStringList& order)
{
    QWidget* previous = nullptr;
    for (const QString& name : order) {
        QWidget* next = window.findChild<QWidget*>(name);
        if (!next)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

void TabIntoCheckedRadio(std::span<QRadioButton* const> group)
{
    const std::vector<QRadioButton*> buttons(group.begin(), group.end());
    const auto follow = [buttons] {
        bool any = false;
        for (QRadioButton* button : buttons)
            any = any || button->isChecked();
        // With none checked every button takes Tab, so the group stays reachable.
        for (QRadioButton* button : buttons)
            button->setFocusPolicy(button->isChecked() || !any ? Qt::StrongFocus : Qt::ClickFocus);
    };
    for (QRadioButton* button : buttons)
        QObject::connect(button, &QRadioButton::toggled, button, follow);
    follow();
}

}  // namespace kestrane::ui

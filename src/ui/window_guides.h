// Guides shared by both windows: the tab order as the eye reads a window,
// and a radio group that Tab enters at its checked button.
#pragma once

#include <QStringList>

#include <optional>
#include <span>

class QLineEdit;
class QRadioButton;
class QWidget;

namespace kestrane::ui {

// The number typed in `edit` ("." decimals, as the generators read it), or
// nothing for text that is not a finite number.
std::optional<double> EditNumber(const QLineEdit* edit);

// Chains the children of `window` named in `order` as its tab order, in
// that order; names without a child are skipped.
void SetTabOrder(QWidget& window, const QStringList& order);

// Tab enters `group` (auto-exclusive radio buttons) at its checked button
// and leaves it at the next control: only the checked button takes Tab
// focus; the others are reached with a click or the arrow keys.
void TabIntoCheckedRadio(std::span<QRadioButton* const> group);

}  // namespace kestrane::ui

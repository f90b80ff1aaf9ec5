// Shows which colour bar has the keyboard focus: while a bar has it, its
// value label is framed. The bars themselves take the focus by click and by
// Tab and move with the arrow keys.
#pragma once

#include <QObject>

class QLabel;
class QScrollBar;

namespace kestrane::ui {

// Lets `bar` take the focus and frames `label` while it has it. The marker
// belongs to the bar.
void MarkFocus(QScrollBar* bar, QLabel* label);

}  // namespace kestrane::ui

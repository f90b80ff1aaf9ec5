// A colour control of the windows: R, G and B scroll bars (0 to 255) with
// their letters and value labels, the sample they paint and, where the
// colour can be switched off, its use box.
#pragma once

#include "core/types.h"

#include <QColor>

class QCheckBox;
class QFrame;
class QLabel;
class QObject;
class QScrollBar;

namespace kestrane::ui {

struct ColorPicker {
    QCheckBox* use = nullptr;  // none: the colour is always used
    QScrollBar* bars[3]{};
    QLabel* letters[3]{};
    QLabel* values[3]{};
    QFrame* sample = nullptr;

    // The colour of the three bars.
    QColor color() const;
    // The bars' colour as the generators take it, and moving the bars to
    // `rgb` (each bar that moves shows its value and repaints the sample).
    ColorRgb rgb() const;
    void setRgb(ColorRgb rgb) const;
    // Paints the sample in color().
    void paintSample() const;
};

// Lets each bar of `picker` take the focus (its letter framed while it has
// it) and makes a moving bar show its value and repaint the sample.
// `picker` must live as long as `context`.
void ConnectColorPicker(QObject* context, const ColorPicker& picker);

}  // namespace kestrane::ui

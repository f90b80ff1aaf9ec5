#include "ui/color_picker.h"

#include "ui/focus_marker.h"
#include "ui/panel.h"

#include <QFrame>
#include <QLabel>
#include <QScrollBar>

namespace kestrane::ui {

QColor ColorPicker::color() const { return QColor(bars[0]->value(), bars[1]->value(), bars[2]->value()); }

ColorRgb ColorPicker::rgb() const
{
    return {Channel(bars[0]->value()), Channel(bars[1]->value()), Channel(bars[2]->value())};
}

void ColorPicker::setRgb(ColorRgb rgb) const
{
    bars[0]->setValue(rgb.r);
    bars[1]->setValue(rgb.g);
    bars[2]->setValue(rgb.b);
}

void ColorPicker::paintSample() const { PaintPanel(sample, color()); }

void ConnectColorPicker(QObject* context, const ColorPicker& picker)
{
    for (int channel = 0; channel < 3; ++channel) {
        MarkFocus(picker.bars[channel], picker.letters[channel]);
        QObject::connect(picker.bars[channel], &QScrollBar::valueChanged, context, [&picker, channel](int value) {
            picker.values[channel]->setText(QString::number(value));
            picker.paintSample();
        });
    }
}

}  // namespace kestrane::ui

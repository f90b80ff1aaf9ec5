// Coloured panels: the colour samples and swatches of both windows.
#pragma once

#include "core/types.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace kestrane::ui {

inline QColor ToQColor(ColorRgb color) { return QColor(color.r, color.g, color.b); }

inline void PaintPanel(QWidget* panel, const QColor& color)
{
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, color);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
}

inline QColor PanelColor(const QWidget* panel) { return panel->palette().color(QPalette::Window); }

// Keeps a scroll-bar position (0 to 255) as a colour channel.
inline std::uint8_t Channel(int position) { return static_cast<std::uint8_t>(position); }

}  // namespace kestrane::ui

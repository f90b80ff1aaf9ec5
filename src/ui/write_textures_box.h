// The "Write textures" box of both windows: after a generation, the starter
// bitmaps the object names that are not in the output folder yet are
// written beside it. Its state is remembered between runs beside the
// output folders.
#pragma once

#include "core/types.h"

#include <QCheckBox>

#include <string>

namespace kestrane::ui {

class WriteTexturesBox : public QCheckBox {
    Q_OBJECT

public:
    // `key` names the window ("house", "terrain"); the box takes `geometry`
    // in its parent.
    WriteTexturesBox(const QString& key, const QRect& geometry, QWidget* parent);
    void applyLanguage(UiLanguage language);

private:
    QString key_;
};

// The run's text about the bitmaps written, on one line for a status bar.
std::string OneLine(std::string text);

}  // namespace kestrane::ui

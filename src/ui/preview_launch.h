// Opening the preview window from the main and the area builder window.
#pragma once

#include "core/types.h"

#include <QRect>
#include <QString>

class QWidget;

namespace kestrane::ui {

// Shows the shared preview window in `language` with `file` (the object the
// calling window generated last; empty: whatever it showed before). The
// preview never blocks the windows: it lives beside them, also beside the
// area builder, which blocks only the main window. Its first opening puts it
// where it leaves `keepVisible` (the calling window's generate button) in
// view.
void ShowPreview(UiLanguage language, const QString& file, const QWidget* keepVisible = nullptr);

// After a generation: a preview window that is open shows the new file.
void RefreshPreview(const QString& file);

// Where a window of `size` goes on `screen` (the available area) so that it
// does not cover `keep`: in the largest part of the screen beside, below or
// above `keep`, at that part's corner nearest `keep`, made smaller when the
// part is smaller. All in global coordinates.
QRect PlaceBeside(const QRect& screen, const QSize& size, const QRect& keep);

}  // namespace kestrane::ui

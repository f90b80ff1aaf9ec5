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
// beside the calling window (the window of `keepVisible`, its generate
// button), or, on a screen too small for that, where it leaves the row of
// buttons of `keepVisible` in view.
void ShowPreview(UiLanguage language, const QString& file, const QWidget* keepVisible = nullptr);

// After a generation: a preview window that is open shows the new file.
void RefreshPreview(const QString& file);

// Where a window of `size` goes on `screen` (the available area) so that it
// does not cover `keep`: in the largest part of the screen beside, below or
// above `keep`, at that part's corner nearest `keep`, made smaller when the
// part is smaller. All in global coordinates.
QRect PlaceBeside(const QRect& screen, const QSize& size, const QRect& keep);

// Where the preview of `size` goes on `screen`: beside `window` (the calling
// window's frame) when at least 480 x 360 of it fits there, else beside
// `buttons` (the calling window's row of buttons).
QRect PlacePreview(const QRect& screen, const QSize& size, const QRect& window, const QRect& buttons);

}  // namespace kestrane::ui

// Opening the preview window from the main and the area builder window.
#pragma once

#include "core/types.h"

#include <QString>

class QWidget;

namespace kestrane::ui {

// Shows the shared preview window in `language` with `file` (the object the
// calling window generated last; empty: whatever it showed before). Opened
// from a modal window it is modal too, so that it takes input.
void ShowPreview(UiLanguage language, const QString& file);

// After a generation: a preview window that is open shows the new file.
void RefreshPreview(const QString& file);

}  // namespace kestrane::ui

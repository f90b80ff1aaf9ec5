#include "ui/preview_launch.h"

#include "preview/preview_window.h"

#include <QApplication>

namespace kestrane::ui {

void ShowPreview(UiLanguage language, const QString& file)
{
    preview::PreviewWindow& window = preview::SharedPreviewWindow();
    const Qt::WindowModality modality = QApplication::activeModalWidget() ? Qt::ApplicationModal : Qt::NonModal;
    if (window.windowModality() != modality) {
        window.hide();  // modality changes only while hidden
        window.setWindowModality(modality);
    }
    window.setLanguage(language);
    window.show();
    window.raise();
    window.activateWindow();
    // Shown first: a large file is read with the window's progress bar.
    if (!file.isEmpty())
        window.openFile(file);
}

void RefreshPreview(const QString& file)
{
    preview::PreviewWindow& window = preview::SharedPreviewWindow();
    if (window.isVisible())
        window.openFile(file);
}

}  // namespace kestrane::ui

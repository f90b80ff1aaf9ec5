// The preview window: shows a B3D object, the last one generated or any
// file opened, with its counts and problems in a status line.
#pragma once

#include "core/types.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace kestrane::preview {

class MeshView;

class PreviewWindow : public QWidget {
    Q_OBJECT

public:
    explicit PreviewWindow(QWidget* parent = nullptr);

    // Reads and shows a B3D file. False when it cannot be read; the status
    // line then says why and the previous object stays.
    bool openFile(const QString& path);
    void setLanguage(UiLanguage language);

    QString statusText() const { return status_->text(); }
    QString currentFile() const { return file_; }
    MeshView* view() const { return view_; }

private:
    void chooseFile();
    void applyTexts();

    UiLanguage language_ = UiLanguage::Hungarian;
    MeshView* view_;
    QPushButton* open_;
    QPushButton* reset_;
    QLabel* status_;
    QString file_;
    QString summary_;  // counts of the shown object, in the current language
};

// Shared by the two main windows: one preview window for the whole run.
PreviewWindow& SharedPreviewWindow();

}  // namespace kestrane::preview

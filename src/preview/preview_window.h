// The preview window: shows a B3D object, the last one generated or any
// file opened, with its counts and problems in a status line.
#pragma once

#include "b3d/b3d_model.h"
#include "core/types.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <memory>

namespace kestrane::preview {

class MeshView;

class PreviewWindow : public QWidget {
    Q_OBJECT

public:
    explicit PreviewWindow(QWidget* parent = nullptr);

    // Reads and shows a B3D file. The file is read on a worker thread while
    // the windows keep answering, with a progress bar and a Cancel button.
    // False when it cannot be read or the reading was cancelled (by the
    // button, by closing the window, by opening another file or by the end
    // of the program); the status line then says why and the previous
    // object stays.
    bool openFile(const QString& path);
    // Shows a model built in the program (a track kit's blocks), named
    // `name` in the status line; its bitmaps are looked up in `folder`.
    // A reading under way is cancelled. The simulator loads each piece on
    // its own: the vertex limit is checked when the files are written.
    void showModel(const b3d::Model& model, const QString& name, const QString& folder);
    void setLanguage(UiLanguage language);
    // Stops the reading under way, if any.
    void cancelLoading();

    QString statusText() const { return status_->text(); }
    QString currentFile() const { return file_; }
    MeshView* view() const { return view_; }
    bool isLoading() const { return loading_ != nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Loading;
    // The counts of the object shown.
    struct Counts {
        std::size_t sections = 0, vertices = 0, faces = 0, problems = 0;
        std::size_t tiles = 0;          // a tile set: how many tiles
        std::size_t largestObject = 0;  // vertices of the largest object the simulator loads
        std::size_t builtInTextures = 0;  // missing bitmaps shown by their built-in starter texture
    };

    void chooseFile();
    void applyTexts();
    void showProgress();
    QString summary() const;

    UiLanguage language_ = UiLanguage::Hungarian;
    MeshView* view_;
    QPushButton* open_;
    QPushButton* reset_;
    QPushButton* cancel_;
    QProgressBar* progress_;
    QLabel* status_;
    QString file_;
    Counts counts_;
    // The last opening's failure, worded in a language; empty after a success.
    std::function<QString(UiLanguage)> failure_;
    std::shared_ptr<Loading> loading_;  // the reading under way
};

// Shared by the two main windows: one preview window for the whole run.
// It is made on first use, in the language last given to
// SetPreviewLanguage.
PreviewWindow& SharedPreviewWindow();
// The interface language switched: the preview, open or not, follows it.
void SetPreviewLanguage(UiLanguage language);

}  // namespace kestrane::preview

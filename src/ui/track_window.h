// The track kit window: the pieces as check boxes, the radius list, the
// cross-section fields grouped by piece, a drawing of the cross-section as
// typed, the preview of consecutive blocks of one radius, the output folder,
// presets, the generate button and a status line.
#pragma once

#include "b3d/b3d_model.h"
#include "track/track_params.h"
#include "ui/generator_dialog.h"

#include <memory>

namespace Ui {
class TrackWindow;
}
class QLabel;

namespace kestrane::ui {

class CrossSectionView;

class TrackWindow : public GeneratorDialog {
    Q_OBJECT

public:
    explicit TrackWindow(QWidget* parent = nullptr);
    ~TrackWindow() override;

    // Sets every caption and hint for `language`, also the language of the
    // next generations.
    void applyLanguage(UiLanguage language);

    // The window's inputs as the generator takes them, and setting them all
    // (a loaded preset).
    TrackInput trackInput() const;
    void setTrackInput(const TrackInput& input);

    CrossSectionView& sectionView() const;

    // What the preview shows: the chosen number of consecutive blocks of the
    // chosen radius, every chosen piece placed as the simulator places it.
    // Throws InputError for inputs the generator refuses.
    b3d::Model kitPreviewModel() const;

public slots:
    // Writes the kit into the output folder, as `kestrane track` does.
    void generate();
    // Shows kitPreviewModel() in the preview window.
    void showKitPreview();

private:
    // The inputs changed: the drawing and the preview's radius list follow.
    void inputsChanged();

    std::unique_ptr<Ui::TrackWindow> ui;
    QString pickedRadius_;   // the radius last picked for the preview
};

}  // namespace kestrane::ui

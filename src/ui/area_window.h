// The area builder window: the terrain inputs, the base colour, the eight
// peak swatches with their colour editor, the generate button and a status
// line.
#pragma once

#include "terrain/terrain_generator.h"
#include "ui/color_picker.h"
#include "ui/generator_dialog.h"

#include <array>
#include <memory>

namespace Ui {
class AreaBuilderWindow;
}
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrane::ui {

class WriteTexturesBox;

class AreaBuilderWindow : public GeneratorDialog {
    Q_OBJECT

public:
    explicit AreaBuilderWindow(QWidget* parent = nullptr);
    ~AreaBuilderWindow() override;

    // Sets every caption and hint of the window for `language`; the
    // language is also the one of the next generations.
    void applyLanguage(UiLanguage language);

    WriteTexturesBox& writeTexturesBox() const { return *writeTextures_; }

    // The swatch the colour editor applies to (1 to 8) and the stored
    // colour of peak k (1 to 8).
    int selectedSwatch() const { return selectedSwatch_; }
    ColorRgb peakColor(int k) const { return peakColors_.at(k - 1); }

    // The window's inputs as the generator takes them.
    TerrainInput terrainInput() const;
    // Sets every input from `input` (a loaded preset): the texts, the base
    // colour and its switch, the peak rows and their swatches, the layout
    // and the heightmap line (open when it has an input). The colour
    // editor and the selected swatch stay as they are.
    void setTerrainInput(const TerrainInput& input);

    // Whether the heightmap line is open (the heightmap button pressed):
    // only then its inputs count.
    bool heightmapOpen() const;
    // The edit box of peak row `row` (1 to 8), column `column` (1 to 4: X, Z, height, width).
    QLineEdit* peakCell(int row, int column) const;

public slots:
    // Writes the terrain into the output folder, as `kestrane terrain` does.
    void generateTerrain();
    // Shows the terrain written last in the preview window.
    void showPreview();
    // A click on peak row k's swatch (1 to 8): the colour editor takes its
    // colour, and the swatch is the selected one.
    void pickSwatch(int k);
    // Shows peak row k's swatch as the selected one.
    void selectSwatch(int k);
    // A click on the editor's sample: the selected swatch takes its colour.
    void applyEditorColor();
    // Opens (the heightmap button pressed) or closes the heightmap line.
    void showHeightmapLine(bool open);
    // Chooses the heightmap file in a file dialog.
    void browseHeightmap();
    // Shows the chosen raster's size, cell size and height range, or why
    // it cannot be read.
    void updateHeightmapInfo();
    // The peak boxes' hints: their grid units and, as they are typed, the
    // position and width in metres (area_window_guides.cpp).
    void updatePeakHints();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finishCreation();
    // The tab order as the eye reads the window, the heightmap button's
    // font, the peak hints' updates.
    void SetUpGuides();
    // The origin boxes' hints: metres, or map coordinates while the map
    // switch is on.
    void updateOriginHints();
    QFrame* swatch(int k) const;
    // Generates on a worker thread while the window keeps handling events
    // and the status line shows the progress of the heightmap read.
    TerrainResult GenerateInBackground(const TerrainInput& input, const std::filesystem::path& folder);

    std::unique_ptr<Ui::AreaBuilderWindow> ui;
    // The terrain's base colour (with its use box) and the peak colour editor.
    enum ColorPart { kBaseColor, kPeakEditor, kColorParts };
    ColorPicker colorPickers_[kColorParts]{};
    QPushButton* cancel_ = nullptr;  // stops a generation in the background
    WriteTexturesBox* writeTextures_ = nullptr;
    TerrainGenerator generator_;  // the grid of the whole run
    std::array<ColorRgb, 8> peakColors_{};
    int selectedSwatch_ = 1;
};

}  // namespace kestrane::ui

// The area builder window: the terrain inputs, the base colour, the eight
// peak swatches with their colour editor, the generate button and a status
// line.
#pragma once

#include "terrain/terrain_generator.h"

#include <QDialog>

#include <array>
#include <memory>

namespace Ui {
class TDombepito;
}
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrane::ui {

class OutputFolderLine;
class WriteTexturesBox;
class StatusPanels;

class TDombepito : public QDialog {
    Q_OBJECT

public:
    explicit TDombepito(QWidget* parent = nullptr);
    ~TDombepito() override;

    // Sets every caption and hint of the window for `language`; the
    // language is also the one of the next generations.
    void ApplyAreaWindowLanguage(UiLanguage language);
    UiLanguage language() const { return language_; }

    // The text of the status line.
    QString statusText() const;
    void setStatusText(const QString& text);
    // The status panels: the status text, and the path and time of the
    // last file written.
    StatusPanels& statusPanels() const { return *statusPanels_; }

    // The output folder line; the terrain file goes to its folder.
    OutputFolderLine& outputFolder() const { return *outputFolder_; }
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
    void GenButtonClick();
    void elonezetgombClick();
    void rtScrollBarChange();
    void gtScrollBarChange();
    void btScrollBarChange();
    void rScrollBarChange();
    void gScrollBarChange();
    void bScrollBarChange();
    void Panel1Click() { PanelClick(1); }
    void Panel2Click() { PanelClick(2); }
    void Panel3Click() { PanelClick(3); }
    void Panel4Click() { PanelClick(4); }
    void Panel5Click() { PanelClick(5); }
    void Panel6Click() { PanelClick(6); }
    void Panel7Click() { PanelClick(7); }
    void Panel8Click() { PanelClick(8); }
    // "Panel-selection change": shows the peak row k's colour panel as the
    // chosen one. The name is kept from the form.
    void Panelselvalt(int k);
    void szinmintaClick();
    void DomborzatGombToggled(bool open);
    void DomborzatTallozoClick();
    // Shows the chosen raster's size, cell size and height range, or why
    // it cannot be read.
    void UpdateHeightmapInfo();
    // The peak boxes' hints: their grid units and, as they are typed, the
    // position and width in metres (area_window_guides.cpp).
    void UpdatePeakHints();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    // The tab order as the eye reads the window, the heightmap button's
    // font, the peak hints' updates.
    void SetUpGuides();
    // The origin boxes' hints: metres, or map coordinates while the map
    // switch is on.
    void UpdateOriginHints();
    void PanelClick(int k);
    QFrame* swatch(int k) const;
    QColor editorColor() const;
    // Generates on a worker thread while the window keeps handling events
    // and the status line shows the progress of the heightmap read.
    TerrainResult GenerateInBackground(const TerrainInput& input, const std::filesystem::path& folder);

    std::unique_ptr<Ui::TDombepito> ui;
    QLabel* statusPanel_ = nullptr;
    StatusPanels* statusPanels_ = nullptr;
    OutputFolderLine* outputFolder_ = nullptr;
    QPushButton* cancel_ = nullptr;  // stops a generation in the background
    WriteTexturesBox* writeTextures_ = nullptr;
    TerrainGenerator generator_;  // the grid of the whole run
    std::array<ColorRgb, 8> peakColors_{};
    int selectedSwatch_ = 1;
    UiLanguage language_ = UiLanguage::English;
    QString lastGenerated_;  // the terrain file this window wrote last
};

}  // namespace kestrane::ui

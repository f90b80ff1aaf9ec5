// The main window: the house builder, its colour pickers, the language
// buttons and the button that opens the area builder.
#pragma once

#include "house/house_params.h"
#include "ui/color_picker.h"
#include "ui/language_tables.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class MainWindow;
}
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;
class QKeyEvent;

namespace kestrane::ui {

class AreaBuilderWindow;
class OutputFolderLine;
class WriteTexturesBox;
class StatusPanels;

// The maker's web page: the web label's address until the update check
// announces a download address.
inline constexpr const char* kMakerWebPage = "http://kestrane.example/";

class MainWindow : public QWidget {
    Q_OBJECT

public:
    // Runs at the end of the window's creation once the language, the
    // labels and the colour samples are in place: starts the update check.
    // Not run when the start-up language switch fails. Set it before the
    // window is created.
    static std::function<void(MainWindow&)>& UpdateCheckStarter();
    // Opens a web address in the browser (the web label's click); by default
    // http and https addresses through QDesktopServices.
    static std::function<void(const QString&)>& BrowserOpener();
    // Shows the area builder window modally; by default QDialog::exec.
    static std::function<void(AreaBuilderWindow&)>& ModalShower();

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The area builder window that openAreaBuilder shows.
    void setAreaWindow(AreaBuilderWindow* window) { areaWindow_ = window; }
    AreaBuilderWindow* areaWindow() const { return areaWindow_; }

    UiLanguage language() const { return language_; }

    // The text of the status bar's first panel.
    QString statusText() const;
    void setStatusText(const QString& text);
    // Shows a status text that follows the language: `text` gives it in
    // either language, and a language switch shows it anew.
    void setStatusSource(std::function<QString(UiLanguage)> text);
    // The status panels: the status text, and the path and time of the
    // last file written.
    StatusPanels& statusPanels() const { return *statusPanels_; }

    // The output folder line; the house files go to its folder.
    OutputFolderLine& outputFolder() const { return *outputFolder_; }
    WriteTexturesBox& writeTexturesBox() const { return *writeTextures_; }

    // The web label and the address its click opens.
    QLabel* webLabel() const;
    // The generate button (the preview opens beside it).
    QPushButton* generateButton() const;
    QString webAddress() const { return webAddress_; }
    void setWebAddress(const QString& address) { webAddress_ = address; }

    // The window's inputs as the house generator takes them.
    HouseInput houseInput() const;
    // Sets every input from `input` (a loaded preset), as the user would:
    // the roof button's click enables its controls, the labels follow the
    // bars, the facade box opens the facade area.
    void setHouseInput(const HouseInput& input);

    // The colour use switches (walls, roof, chimney, stairs): their boxes.
    bool useWallColor() const;
    bool useRoofColor() const;
    bool useChimneyColor() const;
    bool useStairColor() const;

    // Switches the interface language: rewrites lang.cfg, then relabels the
    // window. Returns false (after reporting the failure) when lang.cfg
    // cannot be written; the language and the texts are then unchanged.
    bool SwitchLanguage(UiLanguage language);

public slots:
    // Enables the controls that the checked roof kind uses (every roof
    // button's click).
    void enableRoofControls();

    // The labels beside the chimney and stair sliders follow them.
    void chimneySizeChanged();
    void stairStepsChanged();
    void stairFrontChanged();
    void stairSideChanged();
    void stairCornerChanged();

    // Shows the area builder window.
    void openAreaBuilder();
    // Opens the track kit window (made at the first click, a child of this window).
    void openTrackKit();
    // Writes the house file of the window's inputs and reports it in the status.
    void generateHouse();
    void switchToHungarian() { SwitchLanguage(UiLanguage::Hungarian); }
    void switchToEnglish() { SwitchLanguage(UiLanguage::English); }
    // Opens the web label's address in the browser.
    void openWebAddress();
    // Shows the house file written last in the preview.
    void showPreview();
    // Facades on: the window grows by the facade area, which is enabled;
    // facades off: the area is disabled.
    void updateFacadeArea();
    // Brings the guides up to date with the window's inputs and language
    // (main_window_guides.cpp).
    void UpdateGuides();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Enter generates, as the area builder's Enter does; on a focused button
    // it presses that button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // One colour picker: its use box, three bars (R, G, B) with their
    // letters and value labels, and its sample panel.
    enum ColorPart { kWallColor, kRoofColor, kChimneyColor, kStairColor, kColorParts };

    // The last steps of the window's creation: the language, the labels
    // and the colour samples; then the update check.
    void finishCreation();
    // The guides beside the fixed texts: the tab order, the chimney
    // size beside its bare caption, the corner size's caption (enabled only
    // with a corner wall ticked), the defaults of empty boxes as
    // placeholders, the wall height the storeys need.
    void SetUpGuides();
    FacadeInput facadeInput() const;
    // Sets the facade area's inputs; facades on grow the window as a click
    // on their box does.
    void setFacadeInput(const FacadeInput& facades);
    void ApplyFacadeLanguage(UiLanguage language);

    std::unique_ptr<Ui::MainWindow> ui;
    QLabel* statusPanel_ = nullptr;
    StatusPanels* statusPanels_ = nullptr;
    OutputFolderLine* outputFolder_ = nullptr;
    WriteTexturesBox* writeTextures_ = nullptr;
    std::function<QString(UiLanguage)> statusSource_;  // empty: the text stays in a switch
    AreaBuilderWindow* areaWindow_ = nullptr;
    QLabel* chimneyValue_ = nullptr;
    bool cornerSizeForRoof_ = true;  // the checked roof allows corner walls

    UiLanguage language_ = UiLanguage::English;
    QString webAddress_;
    QString lastGenerated_;  // the house file this window wrote last
    PlacementTable frontSidePlacements_{};
    PlacementTable cornerPlacements_{};

    // The colour pickers, in the order of ColorPart.
    ColorPicker colorPickers_[kColorParts]{};
};

}  // namespace kestrane::ui

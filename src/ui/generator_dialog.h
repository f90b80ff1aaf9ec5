// What the area builder and the track kit window share: a dialog that
// generates files into its output folder line, reports on its status bar
// (the status panel and the panel of the last file written), keeps its
// interface language and has the preset buttons.
#pragma once

#include "core/types.h"
#include "ui/generation_report.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <string_view>

class QLabel;
class QPushButton;
class QRect;
class QStatusBar;

namespace kestrane::ui {

class OutputFolderLine;
class StatusPanels;

class GeneratorDialog : public QDialog {
public:
    UiLanguage language() const { return language_; }

    // The text of the status line.
    QString statusText() const;
    void setStatusText(const QString& text);
    // The status panels: the status text, and the path and time of the
    // last file written.
    StatusPanels& statusPanels() const { return *statusPanels_; }
    // The output folder line; the files go to its folder.
    OutputFolderLine& outputFolder() const { return *outputFolder_; }

protected:
    explicit GeneratorDialog(QWidget* parent);

    // The status panels in `bar` (named `panelName`) and the output folder
    // line at `folderGeometry`, its folder remembered under `key`.
    void setUpOutput(QStatusBar* bar, const QString& panelName, const QString& key, const QRect& folderGeometry);
    // The preset buttons: `json` gives the window's inputs as a preset,
    // `apply` sets them. With `reportOnStatus` a saved preset and the output
    // folder line report on the status line.
    void setUpPresets(QPushButton* save, QPushButton* load, std::function<std::string()> json,
                      std::function<void(std::string_view)> apply, bool reportOnStatus);
    // Runs a generation as GenerateAndReport does, the outcome on the status
    // line; a written file shows in the status bar's second panel.
    GenerationOutcome generateAndShow(const std::function<Generated()>& generate);

    QLabel* statusPanel_ = nullptr;
    StatusPanels* statusPanels_ = nullptr;
    OutputFolderLine* outputFolder_ = nullptr;
    UiLanguage language_ = UiLanguage::English;
    QString lastGenerated_;  // the file this window wrote last
};

}  // namespace kestrane::ui

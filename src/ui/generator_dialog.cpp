#include "ui/generator_dialog.h"

#include "ui/output_folder.h"
#include "ui/preset_buttons.h"
#include "ui/status_panels.h"

#include <QDateTime>
#include <QLabel>

namespace kestrane::ui {

GeneratorDialog::GeneratorDialog(QWidget* parent) : QDialog(parent) {}

QString GeneratorDialog::statusText() const { return statusPanel_->text(); }

void GeneratorDialog::setStatusText(const QString& text) { statusPanel_->setText(text); }

void GeneratorDialog::setUpOutput(QStatusBar* bar, const QString& panelName, const QString& key,
                                  const QRect& folderGeometry)
{
    statusPanels_ = new StatusPanels(bar, panelName);
    statusPanel_ = statusPanels_->panel();
    outputFolder_ = new OutputFolderLine(key, folderGeometry, this);
}

void GeneratorDialog::setUpPresets(QPushButton* save, QPushButton* load, std::function<std::string()> json,
                                   std::function<void(std::string_view)> apply, bool reportOnStatus)
{
    std::function<void(const QString&)> report;
    if (reportOnStatus) {
        report = [this](const QString& text) { setStatusText(text); };
        outputFolder_->setReporter(report);
    }
    new PresetButtons(save, load, std::move(json), std::move(apply), [this] { return language_; }, report);
}

GenerationOutcome GeneratorDialog::generateAndShow(const std::function<Generated()>& generate)
{
    const GenerationOutcome outcome =
        GenerateAndReport(*this, [this](const QString& text) { setStatusText(text); }, generate, lastGenerated_);
    if (outcome == GenerationOutcome::Written)
        statusPanels_->showWritten(lastGenerated_, QDateTime::currentDateTime());
    return outcome;
}

}  // namespace kestrane::ui

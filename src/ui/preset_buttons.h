// The Save preset… and Load preset… buttons of both windows: they write
// every input of the window to a small JSON file and read one back (the
// command line's --preset and batch files take the same files).
#pragma once

#include "core/types.h"

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <string_view>

class QPushButton;
class QWidget;

namespace kestrane::ui {

class PresetButtons : public QObject {
    Q_OBJECT

public:
    // Asks for the file to save to (`save`) or to load; by default the
    // platform's file dialogs. An empty answer does nothing.
    using Chooser = std::function<QString(QWidget* parent, bool save, const QString& title, const QString& filter)>;
    static Chooser& FileChooser();

    // `json` gives the window's inputs as preset JSON; `apply` sets them
    // from preset JSON and throws PresetError, before it changes anything,
    // for a preset it refuses. `language` is the window's language;
    // `report` shows where a preset was saved (the window's status).
    PresetButtons(QPushButton* save, QPushButton* load, std::function<std::string()> json,
                  std::function<void(std::string_view)> apply, std::function<UiLanguage()> language,
                  std::function<void(const QString&)> report = {});

public slots:
    void savePreset();
    void loadPreset();

private:
    QString askFile(bool save) const;

    QPushButton* save_;
    QPushButton* load_;
    std::function<std::string()> json_;
    std::function<void(std::string_view)> apply_;
    std::function<UiLanguage()> language_;
    std::function<void(const QString&)> report_;
};

}  // namespace kestrane::ui

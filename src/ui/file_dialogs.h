// The file dialogs of every window: preset load and save, the output
// folder, the heightmap, the preview's Open. Built in one place so that
// they all look alike: where Qt draws the dialog itself (no native dialog
// on the desktop), its detail columns are as wide as their texts
// ("171.29 KiB", the date) and the name column takes the rest.
#pragma once

#include <QString>

#include <memory>

class QFileDialog;
class QWidget;

namespace kestrane::ui {

enum class FileDialogKind {
    OpenFile,  // an existing file
    SaveFile,  // a file name to write, existing or not
    Folder,    // an existing folder
};

// A dialog of `kind` titled `title`, opening at `start` (a folder, or a
// file in it), with `filter` ("Presets (*.json)", ";;" between filters).
// Not shown yet.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, FileDialogKind kind, const QString& title,
                                            const QString& start, const QString& filter = {});

// Runs a dialog of MakeFileDialog modally: the chosen path, empty when
// cancelled.
QString ChooseWithFileDialog(QWidget* parent, FileDialogKind kind, const QString& title, const QString& start,
                             const QString& filter = {});

}  // namespace kestrane::ui

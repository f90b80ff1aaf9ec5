// The output folder line of both windows: where the generated files go, a
// button to choose another folder and one that shows it in the desktop's
// file manager. The folder chosen is remembered between runs; until one is
// chosen the files go to the working folder (where lang.cfg stays).
// Beside the folder, the format the files are written in: B3D (the
// default), the simulator's CSV object or OBJ with its MTL; the window's
// presets hold it.
#pragma once

#include "b3d/object_format.h"
#include "core/types.h"

#include <QString>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrane::ui {

// The file that remembers the chosen folders: output_folders.ini in the
// application's configuration folder (QStandardPaths::AppConfigLocation).
QString OutputFolderSettingsFile();

// A value remembered in that file under `key` (empty: none), and storing
// one: the file is read bounded, as a regular file only, and replaced as a
// whole, never written through a link.
QString RememberedSetting(const QString& key);
void RememberSetting(const QString& key, const QString& value);

class OutputFolderLine : public QWidget {
    Q_OBJECT

public:
    // Asks for a folder (the Browse button); by default the platform's folder
    // dialog. An empty answer keeps the folder.
    using Chooser = std::function<QString(QWidget* parent, const QString& title, const QString& start)>;
    static Chooser& FolderChooser();

    // `key` names the window among the remembered folders ("house",
    // "terrain"). The line takes `geometry` in its parent: the caption and
    // the two buttons as wide as their longer text in either language, the
    // folder box the rest.
    OutputFolderLine(const QString& key, const QRect& geometry, QWidget* parent);

    // The folder the next file goes to: the chosen one, or the working
    // folder. Absolute.
    QString folder() const;
    std::filesystem::path folderPath() const;
    bool followsWorkingFolder() const { return chosen_.isEmpty(); }

    // Chooses `folder` (absolute or relative to the working folder), shows
    // and remembers it.
    void setFolder(const QString& folder);

    // The format chosen in the combo box.
    ObjectFormat format() const;
    void setFormat(ObjectFormat format);

    void applyLanguage(UiLanguage language);

    // Shows a folder in the file manager; false when nothing could open it.
    // By default QDesktopServices with a file:// address.
    static std::function<bool(const QString& folder)>& FolderOpener();
    // Where the line reports what the user should know (the calling
    // window's status).
    void setReporter(std::function<void(const QString&)> report) { report_ = std::move(report); }

public slots:
    void browse();
    // Shows the folder in the desktop's file manager (a file:// address).
    void openFolder();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showFolder();

    QString key_;
    QString chosen_;  // empty: the working folder
    UiLanguage language_ = UiLanguage::Hungarian;
    QLabel* caption_;
    QLineEdit* edit_;
    QPushButton* browse_;
    QPushButton* open_;
    QComboBox* format_;
    std::function<void(const QString&)> report_;
};

// What the status adds for files written in another format than B3D:
// " Fájlok: a.csv" / " Files: a.obj, a.mtl" (an OBJ file with its MTL),
// the first and the last of a longer list ("a_001.csv … a_012.csv (12)");
// empty for B3D.
std::string WrittenFilesNote(ObjectFormat format, const std::vector<std::string>& names, UiLanguage language);

}  // namespace kestrane::ui

// Helpers of the window tests: a fresh current folder per test, error
// reports collected instead of shown, and controls looked up by name.
#pragma once

#include "ui/message_box.h"
#include "ui/main_window.h"
#include "ui/output_folder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace kestrane::ui::test {

struct Report {
    QString title;
    QString text;
};

// Makes a fresh temporary folder the current folder (lang.cfg and the
// generated files land there), collects the error reports and notices of
// the windows, and keeps the remembered output folders in Qt's test
// settings, starting with none. Everything is restored at destruction.
class WindowFolder {
public:
    WindowFolder() : previous_(QDir::currentPath())
    {
        QDir::setCurrent(folder_.path());
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(OutputFolderSettingsFile());
        MessageBoxFunction() = [this](QWidget*, const QString& title, const QString& text) {
            reports.push_back({title, text});
        };
        NoticeFunction() = [this](QWidget*, const QString& title, const QString& text) {
            notices.push_back({title, text});
        };
        MainWindow::ModalShower() = [this](AreaBuilderWindow&) { ++modalShows; };
        MainWindow::UpdateCheckStarter() = [this](MainWindow&) { ++updateChecks; };
    }
    ~WindowFolder()
    {
        QDir::setCurrent(previous_);
        QFile::remove(OutputFolderSettingsFile());
        MessageBoxFunction() = {};
        NoticeFunction() = {};
        MainWindow::ModalShower() = {};
        MainWindow::UpdateCheckStarter() = {};
    }
    WindowFolder(const WindowFolder&) = delete;
    WindowFolder& operator=(const WindowFolder&) = delete;

    QString path() const { return folder_.path(); }
    QString file(const QString& name) const { return folder_.filePath(name); }

    QByteArray read(const QString& name) const
    {
        QFile file(folder_.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(folder_.filePath(name));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    }
    bool exists(const QString& name) const { return QFile::exists(folder_.filePath(name)); }

    std::vector<Report> reports;
    std::vector<Report> notices;
    int modalShows = 0;
    int updateChecks = 0;

private:
    QTemporaryDir folder_;
    QString previous_;
};

// The child of `window` with the object name `name`, of kind T; a missing
// control ends the test program with a message naming it.
template <class T>
T* Child(const QWidget& window, const QString& name)
{
    T* child = window.findChild<T*>(name);
    if (!child) {
        std::fprintf(stderr, "no control %s of the expected kind\n", qPrintable(name));
        std::abort();
    }
    return child;
}

}  // namespace kestrane::ui::test

// Writes pictures of the windows in both languages: main_hu.png,
// main_en.png, area_hu.png, area_en.png, track_hu.png and track_en.png into the folder given as the
// first argument (default: docs/screenshots). Runs headless with
// QT_QPA_PLATFORM=offscreen. lang.cfg is written into a temporary folder.
#include "ui/area_window.h"
#include "ui/main_window.h"
#include "ui/track_window.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString target = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots"))
                               .absolutePath();
    if (!QDir().mkpath(target)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(target));
        return 1;
    }
    QTemporaryDir work;
    QDir::setCurrent(work.path());

    kestrane::ui::MainWindow mainWindow;
    kestrane::ui::AreaBuilderWindow areaWindow(&mainWindow);
    mainWindow.setAreaWindow(&areaWindow);
    kestrane::ui::MainWindow::ModalShower() = [](kestrane::ui::AreaBuilderWindow&) {};

    const auto save = [&](QWidget& window, const QString& name) {
        window.show();
        QApplication::processEvents();
        const QString path = QDir(target).filePath(name);
        if (!window.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return false;
        }
        std::printf("%s\n", qPrintable(path));
        return true;
    };
    bool ok = true;
    mainWindow.switchToHungarian();
    mainWindow.openAreaBuilder();
    ok = save(mainWindow, QStringLiteral("main_hu.png")) && ok;
    ok = save(areaWindow, QStringLiteral("area_hu.png")) && ok;
    kestrane::ui::TrackWindow trackWindow(&mainWindow);
    trackWindow.applyLanguage(kestrane::UiLanguage::Hungarian);
    ok = save(trackWindow, QStringLiteral("track_hu.png")) && ok;
    mainWindow.switchToEnglish();
    mainWindow.openAreaBuilder();
    ok = save(mainWindow, QStringLiteral("main_en.png")) && ok;
    ok = save(areaWindow, QStringLiteral("area_en.png")) && ok;
    trackWindow.applyLanguage(kestrane::UiLanguage::English);
    ok = save(trackWindow, QStringLiteral("track_en.png")) && ok;
    return ok ? 0 : 1;
}

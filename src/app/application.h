// The start-up and the end of a run of the window program.
//
// KestraneBuilderApp is the whole start-up in one object, so that the entry
// point and the tests run the same code:
//   1. the application title;
//   2. the hooks of the main window: its last creation step starts the
//      update check, its web label opens the browser;
//   3. the main window MainWindow (its creation restores the language from
//      lang.cfg, rewrites the file, paints the colour samples and starts the
//      update check);
//   4. the area builder window AreaBuilderWindow (object name TDombepito), hidden, a child of the main
//      window;
//   5. the main window is shown; exec() runs the message loop.
//
// The run ends when the main window is closed: the message loop stops even
// while other windows (a preview) are still open, and those are closed too.
// SIGTERM, SIGINT and SIGHUP (a desktop session ending, Ctrl+C in a
// terminal) close the main window the same way, through the message loop,
// and exec() returns 0; that holds in every state of the windows, also
// while a modal message box, the modal area builder or the preview is open.
// Should the orderly end not be over within kForcedEndDelay of the signal
// (the user-interface thread stuck in a long computation or a blocking
// read), the process ends at once, its pending temporary files removed,
// with exit code 128 + the signal number. The destructor stops the update
// check before the windows go, so a download in progress never outlives
// them.
#pragma once

#include <QObject>

#include <chrono>
#include <memory>

class QSocketNotifier;

namespace kestrane::ui {
class AreaBuilderWindow;
class MainWindow;
}  // namespace kestrane::ui

// The window program's shell: start-up and end of a run, the update check,
// the browser launch.
namespace kestrane::app {

class UpdateCheck;

// The product name, the application title.
inline constexpr char kApplicationTitle[] = "Kestrane Builder";

// How long the orderly end after a termination signal may take in the
// window program (a TerminationSignals may be given a shorter one).
inline constexpr std::chrono::seconds kForcedEndDelay{4};

// Turns the termination signals of the process into a Qt signal on the
// thread that created it: the handlers only write a byte into a socket pair,
// whose other end a socket notifier watches. The first signal also sets an
// alarm (SIGALRM) for the forced-end delay (kForcedEndDelay unless given;
// whole seconds, at least one), whose handler removes the pending
// temporary files and ends the process; the destruction of the instance
// cancels it. One instance at a time; the previous handlers come back at
// destruction. Signals that were ignored when
// the process started (SIGINT, SIGHUP under nohup) stay ignored. Does nothing
// on systems without POSIX signals.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr,
                                std::chrono::seconds forcedEndDelay = kForcedEndDelay);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // True when the handlers are in place.
    bool isActive() const { return notifier_ != nullptr; }

    // How long after the first signal the process is ended at the latest.
    std::chrono::seconds forcedEndDelay() const { return forcedEndDelay_; }

signals:
    // A termination signal arrived (several at once are reported once).
    void received();

private:
    void drain();

    std::chrono::seconds forcedEndDelay_;
    int fds_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    struct SavedHandlers;
    std::unique_ptr<SavedHandlers> saved_;
};

class KestraneBuilderApp : public QObject {
    Q_OBJECT

public:
    // Runs the start-up. A QApplication must exist.
    KestraneBuilderApp();
    // Stops the update check, then destroys the windows and puts the
    // previous window hooks back.
    ~KestraneBuilderApp() override;
    KestraneBuilderApp(const KestraneBuilderApp&) = delete;
    KestraneBuilderApp& operator=(const KestraneBuilderApp&) = delete;

    // The message loop, until the main window is closed or a termination
    // signal arrives. Returns the exit code of the process (0 after a
    // signal, too).
    int exec();

    ui::MainWindow& mainWindow() { return *mainWindow_; }
    ui::AreaBuilderWindow& areaWindow() { return *areaWindow_; }

    // The update check the main window started; null when its creation
    // stopped before that step (lang.cfg could not be written).
    UpdateCheck* updateCheck() const { return updateCheck_; }

    // True when termination signals end the run (POSIX systems).
    bool watchesTerminationSignals() const { return signals_ != nullptr && signals_->isActive(); }

    // True once a termination signal has been handled.
    bool terminationRequested() const { return terminationRequested_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct SavedHooks;

    void endRun();
    void onTerminationSignal();

    std::unique_ptr<SavedHooks> savedHooks_;
    TerminationSignals* signals_ = nullptr;
    std::unique_ptr<ui::MainWindow> mainWindow_;
    ui::AreaBuilderWindow* areaWindow_ = nullptr;  // a child of the main window
    UpdateCheck* updateCheck_ = nullptr;    // a child of the main window
    bool terminationRequested_ = false;
    bool ending_ = false;
};

}  // namespace kestrane::app

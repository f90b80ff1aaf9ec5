// The start-up and the end of a run of the window program.
#include "app/application.h"

#include "app/browser.h"
#include "app/update_check.h"
#include "core/replacing_file.h"
#include "ui/area_window.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMetaObject>
#include <QSocketNotifier>
#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <functional>
#include <iterator>
#include <memory>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace kestrane::app {

namespace {

// The main window as the update check sees it.
class MainWindowHost : public UpdateCheckHost {
public:
    explicit MainWindowHost(ui::MainWindow& window) : window_(window) {}

    UiLanguage language() const override { return window_.language(); }
    void setStatusText(const QString& text) override { window_.setStatusText(text); }
    void announceNewVersion(const QString& labelCaption, const QString& webAddress) override
    {
        window_.webLabel()->setText(labelCaption);
        if (!webAddress.isEmpty())
            window_.setWebAddress(webAddress);
    }

private:
    ui::MainWindow& window_;
};

// The object AttachUpdateCheck hangs under the main window.
constexpr char kAttachedUpdateCheckName[] = "kestraneUpdateCheck";

#ifdef Q_OS_UNIX

constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr std::size_t kSignalCount = std::size(kTerminationSignals);

// The writing end of the active socket pair, -1 when none is active.
std::atomic<int> signalWriteEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

// The forced-end delay of the active instance, in seconds.
std::atomic<unsigned> forcedEndSeconds{static_cast<unsigned>(kForcedEndDelay.count())};
static_assert(std::atomic<unsigned>::is_always_lock_free);

// The first termination signal of the run, 0 before one came.
std::atomic<int> firstTerminationSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void WriteTerminationByte(int signal)
{
    // Only async-signal-safe calls here: the byte wakes the message loop,
    // and the alarm ends the process should the loop not get to it.
    const int savedErrno = errno;
    int none = 0;
    if (firstTerminationSignal.compare_exchange_strong(none, signal))
        ::alarm(forcedEndSeconds.load(std::memory_order_relaxed));
    const int fd = signalWriteEnd.load(std::memory_order_relaxed);
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

extern "C" void ForceEnd(int)
{
    RemovePendingTemporaryFiles();
    ::_exit(128 + firstTerminationSignal.load());
}

bool MakeNonBlockingAndCloseOnExec(int fd)
{
    const int statusFlags = ::fcntl(fd, F_GETFL);
    const int descriptorFlags = ::fcntl(fd, F_GETFD);
    return statusFlags != -1 && descriptorFlags != -1 &&
           ::fcntl(fd, F_SETFL, statusFlags | O_NONBLOCK) != -1 &&
           ::fcntl(fd, F_SETFD, descriptorFlags | FD_CLOEXEC) != -1;
}

#endif

}  // namespace

// --- TerminationSignals ---------------------------------------------------

#ifdef Q_OS_UNIX

struct TerminationSignals::SavedHandlers {
    struct sigaction previous[kSignalCount] = {};
    bool installed[kSignalCount] = {};
    struct sigaction previousAlarm = {};
    bool alarmInstalled = false;
};

TerminationSignals::TerminationSignals(QObject* parent, std::chrono::seconds forcedEndDelay)
    : QObject(parent), forcedEndDelay_(std::max(forcedEndDelay, std::chrono::seconds{1}))
{
    if (signalWriteEnd.load() != -1) {
        qWarning("Kestrane: termination signals are already being watched");
        return;
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds_) != 0) {
        fds_[0] = fds_[1] = -1;
        return;
    }
    if (!MakeNonBlockingAndCloseOnExec(fds_[0]) || !MakeNonBlockingAndCloseOnExec(fds_[1])) {
        ::close(fds_[0]);
        ::close(fds_[1]);
        fds_[0] = fds_[1] = -1;
        return;
    }
    notifier_ = new QSocketNotifier(fds_[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::drain);
    signalWriteEnd.store(fds_[0]);

    saved_ = std::make_unique<SavedHandlers>();
    forcedEndSeconds.store(static_cast<unsigned>(forcedEndDelay_.count()));
    firstTerminationSignal.store(0);
    struct sigaction forcedEnd = {};
    forcedEnd.sa_handler = ForceEnd;
    sigfillset(&forcedEnd.sa_mask);
    saved_->alarmInstalled = ::sigaction(SIGALRM, &forcedEnd, &saved_->previousAlarm) == 0;
    for (std::size_t i = 0; i < kSignalCount; ++i) {
        const int signal = kTerminationSignals[i];
        struct sigaction current = {};
        if (::sigaction(signal, nullptr, &current) != 0)
            continue;
        // Started with the signal ignored (nohup, a background job): keep it so.
        if (signal != SIGTERM && current.sa_handler == SIG_IGN)
            continue;
        struct sigaction handler = {};
        handler.sa_handler = WriteTerminationByte;
        sigemptyset(&handler.sa_mask);
        handler.sa_flags = SA_RESTART;
        if (::sigaction(signal, &handler, &saved_->previous[i]) == 0)
            saved_->installed[i] = true;
    }
}

TerminationSignals::~TerminationSignals()
{
    if (saved_) {
        for (std::size_t i = 0; i < kSignalCount; ++i) {
            if (saved_->installed[i])
                ::sigaction(kTerminationSignals[i], &saved_->previous[i], nullptr);
        }
        // The run has ended in order: no forced end any more.
        ::alarm(0);
        firstTerminationSignal.store(0);
        if (saved_->alarmInstalled)
            ::sigaction(SIGALRM, &saved_->previousAlarm, nullptr);
    }
    if (notifier_ == nullptr)
        return;
    signalWriteEnd.store(-1);
    delete notifier_;
    notifier_ = nullptr;
    ::close(fds_[0]);
    ::close(fds_[1]);
}

void TerminationSignals::drain()
{
    char bytes[64];
    while (::read(fds_[1], bytes, sizeof bytes) > 0) {
    }
    emit received();
}

#else

struct TerminationSignals::SavedHandlers {};

TerminationSignals::TerminationSignals(QObject* parent, std::chrono::seconds forcedEndDelay)
    : QObject(parent), forcedEndDelay_(std::max(forcedEndDelay, std::chrono::seconds{1}))
{
}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::drain() {}

#endif

// --- KestraneBuilderApp ---------------------------------------------------

struct KestraneBuilderApp::SavedHooks {
    std::function<void(ui::MainWindow&)> updateCheckStarter;
    std::function<void(const QString&)> browserOpener;
};

KestraneBuilderApp::KestraneBuilderApp()
    : savedHooks_(std::make_unique<SavedHooks>(
          SavedHooks{ui::MainWindow::UpdateCheckStarter(), ui::MainWindow::BrowserOpener()}))
{
    // The application title.
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));

    // A signal may come at any time from here on, also while the main
    // window's creation shows an error report.
    signals_ = new TerminationSignals(this);
    connect(signals_, &TerminationSignals::received, this, &KestraneBuilderApp::onTerminationSignal);

    // The last step of the main window's creation starts the update check;
    // the web label opens its address in the browser.
    ui::MainWindow::UpdateCheckStarter() = [this](ui::MainWindow& window) {
        updateCheck_ = &AttachUpdateCheck(window, std::make_unique<MainWindowHost>(window));
    };
    ui::MainWindow::BrowserOpener() = [](const QString& address) { OpenInBrowser(address); };

    // The main window: its creation restores the language and starts the
    // update check.
    mainWindow_ = std::make_unique<ui::MainWindow>();
    mainWindow_->installEventFilter(this);

    // The area builder window, hidden until the main window opens it.
    areaWindow_ = new ui::AreaBuilderWindow(mainWindow_.get());
    mainWindow_->setAreaWindow(areaWindow_);

    if (!terminationRequested_)
        mainWindow_->show();
}

KestraneBuilderApp::~KestraneBuilderApp()
{
    if (mainWindow_) {
        mainWindow_->removeEventFilter(this);
        // The update check first: its download ends and it no longer calls
        // the window, then the windows go.
        delete mainWindow_->findChild<QObject*>(QString::fromLatin1(kAttachedUpdateCheckName),
                                                Qt::FindDirectChildrenOnly);
        updateCheck_ = nullptr;
        mainWindow_->setAreaWindow(nullptr);
        mainWindow_.reset();
        areaWindow_ = nullptr;
    }
    ui::MainWindow::UpdateCheckStarter() = savedHooks_->updateCheckStarter;
    ui::MainWindow::BrowserOpener() = savedHooks_->browserOpener;
}

int KestraneBuilderApp::exec()
{
    // Closed (or asked to stop) before the message loop could run.
    if (terminationRequested_ || !mainWindow_->isVisible())
        return 0;
    return QApplication::exec();
}

bool KestraneBuilderApp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mainWindow_.get() && event->type() == QEvent::Close) {
        // Whether the window really closes is known once the event has been
        // handled.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (mainWindow_ && !mainWindow_->isVisible())
                    endRun();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void KestraneBuilderApp::endRun()
{
    // Closing the main window ends the run, whatever other windows are
    // still open; those are closed with it.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void KestraneBuilderApp::onTerminationSignal()
{
    terminationRequested_ = true;
    if (mainWindow_)
        mainWindow_->close();
    endRun();
}

}  // namespace kestrane::app

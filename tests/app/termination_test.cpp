// A termination signal ends the window program in every state of its
// windows: while a modal message box, the modal area builder or the preview
// (OpenGL, hence Xvfb) is open, the run ends in order through the message
// loop. When the user-interface thread is stuck and cannot get there, the
// process still ends after a short delay, without leaving a temporary file.
#include "app/application.h"
#include "core/replacing_file.h"
#include "ui/area_window.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrane::app {
namespace {

constexpr int kLoopTimeoutMs = 10000;

// The stuck child's forced-end delay: shorter than the program's, so the
// test does not wait for that.
constexpr std::chrono::seconds kStuckDelay{1};

using SignalHandler = void (*)(int);

SignalHandler CurrentHandler(int signal)
{
    struct sigaction current = {};
    return ::sigaction(signal, nullptr, &current) == 0 ? current.sa_handler : nullptr;
}

bool PreviewIsUp()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->inherits("kestrane::preview::PreviewWindow"))
            return true;
    }
    return false;
}

// Raises `signal` as soon as `isUp` holds, polled by the message loop that
// runs at that moment (a modal window's own loop, where there is one).
template <typename Condition>
void RaiseWhen(int signal, Condition isUp)
{
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, signal, isUp] {
        if (!isUp())
            return;
        poll->stop();
        poll->deleteLater();
        std::raise(signal);
    });
    poll->start(20);
}

}  // namespace

class TerminationTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void endsTheRunInEveryWindowState_data();
    void endsTheRunInEveryWindowState();
    void aStuckRunEndsAfterTheDelay();
    void theProgramsDelayIsTheDefault();

private:
    std::optional<QTemporaryDir> folder_;
    QString previousFolder_;
};

void TerminationTest::init()
{
    // The update check fails at once: nothing listens on port 9 here.
    qputenv("KESTRANE_VERSION_URL", "http://127.0.0.1:9/velkor.ver");
    folder_.emplace();
    QVERIFY(folder_->isValid());
    previousFolder_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder_->path()));
}

void TerminationTest::cleanup()
{
    QDir::setCurrent(previousFolder_);
    folder_.reset();
    qunsetenv("KESTRANE_VERSION_URL");
}

void TerminationTest::endsTheRunInEveryWindowState_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("signal");
    for (const char* state : {"message box", "area builder", "preview", "preview over the area builder"}) {
        QTest::addRow("%s, SIGTERM", state) << QString::fromLatin1(state) << SIGTERM;
        QTest::addRow("%s, SIGHUP", state) << QString::fromLatin1(state) << SIGHUP;
    }
    QTest::addRow("area builder, SIGINT") << QStringLiteral("area builder") << SIGINT;
}

void TerminationTest::endsTheRunInEveryWindowState()
{
    QFETCH(QString, state);
    QFETCH(int, signal);
    const SignalHandler before = CurrentHandler(signal);
    if (before == SIG_IGN)
        QSKIP("the signal is ignored in this process");
    // The real, modal message box is in place.
    QVERIFY(ui::MessageBoxFunction());

    auto app = std::make_unique<KestraneBuilderApp>();
    QVERIFY(app->watchesTerminationSignals());
    ui::MainWindow& window = app->mainWindow();
    ui::AreaBuilderWindow& area = app->areaWindow();
    auto areaUp = [&area] { return area.isVisible(); };

    if (state == QLatin1String("message box")) {
        // A folder in place of lang.cfg: the language switch reports it.
        QVERIFY(QFile::remove(QStringLiteral("lang.cfg")));
        QVERIFY(QDir().mkdir(QStringLiteral("lang.cfg")));
        RaiseWhen(signal, [] { return QApplication::activeModalWidget() != nullptr; });
        QTimer::singleShot(0, &window, [&window] { window.switchToEnglish(); });
    } else if (state == QLatin1String("area builder")) {
        RaiseWhen(signal, areaUp);
        QTimer::singleShot(0, &window, [&window] { window.openAreaBuilder(); });
    } else if (state == QLatin1String("preview")) {
        RaiseWhen(signal, PreviewIsUp);
        QTimer::singleShot(0, &window, [&window] { window.showPreview(); });
    } else {
        RaiseWhen(signal, [areaUp] { return areaUp() && PreviewIsUp(); });
        QTimer::singleShot(0, &window, [&window] { window.openAreaBuilder(); });
        QTimer::singleShot(100, &area, [&area] {
            if (auto* button = area.findChild<QPushButton*>(QStringLiteral("elonezetgomb")))
                button->click();
        });
    }

    QElapsedTimer clock;
    clock.start();
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(kLoopTimeoutMs);
    QCOMPARE(app->exec(), 0);
    QVERIFY(app->terminationRequested());
    QVERIFY(!window.isVisible());
    QVERIFY(!area.isVisible());
    QVERIFY(!PreviewIsUp());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    app.reset();
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(CurrentHandler(signal) == before);
    QVERIFY(CurrentHandler(SIGALRM) == SIG_DFL);
}

void TerminationTest::aStuckRunEndsAfterTheDelay()
{
    // A child whose user-interface thread never returns to its message
    // loop: it waits for a writer on a named pipe that never comes, after a
    // SIGTERM, with a file half written.
    const QByteArray pipe = QFile::encodeName(folder_->filePath(QStringLiteral("stuck")));
    QVERIFY(::mkfifo(pipe.constData(), 0600) == 0);
    const std::filesystem::path target = std::filesystem::path(folder_->path().toStdString()) / "out.b3d";

    QElapsedTimer clock;
    clock.start();
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        TerminationSignals termination(nullptr, kStuckDelay);
        if (!termination.isActive())
            ::_exit(90);
        ReplacingFile file;
        file.Open(target);
        file.Write("half");
        std::raise(SIGTERM);
        ::open(pipe.constData(), O_RDONLY);  // blocks
        ::_exit(91);
    }
    int status = 0;
    pid_t ended = 0;
    while ((ended = ::waitpid(child, &status, WNOHANG)) == 0 && clock.elapsed() < 15000)
        QTest::qWait(20);
    if (ended == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        QFAIL("the stuck process did not end");
    }
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(WIFEXITED(status), qPrintable(QString::number(status)));
    QCOMPARE(WEXITSTATUS(status), 128 + SIGTERM);
    const qint64 delayMs = std::chrono::milliseconds(kStuckDelay).count();
    QVERIFY2(elapsed >= delayMs - 500 && elapsed < delayMs + 4000, qPrintable(QString::number(elapsed)));
    // Only the pipe is left: the temporary file went with the process.
    QCOMPARE(QDir(folder_->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("stuck")});
}

void TerminationTest::theProgramsDelayIsTheDefault()
{
    // The window program's instance (KestraneBuilderApp's) takes the default.
    QCOMPARE(TerminationSignals().forcedEndDelay().count(), kForcedEndDelay.count());
    // alarm() counts whole seconds; 0 would mean no alarm at all.
    QCOMPARE(TerminationSignals(nullptr, std::chrono::seconds{0}).forcedEndDelay().count(), 1);
}

}  // namespace kestrane::app

QTEST_MAIN(kestrane::app::TerminationTest)
#include "termination_test.moc"

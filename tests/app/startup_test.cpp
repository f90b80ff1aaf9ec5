// The start-up of the window program, run in this process exactly as the
// entry point runs it: the language restored from lang.cfg, the two windows,
// the update check against a local server with its notice and web link, and
// the end of the run by closing the main window or by a termination signal.
#include "app/application.h"
#include "app/update_check.h"
#include "http_test_server.h"
#include "support/qt_test_support.h"
#include "ui/message_box.h"
#include "ui/area_window.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <csignal>
#include <memory>
#include <optional>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(kestrane::UiLanguage)

namespace kestrane::app {
namespace {

using test::ReadBytes;
using test::UrlCatcher;

constexpr int kLoopTimeoutMs = 10000;
constexpr int kCheckTimeoutMs = 10000;

bool WriteBytes(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString Caption(QWidget& window, const char* name)
{
    if (auto* button = window.findChild<QPushButton*>(QLatin1String(name)))
        return button->text();
    if (auto* label = window.findChild<QLabel*>(QLatin1String(name)))
        return label->text();
    return QStringLiteral("<no %1>").arg(QLatin1String(name));
}

// Sends http and https addresses to a catcher while it lives.
class BrowserInterception {
public:
    explicit BrowserInterception(UrlCatcher& catcher)
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    }
    ~BrowserInterception()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
    BrowserInterception(const BrowserInterception&) = delete;
    BrowserInterception& operator=(const BrowserInterception&) = delete;
};

// Runs the message loop as the entry point does; a loop that does not end
// in time is ended with 99.
int RunWithTimeout(KestraneBuilderApp& app)
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(kLoopTimeoutMs);
    return app.exec();
}

using SignalHandler = void (*)(int);

SignalHandler CurrentHandler(int signal)
{
    struct sigaction current = {};
    return ::sigaction(signal, nullptr, &current) == 0 ? current.sa_handler : nullptr;
}

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // The windows and the stored language.
    void firstRunIsHungarianAndCreatesLangCfg();
    void storedLanguageIsRestored_data();
    void storedLanguageIsRestored();
    void unwritableLangCfgIsReportedAndTheWindowStaysUp();

    // The update check through the start-up.
    void newerVersionIsAnnounced_data();
    void newerVersionIsAnnounced();
    void sameVersionChangesNothing();

    // The end of the run.
    void closingTheMainWindowEndsTheRun();
    void terminationSignalEndsTheRunDuringADownload_data();
    void terminationSignalEndsTheRunDuringADownload();
    void terminationSignalBeforeTheLoopEndsAtOnce();

private:
    void startApp();
    QString versionPath() const { return QStringLiteral("/versions/velkor.ver"); }

    std::optional<QTemporaryDir> folder_;
    QString previousFolder_;
    QStringList reports_;
    ui::MessageFunction previousMessageFunction_;
    std::unique_ptr<test::TestHttpServer> server_;
    std::unique_ptr<KestraneBuilderApp> app_;
};

void StartUpTest::init()
{
    // Nothing may go through a proxy or anywhere but the local server.
    for (const char* variable : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(variable);
    server_ = std::make_unique<test::TestHttpServer>();
    QVERIFY(server_->isListening());
    qputenv(kVersionAddressVariable, server_->url(versionPath()).toUtf8());

    folder_.emplace();
    QVERIFY(folder_->isValid());
    previousFolder_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder_->path()));

    reports_.clear();
    previousMessageFunction_ = ui::MessageBoxFunction();
    ui::MessageBoxFunction() = [this](QWidget*, const QString& title, const QString& text) {
        reports_.append(title + QLatin1Char('|') + text);
    };
}

void StartUpTest::cleanup()
{
    app_.reset();
    server_.reset();
    ui::MessageBoxFunction() = previousMessageFunction_;
    QDir::setCurrent(previousFolder_);
    folder_.reset();
    qunsetenv(kVersionAddressVariable);
}

void StartUpTest::startApp()
{
    app_ = std::make_unique<KestraneBuilderApp>();
}

void StartUpTest::firstRunIsHungarianAndCreatesLangCfg()
{
    server_->setResponse(versionPath(), {404, "no such file"});
    QVERIFY(!QFile::exists("lang.cfg"));
    startApp();

    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Kestrane Builder"));
    ui::MainWindow& window = app_->mainWindow();
    QCOMPARE(window.language(), UiLanguage::Hungarian);
    QCOMPARE(ReadBytes("lang.cfg"), QByteArray("hu"));
    QVERIFY(window.isVisible());
    QCOMPARE(window.windowTitle(), QStringLiteral("Kestrane Builder V0.95"));
    QCOMPARE(Caption(window, "Button1"), QStringLiteral("Generálás"));
    QCOMPARE(Caption(window, "Label10"), QStringLiteral("Web"));
    QCOMPARE(window.webAddress(), QString::fromUtf8(ui::kMakerWebPage));
    QVERIFY(reports_.isEmpty());

    // The area builder window exists from the start, hidden, and goes with
    // the main window.
    ui::AreaBuilderWindow& area = app_->areaWindow();
    QVERIFY(!area.isVisible());
    QCOMPARE(area.parent(), &window);
    QCOMPARE(window.areaWindow(), &area);

    // The check ran against the local server: the file was missing there,
    // so nothing but the "." shows.
    QVERIFY(app_->updateCheck() != nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(app_->updateCheck()->thread().evaluated(), kCheckTimeoutMs);
    QCOMPARE(server_->requestCount(), 1);
    QCOMPARE(window.statusText(), QStringLiteral("."));
    QCOMPARE(Caption(window, "Label10"), QStringLiteral("Web"));
    QVERIFY(!QFile::exists("velkor.ver"));
}

void StartUpTest::storedLanguageIsRestored_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<UiLanguage>("language");
    QTest::addColumn<QByteArray>("rewritten");
    QTest::addColumn<QString>("generateCaption");

    QTest::newRow("en") << QByteArray("en") << UiLanguage::English << QByteArray("en") << "Generate";
    QTest::newRow("hu") << QByteArray("hu") << UiLanguage::Hungarian << QByteArray("hu") << "Generálás";
    QTest::newRow("hu and more lines") << QByteArray("hu\r\nen\r\n") << UiLanguage::Hungarian
                                       << QByteArray("hu") << "Generálás";
    QTest::newRow("HU") << QByteArray("HU") << UiLanguage::English << QByteArray("en") << "Generate";
    QTest::newRow("empty") << QByteArray() << UiLanguage::English << QByteArray("en") << "Generate";
}

void StartUpTest::storedLanguageIsRestored()
{
    QFETCH(QByteArray, stored);
    QFETCH(UiLanguage, language);
    QFETCH(QByteArray, rewritten);
    QFETCH(QString, generateCaption);

    server_->setResponse(versionPath(), {404, "no such file"});
    QVERIFY(WriteBytes("lang.cfg", stored));
    startApp();

    ui::MainWindow& window = app_->mainWindow();
    QCOMPARE(window.language(), language);
    QCOMPARE(Caption(window, "Button1"), generateCaption);
    QCOMPARE(ReadBytes("lang.cfg"), rewritten);
    QVERIFY(window.isVisible());
    QVERIFY(!app_->areaWindow().isVisible());
    QVERIFY(app_->updateCheck() != nullptr);
    QVERIFY(reports_.isEmpty());
}

void StartUpTest::unwritableLangCfgIsReportedAndTheWindowStaysUp()
{
    server_->setResponse(versionPath(), {200, "0.96\r\nKestrane Builder\r\nhttp://127.0.0.1/new\r\n"});
    QVERIFY(QDir().mkdir("lang.cfg"));
    startApp();

    // The failed write is reported once, and the creation stopped there:
    // no update check.
    QCOMPARE(reports_.size(), 1);
    QVERIFY2(reports_.first().contains(QStringLiteral("lang.cfg")), qPrintable(reports_.first()));
    QVERIFY(app_->updateCheck() == nullptr);
    QVERIFY(app_->mainWindow().findChild<QObject*>(QStringLiteral("kestraneUpdateCheck")) == nullptr);

    // The program goes on with the main window up.
    QVERIFY(app_->mainWindow().isVisible());
    QVERIFY(!app_->areaWindow().isVisible());
    QVERIFY(QFileInfo(QStringLiteral("lang.cfg")).isDir());
    QCOMPARE(app_->mainWindow().statusText(), QString());
    QCoreApplication::processEvents();
    QCOMPARE(server_->requestCount(), 0);
    QVERIFY(!QFile::exists("velkor.ver"));
}

void StartUpTest::newerVersionIsAnnounced_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("linkCaption");

    QTest::newRow("Hungarian") << QByteArray() << "Új verzió elérhető: Kestrane Builder v0.96" << "Letöltés";
    QTest::newRow("English") << QByteArray("en") << "New version avaiable: Kestrane Builder v0.96" << "Download";
}

void StartUpTest::newerVersionIsAnnounced()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, notice);
    QFETCH(QString, linkCaption);

    const QString newAddress = server_->url(QStringLiteral("/new"));
    server_->setResponse(versionPath(),
                         {200, "0.96\r\nKestrane Builder\r\n" + newAddress.toUtf8() + "\r\n"});
    if (!stored.isEmpty())
        QVERIFY(WriteBytes("lang.cfg", stored));

    UrlCatcher catcher;
    const BrowserInterception interception(catcher);
    startApp();
    ui::MainWindow& window = app_->mainWindow();

    QTRY_COMPARE_WITH_TIMEOUT(window.statusText(), notice, kCheckTimeoutMs);
    QCOMPARE(Caption(window, "Label10"), linkCaption);
    QCOMPARE(window.webAddress(), newAddress);
    QTRY_VERIFY_WITH_TIMEOUT(app_->updateCheck()->thread().evaluated(), kCheckTimeoutMs);
    QVERIFY(!QFile::exists("velkor.ver"));

    // The web label now opens the announced address.
    auto* label = window.findChild<QLabel*>(QStringLiteral("Label10"));
    QVERIFY(label != nullptr);
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl(newAddress)});

    // A later language switch leaves the notice as it is.
    const UiLanguage other = window.language() == UiLanguage::Hungarian ? UiLanguage::English
                                                                         : UiLanguage::Hungarian;
    QVERIFY(window.SwitchLanguage(other));
    QCOMPARE(window.statusText(), notice);
    QCOMPARE(Caption(window, "Label10"), linkCaption);
}

void StartUpTest::sameVersionChangesNothing()
{
    server_->setResponse(versionPath(), {200, "0.95\r\nKestrane Builder\r\nhttp://127.0.0.1/new\r\n"});
    UrlCatcher catcher;
    const BrowserInterception interception(catcher);
    startApp();
    ui::MainWindow& window = app_->mainWindow();

    QTRY_VERIFY_WITH_TIMEOUT(app_->updateCheck()->thread().evaluated(), kCheckTimeoutMs);
    QVERIFY(app_->updateCheck()->thread().result());
    QCOMPARE(window.statusText(), QStringLiteral("."));
    QCOMPARE(Caption(window, "Label10"), QStringLiteral("Web"));
    QCOMPARE(window.webAddress(), QString::fromUtf8(ui::kMakerWebPage));
    QVERIFY(!QFile::exists("velkor.ver"));

    auto* label = window.findChild<QLabel*>(QStringLiteral("Label10"));
    QVERIFY(label != nullptr);
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl(QString::fromUtf8(ui::kMakerWebPage))});
}

void StartUpTest::closingTheMainWindowEndsTheRun()
{
    server_->setResponse(versionPath(), {404, "no such file"});
    startApp();

    // Another top-level window (a preview, say) does not keep the run going.
    QWidget other;
    other.show();
    QVERIFY(other.isVisible());

    QTimer::singleShot(0, &app_->mainWindow(), [this] { app_->mainWindow().close(); });
    QCOMPARE(RunWithTimeout(*app_), 0);
    QVERIFY(!app_->mainWindow().isVisible());
    QVERIFY(!other.isVisible());
    QVERIFY(!app_->terminationRequested());

    // The end of the run stops the check and puts the hooks back.
    app_.reset();
    QVERIFY(!ui::MainWindow::UpdateCheckStarter());
}

void StartUpTest::terminationSignalEndsTheRunDuringADownload_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
}

void StartUpTest::terminationSignalEndsTheRunDuringADownload()
{
    QFETCH(int, signal);
    const SignalHandler before = CurrentHandler(signal);
    if (before == SIG_IGN)
        QSKIP("the signal is ignored in this process");

    // The version file takes far longer than the test.
    server_->setResponse(versionPath(), {200, "0.96\r\nKestrane Builder\r\nhttp://127.0.0.1/new\r\n", 30s});
    startApp();
    QVERIFY(app_->watchesTerminationSignals());
    QTRY_COMPARE_WITH_TIMEOUT(server_->requestCount(), 1, kCheckTimeoutMs);

    QTimer::singleShot(0, &app_->mainWindow(), [signal] { std::raise(signal); });
    QCOMPARE(RunWithTimeout(*app_), 0);
    QVERIFY(app_->terminationRequested());
    QVERIFY(!app_->mainWindow().isVisible());
    QVERIFY(!app_->updateCheck()->thread().evaluated());

    // The download is abandoned at once when the run ends.
    QElapsedTimer clock;
    clock.start();
    app_.reset();
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!QFile::exists("velkor.ver"));
    QVERIFY(CurrentHandler(signal) == before);
}

void StartUpTest::terminationSignalBeforeTheLoopEndsAtOnce()
{
    server_->setResponse(versionPath(), {404, "no such file"});
    const SignalHandler before = CurrentHandler(SIGTERM);
    startApp();
    QVERIFY(app_->watchesTerminationSignals());
    std::raise(SIGTERM);
    QTRY_VERIFY_WITH_TIMEOUT(app_->terminationRequested(), kLoopTimeoutMs);
    QVERIFY(!app_->mainWindow().isVisible());
    QCOMPARE(RunWithTimeout(*app_), 0);
    app_.reset();
    QVERIFY(CurrentHandler(SIGTERM) == before);
}

}  // namespace kestrane::app

QTEST_MAIN(kestrane::app::StartUpTest)
#include "startup_test.moc"

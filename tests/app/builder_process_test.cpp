// The window program as a process: it starts in an empty folder, writes
// lang.cfg, and ends promptly and cleanly on a termination signal, also while
// the update check is still waiting for the version file or for a name
// server that does not answer.
#include "http_test_server.h"
#include "support/qt_test_support.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <csignal>
#include <memory>

#include <sys/stat.h>
#include <sys/types.h>
#include <signal.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace kestrane::app {
namespace {

using test::ReadBytes;

constexpr int kStartTimeoutMs = 15000;
// How soon the program must be gone after the signal.
constexpr int kExitLimitMs = 5000;

}  // namespace

class BuilderProcessTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void endsPromptlyOnASignalDuringASlowDownload_data();
    void endsPromptlyOnASignalDuringASlowDownload();
    void endsPromptlyOnASignalWithTheDefaultAddress();
    void endsPromptlyOnASignalWhileTheNameServerIsSilent();
    void startsWhateverStandsUnderLangCfg_data();
    void startsWhateverStandsUnderLangCfg();
    void plantedVersionFileLinkIsNotWrittenThrough();

private:
    // Starts the program in the temporary folder; an empty address leaves
    // the default one in effect. `wrapper` runs the program (its path is
    // the last argument).
    void start(const QString& versionAddress, const QStringList& wrapper = {});
    // Sends `signal`, waits for the end; returns the milliseconds it took.
    qint64 stop(int signal);

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<test::TestHttpServer> server_;
    std::unique_ptr<QProcess> process_;
};

void BuilderProcessTest::init()
{
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    server_ = std::make_unique<test::TestHttpServer>();
    QVERIFY(server_->isListening());
}

void BuilderProcessTest::cleanup()
{
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished(kExitLimitMs);
    }
    process_.reset();
    server_.reset();
    folder_.reset();
}

void BuilderProcessTest::start(const QString& versionAddress, const QStringList& wrapper)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const char* variable : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        environment.remove(QLatin1String(variable));
    if (versionAddress.isEmpty())
        environment.remove(QStringLiteral("KESTRANE_VERSION_URL"));
    else
        environment.insert(QStringLiteral("KESTRANE_VERSION_URL"), versionAddress);

    process_ = std::make_unique<QProcess>();
    process_->setProcessEnvironment(environment);
    process_->setWorkingDirectory(folder_->path());
    process_->setProcessChannelMode(QProcess::SeparateChannels);
    const QString binary = QStringLiteral(KESTRANE_BUILDER_BINARY);
    if (wrapper.isEmpty())
        process_->start(binary, QStringList());
    else
        process_->start(wrapper.first(), wrapper.mid(1) << binary);
    QVERIFY2(process_->waitForStarted(kStartTimeoutMs), qPrintable(process_->errorString()));

    // The first run in an empty folder stores Hungarian.
    const QString languageFile = folder_->filePath(QStringLiteral("lang.cfg"));
    QTRY_COMPARE_WITH_TIMEOUT(ReadBytes(languageFile), QByteArray("hu"), kStartTimeoutMs);
    QCOMPARE(process_->state(), QProcess::Running);
}

qint64 BuilderProcessTest::stop(int signal)
{
    QElapsedTimer clock;
    clock.start();
    ::kill(static_cast<pid_t>(process_->processId()), signal);
    const bool finished = process_->waitForFinished(kExitLimitMs);
    const qint64 elapsed = clock.elapsed();
    const QByteArray errors = process_->readAllStandardError();
    if (!finished)
        qWarning("the program did not end within %d ms", kExitLimitMs);
    else
        qInfo("the program ended %lld ms after the signal", static_cast<long long>(elapsed));
    if (!errors.isEmpty())
        qInfo("its error output: %s", errors.constData());
    if (!finished)
        return -1;
    if (process_->exitStatus() != QProcess::NormalExit || process_->exitCode() != 0)
        qWarning("exit status %d, exit code %d", int(process_->exitStatus()), process_->exitCode());
    if (errors.contains("QThread: Destroyed"))
        return -2;
    return elapsed;
}

void BuilderProcessTest::endsPromptlyOnASignalDuringASlowDownload_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
}

void BuilderProcessTest::endsPromptlyOnASignalDuringASlowDownload()
{
    QFETCH(int, signal);
    server_->setResponse(QStringLiteral("/versions/velkor.ver"),
                         {200, "0.96\r\nKestrane Builder\r\nhttp://127.0.0.1/new\r\n", 30s});
    start(server_->url(QStringLiteral("/versions/velkor.ver")));
    if (QTest::currentTestFailed())
        return;
    // The download is under way when the signal comes.
    QTRY_COMPARE_WITH_TIMEOUT(server_->requestCount(), 1, kStartTimeoutMs);

    const qint64 elapsed = stop(signal);
    QVERIFY2(elapsed != -1, "the program did not end in time");
    QVERIFY2(elapsed != -2, "a running thread was destroyed");
    QCOMPARE(process_->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process_->exitCode(), 0);
    QVERIFY(!QFile::exists(folder_->filePath(QStringLiteral("velkor.ver"))));
    QCOMPARE(ReadBytes(folder_->filePath(QStringLiteral("lang.cfg"))), QByteArray("hu"));
}

void BuilderProcessTest::endsPromptlyOnASignalWithTheDefaultAddress()
{
    // Our web site's host does not resolve here, or takes its time to fail.
    start(QString());
    if (QTest::currentTestFailed())
        return;

    const qint64 elapsed = stop(SIGTERM);
    QVERIFY2(elapsed != -1, "the program did not end in time");
    QVERIFY2(elapsed != -2, "a running thread was destroyed");
    QCOMPARE(process_->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process_->exitCode(), 0);
    QVERIFY(!QFile::exists(folder_->filePath(QStringLiteral("velkor.ver"))));
}

void BuilderProcessTest::endsPromptlyOnASignalWhileTheNameServerIsSilent()
{
    // The program runs with a name server that takes every query and never
    // answers, so the lookup of our web site's host hangs for half a minute.
    // That takes a private mount namespace (unshare) for its own
    // resolv.conf, and the name server port on a loopback address.
    const QHostAddress nameServer(QStringLiteral("127.83.0.53"));
    QUdpSocket silent;
    if (!silent.bind(nameServer, 53))
        QSKIP("no name server port for this test here");
    const QString resolvConf = folder_->filePath(QStringLiteral("resolv.conf"));
    {
        QFile file(resolvConf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("nameserver 127.83.0.53\noptions timeout:30 attempts:1\n");
    }
    const QStringList wrapper{QStringLiteral("unshare"), QStringLiteral("-rm"), QStringLiteral("sh"),
                              QStringLiteral("-c"),
                              QStringLiteral("mount --bind \"$0\" /etc/resolv.conf && exec \"$1\""), resolvConf};
    {
        QProcess probe;
        probe.start(wrapper.first(), wrapper.mid(1) << QStringLiteral("true"));
        if (!probe.waitForFinished(kStartTimeoutMs) || probe.exitStatus() != QProcess::NormalExit ||
            probe.exitCode() != 0)
            QSKIP("no private mount namespace for this test here");
    }

    start(QString(), wrapper);
    if (QTest::currentTestFailed())
        return;
    // The lookup is under way.
    QTRY_VERIFY_WITH_TIMEOUT(silent.hasPendingDatagrams(), kStartTimeoutMs);

    const qint64 elapsed = stop(SIGTERM);
    QVERIFY2(elapsed != -1, "the program did not end in time");
    QVERIFY2(elapsed != -2, "a running thread was destroyed");
    QCOMPARE(process_->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process_->exitCode(), 0);
}

void BuilderProcessTest::startsWhateverStandsUnderLangCfg_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe") << QStringLiteral("pipe");
    QTest::newRow("link to a device") << QStringLiteral("device");
    QTest::newRow("link to a file") << QStringLiteral("link");
}

void BuilderProcessTest::startsWhateverStandsUnderLangCfg()
{
    // A pipe blocked the start-up for good, a device made it read without
    // end, a link had its target rewritten. Each reads as a missing file
    // (Hungarian), and the start-up puts a regular lang.cfg in its place.
    QFETCH(QString, kind);
    const QByteArray languageFile = QFile::encodeName(folder_->filePath(QStringLiteral("lang.cfg")));
    const QString target = folder_->filePath(QStringLiteral("shared.cfg"));
    {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("en");
    }
    if (kind == QLatin1String("pipe"))
        QVERIFY(::mkfifo(languageFile.constData(), 0644) == 0);
    else if (kind == QLatin1String("device"))
        QVERIFY(::symlink("/dev/zero", languageFile.constData()) == 0);
    else
        QVERIFY(::symlink("shared.cfg", languageFile.constData()) == 0);
    server_->setResponse(QStringLiteral("/versions/velkor.ver"), {404, "no such file"});

    start(server_->url(QStringLiteral("/versions/velkor.ver")));
    if (QTest::currentTestFailed())
        return;
    QVERIFY(QFileInfo(QFile::decodeName(languageFile)).isFile());
    QVERIFY(!QFileInfo(QFile::decodeName(languageFile)).isSymLink());
    QCOMPARE(ReadBytes(target), QByteArray("en"));

    const qint64 elapsed = stop(SIGTERM);
    QVERIFY2(elapsed >= 0, "the program did not end in time");
    QCOMPARE(process_->exitCode(), 0);
}

void BuilderProcessTest::plantedVersionFileLinkIsNotWrittenThrough()
{
    // A scenery archive unpacked here brought a velkor.ver link.
    const QString victim = folder_->filePath(QStringLiteral("victim.txt"));
    {
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep");
    }
    const QByteArray versionFile = QFile::encodeName(folder_->filePath(QStringLiteral("velkor.ver")));
    QVERIFY(::symlink("victim.txt", versionFile.constData()) == 0);
    server_->setResponse(QStringLiteral("/versions/velkor.ver"),
                         {200, "0.96\r\nKestrane Builder\r\nhttp://127.0.0.1/new\r\n"});

    start(server_->url(QStringLiteral("/versions/velkor.ver")));
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE_WITH_TIMEOUT(server_->requestCount(), 1, kStartTimeoutMs);
    // The downloaded file replaced the link and went after the evaluation.
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(QFile::decodeName(versionFile)) &&
                                 !QFileInfo(QFile::decodeName(versionFile)).isSymLink(),
                             kStartTimeoutMs);
    QCOMPARE(ReadBytes(victim), QByteArray("keep"));

    const qint64 elapsed = stop(SIGTERM);
    QVERIFY2(elapsed >= 0, "the program did not end in time");
    QCOMPARE(process_->exitCode(), 0);
}

}  // namespace kestrane::app

QTEST_GUILESS_MAIN(kestrane::app::BuilderProcessTest)
#include "builder_process_test.moc"

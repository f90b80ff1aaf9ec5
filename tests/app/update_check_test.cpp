// The update check against a local HTTP server: the download, the
// evaluation of the version file in both languages, the web address it
// announces, and stopping the check in the middle.
#include "app/browser.h"
#include "app/update_check.h"
#include "http_test_server.h"
#include "support/qt_test_support.h"
#include "support/test_support.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTest>
#include <QUrl>

#include <filesystem>
#include <memory>
#include <optional>

#include <sys/stat.h>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(kestrane::UiLanguage)

namespace kestrane::app {
namespace {

using test::UrlCatcher;

const QString kVersionFile = QStringLiteral("velkor.ver");
const QString kMakerPage = QStringLiteral("http://kestrane.example/");

// Stands in for the main window: it keeps the status text, the web label's
// caption and the web address the way the window does.
class FakeWindow : public UpdateCheckHost {
public:
    explicit FakeWindow(UiLanguage language) : language_(language) {}

    UiLanguage language() const override { return language_; }
    void setStatusText(const QString& text) override { statusTexts.append(text); }
    void announceNewVersion(const QString& labelCaption, const QString& address) override
    {
        ++announcements;
        caption = labelCaption;
        if (!address.isEmpty())
            webAddress = address;
    }

    QString status() const { return statusTexts.isEmpty() ? QString() : statusTexts.last(); }

    QStringList statusTexts;
    QString caption = QStringLiteral("Web");
    QString webAddress = kMakerPage;
    int announcements = 0;

private:
    UiLanguage language_;
};

// Hands every call on to a FakeWindow the test keeps, for a check that
// takes its host over.
class ForwardingHost : public UpdateCheckHost {
public:
    explicit ForwardingHost(FakeWindow& window) : window_(window) {}
    UiLanguage language() const override { return window_.language(); }
    void setStatusText(const QString& text) override { window_.setStatusText(text); }
    void announceNewVersion(const QString& caption, const QString& address) override
    {
        window_.announceNewVersion(caption, address);
    }

private:
    FakeWindow& window_;
};

bool VersionFileExists() { return QFile::exists(kVersionFile); }

}  // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Settings.
    void versionAddressIsOursUnlessOverridden();

    // DownloadToFile.
    void downloadWritesTheAnswer();
    void downloadFailuresLeaveTheFileAlone_data();
    void downloadFailuresLeaveTheFileAlone();
    void downloadFollowsRedirects();
    void downloadStopsAtTheTimeLimit();
    void downloadReplacesWhatStandsUnderTheName_data();
    void downloadReplacesWhatStandsUnderTheName();

    // Reading the version file.
    void versionComparison_data();
    void versionComparison();
    void versionFileText();
    void acceptedWebAddresses_data();
    void acceptedWebAddresses();

    // The whole check: download, hand-over, evaluation.
    void evaluatesThePublishedVersion_data();
    void evaluatesThePublishedVersion();
    void checkUsesTheOverriddenAddress();
    void evaluationOfAnUnopenableFile();
    void evaluationReadsOnlyARegularFile_data();
    void evaluationReadsOnlyARegularFile();
    void webLabelOpensTheCurrentAddress();

    // Shutdown.
    void stoppingDuringASlowDownloadReturnsPromptly();
    void stoppingWhileTheHandOverWaitsDoesNotDeadlock();
    void stoppingBeforeStartDoesNothing();
    void attachedCheckRunsAndEndsWithItsOwner();
    void attachedCheckStopsWhenItsOwnerGoesEarly();

private:
    std::optional<test::TempFolder> folder_;
    std::optional<test::CurrentFolder> current_;
    std::unique_ptr<test::TestHttpServer> server_;
};

void UpdateCheckTest::init()
{
    // Nothing may go through a proxy or anywhere but the local server.
    qunsetenv("http_proxy");
    qunsetenv("HTTP_PROXY");
    qunsetenv("https_proxy");
    qunsetenv("all_proxy");
    // A check that is not pointed at the local server meets a closed port.
    qputenv(kVersionAddressVariable, "http://127.0.0.1:1/versions/velkor.ver");
    folder_.emplace();
    current_.emplace(folder_->path());
    server_ = std::make_unique<test::TestHttpServer>();
    QVERIFY(server_->isListening());
}

void UpdateCheckTest::cleanup()
{
    server_.reset();
    current_.reset();
    folder_.reset();
    qunsetenv(kVersionAddressVariable);
}

void UpdateCheckTest::versionAddressIsOursUnlessOverridden()
{
    qunsetenv(kVersionAddressVariable);
    QCOMPARE(VersionAddress(), QString::fromLatin1(kDefaultVersionAddress));
    const QUrl fixed(VersionAddress());
    QCOMPARE(fixed.scheme(), QStringLiteral("http"));
    QVERIFY(fixed.path().endsWith(QStringLiteral("versions/velkor.ver")));
    QVERIFY(fixed.host().endsWith(QStringLiteral(".example")));
    QVERIFY(kDownloadTimeLimit <= 15s);

    qputenv(kVersionAddressVariable, "http://mirror.example/kb/velkor.ver");
    QCOMPARE(VersionAddress(), QStringLiteral("http://mirror.example/kb/velkor.ver"));
    qputenv(kVersionAddressVariable, "");
    QCOMPARE(VersionAddress(), QString::fromLatin1(kDefaultVersionAddress));
}

void UpdateCheckTest::downloadWritesTheAnswer()
{
    server_->setResponse("/versions/velkor.ver", {200, "0.96\r\nKestrane Builder\r\nhttp://x.example/\r\n"});
    test::WriteFile("velkor.ver", "old");
    QVERIFY(DownloadToFile(server_->url("/versions/velkor.ver"), kVersionFile));
    QCOMPARE(test::ReadFile("velkor.ver"), std::string("0.96\r\nKestrane Builder\r\nhttp://x.example/\r\n"));

    server_->setResponse("/empty", {204, {}});
    QVERIFY(DownloadToFile(server_->url("/empty"), QStringLiteral("empty.ver")));
    QCOMPARE(test::ReadFile("empty.ver"), std::string());
}

void UpdateCheckTest::downloadFailuresLeaveTheFileAlone_data()
{
    QTest::addColumn<QString>("address");
    const QString refused = QStringLiteral("http://127.0.0.1:%1/versions/velkor.ver")
                                .arg(test::TestHttpServer::RefusingPort());
    QTest::newRow("404") << QStringLiteral("/missing");
    QTest::newRow("500") << QStringLiteral("/broken");
    QTest::newRow("too large") << QStringLiteral("/huge");
    QTest::newRow("refused connection") << refused;
    // A reserved name that never resolves.
    QTest::newRow("unknown host") << QStringLiteral("http://kestrane.invalid/versions/velkor.ver");
    QTest::newRow("file scheme") << QStringLiteral("file:///etc/hostname");
    QTest::newRow("ftp scheme") << QStringLiteral("ftp://127.0.0.1/velkor.ver");
    QTest::newRow("no address") << QString();
    QTest::newRow("not an address") << QStringLiteral("velkor.ver; rm -rf ~");
}

void UpdateCheckTest::downloadFailuresLeaveTheFileAlone()
{
    QFETCH(QString, address);
    server_->setResponse("/broken", {500, "0.99\n"});
    server_->setResponse("/huge", {200, QByteArray(kMaxVersionFileSize + 1, '9')});
    if (address.startsWith(QLatin1Char('/')))
        address = server_->url(address);

    QVERIFY(!DownloadToFile(address, kVersionFile));
    QVERIFY(!VersionFileExists());

    test::WriteFile("velkor.ver", "kept");
    QVERIFY(!DownloadToFile(address, kVersionFile));
    QCOMPARE(test::ReadFile("velkor.ver"), std::string("kept"));
}

void UpdateCheckTest::downloadFollowsRedirects()
{
    server_->setResponse("/old/velkor.ver", {302, {}, 0ms, "/versions/velkor.ver"});
    server_->setResponse("/versions/velkor.ver", {200, "1\n"});
    QVERIFY(DownloadToFile(server_->url("/old/velkor.ver"), kVersionFile));
    QCOMPARE(test::ReadFile("velkor.ver"), std::string("1\n"));
}

void UpdateCheckTest::downloadStopsAtTheTimeLimit()
{
    server_->setResponse("/slow", {200, "0.99\n", 60s});
    FakeWindow window(UiLanguage::English);
    UpdateCheck check(window);
    check.thread().setAddress(server_->url("/slow"));
    check.thread().setTimeLimit(300ms);
    check.start();
    // Well before the server's answer, the limit has ended the download; the
    // check still evaluates (the status shows ".") and shows nothing more.
    QTRY_VERIFY_WITH_TIMEOUT(check.thread().isFinished(), 10000);
    QVERIFY(!check.thread().result());
    QVERIFY(check.thread().evaluated());
    QCOMPARE(window.statusTexts, QStringList{"."});
    QCOMPARE(window.announcements, 0);
    QVERIFY(!VersionFileExists());
}

void UpdateCheckTest::downloadReplacesWhatStandsUnderTheName_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to a file") << QStringLiteral("link");
    QTest::newRow("dangling link") << QStringLiteral("dangling");
    QTest::newRow("pipe") << QStringLiteral("pipe");
}

void UpdateCheckTest::downloadReplacesWhatStandsUnderTheName()
{
    // A scenery archive can bring a link named velkor.ver: the download
    // replaces the name with a new regular file and never writes through it.
    QFETCH(QString, kind);
    const std::string answer = "0.96\r\nKestrane Builder\r\nhttp://x.example/\r\n";
    server_->setResponse("/versions/velkor.ver", {200, QByteArray::fromStdString(answer)});
    test::WriteFile("victim.txt", "keep");
    if (kind == QLatin1String("link"))
        std::filesystem::create_symlink("victim.txt", "velkor.ver");
    else if (kind == QLatin1String("dangling"))
        std::filesystem::create_symlink("created-by-the-download.txt", "velkor.ver");
    else
        QVERIFY(::mkfifo("velkor.ver", 0644) == 0);
    QVERIFY(DownloadToFile(server_->url("/versions/velkor.ver"), kVersionFile));
    QVERIFY(std::filesystem::is_regular_file(std::filesystem::symlink_status("velkor.ver")));
    QCOMPARE(test::ReadFile("velkor.ver"), answer);
    QCOMPARE(test::ReadFile("victim.txt"), std::string("keep"));
    QVERIFY(!std::filesystem::exists("created-by-the-download.txt"));

    // The evaluation removes the new file, nothing else.
    FakeWindow window(UiLanguage::English);
    EvaluateVersionFile(true, window);
    QCOMPARE(window.announcements, 1);
    QVERIFY(!VersionFileExists());
    QCOMPARE(test::ReadFile("victim.txt"), std::string("keep"));
}

void UpdateCheckTest::versionComparison_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("newer");
    QTest::newRow("own version") << "0.95" << false;
    QTest::newRow("next") << "0.96" << true;
    QTest::newRow("one") << "1" << true;
    QTest::newRow("negative") << "-2" << false;
    QTest::newRow("with text") << "0.96 beta" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("no number") << "beta" << false;
    QTest::newRow("below") << "0.9" << false;
    QTest::newRow("exponent") << "9.6e-1" << true;
    QTest::newRow("rounds down to own") << "0.9549" << false;
    QTest::newRow("rounds up past own") << "0.9551" << true;
    QTest::newRow("huge") << "1e400" << true;
    QTest::newRow("huge negative") << "-1e400" << false;
    QTest::newRow("leading blanks") << "  0.97" << true;
}

void UpdateCheckTest::versionComparison()
{
    QFETCH(QString, line);
    QFETCH(bool, newer);
    QCOMPARE(IsNewerThanOwnVersion(line), newer);
}

void UpdateCheckTest::versionFileText()
{
    // CR LF, LF and lone CR all end a line; only three lines count.
    VersionFileLines lines = ReadVersionFileLines("0.96\r\nName\nhttp://a.example/\rfourth\r\n");
    QCOMPARE(lines.version, QStringLiteral("0.96"));
    QCOMPARE(lines.name, QStringLiteral("Name"));
    QCOMPARE(lines.webAddress, QStringLiteral("http://a.example/"));

    lines = ReadVersionFileLines("1");
    QCOMPARE(lines.version, QStringLiteral("1"));
    QVERIFY(lines.name.isEmpty());
    QVERIFY(lines.webAddress.isEmpty());

    // UTF-8, with or without a byte-order mark.
    lines = ReadVersionFileLines("\xEF\xBB\xBF" "0.97\r\nÉpítő\r\n");
    QCOMPARE(lines.version, QStringLiteral("0.97"));
    QCOMPARE(lines.name, QStringLiteral("Építő"));

    // Not UTF-8: Windows-1250.
    lines = ReadVersionFileLines("0.97\r\n\xC9p\xEDt\xF5 \x8A\r\n");
    QCOMPARE(lines.name, QStringLiteral("Építő Š"));
}

void UpdateCheckTest::acceptedWebAddresses_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("accepted");
    QTest::newRow("http") << "http://dl.example/kb.zip" << "http://dl.example/kb.zip";
    QTest::newRow("https") << "https://dl.example/kb.zip" << "https://dl.example/kb.zip";
    QTest::newRow("upper-case scheme") << "HTTPS://dl.example/" << "HTTPS://dl.example/";
    QTest::newRow("blanks around") << "  http://dl.example/  " << "http://dl.example/";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("file") << "file:///etc/passwd" << "";
    QTest::newRow("javascript") << "javascript:alert(1)" << "";
    QTest::newRow("ftp") << "ftp://dl.example/kb.zip" << "";
    QTest::newRow("command") << "calc.exe" << "";
    QTest::newRow("shell") << "http://dl.example/ ; rm -rf ~" << "";
    QTest::newRow("no host") << "http:///kb.zip" << "";
    QTest::newRow("relative") << "//dl.example/kb.zip" << "";
}

void UpdateCheckTest::acceptedWebAddresses()
{
    QFETCH(QString, line);
    QFETCH(QString, accepted);
    QCOMPARE(AcceptedWebAddress(line), accepted);
}

void UpdateCheckTest::evaluatesThePublishedVersion_data()
{
    QTest::addColumn<QString>("path");  // empty: a refused connection
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<UiLanguage>("language");
    QTest::addColumn<bool>("downloaded");
    QTest::addColumn<QString>("expectedStatus");
    QTest::addColumn<QString>("expectedCaption");
    QTest::addColumn<QString>("expectedAddress");

    const QString hu = QStringLiteral("Új verzió elérhető: ");
    const QString en = QStringLiteral("New version avaiable: ");
    const QString v = QStringLiteral("/versions/velkor.ver");
    const QString dl = QStringLiteral("http://dl.example/kb.zip");
    const QString web = QStringLiteral("Web");
    const QString letoltes = QStringLiteral("Letöltés");
    const QString download = QStringLiteral("Download");
    const auto hungarian = UiLanguage::Hungarian;
    const auto english = UiLanguage::English;

    struct Row {
        const char* name;
        QByteArray body;
        bool notice;
        QString shownVersion;
    };
    const Row rows[] = {
        {"0.95", "0.95\r\nKestrane Builder\r\nhttp://dl.example/kb.zip\r\n", false, {}},
        {"0.96", "0.96\r\nKestrane Builder\r\nhttp://dl.example/kb.zip\r\n", true, "0.96"},
        {"1", "1\nKestrane Builder\nhttp://dl.example/kb.zip\n", true, "1"},
        {"-2", "-2\r\nKestrane Builder\r\nhttp://dl.example/kb.zip\r\n", false, {}},
        {"0.96 beta", "0.96 beta\r\nKestrane Builder\r\nhttp://dl.example/kb.zip", true, "0.96 beta"},
        {"empty file", "", false, {}},
    };
    for (const Row& row : rows) {
        for (const UiLanguage language : {hungarian, english}) {
            const bool isHu = language == hungarian;
            const QString tag = QString::fromLatin1(row.name) + (isHu ? " hu" : " en");
            QTest::newRow(tag.toUtf8().constData())
                << v << 200 << row.body << language << true
                << (row.notice ? (isHu ? hu : en) + "Kestrane Builder v" + row.shownVersion : QStringLiteral("."))
                << (row.notice ? (isHu ? letoltes : download) : web)
                << (row.notice ? dl : kMakerPage);
        }
    }
    // Nothing but "." when the download fails.
    QTest::newRow("404 hu") << v << 404 << QByteArray("0.99\n") << hungarian << false
                            << "." << web << kMakerPage;
    QTest::newRow("404 en") << v << 404 << QByteArray("0.99\n") << english << false
                            << "." << web << kMakerPage;
    QTest::newRow("refused hu") << QString() << 0 << QByteArray() << hungarian << false
                                << "." << web << kMakerPage;
    QTest::newRow("refused en") << QString() << 0 << QByteArray() << english << false
                                << "." << web << kMakerPage;
    // An address that is not http(s): the notice, but the old address.
    QTest::newRow("file address hu")
        << v << 200 << QByteArray("0.96\r\nKB\r\nfile:///etc/passwd\r\n") << hungarian << true
        << hu + "KB v0.96" << letoltes << kMakerPage;
    QTest::newRow("command en")
        << v << 200 << QByteArray("0.96\r\nKB\r\ncmd.exe /c del *\r\n") << english << true
        << en + "KB v0.96" << download << kMakerPage;
    QTest::newRow("javascript en")
        << v << 200 << QByteArray("0.97\r\nKB\r\njavascript:alert(1)\r\n") << english << true
        << en + "KB v0.97" << download << kMakerPage;
    QTest::newRow("no third line hu")
        << v << 200 << QByteArray("0.97\r\nKB\r\n") << hungarian << true
        << hu + "KB v0.97" << letoltes << kMakerPage;
    QTest::newRow("https address en")
        << v << 200 << QByteArray("2.0\nKB\nhttps://dl.example/kb2.zip\n") << english << true
        << en + "KB v2.0" << download << QStringLiteral("https://dl.example/kb2.zip");
    // A name in Windows-1250 and in UTF-8.
    QTest::newRow("cp1250 name hu")
        << v << 200 << QByteArray("0.96\r\n\xC9p\xEDt\xF5\r\nhttp://dl.example/kb.zip\r\n") << hungarian << true
        << hu + QStringLiteral("Építő v0.96") << letoltes << dl;
    QTest::newRow("utf-8 name en")
        << v << 200 << QByteArray("0.96\r\nÉpítő\r\nhttp://dl.example/kb.zip\r\n") << english << true
        << en + QStringLiteral("Építő v0.96") << download << dl;
}

void UpdateCheckTest::evaluatesThePublishedVersion()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(UiLanguage, language);
    QFETCH(bool, downloaded);
    QFETCH(QString, expectedStatus);
    QFETCH(QString, expectedCaption);
    QFETCH(QString, expectedAddress);

    QString address;
    if (path.isEmpty()) {
        address = QStringLiteral("http://127.0.0.1:%1/versions/velkor.ver")
                      .arg(test::TestHttpServer::RefusingPort());
    } else {
        server_->setResponse(path, {status, body});
        address = server_->url(QStringLiteral("/versions/velkor.ver"));
    }

    FakeWindow window(language);
    window.statusTexts.append(QStringLiteral("earlier text"));
    UpdateCheck check(window);
    check.thread().setAddress(address);
    check.start();
    QTRY_VERIFY_WITH_TIMEOUT(check.thread().isFinished(), 15000);

    QVERIFY(check.thread().evaluated());
    QCOMPARE(check.thread().result(), downloaded);
    QVERIFY(window.statusTexts.size() >= 2);
    QCOMPARE(window.statusTexts.at(1), QStringLiteral("."));  // "." first, always
    QCOMPARE(window.status(), expectedStatus);
    QCOMPARE(window.caption, expectedCaption);
    QCOMPARE(window.webAddress, expectedAddress);
    QCOMPARE(window.announcements, expectedCaption == QStringLiteral("Web") ? 0 : 1);
    QVERIFY(!VersionFileExists());
}

void UpdateCheckTest::checkUsesTheOverriddenAddress()
{
    server_->setResponse("/mirror/velkor.ver", {200, "0.96\nKB\nhttp://dl.example/kb.zip\n"});
    qputenv(kVersionAddressVariable, server_->url("/mirror/velkor.ver").toUtf8());
    FakeWindow window(UiLanguage::English);
    UpdateCheck check(window);
    check.start();
    QTRY_VERIFY_WITH_TIMEOUT(check.thread().isFinished(), 15000);
    QCOMPARE(server_->requestCount(), 1);
    QCOMPARE(window.status(), QStringLiteral("New version avaiable: KB v0.96"));
    QCOMPARE(window.webAddress, QStringLiteral("http://dl.example/kb.zip"));
    QVERIFY(!VersionFileExists());
}

void UpdateCheckTest::evaluationOfAnUnopenableFile()
{
    // A downloaded "file" that cannot be opened shows nothing but ".".
    std::filesystem::create_directory("velkor.ver");
    FakeWindow window(UiLanguage::Hungarian);
    EvaluateVersionFile(true, window);
    QCOMPARE(window.statusTexts, QStringList{"."});
    QCOMPARE(window.announcements, 0);

    // The evaluation after a failed download does not look at the file.
    std::filesystem::remove("velkor.ver");
    test::WriteFile("velkor.ver", "0.99\n");
    FakeWindow other(UiLanguage::English);
    EvaluateVersionFile(false, other);
    QCOMPARE(other.statusTexts, QStringList{"."});
    QCOMPARE(other.announcements, 0);
    QVERIFY(VersionFileExists());

    // A missing file after a reported success: "." and nothing else.
    std::filesystem::remove("velkor.ver");
    FakeWindow third(UiLanguage::English);
    EvaluateVersionFile(true, third);
    QCOMPARE(third.statusTexts, QStringList{"."});
}

void UpdateCheckTest::evaluationReadsOnlyARegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to a newer version file") << QStringLiteral("link");
    QTest::newRow("pipe") << QStringLiteral("pipe");
    QTest::newRow("link to a device") << QStringLiteral("device");
}

void UpdateCheckTest::evaluationReadsOnlyARegularFile()
{
    // Whatever took the downloaded file's place is neither read (a pipe
    // would block, a device never end) nor followed; only the name goes.
    QFETCH(QString, kind);
    test::WriteFile("target.ver", "0.99\r\nKestrane Builder\r\nhttp://dl.example/\r\n");
    if (kind == QLatin1String("link"))
        std::filesystem::create_symlink("target.ver", "velkor.ver");
    else if (kind == QLatin1String("pipe"))
        QVERIFY(::mkfifo("velkor.ver", 0644) == 0);
    else
        std::filesystem::create_symlink("/dev/zero", "velkor.ver");
    FakeWindow window(UiLanguage::English);
    QElapsedTimer clock;
    clock.start();
    EvaluateVersionFile(true, window);
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(window.statusTexts, QStringList{"."});
    QCOMPARE(window.announcements, 0);
    QVERIFY(!std::filesystem::exists(std::filesystem::symlink_status("velkor.ver")));
    QCOMPARE(test::ReadFile("target.ver"), std::string("0.99\r\nKestrane Builder\r\nhttp://dl.example/\r\n"));
}

void UpdateCheckTest::webLabelOpensTheCurrentAddress()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");

    // Without a notice the web label opens our page.
    server_->setResponse("/versions/velkor.ver", {200, "0.95\nKB\nhttps://dl.example/kb.zip\n"});
    FakeWindow window(UiLanguage::Hungarian);
    {
        UpdateCheck check(window);
        check.thread().setAddress(server_->url("/versions/velkor.ver"));
        check.start();
        QTRY_VERIFY_WITH_TIMEOUT(check.thread().isFinished(), 15000);
    }
    QVERIFY(OpenInBrowser(window.webAddress));

    // After a notice, the announced address.
    server_->setResponse("/versions/velkor.ver", {200, "0.96\nKB\nhttps://dl.example/kb.zip\n"});
    {
        UpdateCheck check(window);
        check.thread().setAddress(server_->url("/versions/velkor.ver"));
        check.start();
        QTRY_VERIFY_WITH_TIMEOUT(check.thread().isFinished(), 15000);
    }
    QVERIFY(OpenInBrowser(window.webAddress));

    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.urls, (QList<QUrl>{QUrl(kMakerPage), QUrl("https://dl.example/kb.zip")}));
}

void UpdateCheckTest::stoppingDuringASlowDownloadReturnsPromptly()
{
    server_->setResponse("/versions/velkor.ver", {200, "0.99\nKB\nhttp://dl.example/\n", 60s});
    FakeWindow window(UiLanguage::Hungarian);
    auto check = std::make_unique<UpdateCheck>(window);
    check->thread().setAddress(server_->url("/versions/velkor.ver"));
    check->start();
    QTRY_COMPARE_WITH_TIMEOUT(server_->requestCount(), 1, 10000);
    QVERIFY(check->thread().isRunning());

    QElapsedTimer clock;
    clock.start();
    check.reset();
    QVERIFY2(clock.elapsed() < 2000, "the check did not stop promptly");
    QCoreApplication::processEvents();
    QVERIFY(window.statusTexts.isEmpty());
    QVERIFY(!VersionFileExists());
}

void UpdateCheckTest::stoppingWhileTheHandOverWaitsDoesNotDeadlock()
{
    // The user-interface thread does not serve events while the download
    // completes, so the worker ends up waiting for the hand-over; then the
    // check is stopped from that thread.
    server_->setResponse("/versions/velkor.ver", {200, "0.99\nKB\nhttp://dl.example/\n"});
    FakeWindow window(UiLanguage::English);
    auto check = std::make_unique<UpdateCheck>(window);
    check->thread().setAddress(server_->url("/versions/velkor.ver"));
    check->start();
    QElapsedTimer clock;
    clock.start();
    while (!check->thread().result() && clock.elapsed() < 10000)
        QThread::msleep(10);
    QVERIFY(check->thread().result());
    QVERIFY(!check->thread().isFinished());

    clock.restart();
    check.reset();
    QVERIFY2(clock.elapsed() < 2000, "the check did not stop promptly");
    QCoreApplication::processEvents();
    QVERIFY(window.statusTexts.isEmpty());
    QCOMPARE(window.announcements, 0);
    QVERIFY(!VersionFileExists());
}

void UpdateCheckTest::stoppingBeforeStartDoesNothing()
{
    FakeWindow window(UiLanguage::English);
    Th_upg thread(window);
    thread.setAddress(server_->url("/versions/velkor.ver"));
    QVERIFY(thread.Stop(1s));
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(thread.isFinished(), 10000);
    QCOMPARE(server_->requestCount(), 0);
    QVERIFY(window.statusTexts.isEmpty());

    // An UpdateCheck that never started is simply destroyed.
    { UpdateCheck unused(window); }
    QVERIFY(window.statusTexts.isEmpty());
}

void UpdateCheckTest::attachedCheckRunsAndEndsWithItsOwner()
{
    server_->setResponse("/versions/velkor.ver", {200, "0.96\r\nKB\r\nhttp://dl.example/kb.zip\r\n"});
    FakeWindow window(UiLanguage::Hungarian);
    // The check reads its address when it is created: a refused connection.
    qputenv(kVersionAddressVariable, QStringLiteral("http://127.0.0.1:%1/versions/velkor.ver")
                                         .arg(test::TestHttpServer::RefusingPort())
                                         .toUtf8());
    auto owner = std::make_unique<QObject>();
    UpdateCheck& check = AttachUpdateCheck(*owner, std::make_unique<ForwardingHost>(window));
    QVERIFY(check.thread().isRunning() || check.thread().isFinished());
    QTRY_VERIFY_WITH_TIMEOUT(check.thread().isFinished(), 15000);
    QCOMPARE(server_->requestCount(), 0);
    QCOMPARE(window.statusTexts, QStringList{"."});
    owner.reset();

    qputenv(kVersionAddressVariable, server_->url("/versions/velkor.ver").toUtf8());
    owner = std::make_unique<QObject>();
    UpdateCheck& second = AttachUpdateCheck(*owner, std::make_unique<ForwardingHost>(window));
    QTRY_VERIFY_WITH_TIMEOUT(second.thread().isFinished(), 15000);
    QCOMPARE(window.status(), QStringLiteral("Új verzió elérhető: KB v0.96"));
    QCOMPARE(window.caption, QStringLiteral("Letöltés"));
    QCOMPARE(window.webAddress, QStringLiteral("http://dl.example/kb.zip"));
    QVERIFY(!VersionFileExists());
    owner.reset();
}

void UpdateCheckTest::attachedCheckStopsWhenItsOwnerGoesEarly()
{
    server_->setResponse("/versions/velkor.ver", {200, "0.99\nKB\nhttp://dl.example/\n", 60s});
    qputenv(kVersionAddressVariable, server_->url("/versions/velkor.ver").toUtf8());
    FakeWindow window(UiLanguage::English);
    auto owner = std::make_unique<QObject>();
    UpdateCheck& check = AttachUpdateCheck(*owner, std::make_unique<ForwardingHost>(window));
    QTRY_COMPARE_WITH_TIMEOUT(server_->requestCount(), 1, 10000);
    QVERIFY(check.thread().isRunning());

    QElapsedTimer clock;
    clock.start();
    owner.reset();
    QVERIFY2(clock.elapsed() < 2000, "the check did not stop promptly");
    QCoreApplication::processEvents();
    QVERIFY(window.statusTexts.isEmpty());
}

}  // namespace kestrane::app

QTEST_MAIN(kestrane::app::UpdateCheckTest)
#include "update_check_test.moc"

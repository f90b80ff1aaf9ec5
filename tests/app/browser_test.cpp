// Opening a web address: only http(s) addresses reach the desktop's browser.
#include "app/browser.h"
#include "support/qt_test_support.h"

#include <QDesktopServices>
#include <QTest>
#include <QUrl>

namespace kestrane::app {

using test::UrlCatcher;

class BrowserTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensWebAddresses_data();
    void opensWebAddresses();
    void refusesEverythingElse_data();
    void refusesEverythingElse();

private:
    // Declared first, destroyed last: the handlers are unset in cleanup().
    UrlCatcher catcher_;
};

void BrowserTest::init()
{
    catcher_.urls.clear();
    for (const char* scheme : {"http", "https", "file", "ftp", "javascript", "mailto"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher_, "open");
}

void BrowserTest::cleanup()
{
    for (const char* scheme : {"http", "https", "file", "ftp", "javascript", "mailto"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void BrowserTest::opensWebAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QUrl>("opened");
    QTest::newRow("http") << "http://kestrane.example/" << QUrl("http://kestrane.example/");
    QTest::newRow("https with path") << "https://dl.example/kb/kb096.zip?x=1"
                                     << QUrl("https://dl.example/kb/kb096.zip?x=1");
    QTest::newRow("blanks around") << "  http://dl.example/  " << QUrl("http://dl.example/");
    QTest::newRow("upper-case scheme") << "HTTP://dl.example/" << QUrl("http://dl.example/");
}

void BrowserTest::opensWebAddresses()
{
    QFETCH(QString, address);
    QFETCH(QUrl, opened);
    QVERIFY(OpenInBrowser(address));
    QCOMPARE(catcher_.urls, QList<QUrl>{opened});
}

void BrowserTest::refusesEverythingElse_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("empty") << "";
    QTest::newRow("file") << "file:///etc/passwd";
    QTest::newRow("ftp") << "ftp://dl.example/kb.zip";
    QTest::newRow("javascript") << "javascript:alert(1)";
    QTest::newRow("mailto") << "mailto:someone@kestrane.example";
    QTest::newRow("no scheme") << "kestrane.example";
    QTest::newRow("no host") << "http:///index.html";
    QTest::newRow("command") << "xterm -e rm -rf ~";
    QTest::newRow("shell after address") << "http://dl.example/ ; rm -rf ~";
}

void BrowserTest::refusesEverythingElse()
{
    QFETCH(QString, address);
    QVERIFY(!OpenInBrowser(address));
    QVERIFY(catcher_.urls.isEmpty());
}

}  // namespace kestrane::app

QTEST_MAIN(kestrane::app::BrowserTest)
#include "browser_test.moc"

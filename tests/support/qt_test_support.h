// Helpers shared by the Qt tests: a file's bytes and a catcher for the
// addresses that would go to the browser.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

namespace kestrane::test {

// The whole file, or nothing when it cannot be read or is no regular file
// (a pipe would block the read, a device never end it).
QByteArray ReadBytes(const QString& path);

// Catches what would go to the browser: install it with
// QDesktopServices::setUrlHandler(scheme, &catcher, "open").
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

}  // namespace kestrane::test

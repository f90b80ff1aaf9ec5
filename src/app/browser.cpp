// Opening a web address in the browser.
#include "app/browser.h"

#include "ui/web_address.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

namespace kestrane::app {

bool OpenInBrowser(const QString& address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    if (!ui::IsWebAddress(url))
        return false;
    // The desktop services need the platform of a GUI application.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return false;
    return QDesktopServices::openUrl(url);
}

}  // namespace kestrane::app

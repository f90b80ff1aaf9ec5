#include "ui/web_address.h"

#include <QUrl>

namespace kestrane::ui {

bool IsWebAddress(const QUrl& url)
{
    if (!url.isValid() || url.isRelative() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme();  // QUrl keeps schemes in lower case
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

}  // namespace kestrane::ui

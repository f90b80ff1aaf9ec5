#include "ui/bundled_fonts.h"

#include <QFontDatabase>
#include <QtGlobal>

namespace kestrane::ui {

QStringList BundledFontFiles()
{
    return {QStringLiteral(":/fonts/DejaVuSansCondensed.ttf"), QStringLiteral(":/fonts/DejaVuSansCondensed-Bold.ttf")};
}

bool RegisterFonts(const QStringList& paths)
{
    bool all = true;
    for (const QString& path : paths) {
        if (QFontDatabase::addApplicationFont(path) < 0) {
            qWarning("Font %s could not be registered; the system's fonts are used instead", qPrintable(path));
            all = false;
        }
    }
    return all;
}

bool RegisterBundledFonts()
{
    static const bool registered = RegisterFonts(BundledFontFiles());
    return registered;
}

}  // namespace kestrane::ui

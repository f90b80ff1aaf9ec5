#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <QPointer>

namespace kestrane::ui {

QString& QtTranslationsFolder()
{
    static QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    return folder;
}

bool UseQtTranslations(UiLanguage language)
{
    // Owned by the application, so it goes with it.
    static QPointer<QTranslator> installed;
    delete installed.data();  // also uninstalls it
    // The dialogs' dates, sizes and numbers follow the language too.
    QLocale::setDefault(QLocale(language == UiLanguage::Hungarian ? QLocale::Hungarian : QLocale::English,
                                language == UiLanguage::Hungarian ? QLocale::Hungary : QLocale::UnitedKingdom));
    if (language != UiLanguage::Hungarian)
        return true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    // qtbase_hu holds the widgets' and dialogs' texts.
    if (!translator->load(QStringLiteral("qtbase_hu"), QtTranslationsFolder())) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

}  // namespace kestrane::ui

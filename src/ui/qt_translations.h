// Qt's own texts (the buttons of the message boxes, the file dialogs) in the
// interface language: Qt's Hungarian translations while the interface is
// Hungarian, its built-in English otherwise.
#pragma once

#include "core/types.h"

#include <QString>

namespace kestrane::ui {

// The folder Qt's translations are read from; by default Qt's own
// (QLibraryInfo::TranslationsPath).
QString& QtTranslationsFolder();

// Installs Qt's translations for `language` in the application, replacing
// the previous ones. False when Hungarian was asked for and its file could
// not be read: Qt's texts then stay English.
bool UseQtTranslations(UiLanguage language);

}  // namespace kestrane::ui

// The fonts the forms name are built into the program: a Qt resource made at
// build time from the DejaVu font files (DejaVu Sans Condensed, regular and
// bold; their licence is beside them as :/fonts/LICENSE-DejaVu.txt). With
// them registered, the windows measure and draw their captions the same on
// every machine, whether or not the font is installed there.
#pragma once

#include <QStringList>

namespace kestrane::ui {

// The font files in the program's resources.
QStringList BundledFontFiles();

// Registers the built-in fonts with the application's font database, once per
// process; later calls return the first call's result. Needs the
// QGuiApplication. Returns false, after a warning, when a font could not be
// registered: the forms then get what the system's font matching offers for
// their family, as they would without the built-in fonts.
bool RegisterBundledFonts();

// Registers the font files `paths` (resource or file paths); returns whether
// every one was registered. A warning names each file that was not.
bool RegisterFonts(const QStringList& paths);

}  // namespace kestrane::ui

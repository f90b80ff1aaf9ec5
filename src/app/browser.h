// Opening a web address in the user's browser.
#pragma once

#include <QString>

namespace kestrane::app {

// Opens `address` in the browser the desktop is set up with
// (QDesktopServices::openUrl; no shell and no command line of our own is
// involved). Only an absolute http or https address with a host is opened
// (blanks around it are dropped); anything else is refused. Returns false
// when the address was refused or nothing could open it. Shows no message.
// Call on the user-interface thread of a running QGuiApplication.
bool OpenInBrowser(const QString& address);

}  // namespace kestrane::app

// The one test for the addresses the program hands to the desktop or to the
// network: an absolute http or https address with a host.
#pragma once

class QUrl;

namespace kestrane::ui {

bool IsWebAddress(const QUrl& url);

}  // namespace kestrane::ui

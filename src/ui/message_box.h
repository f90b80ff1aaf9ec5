// Error reports of the windows. They go through a replaceable function so
// that a headless test can read them instead of blocking on a modal box.
#pragma once

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace kestrane::ui {

using MessageFunction = std::function<void(QWidget* parent, const QString& title, const QString& text)>;

// The function that shows an error report; by default a warning message box.
MessageFunction& MessageBoxFunction();

// Shows an error report through MessageBoxFunction().
void ShowError(QWidget* parent, const QString& title, const QString& text);

// Shows a file that could not be written or read, with the failure under
// it, titled as `parent` (a window).
void ShowFileError(QWidget* parent, const std::string& path, const std::string& failure);

// A notice that does not block: a warning box that is not modal, so the
// window stays in use while it is open; one per window (a new notice
// replaces the text of the one still open).
void ShowNoticeBox(QWidget* parent, const QString& title, const QString& text);

// The function that shows a notice; by default ShowNoticeBox.
MessageFunction& NoticeFunction();

// Shows a notice through NoticeFunction().
void ShowNotice(QWidget* parent, const QString& title, const QString& text);

}  // namespace kestrane::ui

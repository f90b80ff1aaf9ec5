// Error reports of the windows. They go through a replaceable function so
// that a headless test can read them instead of blocking on a modal box.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kestrane::ui {

using MessageFunction = std::function<void(QWidget* parent, const QString& title, const QString& text)>;

// The function that shows an error report; by default a warning message box.
MessageFunction& MessageBoxFunction();

// Shows an error report through MessageBoxFunction().
void ShowError(QWidget* parent, const QString& title, const QString& text);

}  // namespace kestrane::ui

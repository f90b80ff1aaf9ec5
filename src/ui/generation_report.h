// How both windows run a generation and report its outcome.
#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace kestrane::ui {

struct Generated {
    std::filesystem::path path;  // the file written
    std::string status;          // the status text of a finished generation
};

// Runs `generate`. On success the status shows its text, `lastGenerated`
// becomes the file and an open preview shows it. A refused input goes to
// the status and a message box; an input/output failure to a message box
// with the platform's text, the status keeping what it showed. Nothing is
// lost either way: the previous file stays as it was.
void GenerateAndReport(QWidget& window, const std::function<void(const QString&)>& setStatus,
                       const std::function<Generated()>& generate, QString& lastGenerated);

}  // namespace kestrane::ui

// How both windows run a generation and report its outcome.
#pragma once

#include "core/errors.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace kestrane::ui {

struct Generated {
    std::filesystem::path path;  // the file written
    std::string status;          // the status text of a finished generation
    // What will look wrong or load badly in the simulator (the file is
    // written all the same), in the interface language.
    std::vector<std::string> warnings;
};

enum class GenerationOutcome {
    Written,  // the file was written
    Refused,  // an input was refused; nothing was written
    Failed,   // the file could not be written; the previous one stays
    Cancelled,  // stopped by the user; the previous files stay
};

// The messages of a generation's warnings.
std::vector<std::string> WarningTexts(const std::vector<GenerationWarning>& warnings);

// Runs `generate`. On success the status shows its text (followed by the
// warnings, which a notice that does not block also shows), `lastGenerated`
// becomes the file and an open preview shows it. A refused input goes to
// the status and a message box; an input/output failure to a message box
// with the platform's text, the status keeping what it showed. Nothing is
// lost either way: the previous file stays as it was. `result` receives
// what `generate` returned.
GenerationOutcome GenerateAndReport(QWidget& window, const std::function<void(const QString&)>& setStatus,
                                    const std::function<Generated()>& generate, QString& lastGenerated,
                                    Generated* result = nullptr);

// The status text of a written file: its status, then each warning.
QString WrittenStatus(const Generated& result);

}  // namespace kestrane::ui

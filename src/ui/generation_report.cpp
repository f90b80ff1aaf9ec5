#include "ui/generation_report.h"

#include "core/errors.h"
#include "terrain/terrain_tiles.h"
#include "ui/message_box.h"
#include "ui/preview_launch.h"

#include <QFile>
#include <QWidget>

namespace kestrane::ui {

std::vector<std::string> WarningTexts(const std::vector<GenerationWarning>& warnings)
{
    std::vector<std::string> texts;
    for (const GenerationWarning& warning : warnings)
        texts.push_back(warning.message);
    return texts;
}

QString WrittenStatus(const Generated& result)
{
    QString text = QString::fromStdString(result.status);
    for (const std::string& warning : result.warnings)
        text += QStringLiteral(" \u2013 ") + QString::fromStdString(warning);
    return text;
}

GenerationOutcome GenerateAndReport(QWidget& window, const std::function<void(const QString&)>& setStatus,
                                    const std::function<Generated()>& generate, QString& lastGenerated,
                                    Generated* result)
{
    try {
        Generated generated = generate();
        setStatus(WrittenStatus(generated));
        lastGenerated = QFile::decodeName(generated.path.c_str());
        RefreshPreview(lastGenerated);
        if (!generated.warnings.empty()) {
            QStringList lines;
            for (const std::string& warning : generated.warnings)
                lines << QString::fromStdString(warning);
            ShowNotice(&window, window.windowTitle(), lines.join(u'\n'));
        }
        if (result)
            *result = std::move(generated);
        return GenerationOutcome::Written;
    } catch (const GenerationCancelled&) {
        return GenerationOutcome::Cancelled;  // the caller says so
    } catch (const InputError& e) {
        // Refused before anything was opened.
        const QString message = QString::fromStdString(e.what());
        setStatus(message);
        ShowError(&window, window.windowTitle(), message);
        return GenerationOutcome::Refused;
    } catch (const OutputError& e) {
        ShowFileError(&window, e.path(), e.what());
    } catch (const std::exception& e) {
        ShowError(&window, window.windowTitle(), QString::fromStdString(e.what()));
    }
    return GenerationOutcome::Failed;
}

}  // namespace kestrane::ui

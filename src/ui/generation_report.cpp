#include "ui/generation_report.h"

#include "core/errors.h"
#include "ui/message_box.h"
#include "ui/preview_launch.h"

#include <QFile>
#include <QWidget>

namespace kestrane::ui {

void GenerateAndReport(QWidget& window, const std::function<void(const QString&)>& setStatus,
                       const std::function<Generated()>& generate, QString& lastGenerated)
{
    try {
        const Generated result = generate();
        setStatus(QString::fromStdString(result.status));
        lastGenerated = QFile::decodeName(result.path.c_str());
        RefreshPreview(lastGenerated);
    } catch (const InputError& e) {
        // Refused before anything was opened.
        const QString message = QString::fromStdString(e.what());
        setStatus(message);
        ShowError(&window, window.windowTitle(), message);
    } catch (const OutputError& e) {
        ShowError(&window, window.windowTitle(),
                  QStringLiteral("%1\n%2").arg(QString::fromStdString(e.path()), QString::fromStdString(e.what())));
    } catch (const std::exception& e) {
        ShowError(&window, window.windowTitle(), QString::fromStdString(e.what()));
    }
}

}  // namespace kestrane::ui

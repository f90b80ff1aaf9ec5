#include "ui/preset_buttons.h"

#include "core/errors.h"
#include "options/preset.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QPushButton>

namespace kestrane::ui {

namespace {

constexpr LocalText kSaveTitle{"Előbeállítás mentése…", "Save preset…"};
constexpr LocalText kLoadTitle{"Előbeállítás betöltése…", "Load preset…"};
constexpr LocalText kFilter{"Előbeállítások (*.json)", "Presets (*.json)"};

std::filesystem::path LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

PresetButtons::Chooser& PresetButtons::FileChooser()
{
    static Chooser chooser = [](QWidget* parent, bool save, const QString& title, const QString& filter) {
        QString path = ChooseWithFileDialog(parent, save ? FileDialogKind::SaveFile : FileDialogKind::OpenFile, title,
                                            QString(), filter);
        if (save && !path.isEmpty() && !path.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive))
            path += QStringLiteral(".json");
        return path;
    };
    return chooser;
}

PresetButtons::PresetButtons(QPushButton* save, QPushButton* load, std::function<std::string()> json,
                             std::function<void(std::string_view)> apply, std::function<UiLanguage()> language,
                             std::function<void(const QString&)> report)
    : QObject(save), save_(save), load_(load), json_(std::move(json)), apply_(std::move(apply)),
      language_(std::move(language)), report_(std::move(report))
{
    connect(save_, &QPushButton::clicked, this, &PresetButtons::savePreset);
    connect(load_, &QPushButton::clicked, this, &PresetButtons::loadPreset);
}

QString PresetButtons::askFile(bool save) const
{
    if (!FileChooser())
        return {};
    const UiLanguage language = language_();
    return FileChooser()(save_->window(), save, QString::fromUtf8((save ? kSaveTitle : kLoadTitle)(language)),
                         QString::fromUtf8(kFilter(language)));
}

void PresetButtons::savePreset()
{
    const QString path = askFile(true);
    if (path.isEmpty())
        return;
    try {
        SavePreset(LocalPath(path), json_());
        if (report_)
            report_(QString::fromUtf8(LocalText{"Előbeállítás mentve: %1", "Preset saved: %1"}(language_()))
                        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    } catch (const OutputError& e) {
        ShowFileError(save_->window(), e.path(), e.what());
    }
}

void PresetButtons::loadPreset()
{
    const QString path = askFile(false);
    if (path.isEmpty())
        return;
    try {
        apply_(LoadPresetText(LocalPath(path)));
    } catch (const PresetError& e) {
        // The message names the file once: a file that cannot be read is
        // named by the refusal itself.
        const QString file = QDir::toNativeSeparators(path);
        const QString text = QString::fromStdString(e.Text(language_()));
        QWidget* window = load_->window();
        ShowError(window, window->windowTitle(), text.startsWith(file) ? text : file + QStringLiteral("\n") + text);
    }
}

}  // namespace kestrane::ui

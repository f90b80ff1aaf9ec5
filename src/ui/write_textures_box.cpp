#include "ui/write_textures_box.h"

#include "ui/output_folder.h"

#include <QSettings>

#include <algorithm>

namespace kestrane::ui {

namespace {

QString SettingsKey(const QString& key) { return QStringLiteral("writeTextures/") + key; }

}  // namespace

WriteTexturesBox::WriteTexturesBox(const QString& key, const QRect& geometry, QWidget* parent)
    : QCheckBox(parent), key_(key)
{
    setObjectName(QStringLiteral("texturakIrasa"));
    setGeometry(geometry);
    const QSettings settings(OutputFolderSettingsFile(), QSettings::IniFormat);
    setChecked(settings.value(SettingsKey(key_), false).toBool());
    connect(this, &QCheckBox::toggled, this, [this](bool on) {
        QSettings stored(OutputFolderSettingsFile(), QSettings::IniFormat);
        stored.setValue(SettingsKey(key_), on);
        stored.sync();
    });
}

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

void WriteTexturesBox::applyLanguage(UiLanguage language)
{
    setText(QString::fromUtf8(LocalText{"Textúrák írása", "Write textures"}(language)));
    setToolTip(QString::fromUtf8(LocalText{"A hiányzó textúrák (BMP) megírása az objektum mellé; meglévő fájlt nem ír felül.",
                                           "Writes the bitmaps the object names that are not in the folder yet; an "
                                           "existing file is never replaced."}(language)));
}

}  // namespace kestrane::ui

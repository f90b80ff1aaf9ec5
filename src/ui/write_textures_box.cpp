#include "ui/write_textures_box.h"

#include "ui/output_folder.h"

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
    // Remembered beside the output folders, read and written as they are.
    setChecked(RememberedSetting(SettingsKey(key_)) == QStringLiteral("true"));
    connect(this, &QCheckBox::toggled, this, [this](bool on) {
        RememberSetting(SettingsKey(key_), on ? QStringLiteral("true") : QStringLiteral("false"));
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

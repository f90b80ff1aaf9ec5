#include "ui/output_folder.h"

#include "ui/file_dialogs.h"
#include "ui/language_tables.h"

#include "core/errors.h"
#include "core/regular_file.h"
#include "core/replacing_file.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryFile>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane::ui {

namespace {

const LocalText kChooserTitle{"Kimeneti mappa választása", "Choose the output folder"};

QString SettingsKey(const QString& key) { return QStringLiteral("outputFolder/") + key; }

// The remembered folders are read and written as every file the program
// owns: only a regular file under the name, at most kMostSettingsBytes of
// it, and a write replaces the name (a link there is replaced, never
// written through). QSettings parses and prints the INI text, on a private
// copy.
constexpr std::size_t kMostSettingsBytes = 64 * 1024;

// The remembered folders, in a private temporary file QSettings can open.
class SettingsCopy {
public:
    SettingsCopy()
    {
        if (!copy_.open())
            return;
        const std::optional<std::string> bytes =
            ReadRegularFile(QFile::encodeName(OutputFolderSettingsFile()).toStdString(), kMostSettingsBytes);
        if (bytes)
            copy_.write(bytes->data(), static_cast<qint64>(bytes->size()));
        copy_.close();
    }
    QString value(const QString& key) const
    {
        return QSettings(copy_.fileName(), QSettings::IniFormat).value(key).toString();
    }
    // Sets `key` and replaces the remembered file with the whole copy.
    void store(const QString& key, const QString& value)
    {
        {
            QSettings settings(copy_.fileName(), QSettings::IniFormat);
            settings.setValue(key, value);
            settings.sync();
        }
        const std::optional<std::string> bytes =
            ReadRegularFile(QFile::encodeName(copy_.fileName()).toStdString(), kMostSettingsBytes);
        if (!bytes)
            return;
        const QString target = OutputFolderSettingsFile();
        QDir().mkpath(QFileInfo(target).absolutePath());
        try {
            ReplacingFile file;
            file.Open(QFile::encodeName(target).toStdString());
            file.Write(*bytes);
            file.Commit();
        } catch (const OutputError&) {
            // Not remembered: the folder is still used for this run.
        }
    }

private:
    QTemporaryFile copy_;
};

}  // namespace

QString RememberedSetting(const QString& key) { return SettingsCopy().value(key); }

void RememberSetting(const QString& key, const QString& value) { SettingsCopy().store(key, value); }

QString OutputFolderSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/output_folders.ini");
}

OutputFolderLine::Chooser& OutputFolderLine::FolderChooser()
{
    static Chooser chooser = [](QWidget* parent, const QString& title, const QString& start) {
        return ChooseWithFileDialog(parent, FileDialogKind::Folder, title, start);
    };
    return chooser;
}

OutputFolderLine::OutputFolderLine(const QString& key, const QRect& geometry, QWidget* parent)
    : QWidget(parent), key_(key)
{
    setObjectName("kimenetSor");
    setGeometry(geometry);
    const int height = geometry.height();
    constexpr int kGap = 4;
    constexpr int kButtonPadding = 12;
    constexpr int kFormatArrowWidth = 36;
    // The widest caption of `controls` in either language.
    const auto widest = [this](std::initializer_list<std::string_view> controls) {
        int width = 0;
        for (const std::string_view control : controls)
            for (UiLanguage language : {UiLanguage::Hungarian, UiLanguage::English})
                width = std::max(width, fontMetrics().horizontalAdvance(QString::fromUtf8(
                                            (*FindText(TextPart::OutputFolder, TextRole::Caption, control))(language))));
        return width;
    };
    const int captionWidth = widest({"kimenetLabel"}) + 2;
    const int buttonWidth = widest({"kimenetTallozo", "kimenetMegnyit"}) + kButtonPadding;
    caption_ = new QLabel(this);
    caption_->setObjectName("kimenetLabel");
    caption_->setGeometry(0, 0, captionWidth, height);
    // The format box: as wide as its longest item and the arrow.
    const int formatWidth = fontMetrics().horizontalAdvance(QStringLiteral("OBJ")) + kFormatArrowWidth;
    const int editLeft = captionWidth + kGap;
    const int editWidth = geometry.width() - editLeft - 2 * (buttonWidth + kGap) - (formatWidth + kGap);
    edit_ = new QLineEdit(this);
    edit_->setObjectName("kimenetEdit");
    edit_->setReadOnly(true);
    edit_->setGeometry(editLeft, 0, editWidth, height);
    format_ = new QComboBox(this);
    format_->setObjectName("kimenetFormatum");
    for (const ObjectFormat f : {ObjectFormat::B3d, ObjectFormat::Csv, ObjectFormat::Obj})
        format_->addItem(QString::fromLatin1(ObjectFormatName(f)).toUpper(), static_cast<int>(f));
    format_->setGeometry(editLeft + editWidth + kGap, 0, formatWidth, height);
    browse_ = new QPushButton(this);
    browse_->setObjectName("kimenetTallozo");
    browse_->setGeometry(editLeft + editWidth + kGap + formatWidth + kGap, 0, buttonWidth, height);
    open_ = new QPushButton(this);
    open_->setObjectName("kimenetMegnyit");
    open_->setGeometry(geometry.width() - buttonWidth, 0, buttonWidth, height);
    connect(browse_, &QPushButton::clicked, this, &OutputFolderLine::browse);
    connect(open_, &QPushButton::clicked, this, &OutputFolderLine::openFolder);

    // The folder of the last run, while it still exists.
    const QString remembered = RememberedSetting(SettingsKey(key_));
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        chosen_ = remembered;
    showFolder();
    applyLanguage(language_);
}

QString OutputFolderLine::folder() const { return chosen_.isEmpty() ? QDir::currentPath() : chosen_; }

std::filesystem::path OutputFolderLine::folderPath() const { return QFile::encodeName(folder()).toStdString(); }

void OutputFolderLine::setFolder(const QString& folder)
{
    chosen_ = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
    RememberSetting(SettingsKey(key_), chosen_);
    showFolder();
}

ObjectFormat OutputFolderLine::format() const { return static_cast<ObjectFormat>(format_->currentData().toInt()); }

void OutputFolderLine::setFormat(ObjectFormat format)
{
    format_->setCurrentIndex(format_->findData(static_cast<int>(format)));
}

void OutputFolderLine::applyLanguage(UiLanguage language)
{
    language_ = language;
    ApplyTexts(*this, TextPart::OutputFolder, language);
}

void OutputFolderLine::browse()
{
    if (!FolderChooser())
        return;
    const QString picked = FolderChooser()(window(), QString::fromUtf8(kChooserTitle(language_)), folder());
    if (!picked.isEmpty())
        setFolder(picked);
}

std::function<bool(const QString&)>& OutputFolderLine::FolderOpener()
{
    static std::function<bool(const QString&)> opener = [](const QString& folder) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    };
    return opener;
}

void OutputFolderLine::openFolder()
{
    if (FolderOpener() && FolderOpener()(folder()))
        return;
    if (report_)
        report_(QString::fromUtf8(LocalText{"Nincs fájlkezelő, amely megnyitná a mappát: %1",
                                            "No file manager could open the folder: %1"}(language_))
                    .arg(QDir::toNativeSeparators(folder())));
}

void OutputFolderLine::showEvent(QShowEvent* event)
{
    showFolder();  // the working folder may have changed since
    QWidget::showEvent(event);
}

void OutputFolderLine::showFolder()
{
    const QString shown = QDir::toNativeSeparators(folder());
    edit_->setText(shown);
    edit_->setCursorPosition(0);
}

std::string WrittenFilesNote(ObjectFormat format, const std::vector<std::string>& names, UiLanguage language)
{
    if (format == ObjectFormat::B3d || names.empty())
        return {};
    const auto withMaterial = [](const std::string& name) {
        return HasEnding(name, ".obj") ? name + ", " + name.substr(0, name.size() - 4) + ".mtl" : name;
    };
    std::string note = LocalText{" Fájlok: ", " Files: "}(language);
    if (names.size() <= 3) {
        for (std::size_t k = 0; k < names.size(); ++k)
            note += (k ? ", " : "") + withMaterial(names[k]);
    } else {
        note += withMaterial(names.front()) + " … " + withMaterial(names.back()) + " (" +
                std::to_string(names.size()) + ")";
    }
    return note;
}

}  // namespace kestrane::ui

#include "ui/file_dialogs.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QPointer>
#include <QTreeView>

namespace kestrane::ui {

namespace {

// Room for the name column beside the detail columns when the dialog
// opens; it may be resized.
constexpr QSize kDialogSize{760, 460};

// Qt's own file dialog, whose detail view sizes its columns to their
// texts once its widgets exist (at the first show).
class FittedFileDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void showEvent(QShowEvent* event) override
    {
        QFileDialog::showEvent(event);
        auto* details = findChild<QTreeView*>(QStringLiteral("treeView"));
        if (!details)
            return;  // a native dialog
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);  // the name
    }
};

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, FileDialogKind kind, const QString& title,
                                            const QString& start, const QString& filter)
{
    auto dialog = std::make_unique<FittedFileDialog>(parent, title, start, filter);
    switch (kind) {
    case FileDialogKind::OpenFile:
        dialog->setFileMode(QFileDialog::ExistingFile);
        break;
    case FileDialogKind::SaveFile:
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        break;
    case FileDialogKind::Folder:
        dialog->setFileMode(QFileDialog::Directory);
        dialog->setOption(QFileDialog::ShowDirsOnly);
        break;
    }
    dialog->resize(dialog->size().expandedTo(kDialogSize));
    return dialog;
}

QString ChooseWithFileDialog(QWidget* parent, FileDialogKind kind, const QString& title, const QString& start,
                             const QString& filter)
{
    std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent, kind, title, start, filter);
    const QPointer<QFileDialog> open = dialog.get();
    const int result = dialog->exec();
    if (!open) {  // went with its parent while it was open
        dialog.release();
        return {};
    }
    return result == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
}

}  // namespace kestrane::ui

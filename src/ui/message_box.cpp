#include "ui/message_box.h"

#include <QMessageBox>

namespace kestrane::ui {

MessageFunction& MessageBoxFunction()
{
    static MessageFunction function = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::warning(parent, title, text);
    };
    return function;
}

void ShowNoticeBox(QWidget* parent, const QString& title, const QString& text)
{
    auto* box = parent ? parent->findChild<QMessageBox*>(QStringLiteral("kestraneNotice"), Qt::FindDirectChildrenOnly)
                       : nullptr;
    if (!box) {
        box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
        box->setObjectName("kestraneNotice");
        box->setWindowModality(Qt::NonModal);
        box->setAttribute(Qt::WA_DeleteOnClose);
    }
    box->setWindowTitle(title);
    box->setText(text);
    box->show();
    box->raise();
}

MessageFunction& NoticeFunction()
{
    static MessageFunction function = ShowNoticeBox;
    return function;
}

void ShowNotice(QWidget* parent, const QString& title, const QString& text)
{
    if (NoticeFunction())
        NoticeFunction()(parent, title, text);
}

void ShowError(QWidget* parent, const QString& title, const QString& text)
{
    if (MessageBoxFunction())
        MessageBoxFunction()(parent, title, text);
}

void ShowFileError(QWidget* parent, const std::string& path, const std::string& failure)
{
    ShowError(parent, parent->windowTitle(),
              QStringLiteral("%1\n%2").arg(QString::fromStdString(path), QString::fromStdString(failure)));
}

}  // namespace kestrane::ui

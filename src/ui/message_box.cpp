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

void ShowError(QWidget* parent, const QString& title, const QString& text)
{
    if (MessageBoxFunction())
        MessageBoxFunction()(parent, title, text);
}

}  // namespace kestrane::ui

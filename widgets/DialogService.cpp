#include "widgets/DialogService.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

int MessageBoxDialogService::show(const MessageBoxRequest& request)
{
    QMessageBox box;
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    box.setTextFormat(Qt::PlainText);
    switch (request.icon) {
    case MessageBoxRequest::Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageBoxRequest::Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageBoxRequest::Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    QList<QPushButton*> buttons;
    for (int i = 0; i < request.buttons.size(); ++i) {
        const auto role = i == request.escapeButton ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        buttons.append(box.addButton(request.buttons[i], role));
    }
    box.setDefaultButton(buttons.value(request.defaultButton));
    const int escape = request.escapeButton >= 0 ? request.escapeButton : request.defaultButton;
    box.setEscapeButton(buttons.value(escape));
    box.exec();
    const int chosen = int(buttons.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
    return chosen >= 0 ? chosen : escape;
}

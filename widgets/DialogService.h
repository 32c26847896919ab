#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// What a modal message box shows.
struct MessageBoxRequest
{
    enum class Icon
    {
        None,
        Error,
        Question
    };

    QString caption;
    QString text;
    Icon icon = Icon::None;
    QStringList buttons = {QStringLiteral("OK")};
    int defaultButton = 0;
    int escapeButton = -1; // the button chosen by Esc and the close button; -1: the default button
};

// Every modal box of the program goes through this, so window tests can answer boxes instead of blocking.
class DialogService
{
public:
    virtual ~DialogService() = default;
    // Shows the box modally; returns the index of the chosen button.
    virtual int show(const MessageBoxRequest& request) = 0;
};

// The real boxes: QMessageBox, centred on the screen, modal to the whole program.
class MessageBoxDialogService : public DialogService
{
public:
    int show(const MessageBoxRequest& request) override;
};

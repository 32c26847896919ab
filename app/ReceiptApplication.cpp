#include "app/ReceiptApplication.h"

#include "assets/Assets.h"
#include "text/FailureReport.h"

#include <QIcon>
#include <QWidget>

ReceiptApplication::ReceiptApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The desktop matches the windows to the installed menu entry by this name; windows without an icon of
    // their own (the message boxes) show the program's icon, while the main window keeps its printer.
    setDesktopFileName(QStringLiteral("com.example.Receipt"));
    setWindowIcon(QIcon(Assets::programIcon()));
}

bool ReceiptApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        // A press or drag in progress must not outlive the failure that interrupted it.
        if (QWidget* grabber = QWidget::mouseGrabber())
            grabber->releaseMouse();
        reportFailure(error);
        return true;
    }
}

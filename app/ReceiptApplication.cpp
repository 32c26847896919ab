#include "app/ReceiptApplication.h"

#include "text/FailureReport.h"

#include <QWidget>

ReceiptApplication::ReceiptApplication(int& argc, char** argv) : QApplication(argc, argv) {}

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

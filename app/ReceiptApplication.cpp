#include "app/ReceiptApplication.h"

#include "assets/Assets.h"
#include "text/Failure.h"
#include "text/FailureReport.h"

#include <QIcon>
#include <QMetaEnum>
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
        unguardedFailure(receiver, event, error);
        return true;
    }
}

QString ReceiptApplication::describe(const QObject* receiver, const QEvent* event)
{
    const char* type = QMetaEnum::fromType<QEvent::Type>().valueToKey(event->type());
    return QStringLiteral("%1 for %2 '%3'")
        .arg(type ? QString::fromLatin1(type) : QString::number(event->type()),
             QString::fromLatin1(receiver->metaObject()->className()), receiver->objectName());
}

void ReceiptApplication::unguardedFailure(const QObject* receiver, const QEvent* event,
                                          const std::exception& error)
{
    qCritical("Unguarded failure in the handling of %s: %s", qPrintable(describe(receiver, event)),
              qPrintable(failureMessage(error)));
    reportFailure(error);
}

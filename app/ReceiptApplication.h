#pragma once

#include <QApplication>
#include <exception>

// The application object. Handlers report their own failures (runGuarded); this is the last line that
// catches anything still escaping an event, since Qt does not let exceptions cross its event loop. A failure
// caught here is a handler without its guard, so it is logged with the receiver and the event.
class ReceiptApplication : public QApplication
{
    Q_OBJECT

public:
    ReceiptApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // "<event type> for <class> '<object name>'", as the log names an unguarded failure's event.
    static QString describe(const QObject* receiver, const QEvent* event);

protected:
    // Logs the failure and hands it to the default error display.
    virtual void unguardedFailure(const QObject* receiver, const QEvent* event, const std::exception& error);
};

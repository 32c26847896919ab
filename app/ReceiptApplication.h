#pragma once

#include <QApplication>

// The application object. Handlers report their own failures (runGuarded); this is the last line that
// catches anything still escaping an event, since Qt does not let exceptions cross its event loop.
class ReceiptApplication : public QApplication
{
    Q_OBJECT

public:
    ReceiptApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The application object. Qt does not let exceptions cross its event loop, so this is the one place where a
// failure escaping any handler (events, clicks, keys, the clock) is caught and handed to the error display.
class ReceiptApplication : public QApplication
{
    Q_OBJECT

public:
    ReceiptApplication(int& argc, char** argv);

    void setErrorDisplay(std::function<void(const std::exception&)> display)
    {
        m_errorDisplay = std::move(display);
    }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::function<void(const std::exception&)> m_errorDisplay;
};

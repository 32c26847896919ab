#pragma once

#include "app/ReceiptApplication.h"

#include <QStringList>

// The application object of the window tests. A failure that only the notify guard catches escaped a
// handler's own guard: it is recorded apart from the boxes the handlers show, fails the running test, and
// fails the run.
class TestApplication : public ReceiptApplication
{
public:
    TestApplication(int& argc, char** argv);

    // Runs a Qt Test object; non-zero when a test failed or a failure escaped a guard.
    int run(QObject& test, int argc, char** argv);

    const QStringList& unguardedFailures() const { return m_unguarded; }

protected:
    void unguardedFailure(const QObject* receiver, const QEvent* event, const std::exception& error) override;

private:
    QStringList m_unguarded;
};

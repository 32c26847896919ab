#pragma once

#include "app/UnitMain.h"
#include "tests/support/RecordingDialogService.h"
#include "tests/support/RecordingPrintDevice.h"
#include "tests/support/RecordingPrintSystem.h"
#include "tests/support/TestDatabase.h"

#include <QDateTime>
#include <memory>

// A real TFormMain over a real data.mdb in a folder of its own, with recorded boxes and a settable clock.
class WindowFixture
{
public:
    explicit WindowFixture(std::unique_ptr<TestDatabase> database = std::make_unique<TestDatabase>());
    ~WindowFixture();

    // Creates the window (the create step runs) and, unless told not to, shows it and waits until active;
    // a window that does not become active fails the running test there.
    TFormMain& open(bool show = true);
    TFormMain& form() { return *m_form; }
    TestDatabase& database() { return *m_database; }
    QString executablePath() const;
    // The texts of the error boxes shown so far.
    QStringList errors() const;

    RecordingDialogService dialogs;
    QDateTime clock{QDate(2024, 3, 5), QTime(9, 7, 30)};
    // A print goes to memory unless a test sets its own printer.
    std::shared_ptr<PrintSystem> printSystem = std::make_shared<RecordingPrintSystem>();
    DocumentDeviceFactory printDevices = recordingQueueDevices(std::make_shared<PrintRecord>());

private:
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<TFormMain> m_form;
};

// Shows a window and waits until it is the active one; a window that does not become active fails the
// running test there, rather than at a later, puzzling check of the focus.
bool showActive(QWidget& window);

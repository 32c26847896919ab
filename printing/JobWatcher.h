#pragma once

#include "printing/PrintSystem.h"

#include <QElapsedTimer>
#include <QObject>
#include <memory>

// Watches a submitted job for a few seconds without holding the window: asks the print system about it on
// a worker thread every so often and tells, once, when the job will not print as it stands. A job that
// completes, or still waits without a problem when the time is up, says nothing. Deletes itself when done.
class JobWatcher : public QObject
{
    Q_OBJECT

public:
    JobWatcher(std::shared_ptr<PrintSystem> system, PrinterQueue queue, int job, int watchMs,
               QObject* parent = nullptr);

signals:
    void problem(const QString& message);

private:
    void poll();
    void answered(const JobStatus& status);
    void finish(const QString& message = QString());

    std::shared_ptr<PrintSystem> m_system;
    PrinterQueue m_queue;
    int m_job;
    int m_watchMs;
    QElapsedTimer m_elapsed;
};

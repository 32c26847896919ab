#include "printing/JobWatcher.h"

#include "printing/PrintMessages.h"

#include <QFutureWatcher>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <optional>

namespace {
constexpr int kPollIntervalMs = 200;

bool willNotPrint(const JobStatus& status)
{
    return status.state != JobStatus::State::Completed &&
           (status.state != JobStatus::State::Waiting ||
            !PrintMessages::printerProblem(status.printerReasons).isEmpty());
}
} // namespace

JobWatcher::JobWatcher(std::shared_ptr<PrintSystem> system, PrinterQueue queue, int job, int watchMs,
                       QObject* parent)
    : QObject(parent), m_system(std::move(system)), m_queue(std::move(queue)), m_job(job), m_watchMs(watchMs)
{
    m_elapsed.start();
    QTimer::singleShot(0, this, &JobWatcher::poll);
}

void JobWatcher::poll()
{
    // The watcher is a child of this object, so an answer that comes after the watcher is gone is dropped.
    auto* watcher = new QFutureWatcher<std::optional<JobStatus>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        watcher->deleteLater();
        const std::optional<JobStatus> status = watcher->result();
        if (status)
            answered(*status);
        else
            finish(PrintMessages::unconfirmed(m_queue.name));
    });
    watcher->setFuture(QtConcurrent::run([system = m_system, queue = m_queue, job = m_job] {
        try {
            JobStatus status = system->jobStatus(queue, job);
            // A job the clerk is told did not print must not come out later, once the printer is mended,
            // beside the receipt printed again.
            if (willNotPrint(status) && status.state != JobStatus::State::Canceled &&
                status.state != JobStatus::State::Aborted)
                system->cancelJob(queue, job);
            return std::optional<JobStatus>(status);
        } catch (const std::exception&) {
            return std::optional<JobStatus>();
        }
    }));
}

void JobWatcher::answered(const JobStatus& status)
{
    if (status.state == JobStatus::State::Completed)
        return finish();
    if (willNotPrint(status))
        return finish(PrintMessages::didNotPrint(m_queue.name, status));
    if (m_elapsed.elapsed() >= m_watchMs)
        return finish();
    QTimer::singleShot(kPollIntervalMs, this, &JobWatcher::poll);
}

void JobWatcher::finish(const QString& message)
{
    if (!message.isEmpty())
        emit problem(message);
    deleteLater();
}

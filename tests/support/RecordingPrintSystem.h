#pragma once

#include "printing/PrintSystem.h"
#include "text/Failure.h"

#include <QList>
#include <optional>

// A print system in memory: one queue as set, every submitted document kept, every job completed at once.
// A failure set for a step is thrown there, as the real system throws its clerk's texts.
class RecordingPrintSystem : public PrintSystem
{
public:
    PrinterQueue queue(const QString&) override
    {
        if (queueFailure)
            throw Failure(*queueFailure, QStringLiteral("EPrinter"));
        return printer;
    }

    int submit(const PrinterQueue&, const JobDocument& document) override
    {
        if (submitFailure)
            throw Failure(*submitFailure, QStringLiteral("EPrinter"));
        submitted.append(document);
        return int(submitted.size());
    }

    JobStatus jobStatus(const PrinterQueue&, int) override
    {
        if (statusFailure)
            throw Failure(*statusFailure, QStringLiteral("EPrinter"));
        return status;
    }
    void cancelJob(const PrinterQueue&, int job) override { canceled.append(job); }

    PrinterQueue printer = [] {
        PrinterQueue queue;
        queue.name = QStringLiteral("POS58");
        return queue;
    }();
    std::optional<QString> queueFailure;
    std::optional<QString> submitFailure;
    std::optional<QString> statusFailure;
    JobStatus status{JobStatus::State::Completed, {}, {}};
    QList<JobDocument> submitted;
    QList<int> canceled;
};

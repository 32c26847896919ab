#pragma once

#include "printing/PrinterQueue.h"

// What the receipt printer needs from the print system. Every call may block while the system answers
// (never longer than its own time limit), so callers keep them off the window's thread. Failures are
// thrown as Failure with the text the clerk sees.
class PrintSystem
{
public:
    virtual ~PrintSystem() = default;

    // The queue named (empty: the default queue) with its state now. A named queue that no longer exists
    // gives the default queue instead.
    virtual PrinterQueue queue(const QString& name) = 0;
    // Submits the document as one job and returns the job's id.
    virtual int submit(const PrinterQueue& queue, const JobDocument& document) = 0;
    virtual JobStatus jobStatus(const PrinterQueue& queue, int job) = 0;
    virtual void cancelJob(const PrinterQueue& queue, int job) = 0;
};

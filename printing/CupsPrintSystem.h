#pragma once

#include "printing/PrintSystem.h"

#include <QStringList>
#include <memory>
#include <mutex>

typedef struct _ipp_attribute_s ipp_attribute_t;

// The print system through the CUPS API, each call on a connection of its own whose every wait for the
// scheduler ends after the time limit, so a scheduler that has stopped answering is a failure, not a hang.
class CupsPrintSystem : public PrintSystem
{
public:
    explicit CupsPrintSystem(int timeoutMs = 4000);
    ~CupsPrintSystem() override;

    PrinterQueue queue(const QString& name) override;
    int submit(const PrinterQueue& queue, const JobDocument& document) override;
    JobStatus jobStatus(const PrinterQueue& queue, int job) override;
    void cancelJob(const PrinterQueue& queue, int job) override;

private:
    struct Destination;

    int m_timeoutMs;
    // The queue as the last look-up found it, so the submission that follows need not ask again.
    std::mutex m_mutex;
    std::unique_ptr<Destination> m_lastQueue;
};

// Where the queue's own words decide the output: its "receipt-output" option ("escpos" or "driver") first,
// then a queue without a driver (raw, or PDF not among its document formats) gets ESC/POS.
PrinterQueue::Output chooseOutput(const QString& receiptOutput, const QString& makeAndModel,
                                  const QStringList& documentFormats);

// The dots per inch of a printer-resolution value (the vertical one); the fallback when there is none or it
// is not a resolution.
int dotsPerInch(ipp_attribute_t* resolution, int fallback);

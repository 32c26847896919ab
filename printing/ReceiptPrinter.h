#pragma once

#include "printing/DocumentDevice.h"
#include "printing/PrintSystem.h"
#include "receipt/ReceiptComposition.h"

#include <QObject>
#include <memory>

class ReceiptItemSource;
class TPrinterLineOutput;

// Puts each receipt on the chosen queue as one job and never reports a receipt as printed unless the print
// system took it: the queue is asked before the job, the submission is checked, and the job is watched for
// a few seconds afterwards. No call to the print system holds the caller's event loop beyond the answer
// limit. The queue is chosen at the first print and kept while prints succeed; after a failure the default
// queue is looked up afresh, so printing recovers by itself once the scheduler or the printer is back.
class ReceiptPrinter : public QObject
{
    Q_OBJECT

public:
    static constexpr int kAnswerLimitMs = 5000;
    static constexpr int kWatchMs = 5000;

    ReceiptPrinter(std::shared_ptr<PrintSystem> system, DocumentDeviceFactory devices,
                   QObject* parent = nullptr);
    ~ReceiptPrinter() override;

    // Prints one receipt and returns once the print system holds its job. Throws a Failure with the
    // clerk's text when the receipt will not print; a failure of the items half-way submits nothing.
    void print(const ReceiptFields& fields, ReceiptItemSource& items);

signals:
    // A job that print() handed over will not print as it stands, or waits for a paused printer. Told after
    // print() has returned.
    void jobProblem(const QString& message);

private:
    void useQueue(const PrinterQueue& queue);
    void tellLater(const QString& message);

    std::shared_ptr<PrintSystem> m_system;
    DocumentDeviceFactory m_devices;
    QString m_chosen;
    PrinterQueue m_queue;
    std::unique_ptr<TPrinterLineOutput> m_output;
    DocumentDevice* m_device = nullptr; // owned by m_output
    bool m_busy = false;
};

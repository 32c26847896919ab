#include "printing/ReceiptPrinter.h"

#include "printing/AnswerWithin.h"
#include "printing/JobWatcher.h"
#include "printing/PrintMessages.h"
#include "receipt/ReceiptPrinting.h"
#include "receipt/TPrinterLineOutput.h"

#include <QScopeGuard>

namespace {
Failure printerFailure(const QString& message)
{
    return Failure(message, QStringLiteral("EPrinter"));
}

// Queues that draw alike can share one device; anything else needs a device of its own.
bool drawsAlike(const PrinterQueue& a, const PrinterQueue& b)
{
    return a.name == b.name && a.output == b.output && a.cutter == b.cutter && a.resolution == b.resolution &&
           a.paper == b.paper && a.margins == b.margins;
}
} // namespace

ReceiptPrinter::ReceiptPrinter(std::shared_ptr<PrintSystem> system, DocumentDeviceFactory devices,
                               QObject* parent)
    : QObject(parent), m_system(std::move(system)), m_devices(std::move(devices))
{
}

ReceiptPrinter::~ReceiptPrinter() = default;

void ReceiptPrinter::print(const ReceiptFields& fields, ReceiptItemSource& items)
{
    // The event loop runs while the print system answers, so a second click can arrive in the middle.
    if (m_busy)
        throw printerFailure(QStringLiteral("Printing in progress"));
    m_busy = true;
    const auto idle = qScopeGuard([this] { m_busy = false; });
    try {
        const PrinterQueue queue = answerWithin<PrinterQueue>(
            kAnswerLimitMs, [system = m_system, name = m_chosen] { return system->queue(name); },
            printerFailure(PrintMessages::notAnswering(m_chosen)));
        if (!queue.accepting)
            throw printerFailure(PrintMessages::notAccepting(queue.name));
        useQueue(queue);
        printReceipt(*m_output, fields, items);
        const JobDocument document = m_device->finishedJob();
        // A job that the print system creates after the window gave up waiting is cancelled: the clerk was
        // told this receipt did not print.
        const int job = answerWithin<int>(
            kAnswerLimitMs, [system = m_system, queue, document] { return system->submit(queue, document); },
            printerFailure(PrintMessages::notAnswering(queue.name)),
            [system = m_system, queue](int late) { system->cancelJob(queue, late); });
        m_chosen = queue.name;
        if (queue.paused()) {
            tellLater(PrintMessages::waitsUntilResumed(queue.name));
        } else {
            auto* watcher = new JobWatcher(m_system, queue, job, kWatchMs, this);
            connect(watcher, &JobWatcher::problem, this, [this](const QString& message) {
                m_chosen.clear();
                emit jobProblem(message);
            });
        }
    } catch (...) {
        m_chosen.clear();
        throw;
    }
}

void ReceiptPrinter::useQueue(const PrinterQueue& queue)
{
    if (m_output && drawsAlike(queue, m_queue))
        return;
    auto device = std::make_shared<std::unique_ptr<DocumentDevice>>(m_devices(queue));
    if (!*device)
        throw printerFailure(QStringLiteral("Printer selected is not valid"));
    m_device = device->get();
    // The line output keeps its device for every later job on this queue.
    m_output = std::make_unique<TPrinterLineOutput>(
        [device]() -> std::unique_ptr<PrintDevice> { return std::move(*device); });
    m_queue = queue;
}

void ReceiptPrinter::tellLater(const QString& message)
{
    QMetaObject::invokeMethod(
        this, [this, message] { emit jobProblem(message); }, Qt::QueuedConnection);
}

#include "printing/CupsPrintSystem.h"

#include "printing/PrintMessages.h"
#include "text/Failure.h"

#include <cerrno>
#include <cmath>
#include <cups/cups.h>
#include <memory>

namespace {
constexpr int kFallbackResolution = 203;
const QByteArray kPdf = QByteArrayLiteral("application/pdf");

template <auto release> struct Releaser
{
    template <typename T> void operator()(T* handle) const { release(handle); }
};

void freeDest(cups_dest_t* dest)
{
    cupsFreeDests(1, dest);
}

using Http = std::unique_ptr<http_t, Releaser<httpClose>>;
using Dest = std::unique_ptr<cups_dest_t, Releaser<freeDest>>;
using DestInfo = std::unique_ptr<cups_dinfo_t, Releaser<cupsFreeDestInfo>>;
using Ipp = std::unique_ptr<ipp_t, Releaser<ippDelete>>;

Failure printerFailure(const QString& message)
{
    return Failure(message, QStringLiteral("EPrinter"));
}

bool succeeded(ipp_status_t status)
{
    return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

// Why a request on this connection failed: the scheduler gone or silent, or an answer that refuses.
Failure requestFailure(http_t* http, const QString& printer)
{
    if (httpError(http) == ETIMEDOUT)
        return printerFailure(PrintMessages::notAnswering(printer));
    const ipp_status_t status = cupsLastError();
    if (status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || httpError(http) != 0)
        return printerFailure(PrintMessages::unreachable(printer));
    return printerFailure(PrintMessages::refused(printer, QString::fromUtf8(cupsLastErrorString())));
}

Http connect(int timeoutMs, const QString& printer)
{
    int cancel = 0;
    Http http(
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, timeoutMs, &cancel));
    if (!http)
        throw printerFailure(PrintMessages::unreachable(printer));
    httpSetTimeout(http.get(), timeoutMs / 1000.0, nullptr, nullptr);
    return http;
}

QString destName(const cups_dest_t& dest)
{
    const QString name = QString::fromUtf8(dest.name);
    return dest.instance ? name + u'/' + QString::fromUtf8(dest.instance) : name;
}

// The queue by its name (with "/instance"), or the default queue for an empty name.
Dest findDest(http_t* http, const QString& name)
{
    const QStringList parts = name.split(u'/');
    const QByteArray queue = parts.value(0).toUtf8();
    const QByteArray instance = parts.value(1).toUtf8();
    return Dest(cupsGetNamedDest(http, name.isEmpty() ? nullptr : queue.constData(),
                                 instance.isEmpty() ? nullptr : instance.constData()));
}

QString option(const cups_dest_t& dest, const char* name)
{
    return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
}

QStringList values(ipp_attribute_t* attribute)
{
    QStringList result;
    for (int at = 0; attribute && at < ippGetCount(attribute); ++at)
        result.append(QString::fromUtf8(ippGetString(attribute, at, nullptr)));
    return result;
}

QStringList reasonList(QStringList reasons)
{
    reasons.removeAll(QStringLiteral("none"));
    reasons.removeAll(QString());
    return reasons;
}

QByteArray localUri(const QByteArray& resource)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                    resource.constData());
    return QByteArray(uri);
}

QByteArray jobUri(int job)
{
    return localUri("/jobs/" + QByteArray::number(job));
}

// One request on the connection; the answer, or the failure it makes for the clerk.
Ipp request(http_t* http, ipp_t* request, const QString& printer)
{
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    Ipp response(cupsDoRequest(http, request, "/"));
    if (!response || !succeeded(cupsLastError()))
        throw requestFailure(http, printer);
    return response;
}
} // namespace

struct CupsPrintSystem::Destination
{
    QString name;
    Dest dest;
    DestInfo info;
};

PrinterQueue::Output chooseOutput(const QString& receiptOutput, const QString& makeAndModel,
                                  const QStringList& documentFormats)
{
    if (receiptOutput == QStringLiteral("escpos"))
        return PrinterQueue::Output::EscPos;
    if (receiptOutput == QStringLiteral("driver"))
        return PrinterQueue::Output::Driver;
    const bool noDriver = makeAndModel.isEmpty() || makeAndModel == QStringLiteral("Local Raw Printer");
    return noDriver || !documentFormats.contains(QString::fromLatin1(kPdf)) ? PrinterQueue::Output::EscPos
                                                                            : PrinterQueue::Output::Driver;
}

int dotsPerInch(ipp_attribute_t* resolution, int fallback)
{
    if (!resolution || ippGetValueTag(resolution) != IPP_TAG_RESOLUTION || ippGetCount(resolution) < 1)
        return fallback;
    int vertical = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    ippGetResolution(resolution, 0, &vertical, &units);
    if (units == IPP_RES_PER_CM)
        vertical = int(std::lround(vertical * 2.54));
    return vertical > 0 ? vertical : fallback;
}

CupsPrintSystem::CupsPrintSystem(int timeoutMs) : m_timeoutMs(timeoutMs) {}

CupsPrintSystem::~CupsPrintSystem() = default;

PrinterQueue CupsPrintSystem::queue(const QString& name)
{
    Http http = connect(m_timeoutMs, name);
    Dest dest = findDest(http.get(), name);
    if (!dest && !name.isEmpty() && cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
        dest = findDest(http.get(), QString()); // the chosen queue is gone: the default takes its place
    if (!dest) {
        if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND && httpError(http.get()) == 0)
            throw printerFailure(PrintMessages::noDefaultPrinter());
        throw requestFailure(http.get(), name);
    }
    PrinterQueue queue;
    queue.name = destName(*dest);
    DestInfo info(cupsCopyDestInfo(http.get(), dest.get()));
    if (!info)
        throw requestFailure(http.get(), queue.name);

    queue.accepting = option(*dest, "printer-is-accepting-jobs") != QStringLiteral("false");
    switch (option(*dest, "printer-state").toInt()) {
    case IPP_PSTATE_PROCESSING:
        queue.state = PrinterQueue::State::Processing;
        break;
    case IPP_PSTATE_STOPPED:
        queue.state = PrinterQueue::State::Stopped;
        break;
    default:
        queue.state = PrinterQueue::State::Idle;
        break;
    }
    queue.reasons = reasonList(option(*dest, "printer-state-reasons").split(u','));
    queue.output =
        chooseOutput(option(*dest, "receipt-output"), option(*dest, "printer-make-and-model"),
                     values(cupsFindDestSupported(http.get(), dest.get(), info.get(), "document-format")));
    queue.cutter = QStringList{QStringLiteral("yes"), QStringLiteral("true"), QStringLiteral("on")}.contains(
        option(*dest, "receipt-cutter"));
    queue.resolution = dotsPerInch(
        cupsFindDestDefault(http.get(), dest.get(), info.get(), "printer-resolution"), kFallbackResolution);
    cups_size_t size;
    if (cupsGetDestMediaDefault(http.get(), dest.get(), info.get(), 0, &size) && size.width > 0 &&
        size.length > 0) {
        // CUPS gives media in hundredths of a millimetre.
        queue.paper = QSizeF(size.width / 100.0, size.length / 100.0);
        queue.margins =
            QMarginsF(size.left / 100.0, size.top / 100.0, size.right / 100.0, size.bottom / 100.0);
    }
    const std::lock_guard lock(m_mutex);
    m_lastQueue.reset(new Destination{queue.name, std::move(dest), std::move(info)});
    return queue;
}

int CupsPrintSystem::submit(const PrinterQueue& queue, const JobDocument& document)
{
    Http http = connect(m_timeoutMs, queue.name);
    std::unique_ptr<Destination> found;
    {
        const std::lock_guard lock(m_mutex);
        if (m_lastQueue && m_lastQueue->name == queue.name)
            found = std::move(m_lastQueue);
    }
    if (!found) {
        found.reset(new Destination{queue.name, findDest(http.get(), queue.name), nullptr});
        if (!found->dest)
            throw requestFailure(http.get(), queue.name);
        found->info.reset(cupsCopyDestInfo(http.get(), found->dest.get()));
        if (!found->info)
            throw requestFailure(http.get(), queue.name);
    }
    cups_dest_t* dest = found->dest.get();
    cups_dinfo_t* info = found->info.get();
    int job = 0;
    // The job and its document go without a name, as the receipt always has.
    if (!succeeded(cupsCreateDestJob(http.get(), dest, info, &job, "", 0, nullptr)) || job <= 0)
        throw requestFailure(http.get(), queue.name);
    // Whatever fails from here on cancels the job, so that no part of the receipt prints later. The
    // cancellation's own result changes nothing: the clerk is told the receipt did not print either way.
    const auto fail = [&]() -> Failure {
        Failure failure = requestFailure(http.get(), queue.name);
        cupsCancelDestJob(http.get(), dest, job);
        return failure;
    };
    if (cupsStartDestDocument(http.get(), dest, info, job, "", document.format.constData(), 0, nullptr, 1) !=
        HTTP_STATUS_CONTINUE)
        throw fail();
    if (cupsWriteRequestData(http.get(), document.bytes.constData(), size_t(document.bytes.size())) !=
        HTTP_STATUS_CONTINUE) {
        cupsFinishDestDocument(http.get(), dest, info);
        throw fail();
    }
    if (!succeeded(cupsFinishDestDocument(http.get(), dest, info)))
        throw fail();
    return job;
}

JobStatus CupsPrintSystem::jobStatus(const PrinterQueue& queue, int job)
{
    Http http = connect(m_timeoutMs, queue.name);
    ipp_t* jobRequest = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(jobRequest, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, jobUri(job).constData());
    const Ipp jobAnswer = request(http.get(), jobRequest, queue.name);

    const QByteArray printerName = queue.name.section(u'/', 0, 0).toUtf8();
    ipp_t* printerRequest = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(printerRequest, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 localUri("/printers/" + printerName).constData());
    static const char* const wanted[] = {"printer-state-reasons", "printer-state-message"};
    ippAddStrings(printerRequest, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  wanted);
    const Ipp printerAnswer = request(http.get(), printerRequest, queue.name);

    JobStatus status;
    switch (ippGetInteger(ippFindAttribute(jobAnswer.get(), "job-state", IPP_TAG_ENUM), 0)) {
    case IPP_JSTATE_COMPLETED:
        status.state = JobStatus::State::Completed;
        break;
    case IPP_JSTATE_HELD:
        status.state = JobStatus::State::Held;
        break;
    case IPP_JSTATE_STOPPED:
        status.state = JobStatus::State::Stopped;
        break;
    case IPP_JSTATE_CANCELED:
        status.state = JobStatus::State::Canceled;
        break;
    case IPP_JSTATE_ABORTED:
        status.state = JobStatus::State::Aborted;
        break;
    default:
        status.state = JobStatus::State::Waiting;
        break;
    }
    status.printerReasons =
        reasonList(values(ippFindAttribute(printerAnswer.get(), "printer-state-reasons", IPP_TAG_KEYWORD)));
    status.printerMessage = QString::fromUtf8(ippGetString(
        ippFindAttribute(printerAnswer.get(), "printer-state-message", IPP_TAG_TEXT), 0, nullptr));
    return status;
}

void CupsPrintSystem::cancelJob(const PrinterQueue& queue, int job)
{
    Http http = connect(m_timeoutMs, queue.name);
    ipp_t* cancel = ippNewRequest(IPP_OP_CANCEL_JOB);
    ippAddString(cancel, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, jobUri(job).constData());
    request(http.get(), cancel, queue.name);
}

#include "printing/QueueDevices.h"

#include "printing/EscPosPrintDevice.h"
#include "printing/PdfPrintDevice.h"

#include <cmath>

namespace {
constexpr double kMillimetresPerInch = 25.4;
}

std::unique_ptr<DocumentDevice> queueDevices(const PrinterQueue& queue)
{
    if (queue.output == PrinterQueue::Output::Driver)
        return std::make_unique<PdfPrintDevice>(queue);
    const double printable = queue.paper.width() - queue.margins.left() - queue.margins.right();
    const int dotsAcross = int(std::lround(printable * queue.resolution / kMillimetresPerInch));
    return std::make_unique<EscPosPrintDevice>(dotsAcross, queue.resolution, queue.cutter);
}

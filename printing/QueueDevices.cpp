#include "printing/QueueDevices.h"

#include "printing/PdfPrintDevice.h"

std::unique_ptr<DocumentDevice> queueDevices(const PrinterQueue& queue)
{
    return std::make_unique<PdfPrintDevice>(queue);
}

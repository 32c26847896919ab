#pragma once

#include "printing/PrinterQueue.h"
#include "receipt/PrintDevice.h"

#include <functional>
#include <memory>

// A print device that renders the job in memory, to be handed to the print system as one document.
class DocumentDevice : public PrintDevice
{
public:
    // The job as the last endDocument() left it.
    virtual JobDocument finishedJob() const = 0;
};

// The device that draws for a queue, as its output and paper ask.
using DocumentDeviceFactory = std::function<std::unique_ptr<DocumentDevice>(const PrinterQueue&)>;

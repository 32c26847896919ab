#pragma once

#include "printing/DocumentDevice.h"

// The device a queue's output asks for: a PDF for its driver, or ESC/POS raster for a printer without one,
// at the queue's resolution on its paper.
std::unique_ptr<DocumentDevice> queueDevices(const PrinterQueue& queue);

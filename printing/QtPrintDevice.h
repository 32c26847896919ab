#pragma once

#include "receipt/PrintDevice.h"

// The system's default printer through Qt Print Support and CUPS. The printer is looked up at the first
// call that finds one, among the printers listed at the first call, and stays chosen for the run. Each
// device prints on the printer's own default page size and resolution, in a font whose Latin letters are
// exactly half as wide as its Chinese characters, so that columns counted in code page 936 units line up.
PrintDeviceFactory qtPrintDeviceFactory();

#pragma once
// What the print dialog and the print job need to know about the current
// printer.
#include "viewer/layout/PrintLayout.h"

class QPrinter;

namespace viewer {

// False when nothing can be printed: no printer is installed and no output
// file has been chosen in the printer setup.
bool PrinterAvailable(const QPrinter& printer);

// The printable area in device pixels; an A4 portrait page at the printer's
// resolution when no printer is available, so the preview still has a page.
PageSize PrintableArea(const QPrinter& printer);

}  // namespace viewer

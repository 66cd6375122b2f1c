#pragma once
// The platform's printers through Qt's printer support (CUPS on this system).

#include "report/printer/PrinterPlatform.h"

#include <memory>

std::unique_ptr<TrqPrinterPlatform> CreateQtPrinterPlatform();

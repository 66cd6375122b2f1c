#pragma once
// What the printing layer needs of the platform's printers. The engine uses
// Qt's printer support over CUPS (QtPrinterPlatform.h); tests put a recording
// printer in its place where no printer exists.

#include "runtime/AnsiString.h"

#include <cstdint>
#include <utility>
#include <vector>

class QPrinter;
class TrqPrintJob;

// One paper: the platform's code and its name.
using TrqPrinterChoice = std::pair<int32_t, AnsiString>;

// One paper source of a printer: its code (1, 2, 3... in the printer's own
// order), its name, and the keyword a print job asks for it by.
struct TrqPaperSource {
    int32_t Code = -1;
    AnsiString Name;
    AnsiString Keyword;
};

// The settings and measures of the current printer.
struct TrqPrinterSettings {
    AnsiString Device, Driver, Port;
    int32_t PaperSize = 9;  // paper code; 256 a custom size
    int32_t Orientation = 0;
    int32_t DefaultSource = -1;  // the source in use; -1 the printer's default
    // Device measures, in dots.
    int32_t PhysicalWidth = 0, PhysicalHeight = 0;
    int32_t PhysicalOffsetX = 0, PhysicalOffsetY = 0;
    int32_t PageWidth = 0, PageHeight = 0;  // printable area
    int32_t PixelsX = 0, PixelsY = 0;       // dots per inch
    std::vector<TrqPrinterChoice> Papers;
    std::vector<TrqPaperSource> Sources;
};

// A paper to apply: tenths of a millimetre; width and height count for size 256.
struct TrqPaperRequest {
    int32_t PaperSize = 9;
    int32_t Width = 0, Height = 0;
    int32_t Orientation = 0;
    int32_t Bin = -1;  // a code of the printer's sources; -1 (or any other): the default source
};

class TrqPrinterPlatform {
public:
    virtual ~TrqPrinterPlatform() = default;

    virtual std::vector<AnsiString> PrinterNames() = 0;
    virtual int CurrentIndex() = 0;
    virtual void SetCurrentIndex(int index) = 0;
    // False when the current printer's settings cannot be read.
    virtual bool ReadSettings(TrqPrinterSettings& settings) = 0;
    // Changes the current printer's settings to the paper (the driver may adjust it).
    virtual void WriteSettings(const TrqPaperRequest& paper) = 0;
    // The printer's own settings dialog; true when the user confirmed.
    virtual bool PropertiesDialog() = 0;
    // A print job is running.
    virtual bool Printing() = 0;
    // The platform printer for print jobs (null when there is none).
    virtual QPrinter* Printer() { return nullptr; }
    // Print jobs on the current printer (null when this platform cannot print).
    virtual TrqPrintJob* PrintJob() { return nullptr; }
    // Lists the printers again (printers installed meanwhile), keeping the
    // current one when it is still there.
    virtual void Refresh() {}
};

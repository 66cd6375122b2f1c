#include "gridprint/GridPrint.h"

#include "gridprint/GridReport.h"

#include "grid/db/DBGrid.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/windows/PrintWithDialog.h"

void PreviewGrid(TCustomqvDBGrid& grid, const TqvGridPrintOptions& options)
{
    TqvGridReport report(grid, options);
    report.Report().ShowReport();
}

bool PrintGrid(TCustomqvDBGrid& grid, const TqvGridPrintOptions& options)
{
    // Nothing is built for a printer that is not there.
    if (!HavePlatformPrinter()) return false;
    TqvGridReport report(grid, options);
    TrqReport& r = report.Report();
    if (!r.PrepareReport() || r.EMFPages().Count() == 0) return false;
    return PrintPreparedWithDialog(r, &grid, 1);
}

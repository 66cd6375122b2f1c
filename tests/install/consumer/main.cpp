// Loads the invoice template installed with the report engine, prepares
// nothing, and prints its page count, the templates' directory, the column
// count of a grid made with one column, and the pages of a dataset-bound grid
// (no dataset: no rows) printed to a report.
#include "grid/db/DBGrid.h"
#include "grid/treelist/TreeListControl.h"
#include "gridprint/GridReport.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "runtime/Application.h"
#include "runtime/InstallLayout.h"

#include <cstdio>

int main(int argc, char** argv)
{
    InitRuntimeEnvironment();
    TQtApplication app(argc, argv);
    const std::filesystem::path templates = InstalledTemplateDirectory();
    TrqReport report;
    if (!report.LoadFromFile((templates / "qdb_xstgjfp.rqf").string())) {
        std::fprintf(stderr, "no template in %s\n", templates.c_str());
        return 1;
    }
    TCustomqvTreeListControl grid;
    grid.CreateColumn();
    std::printf("pages: %d\ntemplates: %s\ncolumns: %d\n", report.Pages().Count(), templates.c_str(),
                grid.ColumnCount());
    TqvDBGrid dbGrid;
    TqvGridPrintOptions options;
    options.Title = "Grid";
    TqvGridReport gridReport(dbGrid, options);
    gridReport.Report().SetShowProgress(false);
    gridReport.Report().PrepareReport();
    std::printf("grid pages: %d\n", gridReport.Report().EMFPages().Count());
    return 0;
}

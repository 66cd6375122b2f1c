// Queue output "xlsx": each job's printed memos as one spreadsheet, NAME.xlsx
// in the batch's directory, as rqp xlsx writes it.
#include "QueueOutputFile.h"

#include "report/export/ReportExport.h"
#include "report/model/Report.h"

QueueOutputKind XlsxOutputKind()
{
    return FileOutputKind("xlsx", "xlsx-dir", ".xlsx",
                          "Write each job's pages as a spreadsheet to NAME.xlsx in DIR, which must exist and be "
                          "reachable under the same path by every worker.",
                          [](TrqReport& report, const std::string& file) {
                              ExportPreparedPages(report.EMFPages(), TTableFormat::Xlsx, file);
                          });
}

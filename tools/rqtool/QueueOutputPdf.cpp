// Queue output "pdf": each job's pages as one PDF file, NAME.pdf in the
// batch's directory.
#include "QueueOutputFile.h"

#include "report/model/Report.h"
#include "report/pages/PageRender.h"

QueueOutputKind PdfOutputKind()
{
    return FileOutputKind("pdf", "pdf-dir", ".pdf",
                          "Write each job's pages to NAME.pdf in DIR, which must exist and be reachable under the same "
                          "path by every worker.",
                          [](TrqReport& report, const std::string& file) {
                              SavePdf(report.EMFPages(), Utf8ToAnsi(file), report.Title());
                          });
}

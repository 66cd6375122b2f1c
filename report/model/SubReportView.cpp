#include "report/model/SubReportView.h"

TrqSubReportView::TrqSubReportView()
{
    BaseName = "SubReport";
    ObjectKind = okSubReport;
}

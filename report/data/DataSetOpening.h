#pragma once
// Opening the database datasets a report reads (a band's dataset, the first
// field read, the field names a reference is checked against).
//
// A query that cannot be opened (a syntax error, a missing table) is the
// query's fault, not the fault of the memo or band that happened to need it
// first: the error says which dataset it is and gives the database's message,
// and the band engine reports it as such (ReportBuilder's error handling).

#include "runtime/db/DBTypes.h"

class TDataSet;

DECLARE_EXCEPTION(ErqDataSetError, EDatabaseError)

// Opens the dataset. Any failure raises ErqDataSetError
// "Dataset "NAME" cannot be opened: MESSAGE".
void OpenReportDataSet(TDataSet& dataSet);

#include "report/data/DataSetOpening.h"

#include "runtime/db/DataSet.h"

void OpenReportDataSet(TDataSet& dataSet)
{
    try {
        dataSet.Open();
    } catch (const ErqDataSetError&) {
        throw;  // a master's failure, already named
    } catch (const std::exception& e) {
        AnsiString name = dataSet.Name();
        if (dataSet.Owner() && !dataSet.Owner()->Name().empty()) name = dataSet.Owner()->Name() + "." + name;
        throw ErqDataSetError("Dataset \"" + name + "\" cannot be opened: " + e.what());
    }
}

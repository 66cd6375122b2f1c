#include "PrintTotals.h"

#include "report/language/Globals.h"
#include "runtime/db/DataSet.h"

TPrintTotals SumPrintRows(TDataSet& rows)
{
    TPrintTotals totals;
    TField* quantity = rows.FieldByName("SL0000");
    TField* amount = rows.FieldByName("JE0000");
    for (rows.First(); !rows.Eof(); rows.Next()) {
        totals.quantity += quantity->AsFloat();
        totals.amount += amount->AsFloat();
    }
    rows.First();
    return totals;
}

void SetPrintVariables(const TPrintTotals& totals)
{
    const long double cartonsPerCase = 50;
    rqVariables().SetVariable("SL_JIAN", Variant(static_cast<double>(totals.quantity / cartonsPerCase)));
    rqVariables().SetVariable("SL_TIAO", Variant(static_cast<double>(totals.quantity)));
    rqVariables().SetVariable("JE", Variant(static_cast<double>(totals.amount)));
}

#pragma once
// The three totals the purchase-invoice template prints at its foot, handed
// to it as report variables: "SL_TIAO" the quantity in cartons, "SL_JIAN" the
// same in cases (fifty cartons each), "JE" the amount.
//
// They are summed over the rows the report prints (SL0000 and JE0000 of the
// print query), in extended precision, so that the foot always agrees with
// the lines above it: unsaved edits on the screen never reach a printed
// total. Each variable is stored as a 64-bit float.
//
// The query is walked from its first row and left on its first row again.

class TDataSet;

struct TPrintTotals {
    long double quantity = 0;  // cartons
    long double amount = 0;
};

TPrintTotals SumPrintRows(TDataSet& rows);
// Sets SL_JIAN, then SL_TIAO, then JE in the engine's global variables.
void SetPrintVariables(const TPrintTotals& totals);

#pragma once
// The standard function library, registered first at start-up. Its functions,
// numbered in this order from 0:
//   AVG COUNT DAYOF FORMATDATETIME FORMATFLOAT FORMATTEXT INPUT LENGTH LOWERCASE
//   MAX MAXNUM MESSAGEBOX MIN MINNUM MONTHOF NAMECASE POS SUM TRIM UPPERCASE YEAROF
// Each argument is evaluated with rqParser before use; the result starts as the
// text "0". The aggregates (AVG, COUNT, MAX, MIN, SUM) are computed by the band
// engine through the report context and stay "0" without a report.
// MESSAGEBOX and INPUT go through the runtime's dialog service.

#include "report/language/FunctionLibrary.h"

class TrqStdFunctionLibrary : public TrqFunctionLibrary {
public:
    static constexpr const char* LibraryClassName = "TrqStdFunctionLibrary";

    TrqStdFunctionLibrary();
    const char* ClassName() const override { return LibraryClassName; }
    void CallFunctionAt(int number, const Variant& p1, const Variant& p2, const Variant& p3,
                        Variant& value) override;
};

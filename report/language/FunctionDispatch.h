#pragma once
// Function calls of report expressions (rqParser's OnFunction).
//
// The value starts as the text "0". The registered function libraries are asked
// in order and the first that knows the name handles the call. Otherwise the
// report functions are tried:
//   STOPREPORT, NEWPAGE, NEWCOLUMN, SHOWBAND(name)   the build (needs a report)
//   INC(name), DEC(name)     read the name, add or subtract 1, write it back
//   SETARRAY(name, index, value), GETARRAY(name, index)
//                            the global variable Arr_<name>_<index>, or with a
//                            dot in the name an indexed object property
//   any other name           a method of a report object (needs a report)
// and then the report's OnUserFunction event. A name nobody handles gives "0".
// Names given as arguments are taken without surrounding blanks.

#include "runtime/AnsiString.h"
#include "runtime/Variant.h"

void DispatchFunction(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3,
                      Variant& value);

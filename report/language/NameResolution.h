#pragma once
// Where the values of names come from, and where script assignments go.
//
// ResolveName (rqParser's OnGetValue) gives a name its value; the first rule
// that applies wins:
//   1. the report's OnGetValue event, when it leaves a value that is not empty;
//   2. the data dictionary's variables;
//   3. VALUE, PAGE#, DATE, TIME, LINE#, LINETHROUGH#, COLUMN#, CURRENT#,
//      TOTALPAGES, CALCWIDTH (exact letter case) from the build;
//   4. rqVariables;
//   5. CURY, FREESPACE, FINALPASS, PAGEHEIGHT, PAGEWIDTH from the build;
//   6. a property of a report object;
//   7. rqConstants;
//   8. the name evaluated as an expression, unless it is the name already under
//      evaluation: then it is undefined, EParserError "Undefined symbol "NAME""
//      (during the aggregate collection pass the value is left empty).
// Rules 1-3, 5 and 6 need a report being built and are skipped without one.
//
// WriteReportVariable (the engine interpreter's WriteVariable): the first rule
// that applies:
//   1. the name is in rqVariables: its value is replaced;
//   2. the data dictionary defines it: its value there is replaced;
//   3. MODALRESULT (any case): the dialog page's modal result;
//   4. CURY: the page's current position;
//   5. any name but PROGRESS: a property of a report object if the name
//      addresses one, else a new entry of rqVariables;
//   6. PROGRESS: the progress window's text.
// Rules 2-4, 6 and the property of rule 5 need a report being built.

#include "runtime/AnsiString.h"
#include "runtime/Variant.h"

void ResolveName(const AnsiString& name, Variant& value);
void WriteReportVariable(const AnsiString& name, const Variant& value);

#pragma once
// Audit and revoke of the header query's current document through the
// database's function FUNC_TAVREL (dm->func_tavrel), as both commands call it.
//
// Sets BJ (0 audit, 1 revoke, as an integer), YWGSDM (Params entry 0), DH (the
// document number as text), SHRY00 and SHRYMC (Params entries 2 and 3) and,
// for an audit, SHRQ00. A revoke leaves SHRQ00 as the last audit of this data
// module set it (null before any), and FLAG is never set: the function object
// keeps both between calls. Then executes the function once, shows its Result
// text unchanged, and reads the document list again (it then stands on its
// first document and the lines follow).
//
// A database error ends it where it happens: no result is shown and the list
// is not read again.

#include "runtime/DateTime.h"

enum class TAuditAction { Audit = 0, Revoke = 1 };

// `auditDate` is used by an audit only.
void RunAuditFunction(TAuditAction action, TDateTime auditDate = 0);

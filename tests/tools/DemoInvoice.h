#pragma once
// The purchase invoice over a demo document, as rqtool prepare builds it: a
// demo database made the way stockin-host makes one, its document with the
// most lines, what that document holds, and prepare's arguments for it.

#include <string>
#include <vector>

struct DemoInvoice {
    std::string company, number;
    std::string auditDate;           // yyyy-mm-dd, empty when not audited
    std::vector<std::string> codes;  // the lines' product codes
    std::vector<double> amounts;     // the lines' amounts
    double quantity = 0, amount = 0, tax = 0;
    // prepare TEMPLATE --db ... --query ... --dataset ... --report-dataset ... --var ...
    std::vector<std::string> args;
};

// Makes the demo database `databaseFile`; the test fails (and the invoice has
// no lines) when it cannot.
enum class DemoAudit { Any, Audited, NotAudited };
// The document chosen is the one with the most lines among those `which` names.
DemoInvoice MakeDemoInvoice(const std::string& databaseFile, DemoAudit which = DemoAudit::Any);

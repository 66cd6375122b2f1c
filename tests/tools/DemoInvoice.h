#pragma once
// The purchase invoice over a demo document, as rqtool prepare builds it: a
// demo database made the way stockin-host makes one, its document with the
// most lines, what that document holds, and prepare's arguments for it.

#include <string>
#include <vector>

struct DemoInvoice {
    std::string company, number;
    std::vector<std::string> codes;  // the lines' product codes
    std::vector<double> amounts;     // the lines' amounts
    double quantity = 0, amount = 0, tax = 0;
    // prepare TEMPLATE --db ... --query ... --dataset ... --report-dataset ... --var ...
    std::vector<std::string> args;
};

// Makes the demo database `databaseFile`; the test fails (and the invoice has
// no lines) when it cannot.
DemoInvoice MakeDemoInvoice(const std::string& databaseFile);

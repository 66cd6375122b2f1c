#pragma once
// Deterministic demo documents: the same seed gives the same database.
//
// Several companies, each with its own numbered documents (numbers repeat
// across companies, as they do in the field); 1 to 40 lines per document with
// distinct products; quantities in cartons (whole cases of fifty and some
// loose cartons); about a third of the documents audited. Chinese names fit
// their columns in GBK bytes.

#include <cstdint>

class TDatabase;

struct DemoDataOptions {
    int documentsPerCompany = 80;
    uint64_t seed = 20240101;
};

// The company the host opens by default.
inline constexpr const char* kDemoCompany = "110101";

// Inserts companies, products, documents and lines in one transaction.
void GenerateDemoData(TDatabase& db, const DemoDataOptions& options = {});

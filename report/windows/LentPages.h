#pragma once
// Lends the prepared pages that a preview holds to their report for the length
// of one command (print, save, load): the report's own pages are parked
// meanwhile and come back afterwards. A non-modal preview may show the pages of
// an earlier build while the report already holds newer ones; lending this way
// never frees the newer pages. Whatever the report holds at the end goes back
// to the preview (the pages lent, or those a load put in their place).

#include "report/model/Report.h"
#include "report/pages/EMFPages.h"

#include <memory>

class TrqLentPages {
public:
    TrqLentPages(TrqReport& report, std::unique_ptr<TrqEMFPages>& holder)
        : report_(report), holder_(holder), parked_(report.ReplaceEMFPages(std::move(holder)))
    {
    }
    ~TrqLentPages() { holder_ = report_.ReplaceEMFPages(std::move(parked_)); }
    TrqLentPages(const TrqLentPages&) = delete;
    TrqLentPages& operator=(const TrqLentPages&) = delete;

private:
    TrqReport& report_;
    std::unique_ptr<TrqEMFPages>& holder_;
    std::unique_ptr<TrqEMFPages> parked_;
};

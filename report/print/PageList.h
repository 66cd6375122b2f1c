#pragma once
// The page list of the print dialog ("1,3,5-12"): which prepared pages to
// print. Blanks are ignored, an empty text means every page, a trailing "-"
// runs to the last page, a range whose end is below its start adds nothing.
// Order and repetitions do not matter: pages always print in document order.
//
// Numbers beyond the report are dropped and ranges are cut at its last page,
// so a list such as "1-2000000000" costs no more than the report has pages.

#include "runtime/AnsiString.h"

#include <vector>

class TrqPageList {
public:
    // Every page.
    TrqPageList() = default;
    // Raises EConvertError with the platform's integer message for a piece that
    // is not a whole number (the empty piece of "1,,2", the one before a
    // leading "-"), before anything is printed.
    TrqPageList(const AnsiString& text, int pageCount);

    bool All() const { return all_; }
    // Page numbers count from 1.
    bool Contains(int pageNumber) const;
    // The chosen page numbers in ascending order (every page when All()).
    std::vector<int> Numbers(int pageCount) const;

private:
    void add(int from, int to);

    bool all_ = true;
    std::vector<bool> pages_;  // index: page number
};

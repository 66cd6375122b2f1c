#pragma once
// TrqAggregateCalls: SUM, AVG, MIN, MAX and COUNT in a build
// (AggregateCalls.cpp). Before a page is built, the collection pass runs every
// aggregate call of the bands that print totals once, and each call registers
// an accumulator in the data band that feeds it; afterwards a call reads its
// accumulator.

#include "report/language/ReportContext.h"

class TrqBand;
class TrqReportBuilder;
struct TrqPageBuild;

class TrqAggregateCalls {
public:
    explicit TrqAggregateCalls(TrqReportBuilder& builder) : builder_(builder) {}
    TrqAggregateCalls(const TrqAggregateCalls&) = delete;
    TrqAggregateCalls& operator=(const TrqAggregateCalls&) = delete;

    // The collection pass over the page's bands.
    void Collect(TrqPageBuild& pb);
    // The collection pass runs: calls register, brackets are not formatted.
    bool Collecting() const { return collecting_; }
    // A call in the band being printed (or collected).
    void Call(TrqAggregateFunction function, const Variant& p1, const Variant& p2, const Variant& p3, Variant& value);

private:
    void collectBand(TrqBand& band);

    TrqReportBuilder& builder_;
    bool collecting_ = false;
    TrqBand* source_ = nullptr;  // the data band the collection registers in
};

#pragma once
// Report datasets: what the band engine iterates. A data band never talks to a
// database dataset directly; it opens its report dataset, goes to its first
// record, moves on with Next until Eof, and closes it when the build ends.
//
// TrqDataset counts records (RecNo from 0) and limits them by range:
//   RangeEnd reCount   Eof once RecNo has reached RangeEndCount; the advance
//                      that reaches it fires no OnNext.
//   other ranges       never at the end by itself (subclasses add their end).
// OnCheckEOF may change every end-of-data answer. TrqUserDataset is a dataset
// of records made by count or by these events; TrqDBDataSet (DBDataSet.h)
// walks a database dataset.
//
// Open and Close are called once per build for each band's dataset; they do
// nothing here.

#include "runtime/Component.h"

#include <cstdint>
#include <functional>

enum TRangeBegin : uint8_t { rbFirst = 0, rbCurrent = 1 };
enum TRangeEnd : uint8_t { reLast = 0, reCurrent = 1, reCount = 2 };

class TrqDataset : public TComponent {
public:
    explicit TrqDataset(TComponent* owner = nullptr) : TComponent(owner) {}
    const char* ClassName() const override { return "TrqDataset"; }

    TRangeBegin RangeBegin() const { return rangeBegin_; }
    void SetRangeBegin(TRangeBegin v) { rangeBegin_ = v; }
    TRangeEnd RangeEnd() const { return rangeEnd_; }
    void SetRangeEnd(TRangeEnd v) { rangeEnd_ = v; }
    int32_t RangeEndCount() const { return rangeEndCount_; }
    void SetRangeEndCount(int32_t v) { rangeEndCount_ = v; }

    std::function<void(TComponent* sender)> OnFirst;
    std::function<void(TComponent* sender)> OnNext;
    std::function<void(TComponent* sender)> OnPrior;
    std::function<void(TComponent* sender, bool& eof)> OnCheckEOF;

    // The number of the current record, from 0.
    int RecNo() const { return recNo_; }

    virtual void Open() {}
    virtual void Close() {}
    virtual void First();
    virtual void Next();
    virtual void Prior();
    virtual bool Eof();

private:
    TRangeBegin rangeBegin_ = rbFirst;
    TRangeEnd rangeEnd_ = reLast;
    int32_t rangeEndCount_ = 0;
    int recNo_ = 0;
};

class TrqUserDataset : public TrqDataset {
public:
    using TrqDataset::TrqDataset;
    const char* ClassName() const override { return "TrqUserDataset"; }
};

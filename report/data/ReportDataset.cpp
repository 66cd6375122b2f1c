#include "report/data/ReportDataset.h"

void TrqDataset::First()
{
    recNo_ = 0;
    if (OnFirst) OnFirst(this);
}

void TrqDataset::Next()
{
    ++recNo_;
    if (rangeEnd_ == reCount && recNo_ >= rangeEndCount_) return;
    if (OnNext) OnNext(this);
}

void TrqDataset::Prior()
{
    --recNo_;
    if (OnPrior) OnPrior(this);
}

bool TrqDataset::Eof()
{
    bool eof = rangeEnd_ == reCount && recNo_ >= rangeEndCount_;
    if (OnCheckEOF) OnCheckEOF(this, eof);
    return eof;
}

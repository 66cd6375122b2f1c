#pragma once
// A straight line: the left or top edge of its rectangle, drawn with the frame
// settings.

#include "report/model/View.h"

class TrqLineView : public TrqStretcheable {
public:
    TrqLineView();
    const char* ClassName() const override { return "TrqLineView"; }

    void Draw(TrqCanvas& canvas) override;
    int32_t MinimumHeight() override { return 1; }
    uint32_t RegisteredGroups() const override { return TrqView::RegisteredGroups() | rgStretched; }
};

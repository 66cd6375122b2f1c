#pragma once
// A sub-report: prints the bands of another page of the report in its place.

#include "report/model/View.h"

class TrqSubReportView : public TrqView {
public:
    TrqSubReportView();
    const char* ClassName() const override { return "TrqSubReportView"; }

    int32_t SubPage = 0;  // index of the page printed in its place

    void LoadFromStream(TrqStreamReader& reader) override;
    void SaveToStream(TrqStreamWriter& writer) override;

    // No frame, fill, tag or alignment.
    uint32_t RegisteredGroups() const override { return TrqView::RegisteredGroups() & ~rgFrame; }
};

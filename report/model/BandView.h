#pragma once
// A band view: a horizontal (or, for cross-tab kinds, vertical) strip of the
// page whose kind (FrameTyp) says when the band engine prints it; the views
// that lie inside it are printed with it. FormatText holds the band's data
// source, or the condition of a group header; Memo holds its script as shown
// to a designer.

#include "report/model/View.h"

// Display name of a band kind ("Report title", ...); empty for an unknown kind.
AnsiString BandTypeName(int bandType);

// The runtime band the band engine made from a band view, as the view's script
// properties reach it while the report is built (report/engine). Names arrive
// upper-cased.
class TrqBandRuntime {
public:
    virtual ~TrqBandRuntime() = default;
    // True when the runtime band answers the property (LEFT, TOP, WIDTH,
    // HEIGHT, VISIBLE, EOF); the view's own field is then not read.
    virtual bool GetRuntimeProperty(const AnsiString& name, Variant& value) = 0;
    // True when the write went to the runtime band only (LEFT, TOP, WIDTH,
    // HEIGHT, VISIBLE); otherwise the view's field is written as well.
    virtual bool SetRuntimeProperty(const AnsiString& name, const Variant& value) = 0;
    // NEXT, PRIOR, FIRST: moves the band's data source; true when handled.
    virtual bool CallRuntimeMethod(const AnsiString& name) = 0;
};

class TrqBandView : public TrqView {
public:
    TrqBandView();
    const char* ClassName() const override { return "TrqBandView"; }

    int BandType() const { return FrameTyp; }
    void SetBandType(int type) { FrameTyp = static_cast<uint16_t>(type); }

    AnsiString ChildBand;  // name of the band view printed after this one
    AnsiString Master;     // name of the master data band of a group header
    int32_t Columns = 1;
    int32_t ColumnWidth = 200;
    int32_t ColumnGap = 20;
    int32_t NewColumnAfter = 1;

    // The runtime band while the report is built, else null.
    TrqBandRuntime* Runtime = nullptr;

    void LoadFromStream(TrqStreamReader& reader) override;
    void SaveToStream(TrqStreamWriter& writer) override;

    // While the report is built, the runtime band answers first (see TrqBandRuntime).
    void SetPropValue(const AnsiString& name, const Variant& value) override;
    Variant GetPropValue(const AnsiString& name) override;
    Variant DoMethod(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3) override;
    const TrqPropertyTable& Properties() const override;
    // The properties of the band's kind; EOF and OnBeforePrint on every kind.
    uint32_t RegisteredGroups() const override;
};

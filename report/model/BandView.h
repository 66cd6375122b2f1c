#pragma once
// A band view: a horizontal (or, for cross-tab kinds, vertical) strip of the
// page whose kind (FrameTyp) says when the band engine prints it; the views
// that lie inside it are printed with it. FormatText holds the band's data
// source, or the condition of a group header; Memo holds its script as shown
// to a designer.

#include "report/model/View.h"

// Display name of a band kind ("Report title", ...); empty for an unknown kind.
AnsiString BandTypeName(int bandType);

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

    void LoadFromStream(TrqStreamReader& reader) override;
    void SaveToStream(TrqStreamWriter& writer) override;

    void SetPropValue(const AnsiString& name, const Variant& value) override;
    Variant GetPropValue(const AnsiString& name) override;

protected:
    void DefineProperties() override;
};

#pragma once
// Bases of add-in views: a control placed on a dialog page (TrqControl) and a
// non-visual component shown there as an icon (TrqNonVisualControl). Add-in
// classes are found by class name in the add-in registry; this system
// registers none, so these are only the bases such classes would build on.

#include "report/model/View.h"

class TrqControl : public TrqView {
public:
    TrqControl();
    const char* ClassName() const override { return "TrqControl"; }

    void SetPropValue(const AnsiString& name, const Variant& value) override;

protected:
    void DefineProperties() override;
    // Shows or hides the wrapped control when VISIBLE changes.
    virtual void ShowControl(bool visible) {}
};

class TrqNonVisualControl : public TrqControl {
public:
    TrqNonVisualControl();
    const char* ClassName() const override { return "TrqNonVisualControl"; }

    void SetPropValue(const AnsiString& name, const Variant& value) override;

protected:
    void DefineProperties() override;
    // Renames the wrapped component when NAME changes.
    virtual void RenameComponent(const AnsiString& name) {}
};

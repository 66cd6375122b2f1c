#pragma once
// Bases of add-in views: a control placed on a dialog page (TrqControl) and a
// non-visual component shown there as an icon (TrqNonVisualControl). Add-in
// classes are found by class name in the add-in registry; this system
// registers none, so these are only the bases such classes would build on.
//
// A control class wraps a widget that it owns: when a report is built, the
// dialog page's window borrows it (placed at the view's bounds) and gives it
// back before the window goes. A non-visual class wraps a component, which the
// build hands to the report's OnCustomizeObject.

#include "report/model/View.h"

class QWidget;
class TComponent;

class TrqControl : public TrqView {
public:
    TrqControl();
    const char* ClassName() const override { return "TrqControl"; }

    // The wrapped widget, owned by the control; null when it wraps none.
    virtual QWidget* Widget() const { return nullptr; }

    // The view's properties, VISIBLE also showing or hiding the control; the
    // tables of add-in control classes start from it.
    static const TrqPropertyTable& ControlProperties();
    const TrqPropertyTable& Properties() const override { return ControlProperties(); }
    // Name, bounds, Visible and Restrictions only.
    uint32_t RegisteredGroups() const override { return rgAlways | rgName | rgBounds; }

protected:
    // Shows or hides the wrapped control when VISIBLE changes.
    virtual void ShowControl(bool visible) {}
};

class TrqNonVisualControl : public TrqControl {
public:
    TrqNonVisualControl();
    const char* ClassName() const override { return "TrqNonVisualControl"; }

    // The wrapped component, owned by the control; null when it wraps none.
    virtual TComponent* Component() const { return nullptr; }

    // The control's properties, NAME also renaming the component.
    static const TrqPropertyTable& NonVisualProperties();
    const TrqPropertyTable& Properties() const override { return NonVisualProperties(); }
    // Name and Restrictions only.
    uint32_t RegisteredGroups() const override { return rgAlways | rgName; }

protected:
    // Renames the wrapped component when NAME changes.
    virtual void RenameComponent(const AnsiString& name) {}
};

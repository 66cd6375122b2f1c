#include "report/model/Control.h"

TrqControl::TrqControl()
{
    BaseName = "Control";
    ObjectKind = okAddIn;
    FillColor = rqclBtnFace;
    FrameTyp = 0;
}

const TrqPropertyTable& TrqControl::ControlProperties()
{
    using P = TrqPropertiesOf<TrqControl>;
    static const TrqPropertyTable table(ViewProperties(), {
        P::Make(
            "Visible", pkBoolean, rgBounds, [](TrqControl& c) { return Variant(c.Visible); },
            [](TrqControl& c, const Variant& v) {
                c.Visible = v.AsBoolean();
                c.ShowControl(c.Visible);
            }),
    });
    return table;
}

TrqNonVisualControl::TrqNonVisualControl() { BaseName = "Component"; }

const TrqPropertyTable& TrqNonVisualControl::NonVisualProperties()
{
    using P = TrqPropertiesOf<TrqNonVisualControl>;
    static const TrqPropertyTable table(ControlProperties(), {
        P::Make(
            "Name", pkObjectName, rgName, [](TrqNonVisualControl& c) { return Variant(c.Name); },
            [](TrqNonVisualControl& c, const Variant& v) {
                c.Name = v.AsString();
                c.RenameComponent(c.Name);
            }),
    });
    return table;
}

#include "report/model/Control.h"

TrqControl::TrqControl()
{
    BaseName = "Control";
    ObjectKind = okAddIn;
    FillColor = rqclBtnFace;
    FrameTyp = 0;
}

void TrqControl::DefineProperties()
{
    for (const char* name : {"Name", "Left", "Top", "Width", "Height"}) AddProperty(name, pkPosition);
    AddProperty("Visible", pkBoolean);
    AddProperty("Restrictions", pkInteger);
}

void TrqControl::SetPropValue(const AnsiString& name, const Variant& value)
{
    TrqView::SetPropValue(name, value);
    if (UpperCase(name) == "VISIBLE") ShowControl(Visible);
}

TrqNonVisualControl::TrqNonVisualControl() { BaseName = "Component"; }

void TrqNonVisualControl::DefineProperties()
{
    AddProperty("Name", pkObjectName);
    AddProperty("Restrictions", pkInteger);
}

void TrqNonVisualControl::SetPropValue(const AnsiString& name, const Variant& value)
{
    TrqControl::SetPropValue(name, value);
    if (UpperCase(name) == "NAME") RenameComponent(Name);
}

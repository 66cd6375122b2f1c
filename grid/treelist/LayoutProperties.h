#pragma once
// Property setters shared by the parts of a tree list's layout (columns,
// bands): a value equal to the stored one changes nothing; a change of the
// layout happens inside one begin/end update of the tree list, a change of
// looks only repaints.

#include "grid/treelist/TreeList.h"

class TqvLayoutProperties {
protected:
    virtual ~TqvLayoutProperties() = default;
    // The tree list whose layout the properties belong to, if any.
    virtual TCustomqvTreeList* LayoutOwner() const = 0;

    template <class T>
    void setLayout(T& field, T value)
    {
        if (field == value) return;
        TCustomqvTreeList* owner = LayoutOwner();
        if (owner) owner->BeginUpdate();
        field = value;
        if (owner) owner->EndUpdate();
    }
    template <class T>
    void setPaint(T& field, T value)
    {
        if (field == value) return;
        field = value;
        repaint();
    }
    void repaint()
    {
        if (TCustomqvTreeList* owner = LayoutOwner()) owner->update();
    }
};

// The same rules for a tree list's own properties.
template <class T>
void SetAndLayOut(TCustomqvTreeList& list, T& field, T value)
{
    if (field == value) return;
    list.BeginUpdate();
    field = value;
    list.EndUpdate();
}

template <class T>
void SetAndRepaint(TCustomqvTreeList& list, T& field, T value)
{
    if (field == value) return;
    field = value;
    list.update();
}

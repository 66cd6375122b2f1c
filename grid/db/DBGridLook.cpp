// What the dataset-bound grid adds to the looks of the column control: the
// filter status strip, the indicator glyphs of edited and new records, group
// rows, the buttons of drop-down columns and the columns' own drawing events.
#include "grid/columns/DBColumnKinds.h"
#include "grid/db/DBGrid.h"

#include "runtime/db/DataSet.h"

int TCustomqvDBGrid::StatusHeight() const
{
    bool shown = filter_.FilterStatus() == fsAlways || (filter_.FilterStatus() == fsAuto && filter_.InForce());
    return shown ? std::max(17, CellTextHeight() + 5) : 0;
}

TCustomqvTreeListControl::TqvIndicatorGlyph TCustomqvDBGrid::IndicatorGlyphOf(const TqvTreeListNode* node) const
{
    if (!node) return TqvIndicatorGlyph::None;
    if (node == InsertingNode()) return TqvIndicatorGlyph::Inserting;
    if (node != FocusedNode()) return TqvIndicatorGlyph::None;
    TDataSet* ds = DataSet();
    bool editing = State() == tsEditing || (ds && ds->State() == dsEdit);
    return editing ? TqvIndicatorGlyph::Editing : TqvIndicatorGlyph::Focused;
}

bool TCustomqvDBGrid::IsGroupRow(const TqvTreeListNode* node) const
{
    auto* dbNode = dynamic_cast<const TqvDBGridNode*>(node);
    return dbNode && dbNode->IsGroupNode();
}

bool TCustomqvDBGrid::HasCellButton(const TqvTreeListColumn* column, bool focusedCell) const
{
    auto* dropDown = dynamic_cast<const TqvDBTreeListDropDownColumn*>(column);
    if (!dropDown || column->DisableEditor()) return false;
    switch (dropDown->ShowButtonStyle()) {
    case sbAlways: return true;
    // Under row selection the row has the focus, not a cell.
    case sbDefault: return (focusedCell && !IsRowSelect()) || IsOption(tloShowButtonAlways);
    case sbNone: return false;
    }
    return false;
}

bool TCustomqvDBGrid::CustomDrawColumnCell(QPainter& canvas, const QRect& cell, TqvTreeListNode* node,
                                           TqvTreeListColumn* column, AnsiString& text)
{
    if (TCustomqvDBTreeListControl::CustomDrawColumnCell(canvas, cell, node, column, text)) return true;
    auto* dbColumn = dynamic_cast<TqvDBTreeListColumn*>(column);
    bool done = false;
    if (dbColumn && dbColumn->OnCustomDraw) dbColumn->OnCustomDraw(column, &canvas, cell, node, text, done);
    return done;
}

bool TCustomqvDBGrid::CustomDrawColumnHeader(QPainter& canvas, const QRect& cell, TqvTreeListColumn* column,
                                             AnsiString& text)
{
    if (TCustomqvDBTreeListControl::CustomDrawColumnHeader(canvas, cell, column, text)) return true;
    auto* dbColumn = dynamic_cast<TqvDBTreeListColumn*>(column);
    bool done = false;
    if (dbColumn && dbColumn->OnCustomDrawHeader) dbColumn->OnCustomDrawHeader(column, &canvas, cell, text, done);
    return done;
}

#include "grid/columns/DBColumnKinds.h"

#include "runtime/AnsiString.h"
#include "runtime/CurrencyFormat.h"
#include "runtime/db/FieldKinds.h"
#include "runtime/NumberFormat.h"

void TqvDBTreeListDropDownColumn::SetShowButtonStyle(TqvShowButtonStyle value)
{
    if (value == showButtonStyle_) return;
    showButtonStyle_ = value;
    Repaint();
}

// ---- Mask

AnsiString TqvDBTreeListMaskColumn::EditMask() const
{
    if (editMaskAssigned_ || !Field()) return editMask_;
    return Field()->EditMask();
}

void TqvDBTreeListMaskColumn::SetEditMask(const AnsiString& mask)
{
    editMask_ = mask;
    editMaskAssigned_ = true;
}

// ---- Currency

TqvDBTreeListCurrencyColumn::TqvDBTreeListCurrencyColumn(TComponent* owner)
    : TqvDBTreeListColumn(owner), displayFormat_(DefaultCurrencyDisplayFormat())
{
}

void TqvDBTreeListCurrencyColumn::SetDisplayFormat(const AnsiString& value)
{
    if (value == displayFormat_) return;
    displayFormat_ = value;
    Repaint();
}

void TqvDBTreeListCurrencyColumn::SetNullable(bool value)
{
    if (value == nullable_) return;
    nullable_ = value;
    Repaint();
}

void TqvDBTreeListCurrencyColumn::SetNullString(const AnsiString& value)
{
    if (value == nullString_) return;
    nullString_ = value;
    Repaint();
}

AnsiString TqvDBTreeListCurrencyColumn::GetPaintText(TqvTreeListNode* node) const
{
    TField* field = Field();
    auto* floatField = dynamic_cast<TFloatField*>(field);
    bool ownFormat = !displayFormat_.empty() && field && !field->OnGetText && !(floatField && floatField->Currency());
    if (!ownFormat) return GetDisplayText(node);
    Variant value = field->Value();
    AnsiString text;
    if (value.IsEmptyOrNull() || value.IsString()) {
        text = value.AsString();
    } else {
        try {
            text = FormatFloat(displayFormat_, value.AsFloat());
        } catch (const Exception&) {
            return GetDisplayText(node);
        }
    }
    if (text.empty() && nullable_) return nullString_;
    return text;
}

// ---- Memo

void TqvDBTreeListMemoColumn::SetMaxDisplayLength(int value)
{
    if (value == maxDisplayLength_) return;
    maxDisplayLength_ = value;
    Repaint();
}

AnsiString TqvDBTreeListMemoColumn::KindText() const
{
    return Field() ? CutToDisplayLength(Field()->AsString(), maxDisplayLength_) : AnsiString();
}

// A blob cell shows (or tells empty from filled by) the value itself, not
// the field's "(BLOB)" marker.
AnsiString TqvDBTreeListBlobColumn::KindText() const
{
    return Field() ? CutToDisplayLength(Field()->AsString(), MaxDisplayLength()) : AnsiString();
}

// A graphic cell's "text" is the picture's bytes, not the field's marker.
AnsiString TqvDBTreeListGraphicColumn::KindText() const { return Field() ? Field()->AsString() : AnsiString(); }

AnsiString CutToDisplayLength(AnsiString text, int maxDisplayLength)
{
    if (maxDisplayLength < 0 || static_cast<int>(text.size()) <= maxDisplayLength) return text;
    // Cut at a character boundary: a lead byte left alone at the end would
    // pair with whatever follows the text.
    size_t cut = 0;
    while (cut < static_cast<size_t>(maxDisplayLength)) {
        size_t step = IsLeadByte(static_cast<unsigned char>(text[cut])) && cut + 1 < text.size() ? 2 : 1;
        if (cut + step > static_cast<size_t>(maxDisplayLength)) break;
        cut += step;
    }
    text.resize(cut);
    return text;
}

// ---- Wrapper

TqvDBTreeListColumn* TqvDBTreeListWrapperColumn::ReferenceColumn(TqvTreeListNode* node) const
{
    TqvDBTreeListColumn* column = nullptr;
    if (OnGetReferenceColumn) OnGetReferenceColumn(const_cast<TqvDBTreeListWrapperColumn*>(this), node, column);
    return column == this ? nullptr : column;
}

AnsiString TqvDBTreeListWrapperColumn::GetPaintText(TqvTreeListNode* node) const
{
    if (TqvDBTreeListColumn* column = ReferenceColumn(node)) return column->GetPaintText(node);
    return TqvDBTreeListColumn::GetPaintText(node);
}

#include "grid/columns/DBTreeListColumn.h"

#include "grid/treelist/TreeListControl.h"
#include "runtime/db/DataSet.h"
#include "runtime/db/FieldKinds.h"

#include <QFontMetrics>

#include <algorithm>

// ---- Column

TqvDBTreeListColumn::TqvDBTreeListColumn(TComponent* owner) : TqvTreeListColumn(owner) {}

TqvDBTreeListColumn::~TqvDBTreeListColumn()
{
    if (field_) field_->RemoveFreeNotification(this);
}

TqvFieldColumnHost* TqvDBTreeListColumn::FieldHost() const { return dynamic_cast<TqvFieldColumnHost*>(TreeList()); }

TCustomqvDBTreeListControl* TqvDBTreeListColumn::DBTreeList() const
{
    TqvFieldColumnHost* host = FieldHost();
    return host ? host->AsDBTreeList() : nullptr;
}

void TqvDBTreeListColumn::SetFieldName(const AnsiString& name)
{
    if (name == fieldName_) return;
    fieldName_ = name;
    TqvFieldColumnHost* host = FieldHost();
    if (!host || TreeList()->IsLoading()) return;
    host->ColumnFieldNameChanged(this);
}

void TqvDBTreeListColumn::bind(TField* field)
{
    if (field != field_) {
        if (field_) field_->RemoveFreeNotification(this);
        field_ = field;
        if (field_) field_->FreeNotification(this);
        FieldChanged();
    }
    // The width a field asks for: its display width in the cell font, or the
    // caption in the header font, whichever is wider.
    int width = 64;
    if (field_ && TreeList()) {
        QFontMetrics cell(Font().ToQFont());
        QFontMetrics header(TreeList()->HeaderFont().ToQFont());
        int caption = header.horizontalAdvance(AnsiToQString(Caption())) + 6;
        int digits = cell.horizontalAdvance(QLatin1Char('0')) * field_->DisplayWidth() + 4;
        width = std::max(caption, digits);
    }
    bool changed = width != measuredWidth_;
    measuredWidth_ = width;
    if (changed) DefaultsChanged();
}

void TqvDBTreeListColumn::Notification(TComponent* component, TOperation operation)
{
    TqvTreeListColumn::Notification(component, operation);
    if (operation == opRemove && component == field_) {
        field_ = nullptr;
        FieldChanged();
    }
    if (operation == opRemove && component == footer_.Field()) footer_.ForgetField();
}

TAlignment TqvDBTreeListColumn::DefaultAlignment() const
{
    return field_ ? field_->Alignment() : taLeftJustify;
}

AnsiString TqvDBTreeListColumn::DefaultCaption() const { return field_ ? field_->DisplayName() : fieldName_; }

int TqvDBTreeListColumn::DefaultMaxLength() const
{
    return field_ && field_->DataType() == ftString ? field_->Size() : 0;
}

bool TqvDBTreeListColumn::DefaultReadOnly() const { return field_ && field_->ReadOnly(); }

int TqvDBTreeListColumn::DefaultWidth() const { return TreeList() ? measuredWidth_ : 64; }

AnsiString TqvDBTreeListColumn::KindText() const { return field_ ? field_->DisplayText() : AnsiString(); }

AnsiString TqvDBTreeListColumn::GetDisplayText(TqvTreeListNode* node) const
{
    AnsiString text = KindText();
    if (OnGetText) OnGetText(const_cast<TqvDBTreeListColumn*>(this), node, text);
    return text;
}

TNodeVariantData TqvDBTreeListColumn::GetNodeValues() const
{
    TNodeVariantData data;
    if (!field_) return data;
    bool wanted = WantsValues() || IsNumericFieldType(field_->DataType()) ||
                  (field_->DataType() == ftString && (field_->OnGetText || !field_->EditMask().empty()));
    if (wanted) {
        data.Value = field_->Value();
        data.AssignedValues |= TNodeVariantData::avValue;
    }
    if (field_->Lookup()) {
        std::vector<TField*> keys = field_->DataSet()->GetFieldList(field_->KeyFields);
        data.LookupValue = keys.empty() ? Variant::Null() : keys.front()->Value();
        data.AssignedValues |= TNodeVariantData::avLookupValue;
    }
    return data;
}

// ---- Footer

void TqvDBTreeListColumn::SetSummaryFooterType(TqvSummaryType value)
{
    if (value == summaryFooterType_) return;
    // Only the looks change now: the new kind is computed by the next load.
    summaryFooterType_ = value;
    Repaint();
}

void TqvDBTreeListColumn::SetSummaryFooterFormat(const AnsiString& value)
{
    if (value == summaryFooterFormat_) return;
    summaryFooterFormat_ = value;
    Repaint();
}

AnsiString TqvDBTreeListColumn::SummaryFooterText() const
{
    return SummaryText(summaryFooterType_, summaryFooterFormat_, footer_.Value(), footer_.FieldKind());
}

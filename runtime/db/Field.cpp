#include "Field.h"

#include "DataSet.h"
#include "FieldKinds.h"

#include <algorithm>

bool IsNumericFieldType(TFieldType type)
{
    switch (type) {
    case ftSmallint: case ftInteger: case ftWord: case ftBoolean: case ftFloat: case ftCurrency: case ftBCD:
    case ftDate: case ftTime: case ftDateTime: case ftAutoInc: case ftLargeint: return true;
    default: return false;
    }
}

bool IsBlobFieldType(TFieldType type)
{
    switch (type) {
    case ftBlob: case ftMemo: case ftGraphic: case ftFmtMemo: case ftParadoxOle: case ftDBaseOle:
    case ftTypedBinary: return true;
    default: return false;
    }
}

bool IsBinaryFieldType(TFieldType type)
{
    switch (type) {
    case ftBlob: case ftGraphic: case ftBytes: case ftVarBytes: case ftTypedBinary: case ftParadoxOle:
    case ftDBaseOle: return true;
    default: return false;
    }
}

const char* FieldTypeName(TFieldType type)
{
    static const char* const names[] = {
        "Unknown", "String", "Smallint", "Integer", "Word", "Boolean", "Float", "Currency", "BCD",
        "Date", "Time", "DateTime", "Bytes", "VarBytes", "AutoInc", "Blob", "Memo", "Graphic",
        "FmtMemo", "ParadoxOle", "DBaseOle", "TypedBinary", "Cursor", "FixedChar", "WideString", "Largeint"};
    return type <= ftLargeint ? names[type] : "Unknown";
}

TField* CreateField(TComponent* owner, TFieldType type, int size)
{
    switch (type) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: return new TIntegerField(owner);
    case ftLargeint: return new TLargeintField(owner);
    case ftFloat: case ftCurrency: case ftBCD: {
        auto* f = new TFloatField(owner);
        f->SetCurrency(type == ftCurrency);
        return f;
    }
    case ftBoolean: return new TBooleanField(owner);
    case ftDate: return new TDateField(owner);
    case ftTime: return new TTimeField(owner);
    case ftDateTime: return new TDateTimeField(owner);
    case ftMemo: case ftFmtMemo: return new TMemoField(owner);
    default:
        if (IsBinaryFieldType(type)) return new TBlobField(owner);
        return new TStringField(owner, size > 0 ? size : 20);
    }
}

TField::TField(TComponent* owner) : TComponent(owner)
{
}

TField::TField(TComponent* owner, TFieldType type, int size) : TComponent(owner), dataType_(type), size_(size)
{
}

TField::~TField()
{
    if (dataSet_) {
        auto& list = dataSet_->fields_.list_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void TField::SetDataSet(TDataSet* dataSet)
{
    if (dataSet == dataSet_) return;
    if (dataSet_) {
        dataSet_->CheckInactive();
        auto& list = dataSet_->fields_.list_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    if (dataSet) {
        dataSet->CheckInactive();
        dataSet->fields_.list_.push_back(this);
    }
    dataSet_ = dataSet;
}

int TField::Index() const
{
    return dataSet_ ? dataSet_->fields_.IndexOf(this) : -1;
}

CellView TField::GetCell() const
{
    return dataSet_ ? dataSet_->GetFieldCell(this) : CellView();
}

Variant TField::Value() const
{
    return GetCell().ToVariant();
}

bool TField::CanModify() const
{
    return !readOnly_ && fieldKind_ == fkData && dataSet_ && dataSet_->CanModify();
}

void TField::CheckReadOnly() const
{
    if (readOnly_ || (fieldKind_ != fkData && !(dataSet_ && dataSet_->calculating_)))
        throw EDatabaseError(Format(DBText::FieldReadOnly, DisplayName().c_str()));
}

void TField::SetValue(const Variant& value)
{
    if (!dataSet_) throw EDatabaseError(Format(DBText::FieldReadOnly, DisplayName().c_str()));
    bool keyState = dataSet_->State() == dsSetKey;
    if (!keyState) CheckReadOnly();
    Variant coerced = value.IsEmptyOrNull() ? Variant::Null() : Coerce(value);
    if (OnValidate && !keyState && fieldKind_ == fkData) {
        // The handler sees the new value through the field; a refusal (an
        // exception) leaves the record as it was.
        Variant previous = Value();
        dataSet_->SetFieldValue(this, coerced);
        try {
            OnValidate(this);
        } catch (...) {
            dataSet_->SetFieldValue(this, previous);
            throw;
        }
    } else {
        dataSet_->SetFieldValue(this, coerced);
    }
    if (OnChange && !keyState) OnChange(this);
}

AnsiString TField::AsString() const
{
    CellView c = GetCell();
    if (c.kind == VarType::String) return AnsiString(c.s);
    if (c.IsNull()) return {};
    return c.ToVariant().AsString();
}

void TField::SetAsString(const AnsiString& value)
{
    SetValue(ParseText(value));
}

double TField::AsFloat() const
{
    CellView c = GetCell();
    switch (c.kind) {
    case VarType::Float: case VarType::DateTime: return c.d;
    case VarType::Integer: return static_cast<double>(c.i);
    default: return c.ToVariant().AsFloat();
    }
}

void TField::SetAsFloat(double value)
{
    SetValue(Variant(value));
}

int TField::AsInteger() const
{
    return static_cast<int>(AsLargeInt());
}

void TField::SetAsInteger(int value)
{
    SetValue(Variant(value));
}

int64_t TField::AsLargeInt() const
{
    CellView c = GetCell();
    if (c.kind == VarType::Integer) return c.i;
    return c.ToVariant().AsInteger();
}

void TField::SetAsLargeInt(int64_t value)
{
    SetValue(Variant(static_cast<long long>(value)));
}

bool TField::AsBoolean() const
{
    return GetCell().ToVariant().AsBoolean();
}

void TField::SetAsBoolean(bool value)
{
    SetValue(Variant(value));
}

TDateTime TField::AsDateTime() const
{
    CellView c = GetCell();
    if (c.kind == VarType::DateTime || c.kind == VarType::Float) return c.d;
    return c.ToVariant().AsDateTime();
}

void TField::SetAsDateTime(TDateTime value)
{
    SetValue(Variant::FromDateTime(value));
}

AnsiString TField::textOf(bool displayText) const
{
    if (!OnGetText) return GetText(displayText);
    AnsiString text;
    OnGetText(const_cast<TField*>(this), text, displayText);
    return text;
}

void TField::SetText(const AnsiString& text)
{
    if (OnSetText)
        OnSetText(this, text);
    else
        SetValue(ParseText(text));
}

AnsiString TField::GetText(bool) const
{
    CellView c = GetCell();
    if (c.kind == VarType::String) return AnsiString(c.s);
    return c.ToVariant().AsString();
}

Variant TField::ParseText(const AnsiString& text) const
{
    if (text.empty()) return Variant::Null();
    return Variant(text);
}

Variant TField::Coerce(const Variant& value) const
{
    return value;
}

// --- TFields ---------------------------------------------------------------

TField* TFields::FindField(std::string_view name) const
{
    for (TField* f : list_)
        if (SameText(f->FieldName(), name)) return f;
    return nullptr;
}

TField* TFields::FieldByName(std::string_view name) const
{
    if (TField* f = FindField(name)) return f;
    AnsiString prefix = owner_ && !owner_->Name().empty() ? owner_->Name() + ": " : AnsiString();
    throw EDatabaseError(prefix + Format(DBText::FieldNotFound, AnsiString(name).c_str()));
}

int TFields::IndexOf(const TField* field) const
{
    auto it = std::find(list_.begin(), list_.end(), field);
    return it == list_.end() ? -1 : static_cast<int>(it - list_.begin());
}

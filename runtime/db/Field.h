#pragma once
// Fields: one column of a dataset's records.
//
// A field reads the value of its column in the dataset's current record (or,
// while a data link reads its window, in the record at the link's active
// buffer); writing stores into the record being edited or inserted and tells
// the dataset's links (record changed with this field).
//
// Reading
//   Value()        the value as a Variant of the field's kind; Null when empty.
//   AsString()     the value as text ("" for null); AsFloat, AsInteger,
//                  AsLargeInt, AsBoolean, AsDateTime convert by the runtime's
//                  Variant rules (null gives 0 / false) and raise EConvertError
//                  with the runtime's texts when the value does not convert.
//   Text()         the edit text: OnGetText(DisplayText = false) when set, else
//                  the kind's edit form (numeric fields: EditFormat, or
//                  DisplayFormat when EditFormat is empty).
//   DisplayText()  the display text: OnGetText(DisplayText = true) when set,
//                  else the kind's display form (DisplayFormat).
// Writing (dataset in edit or insert state, or calculating for a calculated
// field; otherwise "Dataset not in edit or insert mode")
//   SetValue, SetAsString, SetAsFloat, ... convert to the field's kind first;
//   SetText runs OnSetText when set, else parses the text as the kind does (an
//   empty text clears the field). A read-only field refuses every write with
//   "Field '%s' cannot be modified"; a string field refuses a value longer than
//   its Size in bytes of the code page, and nothing is written. OnValidate runs
//   before the value is stored, OnChange after.

#include "DBTypes.h"
#include "RecordStore.h"
#include "runtime/Component.h"
#include "runtime/Variant.h"

#include <functional>
#include <vector>

class TDataSet;

class TField : public TComponent {
public:
    explicit TField(TComponent* owner = nullptr);
    ~TField() override;
    const char* ClassName() const override { return "TField"; }

    TDataSet* DataSet() const { return dataSet_; }
    // Adds the field to the dataset's field list (the dataset must be closed).
    void SetDataSet(TDataSet* dataSet);

    const AnsiString& FieldName() const { return fieldName_; }
    void SetFieldName(const AnsiString& name) { fieldName_ = name; }
    TFieldType DataType() const { return dataType_; }
    int Size() const { return size_; }
    void SetSize(int size) { size_ = size; }
    TFieldKind FieldKind() const { return fieldKind_; }
    void SetFieldKind(TFieldKind kind) { fieldKind_ = kind; }
    bool Calculated() const { return fieldKind_ == fkCalculated; }
    bool Lookup() const { return fieldKind_ == fkLookup; }
    // Column number in the record, from 1; 0 for calculated and lookup fields
    // and while the dataset is closed.
    int FieldNo() const { return storeIndex_ >= 0 ? storeIndex_ + 1 : 0; }
    // Position in the dataset's field list.
    int Index() const;

    AnsiString DisplayLabel() const { return displayLabel_.empty() ? fieldName_ : displayLabel_; }
    void SetDisplayLabel(const AnsiString& label) { displayLabel_ = label; }
    AnsiString DisplayName() const { return DisplayLabel(); }
    // Characters the grid reserves for the column; the kind's default until set.
    int DisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : DefaultWidth(); }
    void SetDisplayWidth(int width) { displayWidth_ = width; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a) { alignment_ = a; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }
    bool Required() const { return required_; }
    void SetRequired(bool v) { required_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    const AnsiString& EditMask() const { return editMask_; }
    void SetEditMask(const AnsiString& mask) { editMask_ = mask; }
    // "DATABASE.TABLE.COLUMN" the value comes from.
    const AnsiString& Origin() const { return origin_; }
    void SetOrigin(const AnsiString& origin) { origin_ = origin; }

    // Lookup fields: the value is LookupResultField of the record of
    // LookupDataSet whose LookupKeyFields equal this dataset's KeyFields.
    TDataSet* LookupDataSet() const { return lookupDataSet_; }
    void SetLookupDataSet(TDataSet* ds) { lookupDataSet_ = ds; }
    AnsiString LookupKeyFields, LookupResultField, KeyFields;

    bool IsNull() const { return GetCell().IsNull(); }
    Variant Value() const;
    void SetValue(const Variant& value);
    Variant AsVariant() const { return Value(); }
    void SetAsVariant(const Variant& value) { SetValue(value); }
    virtual AnsiString AsString() const;
    virtual void SetAsString(const AnsiString& value);
    double AsFloat() const;
    void SetAsFloat(double value);
    int AsInteger() const;
    void SetAsInteger(int value);
    int64_t AsLargeInt() const;
    void SetAsLargeInt(int64_t value);
    bool AsBoolean() const;
    void SetAsBoolean(bool value);
    TDateTime AsDateTime() const;
    void SetAsDateTime(TDateTime value);

    AnsiString Text() const { return textOf(false); }
    void SetText(const AnsiString& text);
    AnsiString DisplayText() const { return textOf(true); }

    void Clear() { SetValue(Variant::Null()); }
    // True when the character may be typed into the field's edit text.
    virtual bool IsValidChar(char c) const { return true; }
    // Not read-only, a data field, and the dataset can be modified.
    bool CanModify() const;
    // Raises "Field '%s' cannot be modified" when the field may not be written.
    void CheckReadOnly() const;

    // The stored value, without conversion.
    CellView GetCell() const;

    std::function<void(TField* sender, AnsiString& text, bool displayText)> OnGetText;
    std::function<void(TField* sender, const AnsiString& text)> OnSetText;
    std::function<void(TField* sender)> OnValidate;
    std::function<void(TField* sender)> OnChange;

protected:
    TField(TComponent* owner, TFieldType type, int size);
    // The kind's text without handlers.
    virtual AnsiString GetText(bool displayText) const;
    // Parses an edit text into the kind's value (empty: null).
    virtual Variant ParseText(const AnsiString& text) const;
    // Converts a value to the kind stored (raising the runtime's conversion
    // errors), and checks it (string length).
    virtual Variant Coerce(const Variant& value) const;
    virtual int DefaultWidth() const { return 10; }

private:
    friend class TDataSet;
    AnsiString textOf(bool displayText) const;

    TDataSet* dataSet_ = nullptr;
    AnsiString fieldName_;
    TFieldType dataType_ = ftUnknown;
    int size_ = 0;
    TFieldKind fieldKind_ = fkData;
    int storeIndex_ = -1;  // cell of the record (data fields) or of the calculated values
    AnsiString displayLabel_;
    int displayWidth_ = 0;
    TAlignment alignment_ = taLeftJustify;
    bool readOnly_ = false;
    bool required_ = false;
    bool visible_ = true;
    AnsiString editMask_;
    AnsiString origin_;
    TDataSet* lookupDataSet_ = nullptr;
};

// The fields of a dataset, in order; names found without regard to case.
class TFields {
public:
    int Count() const { return static_cast<int>(list_.size()); }
    TField* operator[](int i) const { return list_.at(static_cast<size_t>(i)); }
    TField* Fields(int i) const { return (*this)[i]; }
    TField* FindField(std::string_view name) const;
    // Raises "Field '%s' not found" (prefixed by the dataset's name).
    TField* FieldByName(std::string_view name) const;
    int IndexOf(const TField* field) const;
    auto begin() const { return list_.begin(); }
    auto end() const { return list_.end(); }

private:
    friend class TDataSet;
    friend class TField;
    std::vector<TField*> list_;
    TDataSet* owner_ = nullptr;
};

// The column description a result gives (name, type, size in bytes).
struct TFieldDef {
    AnsiString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
};
using TFieldDefs = std::vector<TFieldDef>;

// A new field of the type's class, owned by `owner`.
TField* CreateField(TComponent* owner, TFieldType type, int size = 0);

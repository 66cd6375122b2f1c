#pragma once
// A column of the dataset-bound grid, bound to one field of the grid's
// dataset by FieldName. It takes its alignment, caption, maximum length,
// read-only flag and width from the field unless they were set on it, forms
// the text of its cells, and holds its footer value. grid/columns/ stands
// on the tree-list core and the editors; the dataset-bound grid, above it,
// is reached only through TqvFieldColumnHost.
//
// Rules that are easy to break:
// - The field is found again by name every time the grid's data link becomes
//   active or inactive, and when FieldName changes; a column never keeps a
//   field of an earlier opening. A missing field leaves the column unbound:
//   it shows nothing and writes nothing.
// - Cell texts are read while the grid has the dataset reading the node's
//   record (see TCustomqvDBTreeListControl::ReadNodeRecord); a column never
//   moves the dataset.
// - The footer is a summary slot (Summaries.h); only the grid's full loads
//   change its value (TCustomqvDBTreeListControl::PrepareSummaries and on).

#include "grid/columns/Summaries.h"
#include "grid/treelist/TreeListColumn.h"
#include "runtime/Variant.h"

#include <QRect>

class QPainter;
class TCustomqvDBTreeListControl;
class TDataSet;
class TField;
class TqvDBTreeListColumn;
class TqvInplaceEdit;

// A node's value for one column: Value for numbers, flags, dates and texts
// with a get-text handler or an edit mask; LookupValue for lookup fields.
struct TNodeVariantData {
    enum : uint8_t { avValue = 1, avLookupValue = 2 };
    uint8_t AssignedValues = 0;
    Variant Value;
    Variant LookupValue;
};

// What a field column asks of the dataset-bound grid it is listed in. The
// grid (TCustomqvDBTreeListControl) implements it; the columns stand below
// the grid and reach it only through here.
class TqvFieldColumnHost {
public:
    virtual ~TqvFieldColumnHost() = default;
    // The grid itself.
    virtual TCustomqvDBTreeListControl* AsDBTreeList() = 0;
    // A column's FieldName changed: the grid binds it again.
    virtual void ColumnFieldNameChanged(TqvDBTreeListColumn* column) = 0;
    // A column's GroupIndex changed: the records are grouped again.
    virtual void GroupingChanged() = 0;
};

// OnGetText of a column: Sender is the column.
using TColumnGetText = std::function<void(TComponent* Sender, TqvTreeListNode* ANode, AnsiString& AText)>;
// Custom drawing of a cell and of a header (the painting code says when).
using TCustomDrawEvent = std::function<void(TComponent* Sender, QPainter* ACanvas, QRect ARect,
                                            TqvTreeListNode* ANode, AnsiString& AText, bool& ADone)>;
using TCustomDrawHeaderEvent =
    std::function<void(TComponent* Sender, QPainter* ACanvas, QRect ARect, AnsiString& AText, bool& ADone)>;
using TqvDrawSummaryFooter =
    std::function<void(TComponent* Sender, QPainter* ACanvas, QRect ARect, AnsiString& AText, TAlignment& AAlignment,
                       TFont& AFont, TColor& AColor, bool& ADone)>;

class TqvDBTreeListColumn : public TqvTreeListColumn {
public:
    explicit TqvDBTreeListColumn(TComponent* owner = nullptr);
    ~TqvDBTreeListColumn() override;
    const char* ClassName() const override { return "TqvDBTreeListColumn"; }

    // The dataset-bound grid the column is listed in, if any.
    TCustomqvDBTreeListControl* DBTreeList() const;
    // The same grid as the column sees it; null when there is none.
    TqvFieldColumnHost* FieldHost() const;

    const AnsiString& FieldName() const { return fieldName_; }
    void SetFieldName(const AnsiString& name);
    // The bound field; null when the name matches no field of the open dataset.
    TField* Field() const { return field_; }
    bool DisableGrouping() const { return disableGrouping_; }
    void SetDisableGrouping(bool value) { disableGrouping_ = value; }

    // ---- Cell text, with the dataset reading the node's record
    // The node's display string: the kind's text (the field's display text,
    // or what the kind reads instead), then OnGetText.
    AnsiString GetDisplayText(TqvTreeListNode* node) const;
    // What the cell paints: the display string, unless the kind paints its
    // value another way (currency with a display format).
    virtual AnsiString GetPaintText(TqvTreeListNode* node) const { return GetDisplayText(node); }
    // The node's value record for this column.
    TNodeVariantData GetNodeValues() const;
    // The in-place editor class of the kind (the editor framework makes one
    // editor per class and grid, and hands it to every column of the class).
    virtual const char* EditorClassName() const { return "TqvInplaceTreeListTextEdit"; }

    // ---- Editing (ColumnEditors.cpp, a section per kind; the grid has the
    // dataset reading the edited node's record while these run)
    // Copies the column's settings into the editor before a turn: alignment,
    // and for text editors CharCase, MaxLength, OEMConvert, PasswordChar.
    virtual void PrepareEditor(TqvInplaceEdit* editor) const;
    // Fills the editor from the field (an unbound column loads it empty) and
    // returns the loaded value: the field's edit text for plain columns.
    virtual Variant LoadEditor(TqvInplaceEdit* editor) const;
    // Writes the editor's value to the field and returns the field's new
    // value; an unbound column writes nothing. The field's conversion and
    // validation errors are raised unchanged.
    virtual Variant WriteEditor(TqvInplaceEdit* editor);
    // May the character be typed into the cell? The field's valid-character
    // test for single-byte characters.
    virtual bool IsValidChar(char32_t character) const;

    // ---- Footer
    TqvSummaryType SummaryFooterType() const { return summaryFooterType_; }
    void SetSummaryFooterType(TqvSummaryType value);
    const AnsiString& SummaryFooterField() const { return summaryFooterField_; }
    void SetSummaryFooterField(const AnsiString& value) { summaryFooterField_ = value; }
    const AnsiString& SummaryFooterFormat() const { return summaryFooterFormat_; }
    void SetSummaryFooterFormat(const AnsiString& value);
    // The footer value of the last load, as an extended float.
    long double SummaryFooterValue() const { return footer_.Value(); }
    // The footer text: empty for cstNone, else the value in the footer format.
    AnsiString SummaryFooterText() const;
    // The field the footer sums, found when the load prepares the footers;
    // null when the name matches no field.
    TField* SummaryFooterFieldObject() const { return footer_.Field(); }
    // The field a summary of this column reads: `summaryField` when it is
    // set, else the column's own field.
    const AnsiString& SummarySourceField(const AnsiString& summaryField) const
    {
        return summaryField.empty() ? fieldName_ : summaryField;
    }

    TColumnGetText OnGetText;
    TCustomDrawEvent OnCustomDraw;
    TCustomDrawHeaderEvent OnCustomDrawHeader;
    TqvSummaryEvent OnSummaryFooter;
    TqvDrawSummaryFooter OnDrawSummaryFooter;

protected:
    // The kind's text before OnGetText: the bound field's display text.
    virtual AnsiString KindText() const;
    // True when the node's value record keeps the field's value whatever its
    // type (a kind that needs values asks).
    virtual bool WantsValues() const { return false; }
    // The bound field changed (or went).
    virtual void FieldChanged() {}

    TAlignment DefaultAlignment() const override;
    AnsiString DefaultCaption() const override;
    int DefaultMaxLength() const override;
    bool DefaultReadOnly() const override;
    int DefaultWidth() const override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TCustomqvDBTreeListControl;
    // Binds the field (null: unbound) and measures the default width.
    void bind(TField* field);

    AnsiString fieldName_;
    TField* field_ = nullptr;
    bool disableGrouping_ = false;
    int measuredWidth_ = 64;
    TqvSummaryType summaryFooterType_ = cstNone;
    AnsiString summaryFooterField_;
    AnsiString summaryFooterFormat_;
    TqvSummarySlot footer_;
};

#pragma once
// The kinds of field-bound columns: each holds the behaviour of one kind (its
// own settings, its editor class, and in a few kinds how its cells read) and
// is the base of the grid's column class of that kind (DBGridColumns.h).
//
// Cell texts: every kind shows the field's display text (then OnGetText),
// except the memo kind, which shows the field's plain text cut to
// MaxDisplayLength bytes (never inside a double-byte character; a negative
// length keeps the whole text), and the currency kind, which paints the value
// in its DisplayFormat (see TqvDBTreeListCurrencyColumn). A date column bound
// to a text field, or a lookup column without lookup settings, therefore looks
// exactly like a plain column.
//
// Settings that only a kind's editor reads are plain stored values here;
// ColumnEditors.cpp hands them to the editor before each editing turn, and
// DBColumnKindsPaint.cpp paints the kinds that show more than text.

#include "grid/columns/DBTreeListColumn.h"
#include "grid/editors/EditButtons.h"
#include "grid/editors/InplaceBlobEdit.h"
#include "grid/editors/InplaceCheckEdit.h"
#include "grid/editors/InplaceMemoEdit.h"
#include "grid/editors/InplacePickEdit.h"
#include "grid/editors/InplacePopupControl.h"
#include "grid/editors/InplaceTimeEdit.h"
#include "runtime/StringList.h"

#include <QPixmap>

#include <vector>


// Declares a plain stored property Name() / SetName(v). Used for the settings
// that only the kind's editor reads; keep it at the end of a class (it leaves
// the class in private access).
#define QV_STORED_PROPERTY(Type, Name, ...)                      \
public:                                                          \
    const Type& Name() const { return Name##_; }                 \
    void Set##Name(const Type& value) { Name##_ = value; }       \
                                                                 \
private:                                                         \
    Type Name##_{__VA_ARGS__};

enum TqvShowButtonStyle : uint8_t { sbDefault, sbAlways, sbNone };
enum TDateButton : uint8_t { btnToday = 1, btnClear = 2 };
using TDateButtons = uint8_t;
enum TDateOnError : uint8_t { deToday, deNull };
enum TqvCalcButtonStyle : uint8_t { cbsDefault, cbsFlat, cbs3D };

// ---- Kinds with a drop-down list or popup

// Base of the date, lookup, pick, calc, image, button and blob kinds.
// A text cut to at most `maxDisplayLength` bytes, never inside a double-byte
// character; a negative length keeps the whole text.
AnsiString CutToDisplayLength(AnsiString text, int maxDisplayLength);

class TqvDBTreeListDropDownColumn : public TqvDBTreeListColumn {
public:
    using TqvDBTreeListColumn::TqvDBTreeListColumn;
    const char* ClassName() const override { return "TqvDBTreeListDropDownColumn"; }
    // When the cell draws the editor's button (the painting code reads it).
    TqvShowButtonStyle ShowButtonStyle() const { return showButtonStyle_; }
    void SetShowButtonStyle(TqvShowButtonStyle value);
    TNotifyEvent OnEditButtonClick;

private:
    TqvShowButtonStyle showButtonStyle_ = sbDefault;
};

// ---- The kinds the module uses

class TqvDBTreeListMaskColumn : public TqvDBTreeListColumn {
public:
    using TqvDBTreeListColumn::TqvDBTreeListColumn;
    const char* ClassName() const override { return "TqvDBTreeListMaskColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListMaskEdit"; }
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    Variant LoadEditor(TqvInplaceEdit* editor) const override;
    // The field's edit mask until set; a mask set on the column is stored.
    AnsiString EditMask() const;
    void SetEditMask(const AnsiString& mask);
    bool IsEditMaskStored() const { return editMaskAssigned_; }
    bool IgnoreMaskBlank() const { return ignoreMaskBlank_; }
    void SetIgnoreMaskBlank(bool value) { ignoreMaskBlank_ = value; }

private:
    AnsiString editMask_;
    bool editMaskAssigned_ = false;
    bool ignoreMaskBlank_ = false;
};

// Paints a number in DisplayFormat when one is set, the field has no get-text
// handler and is not a field flagged as currency: the node's value formatted
// by the float patterns; a null or a text shows as its text, where an empty
// text shows NullString when Nullable is on; a value that does not convert
// shows the display string.
class TqvDBTreeListCurrencyColumn : public TqvDBTreeListColumn {
public:
    explicit TqvDBTreeListCurrencyColumn(TComponent* owner = nullptr);
    const char* ClassName() const override { return "TqvDBTreeListCurrencyColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListCurrencyEdit"; }
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    Variant LoadEditor(TqvInplaceEdit* editor) const override;
    Variant WriteEditor(TqvInplaceEdit* editor) override;
    bool IsValidChar(char32_t character) const override;
    AnsiString GetPaintText(TqvTreeListNode* node) const override;

    unsigned DecimalPlaces() const { return decimalPlaces_; }
    void SetDecimalPlaces(unsigned value) { decimalPlaces_ = value; }
    // The locale's currency format until set (DefaultCurrencyDisplayFormat).
    const AnsiString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const AnsiString& value);
    double MinValue() const { return minValue_; }
    void SetMinValue(double value) { minValue_ = value; }
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double value) { maxValue_ = value; }
    bool Nullable() const { return nullable_; }
    void SetNullable(bool value);
    const AnsiString& NullString() const { return nullString_; }
    void SetNullString(const AnsiString& value);
    bool UseThousandSeparator() const { return useThousandSeparator_; }
    void SetUseThousandSeparator(bool value) { useThousandSeparator_ = value; }

private:
    unsigned decimalPlaces_ = 2;
    AnsiString displayFormat_;
    double minValue_ = 0, maxValue_ = 0;
    bool nullable_ = true;
    AnsiString nullString_;
    bool useThousandSeparator_ = false;
};

class TqvDBTreeListDateColumn : public TqvDBTreeListDropDownColumn {
public:
    using TqvDBTreeListDropDownColumn::TqvDBTreeListDropDownColumn;
    const char* ClassName() const override { return "TqvDBTreeListDateColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListDateEdit"; }
    // Editing: a null field loads no date; the editor's date is written as
    // the field's value, no date clears it; an unreadable text writes nothing.
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    Variant LoadEditor(TqvInplaceEdit* editor) const override;
    Variant WriteEditor(TqvInplaceEdit* editor) override;
    std::function<void(TComponent* Sender, const AnsiString& Text, double& Date, AnsiString& ErrorText,
                       bool& Accept)>
        OnDateValidateInput;
    QV_STORED_PROPERTY(TDateButtons, DateButtons, btnToday | btnClear)
    QV_STORED_PROPERTY(TDateOnError, DateOnError, deToday)
    QV_STORED_PROPERTY(bool, DateValidation, false)
    QV_STORED_PROPERTY(bool, SaveTime, true)
    QV_STORED_PROPERTY(bool, UseEditMask, false)
    QV_STORED_PROPERTY(QPixmap, ButtonGlyph)
    QV_STORED_PROPERTY(TAlignment, PopupAlignment, taLeftJustify)
    QV_STORED_PROPERTY(TqvPopupBorder, PopupBorder, pbDefault)
};

class TqvDBTreeListLookupColumn : public TqvDBTreeListDropDownColumn {
public:
    using TqvDBTreeListDropDownColumn::TqvDBTreeListDropDownColumn;
    const char* ClassName() const override { return "TqvDBTreeListLookupColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListLookupEdit"; }
    // Editing: a lookup field gives the editor a snapshot of its lookup
    // dataset's (key, result) pairs and is written through its key field;
    // any other field edits as plain text.
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    Variant LoadEditor(TqvInplaceEdit* editor) const override;
    Variant WriteEditor(TqvInplaceEdit* editor) override;
    std::function<void(TComponent* Sender, Variant& Value, bool& Accept)> OnCloseUp;
    QV_STORED_PROPERTY(QPixmap, ButtonGlyph)
    QV_STORED_PROPERTY(uint16_t, ClearKey, 0)
    QV_STORED_PROPERTY(int, DropDownRows, 7)
    QV_STORED_PROPERTY(int, DropDownWidth, 0)
    QV_STORED_PROPERTY(bool, ImmediateDropDown, false)
    QV_STORED_PROPERTY(AnsiString, ListFieldName)
    QV_STORED_PROPERTY(int, ListFieldIndex, 0)
    QV_STORED_PROPERTY(int, ListWidth, 0)
    QV_STORED_PROPERTY(bool, CanDeleteText, false)
    QV_STORED_PROPERTY(TAlignment, PopupAlignment, taLeftJustify)
    QV_STORED_PROPERTY(TqvPopupBorder, PopupBorder, pbDefault)
};

// ---- The other kinds

class TqvDBTreeListButtonColumn : public TqvDBTreeListDropDownColumn {
public:
    using TqvDBTreeListDropDownColumn::TqvDBTreeListDropDownColumn;
    const char* ClassName() const override { return "TqvDBTreeListButtonColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListButtonEdit"; }
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    std::function<void(TComponent* Sender, int AbsoluteIndex)> OnButtonClick;
    QV_STORED_PROPERTY(bool, ButtonOnly, false)
    QV_STORED_PROPERTY(std::vector<TqvEditButton>, Buttons, std::vector<TqvEditButton>{TqvEditButton{}})
    QV_STORED_PROPERTY(TqvEditButtonStyle, EditButtonStyle, ebsEllipsis)
    QV_STORED_PROPERTY(uint16_t, ClickKey, 0x400D)  // Ctrl+Enter
    QV_STORED_PROPERTY(QPixmap, Glyph)
    QV_STORED_PROPERTY(bool, HideEditCursor, false)
};

class TqvDBTreeListCheckColumn : public TqvDBTreeListColumn {
public:
    explicit TqvDBTreeListCheckColumn(TComponent* owner = nullptr) : TqvDBTreeListColumn(owner) { SetMinWidth(16); }
    const char* ClassName() const override { return "TqvDBTreeListCheckColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListCheckEdit"; }
    // Editing and painting: a null field loads a null box, a null box clears
    // the field.
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    Variant LoadEditor(TqvInplaceEdit* editor) const override;
    Variant WriteEditor(TqvInplaceEdit* editor) override;
    bool PaintContent(QPainter& canvas, const TqvCellPaint& cell) const override;
    // Where the box sits: centred unless an alignment was set on the column.
    TAlignment BoxAlignment() const { return IsStored(cvAlignment) ? Alignment() : taCenter; }
    TNotifyEvent OnToggleClick;
    QV_STORED_PROPERTY(bool, AllowGrayed, false)
    QV_STORED_PROPERTY(bool, Border3D, false)
    QV_STORED_PROPERTY(QPixmap, Glyph)
    QV_STORED_PROPERTY(int, GlyphCount, 6)
    QV_STORED_PROPERTY(TqvShowNullFieldStyle, ShowNullFieldStyle, nsUnchecked)
    QV_STORED_PROPERTY(AnsiString, ValueChecked, "True")
    QV_STORED_PROPERTY(AnsiString, ValueGrayed)
    QV_STORED_PROPERTY(AnsiString, ValueUnchecked, "False")
};

class TqvDBTreeListImageColumn : public TqvDBTreeListDropDownColumn {
public:
    using TqvDBTreeListDropDownColumn::TqvDBTreeListDropDownColumn;
    const char* ClassName() const override { return "TqvDBTreeListImageColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListImageEdit"; }
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    bool PaintContent(QPainter& canvas, const TqvCellPaint& cell) const override;
    std::function<void(TComponent* Sender, Variant& Value, bool& Accept)> OnCloseUp;
    QV_STORED_PROPERTY(QPixmap, ButtonGlyph)
    QV_STORED_PROPERTY(bool, DefaultImages, true)
    QV_STORED_PROPERTY(std::vector<AnsiString>, Descriptions)
    QV_STORED_PROPERTY(int, DropDownRows, 7)
    QV_STORED_PROPERTY(int, DropDownWidth, 0)
    QV_STORED_PROPERTY(std::vector<QPixmap>, Images)
    QV_STORED_PROPERTY(std::vector<AnsiString>, ImageIndexes)
    QV_STORED_PROPERTY(bool, Incremental, false)
    QV_STORED_PROPERTY(std::vector<QPixmap>, LargeImages)
    QV_STORED_PROPERTY(int, ListWidth, 0)
    QV_STORED_PROPERTY(bool, MultiLineText, false)
    QV_STORED_PROPERTY(TAlignment, PopupAlignment, taLeftJustify)
    QV_STORED_PROPERTY(TqvPopupBorder, PopupBorder, pbDefault)
    QV_STORED_PROPERTY(bool, ShowDescription, false)
    QV_STORED_PROPERTY(std::vector<AnsiString>, Values)
};

class TqvDBTreeListSpinColumn : public TqvDBTreeListColumn {
public:
    using TqvDBTreeListColumn::TqvDBTreeListColumn;
    const char* ClassName() const override { return "TqvDBTreeListSpinColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListSpinEdit"; }
    // The step settings go to the editor.
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    QV_STORED_PROPERTY(bool, EditorEnabled, true)
    QV_STORED_PROPERTY(double, Increment, 1)
    QV_STORED_PROPERTY(double, MinValue, 0)
    QV_STORED_PROPERTY(double, MaxValue, 0)
    QV_STORED_PROPERTY(TqvShowButtonStyle, ShowButtonStyle, sbDefault)
    QV_STORED_PROPERTY(bool, UseCtrlIncrement, false)
};

class TqvDBTreeListPickColumn : public TqvDBTreeListDropDownColumn {
public:
    using TqvDBTreeListDropDownColumn::TqvDBTreeListDropDownColumn;
    const char* ClassName() const override { return "TqvDBTreeListPickColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListPickEdit"; }
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    std::function<void(TComponent* Sender, Variant& Value, bool& Accept)> OnCloseUp;
    QV_STORED_PROPERTY(QPixmap, ButtonGlyph)
    QV_STORED_PROPERTY(TqvDropDownListStyle, DropDownListStyle, lsEditList)
    QV_STORED_PROPERTY(std::vector<AnsiString>, Items)
    QV_STORED_PROPERTY(bool, ItemsSorted, false)
    QV_STORED_PROPERTY(int, DropDownRows, 7)
    QV_STORED_PROPERTY(int, DropDownWidth, 0)
    QV_STORED_PROPERTY(bool, ImmediateDropDown, true)
    QV_STORED_PROPERTY(bool, CanDeleteText, false)
    QV_STORED_PROPERTY(TAlignment, PopupAlignment, taLeftJustify)
    QV_STORED_PROPERTY(TqvPopupBorder, PopupBorder, pbDefault)
    QV_STORED_PROPERTY(bool, Revertable, false)
};

class TqvDBTreeListCalcColumn : public TqvDBTreeListDropDownColumn {
public:
    using TqvDBTreeListDropDownColumn::TqvDBTreeListDropDownColumn;
    const char* ClassName() const override { return "TqvDBTreeListCalcColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListCalcEdit"; }
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    QV_STORED_PROPERTY(bool, BeepOnError, true)
    QV_STORED_PROPERTY(QPixmap, ButtonGlyph)
    QV_STORED_PROPERTY(TqvCalcButtonStyle, ButtonStyle, cbsDefault)
    QV_STORED_PROPERTY(TAlignment, PopupAlignment, taLeftJustify)
    QV_STORED_PROPERTY(TqvPopupBorder, PopupBorder, pbDefault)
    QV_STORED_PROPERTY(int, Precision, 13)
    QV_STORED_PROPERTY(bool, QuickClose, false)
    QV_STORED_PROPERTY(bool, ShowButtonFrame, false)
};

class TqvDBTreeListBlobColumn : public TqvDBTreeListDropDownColumn {
public:
    using TqvDBTreeListDropDownColumn::TqvDBTreeListDropDownColumn;
    const char* ClassName() const override { return "TqvDBTreeListBlobColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListBlobEdit"; }
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    // The field's plain text (a memo field's Text is not its content).
    Variant LoadEditor(TqvInplaceEdit* editor) const override;
    // The page icon (empty or filled) or the first line, by BlobPaintStyle.
    bool PaintContent(QPainter& canvas, const TqvCellPaint& cell) const override;

protected:
    AnsiString KindText() const override;

public:
    TNotifyEvent OnAssignPicture;
    TNotifyEvent OnGetGraphicClass;
    QV_STORED_PROPERTY(TqvBlobKind, BlobKind, bkAuto)
    QV_STORED_PROPERTY(TqvBlobPaintStyle, BlobPaintStyle, bpsDefault)
    QV_STORED_PROPERTY(int, MaxDisplayLength, 255)
    QV_STORED_PROPERTY(bool, MemoWordWrap, true)
    QV_STORED_PROPERTY(bool, MemoWantReturns, true)
    QV_STORED_PROPERTY(bool, MemoWantTabs, true)
    QV_STORED_PROPERTY(TqvScrollBars, MemoScrollBars, sbsBoth)
    QV_STORED_PROPERTY(int, MemoMaxLength, 0)
    QV_STORED_PROPERTY(bool, PictureAutoSize, true)
    QV_STORED_PROPERTY(bool, PictureTransparency, false)
    QV_STORED_PROPERTY(int, PopupWidth, 200)
    QV_STORED_PROPERTY(int, PopupHeight, 140)
    QV_STORED_PROPERTY(bool, SizeablePopup, true)
    QV_STORED_PROPERTY(bool, ImmediatePopup, false)
    QV_STORED_PROPERTY(TqvPopupBorder, PopupBorder, pbDefault)
};

class TqvDBTreeListHyperLinkColumn : public TqvDBTreeListColumn {
public:
    using TqvDBTreeListColumn::TqvDBTreeListColumn;
    const char* ClassName() const override { return "TqvDBTreeListHyperLinkColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListHyperLinkEdit"; }
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    bool PaintContent(QPainter& canvas, const TqvCellPaint& cell) const override;
    TNotifyEvent OnStartClick;
    QV_STORED_PROPERTY(TColor, EditBackgroundColor, clWindow)
    QV_STORED_PROPERTY(TColor, EditFontColor, clBlue)
    QV_STORED_PROPERTY(bool, SingleClick, false)
    QV_STORED_PROPERTY(uint16_t, StartKey, 0x400D)  // Ctrl+Enter
};

class TqvDBTreeListTimeColumn : public TqvDBTreeListColumn {
public:
    using TqvDBTreeListColumn::TqvDBTreeListColumn;
    const char* ClassName() const override { return "TqvDBTreeListTimeColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListTimeEdit"; }
    // A null field loads blank positions; blank positions clear the field.
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    Variant LoadEditor(TqvInplaceEdit* editor) const override;
    Variant WriteEditor(TqvInplaceEdit* editor) override;
    QV_STORED_PROPERTY(TqvTimeEditFormat, TimeEditFormat, tfHourMinSec)
    QV_STORED_PROPERTY(bool, UseCtrlIncrement, false)
};

// Shows the field's plain text cut to MaxDisplayLength bytes.
class TqvDBTreeListMemoColumn : public TqvDBTreeListColumn {
public:
    using TqvDBTreeListColumn::TqvDBTreeListColumn;
    const char* ClassName() const override { return "TqvDBTreeListMemoColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListMemoEdit"; }
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    // The field's plain text (a memo field's Text is not its content).
    Variant LoadEditor(TqvInplaceEdit* editor) const override;
    // A one-line cell shows the first line of the text.
    bool PaintContent(QPainter& canvas, const TqvCellPaint& cell) const override;
    int MaxDisplayLength() const { return maxDisplayLength_; }
    void SetMaxDisplayLength(int value);

protected:
    AnsiString KindText() const override;

private:
    int maxDisplayLength_ = 255;
    QV_STORED_PROPERTY(bool, HideScrollBars, true)
    QV_STORED_PROPERTY(TqvScrollBars, ScrollBars, sbsNone)
    QV_STORED_PROPERTY(bool, SelectionBar, false)
    QV_STORED_PROPERTY(bool, WantReturns, true)
    QV_STORED_PROPERTY(bool, WantTabs, false)
    QV_STORED_PROPERTY(bool, WordWrap, true)
};

class TqvDBTreeListGraphicColumn : public TqvDBTreeListColumn {
public:
    using TqvDBTreeListColumn::TqvDBTreeListColumn;
    const char* ClassName() const override { return "TqvDBTreeListGraphicColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListGraphicEdit"; }
    // The field's bytes load the editor; an empty picture clears the field.
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    Variant LoadEditor(TqvInplaceEdit* editor) const override;
    Variant WriteEditor(TqvInplaceEdit* editor) override;
    // The picture, scaled as the editor draws it (decoded pictures are kept
    // for the cells painted next).
    bool PaintContent(QPainter& canvas, const TqvCellPaint& cell) const override;

protected:
    // The cell's "text" is the picture's bytes, not the field's marker.
    AnsiString KindText() const override;

public:
    TNotifyEvent OnAssignPicture;
    TNotifyEvent OnCustomClick;
    TNotifyEvent OnGetGraphicClass;
    QV_STORED_PROPERTY(bool, Center, true)
    QV_STORED_PROPERTY(AnsiString, CustomFilter)
    QV_STORED_PROPERTY(AnsiString, CustomGraphic)
    QV_STORED_PROPERTY(bool, DblClickActivate, true)
    QV_STORED_PROPERTY(bool, GraphicTransparency, false)
    QV_STORED_PROPERTY(bool, PopupToolBar, true)
    QV_STORED_PROPERTY(bool, QuickDraw, false)
    QV_STORED_PROPERTY(bool, ShadowSelection, true)
    QV_STORED_PROPERTY(bool, Stretch, true)

private:
    const QPixmap& picture(const AnsiString& bytes) const;
    mutable std::vector<std::pair<AnsiString, QPixmap>> pictures_;  // the most recent first
};

class TqvDBTreeListMRUColumn : public TqvDBTreeListPickColumn {
public:
    explicit TqvDBTreeListMRUColumn(TComponent* owner = nullptr) : TqvDBTreeListPickColumn(owner)
    {
        SetImmediateDropDown(false);
    }
    const char* ClassName() const override { return "TqvDBTreeListMRUColumn"; }
    const char* EditorClassName() const override { return "TqvInplaceDBTreeListMRUEdit"; }
    // The editor's recent values come back to the column when it writes.
    void PrepareEditor(TqvInplaceEdit* editor) const override;
    Variant WriteEditor(TqvInplaceEdit* editor) override;
    TNotifyEvent OnButtonClick;
    QV_STORED_PROPERTY(int, MaxItemCount, 7)
    QV_STORED_PROPERTY(bool, ShowEllipsis, true)
};

// Shows, and edits with the editor of, the column that OnGetReferenceColumn
// names for a node; without one it is a plain column.
class TqvDBTreeListWrapperColumn : public TqvDBTreeListColumn {
public:
    using TqvDBTreeListColumn::TqvDBTreeListColumn;
    const char* ClassName() const override { return "TqvDBTreeListWrapperColumn"; }
    AnsiString GetPaintText(TqvTreeListNode* node) const override;
    // The referenced column of a node, null when there is none.
    TqvDBTreeListColumn* ReferenceColumn(TqvTreeListNode* node) const;
    std::function<void(TComponent* Sender, TqvTreeListNode* Node, TqvDBTreeListColumn*& Column)>
        OnGetReferenceColumn;
};

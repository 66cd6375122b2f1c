#pragma once
// A column of the tree list: a component owned by the form and listed in one
// tree list's column list. Its Index is its position in that list; BandIndex,
// RowIndex and ColIndex place it in the header. Setters that change the
// layout work inside one begin/end update of the tree list; a setter given
// the value it already holds does nothing.
//
// Alignment, Caption, MaxLength, ReadOnly and Width follow a default until
// they are set (a column bound to a field takes them from the field); the
// column remembers which of them were set, and only those are stored.

#include "grid/treelist/LayoutProperties.h"
#include "grid/treelist/TreeListTypes.h"
#include "runtime/Color.h"
#include "runtime/Component.h"
#include "runtime/Font.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>

class QPainter;
class TCustomqvTreeListControl;

// One cell as the painting pass has worked it out, handed to the column's
// kind before its text is drawn: a kind that shows more than text (a check
// box, a picture, a link) paints the content itself. The background, the
// grid lines, the drop-down button and the focus frame are the grid's.
struct TqvCellPaint {
    QRect Cell;     // the whole cell
    QRect Content;  // inside the tree indent, the cell button and the text margins
    TqvTreeListNode* Node = nullptr;
    const AnsiString* Text = nullptr;  // the cell's display text
    QFont Font;
    QColor TextColor, Background;
    TAlignment Alignment = taLeftJustify;
    bool Selected = false;
    bool Focused = false;  // the focused cell
};

class TqvTreeListColumn : public TComponent, private TqvLayoutProperties {
public:
    explicit TqvTreeListColumn(TComponent* owner = nullptr);
    ~TqvTreeListColumn() override;
    const char* ClassName() const override { return "TqvTreeListColumn"; }

    TCustomqvTreeListControl* TreeList() const { return treeList_; }
    // Lists the column in a tree list (appended) or takes it out.
    void SetTreeList(TCustomqvTreeListControl* treeList);
    // Position in the column list, -1 without a tree list.
    int Index() const;
    void SetIndex(int index);

    // The properties that follow a default until set.
    enum TqvColumnValue : uint8_t { cvAlignment, cvCaption, cvMaxLength, cvReadOnly, cvWidth };
    bool IsStored(TqvColumnValue value) const { return assigned_ & (1u << value); }
    // Forgets what was set: every such property follows its default again.
    void RestoreDefaults();

    TAlignment Alignment() const { return IsStored(cvAlignment) ? alignment_ : DefaultAlignment(); }
    void SetAlignment(TAlignment value);
    AnsiString Caption() const { return IsStored(cvCaption) ? caption_ : DefaultCaption(); }
    void SetCaption(const AnsiString& value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value) { charCase_ = value; }
    // The column's own colour when set, else the tree list's.
    TColor Color() const;
    void SetColor(TColor value);
    bool IsColorAssigned() const { return colorAssigned_; }
    bool DisableCaption() const { return disableCaption_; }
    void SetDisableCaption(bool value) { setPaint(disableCaption_, value); }
    bool DisableCustomizing() const { return disableCustomizing_; }
    void SetDisableCustomizing(bool value) { disableCustomizing_ = value; }
    bool DisableDragging() const { return disableDragging_; }
    void SetDisableDragging(bool value) { disableDragging_ = value; }
    bool DisableEditor() const { return disableEditor_; }
    void SetDisableEditor(bool value) { disableEditor_ = value; }
    // The column's own font when set, else the tree list's.
    const TFont& Font() const;
    void SetFont(const TFont& font);
    bool IsFontAssigned() const { return fontAssigned_; }
    TAlignment HeaderAlignment() const { return headerAlignment_; }
    void SetHeaderAlignment(TAlignment value) { setPaint(headerAlignment_, value); }
    const QPixmap& HeaderGlyph() const { return headerGlyph_; }
    void SetHeaderGlyph(const QPixmap& glyph);
    int MaxLength() const { return IsStored(cvMaxLength) ? maxLength_ : DefaultMaxLength(); }
    void SetMaxLength(int value);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool value) { oemConvert_ = value; }
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char value) { passwordChar_ = value; }
    bool ReadOnly() const { return IsStored(cvReadOnly) ? readOnly_ : DefaultReadOnly(); }
    void SetReadOnly(bool value);
    bool Sizing() const { return sizing_; }
    void SetSizing(bool value) { sizing_ = value; }
    TqvTreeListColumnSort Sorted() const { return sorted_; }
    void SetSorted(TqvTreeListColumnSort value) { setPaint(sorted_, value); }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    TTextLayout VertAlignment() const { return vertAlignment_; }
    void SetVertAlignment(TTextLayout value) { setPaint(vertAlignment_, value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { setLayout(visible_, value); }
    int Width() const { return IsStored(cvWidth) ? width_ : DefaultWidth(); }
    void SetWidth(int value);
    int HeaderMaxLineCount() const { return headerMaxLineCount_; }
    void SetHeaderMaxLineCount(int value) { setLayout(headerMaxLineCount_, value < 1 ? 1 : value); }

    // The band the column belongs to; -1 for none. Writing clamps to
    // -1 ... band count - 1.
    int BandIndex() const { return bandIndex_; }
    void SetBandIndex(int value);
    // The header row, read clamped to the tree list's header rows (the stored
    // row is kept, so that more rows bring the column back to it); writing
    // clamps to 0 ... HeaderPanelRowCount - 1.
    int RowIndex() const;
    void SetRowIndex(int value);
    // Position among the visible columns of the same band and row (-1
    // without a tree list). Writing moves the column in the column list
    // before the column now at that position, after the last one past the
    // end; nothing for a column without a band.
    int ColIndex() const;
    void SetColIndex(int value);

    // The column is Visible, has a visible band and takes part in focus.
    bool IsShown() const;

    TNotifyEvent OnChange;
    TqvEditValidateEvent OnValidate;
    // Custom drawing of cells and headers (see the painting code for when
    // they are asked).
    std::function<void(TComponent* Sender, TqvTreeListNode* ANode, AnsiString& AText, bool& ADone)> OnCustomDrawCell;
    std::function<void(TComponent* Sender, AnsiString& AText, bool& ADone)> OnCustomDrawColumnHeader;

    // Paints the cell's content in place of its text; false leaves the text
    // to the grid. Called for every painted cell: keep it cheap.
    virtual bool PaintContent(QPainter& canvas, const TqvCellPaint& cell) const { return false; }

protected:
    // What the properties show until they are set.
    virtual TAlignment DefaultAlignment() const { return taLeftJustify; }
    virtual AnsiString DefaultCaption() const { return {}; }
    virtual int DefaultMaxLength() const { return 0; }
    virtual bool DefaultReadOnly() const { return false; }
    virtual int DefaultWidth() const { return 64; }
    // The defaults changed (a field was bound): repaint, and lay out again
    // when the width follows its default.
    void DefaultsChanged();
    // Asks the tree list to repaint (a property that changes only the looks).
    void Repaint() { repaint(); }

private:
    friend class TCustomqvTreeListControl;
    TCustomqvTreeList* LayoutOwner() const override;
    // Stores a value and marks it set; the layout or the looks follow when
    // what the property shows changed.
    template <class T>
    void assign(TqvColumnValue which, T& field, T value, T shown, bool layout);

    TCustomqvTreeListControl* treeList_ = nullptr;
    TAlignment alignment_ = taLeftJustify;
    AnsiString caption_;
    TEditCharCase charCase_ = ecNormal;
    TColor color_ = clWindow;
    bool colorAssigned_ = false;
    bool disableCaption_ = false;
    bool disableCustomizing_ = false;
    bool disableDragging_ = false;
    bool disableEditor_ = false;
    TFont font_;
    bool fontAssigned_ = false;
    TAlignment headerAlignment_ = taLeftJustify;
    QPixmap headerGlyph_;
    int maxLength_ = 0;
    int minWidth_ = 20;
    bool oemConvert_ = false;
    char passwordChar_ = '\0';
    bool readOnly_ = false;
    bool sizing_ = true;
    TqvTreeListColumnSort sorted_ = csNone;
    bool tabStop_ = true;
    TTextLayout vertAlignment_ = tlTop;
    bool visible_ = true;
    int width_ = 64;
    uint8_t assigned_ = 0;  // bit per TqvColumnValue
    int bandIndex_ = 0;
    int rowIndex_ = 0;
    int headerMaxLineCount_ = 1;
};

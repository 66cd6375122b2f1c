#pragma once
// The tree list with columns and bands: the column list, the band collection,
// the header layout properties, the navigation order that numbers the
// focused column, and plain painting of its rows.
//
// Navigation order: header rows 0 to HeaderPanelRowCount - 1 in turn; within
// a row the visible bands left to right; within a band and row the visible
// columns of that band and row in column-list order. The focused column is a
// position in this order; with one band and one header row it is the
// position among the visible columns.

#include "grid/CellTextPainter.h"
#include "grid/TreeList.h"
#include "grid/TreeListBands.h"
#include "grid/TreeListColumn.h"
#include "runtime/Color.h"
#include "runtime/Font.h"

#include <memory>
#include <vector>

class TCustomqvTreeListControl : public TCustomqvTreeList {
public:
    explicit TCustomqvTreeListControl(TComponent* owner = nullptr, QWidget* parent = nullptr);
    ~TCustomqvTreeListControl() override;
    const char* ClassName() const override { return "TCustomqvTreeListControl"; }

    // ---- Columns
    // Every column in the list, shown or not.
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    TqvTreeListColumn* Columns(int index) const;
    int ColumnIndexOf(const TqvTreeListColumn* column) const;
    // Creates a column of the control's column class, owned by the control's
    // owner (by the control when it has none), and lists it.
    TqvTreeListColumn* CreateColumn();
    void DestroyColumns();

    // ---- Navigation order
    int ShownColumnCount() const override;
    std::vector<TqvTreeListColumn*> NavigationOrder() const;
    // The column at a navigation position, nullptr when none.
    TqvTreeListColumn* NavigationColumn(int position) const;
    // Column-list index of a position (-1 when none) and back (0 when the
    // column is not in the order).
    int ColumnIndexFromNavigation(int position) const;
    int NavigationFromColumnIndex(int index) const;
    void MakeColumnVisible(int position) override;

    // ---- Bands and header layout
    TqvTreeListBands& Bands() { return *bands_; }
    const TqvTreeListBands& Bands() const { return *bands_; }
    int BandRowCount() const { return bandRowCount_; }
    void SetBandRowCount(int value);
    int BandMaxRowCount() const { return bandMaxRowCount_; }
    void SetBandMaxRowCount(int value);
    int HeaderPanelRowCount() const { return headerPanelRowCount_; }
    void SetHeaderPanelRowCount(int value);
    int HeaderPanelMaxRowCount() const { return headerPanelMaxRowCount_; }
    void SetHeaderPanelMaxRowCount(int value);
    int HeaderMinRowCount() const { return headerMinRowCount_; }
    void SetHeaderMinRowCount(int value);
    bool DefaultLayout() const { return defaultLayout_; }
    void SetDefaultLayout(bool value);

    // ---- Appearance used by the plain painting
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    const TFont& HeaderFont() const { return headerFont_; }
    void SetHeaderFont(const TFont& font);
    TColor HeaderColor() const { return headerColor_; }
    void SetHeaderColor(TColor value);
    TColor GridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(TColor value);
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor value);
    TColor HighlightTextColor() const { return highlightTextColor_; }
    void SetHighlightTextColor(TColor value);
    bool ShowGrid() const { return showGrid_; }
    void SetShowGrid(bool value);
    bool ShowHeader() const { return showHeader_; }
    void SetShowHeader(bool value);

    // The text a cell shows (a text node's string for the column).
    virtual AnsiString GetCellText(const TqvTreeListNode* node, const TqvTreeListColumn* column) const;

protected:
    TqvTreeListNode* CreateNode() override;
    virtual TqvTreeListColumn* CreateColumnObject(TComponent* owner);

    // Geometry (plain metrics from the fonts).
    int DataTop() const override;
    int RowHeight() const override;
    int MaxLeftCoord() const override;
    QRect CellRect(const TqvTreeListNode* node, int position) const override;
    // The navigation position under a point of a data row, -1 when none.
    int ColumnAt(int x, int yInRow) const;

    void Paint(QPainter& canvas, const QRect& updateRect) override;
    // Zones below the data rows (the footer), painted after the rows.
    virtual void PaintBelowRows(QPainter& canvas, const QRect& updateRect) {}
    // Draws the texts of cells (and of the zones a subclass paints).
    TqvCellTextPainter& CellTexts() { return textPainter_; }
    // The height of "Wg" in the cell font and in the header font.
    int CellTextHeight() const { return textHeight_; }
    int HeaderTextHeight() const { return headerTextHeight_; }
    void MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y) override;
    void DblClick(int x, int y) override;

    // One line of a header row: a column placed in pixels (content
    // coordinates for scrolling bands, view coordinates for fixed ones).
    struct ColumnPlace {
        TqvTreeListColumn* column;
        int position;  // navigation position
        int row;       // header row
        int left;      // view x
        int width;
        bool fixed;    // in a band pinned to an edge
    };
    std::vector<ColumnPlace> PlaceColumns() const;

private:
    friend class TqvTreeListColumn;
    friend class TqvTreeListBands;
    void addColumn(TqvTreeListColumn* column);
    void removeColumn(TqvTreeListColumn* column);
    void moveColumn(int from, int to);
    void forEachNode(const std::function<void(TqvTreeListNode*)>& f);
    // Columns stay with their band when bands come, go or move.
    void bandInserted(int index);
    void bandsRemoved(int index);
    void bandMoved(int from, int to);
    void setFontOf(TFont& target, const TFont& font);
    void measure();
    int lineHeight() const;
    int headerLineHeight() const;

    std::vector<TqvTreeListColumn*> columns_;
    std::unique_ptr<TqvTreeListBands> bands_;
    int bandRowCount_ = 1;
    int bandMaxRowCount_ = 5;
    int headerPanelRowCount_ = 1;
    int headerPanelMaxRowCount_ = 5;
    int headerMinRowCount_ = 1;
    bool defaultLayout_ = true;
    TColor color_ = clWindow;
    TFont font_;
    TFont headerFont_;
    TColor headerColor_ = clBtnFace;
    TColor gridLineColor_ = clNone;
    TColor highlightColor_ = clHighlight;
    TColor highlightTextColor_ = clHighlightText;
    bool showGrid_ = true;
    bool showHeader_ = true;
    TqvCellTextPainter textPainter_;
    int textHeight_ = 13;        // of "Wg" in the cell font
    int headerTextHeight_ = 13;  // in the header font
};

#pragma once
// The tree list with columns and bands: the column list, the band collection,
// the header layout properties, the navigation order that numbers the
// focused column, the visual properties, the layout pass and the painting
// (TreeListLayout.cpp, TreeListPaint.cpp), the mouse on headers and bands
// (TreeListMouse.cpp), and scrolling with the middle button and by dragging
// past the rows (MouseScroll.h).
//
// Navigation order: header rows 0 to HeaderPanelRowCount - 1 in turn; within
// a row the visible bands left to right; within a band and row the visible
// columns of that band and row in column-list order. The focused column is a
// position in this order; with one band and one header row it is the
// position among the visible columns.

#include "grid/treelist/CellTextPainter.h"
#include "grid/treelist/TreeList.h"
#include "grid/treelist/TreeListBands.h"
#include "grid/treelist/TreeListColumn.h"
#include "runtime/Color.h"
#include "runtime/Font.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

class TqvCustomizingBox;
class TqvMouseScroller;

class TCustomqvTreeListControl : public TCustomqvTreeList {
public:
    // A button at the right of a column header (the grid's filter button):
    // none, shown, or shown as in force (the column is filtered).
    enum class TqvHeaderButton : uint8_t { None, Shown, Active };

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

    // ---- Appearance (TreeListLook.cpp). Setters that change sizes lay out
    // again; the others only repaint.
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
    const TFont& BandFont() const { return bandFont_; }
    void SetBandFont(const TFont& font);
    const TFont& PreviewFont() const { return previewFont_; }
    void SetPreviewFont(const TFont& font);
    TColor BandColor() const { return bandColor_; }
    void SetBandColor(TColor value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    TColor HideSelectionColor() const { return hideSelectionColor_; }
    void SetHideSelectionColor(TColor value);
    TColor HideSelectionTextColor() const { return hideSelectionTextColor_; }
    void SetHideSelectionTextColor(TColor value);
    bool HideFocusRect() const { return hideFocusRect_; }
    void SetHideFocusRect(bool value);
    TColor GroupNodeColor() const { return groupNodeColor_; }
    void SetGroupNodeColor(TColor value);
    TColor GroupNodeTextColor() const { return groupNodeTextColor_; }
    void SetGroupNodeTextColor(TColor value);
    TColor RowFooterColor() const { return rowFooterColor_; }
    void SetRowFooterColor(TColor value);
    TColor RowFooterTextColor() const { return rowFooterTextColor_; }
    void SetRowFooterTextColor(TColor value);
    TColor FixedBandLineColor() const { return fixedBandLineColor_; }
    void SetFixedBandLineColor(TColor value);
    int FixedBandLineWidth() const { return fixedBandLineWidth_; }
    void SetFixedBandLineWidth(int value);
    TColor ArrowsColor() const { return arrowsColor_; }
    void SetArrowsColor(TColor value);
    TqvLookAndFeel LookAndFeel() const { return lookAndFeel_; }
    void SetLookAndFeel(TqvLookAndFeel value);
    // Flat for lfFlat and lfUltraFlat, raised for lfStandard.
    bool IsFlat() const { return lookAndFeel_ != lfStandard; }
    bool ShowBands() const { return showBands_; }
    void SetShowBands(bool value);
    bool ShowPreviewGrid() const { return showPreviewGrid_; }
    void SetShowPreviewGrid(bool value);
    // 0 (not set): rows are as high as their minimum.
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    int GrIndicatorWidth() const { return grIndicatorWidth_; }
    void SetGrIndicatorWidth(int value);
    int PreviewLines() const { return previewLines_; }
    void SetPreviewLines(int value);
    int MaxRowLineCount() const { return maxRowLineCount_; }
    void SetMaxRowLineCount(int value) { maxRowLineCount_ = value; }
    int IndentDesc() const { return indentDesc_; }
    void SetIndentDesc(int value);

    // ---- Metrics of the current fonts and options (every layout pass
    // reads them afresh)
    int BandRowHeight() const;
    int BandZoneHeight() const;
    int HeaderRowHeight() const;
    int HeaderZoneHeight() const;
    int IndicatorWidth() const { return ShowIndicator() ? std::max(0, grIndicatorWidth_) : 0; }
    // The least height of a data line (one header row's worth of a row).
    int MinRowLineHeight() const;
    // The grid is active while the keyboard focus is in it or in its editor.
    bool IsGridActive() const;

    // Custom drawing of a cell: a handler that sets ADone has drawn the cell
    // itself; otherwise the text, colours, font and alignment it leaves are
    // drawn.
    std::function<void(TComponent* Sender, QPainter* ACanvas, QRect ARect, TqvTreeListNode* ANode,
                       TqvTreeListColumn* AColumn, bool ASelected, bool AFocused, AnsiString& AText,
                       TColor& AColor, TFont& AFont, TAlignment& AAlignment, bool& ADone)>
        OnCustomDrawCell;
    // Custom drawing of a column header (the column's own handler is asked first).
    std::function<void(TComponent* Sender, QPainter* ACanvas, QRect ARect, TqvTreeListColumn* AColumn,
                       AnsiString& AText, bool& ADone)>
        OnCustomDrawColumnHeader;
    // A click on a column header (after the sorting it starts, if any).
    std::function<void(TComponent* Sender, TqvTreeListColumn* Column)> OnColumnClick;

    // ---- The customizing box (CustomizingBox.h): hidden bands and columns
    // come and go by dragging. Opening closes the editor; the control is in
    // the customizing state until the box closes.
    void ColumnsCustomizing();
    void EndColumnsCustomizing();
    // The box, null until it is first opened.
    TqvCustomizingBox* CustomizingBox() const { return customizingBox_; }

    // The text a cell shows (a text node's string for the column).
    virtual AnsiString GetCellText(const TqvTreeListNode* node, const TqvTreeListColumn* column) const;

protected:
    TqvTreeListNode* CreateNode() override;
    virtual TqvTreeListColumn* CreateColumnObject(TComponent* owner);

    // Geometry (metrics from the fonts, TreeListLayout.cpp).
    int DataTop() const override;
    int RowHeight() const override;
    int MaxLeftCoord() const override;
    TqvScrollRange HorizontalScrollRange() const override;
    QRect CellRect(const TqvTreeListNode* node, int position) const override;
    // The navigation position under a point of a data row, -1 when none.
    int ColumnAt(int x, int yInRow) const;

    // The strip under the column headers (the filter status), 0 when none.
    virtual int StatusHeight() const { return 0; }
    // The indicator column (edgoIndicator on the grid).
    virtual bool ShowIndicator() const { return false; }
    enum class TqvIndicatorGlyph : uint8_t { None, Focused, Editing, Inserting };
    virtual TqvIndicatorGlyph IndicatorGlyphOf(const TqvTreeListNode* node) const;
    // Group rows take the group node colours.
    virtual bool IsGroupRow(const TqvTreeListNode* node) const { return false; }
    // A drop-down button is painted in the cell.
    virtual bool HasCellButton(const TqvTreeListColumn* column, bool focusedCell) const { return false; }
    // Column kinds that draw cells themselves; true when the cell is drawn.
    virtual bool CustomDrawColumnCell(QPainter& canvas, const QRect& cell, TqvTreeListNode* node,
                                      TqvTreeListColumn* column, AnsiString& text);
    virtual bool CustomDrawColumnHeader(QPainter& canvas, const QRect& cell, TqvTreeListColumn* column,
                                        AnsiString& text);
    // The header of a column was clicked (not dragged, not sized).
    virtual void ColumnClicked(TqvTreeListColumn* column, TShiftState shift);
    virtual TqvHeaderButton HeaderButtonOf(const TqvTreeListColumn* column) const { return TqvHeaderButton::None; }
    // The header button of a column was pressed; `cell` is its header cell.
    virtual void HeaderButtonClicked(TqvTreeListColumn* column, const QRect& cell) {}
    // Where the header button sits in a header cell.
    static QRect HeaderButtonRect(const QRect& cell);
    // A column is leaving the column list (what refers to it forgets it).
    virtual void ColumnRemoving(TqvTreeListColumn* column) {}
    // May the user hide the column by dragging it onto the customizing box?
    virtual bool CanHideColumn(const TqvTreeListColumn* column) const;

    void Paint(QPainter& canvas, const QRect& updateRect) override;
    // Zones below the data rows (the footer), painted after the rows.
    virtual void PaintBelowRows(QPainter& canvas, const QRect& updateRect) {}
    // A zone between the column headers and the data rows (the grid's
    // new-item row), painted after the rows.
    struct Layout;
    virtual void PaintAboveRows(QPainter& canvas, const QRect& updateRect, const Layout& layout) {}
    // The node whose row carries the focus marks: the focused node, unless
    // the focus stands on a row that is not a node (the new-item row).
    virtual TqvTreeListNode* FocusMarkedNode() const { return FocusedNode(); }
    // Draws the texts of cells (and of the zones a subclass paints).
    TqvCellTextPainter& CellTexts() { return textPainter_; }
    // The height of "Wg" in the cell font and in the header font.
    int CellTextHeight() const { return textHeight_; }
    int HeaderTextHeight() const { return headerTextHeight_; }
    void MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, TShiftState shift, int x, int y) override;
    void DblClick(int x, int y) override;
    void CancelMouseOperation() override;
    // A key or leaving the control ends the middle-button anchor (Esc does
    // nothing else then).
    void KeyDown(Word& key, TShiftState shift) override;
    void DoExit() override;
    // One tick of the mouse scrolling (MouseScroll.h); its timer calls it.
    void MouseScrollStep();

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
    std::vector<ColumnPlace> PlaceColumns() const { return ComputeLayout().columns; }
    // A visible band placed in pixels.
    struct BandPlace {
        TqvTreeListBand* band;
        int left;  // view x
        int width;
    };
    // One layout pass: bands and columns in pixels and the scrolling area
    // between the fixed bands.
    struct Layout {
        std::vector<BandPlace> bands;
        std::vector<ColumnPlace> columns;
        int indicator = 0;     // width of the indicator column at the left edge
        int leftFixedEnd = 0;  // x where the left fixed bands (and their line) end
        int rightFixedStart = 0;
        int leftLine = 0;      // width of the fixed band lines (0 when no such band)
        int rightLine = 0;
        int scrollingWidth = 0;  // content width of the scrolling bands
    };
    Layout ComputeLayout() const;
    // The column whose header is under (x, y), with the header row's cell.
    const ColumnPlace* HeaderColumnAt(const Layout& layout, int x, int y, QRect* cell = nullptr) const;

private:
    friend class TqvTreeListColumn;
    friend class TqvTreeListBands;
    friend class TqvCustomizingBox;
    friend class TqvMouseScroller;
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
    void paintHeaders(QPainter& canvas, const QRect& updateRect, const Layout& layout);
    void paintBands(QPainter& canvas, const QRect& updateRect, const Layout& layout);
    void paintIndicator(QPainter& canvas, const QRect& updateRect);
    void paintFixedBandLines(QPainter& canvas, const Layout& layout);
    void paintRows(QPainter& canvas, const QRect& updateRect, const Layout& layout);
    void paintDragArrows(QPainter& canvas);
    // Dropping headers (TreeListMouse.cpp): the drag arrows for a column
    // at x in a header row, or for a band at x (null: nowhere to go), and
    // the move of a column or band to the place the arrows show.
    std::optional<QPoint> columnDropPoint(const Layout& layout, int x, int row) const;
    void placeColumn(TqvTreeListColumn* column, const Layout& layout, QPoint arrows, int row);
    std::optional<QPoint> bandDropPoint(const Layout& layout, int x) const;
    void placeBand(TqvTreeListBand* band, const Layout& layout, QPoint arrows);
    // The header row under y, clamped to the header panel.
    int headerRowAt(int y) const;
    // A point of the control over the open customizing box.
    bool overCustomizingBox(int x, int y) const;
    // Drags of entries from the customizing box, in control coordinates.
    void customizingDragTo(TqvTreeListColumn* column, TqvTreeListBand* band, QPoint at);
    void customizingDrop(TqvTreeListColumn* column, TqvTreeListBand* band, QPoint at);
    // The state between mouse operations: customizing while the box is open.
    TqvTreeListState idleState() const;

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
    TFont bandFont_;
    TFont previewFont_;
    TColor bandColor_ = clBtnFace;
    bool hideSelection_ = false;
    TColor hideSelectionColor_ = clHighlight;
    TColor hideSelectionTextColor_ = clHighlightText;
    bool hideFocusRect_ = false;
    TColor groupNodeColor_ = clBtnFace;
    TColor groupNodeTextColor_ = clWindowText;
    TColor rowFooterColor_ = cl3DLight;
    TColor rowFooterTextColor_ = clWindowText;
    TColor fixedBandLineColor_ = clWindowFrame;
    int fixedBandLineWidth_ = 2;
    TColor arrowsColor_ = TColor(65280);
    TqvLookAndFeel lookAndFeel_ = lfStandard;
    bool showBands_ = false;
    bool showPreviewGrid_ = true;
    int defaultRowHeight_ = 0;
    int grIndicatorWidth_ = 12;
    int previewLines_ = 2;
    int maxRowLineCount_ = -1;
    int indentDesc_ = 20;
    TqvCellTextPainter textPainter_;
    int textHeight_ = 13;        // of "Wg" in the cell font
    int headerTextHeight_ = 13;  // in the header font
    int bandTextHeight_ = 13;    // in the band font

    // The mouse on headers and bands (TreeListMouse.cpp).
    struct MouseOperation {
        TqvTreeListColumn* column = nullptr;
        TqvTreeListBand* band = nullptr;
        QPoint down;        // where the button went down
        int startWidth = 0; // width of the column or band when sizing began
        // Where the drag arrows point; none when the drop goes nowhere. (The
        // top left corner is a place like any other.)
        std::optional<QPoint> arrows;
        int arrowsHeight = 0;
        bool overBox = false;  // a dragged header over the customizing box, to be hidden
    } mouse_;
    TqvCustomizingBox* customizingBox_ = nullptr;  // a child in Qt's tree
    std::unique_ptr<TqvMouseScroller> scroller_;    // the anchor and drag scrolling
};

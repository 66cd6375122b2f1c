#pragma once
// The customizing box of a column control: a small tool window listing the
// hidden bands and columns, one header-like entry each (bands first). The
// control opens it (ColumnsCustomizing) and closes it (EndColumnsCustomizing);
// while it is open the control is in the customizing state.
//
// Dragging a column header or a band out of the control onto the box hides
// it; dragging an entry from the box onto the header panel (a band onto the
// band panel) shows it where it is dropped, with the drag arrows the control
// shows when moving headers. The control decides what may be hidden.
//
// Rules that are easy to break:
// - The entries are read from the control whenever they are needed, never
//   kept: columns and bands may change, come and go while the box is open.
// - The box is a child of the control in Qt's tree (a tool window over it),
//   so it goes with the control; the control only hides it.
// - A drag from the box runs while Qt sends the mouse to the box (it holds
//   the mouse from the press): the box hands the points to the control in
//   the control's coordinates.

#include <QWidget>

#include <vector>

class TCustomqvTreeListControl;
class TqvTreeListBand;
class TqvTreeListColumn;

class TqvCustomizingBox : public QWidget {
public:
    explicit TqvCustomizingBox(TCustomqvTreeListControl* control);

    // One hidden band or column.
    struct Entry {
        TqvTreeListBand* band = nullptr;
        TqvTreeListColumn* column = nullptr;
    };
    std::vector<Entry> Entries() const;
    // The entry's rectangle in the box.
    QRect EntryRect(int index) const;
    int EntryAt(QPoint at) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int entryHeight() const;

    TCustomqvTreeListControl* control_;
    Entry dragged_;
    QPoint down_;
    bool dragging_ = false;
};

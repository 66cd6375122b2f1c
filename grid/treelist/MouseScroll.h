#pragma once
// Scrolling the tree list with the mouse, as its two option words say:
// - MouseScroll: a press of the middle button sets an anchor where it went
//   down (the control is in its mouse-scrolling state and shows the anchor's
//   mark). While the mouse is away from the anchor by more than a few
//   pixels, the view scrolls towards it, the faster the further away. A
//   click (released near the anchor) keeps the anchor until the next press
//   of any button, a key or the focus leaving; pressed, moved away and
//   released, it ends at the release.
// - DragScroll: with the left button held after a press on a row, the mouse
//   above the first row or below the last one scrolls the rows that way,
//   the faster the further away, until the button comes up.
// Both scroll the view only: the focus stays where it was. They scroll on
// the ticks of a timer; Step is one tick.
//
// Rules that are easy to break: the scroller leaves the control's state and
// mouse tracking as it found them when it ends, however it ends.

#include <QPoint>

class QPainter;
class QTimer;
class TCustomqvTreeListControl;

class TqvMouseScroller {
public:
    explicit TqvMouseScroller(TCustomqvTreeListControl& control);
    ~TqvMouseScroller();
    TqvMouseScroller(const TqvMouseScroller&) = delete;
    TqvMouseScroller& operator=(const TqvMouseScroller&) = delete;

    bool Anchored() const { return mode_ == Mode::Anchor; }
    bool Dragging() const { return mode_ == Mode::Drag; }
    QPoint AnchorPoint() const { return anchor_; }

    void BeginAnchor(QPoint at);
    void BeginDrag(QPoint at);
    // The mouse moved to `at` (control coordinates).
    void MouseAt(QPoint at);
    // The middle button (for the anchor) or the left one (for a drag) came up.
    void MiddleUp();
    void LeftUp();
    // Ends whatever runs.
    void End();
    // One tick: scrolls as far as the mouse asks now.
    void Step();
    void Paint(QPainter& canvas) const;

private:
    enum class Mode { None, Anchor, Drag };
    bool awayFromAnchor() const;
    void start(Mode mode, QPoint at);

    TCustomqvTreeListControl& control_;
    QTimer* timer_;  // a child of the control
    Mode mode_ = Mode::None;
    QPoint anchor_;
    QPoint mouse_;
    bool movedAway_ = false;
    bool tracking_ = false;  // the control's mouse tracking before the anchor
};

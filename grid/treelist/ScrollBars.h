#pragma once
// The scroll bars of a tree list: a vertical bar at the right edge and a
// horizontal bar at the bottom, children of the control. The control lays
// out and paints its zones in the client area left of and above them.
//
// The vertical bar stands whenever ScrollBars asks for it (disabled while
// every row is in view), so that the client width never changes with the
// number of rows and AutoWidth fitting does not depend on it. The
// horizontal bar comes only while the columns do not fit.
//
// Rules that are easy to break:
// - The bars only report what the user does (arrows, pages, the thumb, the
//   wheel over them) through the callbacks; setting their ranges from the
//   control's state (Show) never calls back.
// - A bar's value is a position in the control's own units: the first
//   visible row (or record) for the vertical bar, the left coordinate in
//   pixels for the horizontal one.

#include "runtime/ScrollStyle.h"

#include <functional>

class QScrollBar;
class QWidget;

// What a bar shows: the position of the view, the largest position, and how
// much is in view (the thumb's share is page / (max + page)).
struct TqvScrollRange {
    int position = 0;
    int max = 0;
    int page = 1;
};

class TqvTreeListScrollBars {
public:
    using Scroll = std::function<void(int position)>;
    // Makes the bars as children of `control` (Qt's tree frees them).
    TqvTreeListScrollBars(QWidget& control, Scroll vertical, Scroll horizontal);

    TScrollStyle Style() const { return style_; }
    void SetStyle(TScrollStyle style) { style_ = style; }

    // The room the bars take from the control (0 for a bar that is not shown).
    int VerticalWidth() const;
    int HorizontalHeight() const;
    // Would the horizontal bar be shown for this range?
    bool WantsHorizontal(const TqvScrollRange& horizontal) const;

    // Places the bars and gives them their ranges. False when the room they
    // take changed (the control must lay out again).
    bool Show(const TqvScrollRange& vertical, const TqvScrollRange& horizontal);

    QScrollBar* Vertical() const { return vertical_; }
    QScrollBar* Horizontal() const { return horizontal_; }

private:
    int extent() const;
    void set(QScrollBar* bar, const TqvScrollRange& range);

    QWidget& control_;
    QScrollBar* vertical_;
    QScrollBar* horizontal_;
    TScrollStyle style_ = ssBoth;
    bool syncing_ = false;
};

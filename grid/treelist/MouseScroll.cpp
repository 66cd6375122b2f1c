// The middle-button anchor and drag scrolling of the tree list (the rules in
// MouseScroll.h).
#include "grid/treelist/MouseScroll.h"

#include "grid/treelist/TreeListControl.h"
#include "runtime/Application.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int kTickMs = 50;
// The mouse this close to the anchor scrolls nothing.
constexpr int kDeadZone = 8;
constexpr int kAnchorRadius = 10;
}  // namespace

TqvMouseScroller::TqvMouseScroller(TCustomqvTreeListControl& control) : control_(control), timer_(new QTimer(&control))
{
    timer_->setInterval(kTickMs);
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { Guard([this] { Step(); }); });
}

TqvMouseScroller::~TqvMouseScroller() { timer_->disconnect(); }

void TqvMouseScroller::start(Mode mode, QPoint at)
{
    End();
    mode_ = mode;
    anchor_ = mouse_ = at;
    movedAway_ = false;
}

void TqvMouseScroller::BeginAnchor(QPoint at)
{
    start(Mode::Anchor, at);
    control_.SetState(tsMouseScrolling);
    // The mouse steers the scrolling with no button held too.
    tracking_ = control_.hasMouseTracking();
    control_.setMouseTracking(true);
    control_.setCursor(Qt::SizeAllCursor);
    timer_->start();
    control_.update();
}

void TqvMouseScroller::BeginDrag(QPoint at) { start(Mode::Drag, at); }

bool TqvMouseScroller::awayFromAnchor() const
{
    return std::abs(mouse_.x() - anchor_.x()) > kDeadZone || std::abs(mouse_.y() - anchor_.y()) > kDeadZone;
}

void TqvMouseScroller::MouseAt(QPoint at)
{
    if (mode_ == Mode::None) return;
    mouse_ = at;
    if (mode_ == Mode::Anchor) {
        movedAway_ = movedAway_ || awayFromAnchor();
        return;
    }
    // Dragging: the timer runs while the mouse is off the rows.
    bool off = at.y() < control_.DataTop() || at.y() >= control_.DataBottom();
    if (off && !timer_->isActive()) {
        Step();
        timer_->start();
    } else if (!off) {
        timer_->stop();
    }
}

void TqvMouseScroller::MiddleUp()
{
    if (mode_ == Mode::Anchor && movedAway_) End();
}

void TqvMouseScroller::LeftUp()
{
    if (mode_ == Mode::Drag) End();
}

void TqvMouseScroller::End()
{
    timer_->stop();
    Mode was = mode_;
    mode_ = Mode::None;
    if (was != Mode::Anchor) return;
    control_.setMouseTracking(tracking_);
    control_.unsetCursor();
    if (control_.State() == tsMouseScrolling) control_.SetState(control_.idleState());
    control_.update();
}

void TqvMouseScroller::Step()
{
    const int row = std::max(1, control_.RowHeight());
    int lines = 0, pixels = 0;
    if (mode_ == Mode::Anchor) {
        int dy = mouse_.y() - anchor_.y(), dx = mouse_.x() - anchor_.x();
        if (std::abs(dy) > kDeadZone) lines = (dy > 0 ? 1 : -1) * (1 + (std::abs(dy) - kDeadZone) / (2 * row));
        if (std::abs(dx) > kDeadZone) pixels = (dx > 0 ? 1 : -1) * (std::abs(dx) - kDeadZone) / 2;
    } else if (mode_ == Mode::Drag) {
        int top = control_.DataTop(), bottom = control_.DataBottom();
        if (mouse_.y() < top) lines = -(1 + (top - mouse_.y()) / row);
        if (mouse_.y() >= bottom) lines = 1 + (mouse_.y() - bottom) / row;
    }
    if (lines) control_.ScrollRows(lines);
    if (pixels) control_.ScrollHorizontalTo(control_.LeftCoord() + pixels);
}

void TqvMouseScroller::Paint(QPainter& canvas) const
{
    if (mode_ != Mode::Anchor) return;
    // A round mark with an arrow up and an arrow down.
    const QPalette& pal = control_.palette();
    QPointF c = anchor_;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing);
    canvas.setPen(ToQColor(clWindowText, &pal));
    canvas.setBrush(ToQColor(clWindow, &pal));
    canvas.drawEllipse(c, kAnchorRadius, kAnchorRadius);
    QPainterPath arrows;
    arrows.moveTo(c.x() - 4, c.y() - 2);
    arrows.lineTo(c.x() + 4, c.y() - 2);
    arrows.lineTo(c.x(), c.y() - 7);
    arrows.closeSubpath();
    arrows.moveTo(c.x() - 4, c.y() + 2);
    arrows.lineTo(c.x() + 4, c.y() + 2);
    arrows.lineTo(c.x(), c.y() + 7);
    arrows.closeSubpath();
    canvas.fillPath(arrows, ToQColor(clWindowText, &pal));
    canvas.restore();
}

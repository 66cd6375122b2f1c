// The tree list's scroll bars: two QScrollBar children placed along the right
// and bottom edges, their ranges set from the control's state, and what the
// user does with them handed to the control.
#include "grid/treelist/ScrollBars.h"

#include "runtime/Application.h"

#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {
// The horizontal bar's arrows move the columns this many pixels.
constexpr int kHorizontalStep = 20;
}  // namespace

TqvTreeListScrollBars::TqvTreeListScrollBars(QWidget& control, Scroll vertical, Scroll horizontal)
    : control_(control),
      vertical_(new QScrollBar(Qt::Vertical, &control)),
      horizontal_(new QScrollBar(Qt::Horizontal, &control))
{
    vertical_->setObjectName(QStringLiteral("verticalScrollBar"));
    horizontal_->setObjectName(QStringLiteral("horizontalScrollBar"));
    vertical_->setSingleStep(1);
    horizontal_->setSingleStep(kHorizontalStep);
    for (auto [bar, scroll] : {std::pair{vertical_, std::move(vertical)}, std::pair{horizontal_, std::move(horizontal)}}) {
        // The keyboard stays with the grid; the bars only take the mouse.
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setCursor(Qt::ArrowCursor);
        bar->hide();
        QObject::connect(bar, &QScrollBar::valueChanged, bar, [this, scroll](int value) {
            if (!syncing_) Guard([&] { scroll(value); });
        });
    }
}

int TqvTreeListScrollBars::extent() const
{
    return control_.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vertical_);
}

int TqvTreeListScrollBars::VerticalWidth() const { return HasVerticalBar(style_) ? extent() : 0; }

int TqvTreeListScrollBars::HorizontalHeight() const { return horizontal_->isHidden() ? 0 : extent(); }

bool TqvTreeListScrollBars::WantsHorizontal(const TqvScrollRange& horizontal) const
{
    return HasHorizontalBar(style_) && horizontal.max > 0;
}

void TqvTreeListScrollBars::set(QScrollBar* bar, const TqvScrollRange& range)
{
    int max = std::max(0, range.max);
    bar->setRange(0, max);
    bar->setPageStep(std::max(1, range.page));
    bar->setValue(std::clamp(range.position, 0, max));
    bar->setEnabled(max > 0);
}

bool TqvTreeListScrollBars::Show(const TqvScrollRange& vertical, const TqvScrollRange& horizontal)
{
    const bool wantV = HasVerticalBar(style_), wantH = WantsHorizontal(horizontal);
    const bool changed = wantV == vertical_->isHidden() || wantH == horizontal_->isHidden();
    const int e = extent(), w = control_.width(), h = control_.height();
    syncing_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{syncing_};
    if (wantV) {
        vertical_->setGeometry(w - e, 0, e, std::max(0, h - (wantH ? e : 0)));
        set(vertical_, vertical);
    }
    if (wantH) {
        horizontal_->setGeometry(0, h - e, std::max(0, w - (wantV ? e : 0)), e);
        set(horizontal_, horizontal);
    }
    vertical_->setVisible(wantV);
    horizontal_->setVisible(wantH);
    return changed;
}

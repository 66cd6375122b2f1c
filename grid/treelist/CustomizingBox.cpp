#include "grid/treelist/CustomizingBox.h"

#include "grid/treelist/TreeListControl.h"
#include "runtime/AnsiString.h"
#include "runtime/Application.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

namespace {
constexpr int kMargin = 4;     // around the entries
constexpr int kDragStart = 4;  // pixels the mouse moves before a drag starts
constexpr int kWidth = 160;
constexpr int kEntryRows = 8;  // entries the box shows without growing
}  // namespace

// ---- The box

TqvCustomizingBox::TqvCustomizingBox(TCustomqvTreeListControl* control)
    : QWidget(control, Qt::Tool), control_(control)
{
    setWindowTitle(QStringLiteral("Customize"));
    setObjectName(QStringLiteral("CustomizingBox"));
    resize(kWidth, 2 * kMargin + kEntryRows * entryHeight());
}

int TqvCustomizingBox::entryHeight() const { return std::max(control_->HeaderRowHeight(), 16); }

std::vector<TqvCustomizingBox::Entry> TqvCustomizingBox::Entries() const
{
    std::vector<Entry> entries;
    const TqvTreeListBands& bands = control_->Bands();
    for (int i = 0; i < bands.Count(); ++i)
        if (!bands.Items(i)->Visible()) entries.push_back({bands.Items(i), nullptr});
    for (int i = 0; i < control_->ColumnCount(); ++i)
        if (!control_->Columns(i)->Visible()) entries.push_back({nullptr, control_->Columns(i)});
    return entries;
}

QRect TqvCustomizingBox::EntryRect(int index) const
{
    return QRect(kMargin, kMargin + index * entryHeight(), width() - 2 * kMargin, entryHeight());
}

int TqvCustomizingBox::EntryAt(QPoint at) const
{
    int count = static_cast<int>(Entries().size());
    for (int i = 0; i < count; ++i)
        if (EntryRect(i).contains(at)) return i;
    return -1;
}

void TqvCustomizingBox::paintEvent(QPaintEvent*)
{
    Guard([&] {
        QPainter canvas(this);
        const QPalette& pal = palette();
        canvas.fillRect(rect(), ToQColor(clBtnFace, &pal));
        std::vector<Entry> entries = Entries();
        for (size_t i = 0; i < entries.size(); ++i) {
            const Entry& e = entries[i];
            QRect cell = EntryRect(static_cast<int>(i));
            // Bands in the band colours and font, columns in the header's.
            const TFont& font = e.band ? control_->BandFont() : control_->HeaderFont();
            canvas.fillRect(cell, ToQColor(e.band ? control_->BandColor() : control_->HeaderColor(), &pal));
            canvas.setPen(ToQColor(clBtnShadow, &pal));
            canvas.drawRect(cell.adjusted(0, 0, -1, -1));
            QFont qfont = font.ToQFont();
            canvas.setFont(qfont);
            canvas.setPen(ToQColor(font.Color(), &pal));
            QRect inner = cell.adjusted(4, 1, -4, -1);
            AnsiString caption = e.band ? e.band->Caption() : e.column->Caption();
            canvas.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine,
                            QFontMetrics(qfont).elidedText(AnsiToQString(caption), Qt::ElideRight, inner.width()));
        }
    });
}

void TqvCustomizingBox::mousePressEvent(QMouseEvent* event)
{
    Guard([&] {
        dragged_ = {};
        dragging_ = false;
        if (event->button() != Qt::LeftButton) return;
        int index = EntryAt(event->position().toPoint());
        if (index < 0) return;
        dragged_ = Entries()[static_cast<size_t>(index)];
        down_ = event->position().toPoint();
    });
}

void TqvCustomizingBox::mouseMoveEvent(QMouseEvent* event)
{
    Guard([&] {
        if (!dragged_.band && !dragged_.column) return;
        QPoint at = event->position().toPoint();
        if (!dragging_ && std::abs(at.x() - down_.x()) < kDragStart && std::abs(at.y() - down_.y()) < kDragStart) return;
        dragging_ = true;
        control_->customizingDragTo(dragged_.column, dragged_.band, control_->mapFromGlobal(mapToGlobal(at)));
    });
}

void TqvCustomizingBox::mouseReleaseEvent(QMouseEvent* event)
{
    Guard([&] {
        Entry dropped = dragged_;
        bool wasDragging = dragging_;
        dragged_ = {};
        dragging_ = false;
        if (event->button() != Qt::LeftButton || !wasDragging) return;
        control_->customizingDrop(dropped.column, dropped.band,
                                  control_->mapFromGlobal(mapToGlobal(event->position().toPoint())));
        update();
    });
}

void TqvCustomizingBox::closeEvent(QCloseEvent* event)
{
    // Closing the window ends customizing; the control keeps the box.
    Guard([&] { control_->EndColumnsCustomizing(); });
    event->accept();
}

// ---- The control's side

void TCustomqvTreeListControl::ColumnsCustomizing()
{
    CloseEditor();
    if (!customizingBox_) customizingBox_ = new TqvCustomizingBox(this);
    if (customizingBox_->isVisible()) {
        customizingBox_->raise();
    } else {
        // Over the control's top right corner, below the headers.
        QPoint corner = mapToGlobal(QPoint(std::max(0, ClientWidth() - customizingBox_->width() - 8), DataTop() + 8));
        customizingBox_->move(corner);
        customizingBox_->show();
    }
    if (State() == tsNormal) SetState(tsCustomizing);
}

void TCustomqvTreeListControl::EndColumnsCustomizing()
{
    if (customizingBox_ && customizingBox_->isVisible()) customizingBox_->hide();
    if (State() == tsCustomizing) SetState(tsNormal);
    if (mouse_.arrows) {
        mouse_.arrows.reset();
        update();
    }
}

TqvTreeListState TCustomqvTreeListControl::idleState() const
{
    return customizingBox_ && customizingBox_->isVisible() ? tsCustomizing : tsNormal;
}

bool TCustomqvTreeListControl::CanHideColumn(const TqvTreeListColumn* column) const
{
    return column && !column->DisableCustomizing();
}

bool TCustomqvTreeListControl::overCustomizingBox(int x, int y) const
{
    if (!customizingBox_ || !customizingBox_->isVisible()) return false;
    return customizingBox_->rect().contains(customizingBox_->mapFromGlobal(mapToGlobal(QPoint(x, y))));
}

void TCustomqvTreeListControl::customizingDragTo(TqvTreeListColumn* column, TqvTreeListBand* band, QPoint at)
{
    // A column shows over the header panel, a band over the band panel.
    Layout layout = ComputeLayout();
    int headerTop = BandZoneHeight();
    std::optional<QPoint> arrows;
    if (column && showHeader_ && at.y() >= headerTop && at.y() < headerTop + HeaderZoneHeight() && at.x() >= 0 &&
        at.x() < ClientWidth()) {
        arrows = columnDropPoint(layout, at.x(), headerRowAt(at.y()));
        mouse_.arrowsHeight = HeaderRowHeight();
    } else if (band && at.y() >= 0 && at.y() < headerTop && at.x() >= 0 && at.x() < ClientWidth()) {
        arrows = bandDropPoint(layout, at.x());
        mouse_.arrowsHeight = BandRowHeight();
    }
    if (arrows != mouse_.arrows) {
        mouse_.arrows = arrows;
        update();
    }
}

void TCustomqvTreeListControl::customizingDrop(TqvTreeListColumn* column, TqvTreeListBand* band, QPoint at)
{
    customizingDragTo(column, band, at);
    std::optional<QPoint> arrows = mouse_.arrows;
    mouse_.arrows.reset();
    update();
    if (!arrows) return;
    Layout layout = ComputeLayout();
    if (column && ColumnIndexOf(column) >= 0)
        placeColumn(column, layout, *arrows, headerRowAt(at.y()));
    else if (band && bands_->IndexOf(band) >= 0)
        placeBand(band, layout, *arrows);
}

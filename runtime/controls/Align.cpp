#include "Align.h"

#include <QWidget>
#include <QWidgetItem>

TAlignLayout::TAlignLayout(QWidget* parent) : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

TAlignLayout::~TAlignLayout()
{
    for (Entry& e : entries_) delete e.item;
}

void TAlignLayout::addItem(QLayoutItem* item)
{
    entries_.append({item, alNone});
}

QLayoutItem* TAlignLayout::itemAt(int index) const
{
    return index >= 0 && index < entries_.size() ? entries_[index].item : nullptr;
}

QLayoutItem* TAlignLayout::takeAt(int index)
{
    if (index < 0 || index >= entries_.size()) return nullptr;
    return entries_.takeAt(index).item;
}

int TAlignLayout::count() const
{
    return static_cast<int>(entries_.size());
}

QSize TAlignLayout::sizeHint() const
{
    return minimumSize();
}

QSize TAlignLayout::minimumSize() const
{
    // Aligned controls keep the sizes they were given; the parent is sized by
    // its owner, never by them.
    return QSize(0, 0);
}

void TAlignLayout::SetAlign(QWidget* control, TAlign align)
{
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (entries_[i].item->widget() != control) continue;
        if (align == alNone) {
            delete entries_.takeAt(i).item;
        } else if (entries_[i].align != align) {
            // A new alignment puts the control last among its new kind.
            Entry e = entries_.takeAt(i);
            e.align = align;
            entries_.append(e);
        }
        invalidate();
        return;
    }
    if (align == alNone) return;
    entries_.append({new QWidgetItem(control), align});
    invalidate();
}

void TAlignLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    QRect rest = rect;
    auto place = [&](TAlign kind) {
        for (const Entry& e : entries_) {
            QWidget* w = e.item->widget();
            if (e.align != kind || !w || w->isHidden()) continue;
            QRect r;
            switch (kind) {
            case alTop:
                r = QRect(rest.left(), rest.top(), rest.width(), w->height());
                rest.setTop(rest.top() + w->height());
                break;
            case alBottom:
                r = QRect(rest.left(), rest.bottom() + 1 - w->height(), rest.width(), w->height());
                rest.setBottom(rest.bottom() - w->height());
                break;
            case alLeft:
                r = QRect(rest.left(), rest.top(), w->width(), rest.height());
                rest.setLeft(rest.left() + w->width());
                break;
            case alRight:
                r = QRect(rest.right() + 1 - w->width(), rest.top(), w->width(), rest.height());
                rest.setRight(rest.right() - w->width());
                break;
            case alClient: r = rest; break;
            case alNone: break;
            }
            // What is left can shrink to nothing, never below.
            if (r.width() < 0) r.setWidth(0);
            if (r.height() < 0) r.setHeight(0);
            w->setGeometry(r);
        }
    };
    for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) place(kind);
}

void ApplyAlign(QWidget* control, TAlign align)
{
    QWidget* parent = control ? control->parentWidget() : nullptr;
    if (!parent) return;
    auto* layout = dynamic_cast<TAlignLayout*>(parent->layout());
    if (!layout) {
        if (parent->layout() || align == alNone) return;
        layout = new TAlignLayout(parent);
    }
    layout->SetAlign(control, align);
}

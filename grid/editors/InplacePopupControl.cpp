#include "grid/editors/InplacePopupControl.h"

#include "grid/editors/EditViewData.h"
#include "grid/editors/InplaceEdit.h"
#include "runtime/Application.h"
#include "runtime/Color.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QTimer>

TqvInplacePopupControl::TqvInplacePopupControl(TqvInplaceEdit* editor)
    : QFrame(editor, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint), editor_(editor)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(clWindow));
    setPalette(palette);
    updateMargins();
}

int TqvInplacePopupControl::BorderWidth(TqvPopupBorder border)
{
    switch (border) {
    case pbSingle: return 1;
    case pbFlat: return 2;
    case pbFrame3D: return 4;
    default: return 0;
    }
}

void TqvInplacePopupControl::SetPopupBorder(TqvPopupBorder value)
{
    if (value == border_) return;
    border_ = value;
    updateMargins();
}

void TqvInplacePopupControl::SetShadow(bool value)
{
    if (value == shadow_) return;
    shadow_ = value;
    updateMargins();
}

QSize TqvInplacePopupControl::SizeFor(QSize content) const
{
    int w = 2 * BorderWidth(border_);
    int s = shadow_ ? EditShadowSize : 0;
    return content + QSize(w + s, w + s);
}

void TqvInplacePopupControl::updateMargins()
{
    int w = BorderWidth(border_);
    int s = shadow_ ? EditShadowSize : 0;
    setContentsMargins(w, w, w + s, w + s);
    setMask(EditWindowRegion(rect(), shadow_));
    update();
}

void TqvInplacePopupControl::paintEvent(QPaintEvent*)
{
    Guard([&] {
        QPainter canvas(this);
        QRect r = rect();
        if (shadow_) {
            PaintEditShadow(canvas, r);
            r.adjust(0, 0, -EditShadowSize, -EditShadowSize);
        }
        switch (border_) {
        case pbDefault: break;
        case pbSingle:
            canvas.setPen(ToQColor(clWindowFrame));
            canvas.drawRect(r.adjusted(0, 0, -1, -1));
            break;
        case pbFlat: PaintBevel(canvas, r, AllEdges, clBtnHighlight, clBtnShadow); break;
        case pbFrame3D:
            PaintBevel(canvas, r, AllEdges, cl3DLight, cl3DDkShadow);
            PaintBevel(canvas, r, AllEdges, clBtnHighlight, clBtnShadow);
            PaintBevel(canvas, r, AllEdges, clBtnFace, clBtnFace);
            PaintBevel(canvas, r, AllEdges, clBtnShadow, clBtnHighlight);
            break;
        }
    });
}

void TqvInplacePopupControl::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    setMask(EditWindowRegion(rect(), shadow_));
}

// A scroll area's corner is its own widget in Qt; ours is button face, as
// the rest of the popup's chrome.
void TqvInplacePopupControl::fillScrollCorners()
{
    for (QAbstractScrollArea* area : findChildren<QAbstractScrollArea*>()) {
        if (area->cornerWidget()) continue;
        auto* corner = new QWidget;
        corner->setObjectName("scrollCorner");
        corner->setAutoFillBackground(true);
        QPalette palette = corner->palette();
        palette.setColor(QPalette::Window, ToQColor(clBtnFace));
        corner->setPalette(palette);
        area->setCornerWidget(corner);
    }
}

void TqvInplacePopupControl::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    closing_ = false;
    fillScrollCorners();
}

void TqvInplacePopupControl::ClosePopup()
{
    if (!isVisible()) return;
    closing_ = true;
    hide();
}

void TqvInplacePopupControl::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    bool byUs = closing_;
    closing_ = false;
    Guard([&] {
        if (byUs && QApplication::applicationState() == Qt::ApplicationActive && editor_ && editor_->isVisible())
            editor_->FocusWidget()->setFocus(Qt::PopupFocusReason);
        // Hidden by the system (a click outside): the focus went elsewhere.
        if (!byUs && OnFocusLost) OnFocusLost();
    });
    postClosed();
}

void TqvInplacePopupControl::postClosed()
{
    QPointer<TqvInplacePopupControl> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self && self->OnClosed) Guard([&] { self->OnClosed(); });
    });
}

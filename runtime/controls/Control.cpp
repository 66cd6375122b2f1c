#include "Control.h"

#include "runtime/Application.h"

#include <QEvent>
#include <QLayout>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>

TControl::TControl(TComponent* owner, QWidget* parent) : QWidget(parent), TComponent(owner)
{
    font_.OnChange = [this] { fontChanged(); };
}

TControl::~TControl()
{
    font_.OnChange = nullptr;
}

void TControl::SetName(const AnsiString& name)
{
    TComponent::SetName(name);
    setObjectName(AnsiToQString(name));
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    QRect bounds(left, top, std::max(0, width), std::max(0, height));
    if (bounds == geometry()) return;
    setGeometry(bounds);
    // An aligned control keeps only the size it was given; its parent places it.
    if (align_ != alNone && parentWidget() && parentWidget()->layout()) parentWidget()->layout()->invalidate();
}

void TControl::SetAlign(TAlign align)
{
    if (align == align_) return;
    align_ = align;
    ApplyAlign(this, align);
}

TColor TControl::Color() const
{
    if (!parentColor_) return color_;
    QWidget* parent = parentWidget();
    if (auto* control = dynamic_cast<TControl*>(parent)) return control->Color();
    if (parent) return FromQColor(parent->palette().color(QPalette::Window));
    return color_;
}

void TControl::SetColor(TColor color)
{
    if (color == color_ && !parentColor_) return;
    color_ = color;
    parentColor_ = false;
    update();
}

void TControl::SetParentColor(bool on)
{
    if (on == parentColor_) return;
    parentColor_ = on;
    update();
}

void TControl::SetParentFont(bool on)
{
    if (on == parentFont_) return;
    parentFont_ = on;
    setFont(on ? QFont() : font_.ToQFont());
    update();
}

void TControl::fontChanged()
{
    parentFont_ = false;
    setFont(font_.ToQFont());
    update();
}

void TControl::SetCaption(const AnsiString& caption)
{
    if (caption == caption_) return;
    caption_ = caption;
    CaptionChanged();
}

void TControl::SetCursor(TCursor cursor)
{
    if (cursor == cursor_) return;
    cursor_ = cursor;
    Qt::CursorShape shape;
    switch (cursor) {
    case crDefault: unsetCursor(); return;
    case crNone: shape = Qt::BlankCursor; break;
    case crCross: shape = Qt::CrossCursor; break;
    case crIBeam: shape = Qt::IBeamCursor; break;
    case crSizeNESW: shape = Qt::SizeBDiagCursor; break;
    case crSizeNS:
    case crVSplit: shape = Qt::SizeVerCursor; break;
    case crSizeNWSE: shape = Qt::SizeFDiagCursor; break;
    case crSizeWE:
    case crHSplit: shape = Qt::SizeHorCursor; break;
    case crUpArrow: shape = Qt::UpArrowCursor; break;
    case crHourGlass:
    case crSQLWait: shape = Qt::WaitCursor; break;
    case crDrag:
    case crMultiDrag: shape = Qt::DragCopyCursor; break;
    case crNoDrop:
    case crNo: shape = Qt::ForbiddenCursor; break;
    case crAppStart: shape = Qt::BusyCursor; break;
    case crHelp: shape = Qt::WhatsThisCursor; break;
    case crHandPoint: shape = Qt::PointingHandCursor; break;
    case crSizeAll: shape = Qt::SizeAllCursor; break;
    default: shape = Qt::ArrowCursor; break;
    }
    setCursor(shape);
}

void TControl::Click()
{
    if (OnClick) OnClick(this);
}

QColor TControl::ToColor(TColor color) const
{
    const QPalette& p = palette();
    return ToQColor(color, &p);
}

void TControl::paintEvent(QPaintEvent*)
{
    Guard([&] {
        QPainter canvas(this);
        Paint(canvas);
    });
}

void TControl::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) update();
}

bool TControl::event(QEvent* event)
{
    // A control aligned before it had a parent takes its place when it gets one.
    if (event->type() == QEvent::ParentChange && align_ != alNone) ApplyAlign(this, align_);
    return QWidget::event(event);
}

#include "grid/editors/InplaceCheckEdit.h"

#include "runtime/Application.h"
#include "runtime/Color.h"
#include "runtime/SysUtils.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TqvInplaceCheckEdit::TqvInplaceCheckEdit(TCustomqvContainer* container) : TqvInplaceEdit(container)
{
    setCursor(Qt::ArrowCursor);
}

TqvCheckBoxState TqvInplaceCheckEdit::StateOfText(const AnsiString& text, const AnsiString& checked,
                                                  const AnsiString& unchecked, const AnsiString& grayed, bool& null)
{
    null = false;
    if (!text.empty()) {
        if (CompareText(text, checked) == 0) return cbsChecked;
        if (CompareText(text, unchecked) == 0) return cbsUnchecked;
        if (!grayed.empty() && CompareText(text, grayed) == 0) return cbsGrayed;
    }
    null = true;
    return cbsUnchecked;
}

AnsiString TqvInplaceCheckEdit::Text() const
{
    if (null_) return {};
    return state_ == cbsChecked ? valueChecked_ : state_ == cbsGrayed ? valueGrayed_ : valueUnchecked_;
}

void TqvInplaceCheckEdit::SetText(const AnsiString& text)
{
    state_ = StateOfText(text, valueChecked_, valueUnchecked_, valueGrayed_, null_);
    update();
}

Variant TqvInplaceCheckEdit::EditingValue() const { return null_ ? Variant::Null() : Variant(Text()); }

void TqvInplaceCheckEdit::Toggle()
{
    if (!CanModify()) return;
    if (null_)
        state_ = cbsChecked;
    else if (state_ == cbsUnchecked)
        state_ = cbsChecked;
    else if (state_ == cbsChecked && allowGrayed_)
        state_ = cbsGrayed;
    else
        state_ = cbsUnchecked;
    null_ = false;
    update();
    TextChangedByUser();
    if (OnToggleClick) OnToggleClick(this);
}

void TqvInplaceCheckEdit::KeyPress(char32_t& character)
{
    if (character == U' ') Toggle();
    character = 0;
}

void TqvInplaceCheckEdit::keyPressEvent(QKeyEvent* event)
{
    if (!RouteKeyEvent(event)) QWidget::keyPressEvent(event);
}

void TqvInplaceCheckEdit::mousePressEvent(QMouseEvent* event)
{
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) Guard([&] { Toggle(); });
}

std::unique_ptr<TqvEditViewData> TqvInplaceCheckEdit::CreateViewData() const
{
    return std::make_unique<TqvCheckEditViewData>();
}

void TqvInplaceCheckEdit::FillViewData(TqvEditViewData& data) const
{
    TqvInplaceEdit::FillViewData(data);
    if (auto* check = dynamic_cast<TqvCheckEditViewData*>(&data)) {
        check->State = state_;
        check->Null = null_;
        check->NullStyle = nullStyle_;
    }
}

void TqvInplaceCheckEdit::PaintView(QPainter& canvas, const TqvEditViewData& data) const
{
    QRect inner = PaintEditFrame(canvas, data);
    auto* check = dynamic_cast<const TqvCheckEditViewData*>(&data);
    if (check) PaintCheckBox(canvas, inner, data.Alignment, check->State, check->Null, check->NullStyle, data.Enabled);
}

void TqvInplaceCheckEdit::paintEvent(QPaintEvent*)
{
    Guard([&] {
        QPainter canvas(this);
        std::unique_ptr<TqvEditViewData> data = CreateViewData();
        FillViewData(*data);
        PaintView(canvas, *data);
    });
}

void TqvInplaceCheckEdit::PaintCheckBox(QPainter& canvas, const QRect& rect, TAlignment alignment,
                                        TqvCheckBoxState state, bool null, TqvShowNullFieldStyle nullStyle,
                                        bool enabled)
{
    constexpr int size = 13;
    int x = alignment == taLeftJustify    ? rect.left() + 2
            : alignment == taRightJustify ? rect.right() - size - 1
                                          : rect.left() + (rect.width() - size) / 2;
    QRect box(x, rect.top() + (rect.height() - size) / 2, size, size);
    bool inactive = null && nullStyle == nsInactive;
    bool grayed = state == cbsGrayed || (null && nullStyle == nsGrayedChecked);
    bool checked = !null ? state != cbsUnchecked : nullStyle == nsGrayedChecked;
    canvas.save();
    canvas.fillRect(box, ToQColor(inactive || grayed || !enabled ? clBtnFace : clWindow));
    canvas.setPen(ToQColor(inactive ? clBtnShadow : clWindowText));
    canvas.drawRect(box.adjusted(0, 0, -1, -1));
    if (checked) {
        QPen pen(ToQColor(grayed || !enabled ? clBtnShadow : clWindowText), 2);
        canvas.setPen(pen);
        canvas.setRenderHint(QPainter::Antialiasing, false);
        QPoint a(box.left() + 3, box.top() + 6), b(box.left() + 5, box.top() + 9), c(box.left() + 10, box.top() + 3);
        canvas.drawLine(a, b);
        canvas.drawLine(b, c);
    }
    canvas.restore();
}

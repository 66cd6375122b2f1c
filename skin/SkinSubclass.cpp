#include "SkinSubclass.h"

#include "runtime/Application.h"
#include "runtime/controls/Panel.h"
#include "runtime/controls/SpeedButton.h"
#include "skin/FlatSkin.h"
#include "skin/FlatStyle.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TSkinSubclass::TSkinSubclass(TFlatSkin& skin, QWidget* control, TSkinControl kind)
    : skin_(skin), control_(control), kind_(kind)
{
    if (kind_ != xcSpeedButton && kind_ != xcPanel) {
        // The standard kinds are painted by a flat style over the one they had.
        hadOwnStyle_ = control->testAttribute(Qt::WA_SetStyle);
        previousStyle_ = control->style();
        style_ = std::make_unique<TFlatStyle>(skin_, control->style()->name());
        hadHover_ = control->testAttribute(Qt::WA_Hover);
        control->setAttribute(Qt::WA_Hover, true);
        if (auto* f = qobject_cast<QFrame*>(control); f && (kind_ == xcMemo || kind_ == xcRichEdit || kind_ == xcListBox)) {
            // Edit-like boxes get a flat one-pixel border of the skin.
            frame_ = FrameSettings{f->frameShape(), f->frameShadow(), f->lineWidth()};
            f->setFrameShape(QFrame::StyledPanel);
            f->setFrameShadow(QFrame::Plain);
            f->setLineWidth(1);
        }
        control->setStyle(style_.get());
    }
    control->installEventFilter(this);
    control->update();
}


TSkinSubclass::~TSkinSubclass()
{
    QObject::disconnect(DestroyedConnection);
}

void TSkinSubclass::Restore()
{
    QWidget* control = control_;
    if (!control) return;
    control->removeEventFilter(this);
    if (style_) {
        control->setStyle(hadOwnStyle_ ? previousStyle_.data() : nullptr);
        control->setAttribute(Qt::WA_Hover, hadHover_);
        if (frame_) {
            auto* f = static_cast<QFrame*>(control);
            f->setFrameShape(static_cast<QFrame::Shape>(frame_->shape));
            f->setFrameShadow(static_cast<QFrame::Shadow>(frame_->shadow));
            f->setLineWidth(frame_->lineWidth);
        }
    }
    control->update();
    control_ = nullptr;
}

bool TSkinSubclass::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != control_) return false;
    bool swallowed = false;
    Guard([&] { swallowed = handle(event); });
    return swallowed;
}

void TSkinSubclass::changed()
{
    if (control_) control_->update();
}

bool TSkinSubclass::handle(QEvent* event)
{
    QWidget* control = control_;
    switch (event->type()) {
    case QEvent::Paint:
        if (kind_ == xcSpeedButton) {
            // The button's own painting never runs while the skin holds it.
            QPainter canvas(control);
            const TSkinButtonLook look{skin_.DimLevel(), skin_.GrayLevel()};
            PaintSkinSpeedButton(canvas, *static_cast<TSpeedButton*>(control), state_, skin_.Palette(), look);
            return true;
        }
        if (kind_ == xcPanel) {
            // The panel paints itself first; the bevels go over its own.
            static_cast<QObject*>(control)->event(event);
            QPainter canvas(control);
            PaintSkinPanelBevels(canvas, *static_cast<TPanel*>(control));
            return true;
        }
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        state_.Focused = event->type() == QEvent::FocusIn;
        changed();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
        // A double click on a button or check box is one more press.
        if (event->type() == QEvent::MouseButtonDblClick && kind_ != xcButton && kind_ != xcBitBtn &&
            kind_ != xcSpeedButton && kind_ != xcCheckBox)
            return false;
        state_.Pressed = true;
        changed();
        return false;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
        state_.Pressed = false;
        changed();
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Space || key->isAutoRepeat()) return false;
        state_.SpaceDown = event->type() == QEvent::KeyPress;
        changed();
        return false;
    }
    case QEvent::EnabledChange:
        // A disabled control is never under the mouse for the skin.
        if (!control->isEnabled()) state_.Hot = state_.Pressed = state_.SpaceDown = false;
        changed();
        return false;
    case QEvent::Enter:
    case QEvent::Leave:
        if (!control->isEnabled()) return false;
        state_.Hot = event->type() == QEvent::Enter;
        changed();
        return false;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        changed();
        return false;
    default: return false;
    }
}

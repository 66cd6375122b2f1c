#pragma once
// The skin's hold on one control: an event filter that keeps the control's
// state (mouse over, focus, left button held, space key held) and has it
// repainted through the skin, and the record of what the skin changed on the
// control so that Restore gives it back exactly.
//
// Speed buttons lose their own painting while attached (the skin paints the
// whole face); panels paint themselves first and get their bevels again on
// top; every other kind is painted by a flat style of the skin set on it.
//
// The skin creates and frees these. Restore must run while the control is
// alive; after the control is gone only the destructor may run. The
// connection to the control's destroyed signal belongs to the subclass and
// ends with it, so a control destroyed later never reaches a freed one.

#include "skin/SkinKinds.h"
#include "skin/SkinPainters.h"

#include <QFrame>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

class QStyle;
class TFlatSkin;

class TSkinSubclass : public QObject {
public:
    TSkinSubclass(TFlatSkin& skin, QWidget* control, TSkinControl kind);
    ~TSkinSubclass() override;

    QWidget* Control() const { return control_; }
    TSkinControl Kind() const { return kind_; }
    const TSkinControlState& State() const { return state_; }

    // Gives the control back its painting, style and frame, and repaints it.
    void Restore();

    QMetaObject::Connection DestroyedConnection;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handle(QEvent* event);
    void changed();

    TFlatSkin& skin_;
    QPointer<QWidget> control_;
    TSkinControl kind_;
    TSkinControlState state_;

    // What the control had before the skin.
    std::unique_ptr<QStyle> style_;
    QPointer<QStyle> previousStyle_;
    bool hadOwnStyle_ = false;
    bool hadHover_ = false;
    struct FrameSettings {
        int shape;
        int shadow;
        int lineWidth;
    };
    std::optional<FrameSettings> frame_;
};

#pragma once
// The panel: a container control with a face in its colour, an outer and an
// inner bevel and a centred caption. Toolbars are panels with buttons on them.
//
// Its face is painted from the outside in: the outer bevel (BevelWidth
// rings), BorderWidth rings in the face colour, the inner bevel, then the
// face and the caption. A raised bevel is light at the top and left and dark
// at the bottom and right; a lowered one the other way round; bvSpace keeps
// the room of a bevel in the face colour.
//
// Not a QFrame: two bevels with a border between them, each in the system's
// highlight and shadow and redrawn by the skin, are no frame shape of Qt's.

#include "runtime/controls/Bevel.h"
#include "runtime/controls/Control.h"

class TPanel : public TControl {
public:
    explicit TPanel(TComponent* owner = nullptr, QWidget* parent = nullptr);
    const char* ClassName() const override { return "TPanel"; }

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);

    // Where the outer bevel ends and the inner one begins (inside the
    // border), for whoever paints the bevels again.
    QRect InnerBevelRect() const;

protected:
    void Paint(QPainter& canvas) override;

private:
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
};

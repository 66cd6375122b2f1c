#pragma once
// The preview's toolbar controls. TrqSpeedButton is a button that never takes
// the keyboard focus and paints itself: flat, its face in the button face
// colour, raised while the mouse is over it and sunk while pressed; with
// GrayedInactive an enabled flat button shows its glyph greyed until the mouse
// is over it. Buttons of one GroupIndex (not 0) act as radio buttons: setting
// Down on one releases the others, and AllowAllUp lets the pressed one come up
// again. TrqTBButton is the toolbar's flat 24 x 24 button, TrqTBSeparator an
// 8-pixel gap with a vertical groove (DrawBevel).

#include <QAbstractButton>
#include <QPixmap>

#include <functional>

enum TrqButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TrqSpeedButton : public QAbstractButton {
public:
    explicit TrqSpeedButton(QWidget* parent = nullptr);

    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v) { allowAllUp_ = v; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v) { groupIndex_ = v; }
    bool Down() const { return down_; }
    void SetDown(bool v);
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    const QPixmap& Glyph() const { return glyph_; }
    void SetGlyph(const QPixmap& glyph);
    TrqButtonLayout Layout() const { return layout_; }
    void SetLayout(TrqButtonLayout v);
    int Margin() const { return margin_; }
    void SetMargin(int v);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int v);
    int Spacing() const { return spacing_; }
    void SetSpacing(int v);
    bool GrayedInactive() const { return grayedInactive_; }
    void SetGrayedInactive(bool v);
    bool MouseInControl() const { return mouseIn_; }

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool allowAllUp_ = false;
    int groupIndex_ = 0;
    bool down_ = false;
    bool flat_ = false;
    QPixmap glyph_;
    TrqButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int numGlyphs_ = 1;
    int spacing_ = 4;
    bool grayedInactive_ = true;
    bool mouseIn_ = false;
};

class TrqTBButton : public TrqSpeedButton {
public:
    explicit TrqTBButton(QWidget* parent = nullptr);
};

class TrqTBSeparator : public QWidget {
public:
    explicit TrqTBSeparator(QWidget* parent = nullptr);
    bool DrawBevel() const { return drawBevel_; }
    void SetDrawBevel(bool v);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool drawBevel_ = true;
};

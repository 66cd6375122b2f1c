#pragma once
// The preview's toolbar controls, on the runtime's speed button.
// TrqSpeedButton adds what the engine's toolbars use: with GrayedInactive an
// enabled flat button shows its glyph in grey until the mouse is over it;
// buttons of one GroupIndex (not 0) under the same parent act as radio
// buttons (a click puts one down and the others up; AllowAllUp lets the down
// one come up again); OnMouseEnter and OnMouseLeave. Margin is kept for
// templates that set it; glyph and caption always sit centred.
// TrqTBButton is the toolbar's flat 24 x 24 button, TrqTBSeparator an
// 8-pixel gap with a vertical groove (DrawBevel).
//
// Ownership: as every runtime control, freed by its parent widget (the
// toolbar) when it has no owner component.

#include "runtime/controls/SpeedButton.h"

#include <functional>

class TrqSpeedButton : public TSpeedButton {
public:
    explicit TrqSpeedButton(QWidget* parent = nullptr);
    const char* ClassName() const override { return "TrqSpeedButton"; }

    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v) { allowAllUp_ = v; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v) { groupIndex_ = v; }
    int Margin() const { return margin_; }
    void SetMargin(int v) { margin_ = v; }
    bool GrayedInactive() const { return grayedInactive_; }
    void SetGrayedInactive(bool v);
    // The glyph as given; what the button shows may be its grey copy.
    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& glyph);
    bool MouseInControl() const { return mouseIn_; }

    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;

    void Click() override;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showGlyph();

    bool allowAllUp_ = false;
    int groupIndex_ = 0;
    int margin_ = -1;
    bool grayedInactive_ = true;
    bool mouseIn_ = false;
    QImage picture_;
};

class TrqTBButton : public TrqSpeedButton {
public:
    explicit TrqTBButton(QWidget* parent = nullptr);
    const char* ClassName() const override { return "TrqTBButton"; }
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

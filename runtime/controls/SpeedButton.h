#pragma once
// The speed button: a toolbar button with a glyph and a caption that never
// takes the keyboard focus. A click is a left press and release over the
// button while it is enabled; it raises OnClick.
//
// The glyph is one picture holding NumGlyphs images of equal width side by
// side: the normal image, then the disabled, the pressed and the down image.
// An image that is missing is drawn from the normal one (a missing disabled
// image is greyed). A glyph without an alpha channel is transparent wherever
// it has the colour of its bottom-left pixel.
//
// Glyph and caption sit together, centred, the glyph on the side Layout
// names (mirrored for right-to-left reading) with Spacing pixels between them
// (none without a caption). A flat button shows no edge until the mouse is
// over it; Down keeps the button drawn pressed.
//
// Not a QToolButton: the strip of state images, the look that the skin paints
// over in full, and a click that never moves the focus are its own.

#include "runtime/controls/Control.h"

#include <QImage>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TSpeedButton : public TControl {
public:
    explicit TSpeedButton(TComponent* owner = nullptr, QWidget* parent = nullptr);
    const char* ClassName() const override { return "TSpeedButton"; }

    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(const QImage& glyph);
    // 1 to 4; values outside are brought into that range.
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    bool Down() const { return down_; }
    void SetDown(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);

    // The images the glyph holds (never more than its width allows).
    int GlyphCount() const;
    // Image `index` of the strip, with its transparency applied; a null image
    // when there is no such image.
    QImage GlyphImage(int index) const;
    // The image a button in this state shows: the disabled, pressed or down
    // image when the glyph has it, else the normal one.
    int GlyphIndexFor(bool pressed) const;

    // Where glyph and caption go inside `client`.
    struct Arrangement {
        QRect glyph;
        QRect caption;
    };
    Arrangement Arrange(const QRect& client) const;

    // The left button went down over the button and is still held there.
    bool Pressed() const { return pressed_; }

protected:
    void Paint(QPainter& canvas) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QImage glyph_;
    int numGlyphs_ = 1;
    bool flat_ = false;
    bool down_ = false;
    bool transparent_ = true;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 4;
    bool pressed_ = false;
    bool tracking_ = false;  // the left button went down over the button
    bool mouseInside_ = false;
};

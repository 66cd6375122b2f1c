#include "Font.h"

#include <QFont>

#include <cmath>
#include <cstdlib>

int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    int64_t p = static_cast<int64_t>(a) * b;
    int64_t q = c;
    bool negative = (p < 0) != (q < 0);
    int64_t ap = std::llabs(p), aq = std::llabs(q);
    int64_t r = (ap + aq / 2) / aq;
    return static_cast<int>(negative ? -r : r);
}

TFont::TFont(const AnsiString& name, int size, TFontStyles style, TColor color, uint8_t charset)
    : name_(name), style_(style), color_(color), charset_(charset)
{
    height_ = -MulDiv(size, pixelsPerInch_, 72);
}

void TFont::SetName(const AnsiString& name)
{
    if (name == name_) return;
    name_ = name;
    changed();
}

int TFont::Size() const
{
    return -MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, pixelsPerInch_, 72));
}

void TFont::SetHeight(int pixels)
{
    if (pixels == height_) return;
    height_ = pixels;
    changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == style_) return;
    style_ = style;
    changed();
}

void TFont::SetColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    changed();
}

void TFont::SetCharset(uint8_t charset)
{
    if (charset == charset_) return;
    charset_ = charset;
    changed();
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (pitch == pitch_) return;
    pitch_ = pitch;
    changed();
}

void TFont::Assign(const TFont& other)
{
    if (this == &other) return;
    name_ = other.name_;
    height_ = other.height_;
    pixelsPerInch_ = other.pixelsPerInch_;
    style_ = other.style_;
    color_ = other.color_;
    charset_ = other.charset_;
    pitch_ = other.pitch_;
    changed();
}

bool TFont::operator==(const TFont& other) const
{
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ && color_ == other.color_ &&
           charset_ == other.charset_ && pitch_ == other.pitch_;
}

QFont TFont::ToQFont(int pixelsPerInch) const
{
    QFont font(AnsiToQString(name_));
    int height = height_;
    if (pixelsPerInch > 0 && pixelsPerInch != pixelsPerInch_) height = MulDiv(height_, pixelsPerInch, pixelsPerInch_);
    font.setPixelSize(std::max(1, std::abs(height)));
    font.setBold(style_ & fsBold);
    font.setItalic(style_ & fsItalic);
    font.setUnderline(style_ & fsUnderline);
    font.setStrikeOut(style_ & fsStrikeOut);
    if (pitch_ == fpFixed) font.setFixedPitch(true);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void TFont::AssignQFont(const QFont& font)
{
    name_ = QStringToAnsi(font.family());
    if (font.pixelSize() > 0) height_ = -font.pixelSize();
    else height_ = -static_cast<int>(std::lround(font.pointSizeF() * pixelsPerInch_ / 72.0));
    style_ = 0;
    if (font.bold()) style_ |= fsBold;
    if (font.italic()) style_ |= fsItalic;
    if (font.underline()) style_ |= fsUnderline;
    if (font.strikeOut()) style_ |= fsStrikeOut;
    pitch_ = font.fixedPitch() ? fpFixed : fpDefault;
    changed();
}

#pragma once
// Fonts as the system describes them: a face name in the code page, a size in
// points or a height in pixels (negative: the character height; positive: the
// cell height), styles, a colour and a character set.

#include "AnsiString.h"
#include "Color.h"

#include <cstdint>
#include <functional>

class QFont;

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint8_t;

enum TFontCharset : uint8_t {
    ANSI_CHARSET = 0,
    DEFAULT_CHARSET = 1,
    SYMBOL_CHARSET = 2,
    SHIFTJIS_CHARSET = 128,
    HANGEUL_CHARSET = 129,
    GB2312_CHARSET = 134,
    CHINESEBIG5_CHARSET = 136,
    OEM_CHARSET = 255,
};

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };

// a * b / c rounded half away from zero; c == 0 gives -1.
int MulDiv(int a, int b, int c);

class TFont {
public:
    TFont() = default;
    TFont(const AnsiString& name, int size, TFontStyles style = 0, TColor color = clWindowText,
          uint8_t charset = DEFAULT_CHARSET);

    const AnsiString& Name() const { return name_; }
    void SetName(const AnsiString& name);
    int Size() const;
    void SetSize(int points);
    int Height() const { return height_; }
    void SetHeight(int pixels);
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi > 0 ? ppi : 96; }
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    uint8_t Charset() const { return charset_; }
    void SetCharset(uint8_t charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);

    void Assign(const TFont& other);
    bool operator==(const TFont& other) const;

    // The Qt font at a resolution (the font's own when 0): pixel size from the
    // height, styles, fixed pitch.
    QFont ToQFont(int pixelsPerInch = 0) const;
    // Name, size (in points), styles and pitch from a Qt font.
    void AssignQFont(const QFont& font);

    std::function<void()> OnChange;

private:
    void changed()
    {
        if (OnChange) OnChange();
    }

    AnsiString name_ = "MS Sans Serif";
    int height_ = -11;  // 8 points at 96 pixels per inch
    int pixelsPerInch_ = 96;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    uint8_t charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
};

#pragma once
// A text view: its Memo lines, with bracketed expressions evaluated when the
// report is built, drawn in its font with the memo's alignment and spacing.

#include "report/model/View.h"

#include "runtime/Font.h"

#include <vector>

// A memo's font as templates store it; Style uses the template coding
// (1 italic, 2 bold, 4 underline, 8 strike-out).
struct TrqMemoFont {
    AnsiString Name = "Arial";
    int32_t Size = 10;  // points
    int32_t Style = 0;
    int32_t Color = 0;
    uint8_t Charset = DEFAULT_CHARSET;

    // The runtime font (sizes in points, styles in the runtime's coding).
    TFont ToFont() const;
    bool operator==(const TrqMemoFont&) const = default;
};

// Template font style coding <-> the runtime's style set.
TFontStyles FontStylesFromCode(int32_t code);
int32_t FontStyleCode(TFontStyles styles);

class TrqMemoView : public TrqStretcheable {
public:
    TrqMemoView();
    const char* ClassName() const override { return "TrqMemoView"; }

    TrqMemoFont Font;
    int32_t Alignment = rqtaLeft;
    int32_t HighlightStyle = rqfsBold;
    int32_t HighlightFontColor = 0;
    int32_t HighlightFillColor = 0xFFFFFF;
    AnsiString HighlightCondition;
    int32_t LineSpacing = 2;
    int32_t CharSpacing = 0;

    // Runtime state of drawing (report/draw): with ClipLines the text stops
    // at the last line that fits the view (a memo split between pages);
    // LinesDrawn counts the lines the last Draw put out.
    bool ClipLines = false;
    int LinesDrawn = 0;
    // Runtime state of the band engine: the text this memo printed last
    // (Suppress skips a repeat of it); how it is being laid out (a measure
    // reuses its text for the print that follows, a part of a memo split
    // between pages keeps its remaining lines).
    AnsiString LastPrinted;
    bool HasPrinted = false;
    enum class Layout : uint8_t { Normal, Measure, Part } LayoutMode = Layout::Normal;
    // The lines the last measure laid the working text out into; a memo split
    // between pages prints them part by part: PartFrom is the first line not
    // yet printed, PartLines how many the next part takes.
    std::vector<AnsiString> LaidOut;
    int32_t MeasuredHeight = 0;
    // When the working text is one value and nothing else, a number or a
    // date-time, that value and the format it was shown through; ShownValue
    // is Empty otherwise. Prepared pages keep it for export.
    Variant ShownValue;
    int32_t ShownCode = 0;
    AnsiString ShownPattern;
    size_t PartFrom = 0;
    size_t PartLines = 0;

    void Draw(TrqCanvas& canvas) override;
    // Heights for band stretching, from the layout of the working text
    // (MemoResult) in the memo's width.
    int32_t MeasureHeight() override;
    int32_t MinimumHeight() override;
    int32_t RemainderHeight() override;

    void LoadFromStream(TrqStreamReader& reader) override;
    void SaveToStream(TrqStreamWriter& writer) override;

    Variant DoMethod(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3) override;
    const TrqPropertyTable& Properties() const override;
    uint32_t RegisteredGroups() const override;
};

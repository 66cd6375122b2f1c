#pragma once
// A barcode view: its text, expanded per record like a memo's, drawn as a
// barcode or a two-dimensional code. It is an add-in view (object kind 10,
// class name "TrqBarcodeView"); the add-in registry knows it from the start,
// and a reader that does not know it reports it as a non-plugged component
// and loads the rest of the template.
//
// Rules that are easy to break:
// - The content is the text's lines joined by line feeds; GS1 application
//   identifiers are written in parentheses, "(01)...", because brackets are
//   expressions.
// - EAN-13 takes 12 digits (the check digit is added) or 13 with a correct
//   check digit; anything else is bad content, not a padded code.
// - Content that cannot be encoded is not an error of the build: the view
//   draws a crossed box and the build warns once (report/draw/BarcodeSymbol.h).
// - The stored record is the common view data, then the fields below in the
//   order SaveToStream writes them; new fields go at the end, so that older
//   readers skip them by the record's end position.

#include "report/model/MemoView.h"
#include "report/model/View.h"

enum TrqBarcodeSymbology : uint8_t {
    bcQRCode = 0,
    bcCode128 = 1,
    bcEAN13 = 2,
    bcCode39 = 3,
    bcDataMatrix = 4,
    bcPDF417 = 5,
    bcGS1_128 = 6,
};
constexpr uint8_t bcLastSymbology = bcGS1_128;

// QR error-correction levels: about 7, 15, 25 and 30 % of the symbol restorable.
enum TrqBarcodeErrorLevel : uint8_t { ecLow = 0, ecMedium = 1, ecQuartile = 2, ecHigh = 3 };

enum : uint16_t {
    flBarcodeShowText = 0x0002,  // human-readable text under the bars
    flBarcodeFit = 0x0004,       // the code fills the view; else ModuleSize rules
};

class TrqBarcodeView : public TrqView {
public:
    TrqBarcodeView();
    const char* ClassName() const override { return "TrqBarcodeView"; }

    uint8_t Symbology = bcQRCode;
    uint8_t ErrorLevel = ecMedium;
    int32_t Rotation = 0;      // degrees counter-clockwise: 0, 90, 180 or 270
    int32_t ModuleSize = 33;   // width of the narrowest bar (a module) in 1/100 mm, without Fit
    int32_t QuietZone = -1;    // blank modules around the code; -1 the symbology's own
    int32_t BarColor = 0;      // the bars; the background is FillColor
    TrqMemoFont Font;          // the human-readable text

    void LoadFromStream(TrqStreamReader& reader) override;
    void SaveToStream(TrqStreamWriter& writer) override;
    void Draw(TrqCanvas& canvas) override;

    const TrqPropertyTable& Properties() const override;
};

namespace TrqEnumerations {
extern const TrqEnumeration BarcodeSymbology;   // bcQRCode ... bcGS1_128
extern const TrqEnumeration BarcodeErrorLevel;  // ecLow ... ecHigh
}  // namespace TrqEnumerations

// The content a text encodes: its lines joined by line feeds. A view draws
// the content of its Memo (in a prepared page, the expanded text).
AnsiString BarcodeContent(const TStringList& lines);

// The factory the add-in registry is seeded with.
std::unique_ptr<TrqView> CreateBarcodeView();

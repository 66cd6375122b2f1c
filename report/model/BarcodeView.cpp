#include "report/model/BarcodeView.h"

namespace {
const TrqNamedValue symbologies[] = {
    {"bcQRCode", bcQRCode},         {"bcCode128", bcCode128}, {"bcEAN13", bcEAN13},   {"bcCode39", bcCode39},
    {"bcDataMatrix", bcDataMatrix}, {"bcPDF417", bcPDF417},   {"bcGS1_128", bcGS1_128},
};
const TrqNamedValue errorLevels[] = {
    {"ecLow", ecLow}, {"ecMedium", ecMedium}, {"ecQuartile", ecQuartile}, {"ecHigh", ecHigh}};

// Scripts may give any angle; the view turns by quarter turns only.
int32_t quarterTurn(int64_t degrees)
{
    int64_t d = ((degrees % 360) + 360) % 360;
    return static_cast<int32_t>(((d + 45) / 90) % 4 * 90);
}
}  // namespace

namespace TrqEnumerations {
const TrqEnumeration BarcodeSymbology{symbologies};
const TrqEnumeration BarcodeErrorLevel{errorLevels};
}  // namespace TrqEnumerations

TrqBarcodeView::TrqBarcodeView()
{
    BaseName = "Barcode";
    ObjectKind = okAddIn;
    Flags = flBarcodeShowText | flBarcodeFit;
    FillColor = 0xFFFFFF;  // a code needs a light background to scan
    FrameTyp = 0;
    Font.Size = 8;
}

AnsiString BarcodeContent(const TStringList& lines)
{
    AnsiString content;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i) content += '\n';
        content += lines[i];
    }
    return content;
}

const TrqPropertyTable& TrqBarcodeView::Properties() const
{
    using P = TrqPropertiesOf<TrqBarcodeView>;
    // Values outside an enumeration are not taken: the view keeps its setting.
    static const TrqPropertyTable table(ViewProperties(), {
        P::Make(
            "Symbology", pkEnum, rgAlways, [](TrqBarcodeView& b) { return Variant(int(b.Symbology)); },
            [](TrqBarcodeView& b, const Variant& v) {
                const int64_t s = v.AsInteger();
                if (s >= 0 && s <= bcLastSymbology) b.Symbology = static_cast<uint8_t>(s);
            },
            TrqEnumerations::BarcodeSymbology),
        P::Make(
            "ErrorLevel", pkEnum, rgAlways, [](TrqBarcodeView& b) { return Variant(int(b.ErrorLevel)); },
            [](TrqBarcodeView& b, const Variant& v) {
                const int64_t e = v.AsInteger();
                if (e >= ecLow && e <= ecHigh) b.ErrorLevel = static_cast<uint8_t>(e);
            },
            TrqEnumerations::BarcodeErrorLevel),
        P::Make(
            "Rotation", pkInteger, rgAlways, [](TrqBarcodeView& b) { return Variant(b.Rotation); },
            [](TrqBarcodeView& b, const Variant& v) { b.Rotation = quarterTurn(v.AsInteger()); }),
        P::Flag("ShowText", rgAlways, flBarcodeShowText),
        P::Flag("FitToView", rgAlways, flBarcodeFit),
        P::Field("ModuleSize", pkInteger, rgAlways, &TrqBarcodeView::ModuleSize),
        P::Field("QuietZone", pkInteger, rgAlways, &TrqBarcodeView::QuietZone),
        P::Field("BarColor", pkColor, rgAlways, &TrqBarcodeView::BarColor),
        P::Make(
            "Font.Name", pkText, rgAlways, [](TrqBarcodeView& b) { return Variant(b.Font.Name); },
            [](TrqBarcodeView& b, const Variant& v) { b.Font.Name = v.AsString(); }),
        P::Make(
            "Font.Size", pkInteger, rgAlways, [](TrqBarcodeView& b) { return Variant(b.Font.Size); },
            [](TrqBarcodeView& b, const Variant& v) { b.Font.Size = static_cast<int32_t>(v.AsInteger()); }),
        P::Make(
            "Font.Style", pkInteger, rgAlways, [](TrqBarcodeView& b) { return Variant(b.Font.Style); },
            [](TrqBarcodeView& b, const Variant& v) { b.Font.Style = static_cast<int32_t>(v.AsInteger()); }),
        P::Make(
            "Font.Color", pkColor, rgAlways, [](TrqBarcodeView& b) { return Variant(b.Font.Color); },
            [](TrqBarcodeView& b, const Variant& v) { b.Font.Color = static_cast<int32_t>(v.AsInteger()); }),
    });
    return table;
}

std::unique_ptr<TrqView> CreateBarcodeView() { return std::make_unique<TrqBarcodeView>(); }

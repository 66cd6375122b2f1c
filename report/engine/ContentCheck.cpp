#include "report/engine/ContentCheck.h"

#include "report/draw/BarcodeSymbol.h"
#include "report/language/Warnings.h"
#include "report/model/BarcodeView.h"

bool ExpandsText(const TrqView& view) { return dynamic_cast<const TrqBarcodeView*>(&view) != nullptr; }

void WarnAboutContent(TrqView& view)
{
    auto* barcode = dynamic_cast<TrqBarcodeView*>(&view);
    if (!barcode) return;
    // Encoded now, the symbol is in the cache when the page is drawn.
    std::shared_ptr<const TrqBarcodeSymbol> symbol = EncodeBarcode(*barcode, BarcodeContent(barcode->MemoResult));
    if (!symbol->Error.empty()) WarnOnce(barcode->Name + ": cannot draw the barcode: " + symbol->Error);
}

#include "report/engine/ContentCheck.h"

#include "report/draw/BarcodeSymbol.h"
#include "report/language/Warnings.h"
#include "report/model/BarcodeView.h"

bool ExpandsText(const TrqView& view) { return dynamic_cast<const TrqBarcodeView*>(&view) != nullptr; }

void WarnAboutContent(TrqView& view)
{
    auto* barcode = dynamic_cast<TrqBarcodeView*>(&view);
    if (!barcode) return;
    const AnsiString problem = BarcodeProblem(*barcode, BarcodeContent(barcode->MemoResult));
    if (!problem.empty()) WarnOnce(barcode->Name + ": cannot draw the barcode: " + problem);
}

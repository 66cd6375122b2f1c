#pragma once
// A barcode view's content encoded by libzint into plain shapes: the dark
// rectangles of the code in module units (one unit is the narrowest bar) and
// the human-readable text that goes under it. Drawing (BarcodeDraw.cpp) and
// the band engine's check of the content share this one encoder, so that a
// view warns exactly when it would draw its crossed box.
//
// Rules that are easy to break:
// - Content is in the engine's code page; it reaches libzint as UTF-8. Two-
//   dimensional codes with characters outside ASCII carry ECI 26 (UTF-8), so
//   that readers decode Chinese rather than guess a code page.
// - GS1 content writes application identifiers in parentheses.
// - EAN-13 accepts exactly 12 digits or 13 with a correct check digit;
//   libzint would pad shorter numbers or make EAN-8 of them.
// - Results are kept in a small cache by content and settings: a page drawn
//   again (preview repaint, PDF after preview) does not encode again. The
//   build only asks whether content encodes (BarcodeProblem), which is
//   cheaper than making the shapes.

#include "runtime/AnsiString.h"

#include <QRectF>
#include <QString>

#include <memory>
#include <vector>

class TrqBarcodeView;

struct TrqBarcodeSymbol {
    // Empty when the content was encoded; else why it could not be.
    AnsiString Error;
    // The code's size in modules, quiet zones included.
    double Width = 0, Height = 0;
    // Matrix codes keep their modules square; linear codes may stretch their
    // bars to the view's height.
    bool Matrix = false;
    std::vector<QRectF> Bars;
    // The human-readable text (EAN-13 with its check digit, GS1 with its
    // parentheses); empty for matrix codes.
    QString Text;
};

// Why the content cannot be encoded with the view's settings, or empty: the
// same answer as EncodeBarcode's Error, without making the shapes.
AnsiString BarcodeProblem(const TrqBarcodeView& view, const AnsiString& content);

// The content encoded with the view's settings.
std::shared_ptr<const TrqBarcodeSymbol> EncodeBarcode(const TrqBarcodeView& view, const AnsiString& content);

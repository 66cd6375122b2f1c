#pragma once
// The predefined constants of report expressions and scripts: colours, dialog
// results, CRLF and Null, font styles, frame sides, text and band alignment,
// pen styles, message box flags, and the value names of every enumeration of
// report objects (report types, preview zoom and buttons, picture blob types,
// page types, orientations, dialog borders and positions).
//
// The enumerations are kept here as named tables because two things read
// them: the constants table, and the property lists of report objects, whose
// enumeration properties offer exactly these names with these values. Their
// values are the ones templates store (report/model/ReportTypes.h), so they
// never change.

#include "report/language/Variables.h"

#include <span>

struct TrqNamedValue {
    const char* Name;
    int Value;
};
// The names of an enumeration's values, in the order a property list offers them.
using TrqEnumeration = std::span<const TrqNamedValue>;

namespace TrqEnumerations {
extern const TrqEnumeration ReportType;     // rtSimple, rtMultiple
extern const TrqEnumeration PreviewZoom;    // pzDefault ... pzTwoPages
extern const TrqEnumeration PreviewButton;  // pbZoom ... pbPageSetup (button numbers, not set bits)
extern const TrqEnumeration FrameSide;      // rqftNone, rqftRight, rqftBottom, rqftLeft, rqftTop (bits)
extern const TrqEnumeration FrameStyle;     // psSolid ... psDouble
extern const TrqEnumeration BandAlign;      // baNone ... baRest
extern const TrqEnumeration TextAlignment;  // rqtaLeft ... rqtaDown (bits of a memo's Alignment)
extern const TrqEnumeration FontStyle;      // fsBold, fsItalic, fsUnderline, fsStrikeOut (bits)
extern const TrqEnumeration BlobType;       // btBMP, btJPG, btICO, btWMF
extern const TrqEnumeration PageType;       // ptReport, ptDialog
extern const TrqEnumeration Orientation;    // poPortrait, poLandscape
extern const TrqEnumeration BorderStyle;    // bsDialog (3), bsSizeable (2)
extern const TrqEnumeration WindowPosition; // poDesigned (0), poScreenCenter (4)
}  // namespace TrqEnumerations

void FillConstants(TrqVariables& constants);

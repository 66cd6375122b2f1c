#include "report/language/Constants.h"

#include "runtime/Color.h"

namespace {
// System colours are 0x80000000 + index, held as the signed 32-bit colour values
// that report objects give for their colour properties, so the two compare equal.
const char* const systemColours[] = {
    "clScrollBar",    "clBackground",    "clActiveCaption",  "clInactiveCaption", "clMenu",
    "clWindow",       "clWindowFrame",   "clMenuText",       "clWindowText",      "clCaptionText",
    "clActiveBorder", "clInactiveBorder", "clAppWorkSpace",  "clHighlight",       "clHighlightText",
    "clBtnFace",      "clBtnShadow",     "clGrayText",       "clBtnText",         "clInactiveCaptionText",
    "clBtnHighlight", "cl3DDkShadow",    "cl3DLight",        "clInfoText",        "clInfoBk",
};

const TrqNamedValue colours[] = {
    {"clWhite", 0xFFFFFF}, {"clBlack", 0}, {"clMaroon", 0x80}, {"clGreen", 0x8000}, {"clOlive", 0x8080},
    {"clNavy", 0x800000}, {"clPurple", 0x800080}, {"clTeal", 0x808000}, {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0xFF}, {"clLime", 0xFF00}, {"clYellow", 0xFFFF}, {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clTransparent", 0x1FFFFFFF},
};
const TrqNamedValue modalResults[] = {{"mrNone", 0}, {"mrOk", 1}, {"mrCancel", 2}, {"mrYes", 6}, {"mrNo", 7}};
const TrqNamedValue messageBoxFlags[] = {
    {"mb_Ok", 0}, {"mb_OkCancel", 1}, {"mb_YesNo", 4}, {"mb_YesNoCancel", 3}, {"mb_IconError", 16},
    {"mb_IconQuestion", 32}, {"mb_IconInformation", 64}, {"mb_IconWarning", 48},
};

const TrqNamedValue reportTypes[] = {{"rtSimple", 0}, {"rtMultiple", 1}};
const TrqNamedValue previewZooms[] = {{"pzDefault", 0}, {"pzPageWidth", 1}, {"pzOnePage", 2}, {"pzTwoPages", 3}};
const TrqNamedValue previewButtons[] = {{"pbZoom", 0}, {"pbLoad", 1},  {"pbSave", 2}, {"pbPrint", 3},
                                        {"pbFind", 4}, {"pbHelp", 5},  {"pbExit", 6}, {"pbPageSetup", 7}};
const TrqNamedValue frameSides[] = {
    {"rqftNone", 0}, {"rqftRight", 1}, {"rqftBottom", 2}, {"rqftLeft", 4}, {"rqftTop", 8}};
const TrqNamedValue frameStyles[] = {{"psSolid", 0},   {"psDash", 1},       {"psDot", 2},
                                     {"psDashDot", 3}, {"psDashDotDot", 4}, {"psDouble", 5}};
const TrqNamedValue bandAligns[] = {{"baNone", 0},  {"baLeft", 1},   {"baRight", 2}, {"baCenter", 3},
                                    {"baWidth", 4}, {"baBottom", 5}, {"baTop", 6},   {"baRest", 7}};
// Bits 0-1 horizontal (3: justified), bit 2 turned text, bits 3-4 vertical.
const TrqNamedValue textAlignments[] = {{"rqtaLeft", 0},     {"rqtaRight", 1},  {"rqtaCenter", 2},
                                        {"rqtaJustify", 3},  {"rqtaVertical", 4}, {"rqtaMiddle", 8},
                                        {"rqtaDown", 16}};
const TrqNamedValue fontStyles[] = {{"fsBold", 2}, {"fsItalic", 1}, {"fsUnderline", 4}, {"fsStrikeOut", 8}};
const TrqNamedValue blobTypes[] = {{"btBMP", 0}, {"btJPG", 1}, {"btICO", 2}, {"btWMF", 3}};
const TrqNamedValue pageTypes[] = {{"ptReport", 0}, {"ptDialog", 1}};
const TrqNamedValue orientations[] = {{"poPortrait", 0}, {"poLandscape", 1}};
const TrqNamedValue borderStyles[] = {{"bsDialog", 3}, {"bsSizeable", 2}};
const TrqNamedValue windowPositions[] = {{"poDesigned", 0}, {"poScreenCenter", 4}};
}  // namespace

namespace TrqEnumerations {
const TrqEnumeration ReportType{reportTypes};
const TrqEnumeration PreviewZoom{previewZooms};
const TrqEnumeration PreviewButton{previewButtons};
const TrqEnumeration FrameSide{frameSides};
const TrqEnumeration FrameStyle{frameStyles};
const TrqEnumeration BandAlign{bandAligns};
const TrqEnumeration TextAlignment{textAlignments};
const TrqEnumeration FontStyle{fontStyles};
const TrqEnumeration BlobType{blobTypes};
const TrqEnumeration PageType{pageTypes};
const TrqEnumeration Orientation{orientations};
const TrqEnumeration BorderStyle{borderStyles};
const TrqEnumeration WindowPosition{windowPositions};
}  // namespace TrqEnumerations

void FillConstants(TrqVariables& constants)
{
    const TrqEnumeration groups[] = {
        colours,
        modalResults,
        messageBoxFlags,
        TrqEnumerations::ReportType,
        TrqEnumerations::PreviewZoom,
        TrqEnumerations::PreviewButton,
        TrqEnumerations::FrameSide,
        TrqEnumerations::FrameStyle,
        TrqEnumerations::BandAlign,
        TrqEnumerations::TextAlignment,
        TrqEnumerations::FontStyle,
        TrqEnumerations::BlobType,
        TrqEnumerations::PageType,
        TrqEnumerations::Orientation,
        TrqEnumerations::BorderStyle,
        TrqEnumerations::WindowPosition,
    };
    for (TrqEnumeration group : groups)
        for (const TrqNamedValue& c : group) constants.SetVariable(c.Name, Variant(c.Value));
    for (int i = 0; i < static_cast<int>(std::size(systemColours)); ++i)
        constants.SetVariable(systemColours[i], Variant(static_cast<int>(SystemColor(i))));
    constants.SetVariable("CRLF", Variant("\r\n"));
    constants.SetVariable("Null", Variant::Null());
}

#include "report/language/Constants.h"

#include "runtime/Color.h"

namespace {
struct IntegerConstant {
    const char* name;
    long long value;
};

// System colours are 0x80000000 + index, held as the signed 32-bit colour values
// that report objects give for their colour properties, so the two compare equal.
const char* const systemColours[] = {
    "clScrollBar",    "clBackground",    "clActiveCaption",  "clInactiveCaption", "clMenu",
    "clWindow",       "clWindowFrame",   "clMenuText",       "clWindowText",      "clCaptionText",
    "clActiveBorder", "clInactiveBorder", "clAppWorkSpace",  "clHighlight",       "clHighlightText",
    "clBtnFace",      "clBtnShadow",     "clGrayText",       "clBtnText",         "clInactiveCaptionText",
    "clBtnHighlight", "cl3DDkShadow",    "cl3DLight",        "clInfoText",        "clInfoBk",
};

const IntegerConstant integerConstants[] = {
    {"clWhite", 0xFFFFFF}, {"clBlack", 0}, {"clMaroon", 0x80}, {"clGreen", 0x8000}, {"clOlive", 0x8080},
    {"clNavy", 0x800000}, {"clPurple", 0x800080}, {"clTeal", 0x808000}, {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0xFF}, {"clLime", 0xFF00}, {"clYellow", 0xFFFF}, {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clTransparent", 0x1FFFFFFF},
    // dialog results
    {"mrNone", 0}, {"mrOk", 1}, {"mrCancel", 2}, {"mrYes", 6}, {"mrNo", 7},
    // font styles
    {"fsBold", 2}, {"fsItalic", 1}, {"fsUnderline", 4}, {"fsStrikeOut", 8},
    // frame sides
    {"rqftNone", 0}, {"rqftRight", 1}, {"rqftBottom", 2}, {"rqftLeft", 4}, {"rqftTop", 8},
    // text alignment
    {"rqtaLeft", 0}, {"rqtaRight", 1}, {"rqtaCenter", 2}, {"rqtaVertical", 4}, {"rqtaMiddle", 8},
    {"rqtaDown", 16},
    // band alignment
    {"baNone", 0}, {"baLeft", 1}, {"baRight", 2}, {"baCenter", 3}, {"baWidth", 4}, {"baBottom", 5},
    {"baTop", 6}, {"baRest", 7},
    // pen styles
    {"psSolid", 0}, {"psDash", 1}, {"psDot", 2}, {"psDashDot", 3}, {"psDashDotDot", 4}, {"psDouble", 5},
    // message box flags
    {"mb_Ok", 0}, {"mb_OkCancel", 1}, {"mb_YesNo", 4}, {"mb_YesNoCancel", 3}, {"mb_IconError", 16},
    {"mb_IconQuestion", 32}, {"mb_IconInformation", 64}, {"mb_IconWarning", 48},
};
}  // namespace

void FillConstants(TrqVariables& constants)
{
    for (const IntegerConstant& c : integerConstants) constants.SetVariable(c.name, Variant(c.value));
    for (int i = 0; i < static_cast<int>(std::size(systemColours)); ++i)
        constants.SetVariable(systemColours[i], Variant(static_cast<int>(SystemColor(i))));
    constants.SetVariable("CRLF", Variant("\r\n"));
    constants.SetVariable("Null", Variant::Null());
}

#include "FakeReport.h"

#include "runtime/Color.h"

namespace {

class Constants : public LanguageTest {};

TEST_F(Constants, PredefinedValues)
{
    const std::pair<const char*, long long> cases[] = {
        {"clWhite", 0xFFFFFF},    {"clRed", 0xFF},        {"clTransparent", 0x1FFFFFFF},
        {"clScrollBar", SystemColor(0)}, {"clBtnFace", SystemColor(15)}, {"clInfoBk", SystemColor(24)},
        {"mrCancel", 2},          {"mrNo", 7},            {"fsBold", 2},
        {"fsStrikeOut", 8},       {"rqftTop", 8},         {"rqtaDown", 16},
        {"baRest", 7},            {"psDouble", 5},        {"mb_YesNoCancel", 3},
        {"mb_IconWarning", 48},
        // The enumerations of report objects, with the values templates store.
        {"rtSimple", 0},          {"rtMultiple", 1},      {"pzDefault", 0},
        {"pzTwoPages", 3},        {"pbZoom", 0},          {"pbPageSetup", 7},
        {"rqtaJustify", 3},       {"btBMP", 0},           {"btWMF", 3},
        {"ptDialog", 1},          {"poLandscape", 1},     {"bsDialog", 3},
        {"bsSizeable", 2},        {"poDesigned", 0},      {"poScreenCenter", 4},
    };
    for (const auto& [name, value] : cases) {
        Variant constant = rqConstants().GetVariable(name);
        EXPECT_EQ(constant.Type(), VarType::Integer) << name;
        EXPECT_EQ(constant.AsInteger(), value) << name;
    }
    EXPECT_EQ(rqConstants().GetVariable("CRLF").AsString(), "\r\n");
    EXPECT_TRUE(rqConstants().GetVariable("Null").IsNull());
}

TEST_F(Constants, TheLanguagesNamesAndNoOthers)
{
    // Scripts may use every one of these. A name beyond them would take the
    // place of what a script means by it: a name is looked up among the
    // constants before a bracket is evaluated as an expression.
    const std::string_view names[] = {
        "clWhite", "clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal", "clGray",
        "clSilver", "clRed", "clLime", "clYellow", "clBlue", "clFuchsia", "clAqua", "clTransparent",
        "mrNone", "mrOk", "mrCancel", "mrYes", "mrNo", "CRLF", "Null",
        "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut",
        "rqftNone", "rqftRight", "rqftBottom", "rqftLeft", "rqftTop",
        "rqtaLeft", "rqtaRight", "rqtaCenter", "rqtaVertical", "rqtaMiddle", "rqtaDown",
        "baNone", "baLeft", "baRight", "baCenter", "baWidth", "baBottom", "baTop", "baRest",
        "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psDouble",
        "mb_Ok", "mb_OkCancel", "mb_YesNo", "mb_YesNoCancel", "mb_IconError", "mb_IconQuestion",
        "mb_IconInformation", "mb_IconWarning",
        // the value names of the enumerations of report objects
        "rtSimple", "rtMultiple", "pzDefault", "pzPageWidth", "pzOnePage", "pzTwoPages",
        "pbZoom", "pbLoad", "pbSave", "pbPrint", "pbFind", "pbHelp", "pbExit", "pbPageSetup",
        "rqtaJustify", "btBMP", "btJPG", "btICO", "btWMF", "ptReport", "ptDialog", "poPortrait", "poLandscape",
        "bsDialog", "bsSizeable", "poDesigned", "poScreenCenter",
    };
    // The platform's system colours, numbered in this order.
    const std::string_view systemColours[] = {
        "clScrollBar", "clBackground", "clActiveCaption", "clInactiveCaption", "clMenu", "clWindow",
        "clWindowFrame", "clMenuText", "clWindowText", "clCaptionText", "clActiveBorder", "clInactiveBorder",
        "clAppWorkSpace", "clHighlight", "clHighlightText", "clBtnFace", "clBtnShadow", "clGrayText", "clBtnText",
        "clInactiveCaptionText", "clBtnHighlight", "cl3DDkShadow", "cl3DLight", "clInfoText", "clInfoBk",
    };
    for (std::string_view name : names) EXPECT_GE(rqConstants().IndexOf(name), 0) << name;
    for (size_t n = 0; n < std::size(systemColours); ++n)
        EXPECT_EQ(rqConstants().GetVariable(systemColours[n]).AsInteger(), SystemColor(static_cast<int>(n)))
            << systemColours[n];
    EXPECT_EQ(rqConstants().Count(), static_cast<int>(std::size(names) + std::size(systemColours)));
}

}  // namespace

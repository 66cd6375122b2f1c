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
    };
    for (const auto& [name, value] : cases) {
        Variant constant = rqConstants().GetVariable(name);
        EXPECT_EQ(constant.Type(), VarType::Integer) << name;
        EXPECT_EQ(constant.AsInteger(), value) << name;
    }
    EXPECT_EQ(rqConstants().GetVariable("CRLF").AsString(), "\r\n");
    EXPECT_TRUE(rqConstants().GetVariable("Null").IsNull());
    EXPECT_EQ(rqConstants().Count(), 42 + 5 + 2 + 4 + 5 + 6 + 8 + 6 + 8);
}

}  // namespace

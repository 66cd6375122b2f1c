// Pages and views read, written and called by name, as scripts do.
#include "report/model/BandView.h"
#include "report/model/Control.h"
#include "report/model/MemoView.h"
#include "report/model/PictureView.h"
#include "report/model/Report.h"

#include <gtest/gtest.h>

namespace {
TrqMemoView* addMemo(TrqPage& page, const char* name)
{
    auto memo = std::make_unique<TrqMemoView>();
    memo->Name = name;
    return static_cast<TrqMemoView*>(page.Add(std::move(memo)));
}
}  // namespace

TEST(ScriptProperties, FlagPropertiesChangeOnlyTheirBit)
{
    TrqMemoView memo;
    TrqBandView band;
    TrqPictureView picture;
    struct Case {
        TrqView* view;
        const char* name;
        uint16_t bit;
    };
    const Case cases[] = {
        {&memo, "Stretched", flStretched},   {&memo, "WORDBREAK", flWordBreak},
        {&memo, "hidezeros", flHideZeros},   {&memo, "RTLReading", flRTLReading},
        {&band, "STRETCHED", flStretched},   {&band, "FormNewPage", flBandNewPageAfter},
        {&band, "BREAKED", flBandPageBreak}, {&band, "AutoAppendBlank", flBandAutoAppendBlank},
        {&picture, "Center", flPictCenter},  {&picture, "KEEPASPECT", flPictRatio},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.view->Flags = 0x5A5A & ~c.bit;
        c.view->SetPropValue(c.name, true);
        EXPECT_EQ(c.view->Flags, (0x5A5A & ~c.bit) | c.bit);
        EXPECT_TRUE(c.view->GetPropValue(c.name).AsBoolean());
        c.view->SetPropValue(c.name, false);
        EXPECT_EQ(c.view->Flags, 0x5A5A & ~c.bit);
    }
}

TEST(ScriptProperties, ViewFieldsTextAndUnknownNames)
{
    TrqMemoView memo;
    EXPECT_EQ(memo.GetPropValue("DATAFIELD").Type(), VarType::String);
    EXPECT_EQ(memo.GetPropValue("DATAFIELD").AsString(), "");
    memo.SetPropValue("DataField", "[dm.q.\"A\"]");
    EXPECT_EQ(memo.GetPropValue("MEMO").AsString(), "[dm.q.\"A\"]\r\n");
    memo.SetPropValue("Font.Name", "Courier New");
    memo.SetPropValue("FONT.STYLE", rqfsBold | rqfsItalic);
    EXPECT_EQ(memo.Font.Name, "Courier New");
    EXPECT_EQ(memo.Font.ToFont().Style(), fsBold | fsItalic);
    memo.SetPropValue("FrameWidth", 1.5);
    EXPECT_DOUBLE_EQ(memo.GetPropValue("FRAMEWIDTH").AsFloat(), 1.5);

    // Unknown names: Null on reading, no change on writing.
    EXPECT_TRUE(memo.GetPropValue("NOSUCHTHING").IsNull());
    TrqMemoView untouched;
    untouched.SetPropValue("NOSUCHTHING", 5);
    untouched.SetPropValue("EOF", 5);
    EXPECT_EQ(untouched.Flags, TrqMemoView().Flags);
    EXPECT_TRUE(untouched.DoMethod("NOSUCHMETHOD", 1, 2, 3).IsNull());
}

TEST(ScriptProperties, TextListMethods)
{
    TrqMemoView memo;
    for (const char* list : {"MEMO", "LINES"}) {
        SCOPED_TRACE(list);
        AnsiString prefix = AnsiString(list) + ".";
        memo.DoMethod(prefix + "CLEAR", 0, 0, 0);
        EXPECT_EQ(memo.DoMethod(prefix + "ADD", "a", 0, 0).AsInteger(), 0);
        memo.DoMethod(prefix + "Add", "b", 0, 0);
        memo.DoMethod(prefix + "ADD", "c", 0, 0);
        EXPECT_EQ(memo.GetPropValue(prefix + "COUNT").AsInteger(), 3);
        EXPECT_EQ(memo.DoMethod(prefix + "INDEXOF", "B", 0, 0).AsInteger(), 1);
        memo.DoMethod(prefix + "DELETE", 0, 0, 0);
        memo.DoMethod(prefix + "DELETE", 7, 0, 0);  // out of range: nothing
        EXPECT_EQ(memo.DoMethod("GETINDEXPROPERTY", list, 1, 0).AsString(), "c");
        memo.DoMethod("SETINDEXPROPERTY", list, 0, "B2");
        EXPECT_EQ(memo.Memo.Text(), "B2\r\nc\r\n");
    }
    memo.DoMethod("HIDE", 0, 0, 0);
    EXPECT_FALSE(memo.Visible);
    memo.DoMethod("show", 0, 0, 0);
    EXPECT_TRUE(memo.Visible);
}

TEST(ScriptProperties, PageSizesInScriptUnits)
{
    TrqReport report;
    TrqPage& page = *report.Pages()[0];
    EXPECT_EQ(page.PaperWidth, 2100);
    EXPECT_EQ(page.GetPropValue("WIDTH").AsInteger(), 756);
    EXPECT_EQ(page.GetPropValue("HEIGHT").AsInteger(), 1069);
    page.SetPropValue("ORIENTATION", poLandscape);
    EXPECT_EQ(page.GetPropValue("WIDTH").AsInteger(), 1069);
    page.SetPropValue("WIDTH", 756);  // becomes a custom paper of that width
    EXPECT_EQ(page.Size, 256);
    EXPECT_EQ(page.PaperWidth, 2100);
    page.SetPropValue("StretchToPrintable", true);
    EXPECT_FALSE(page.UseMargins);

    page.Type = ptDialog;
    page.SetPropValue("WIDTH", 500);
    EXPECT_EQ(page.Width, 500);
    EXPECT_EQ(page.GetPropValue("Width").AsInteger(), 500);
}

TEST(ScriptProperties, MarginsInEffectWhileBuilding)
{
    TrqReport report;
    TrqPage& page = *report.Pages()[0];
    page.UpdateGeometry();  // A4 on the virtual printer: 758 x 1071 units, 18 units of border
    page.LeftMargin = 40;
    page.BottomMargin = 0;
    EXPECT_EQ(page.GetPropValue("BOTTOMMARGIN").AsInteger(), 0);
    report.SetBuilding(true);
    EXPECT_EQ(page.GetPropValue("LEFTMARGIN").AsInteger(), 40);
    EXPECT_EQ(page.GetPropValue("TOPMARGIN").AsInteger(), 18);
    EXPECT_EQ(page.GetPropValue("RIGHTMARGIN").AsInteger(), 18 + 722);
    EXPECT_EQ(page.GetPropValue("BOTTOMMARGIN").AsInteger(), 18 + 1035);
    page.UseMargins = false;
    EXPECT_EQ(page.GetPropValue("TOPMARGIN").AsInteger(), 0);
    EXPECT_EQ(page.GetPropValue("BOTTOMMARGIN").AsInteger(), 1071);
}

TEST(ScriptProperties, QualifiedNames)
{
    TrqReport report;
    TrqPage& first = *report.Pages()[0];
    TrqPage& second = *report.Pages().Add();
    TrqMemoView* current = addMemo(first, "Memo1");
    TrqMemoView* other = addMemo(second, "Total");
    addMemo(first, "Page2");  // a view named like a page does not hide the page
    report.SetCurrentView(current);

    report.SetObjectProperty("PAGE2.Visible", false);
    EXPECT_EQ(second.Visible, 0);
    report.SetObjectProperty("page2.Columns", 3);
    EXPECT_EQ(second.Columns, 3);
    report.SetObjectProperty("total.Left", 55);
    EXPECT_EQ(other->Left, 55);
    report.SetObjectProperty("Font.Name", "Tahoma");
    EXPECT_EQ(current->Font.Name, "Tahoma");
    report.SetObjectProperty("Top", 7);
    EXPECT_EQ(current->Top, 7);
    EXPECT_EQ(report.GetObjectProperty("Lines.Count").AsInteger(), 0);
    report.CallObjectMethod("Total.Memo.Add", "x", 0, 0);
    EXPECT_EQ(report.GetObjectProperty("TOTAL.MEMO.COUNT").AsInteger(), 1);

    EXPECT_TRUE(report.GetObjectProperty("PAGE9.Visible").IsNull());
    EXPECT_TRUE(report.GetObjectProperty("Nobody.Left").IsNull());
    report.SetCurrentView(nullptr);
    EXPECT_TRUE(report.GetObjectProperty("Font.Name").IsNull());
    EXPECT_EQ(report.FindObject("TOTAL"), other);
    EXPECT_EQ(report.FindObject("none"), nullptr);
}

TEST(ScriptProperties, PropertyListsFollowTheKind)
{
    TrqBandView footer;
    footer.SetBandType(btPageFooter);
    EXPECT_TRUE(footer.HasProperty("OnLastPage"));
    EXPECT_FALSE(footer.HasProperty("ChildBand"));
    EXPECT_FALSE(footer.HasProperty("FrameColor"));
    EXPECT_TRUE(footer.HasProperty("onbeforeprint"));
    EXPECT_FALSE(footer.HasProperty("Memo")) << "a band lists its script as OnBeforePrint";
    EXPECT_TRUE(footer.HasProperty("EOF"));
    TrqBandView data;
    data.SetBandType(btSubDetailData);
    EXPECT_TRUE(data.HasProperty("DataSource"));
    EXPECT_FALSE(data.HasProperty("PrintIfSubsetEmpty"));
    EXPECT_EQ(BandTypeName(btGroupHeader), "Group header");
    EXPECT_EQ(BandTypeName(23), "");

    TrqMemoView memo;
    EXPECT_TRUE(memo.HasProperty("Font.Name"));
    const TrqPropRec* style = nullptr;
    for (const TrqPropRec& p : memo.PropList())
        if (p.Name == "FrameStyle") style = &p;
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->EnumNames.size(), 6u);
    EXPECT_EQ(style->EnumNames[5], "psDouble");

    // What a list offers follows the object: a page's list follows its type.
    TrqPage page;
    EXPECT_TRUE(page.HasProperty("Orientation"));
    EXPECT_FALSE(page.HasProperty("Caption"));
    EXPECT_FALSE(page.HasProperty("Name")) << "scripts reach it, designers do not list it";
    page.Type = ptDialog;
    EXPECT_FALSE(page.HasProperty("Orientation"));
    const TrqPropRec* border = nullptr;
    for (const TrqPropRec& p : page.PropList())
        if (p.Name == "BorderStyle") border = &p;
    ASSERT_NE(border, nullptr);
    EXPECT_EQ(border->EnumNames, (std::vector<AnsiString>{"bsDialog", "bsSizeable"}));
    EXPECT_EQ(border->EnumValues, (std::vector<int>{3, 2}));

    // Controls offer their place and name only.
    TrqControl control;
    std::vector<AnsiString> names;
    for (const TrqPropRec& p : control.PropList()) names.push_back(p.Name);
    EXPECT_EQ(names, (std::vector<AnsiString>{"Name", "Left", "Top", "Width", "Height", "Visible", "Restrictions"}));
}

// Memo text as it prints: bracket suffixes, expansion, HideZeros, Suppress,
// highlight and Tag.
#include "EngineTestBase.h"

#include "report/engine/BracketText.h"
#include "runtime/DateTime.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ThrowsMessage;

TEST(BracketSuffix, SetsTheFormat)
{
    struct Case {
        const char* suffix;
        bool sets;
        int32_t code;
        const char* pattern;
    };
    const Case cases[] = {
        {"N10.2", true, 0x1010000 + '.' + (2 << 8), ""},
        {"N10,2", true, 0x1010000 + ',' + (2 << 8), ""},
        {"5", true, 0x1010000, ""},  // a digit: fixed point, no decimals
        {"N#,##0.00", true, 0x1040000 + '.', "#,##0.00"},
        {"N#,##0,00", true, 0x1040000 + ',', "#,##0.00"},  // the last separator decides
        {"BNo;Yes", true, 0x4040000, "No;Yes"},
        {"Ddd.mm.yyyy", true, 0x2040000, "dd.mm.yyyy"},
        {"thh:nn", true, 0x2040000, "hh:nn"},
        // Decimals beyond a byte would change the kind: they stop at 255.
        {"N1.300", true, 0x1010000 + '.' + (255 << 8), ""},
        {"Z", false, 0, ""},
        {"", false, 0, ""},
    };
    for (const Case& c : cases) {
        int32_t code = 0;
        AnsiString pattern;
        EXPECT_EQ(ParseBracketSuffix(c.suffix, code, pattern), c.sets) << c.suffix;
        if (!c.sets) continue;
        EXPECT_EQ(code, c.code) << c.suffix;
        EXPECT_EQ(pattern, c.pattern) << c.suffix;
    }
    int32_t code;
    AnsiString pattern;
    EXPECT_THAT([&] { ParseBracketSuffix("N10.", code, pattern); },
                ThrowsMessage<EConvertError>("'' is not a valid integer value"));
}

TEST(BracketText, CutsOnceAndNeverRescansValues)
{
    TrqBracketText text("Total: [JE] yuan [x #N2] [");
    ASSERT_EQ(text.Brackets().size(), 2u);
    EXPECT_EQ(text.Brackets()[0].Expression, "JE");
    EXPECT_EQ(text.Brackets()[1].Expression, "x");
    EXPECT_TRUE(text.Brackets()[1].HasSuffix);
    EXPECT_EQ(text.Expand([](const TrqBracket& b) { return AnsiString("[") + b.Expression + "]"; }),
              "Total: [JE] yuan [x] [");
    EXPECT_FALSE(TrqBracketText("never [closed").HasBrackets());
    // The trail byte of a double-byte character is not an opening bracket.
    EXPECT_FALSE(TrqBracketText(std::string("\x81[x]", 4)).HasBrackets());
}

class MemoText : public EngineTest {
protected:
    // One record; each memo prints its line once.
    void OneRow() { Band(btMasterData, "MasterData1", 40, 200, "1"); }
    static void Set(const char* name, const Variant& value) { rqVariables().SetVariable(name, value); }
};

TEST_F(MemoText, BracketsTakeTheirSuffixFormat)
{
    Set("JE", Variant(12.5));
    Set("Qty", Variant(1234.567));
    Set("Price", Variant(1234.5));
    Set("Done", Variant(true));
    Set("Day", Variant::FromDateTime(EncodeDate(1998, 11, 15)));
    Set("X", Variant(1234.6));
    Set("Br", Variant("[a]"));
    Set("LB", Variant("a\r\nb"));
    OneRow();
    struct Case {
        const char* line;
        const char* printed;
    };
    const Case cases[] = {
        {"Total: [JE] yuan", "Total: 12.5 yuan"},
        {"[Qty #N10.2]", "1234.57"},
        {"[Qty #N10,2]", "1234,57"},
        {"[Price #N#,##0.00]", "1,234.50"},
        {"[Done #BNo;Yes]", "Yes"},
        {"[Day #Ddd.mm.yyyy]", "15.11.1998"},
        {"[X #5]", "1235"},
        {"[X #Z]", "1234.6"},
        {"[Br]", "[a]"},
        {"[LB] end", "a|b end"},
        {"price [", "price ["},
    };
    int top = 40;
    int n = 0;
    for (const Case& c : cases) Memo(("M" + std::to_string(n++)).c_str(), 20, top++, {c.line});
    ASSERT_TRUE(Prepare()) << Message();
    n = 0;
    for (const Case& c : cases) EXPECT_EQ(Texts("M" + std::to_string(n++)), std::vector<std::string>{c.printed}) << c.line;
}

TEST_F(MemoText, HideZerosHidesNumbersOnly)
{
    Set("I", Variant(0));
    Set("F", Variant(0.0));
    Set("S", Variant("0"));
    OneRow();
    for (const char* name : {"I", "F", "S"})
        Memo(name, 20, 40, {std::string("[") + name + "]"}).SetFlag(flHideZeros, true);
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(Texts("I"), std::vector<std::string>{""});
    EXPECT_EQ(Texts("F"), std::vector<std::string>{""});
    EXPECT_EQ(Texts("S"), std::vector<std::string>{"0"});
}

TEST_F(MemoText, SuppressHighlightAndTag)
{
    Exec("CREATE TABLE L (K VARCHAR(5))");
    Exec("INSERT INTO L VALUES ('A'), ('A'), ('B')");
    Dataset("Rows", Query("Q", "SELECT * FROM L"));
    Band(btMasterData, "MasterData1", 40, 20, "Rows");
    Memo("Key", 20, 40, {"[Q.\"K\"]"}).SetFlag(flSuppress, true);
    TrqMemoView& marked = Memo("Marked", 120, 40, {"[Q.\"K\"]"});
    marked.HighlightCondition = "[Q.\"K\"] = 'B'";
    marked.HighlightFontColor = 0xFF;
    marked.Tag = "row [LINE#]";
    // A condition that fails to evaluate (a text in arithmetic) leaves the memo as it is.
    TrqMemoView& failing = Memo("Failing", 220, 40, {"[Q.\"K\"]"});
    failing.HighlightCondition = "[Q.\"K\"] * 2 = 2";
    failing.HighlightFontColor = 0xFF;
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_EQ(Texts("Key"), (std::vector<std::string>{"A", "B"}));
    std::vector<int32_t> colours;
    std::vector<std::string> tags;
    TrqEMFPages& pages = report_->EMFPages();
    TrqPage page(nullptr);
    TMemoryStream scratch;
    ReadPreparedViews(pages.ReadStream(0, scratch), page, false);
    for (int i = 0; i < page.Count(); ++i)
        if (page.Objects(i)->Name == "Marked") {
            colours.push_back(static_cast<TrqMemoView*>(page.Objects(i))->Font.Color);
            tags.push_back(page.Objects(i)->Tag);
        }
    EXPECT_EQ(colours, (std::vector<int32_t>{0, 0, 0xFF}));
    EXPECT_EQ(Texts("Failing"), (std::vector<std::string>{"A", "A", "B"}));
    for (int i = 0; i < page.Count(); ++i)
        if (page.Objects(i)->Name == "Failing") {
            EXPECT_EQ(static_cast<TrqMemoView*>(page.Objects(i))->Font.Color, 0);
        }
    EXPECT_EQ(tags, (std::vector<std::string>{"row 1", "row 2", "row 3"}));
    EXPECT_EQ(static_cast<TrqMemoView&>(View("Marked")).Font.Color, 0) << "the template keeps its font";
}

TEST_F(MemoText, OnBeforePrintAndBinaryFields)
{
    Exec("CREATE TABLE N (ID INTEGER, NOTE BLOB)");
    Exec("INSERT INTO N VALUES (1, CAST('first\r\nsecond' AS BLOB))");
    Dataset("Notes", Query("Q", "SELECT * FROM N"));
    Band(btMasterData, "MasterData1", 40, 40, "Notes");
    Memo("Note", 20, 40, {"[Q.\"NOTE\"]"});
    Memo("Id", 120, 40, {"[Q.\"ID\"]"});
    Memo("Changed", 220, 40, {"as designed"});
    std::vector<std::string> seen;
    report_->OnBeforePrint = [&](TStringList& text, TrqView* view) {
        seen.push_back(view->Name + ":" + text.Text());
        if (view->Name == "Changed") text.SetText("from the event");
    };
    ASSERT_TRUE(Prepare()) << Message();
    // The binary field's text replaced the memo's before the event saw it.
    EXPECT_EQ(seen, (std::vector<std::string>{"Note:first\r\nsecond\r\n", "Id:[Q.\"ID\"]\r\n",
                                              "Changed:as designed\r\n"}));
    EXPECT_EQ(Texts("Note"), std::vector<std::string>{"first|second"});
    EXPECT_EQ(Texts("Id"), std::vector<std::string>{"1"});  // unchanged by the event: expanded
    EXPECT_EQ(Texts("Changed"), std::vector<std::string>{"from the event"});
}

TEST_F(MemoText, BandAlignPlacesViewsInTheirBand)
{
    OneRow();
    struct Case {
        const char* name;
        uint8_t align;
        int left, top;  // as printed; the band prints at the top margin, the views 20 below
    };
    const int right = Page().PrnInfo.PaperWidthUnits - Margin;
    const Case cases[] = {
        {"Right", baRight, right - 100, Margin + 20},
        {"Center", baCenter, Margin + (right - Margin - 100) / 2, Margin + 20},
        {"Width", baWidth, Margin, Margin + 20},
        {"Bottom", baBottom, 300, Margin + 200 - 18},  // the band is 200 high
        {"Top", baTop, 300, Margin},
    };
    for (const Case& c : cases) Memo(c.name, 300, 60, {c.name}).BandAlign = c.align;
    ASSERT_TRUE(Prepare()) << Message();
    const std::vector<PrintedPage> pages = Pages();
    for (const Case& c : cases)
        for (const PrintedView& v : pages[0])
            if (v.name == c.name) {
                EXPECT_EQ(v.left, c.left) << c.name;
                EXPECT_EQ(v.top, c.top) << c.name;
            }
}

}  // namespace

TEST_F(MemoText, ANullDateTimePrintsAsNothingAndReadsAsZero)
{
    Exec("CREATE TABLE D (ID INTEGER, AUDITED DATETIME)");
    Exec("INSERT INTO D VALUES (1, NULL)");
    Exec("INSERT INTO D VALUES (2, '2024-03-05 00:00:00')");
    TQuery* q = Query("Q", "SELECT * FROM D ORDER BY ID");
    Dataset("Docs", q);
    Band(btMasterData, "MasterData1", 40, 20, "Docs");
    TrqMemoView& date = Memo("Date", 20, 40, {"Audited: [Q.\"AUDITED\"]"});
    date.FormatCode = 33816576;  // a date in the pattern below, as the invoice has it
    date.FormatText = "yyyy-mm-dd";
    Memo("Zero", 220, 40, {"[IF(Q.\"AUDITED\" = 0, 'zero', 'set')]"});
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_EQ(Texts("Date"), (std::vector<std::string>{"Audited: ", "Audited: 2024-03-05"}));
    EXPECT_EQ(Texts("Zero"), (std::vector<std::string>{"zero", "set"}));
}

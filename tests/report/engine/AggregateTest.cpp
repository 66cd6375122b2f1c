// Accumulators of SUM, AVG, MIN, MAX and COUNT, alone and in a build.
#include "EngineTestBase.h"

#include "report/engine/Aggregates.h"

namespace {

using F = TrqAggregateFunction;

struct Record {
    Variant value;
    bool visible = true;
};

// The value of one key after the records, the key's flag given.
Variant total(F function, const std::vector<Record>& records, const char* flag = "")
{
    TrqAggregateSet set;
    const AnsiString key = MakeAggregateKey("Footer", function, "[V]", flag);
    set.Register(key);
    for (const Record& r : records) set.Accumulate([&](const AnsiString&) { return r.value; }, r.visible);
    return set.Value(key);
}

std::string shown(const Variant& v) { return v.AsString(); }

TEST(Aggregates, TotalsOfEachFunction)
{
    const Variant null = Variant::Null();
    struct Case {
        const char* why;
        F function;
        std::vector<Record> records;
        const char* flag;
        std::string expected;
    };
    const Case cases[] = {
        {"sum", F::Sum, {{1}, {2}, {3}}, "", "6"},
        {"average", F::Avg, {{1}, {2}, {3}}, "", "2"},
        {"count takes no value", F::Count, {{null}, {null}, {null}}, "", "3"},
        {"minimum", F::Min, {{3}, {1}, {2}}, "", "1"},
        {"maximum of negative values", F::Max, {{-5}, {-2}, {-9}}, "", "-2"},
        {"maximum over no records stays 0", F::Max, {}, "", "0"},
        {"minimum over no records stays 1e300", F::Min, {}, "", "1E300"},
        {"average over no records is 0", F::Avg, {}, "", "0"},
        {"a null value adds 0", F::Sum, {{1}, {null}, {2}}, "", "3"},
        {"hidden records are skipped", F::Sum, {{1}, {2, false}, {3}}, "", "4"},
        {"unless the flag is 1", F::Sum, {{1}, {2, false}, {3}}, " 1 ", "6"},
        {"hidden records are not counted", F::Avg, {{2}, {4, false}, {6}}, "", "4"},
    };
    for (const Case& c : cases) EXPECT_EQ(shown(total(c.function, c.records, c.flag)), c.expected) << c.why;
}

TEST(Aggregates, KeysAndResetsPerOwner)
{
    EXPECT_EQ(MakeAggregateKey("MasterFooter1", F::Sum, "[Qty]", ""), "MasterFooter1\x01\x0b\x01[Qty]\x01\x01");

    // A group footer and the summary total the same band; the group's reset
    // leaves the summary's average whole.
    TrqAggregateSet set;
    const AnsiString group = MakeAggregateKey("GroupFooter1", F::Avg, "[V]", "");
    const AnsiString summary = MakeAggregateKey("Summary1", F::Avg, "[V]", "");
    set.Register(group);
    set.Register(summary);
    auto add = [&](double v) { set.Accumulate([&](const AnsiString&) { return Variant(v); }, true); };
    add(2);
    add(4);
    set.Reset("groupfooter1");
    add(9);
    EXPECT_EQ(shown(set.Value(group)), "9");
    EXPECT_EQ(shown(set.Value(summary)), "5");
    EXPECT_EQ(set.RecordCount, 1);
    EXPECT_TRUE(set.Value("unknown").IsNull());
}

TEST(Aggregates, ColumnsCopyThePatternAtItsInitialValue)
{
    TrqAggregateSet set;
    const AnsiString pattern = MakeAggregateKey("Row", F::Min, "[V]", "", "0", true);
    set.Register(pattern);
    const AnsiString one = "1", two = "2";
    set.Accumulate([](const AnsiString&) { return Variant(5); }, true, &one);
    set.Accumulate([](const AnsiString&) { return Variant(7); }, true, &two);
    set.Accumulate([](const AnsiString&) { return Variant(3); }, true, &one);
    EXPECT_EQ(shown(set.Value(MakeAggregateKey("Row", F::Min, "[V]", "", "1", true))), "3");
    EXPECT_EQ(shown(set.Value(MakeAggregateKey("Row", F::Min, "[V]", "", "2", true))), "7");
    EXPECT_EQ(shown(set.Value(pattern)), "1E300");
}

class AggregateCalls : public EngineTest {};

TEST_F(AggregateCalls, BandsAndFlagsChooseWhatIsTotalled)
{
    Numbers(4);
    Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
    Band(btPageHeader, "PageHeader1", 20, 20);
    Memo("NoDefault", 20, 20, {"[SUM([Q.\"V\"])]"});
    Band(btMasterData, "MasterData1", 50, 20, "Rows");
    Script(View("MasterData1"), {"if [Q.\"N\"] = 2 then Visible := False else Visible := True"});
    Memo("Row", 20, 50, {"[Q.\"N\"]"});
    Band(btReportSummary, "Summary1", 80, 20);
    Memo("Shown", 20, 80, {"[SUM([Q.\"V\"], MasterData1)]"});
    Memo("All", 120, 80, {"[SUM([Q.\"V\"], MasterData1, 1)]"});
    Memo("Nested", 220, 80, {"[[Q.\"N\"] + SUM([Q.\"V\"])]"});
    Band(btMasterFooter, "MasterFooter1", 110, 20);
    Memo("Elsewhere", 20, 110, {"[SUM([Q.\"V\"], Nowhere)]"});
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_EQ(Texts("Row"), (std::vector<std::string>{"1", "3", "4"}));
    EXPECT_EQ(Texts("NoDefault"), std::vector<std::string>{"0"});  // a page header totals nothing
    EXPECT_EQ(Texts("Shown"), std::vector<std::string>{"8"});
    EXPECT_EQ(Texts("All"), std::vector<std::string>{"10"});
    EXPECT_EQ(Texts("Nested"), std::vector<std::string>{"12"});  // the last record's N + the visible ones
    EXPECT_EQ(Texts("Elsewhere"), std::vector<std::string>{"0"});
}

}  // namespace

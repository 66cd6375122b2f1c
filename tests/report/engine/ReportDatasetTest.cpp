// Report datasets: ranges over a real query, record counts and events, closed
// and empty datasets, and the field references of the data dictionary.
#include "EngineTestBase.h"

#include "report/data/DictionaryLookup.h"
#include "runtime/db/DBTypes.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ThrowsMessage;

class ReportDataset : public EngineTest {};

TEST_F(ReportDataset, RangesPrintTheirRecordsAndPutTheCursorBack)
{
    Numbers(5);
    TQuery* q = Query("Q", "SELECT * FROM T ORDER BY N");
    TrqDBDataSet* rows = Dataset("Rows", q);
    Band(btMasterData, "MasterData1", 40, 20, "Rows");
    Memo("Row", 20, 40, {"[Q.\"N\"]"});
    struct Case {
        TRangeBegin begin;
        TRangeEnd end;
        int count;
        std::vector<std::string> printed;
        int cursorAfter;  // RecNo of the query afterwards (it stood on 3)
    };
    const Case cases[] = {
        {rbFirst, reLast, 0, {"1", "2", "3", "4", "5"}, 5},
        {rbFirst, reCurrent, 0, {"1", "2", "3"}, 3},      // up to the record current at open, and back to it
        {rbFirst, reCount, 2, {"1", "2"}, 3},             // left on the record after the second
        {rbFirst, reCount, 9, {"1", "2", "3", "4", "5"}, 5},
        {rbCurrent, reLast, 0, {"3", "4", "5"}, 3},
        {rbCurrent, reCurrent, 0, {"3"}, 3},              // exactly the current record
        {rbCurrent, reCount, 2, {"3", "4"}, 3},
    };
    for (const Case& c : cases) {
        q->Open();
        q->SetRecNo(3);
        rows->SetRangeBegin(c.begin);
        rows->SetRangeEnd(c.end);
        rows->SetRangeEndCount(c.count);
        ASSERT_TRUE(Prepare());
        EXPECT_EQ(Texts("Row"), c.printed) << c.begin << "/" << c.end;
        EXPECT_EQ(q->RecNo(), c.cursorAfter) << c.begin << "/" << c.end;
        q->Close();
    }
}

TEST_F(ReportDataset, RecordCountsAndEvents)
{
    TrqUserDataset ds;
    ds.SetRangeEnd(reCount);
    ds.SetRangeEndCount(3);
    std::vector<std::string> events;
    ds.OnFirst = [&](TComponent*) { events.push_back("first"); };
    ds.OnNext = [&](TComponent*) { events.push_back("next " + std::to_string(ds.RecNo())); };
    ds.First();
    std::vector<bool> eof{ds.Eof()};
    for (int i = 0; i < 3; ++i) {
        ds.Next();
        eof.push_back(ds.Eof());
    }
    // The advance that reaches the count fires no OnNext and ends the data.
    EXPECT_EQ(events, (std::vector<std::string>{"first", "next 1", "next 2"}));
    EXPECT_EQ(eof, (std::vector<bool>{false, false, false, true}));

    bool forced = true;
    ds.OnCheckEOF = [&](TComponent*, bool& e) { e = forced; };
    ds.First();
    EXPECT_TRUE(ds.Eof());
}

TEST_F(ReportDataset, ClosedAndEmptyDataGiveNoRecordsAndNoErrors)
{
    Numbers(0);
    TQuery* q = Query("Q", "SELECT * FROM T");
    TrqDBDataSet* ds = Dataset("Rows", q);
    ds->SetOpenDataSource(false);
    ds->SetRangeBegin(rbCurrent);
    ds->Open();  // the query stays closed
    EXPECT_FALSE(q->Active());
    EXPECT_NO_THROW(ds->First());
    EXPECT_NO_THROW(ds->Next());
    EXPECT_TRUE(ds->Eof());
    ds->OnClose = [](TComponent*) { throw EDatabaseError("lost connection"); };
    ds->SetCloseDataSource(true);
    EXPECT_NO_THROW(ds->Close());

    q->Open();  // empty
    ds->Open();
    ds->First();
    EXPECT_TRUE(ds->Eof());
    EXPECT_NO_THROW(ds->Close());
    EXPECT_FALSE(q->Active()) << "CloseDataSource closes it";

    TrqDBDataSet none;
    none.SetName("Orphan");
    EXPECT_THAT([&] { none.Open(); }, ThrowsMessage<EDatabaseError>("Unable to open dataset Orphan"));
}

TEST_F(ReportDataset, FieldReferencesOfTheDictionary)
{
    Exec("CREATE TABLE R (A INTEGER, \"B.C\" INTEGER, NS VARCHAR(10), NN DOUBLE)");
    Exec("INSERT INTO R VALUES (1, 2, NULL, NULL)");
    Exec("CREATE TABLE X (A INTEGER)");
    Exec("INSERT INTO X VALUES (10), (20)");
    Query("Q1", "SELECT * FROM R");
    TDataModule dm;
    dm.SetName("dm");
    Query("qry", "SELECT A FROM X WHERE A = 10", &dm);
    TDataModule dm2;
    dm2.SetName("dm2");
    auto* box = new TComponent(&dm2);
    box->SetName("box");
    Query("q", "SELECT A FROM X WHERE A = 20", box);

    TrqDataDictionary& d = report_->Dictionary();
    d.FieldAliases.SetVariable("Q1", Variant("Orders"));
    d.FieldAliases.SetVariable("Q1.A", Variant("Amount"));
    d.Variables.SetVariable("Price", Variant("Q1.\"A\""));
    d.Variables.SetVariable("Greeting", Variant("'hi'"));
    TrqDictionaryLookup lookup(*report_, nullptr);

    struct Case {
        const char* name;
        bool defined;
        const char* value;
    };
    const Case cases[] = {
        {"Q1.\"A\"", true, "integer:1"},
        {"Q1.\"B.C\"", true, "integer:2"},  // splitting stops at the quote
        {"Q1.A", true, "integer:1"},
        {"dm.qry.\"A\"", true, "integer:10"},
        {"dm2.box.q.\"A\"", true, "integer:20"},
        {"Orders.Amount", true, "integer:1"},  // an alias of the dataset and of its field
        {"Price", true, "integer:1"},           // a variable naming a field
        {"Greeting", true, "string:hi"},        // a variable holding an expression
        {"Q1.\"NS\"", true, "string:"},         // null text reads as an empty text
        {"Q1.\"NN\"", true, "integer:0"},       // a null number as 0
        {"nowhere.\"A\"", false, ""},
        {"Q1.\"Missing\"", false, ""},
        {"A", false, ""},
    };
    for (const Case& c : cases) {
        Variant value;
        bool defined = lookup.Get(c.name, value);
        EXPECT_EQ(defined, c.defined) << c.name;
        if (defined) {
            EXPECT_EQ(std::string(VarTypeName(value.Type())) + ":" + value.AsString(), c.value) << c.name;
        }
    }
    // Another dot before the quote always splits.
    EXPECT_EQ(SplitFieldReference("a.b.\"c.d\""), (std::vector<AnsiString>{"a", "b", "\"c.d\""}));
}

TEST_F(ReportDataset, LookingUpFieldsLeavesDatasetsAsTheyWere)
{
    Exec("CREATE TABLE R (A INTEGER, B INTEGER)");
    Exec("INSERT INTO R VALUES (1, 10), (2, 20), (3, 30)");
    TQuery* closed = Query("Closed", "SELECT * FROM R");
    TQuery* open = Query("Open", "SELECT * FROM R ORDER BY A");
    open->Open();
    open->Next();
    TrqDictionaryLookup lookup(*report_, nullptr);
    for (const char* name : {"Closed.\"A\"", "Closed.\"Missing\"", "Open.\"B\"", "Open.\"Missing\""}) {
        SCOPED_TRACE(name);
        lookup.IsVariable(name);
        EXPECT_FALSE(closed->Active()) << "a closed query's SQL left open";
        EXPECT_TRUE(open->Active());
        EXPECT_EQ(open->FieldByName("A")->AsInteger(), 2) << "an open query keeps its record";
    }
    EXPECT_TRUE(lookup.IsVariable("Closed.\"B\""));
    EXPECT_FALSE(lookup.IsVariable("Closed.\"C\""));
    // Reading the value is what opens it.
    EXPECT_EQ(lookup.GetValue("Closed.\"B\"").AsInteger(), 10);
    EXPECT_TRUE(closed->Active());
}

TEST_F(ReportDataset, AQueryThatCannotRunIsNamedInTheBuildError)
{
    Exec("CREATE TABLE R (A INTEGER)");
    Exec("INSERT INTO R VALUES (1)");
    struct Case {
        const char* why;
        const char* bandSql;   // the band's dataset
        const char* otherSql;  // a query only a memo reads
        bool openDataSource;
        const char* error;
    } cases[] = {
        {"a band's query on a missing table", "SELECT * FROM Gone", "SELECT A FROM R", true,
         "Dataset \"Q\" cannot be opened: no such table: Gone"},
        {"a memo's query with a syntax error", "SELECT * FROM R", "SELEC A FROM R", true,
         "Dataset \"Other\" cannot be opened: near \"SELEC\": syntax error"},
        {"a band's query opened by the first field read", "SELECT * FROM Gone", "SELECT A FROM R", false,
         "Dataset \"Q\" cannot be opened: no such table: Gone"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        form_ = std::make_unique<TComponent>();
        report_ = new TrqReport(form_.get());
        report_->SetName("Report1");
        report_->SetShowProgress(false);
        dialogs_.Clear();
        Dataset("Rows", Query("Q", c.bandSql))->SetOpenDataSource(c.openDataSource);
        Query("Other", c.otherSql);
        Band(btReportTitle, "ReportTitle1", 0, 20);
        Memo("Title", 20, 0, {"[Other.\"A\"]"});
        Band(btMasterData, "MasterData1", 40, 20, "Rows");
        Memo("Value", 20, 40, {"[Q.\"A\"]"});
        EXPECT_FALSE(Prepare());
        const std::string message = Message();
        EXPECT_NE(message.find(c.error), std::string::npos) << message;
        // Neither a memo's text nor its name is blamed.
        EXPECT_EQ(message.find("Object:"), std::string::npos) << message;
        EXPECT_EQ(message.find("[Other."), std::string::npos) << message;
    }
}

TEST_F(ReportDataset, BandsCloseTheirDatasetsWhateverEndsTheBuild)
{
    Numbers(30);
    TrqDBDataSet* rows = Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
    int closed = 0;
    rows->OnClose = [&](TComponent*) { ++closed; };
    Band(btMasterData, "MasterData1", 40, 20, "Rows");
    Memo("Row", 20, 40, {"[Q.\"N\"]"});
    report_->SetTwoPass(true);

    ASSERT_TRUE(Prepare());
    EXPECT_EQ(closed, 1);
    // A first pass that fails frees its bands too.
    Script(View("MasterData1"), {"if [Q.\"N\"] = 10 then x := 1 / [Nowhere]"});
    EXPECT_FALSE(Prepare());
    EXPECT_EQ(closed, 2);
    EXPECT_FALSE(report_->Building());
}

}  // namespace

// Field-bound columns: binding and rebinding by name, the defaults a column
// takes from its field until they are set, and the texts of the kinds that
// show their values their own way.
#include "DBGridFixture.h"

#include "support/PinnedFormatSettings.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::ThrowsMessage;

class FieldColumns : public DBGridFixture {
public:
    FieldColumns()
    {
        db.Db().ExecScript("CREATE TABLE T (CODE VARCHAR(8), PRICE DOUBLE, NOTE VARCHAR(40));"
                           "INSERT INTO T VALUES ('A', 1234.5, '中华(硬)中华(软)'), ('B', -2, 'x'), ('C', NULL, NULL),"
                           " ('D', 1234567.891, '');");
        query.SQL().SetText("SELECT CODE, PRICE, NOTE FROM T ORDER BY CODE");
        MakeGrid();
        grid->SetKeyField("CODE");
        grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
    }
    ScopedFormatSettings pinned{PinnedFormatSettings()};
};

TEST_F(FieldColumns, CurrencyCellsShowTheirDisplayFormat)
{
    auto* price = AddColumn<TqvDBGridCurrencyColumn>("PRICE");
    query.Open();
    struct Case {
        const char* what;
        AnsiString format;
        bool nullable;
        AnsiString nullString;
        std::vector<std::string> texts;  // A 1234.5, B -2, C null, D 1234567.891
    } cases[] = {
        {"price column", ",0.000000;-,0.000000", false, "",
         {"1,234.500000", "-2.000000", "", "1,234,567.891000"}},
        {"amount column", ",0.00;-,0.00", false, "", {"1,234.50", "-2.00", "", "1,234,567.89"}},
        {"a null shows NullString when nullable", ",0.00;-,0.00", true, "(none)",
         {"1,234.50", "-2.00", "(none)", "1,234,567.89"}},
        {"a null without NullString", ",0.00;-,0.00", true, "", {"1,234.50", "-2.00", "", "1,234,567.89"}},
        {"no format: the field's own text", "", false, "", {"1234.5", "-2", "", "1234567.891"}},
    };
    for (const Case& c : cases) {
        price->SetDisplayFormat(c.format);
        price->SetNullable(c.nullable);
        price->SetNullString(c.nullString);
        EXPECT_EQ(grid->ColumnTexts(0), c.texts) << c.what;
    }
    // A field that formats itself keeps its own text.
    query.FieldByName("PRICE")->OnGetText = [](TField*, AnsiString& text, bool) { text = "own"; };
    price->SetDisplayFormat(",0.00;-,0.00");
    EXPECT_EQ(grid->ColumnTexts(0)[0], "own");
    query.FieldByName("PRICE")->OnGetText = nullptr;
    // The column's OnGetText changes what the row stores; the currency paint
    // still formats the value.
    price->OnGetText = [](TComponent*, TqvTreeListNode*, AnsiString& text) { text += "!"; };
    EXPECT_EQ(AnsiToUtf8(price->GetDisplayText(nullptr)), AnsiToUtf8(query.FieldByName("PRICE")->DisplayText() + "!"));
    EXPECT_EQ(grid->ColumnTexts(0)[1], "-2.00");
}

TEST_F(FieldColumns, ACountCountsRecordsWithNullsToo)
{
    auto* price = AddColumn("PRICE");
    price->SetSummaryFooterType(cstCount);
    auto* lowest = AddColumn("PRICE");
    lowest->SetSummaryFooterType(cstMin);
    query.Open();
    EXPECT_EQ(price->SummaryFooterValue(), 4.0L);
    EXPECT_EQ(lowest->SummaryFooterValue(), -2.0L);
    EXPECT_EQ(price->SummaryFooterText(), "4");
    EXPECT_EQ(lowest->SummaryFooterText(), "MIN=-2.00");
}

TEST_F(FieldColumns, AMissingFieldShowsAndWritesNothing)
{
    auto* missing = AddColumn("NOSUCH");
    auto* code = AddColumn("CODE");
    query.Open();
    EXPECT_EQ(missing->Field(), nullptr);
    EXPECT_THAT(grid->ColumnTexts(0), ElementsAre("", "", "", ""));
    EXPECT_EQ(missing->Caption(), "NOSUCH");
    EXPECT_EQ(grid->DataLink().FieldIndex(0), -1);
    EXPECT_EQ(grid->DataLink().FieldIndex(1), 0);
    EXPECT_EQ(grid->DBNode(grid->Items(0))->Values(0).AssignedValues, 0);
    // Renaming binds at once; the old field is let go.
    missing->SetFieldName("NOTE");
    EXPECT_EQ(missing->Field(), query.FieldByName("NOTE"));
    code->SetFieldName("GONE");
    EXPECT_EQ(code->Field(), nullptr);
    // Closing lets every field go, opening finds them again.
    query.Close();
    EXPECT_EQ(missing->Field(), nullptr);
    query.Open();
    EXPECT_EQ(missing->Field(), query.FieldByName("NOTE"));
}

TEST_F(FieldColumns, DefaultsComeFromTheFieldUntilSet)
{
    auto* code = AddColumn("CODE");
    auto* price = AddColumn("PRICE");
    query.Open();
    TField* priceField = query.FieldByName("PRICE");
    EXPECT_EQ(code->Caption(), "CODE");
    EXPECT_EQ(code->MaxLength(), 8);
    EXPECT_EQ(price->MaxLength(), 0);
    EXPECT_EQ(price->Alignment(), taRightJustify);
    EXPECT_EQ(code->Alignment(), taLeftJustify);
    EXPECT_FALSE(price->IsStored(TqvTreeListColumn::cvCaption));
    // A width for the field's display width (40 characters) in the cell font.
    auto* note = AddColumn("NOTE");
    EXPECT_GT(note->Width(), 200);

    priceField->SetDisplayLabel("Price");
    EXPECT_EQ(price->Caption(), "Price");
    price->SetCaption("Unit price");
    price->SetWidth(93);
    price->SetReadOnly(true);
    priceField->SetDisplayLabel("Other");
    EXPECT_EQ(price->Caption(), "Unit price");
    EXPECT_EQ(price->Width(), 93);
    EXPECT_TRUE(price->IsStored(TqvTreeListColumn::cvCaption));
    EXPECT_FALSE(price->IsStored(TqvTreeListColumn::cvAlignment));
    price->RestoreDefaults();
    EXPECT_EQ(price->Caption(), "Other");
    EXPECT_FALSE(price->ReadOnly());
    priceField->SetReadOnly(true);
    EXPECT_TRUE(price->ReadOnly());
}

TEST_F(FieldColumns, MemoCellsShowThePlainTextCut)
{
    auto* note = AddColumn<TqvDBGridMemoColumn>("NOTE");
    query.Open();
    struct Case {
        int length;
        std::string first;
    } cases[] = {
        {255, "中华(硬)中华(软)"},
        {5, "中华("},   // GBK: two bytes per character
        {3, "中"},      // never half a character
        {-1, "中华(硬)中华(软)"},
        {0, ""},
    };
    for (const Case& c : cases) {
        note->SetMaxDisplayLength(c.length);
        EXPECT_EQ(grid->ColumnTexts(0)[0], c.first) << c.length;
    }
    // Values: texts without a handler or a mask keep none.
    EXPECT_EQ(grid->DBNode(grid->Items(0))->Values(0).AssignedValues, 0);
    auto* price = AddColumn("PRICE");
    (void)price;
    TNodeVariantData values = grid->DBNode(grid->Items(1))->Values(1);
    EXPECT_EQ(values.AssignedValues, TNodeVariantData::avValue);
    EXPECT_EQ(values.Value, Variant(-2.0));
}

TEST_F(FieldColumns, DefaultFieldsMakeTheColumnsAndRefuseHandMadeOnes)
{
    grid->SetOptionsDB(grid->OptionsDB().Without(edgoLoadAllRecords));
    grid->SetDefaultFields(true);
    query.Open();
    ASSERT_EQ(grid->ColumnCount(), 3);
    EXPECT_EQ(static_cast<TqvDBTreeListColumn*>(grid->Columns(2))->FieldName(), "NOTE");
    EXPECT_THAT([&] { grid->CreateColumn(); },
                ThrowsMessage<EInvalidqvTreeListOperation>("DefaultFields property should be set to False"));
    // Loading all records turns it off.
    grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
    EXPECT_FALSE(grid->DefaultFields());
    EXPECT_NO_THROW(grid->CreateColumn());
}

}  // namespace

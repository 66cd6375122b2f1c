// TDataSet through TQuery on a real SQLite file: moving, editing, fields,
// bookmarks, searching and fetching on demand.
#include "TestDatabase.h"

#include "runtime/db/FieldKinds.h"
#include "runtime/db/Query.h"
#include "runtime/db/UpdateSQL.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ThrowsMessage;

namespace {

template <class F, class... Args>
F* addField(TDataSet& ds, const char* name, Args... args)
{
    F* f = new F(&ds, args...);
    f->SetFieldName(name);
    f->SetDataSet(&ds);
    return f;
}

class DataSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 1; i <= 10; ++i)
            db.Exec("INSERT INTO GSTJYGL1 VALUES (?, ?)", {"P" + std::to_string(i < 10 ? 0 : 1) + std::to_string(i % 10),
                                                         i == 3 ? std::string("中华(硬)") : "name" + std::to_string(i)});
        q.SetDatabaseName("qdb");
        q.SQL().SetText("SELECT SPDM00, SPMC00 FROM GSTJYGL1 ORDER BY SPDM00");
    }

    TestDatabase db{TestEngine::SQLite};
    TQuery q;
};

TEST_F(DataSetTest, MovesWithBofEofAndReportsDistance)
{
    q.Open();
    EXPECT_TRUE(q.Bof());
    EXPECT_FALSE(q.Eof());
    EXPECT_EQ(q.RecNo(), 1);
    struct Step {
        int by, moved, recNo;
        bool bof, eof;
    } steps[] = {
        {1, 1, 2, false, false},  {3, 3, 5, false, false},   {-10, -4, 1, true, false},
        {100, 9, 10, false, true}, {1, 0, 10, false, true},  {-1, -1, 9, false, false},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(q.MoveBy(s.by), s.moved) << s.by;
        EXPECT_EQ(q.RecNo(), s.recNo) << s.by;
        EXPECT_EQ(q.Bof(), s.bof) << s.by;
        EXPECT_EQ(q.Eof(), s.eof) << s.by;
    }
    q.Last();
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.FieldByName("spdm00")->AsString(), "P10");
    q.Next();
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.FieldByName("SPDM00")->AsString(), "P10");
    q.First();
    EXPECT_TRUE(q.Bof());
    EXPECT_EQ(q.RecordCount(), 10);
}

TEST_F(DataSetTest, FetchesRowsOnDemand)
{
    q.Open();
    EXPECT_EQ(q.RecordsFetched(), 1);
    q.MoveBy(3);
    EXPECT_EQ(q.RecordsFetched(), 4);
    EXPECT_EQ(q.RecordCount(), 10);
    EXPECT_EQ(q.RecordsFetched(), 10);
    q.Close();
    EXPECT_FALSE(q.Active());
    EXPECT_EQ(q.FieldCount(), 0);  // default fields go with the result
}

TEST_F(DataSetTest, TextInTheCodePageAndFieldsFoundWithoutCase)
{
    q.Open();
    q.MoveBy(2);
    TField* name = q.FieldByName("SpMc00");
    EXPECT_EQ(name->AsString(), Ansi(u8"中华(硬)"));
    EXPECT_EQ(name->AsString().size(), 8u);  // GBK bytes
    EXPECT_EQ(q.FindField("nothing"), nullptr);
    EXPECT_THROW(q.FieldByName("nothing"), EDatabaseError);
}

TEST_F(DataSetTest, ReadOnlyWithoutCacheOrUpdateObject)
{
    q.Open();
    EXPECT_FALSE(q.CanModify());
    EXPECT_THAT([&] { q.Edit(); }, ThrowsMessage<EDatabaseError>("Cannot modify a read-only dataset"));
}

TEST_F(DataSetTest, EditingStatesPostCancelAndLeavingARecord)
{
    q.SetCachedUpdates(true);
    q.Open();
    EXPECT_THAT([&] { q.Post(); }, ThrowsMessage<EDatabaseError>("Dataset not in edit or insert mode"));
    TField* name = q.FieldByName("SPMC00");
    EXPECT_THROW(name->SetAsString("x"), EDatabaseError);

    // Leaving a modified record posts it; leaving an unmodified one cancels.
    q.Edit();
    EXPECT_EQ(q.State(), dsEdit);
    name->SetAsString("changed");
    EXPECT_TRUE(q.Modified());
    q.Next();
    EXPECT_EQ(q.State(), dsBrowse);
    q.Prior();
    EXPECT_EQ(name->AsString(), "changed");
    EXPECT_EQ(q.UpdateStatus(), usModified);
    q.Next();
    q.Edit();
    q.Next();
    EXPECT_EQ(q.State(), dsBrowse);
    q.Prior();
    EXPECT_EQ(q.UpdateStatus(), usUnmodified);

    // Cancel puts the value back; a cancelled insert disappears.
    q.Edit();
    name->SetAsString("dropped");
    q.Cancel();
    EXPECT_EQ(name->AsString(), "name2");
    q.Insert();
    EXPECT_EQ(q.State(), dsInsert);
    EXPECT_TRUE(name->IsNull());
    EXPECT_EQ(name->AsString(), "");
    q.Cancel();
    EXPECT_EQ(q.RecordCount(), 10);
    EXPECT_EQ(name->AsString(), "name2");
}

TEST_F(DataSetTest, EditOnAnEmptyDatasetStartsANewRecord)
{
    q.SQL().SetText("SELECT SPDM00, SPMC00 FROM GSTJYGL1 WHERE 1=0");
    q.SetCachedUpdates(true);
    q.Open();
    EXPECT_TRUE(q.IsEmpty());
    EXPECT_TRUE(q.Bof() && q.Eof());
    q.Edit();
    EXPECT_EQ(q.State(), dsInsert);
    q.FieldByName("SPDM00")->SetAsString("NEW");
    q.Post();
    EXPECT_EQ(q.RecordCount(), 1);
    EXPECT_EQ(q.UpdateStatus(), usInserted);
}

TEST_F(DataSetTest, FieldValuesTextsAndRefusals)
{
    TQuery t;
    t.SetDatabaseName("qdb");
    t.SQL().SetText("SELECT SPDM00, SPMC00, 12.5 AS PRICE, 7 AS QTY, '2003-03-10 10:00:00' AS MADE FROM GSTJYGL1 ORDER BY SPDM00");
    auto* code = addField<TStringField>(t, "SPDM00", 4);
    code->SetRequired(true);
    auto* name = addField<TStringField>(t, "SPMC00", 6);
    auto* price = addField<TFloatField>(t, "PRICE");
    price->SetReadOnly(true);
    auto* qty = addField<TIntegerField>(t, "QTY");
    auto* made = addField<TDateTimeField>(t, "MADE");
    t.SetCachedUpdates(true);
    t.Open();

    EXPECT_EQ(t.FieldCount(), 5);
    EXPECT_DOUBLE_EQ(price->AsFloat(), 12.5);
    EXPECT_EQ(price->AsString(), "12.5");
    EXPECT_EQ(price->Alignment(), taRightJustify);
    EXPECT_EQ(qty->AsInteger(), 7);
    EXPECT_DOUBLE_EQ(made->AsDateTime(), EncodeDateTime(2003, 3, 10, 10, 0, 0, 0));
    EXPECT_EQ(made->DataType(), ftDateTime);

    price->OnGetText = [](TField* f, AnsiString& text, bool display) { text = (display ? "D:" : "E:") + f->AsString(); };
    EXPECT_EQ(price->DisplayText(), "D:12.5");
    EXPECT_EQ(price->Text(), "E:12.5");
    name->OnSetText = [](TField* f, const AnsiString& text) { f->SetAsString(UpperCase(text)); };

    t.Edit();
    name->SetText("abc");
    EXPECT_EQ(name->AsString(), "ABC");
    // Too long for 6 bytes: refused, nothing written ("中华(硬)" is 8 GBK bytes).
    EXPECT_THAT([&] { name->SetAsString(Ansi(u8"中华(硬)")); },
                ThrowsMessage<EDatabaseError>("Value of field 'SPMC00' is 8 bytes long; the field holds at most 6"));
    EXPECT_EQ(name->AsString(), "ABC");
    EXPECT_THAT([&] { price->SetAsFloat(1); }, ThrowsMessage<EDatabaseError>("Field 'PRICE' cannot be modified"));
    EXPECT_THAT([&] { qty->SetText("abc"); }, ThrowsMessage<EConvertError>("'abc' is not a valid integer value"));
    EXPECT_THAT([&] { made->SetText("31/31/2003"); },
                ThrowsMessage<EConvertError>("'31/31/2003' is not a valid date and time"));
    EXPECT_TRUE(qty->IsValidChar('5') && !qty->IsValidChar('x') && !qty->IsValidChar('.'));
    qty->SetText("");
    EXPECT_TRUE(qty->IsNull());
    code->Clear();
    EXPECT_THAT([&] { t.Post(); }, ThrowsMessage<EDatabaseError>("Field 'SPDM00' must have a value"));
    EXPECT_EQ(t.State(), dsEdit);
    t.Cancel();
    EXPECT_EQ(code->AsString(), "P01");
}

TEST_F(DataSetTest, BookmarksAndLocate)
{
    q.SetCachedUpdates(true);
    q.Open();
    q.MoveBy(4);
    TBookmarkStr fifth = q.Bookmark();
    q.First();
    TBookmarkStr first = q.Bookmark();
    EXPECT_TRUE(q.BookmarkValid(fifth));
    EXPECT_EQ(q.CompareBookmarks(first, fifth), -1);
    EXPECT_EQ(q.CompareBookmarks(fifth, fifth), 0);
    q.GotoBookmark(fifth);
    EXPECT_EQ(q.RecNo(), 5);
    q.Delete();
    EXPECT_FALSE(q.BookmarkValid(fifth));
    EXPECT_THROW(q.GotoBookmark(fifth), EDatabaseError);
    EXPECT_EQ(q.FieldByName("SPDM00")->AsString(), "P06");

    EXPECT_TRUE(q.Locate("SPMC00", Variant("NAME8"), loCaseInsensitive));
    EXPECT_EQ(q.FieldByName("SPDM00")->AsString(), "P08");
    EXPECT_FALSE(q.Locate("SPMC00", Variant("NAME8")));
    EXPECT_EQ(q.RecNo(), 7);  // a failed search does not move
    EXPECT_TRUE(q.Locate("spdm00;SPMC00", {Variant("P10"), Variant("name10")}));
    EXPECT_TRUE(q.Eof() == false && q.RecNo() == 9);
    EXPECT_TRUE(q.Locate("SPMC00", Variant("nam"), loPartialKey));
    EXPECT_EQ(q.RecNo(), 1);
    EXPECT_EQ(q.Lookup("SPDM00", {Variant("P02")}, "SPMC00").AsString(), "name2");
    EXPECT_EQ(q.RecNo(), 1);

    q.Close();
    q.Open();
    EXPECT_FALSE(q.BookmarkValid(first));  // bookmarks belong to one opening
}

TEST_F(DataSetTest, CalculatedAndLookupFields)
{
    TQuery products;
    products.SetDatabaseName("qdb");
    products.SQL().SetText("SELECT SPDM00 AS CODE, SPMC00 AS NAME FROM GSTJYGL1");
    products.Open();

    TQuery t;
    t.SetDatabaseName("qdb");
    t.SQL().SetText("SELECT SPDM00 FROM GSTJYGL1 ORDER BY SPDM00");
    auto* code = addField<TStringField>(t, "SPDM00", 8);
    auto* twice = addField<TStringField>(t, "TWICE", 20);
    twice->SetFieldKind(fkCalculated);
    auto* name = addField<TStringField>(t, "NAME", 30);
    name->SetFieldKind(fkLookup);
    name->SetLookupDataSet(&products);
    name->KeyFields = "SPDM00";
    name->LookupKeyFields = "CODE";
    name->LookupResultField = "NAME";
    t.OnCalcFields = [&](TDataSet*) { twice->SetAsString(code->AsString() + code->AsString()); };
    t.Open();
    t.MoveBy(1);
    EXPECT_EQ(twice->AsString(), "P02P02");
    EXPECT_EQ(name->AsString(), "name2");
    EXPECT_FALSE(name->CanModify());
}

TEST_F(DataSetTest, StoredCellsReadByHandleWithoutMoving)
{
    q.SetCachedUpdates(true);
    auto* code = addField<TStringField>(q, "SPDM00", 8);
    auto* name = addField<TStringField>(q, "SPMC00", 30);
    auto* twice = addField<TStringField>(q, "TWICE", 20);
    twice->SetFieldKind(fkCalculated);
    q.OnCalcFields = [&](TDataSet*) { twice->SetAsString(code->AsString() + code->AsString()); };
    CellView cell;
    EXPECT_FALSE(q.ReadStoredCell(name, 0, cell)) << "closed";
    q.Open();
    q.Last();  // every record fetched
    const int second = q.RecordHandleAt(1), fifth = q.RecordHandleAt(4);
    q.First();
    ASSERT_TRUE(q.ReadStoredCell(name, fifth, cell));
    EXPECT_EQ(cell.s, "name5");
    EXPECT_EQ(q.RecNo(), 1) << "the dataset stays where it was";
    EXPECT_FALSE(q.ReadStoredCell(twice, fifth, cell)) << "calculated values are not stored";
    EXPECT_FALSE(q.ReadStoredCell(name, 99, cell)) << "no such record";

    // The record being edited shows its edit, which only a field read sees;
    // the other records are read as stored.
    q.MoveBy(1);
    q.Edit();
    name->SetAsString("edited");
    EXPECT_FALSE(q.ReadStoredCell(name, second, cell));
    ASSERT_TRUE(q.ReadStoredCell(name, fifth, cell));
    EXPECT_EQ(cell.s, "name5");
    q.Post();
    ASSERT_TRUE(q.ReadStoredCell(name, second, cell)) << "posted into the cache";
    EXPECT_EQ(cell.s, "edited");

    // A deleted record is gone.
    q.Delete();
    EXPECT_FALSE(q.ReadStoredCell(name, second, cell));
    EXPECT_EQ(q.PositionOfHandle(second), -1);
}

}  // namespace

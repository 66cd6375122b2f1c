// Header clicks on a load-all grid: sorting by one column and by several,
// in the ANSI code page's order or the locale's, with or without letter
// case; the focused record stays focused. And the mouse on the headers:
// sizing and moving columns.
#include "DBGridFixture.h"

#include "runtime/db/FieldKinds.h"

#include <QMouseEvent>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

void mouse(QWidget& w, QEvent::Type type, QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, w.mapToGlobal(at), Qt::LeftButton, buttons, mods);
    QApplication::sendEvent(&w, &e);
}

class Sorting : public DBGridFixture {
public:
    Sorting()
    {
        db.Exec("CREATE TABLE S (ID INTEGER, NAME VARCHAR(20), QTY FLOAT)");
        // Equal names and equal quantities, mixed letter case, a null.
        const char* rows[][3] = {{"1", "b", "3"}, {"2", "B", "1"}, {"3", "a", "2"},
                                 {"4", "b", "1"}, {"5", "A", nullptr}, {"6", "c", "2"}};
        for (auto& r : rows)
            db.Exec("INSERT INTO S VALUES (?, ?, ?)",
                    {Variant(std::stoi(r[0])), Variant(AnsiString(r[1])), r[2] ? Variant(std::stod(r[2])) : Variant::Null()});
        query.SQL().SetText("SELECT ID, NAME, QTY FROM S ORDER BY ID");
        MakeGrid();
        grid->SetKeyField("ID");
        grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
        AddColumn("ID");
        AddColumn("NAME");
        AddColumn("QTY");
        grid->ShowRows(8);
        query.Open();
    }
    void clickHeader(int position, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QPoint at = header(position);
        mouse(*grid, QEvent::MouseButtonPress, at, mods);
        mouse(*grid, QEvent::MouseButtonRelease, at, mods);
    }
    QPoint header(int position) const
    {
        for (const auto& p : grid->PlaceColumns())
            if (p.position == position) return {p.left + p.width / 2, grid->DataTop() / 2};
        return {};
    }
    std::vector<std::string> ids() const { return grid->ColumnTexts(0); }
};

TEST_F(Sorting, ClicksSortAscendingThenDescendingAndKeepTheFocusedRecord)
{
    query.Locate("ID", Variant(4));
    ASSERT_EQ(grid->FocusedAbsoluteIndex(), 3);
    clickHeader(2);  // QTY
    EXPECT_EQ(grid->Columns(2)->Sorted(), csUp);
    // Null first; equal values keep their order (2 before 4).
    EXPECT_THAT(ids(), ElementsAre("5", "2", "4", "3", "6", "1"));
    EXPECT_EQ(grid->FocusedAbsoluteIndex(), 2);
    EXPECT_EQ(query.FieldByName("ID")->AsInteger(), 4);
    clickHeader(2);
    EXPECT_EQ(grid->Columns(2)->Sorted(), csDown);
    EXPECT_THAT(ids(), ElementsAre("1", "3", "6", "2", "4", "5"));
    EXPECT_EQ(query.FieldByName("ID")->AsInteger(), 4);
    EXPECT_EQ(grid->FocusedNode(), grid->Items(4));
    // Another column alone: the first sort mark goes.
    clickHeader(1);
    EXPECT_EQ(grid->Columns(2)->Sorted(), csNone);
    EXPECT_EQ(grid->Columns(1)->Sorted(), csUp);
    // A reload keeps the order.
    grid->FullRefresh();
    EXPECT_EQ(grid->Columns(1)->Sorted(), csUp);
    EXPECT_THAT(grid->ColumnTexts(1), ElementsAre("a", "A", "b", "b", "B", "c"));
}

TEST_F(Sorting, ASortedGridSwitchesToWindowModeAndBack)
{
    // Sorting renumbers the loaded nodes; leaving load-all mode then frees
    // every one of them, each to the place it came from.
    clickHeader(2);
    clickHeader(1);
    grid->SetOptionsDB(grid->OptionsDB().Without(edgoLoadAllRecords));
    EXPECT_EQ(grid->ColumnTexts(0).front(), "1");
    grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
    EXPECT_THAT(ids(), ElementsAre("1", "2", "3", "4", "5", "6"));
}

TEST_F(Sorting, ShiftAddsAColumnWhenMultiSortIsOn)
{
    grid->SetOptionsBehavior(grid->OptionsBehavior().With(edgoMultiSort).With(edgoAnsiSort));
    clickHeader(2);                    // QTY ascending
    clickHeader(1, Qt::ShiftModifier); // then NAME
    EXPECT_THAT(ids(), ElementsAre("5", "2", "4", "3", "6", "1"));
    clickHeader(1, Qt::ShiftModifier); // NAME descending within equal quantities
    EXPECT_THAT(ids(), ElementsAre("5", "4", "2", "6", "3", "1"));
    EXPECT_EQ(grid->Columns(2)->Sorted(), csUp);
    // Without MultiSort, Shift sorts by the one column.
    grid->SetOptionsBehavior(grid->OptionsBehavior().Without(edgoMultiSort));
    clickHeader(0, Qt::ShiftModifier);
    EXPECT_EQ(grid->Columns(2)->Sorted(), csNone);
    EXPECT_THAT(ids(), ElementsAre("1", "2", "3", "4", "5", "6"));
}

TEST_F(Sorting, TextsInAnsiOrLocaleOrderWithOrWithoutCase)
{
    struct Case {
        const char* why;
        bool ansi, caseInsensitive;
        std::vector<std::string> names;
    } cases[] = {
        {"ANSI order: capitals before small letters", true, false, {"A", "B", "a", "b", "b", "c"}},
        {"ANSI order without case: equal letters keep their order", true, true, {"a", "A", "b", "B", "b", "c"}},
        {"locale order: small letters first", false, false, {"a", "A", "b", "b", "B", "c"}},
        {"locale order without case", false, true, {"a", "A", "b", "B", "b", "c"}},
    };
    for (const Case& c : cases) {
        auto behavior = grid->OptionsBehavior().Set(edgoAnsiSort, c.ansi).Set(edgoCaseInsensitive, c.caseInsensitive);
        grid->SetOptionsBehavior(behavior);
        grid->Columns(1)->SetSorted(csNone);
        grid->FullRefresh();  // back in the query's order
        clickHeader(1);
        EXPECT_EQ(grid->ColumnTexts(1), c.names) << c.why;
    }
}

TEST_F(Sorting, UnpostedEditsAndAppendedRecordsSortByTheirValues)
{
    query.Close();
    query.SetCachedUpdates(true);
    query.Open();
    clickHeader(2);  // QTY ascending: 5 2 4 3 6 1
    query.Locate("ID", Variant(1));
    query.Edit();
    query.FieldByName("QTY")->SetAsFloat(0.5);
    // Switching the text order sorts again, with the record still in edit.
    grid->SetOptionsBehavior(grid->OptionsBehavior().With(edgoAnsiSort));
    ASSERT_EQ(query.State(), dsEdit);
    EXPECT_THAT(ids(), ElementsAre("5", "1", "2", "4", "3", "6"));
    query.Cancel();
    // A record appended since the load sorts with the fetched ones.
    query.Append();
    query.FieldByName("ID")->SetAsInteger(7);
    query.FieldByName("QTY")->SetAsFloat(0.5);
    query.Post();
    clickHeader(2);  // descending; equal quantities keep their order
    EXPECT_THAT(ids(), ElementsAre("1", "3", "6", "2", "4", "7", "5"));
}

TEST_F(Sorting, CalculatedColumnsSortByTheirValues)
{
    query.Close();
    auto field = [&](TField* f, const char* name) {
        f->SetFieldName(name);
        f->SetDataSet(&query);
        return f;
    };
    TField* qty = field(new TFloatField(&query), "QTY");
    field(new TIntegerField(&query), "ID");
    field(new TStringField(&query, 20), "NAME");
    TField* negated = field(new TFloatField(&query), "NEGATED");
    negated->SetFieldKind(fkCalculated);
    query.OnCalcFields = [&](TDataSet*) {
        if (!qty->IsNull()) negated->SetAsFloat(-qty->AsFloat());
    };
    AddColumn("NEGATED");
    query.Open();
    clickHeader(3);
    EXPECT_THAT(ids(), ElementsAre("5", "1", "3", "6", "2", "4"));
}

TEST_F(Sorting, HeadersSizeAndMoveWithTheMouse)
{
    auto places = grid->PlaceColumns();
    int edge = places[0].left + places[0].width, y = grid->DataTop() / 2;
    int before = grid->Columns(0)->Width();
    mouse(*grid, QEvent::MouseButtonPress, {edge, y});
    mouse(*grid, QEvent::MouseMove, {edge + 30, y});
    EXPECT_EQ(grid->State(), tsColumnSizing);
    mouse(*grid, QEvent::MouseButtonRelease, {edge + 30, y});
    EXPECT_EQ(grid->Columns(0)->Width(), before + 30);
    EXPECT_EQ(grid->Columns(0)->Sorted(), csNone) << "sizing is not a click";
    // Esc during sizing puts the width back.
    mouse(*grid, QEvent::MouseButtonPress, {edge + 30, y});
    mouse(*grid, QEvent::MouseMove, {edge + 80, y});
    key(*grid, Qt::Key_Escape);
    EXPECT_EQ(grid->State(), tsNormal);
    EXPECT_EQ(grid->Columns(0)->Width(), before + 30);
    // Dragging the first header past the last moves the column there.
    auto* first = grid->Columns(0);
    places = grid->PlaceColumns();
    QPoint from = header(0), to(places[2].left + places[2].width - 2, y);
    mouse(*grid, QEvent::MouseButtonPress, from);
    mouse(*grid, QEvent::MouseMove, to);
    EXPECT_EQ(grid->State(), tsColumnDragging);
    mouse(*grid, QEvent::MouseButtonRelease, to);
    EXPECT_EQ(grid->Columns(2), first);
    EXPECT_EQ(grid->State(), tsNormal);
    // And back to the left edge, the top left corner of the headers.
    places = grid->PlaceColumns();
    mouse(*grid, QEvent::MouseButtonPress, header(2));
    mouse(*grid, QEvent::MouseMove, {places[0].left + 1, 1});
    mouse(*grid, QEvent::MouseButtonRelease, {places[0].left + 1, 1});
    EXPECT_EQ(grid->Columns(0), first);
}

}  // namespace

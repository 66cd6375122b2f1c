// The grid-side filter as a user meets it: the header drop-down with its
// values and special entries, "Custom AutoFilter", the filtered header, the
// status strip, F4, and conditions handed to the dataset giving the same
// records as the grid's own check.
#include "DBGridFixture.h"

#include "grid/db/CustomFilterDialog.h"
#include "grid/db/DBGridFiltering.h"
#include "grid/db/FilterDropDown.h"
#include "runtime/ModalDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Ids = std::vector<int>;

struct FilterGrid : TestDBGrid {
    using TestDBGrid::HeaderButtonOf;
    using TestDBGrid::HeaderButtonRect;
    using TestDBGrid::StatusHeight;
};

// ID NAME  QTY  PRICE DAY
// 1  pear  5    2.5   2024-01-02
// 2  apple 10   1.0   2023-12-31
// 3  null  5    3.0   2024-01-02
// 4  apple null 4.0   null
// 5  ''    20   1.5   2023-12-31
// 6  fig   10   2.0   2024-03-01
class Filtering : public DBGridFixture {
public:
    Filtering()
    {
        db.Db().ExecScript(
            "CREATE TABLE T (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), QTY INTEGER, PRICE DOUBLE, DAY DATE);\n"
            "INSERT INTO T VALUES (1, 'pear', 5, 2.5, '2024-01-02');\n"
            "INSERT INTO T VALUES (2, 'apple', 10, 1.0, '2023-12-31');\n"
            "INSERT INTO T VALUES (3, NULL, 5, 3.0, '2024-01-02');\n"
            "INSERT INTO T VALUES (4, 'apple', NULL, 4.0, NULL);\n"
            "INSERT INTO T VALUES (5, '', 20, 1.5, '2023-12-31');\n"
            "INSERT INTO T VALUES (6, 'fig', 10, 2.0, '2024-03-01');\n");
        query.SQL().SetText("SELECT ID, NAME, QTY, PRICE, DAY FROM T ORDER BY ID");
        grid = std::make_unique<FilterGrid>();
        grid->SetDataSource(&source);
        grid->SetKeyField("ID");
        grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
        grid->Filter().SetActive(true);
        id = AddColumn("ID");
        name = AddColumn("NAME");
        qty = AddColumn("QTY");
        price = AddColumn("PRICE");
        day = AddColumn("DAY");
        id->SetSummaryFooterType(cstCount);
        price->SetSummaryFooterType(cstSum);
        grid->SetShowSummaryFooter(true);
        grid->ShowRows(8);
        query.Open();
    }
    FilterGrid& g() { return static_cast<FilterGrid&>(*grid); }

    Ids ShownIds() const
    {
        Ids ids;
        for (int i = 0; i < grid->Count(); ++i) ids.push_back(grid->DBNode(grid->Items(i))->Id().AsInteger());
        return ids;
    }
    // The entries of a column's drop-down, opened as the header button does.
    std::vector<std::string> Entries(TqvDBTreeListColumn* column)
    {
        grid->DropDownFilter(column);
        std::vector<std::string> texts;
        QListWidget* list = grid->FilterDropDown()->List();
        for (int i = 0; i < list->count(); ++i) texts.push_back(list->item(i)->text().toStdString());
        return texts;
    }
    void Choose(TqvDBTreeListColumn* column, const std::string& entry)
    {
        std::vector<std::string> texts = Entries(column);
        auto it = std::find(texts.begin(), texts.end(), entry);
        ASSERT_NE(it, texts.end()) << entry;
        grid->FilterDropDown()->Choose(static_cast<int>(it - texts.begin()));
    }
    // The display text of DAY in the record with this ID.
    std::string DayText(int recordId)
    {
        for (int i = 0; i < grid->Count(); ++i)
            if (grid->DBNode(grid->Items(i))->Id() == Variant(recordId))
                return AnsiToUtf8(grid->GetCellText(grid->Items(i), day));
        return {};
    }

    TqvDBGridColumn *id, *name, *qty, *price, *day;
};

TEST_F(Filtering, TheListHoldsTheSpecialEntriesThenTheDistinctValuesInValueOrder)
{
    const std::vector<std::string> special{"(All)", "(Custom...)", "(Blanks)", "(NonBlanks)"};
    auto with = [&](std::vector<std::string> values) {
        std::vector<std::string> all = special;
        all.insert(all.end(), values.begin(), values.end());
        return all;
    };
    // Texts by their bytes, blanks (null and '') left to "(Blanks)".
    EXPECT_EQ(Entries(name), with({"apple", "fig", "pear"}));
    // Numbers by value, not by text ("10" < "5" as texts).
    EXPECT_EQ(Entries(qty), with({"5", "10", "20"}));
    // Dates by value, whatever order their texts have.
    EXPECT_EQ(Entries(day), with({DayText(2), DayText(1), DayText(6)}));
    EXPECT_EQ(grid->FilterDropDown()->List()->currentRow(), 0);  // nothing chosen: "(All)"

    // MaxDropDownCount keeps the first values; the special entries stay.
    grid->Filter().SetMaxDropDownCount(2);
    EXPECT_EQ(Entries(qty), with({"5", "10"}));

    // DropDownCount rows high, DropDownWidth wide.
    grid->Filter().SetMaxDropDownCount(1000);
    grid->Filter().SetDropDownCount(3);
    grid->Filter().SetDropDownWidth(240);
    Entries(name);
    TqvFilterDropDown* dropDown = grid->FilterDropDown();
    QListWidget* list = dropDown->List();
    EXPECT_TRUE(dropDown->isVisible());
    EXPECT_EQ(dropDown->width(), 240);
    EXPECT_EQ(list->viewport()->height() / list->sizeHintForRow(0), 3);
}

TEST_F(Filtering, EachEntryFiltersTheNodesAndTheFootersAtOnce)
{
    struct Case {
        const char* why;
        TqvDBGridColumn* Filtering::*column;
        std::string entry;  // "@n": the date text of record n
        Ids ids;
        double sum;
    };
    const Case cases[] = {
        {"a text", &Filtering::name, "apple", {2, 4}, 5.0},
        {"null and empty text are blanks", &Filtering::name, "(Blanks)", {3, 5}, 4.5},
        {"the rest", &Filtering::name, "(NonBlanks)", {1, 2, 4, 6}, 9.5},
        {"a number", &Filtering::qty, "10", {2, 6}, 3.0},
        {"a null number", &Filtering::qty, "(Blanks)", {4}, 4.0},
        {"a date", &Filtering::day, "@1", {1, 3}, 5.5},
        {"a null date", &Filtering::day, "(Blanks)", {4}, 4.0},
        {"all again", &Filtering::day, "(All)", {1, 2, 3, 4, 5, 6}, 14.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        grid->ClearFilter();
        std::string entry = c.entry[0] == '@' ? DayText(std::stoi(c.entry.substr(1))) : c.entry;
        Choose(this->*c.column, entry);
        EXPECT_EQ(ShownIds(), c.ids);
        EXPECT_EQ(price->SummaryFooterValue(), static_cast<long double>(c.sum));
        EXPECT_EQ(id->SummaryFooterValue(), static_cast<long double>(c.ids.size()));
    }

    // Conditions of two columns meet; each list offers only the values the
    // other columns' conditions leave.
    grid->ClearFilter();
    Choose(qty, "10");
    EXPECT_THAT(Entries(name), ElementsAre("(All)", "(Custom...)", "(Blanks)", "(NonBlanks)", "apple", "fig"));
    Choose(name, "fig");
    EXPECT_EQ(ShownIds(), Ids{6});
    // The list shows what is chosen.
    Entries(name);
    EXPECT_EQ(grid->FilterDropDown()->List()->currentItem()->text(), QStringLiteral("fig"));
}

TEST_F(Filtering, TheHeaderButtonOpensTheListAndShowsAFilteredColumn)
{
    using Button = TCustomqvTreeListControl::TqvHeaderButton;
    // fsAuto: no button until the mouse is over a header or a column is filtered.
    EXPECT_EQ(g().HeaderButtonOf(name), Button::None);
    grid->Filter().SetFilterStatus(fsAlways);
    EXPECT_EQ(g().HeaderButtonOf(name), Button::Shown);
    price->SetDisableFilter(true);
    EXPECT_EQ(g().HeaderButtonOf(price), Button::None);

    QRect cell;
    for (const auto& p : g().PlaceColumns())
        if (p.column == name)
            cell = QRect(p.left, grid->BandZoneHeight() + p.row * grid->HeaderRowHeight(), p.width,
                         grid->HeaderRowHeight());
    click(*grid, FilterGrid::HeaderButtonRect(cell).center());
    ASSERT_TRUE(grid->FilterDropDown() && grid->FilterDropDown()->isVisible());
    grid->FilterDropDown()->Choose(5);  // "fig"
    EXPECT_EQ(ShownIds(), Ids{6});
    EXPECT_EQ(g().HeaderButtonOf(name), Button::Active);
    // The header click itself did not sort.
    EXPECT_EQ(name->Sorted(), csNone);
}

TEST_F(Filtering, TheCustomDialogAppliesItsOperators)
{
    struct Case {
        TqvDBGridColumn* Filtering::*column;
        int op1;
        const char* value1;
        int op2;  // -1: no second condition
        const char* value2;
        bool orJoined;
        Ids ids;
    };
    enum { eq, ne, gt, ge, lt, le, blanks, nonBlanks };
    const Case cases[] = {
        {&Filtering::qty, eq, "10", -1, "", false, {2, 6}},
        // A blank equals no value, so it is shown by "does not equal".
        {&Filtering::qty, ne, "10", -1, "", false, {1, 3, 4, 5}},
        {&Filtering::qty, gt, "5", -1, "", false, {2, 5, 6}},
        {&Filtering::qty, ge, "10", -1, "", false, {2, 5, 6}},
        {&Filtering::qty, lt, "10", -1, "", false, {1, 3}},
        {&Filtering::qty, le, "10", -1, "", false, {1, 2, 3, 6}},
        {&Filtering::qty, blanks, "", -1, "", false, {4}},
        {&Filtering::qty, nonBlanks, "", -1, "", false, {1, 2, 3, 5, 6}},
        {&Filtering::qty, gt, "5", lt, "20", false, {2, 6}},
        {&Filtering::qty, eq, "5", eq, "20", true, {1, 3, 5}},
        {&Filtering::name, eq, "apple", blanks, "", true, {2, 3, 4, 5}},
        {&Filtering::name, ge, "b", -1, "", false, {1, 6}},
        {&Filtering::price, gt, "1.75", le, "3", false, {1, 3, 6}},
    };
    for (bool toDataSet : {false, true}) {
        grid->Filter().SetAutoDataSetFilter(toDataSet);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(toDataSet ? "dataset" : "grid") + " " + (this->*c.column)->FieldName() +
                         " op " + std::to_string(c.op1) + " " + c.value1 + " / " + std::to_string(c.op2));
            grid->ClearFilter();
            SetModalHook([&](QDialog& dialog) {
                auto& d = dynamic_cast<TqvCustomFilterDialog&>(dialog);
                d.OperatorBox(0)->setCurrentIndex(c.op1);
                d.ValueBox(0)->setEditText(QString::fromUtf8(c.value1));
                d.OperatorBox(1)->setCurrentIndex(c.op2 + 1);
                d.ValueBox(1)->setEditText(QString::fromUtf8(c.value2));
                (c.orJoined ? d.OrButton() : d.AndButton())->setChecked(true);
                return int(QDialog::Accepted);
            });
            Choose(this->*c.column, "(Custom...)");
            SetModalHook({});
            EXPECT_EQ(ShownIds(), c.ids);
            // The dataset holds the conditions when it was asked to.
            EXPECT_EQ(query.FieldFilters().size(), toDataSet ? 1u : 0u);
            EXPECT_EQ(query.RecordCount(), toDataSet ? static_cast<int>(c.ids.size()) : 6);
        }
    }
    // Clearing takes the conditions back from the dataset.
    grid->ClearFilter();
    EXPECT_TRUE(query.FieldFilters().empty());
    EXPECT_EQ(ShownIds(), (Ids{1, 2, 3, 4, 5, 6}));
}

TEST_F(Filtering, TheCustomDialogSpeaksTheUsersWordsAndCancelChangesNothing)
{
    Choose(qty, "10");
    bool seen = false;
    SetModalHook([&](QDialog& dialog) {
        seen = true;
        auto& d = dynamic_cast<TqvCustomFilterDialog&>(dialog);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Custom AutoFilter"));
        QStringList labels;
        for (QLabel* label : d.findChildren<QLabel*>()) labels << label->text();
        EXPECT_TRUE(labels.contains(QStringLiteral("Show rows where:")));
        EXPECT_TRUE(labels.contains(QStringLiteral("QTY")));
        QStringList ops;
        for (int i = 0; i < d.OperatorBox(0)->count(); ++i) ops << d.OperatorBox(0)->itemText(i);
        EXPECT_EQ(ops, (QStringList{"equals", "does not equal", "is greater than", "is greater than or equal to",
                                    "is less than", "is less than or equal to", "blanks", "non blanks"}));
        EXPECT_EQ(d.AndButton()->text(), QStringLiteral("&And"));
        EXPECT_EQ(d.OrButton()->text(), QStringLiteral("&Or"));
        // It opens on the column's conditions, its values offered.
        EXPECT_EQ(d.OperatorBox(0)->currentIndex(), 0);
        EXPECT_EQ(d.ValueBox(0)->currentText(), QStringLiteral("10"));
        EXPECT_EQ(d.ValueBox(0)->count(), 3);
        // "blanks" takes no value.
        d.OperatorBox(0)->setCurrentIndex(6);
        EXPECT_FALSE(d.ValueBox(0)->isEnabled());
        return int(QDialog::Rejected);
    });
    Choose(qty, "(Custom...)");
    SetModalHook({});
    EXPECT_TRUE(seen);
    EXPECT_EQ(ShownIds(), (Ids{2, 6}));
}

TEST_F(Filtering, AValueThatIsNoNumberIsRefusedAndTheFilterStays)
{
    Choose(qty, "10");
    SetModalHook([&](QDialog& dialog) {
        auto& d = dynamic_cast<TqvCustomFilterDialog&>(dialog);
        d.OperatorBox(0)->setCurrentIndex(2);
        d.ValueBox(0)->setEditText(QStringLiteral("ten"));
        return int(QDialog::Accepted);
    });
    EXPECT_THROW(grid->ShowCustomFilter(qty), EConvertError);
    SetModalHook({});
    EXPECT_EQ(ShownIds(), (Ids{2, 6}));
    EXPECT_EQ(grid->Filter().StatusText(), "QTY = 10");
}

TEST_F(Filtering, FilterSortAndFootersTogetherWithTheStatusStrip)
{
    grid->SetSortOrder({{price, csDown}});
    EXPECT_EQ(g().StatusHeight(), 0);  // fsAuto: no criteria, no strip
    Choose(qty, "10");
    EXPECT_EQ(ShownIds(), (Ids{6, 2}));  // 2.0, 1.0
    EXPECT_EQ(price->SummaryFooterValue(), 3.0L);
    Choose(name, "(NonBlanks)");
    EXPECT_EQ(ShownIds(), (Ids{6, 2}));
    EXPECT_EQ(grid->Filter().StatusText(), "QTY = 10 and NAME is not blank");
    int strip = g().StatusHeight();
    ASSERT_GT(strip, 0);

    // The strip's clear button drops every condition; the sort stays.
    QRect stripRect(0, g().DataTop() - strip, grid->width(), strip);
    click(*grid, TqvGridFiltering::ClearButtonRect(stripRect).center());
    EXPECT_EQ(ShownIds(), (Ids{4, 3, 1, 6, 5, 2}));
    EXPECT_EQ(price->SummaryFooterValue(), 14.0L);
    EXPECT_EQ(g().StatusHeight(), 0);
    grid->Filter().SetFilterStatus(fsNone);
    Choose(qty, "10");
    EXPECT_EQ(g().StatusHeight(), 0);
    grid->Filter().SetFilterStatus(fsAlways);
    grid->ClearFilter();
    EXPECT_GT(g().StatusHeight(), 0);
}

TEST_F(Filtering, F4OpensTheFocusedColumnsListAndEnterChooses)
{
    grid->setFocus();
    grid->SetFocusedColumn(2);  // QTY
    key(*grid, Qt::Key_F4);
    TqvFilterDropDown* dropDown = grid->FilterDropDown();
    ASSERT_TRUE(dropDown && dropDown->isVisible());
    QListWidget* list = dropDown->List();
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("5"));
    list->setCurrentRow(6);  // "20"
    key(*list, Qt::Key_Return);
    EXPECT_FALSE(dropDown->isVisible());
    EXPECT_EQ(ShownIds(), Ids{5});
    // Esc closes without a choice.
    key(*grid, Qt::Key_F4);
    key(*list, Qt::Key_Escape);
    EXPECT_FALSE(dropDown->isVisible());
    EXPECT_EQ(ShownIds(), Ids{5});
    // A grid whose filter is off has no list.
    grid->ClearFilter();
    grid->Filter().SetActive(false);
    key(*grid, Qt::Key_F4);
    EXPECT_FALSE(dropDown->isVisible());
}

TEST_F(Filtering, TheRecordInFocusIsOneTheFilterShows)
{
    query.Locate("ID", Variant(4));
    Choose(qty, "10");
    EXPECT_EQ(query.FieldByName("ID")->AsInteger(), 2);
    EXPECT_EQ(grid->DBNode(grid->FocusedNode())->Id(), Variant(2));
}

}  // namespace

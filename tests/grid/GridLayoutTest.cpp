// A layout that stays: what the user did to the columns, the sort and the
// filter comes back in the next grid on the same key, from an INI file or
// from the user's settings store; what no longer fits is skipped, and a
// damaged store is ignored with a warning.
#include "DBGridFixture.h"

#include "grid/db/FilterDropDown.h"
#include "runtime/Settings.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>

#include <gmock/gmock.h>

namespace {

using Ids = std::vector<int>;

QStringList warnings;
void recordWarning(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    // The offscreen platform warns of its own (raise, keyboard grabs).
    if (type == QtWarningMsg && text.contains(QStringLiteral("grid layout"))) warnings << text;
}

class Layout : public DBGridFixture, public ::testing::WithParamInterface<TqvDBGridOptionBehavior> {
public:
    Layout()
    {
        db.Db().ExecScript(
            "CREATE TABLE T (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), QTY INTEGER, PRICE DOUBLE);\n"
            "INSERT INTO T VALUES (1, 'pear', 5, 2.5);\n"
            "INSERT INTO T VALUES (2, 'apple', 10, 1.0);\n"
            "INSERT INTO T VALUES (3, NULL, 5, 3.0);\n"
            "INSERT INTO T VALUES (4, 'fig', 20, 4.0);\n");
        query.SQL().SetText("SELECT ID, NAME, QTY, PRICE FROM T ORDER BY ID");
        query.Open();
        ini = dir.filePath("grids.ini");
        SetSettingsFile(dir.filePath("user.ini").toStdString());
        previous = qInstallMessageHandler(recordWarning);
        warnings.clear();
    }
    ~Layout() override
    {
        grid.reset();
        qInstallMessageHandler(previous);
        SetSettingsFile({});
    }
    // A grid on the key "Software\Test\Orders" with these columns (by
    // name), bound as a form does it: columns first, then the data source.
    TestDBGrid& Grid(const std::vector<const char*>& fields = {"ID", "NAME", "QTY", "PRICE"})
    {
        grid = std::make_unique<TestDBGrid>();
        grid->SetOptionsBehavior(grid->OptionsBehavior().With(GetParam()));
        grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
        grid->SetLayoutKey("Software\\Test\\Orders");
        grid->SetLayoutIniFileName(QStringToAnsi(ini));
        grid->SetKeyField("ID");
        for (const char* field : fields) {
            TqvDBGridColumn* column = AddColumn(field);
            column->SetName(AnsiString("col") + field);
        }
        grid->SetDataSource(&source);
        return *grid;
    }
    TqvDBGridColumn* Column(const char* field) { return grid->ColumnByFieldName(field); }
    Ids ShownIds() const
    {
        Ids ids;
        for (int i = 0; i < grid->Count(); ++i) ids.push_back(grid->DBNode(grid->Items(i))->Id().AsInteger());
        return ids;
    }
    std::vector<std::string> ColumnOrder() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < grid->ColumnCount(); ++i)
            names.push_back(static_cast<TqvDBTreeListColumn*>(grid->Columns(i))->FieldName());
        return names;
    }
    // The user's changes: PRICE first, NAME wider, QTY hidden, sorted by
    // PRICE downwards, NAME filtered to non-blank values.
    void ChangeEverything()
    {
        Column("PRICE")->SetIndex(0);
        Column("NAME")->SetWidth(177);
        Column("QTY")->SetVisible(false);
        grid->SetSortOrder({{Column("PRICE"), csDown}});
        grid->Filter().SetActive(true);
        grid->DropDownFilter(Column("NAME"));
        grid->FilterDropDown()->Choose(3);  // "(NonBlanks)"
        ASSERT_EQ(ShownIds(), (Ids{4, 1, 2}));
    }
    // The file the layout is kept in.
    QString StoreFile() const { return GetParam() == edgoStoreToIniFile ? ini : dir.filePath("user.ini"); }

    QTemporaryDir dir;
    QString ini;
    QtMessageHandler previous = nullptr;
};

TEST_P(Layout, ANewGridOnTheSameKeyShowsWhatTheUserLeft)
{
    Grid();
    ChangeEverything();
    grid.reset();  // saved as it goes
    ASSERT_TRUE(QFile::exists(StoreFile()));

    Grid();
    EXPECT_EQ(ColumnOrder(), (std::vector<std::string>{"PRICE", "ID", "NAME", "QTY"}));
    EXPECT_EQ(Column("NAME")->Width(), 177);
    EXPECT_FALSE(Column("QTY")->Visible());
    EXPECT_EQ(Column("PRICE")->Sorted(), csDown);
    ASSERT_TRUE(grid->Filter().Active());
    EXPECT_EQ(grid->Filter().StatusText(), "NAME is not blank");
    EXPECT_EQ(ShownIds(), (Ids{4, 1, 2}));
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();

    // Save and restore on demand.
    Column("NAME")->SetWidth(90);
    grid->ClearFilter();
    ASSERT_TRUE(grid->SaveLayout());
    Column("NAME")->SetWidth(30);
    ASSERT_TRUE(grid->RestoreLayout());
    EXPECT_EQ(Column("NAME")->Width(), 90);
    EXPECT_EQ(ShownIds(), (Ids{4, 3, 1, 2}));
}

TEST_P(Layout, AStoredColumnTheGridNoLongerHasIsSkipped)
{
    Grid();
    ChangeEverything();
    grid->SetSortOrder({{Column("NAME"), csUp}, {Column("PRICE"), csDown}});
    grid.reset();

    // NAME is gone: its sort key and filter go with it, the rest comes back.
    Grid({"ID", "QTY", "PRICE"});
    EXPECT_EQ(ColumnOrder(), (std::vector<std::string>{"PRICE", "ID", "QTY"}));
    EXPECT_FALSE(Column("QTY")->Visible());
    EXPECT_EQ(Column("PRICE")->Sorted(), csDown);
    EXPECT_TRUE(grid->Filter().ColumnFilters().empty());
    EXPECT_EQ(ShownIds(), (Ids{4, 3, 1, 2}));
    EXPECT_TRUE(warnings.isEmpty());
}

TEST_P(Layout, ADamagedStoreIsIgnoredWithAWarning)
{
    struct Case {
        const char* why;
        const char* text;
    };
    const Case cases[] = {
        {"a count that is no number", "[Software]\nTest\\Orders\\Version=1\nTest\\Orders\\HeaderPanelRowCount=1\n"
                                      "Test\\Orders\\Columns\\size=many\n"},
        {"a width far out of range", "[Software]\nTest\\Orders\\Version=1\nTest\\Orders\\HeaderPanelRowCount=1\n"
                                     "Test\\Orders\\Columns\\size=1\nTest\\Orders\\Columns\\1\\Name=colNAME\n"
                                     "Test\\Orders\\Columns\\1\\Field=NAME\nTest\\Orders\\Columns\\1\\Width=-5\n"},
        {"an unknown operator", "[Software]\nTest\\Orders\\Version=1\nTest\\Orders\\HeaderPanelRowCount=1\n"
                                "Test\\Orders\\Filter\\size=1\nTest\\Orders\\Filter\\1\\Column=colNAME\n"
                                "Test\\Orders\\Filter\\1\\Op1=Like\n"},
        {"not INI at all", "\x01\x02[[[\n\xff\xfe=\n=\n[Software\nTest\\Orders\\Version=1\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        warnings.clear();
        QFile file(StoreFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.text);
        file.close();
        Grid();
        // The grid as built: nothing of the store was used.
        EXPECT_EQ(ColumnOrder(), (std::vector<std::string>{"ID", "NAME", "QTY", "PRICE"}));
        EXPECT_TRUE(Column("QTY")->Visible());
        EXPECT_EQ(ShownIds(), (Ids{1, 2, 3, 4}));
        EXPECT_EQ(warnings.size(), 1);
        EXPECT_FALSE(grid->RestoreLayout());
        grid.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, Layout, ::testing::Values(edgoStoreToIniFile, edgoStoreToRegistry),
                         [](const auto& info) {
                             return std::string(info.param == edgoStoreToIniFile ? "IniFile" : "Registry");
                         });

}  // namespace

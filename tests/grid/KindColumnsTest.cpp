// A grid with a column of each of the check, pick, time, memo, image,
// hyperlink, button and MRU kinds: each opens its own editor loaded from
// the field, writes back through it, and paints its cells as its editor
// does. GRID_KINDS_GRAB=<file.png> saves the grid's picture for a look.
#include "EditingFixture.h"
#include "GridEvents.h"

#include "grid/columns/DBGridColumns.h"
#include "grid/editors/EditorRegistry.h"
#include "runtime/Application.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

#include <gmock/gmock.h>

namespace {

class KindColumns : public GridWindowFixture {
public:
    KindColumns()
    {
        db.Exec("CREATE TABLE K (ID INTEGER, FLAG VARCHAR(1), FRUIT VARCHAR(20), T VARCHAR(8), NOTE VARCHAR(200), "
                "IMG VARCHAR(2), LINK VARCHAR(60), BTN VARCHAR(20), RECENT VARCHAR(20), AMOUNT FLOAT, BLOB VARCHAR(400))");
        db.Exec("INSERT INTO K VALUES (1, 'Y', 'apple', '10:30:00', 'first line\nsecond line', 'B', "
                "'https://example.org', 'press me', 'north', 12.5, 'remark\nmore')");
        db.Exec("INSERT INTO K VALUES (2, 'N', 'pear', NULL, 'short', 'A', 'mailto:a@example.org', '', NULL, 3, '')");
        db.Exec("INSERT INTO K VALUES (3, NULL, NULL, '07:00:00', NULL, 'C', NULL, NULL, NULL, NULL, NULL)");
        query.SQL().SetText("SELECT ID, FLAG, FRUIT, T, NOTE, IMG, LINK, BTN, RECENT, AMOUNT, BLOB FROM K ORDER BY ID");
        query.SetCachedUpdates(true);
        MakeGrid();
        grid->setParent(&form);
        grid->SetKeyField("ID");
        grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
        grid->SetOptionsView(grid->OptionsView().Without(edgoRowSelect));
        AddColumn("ID")->SetWidth(30);
        check = AddColumn<TqvDBGridCheckColumn>("FLAG");
        check->SetValueChecked("Y");
        check->SetValueUnchecked("N");
        check->SetShowNullFieldStyle(nsInactive);
        check->SetWidth(50);
        pick = AddColumn<TqvDBGridPickColumn>("FRUIT");
        pick->SetItems({"apple", "banana", "cherry", "pear"});
        pick->SetPopupBorder(pbFlat);
        pick->SetWidth(80);
        AddColumn<TqvDBGridTimeColumn>("T")->SetWidth(70);
        AddColumn<TqvDBGridMemoColumn>("NOTE")->SetWidth(110);
        image = AddColumn<TqvDBGridImageColumn>("IMG");
        image->SetValues({"A", "B", "C"});
        image->SetDescriptions({"Open", "Audited", "Revoked"});
        image->SetShowDescription(true);
        std::vector<QPixmap> pictures;
        for (Qt::GlobalColor c : {Qt::darkGreen, Qt::blue, Qt::red}) {
            QPixmap p(12, 12);
            p.fill(c);
            pictures.push_back(p);
        }
        image->SetImages(pictures);
        image->SetWidth(90);
        AddColumn<TqvDBGridHyperLinkColumn>("LINK")->SetWidth(140);
        button = AddColumn<TqvDBGridButtonColumn>("BTN");
        button->SetWidth(90);
        mru = AddColumn<TqvDBGridMRUColumn>("RECENT");
        mru->SetWidth(70);
        AddColumn<TqvDBGridCalcColumn>("AMOUNT")->SetWidth(60);
        AddColumn<TqvDBGridBlobColumn>("BLOB")->SetWidth(40);
        grid->ShowRows(4);
        grid->resize(1040, grid->height());
        form.resize(grid->width() + 10, grid->height() + 10);
        Open();
    }
    AnsiString field(const char* name) { return query.FieldByName(name)->AsString(); }

    TqvDBGridCheckColumn* check = nullptr;
    TqvDBGridPickColumn* pick = nullptr;
    TqvDBGridImageColumn* image = nullptr;
    TqvDBGridButtonColumn* button = nullptr;
    TqvDBGridMRUColumn* mru = nullptr;
};

TEST_F(KindColumns, EachKindOpensItsEditorLoadedFromTheField)
{
    struct Case {
        int column;
        const char* editorClass;
        Variant value;
    } cases[] = {
        {1, "TqvInplaceDBTreeListCheckEdit", Variant(AnsiString("Y"))},
        {2, "TqvInplaceDBTreeListPickEdit", Variant(AnsiString("apple"))},
        {3, "TqvInplaceDBTreeListTimeEdit", Variant(AnsiString("10:30:00"))},
        {4, "TqvInplaceDBTreeListMemoEdit", Variant(AnsiString("first line\nsecond line"))},
        {5, "TqvInplaceDBTreeListImageEdit", Variant(AnsiString("B"))},
        {6, "TqvInplaceDBTreeListHyperLinkEdit", Variant(AnsiString("https://example.org"))},
        {7, "TqvInplaceDBTreeListButtonEdit", Variant(AnsiString("press me"))},
        {8, "TqvInplaceDBTreeListMRUEdit", Variant(AnsiString("north"))},
        {9, "TqvInplaceDBTreeListCalcEdit", Variant(AnsiString("12.5"))},
        {10, "TqvInplaceDBTreeListBlobEdit", Variant(AnsiString("remark\nmore"))},
    };
    for (const Case& c : cases) {
        focusCell(0, c.column);
        press(Qt::Key_F2);
        ASSERT_NE(editor(), nullptr) << c.editorClass;
        EXPECT_STREQ(editor()->ClassName(), c.editorClass);
        EXPECT_EQ(editor()->EditingValue(), c.value) << c.editorClass;
        press(Qt::Key_Escape);
    }
    // Settings reach the editors: the pick list and its border.
    focusCell(0, 2);
    press(Qt::Key_F2);
    auto* pickEditor = dynamic_cast<TqvInplacePickEdit*>(editor());
    ASSERT_NE(pickEditor, nullptr);
    EXPECT_EQ(pickEditor->Items().size(), 4u);
    pickEditor->DropDown();
    EXPECT_EQ(pickEditor->Popup()->PopupBorder(), pbFlat);
    pickEditor->CloseUp(false);
    EXPECT_TRUE(errors.empty());
}

TEST_F(KindColumns, EditorsWriteTheirValuesBack)
{
    // Space on a check cell toggles it; Enter writes.
    focusCell(1, 1);
    press(Qt::Key_Space, Qt::NoModifier, " ");
    ASSERT_NE(editor(), nullptr);
    press(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(field("FLAG"), "Y");
    // A null box stays null until toggled: opening and leaving writes nothing.
    focusCell(2, 1);
    press(Qt::Key_F2);
    press(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_TRUE(query.FieldByName("FLAG")->IsNull());

    // The pick list completes typing.
    focusCell(1, 2);
    press(Qt::Key_C, Qt::NoModifier, "c");
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->Text(), "cherry");
    press(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(field("FRUIT"), "cherry");

    // A time stepped up, and an MRU value remembered by its column.
    focusCell(1, 3);
    press(Qt::Key_F2);
    dynamic_cast<TqvInplaceTimeEdit*>(editor())->SetSelection(0, 0);
    press(Qt::Key_Up);
    press(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(field("T"), "01:00:00");
    focusCell(1, 8);
    press(Qt::Key_S, Qt::NoModifier, "s");
    press(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(field("RECENT"), "s");
    EXPECT_THAT(mru->Items(), ::testing::ElementsAre("s"));

    // The button column's event hears its button's index.
    std::vector<int> clicks;
    button->OnButtonClick = [&](TComponent*, int index) { clicks.push_back(index); };
    focusCell(0, 7);
    press(Qt::Key_F2);
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_THAT(clicks, ::testing::ElementsAre(0));
    press(Qt::Key_Escape);
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(KindColumns, CellsArePaintedLikeTheirEditors)
{
    QImage picture = grid->grab().toImage();
    if (const char* file = std::getenv("GRID_KINDS_GRAB")) picture.save(QString::fromLocal8Bit(file));
    // The check cells: a box for Y and N, an inactive box for null, all in
    // the middle of the cell; the image cells show their value's picture.
    auto cellImage = [&](int row, int column) {
        QPoint c = grid->CellPoint(row, column);
        return picture.copy(QRect(c - QPoint(6, 6), QSize(13, 13)));
    };
    EXPECT_NE(cellImage(0, 1), cellImage(1, 1)) << "checked and unchecked differ";
    EXPECT_NE(cellImage(1, 1), cellImage(2, 1)) << "null looks inactive";
    QPoint img = grid->CellPoint(0, 5);
    int left = img.x() - image->Width() / 2 + 2;
    bool blue = false;
    for (int x = left; x < left + 20 && !blue; ++x) blue = picture.pixelColor(x, img.y()) == QColor(Qt::blue);
    EXPECT_TRUE(blue) << "value B shows the second picture";
    // The link is drawn in the link colour.
    QPoint link = grid->CellPoint(0, 6);
    bool linkColoured = false;
    for (int x = link.x() - 60; x < link.x() + 60 && !linkColoured; ++x)
        for (int y = link.y() - 6; y < link.y() + 6 && !linkColoured; ++y)
            linkColoured = picture.pixelColor(x, y).blue() > 150 && picture.pixelColor(x, y).red() < 100;
    EXPECT_TRUE(linkColoured);

    // A second look: the pick list dropped down over the grid.
    focusCell(0, 2);
    press(Qt::Key_F2);
    press(Qt::Key_F4);
    auto* pickEditor = dynamic_cast<TqvInplacePickEdit*>(editor());
    ASSERT_NE(pickEditor, nullptr);
    ASSERT_TRUE(pickEditor->DroppedDown());
    if (const char* file = std::getenv("GRID_KINDS_DROPPED_GRAB")) {
        QImage shot(form.size() + QSize(0, 120), QImage::Format_RGB32);
        shot.fill(Qt::white);
        QPainter p(&shot);
        form.render(&p);
        p.drawImage(pickEditor->Popup()->mapToGlobal(QPoint(0, 0)) - form.mapToGlobal(QPoint(0, 0)),
                    pickEditor->Popup()->grab().toImage());
        p.end();
        shot.save(QString::fromLocal8Bit(file));
    }
    press(Qt::Key_Escape);

    // And the calculator.
    focusCell(0, 9);
    press(Qt::Key_F2);
    press(Qt::Key_F4);
    auto* calc = dynamic_cast<TqvInplaceCalcEdit*>(editor());
    ASSERT_NE(calc, nullptr);
    ASSERT_TRUE(calc->DroppedDown());
    if (const char* file = std::getenv("GRID_KINDS_CALC_GRAB")) {
        QImage shot(form.size() + QSize(0, 200), QImage::Format_RGB32);
        shot.fill(Qt::white);
        QPainter p(&shot);
        form.render(&p);
        p.drawImage(calc->Popup()->mapToGlobal(QPoint(0, 0)) - form.mapToGlobal(QPoint(0, 0)),
                    calc->Popup()->grab().toImage());
        p.end();
        shot.save(QString::fromLocal8Bit(file));
    }
    press(Qt::Key_Escape);
}

}  // namespace

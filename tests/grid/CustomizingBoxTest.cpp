// The customizing box: opening and closing it, hiding columns and bands by
// dragging their headers onto it, and showing them again by dragging its
// entries onto the header panel, where they are dropped.
#include "DBGridFixture.h"
#include "GridEvents.h"

#include "grid/treelist/CustomizingBox.h"

#include <QImage>
#include <QMouseEvent>

#include <gmock/gmock.h>

#include <cstdlib>

namespace {

void mouse(QWidget& w, QEvent::Type type, QPoint at)
{
    Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, w.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

// Press at `from` on `source`, move in two steps to `to` (coordinates of
// `source`), release there.
void drag(QWidget& source, QPoint from, QPoint to)
{
    mouse(source, QEvent::MouseButtonPress, from);
    mouse(source, QEvent::MouseMove, (from + to) / 2);
    mouse(source, QEvent::MouseMove, to);
    mouse(source, QEvent::MouseButtonRelease, to);
}

class Customizing : public DBGridFixture {
public:
    Customizing()
    {
        db.Exec("CREATE TABLE C (ID INTEGER, NAME VARCHAR(20), QTY FLOAT)");
        db.Exec("INSERT INTO C VALUES (1, 'a', 2)");
        query.SQL().SetText("SELECT ID, NAME, QTY FROM C");
        MakeGrid();
        grid->SetKeyField("ID");
        for (const char* field : {"ID", "NAME", "QTY"}) AddColumn(field);
        grid->ShowRows(8);
        query.Open();
    }
    TqvCustomizingBox& open()
    {
        grid->ColumnsCustomizing();
        return *grid->CustomizingBox();
    }
    QPoint header(int position) const
    {
        for (const auto& p : grid->PlaceColumns())
            if (p.position == position) return {p.left + p.width / 2, grid->DataTop() / 2};
        return {};
    }
    // The middle of the box, in the grid's coordinates.
    QPoint overBox() const
    {
        TqvCustomizingBox* box = grid->CustomizingBox();
        return grid->mapFromGlobal(box->mapToGlobal(box->rect().center()));
    }
    // A point of the grid in the box's coordinates.
    QPoint inBox(QPoint gridPoint) const { return grid->CustomizingBox()->mapFromGlobal(grid->mapToGlobal(gridPoint)); }
    std::vector<TqvTreeListColumn*> shown() const { return grid->NavigationOrder(); }
    std::vector<TqvTreeListColumn*> listed() const
    {
        std::vector<TqvTreeListColumn*> columns;
        for (const auto& e : grid->CustomizingBox()->Entries())
            if (e.column) columns.push_back(e.column);
        return columns;
    }
};

TEST_F(Customizing, OpensInTheCustomizingStateAndClosesEitherWay)
{
    TqvCustomizingBox& box = open();
    EXPECT_TRUE(box.isVisible());
    EXPECT_TRUE(box.isWindow());
    EXPECT_EQ(grid->State(), tsCustomizing);
    EXPECT_TRUE(box.Entries().empty());
    grid->EndColumnsCustomizing();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(grid->State(), tsNormal);
    // Closing the window ends customizing as well.
    open();
    box.close();
    EXPECT_EQ(grid->State(), tsNormal);
    EXPECT_EQ(grid->CustomizingBox(), &box) << "the grid keeps its box";
}

TEST_F(Customizing, AHeaderDroppedOnTheBoxHidesItsColumnUnlessRefused)
{
    struct Case {
        const char* why;
        bool disableCustomizing, notHideColumn, hidden;
    } cases[] = {
        {"a column may be hidden", false, false, true},
        {"DisableCustomizing keeps it", true, false, false},
        {"NotHideColumn keeps every column", false, true, false},
    };
    for (const Case& c : cases) {
        TqvTreeListColumn* name = grid->Columns(1);
        name->SetVisible(true);
        name->SetColIndex(1);
        name->SetDisableCustomizing(c.disableCustomizing);
        grid->SetOptionsCustomize(grid->OptionsCustomize().Set(edgoNotHideColumn, c.notHideColumn));
        open();
        mouse(*grid, QEvent::MouseButtonPress, header(1));
        mouse(*grid, QEvent::MouseMove, overBox());
        EXPECT_EQ(grid->State(), tsColumnDragging) << c.why;
        mouse(*grid, QEvent::MouseButtonRelease, overBox());
        EXPECT_EQ(!name->Visible(), c.hidden) << c.why;
        EXPECT_EQ(listed().size(), c.hidden ? 1u : 0u) << c.why;
        EXPECT_EQ(grid->State(), tsCustomizing) << c.why << ": back to customizing after the drag";
    }
}

TEST_F(Customizing, AnEntryDroppedOnTheHeadersShowsWhereItIsDropped)
{
    TqvTreeListColumn* id = grid->Columns(0);
    TqvTreeListColumn* name = grid->Columns(1);
    TqvTreeListColumn* qty = grid->Columns(2);
    TqvCustomizingBox& box = open();
    drag(*grid, header(0), overBox());
    ASSERT_FALSE(id->Visible());
    ASSERT_THAT(shown(), ::testing::ElementsAre(name, qty));

    // Dropped beside the right edge of the last header: shown last.
    auto places = grid->PlaceColumns();
    QPoint end(places.back().left + places.back().width - 3, grid->DataTop() / 2);
    QPoint entry = box.EntryRect(0).center();
    drag(box, entry, inBox(end));
    EXPECT_TRUE(id->Visible());
    EXPECT_THAT(shown(), ::testing::ElementsAre(name, qty, id));
    EXPECT_TRUE(listed().empty());

    // Dropped anywhere but the header panel: nothing happens.
    drag(*grid, header(2), overBox());
    ASSERT_FALSE(id->Visible());
    drag(box, box.EntryRect(0).center(), inBox(QPoint(20, grid->DataTop() + 40)));
    EXPECT_FALSE(id->Visible());
    // Dropped on the left edge of the first header: shown first.
    drag(box, box.EntryRect(0).center(), inBox(QPoint(grid->PlaceColumns().front().left + 2, grid->DataTop() / 2)));
    EXPECT_THAT(shown(), ::testing::ElementsAre(id, name, qty));
    EXPECT_EQ(grid->State(), tsCustomizing);
}

TEST_F(Customizing, BandsComeAndGoTheSameWay)
{
    grid->SetShowBands(true);
    grid->Bands().Add()->SetCaption("Second");
    TqvTreeListBand* second = grid->Bands().Items(1);
    TqvCustomizingBox& box = open();
    auto bandAt = [&](int i) {
        const auto bands = grid->Bands().VisibleBands();
        int left = 0;
        for (int k = 0; k < i; ++k) left += bands[static_cast<size_t>(k)]->Width();
        return QPoint(left + 20, grid->BandRowHeight() / 2);
    };
    second->SetDisableCustomizing(true);
    drag(*grid, bandAt(1), overBox());
    EXPECT_TRUE(second->Visible()) << "DisableCustomizing keeps the band";
    second->SetDisableCustomizing(false);
    drag(*grid, bandAt(1), overBox());
    ASSERT_FALSE(second->Visible());
    ASSERT_EQ(box.Entries().size(), 1u);
    EXPECT_EQ(box.Entries()[0].band, second);
    // Back onto the band panel, before the first band.
    drag(box, box.EntryRect(0).center(), inBox(QPoint(1, grid->BandRowHeight() / 2)));
    EXPECT_TRUE(second->Visible());
    EXPECT_EQ(grid->Bands().VisibleBands().front(), second);
}

TEST_F(Customizing, TheBoxShowsItsEntriesAsHeaders)
{
    grid->Columns(1)->SetCaption("Hidden name");
    TqvCustomizingBox& box = open();
    drag(*grid, header(1), overBox());
    QImage image = box.grab().toImage();
    if (const char* dir = std::getenv("GRID_SHOTS")) image.save(QString::fromLocal8Bit(dir) + "/customizing-box.png");
    // The entry is filled in the header colour and carries its caption.
    QRect entry = box.EntryRect(0);
    QColor face = ToQColor(grid->HeaderColor(), &box.palette());
    EXPECT_EQ(image.pixelColor(entry.left() + 2, entry.top() + 2), face);
    int ink = 0;
    for (int x = entry.left() + 2; x < entry.right() - 2; ++x)
        for (int y = entry.top() + 2; y < entry.bottom() - 1; ++y) ink += image.pixelColor(x, y) != face;
    EXPECT_GT(ink, 20) << "the caption is drawn";
    EXPECT_EQ(image.pixelColor(entry.left() + 2, box.EntryRect(1).center().y()), ToQColor(clBtnFace, &box.palette()))
        << "no second entry";
}

}  // namespace

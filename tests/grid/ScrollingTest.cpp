// Scrolling the dataset-bound grid over a thousand records, ten rows in view:
// the scroll bars (position and share, arrows, pages, the thumb), the wheel,
// the middle-button anchor and drag scrolling, in each load mode. In
// load-all and partial mode a scroll moves the view and the focused record
// stays focused; in window mode the dataset's window moves, and the current
// record is taken along only when it would fall out of it.
#include "DBGridFixture.h"

#include "grid/editors/InplaceEdit.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <gmock/gmock.h>

namespace {

struct ScrollGrid : TestDBGrid {
    using TestDBGrid::MouseScrollStep;
};

void wheel(QWidget& w, int notches)
{
    QPointF at(w.width() / 2.0, w.height() / 2.0);
    QWheelEvent event(at, w.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &event);
}

void mouse(QWidget& w, QEvent::Type type, Qt::MouseButton button, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, w.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

// The thumb dragged to a value, as the mouse does it.
void dragThumb(QScrollBar& bar, int value)
{
    bar.setSliderDown(true);
    bar.setSliderPosition(value);
    bar.setSliderDown(false);
}

class Scrolling : public DBGridFixture {
public:
    explicit Scrolling(int records = 1000)
    {
        db.Db().ExecScript("CREATE TABLE NUMBERS (ID INTEGER PRIMARY KEY, NAME VARCHAR(20));\n"
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                           std::to_string(records) +
                           ")\nINSERT INTO NUMBERS SELECT i, 'row ' || i FROM n;");
        query.SQL().SetText("SELECT ID, NAME FROM NUMBERS ORDER BY ID");
        grid = std::make_unique<ScrollGrid>();
        grid->SetDataSource(&source);
        grid->SetKeyField("ID");
        AddColumn("ID");
        AddColumn("NAME");
    }
    ScrollGrid& g() const { return static_cast<ScrollGrid&>(*grid); }
    void open(TqvDBLoadMode mode)
    {
        if (mode == TqvDBLoadMode::LoadAll) grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
        if (mode == TqvDBLoadMode::Partial) {
            grid->SetPartialLoadBufferCount(100);
            grid->SetOptionsDB(grid->OptionsDB().With(edgoPartialLoad));
        }
        grid->ShowRows(10);
        query.Open();
        ASSERT_EQ(grid->LoadMode(), mode);
    }
    QScrollBar& bar() const { return *grid->VerticalScrollBar(); }
    // The first record in view.
    std::string top() const
    {
        return AnsiToUtf8(grid->GetCellText(grid->TopVisibleNode(), grid->Columns(0)));
    }
    std::string focusedId() const { return AnsiToUtf8(grid->GetCellText(grid->FocusedNode(), grid->Columns(0))); }
};

const char* modeName(TqvDBLoadMode mode)
{
    switch (mode) {
    case TqvDBLoadMode::LoadAll: return "load-all";
    case TqvDBLoadMode::Partial: return "partial";
    case TqvDBLoadMode::Window: return "window";
    }
    return "?";
}

TEST_F(Scrolling, WheelArrowsPagesAndTheThumbInEveryMode)
{
    struct Case {
        const char* what;
        std::function<void(Scrolling&)> act;
        const char* top;
        // The current record afterwards, per mode (load-all, partial, window).
        int recNo[3];
    };
    const Case cases[] = {
        // Load-all and partial keep the focus on record 1 out of view; window
        // mode takes it along to the window's top edge.
        {"wheel down one notch (3 lines)", [](Scrolling& s) { wheel(*s.grid, -1); }, "4", {1, 1, 4}},
        {"wheel up at the top", [](Scrolling& s) { wheel(*s.grid, 1); }, "1", {1, 1, 1}},
        {"arrow down", [](Scrolling& s) { s.bar().triggerAction(QAbstractSlider::SliderSingleStepAdd); }, "2", {1, 1, 2}},
        {"page down", [](Scrolling& s) { s.bar().triggerAction(QAbstractSlider::SliderPageStepAdd); }, "11", {1, 1, 11}},
        // Past the partial block the dataset moves on and the block is loaded
        // again around the row that ends the view.
        {"thumb to the middle", [](Scrolling& s) { dragThumb(s.bar(), 495); }, "496", {1, 505, 496}},
        {"thumb to the bottom", [](Scrolling& s) { dragThumb(s.bar(), s.bar().maximum()); }, "991", {1, 1000, 991}},
    };
    int m = 0;
    for (TqvDBLoadMode mode : {TqvDBLoadMode::LoadAll, TqvDBLoadMode::Partial, TqvDBLoadMode::Window}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(modeName(mode)) + ": " + c.what);
            query.Close();
            MakeGrid();
            AddColumn("ID");
            AddColumn("NAME");
            grid->SetKeyField("ID");
            open(mode);
            ASSERT_FALSE(bar().isHidden());
            EXPECT_EQ(bar().maximum(), 990);
            EXPECT_EQ(bar().pageStep(), 10);
            EXPECT_EQ(bar().value(), 0);
            c.act(*this);
            EXPECT_EQ(top(), c.top);
            EXPECT_EQ(query.RecNo(), c.recNo[m]);
            EXPECT_EQ(focusedId(), std::to_string(c.recNo[m]));
            // The bar follows the view.
            EXPECT_EQ(bar().value(), std::stoi(c.top) - 1);
        }
        ++m;
    }
}

TEST_F(Scrolling, WindowModeSizesTheThumbWithoutFetchingAndKeepsAnInViewRecord)
{
    open(TqvDBLoadMode::Window);
    EXPECT_EQ(bar().maximum(), 990);
    EXPECT_LE(query.RecordsFetched(), 11) << "the count comes from the database, not from fetching";
    query.MoveBy(4);  // record 5, on the fifth row
    wheel(*grid, -1);
    EXPECT_EQ(top(), "4");
    EXPECT_EQ(query.RecNo(), 5) << "a record still in view stays current";
    EXPECT_EQ(grid->FocusedAbsoluteIndex(), 1);
    EXPECT_EQ(focusedId(), "5");
    // The window follows the dataset too, and the bar with it.
    query.Last();
    EXPECT_EQ(bar().value(), 990);
    query.First();
    EXPECT_EQ(bar().value(), 0);
}

TEST_F(Scrolling, AScrollWritesTheOpenEditorForItsOwnRecord)
{
    for (TqvDBLoadMode mode : {TqvDBLoadMode::LoadAll, TqvDBLoadMode::Window}) {
        SCOPED_TRACE(modeName(mode));
        query.Close();
        MakeGrid();
        AddColumn("ID");
        AddColumn("NAME");
        grid->SetKeyField("ID");
        grid->SetOptionsView(grid->OptionsView().Without(edgoRowSelect).With(edgoInvertSelect));
        query.SetCachedUpdates(true);
        open(mode);
        std::vector<int> edited;
        grid->OnEdited = [&](TComponent*, TqvTreeListNode*) { edited.push_back(query.RecNo()); };
        grid->SetFocusedColumn(1);
        grid->ShowEditor();
        ASSERT_NE(grid->InplaceEditor(), nullptr);
        query.Edit();  // as typing into the editor does
        grid->InplaceEditor()->SetText("changed");
        grid->InplaceEditor()->SetModified(true);
        wheel(*grid, -5);
        EXPECT_EQ(grid->InplaceEditor(), nullptr);
        EXPECT_THAT(edited, ::testing::ElementsAre(1));
        query.First();
        EXPECT_EQ(query.FieldByName("NAME")->AsString(), "changed");
        query.Cancel();
        query.SetCachedUpdates(false);
    }
}

TEST_F(Scrolling, TheHorizontalBarComesWhenTheColumnsDoNotFit)
{
    open(TqvDBLoadMode::LoadAll);
    ASSERT_NE(grid->HorizontalScrollBar(), nullptr);
    EXPECT_TRUE(grid->HorizontalScrollBar()->isHidden());
    grid->SetOptionsView(grid->OptionsView().Without(edgoAutoWidth));
    grid->Columns(0)->SetWidth(500);
    grid->Columns(1)->SetWidth(500);
    QScrollBar& h = *grid->HorizontalScrollBar();
    ASSERT_FALSE(h.isHidden());
    EXPECT_GT(h.maximum(), 0);
    h.triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_GT(grid->LeftCoord(), 0);
    EXPECT_EQ(h.value(), grid->LeftCoord());
    // The rows stay above the bar.
    EXPECT_LE(grid->DataBottom(), grid->height() - h.height());
    grid->SetScrollBars(ssNone);
    EXPECT_TRUE(h.isHidden());
    EXPECT_TRUE(bar().isHidden());
}

TEST_F(Scrolling, MiddleButtonAnchorAndDragScrollMoveTheViewOnly)
{
    grid->SetOptionsBehavior(grid->OptionsBehavior().With(edgoMouseScroll).With(edgoDragScroll));
    open(TqvDBLoadMode::LoadAll);
    const QPoint anchor = grid->CellPoint(5, 0);

    // A middle click sets the anchor; the mouse below it scrolls down.
    mouse(*grid, QEvent::MouseButtonPress, Qt::MiddleButton, anchor, Qt::MiddleButton);
    mouse(*grid, QEvent::MouseButtonRelease, Qt::MiddleButton, anchor, Qt::NoButton);
    EXPECT_EQ(grid->State(), tsMouseScrolling);
    g().MouseScrollStep();
    EXPECT_EQ(top(), "1") << "near the anchor nothing moves";
    mouse(*grid, QEvent::MouseMove, Qt::NoButton, anchor + QPoint(0, 3 * grid->RowHeight()), Qt::NoButton);
    g().MouseScrollStep();
    g().MouseScrollStep();
    const int down = std::stoi(top());
    EXPECT_GT(down, 1);
    mouse(*grid, QEvent::MouseMove, Qt::NoButton, anchor - QPoint(0, 3 * grid->RowHeight()), Qt::NoButton);
    g().MouseScrollStep();
    EXPECT_LT(std::stoi(top()), down);
    // Any press ends it and does nothing else.
    mouse(*grid, QEvent::MouseButtonPress, Qt::LeftButton, grid->CellPoint(2, 0), Qt::LeftButton);
    mouse(*grid, QEvent::MouseButtonRelease, Qt::LeftButton, grid->CellPoint(2, 0), Qt::NoButton);
    EXPECT_EQ(grid->State(), tsNormal);
    EXPECT_EQ(query.RecNo(), 1);

    // Pressed, dragged away and released: it ends at the release.
    mouse(*grid, QEvent::MouseButtonPress, Qt::MiddleButton, anchor, Qt::MiddleButton);
    mouse(*grid, QEvent::MouseMove, Qt::NoButton, anchor + QPoint(0, 40), Qt::MiddleButton);
    mouse(*grid, QEvent::MouseButtonRelease, Qt::MiddleButton, anchor + QPoint(0, 40), Qt::NoButton);
    EXPECT_EQ(grid->State(), tsNormal);

    // A left drag below the last row scrolls down until the button comes up.
    grid->SetTopVisibleNode(grid->Items(0));
    mouse(*grid, QEvent::MouseButtonPress, Qt::LeftButton, grid->CellPoint(0, 0), Qt::LeftButton);
    ASSERT_EQ(query.RecNo(), 1);
    mouse(*grid, QEvent::MouseMove, Qt::NoButton, QPoint(10, grid->DataBottom() + 2), Qt::LeftButton);
    g().MouseScrollStep();
    EXPECT_GT(std::stoi(top()), 1);
    const std::string stopped = top();
    mouse(*grid, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(10, grid->DataBottom() + 2), Qt::NoButton);
    g().MouseScrollStep();
    EXPECT_EQ(top(), stopped);
    EXPECT_EQ(query.RecNo(), 1);
    EXPECT_EQ(focusedId(), "1");
}

class MillionRecords : public Scrolling {
public:
    MillionRecords() : Scrolling(1000000) {}
};

TEST_F(MillionRecords, WindowModeThumbToTheMiddleShowsTheMiddleRecords)
{
    open(TqvDBLoadMode::Window);
    EXPECT_EQ(bar().maximum(), 1000000 - 10);
    dragThumb(bar(), bar().maximum() / 2);
    EXPECT_EQ(top(), "499996");
    EXPECT_EQ(query.RecNo(), 499996);
    EXPECT_LE(query.RecordsFetched(), 500006) << "no more than the rows up to the view";
}

}  // namespace

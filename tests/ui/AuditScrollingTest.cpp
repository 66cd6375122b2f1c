// The audit window as a user meets it: the scroll bars of both grids over the
// demo documents, the wheel and the thumb on the document list, Tab in the
// line grid while its lines are edited, and Insert there.
#include "AuditWindowFixture.h"

#include "db/DemoData.h"
#include "ui/AuditGrids.h"

#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <gmock/gmock.h>

#include <cstdlib>

namespace {

using ::testing::ElementsAre;

// The window over the demo data (80 documents of the demo company).
class AuditScrolling : public AuditWindowFixture {
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDatabase>(GetParam());
        GenerateDemoData(db->Db());
        Params = {kDemoCompany, "", "A01", Ansi(u8"审核员"), "2024-3-11 9:00:00", "W", "", "", "600", "1000", "0", "0"};
    }
    TqvDBGrid& documents() const { return *window->dbg_xstykfp1; }
    // The document number shown in a row of the document list.
    std::string documentInRow(int row) const
    {
        for (int i = 0; i < documents().ColumnCount(); ++i) {
            auto* column = static_cast<TqvDBTreeListColumn*>(documents().Columns(i));
            if (column->FieldName() == "DHAO00")
                return AnsiToUtf8(documents().GetCellText(documents().Items(row), column));
        }
        return {};
    }
};

TEST_P(AuditScrolling, BothGridsScrollWithTheBarsAndTheWheel)
{
    Open();
    TQuery& headers = *dm->qry_xstgjfp1;
    QScrollBar& bar = *documents().VerticalScrollBar();
    ASSERT_TRUE(bar.isVisible());
    EXPECT_TRUE(window->dbg_xstgjfp2->VerticalScrollBar()->isVisible());
    const int rows = documents().VisibleRowCount();
    ASSERT_LT(rows, 80);
    EXPECT_EQ(bar.maximum(), 80 - rows);
    EXPECT_EQ(bar.pageStep(), rows);

    if (const char* file = std::getenv("AUDIT_SCROLL_GRAB")) window->grab().save(QString::fromLocal8Bit(file));

    // The wheel over the document list moves the list and the current document.
    QPointF at(documents().width() / 2.0, documents().height() / 2.0);
    QWheelEvent down(at, documents().mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(&documents(), &down);
    EXPECT_EQ(bar.value(), 3);
    EXPECT_EQ(headers.RecNo(), 4);
    EXPECT_EQ(documentInRow(0), AnsiToUtf8(dm->qry_xstgjfp1DHAO00->AsString()));

    // The thumb dragged to the bottom shows the last document in the last row.
    bar.setSliderDown(true);
    bar.setSliderPosition(bar.maximum());
    bar.setSliderDown(false);
    const std::string lastShown = documentInRow(documents().Count() - 1);
    headers.Last();
    EXPECT_EQ(lastShown, AnsiToUtf8(dm->qry_xstgjfp1DHAO00->AsString()));
    EXPECT_EQ(bar.value(), bar.maximum());
    EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, AuditScrolling, ::testing::Values(TestEngine::SQLite),
                         [](const auto& info) { return std::string(EngineName(info.param)); });

class AuditLineKeys : public AuditWindowFixture {
protected:
    void typeKey(int qtKey, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
        QApplication::sendEvent(target, &press);
    }
    void typeText(const QString& text)
    {
        for (QChar c : text) typeKey(c == '.' ? int(Qt::Key_Period) : int(c.unicode()), QString(c));
    }
    double price(const char* line)
    {
        return std::stod(db->Scalar(std::string("SELECT DJIA00 FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND "
                                                "SPDM00='") + line + "'"));
    }
};

TEST_P(AuditLineKeys, TabAfterEditStaysOnThePrice)
{
    Open();
    GoToDocument(101);
    Press(window->sb_edit);
    TqvDBGrid* grid = window->dbg_xstgjfp2;
    ASSERT_EQ(QApplication::focusWidget(), grid) << "after edit the line grid has the keyboard";
    typeKey(Qt::Key_Tab, "\t");
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(grid->FocusedColumn(), lcPrice);
    typeText("12.5");
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    // Tab inside the open editor writes it and stays too.
    typeKey(Qt::Key_Tab, "\t");
    EXPECT_EQ(grid->InplaceEditor(), nullptr);
    EXPECT_EQ(grid->FocusedColumn(), lcPrice);
    EXPECT_EQ(dm->qry_xstgjfp2DJIA00->AsFloat(), 12.5);
    typeText("12.5");
    typeKey(Qt::Key_Return, "\r");
    Press(window->sb_save);
    EXPECT_EQ(price("P1"), 12.5);
    EXPECT_THAT(Messages(), ElementsAre("保存成功！"));
}

TEST_P(AuditLineKeys, InsertWhileEditingIsRefusedBeforeAnythingIsTyped)
{
    Open();
    GoToDocument(101);
    Press(window->sb_edit);
    TqvDBGrid* grid = window->dbg_xstgjfp2;
    const int lines = grid->Count();
    typeKey(Qt::Key_Insert);
    EXPECT_THAT(Messages(), ElementsAre("不能在此增加商品明细！"));
    EXPECT_EQ(grid->Count(), lines);
    EXPECT_NE(dm->qry_xstgjfp2->State(), dsInsert);
    // Also from an open editor.
    typeText("7");
    ASSERT_NE(grid->InplaceEditor(), nullptr);
    typeKey(Qt::Key_Insert);
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_EQ(grid->Count(), lines);
    EXPECT_NE(dm->qry_xstgjfp2->State(), dsInsert);
    // The edit goes on and saves.
    Press(window->sb_save);
    EXPECT_EQ(Messages().size(), 3u);
    EXPECT_EQ(Messages().back(), "保存成功！");
    EXPECT_EQ(price("P1"), 7);
}

INSTANTIATE_ON_BOTH_ENGINES(AuditLineKeys);

}  // namespace

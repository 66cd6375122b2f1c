// The audit window as a user meets it: the scroll bars of both grids over the
// demo documents, the wheel and the thumb on the document list.
#include "AuditWindowFixture.h"

#include "db/DemoData.h"
#include "ui/AuditGrids.h"

#include <QImage>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdlib>

namespace {

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

}  // namespace

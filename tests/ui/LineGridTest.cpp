// The audit window's two grids over the sample documents: how they are set
// up, the lines following the current document with their footer, the Enter
// walk through the editable cells and the recalculation of a changed price.
#include "AuditWindowFixture.h"

#include "ui/AuditGrids.h"

#include <QKeyEvent>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

class LineGridTest : public AuditWindowFixture {
protected:
    TqvDBTreeListColumn* lineColumn(int index) const
    {
        return static_cast<TqvDBTreeListColumn*>(window->dbg_xstgjfp2->Columns(index));
    }
    std::vector<std::string> footerTexts() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < window->dbg_xstgjfp2->ColumnCount(); ++i)
            texts.push_back(AnsiToUtf8(lineColumn(i)->SummaryFooterText()));
        return texts;
    }
    std::string currentLine() const { return dm->qry_xstgjfp2SPDM00->AsString(); }
    void pressEnter()
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(window->dbg_xstgjfp2, &press);
    }
};

TEST_P(LineGridTest, GridsAreSetUpAsTheWindowShowsThem)
{
    Open();
    struct Column {
        const char* name;
        const char* kind;
        const char* field;
        const char* caption;
        int width;
        TqvSummaryType footer;
    };
    auto check = [](TqvDBGrid* grid, std::initializer_list<Column> columns) {
        ASSERT_EQ(grid->ColumnCount(), static_cast<int>(columns.size()));
        int i = 0;
        for (const Column& c : columns) {
            SCOPED_TRACE(c.name);
            auto* column = static_cast<TqvDBTreeListColumn*>(grid->Columns(i++));
            EXPECT_EQ(column->Name(), c.name);
            EXPECT_STREQ(column->ClassName(), c.kind);
            EXPECT_EQ(column->FieldName(), c.field);
            EXPECT_EQ(AnsiToUtf8(column->Caption()), c.caption);
            EXPECT_EQ(column->Width(), c.width);
            EXPECT_EQ(column->HeaderAlignment(), taCenter);
            EXPECT_EQ(column->SummaryFooterType(), c.footer);
        }
    };
    check(window->dbg_xstykfp1, {
        {"dbg_xstykfp1DHAO00", "TqvDBGridLookupColumn", "DHAO00", "购进单号", 82, cstNone},
        {"dbg_xstykfp1DWDM00", "TqvDBGridDateColumn", "DWDM00", "供货单位代码", 114, cstNone},
        {"dbg_xstykfp1DWMC00", "TqvDBGridDateColumn", "DWMC00", "供货单位名称", 128, cstNone},
        {"dbg_xstykfp1CKRQ00", "TqvDBGridColumn", "CKRQ00", "制单日期", 76, cstNone},
        {"dbg_xstykfp1CKRYMC", "TqvDBGridColumn", "CKRYMC", "制单人员", 76, cstNone},
        {"dbg_xstykfp1YWRQ00", "TqvDBGridDateColumn", "YWRQ00", "审核日期", 85, cstNone},
        {"dbg_xstykfp1YWRYMC", "TqvDBGridMaskColumn", "YWRYMC", "审核人员", 92, cstNone},
        {"dbg_xstykfp1GJBJ00", "TqvDBGridColumn", "GJBJ00", "购进标记", 66, cstNone},
        {"dbg_xstykfp1FPHAO0", "TqvDBGridColumn", "FPHAO0", "发票号", 63, cstNone},
    });
    check(window->dbg_xstgjfp2, {
        {"dbg_xstgjfp2SPDM00", "TqvDBGridMaskColumn", "SPDM00", "商品代码", 108, cstNone},
        {"dbg_xstgjfp2SPMC00", "TqvDBGridMaskColumn", "SPMC00", "商品名称", 114, cstNone},
        {"dbg_xstgjfp2DJIA00", "TqvDBGridCurrencyColumn", "DJIA00", "单价（条）", 93, cstCount},
        {"dbg_xstgjfp2SL0000", "TqvDBGridColumn", "SL0000", "数量（条）", 178, cstSum},
        {"dbg_xstgjfp2JE0000", "TqvDBGridCurrencyColumn", "JE0000", "金额", 153, cstSum},
        {"dbg_xstgjfp2SE0000", "TqvDBGridCurrencyColumn", "SE0000", "税额", 152, cstSum},
    });

    TqvDBGrid* header = window->dbg_xstykfp1;
    EXPECT_EQ(header->DataSource(), dm->ds_xstgjfp1);
    EXPECT_EQ(header->KeyField(), "DHAO00");
    EXPECT_EQ(header->LoadMode(), TqvDBLoadMode::Window);
    EXPECT_EQ(header->Bands().Items(0)->Fixed(), bfLeft);
    EXPECT_FALSE(header->ShowSummaryFooter());
    EXPECT_EQ(header->OptionsDB(), TqvDBGridOptionsDB({edgoCancelOnExit, edgoUseBookmarks}));
    EXPECT_EQ(header->OptionsBehavior(),
              TqvDBGridOptionsBehavior({edgoAutoSort, edgoDragScroll, edgoEditing, edgoEnterShowEditor,
                                        edgoImmediateEditor, edgoTabThrough, edgoVertThrough}));

    TqvDBGrid* lines = window->dbg_xstgjfp2;
    EXPECT_EQ(lines->DataSource(), dm->ds_xstgjfp2);
    EXPECT_EQ(lines->KeyField(), "SPDM00");
    EXPECT_EQ(lines->LoadMode(), TqvDBLoadMode::LoadAll);
    EXPECT_EQ(lines->OptionsDB(),
              TqvDBGridOptionsDB({edgoCancelOnExit, edgoCanDelete, edgoCanInsert, edgoCanNavigation,
                                  edgoConfirmDelete, edgoLoadAllRecords, edgoUseBookmarks}));
    EXPECT_EQ(lines->Bands().Items(0)->Fixed(), bfNone);
    EXPECT_TRUE(lines->ShowSummaryFooter());
    EXPECT_EQ(lines->OptionsBehavior(),
              TqvDBGridOptionsBehavior({edgoDragScroll, edgoEditing, edgoEnterShowEditor, edgoImmediateEditor,
                                        edgoMouseScroll, edgoTabThrough, edgoVertThrough}));
    auto price = static_cast<TqvDBGridCurrencyColumn*>(lineColumn(lcPrice));
    EXPECT_EQ(price->DisplayFormat(), ",0.000000;-,0.000000");
    EXPECT_EQ(price->DecimalPlaces(), 6u);
    EXPECT_FALSE(price->Nullable());

    for (TqvDBGrid* grid : {header, lines}) {
        SCOPED_TRACE(grid->Name());
        EXPECT_EQ(grid->LookAndFeel(), lfFlat);
        EXPECT_EQ(grid->HeaderColor(), clWindow);
        EXPECT_EQ(grid->HeaderPanelRowCount(), 1);
        EXPECT_EQ(grid->HeaderFont().Height(), -12);
        EXPECT_EQ(grid->HeaderFont().Color(), clBlack);
        EXPECT_EQ(grid->OptionsCustomize(), TqvDBGridOptionsCustomize({edgoBandMoving, edgoBandSizing,
                                                                        edgoColumnMoving, edgoColumnSizing}));
        EXPECT_EQ(grid->OptionsView(),
                  TqvDBGridOptionsView({edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap}));
    }
}

TEST_P(LineGridTest, LinesFollowTheCurrentDocumentWithTheirFooter)
{
    Open();
    // The list starts on 103, which has no lines.
    EXPECT_EQ(window->dbg_xstgjfp2->Count(), 0);
    EXPECT_THAT(footerTexts(), ElementsAre("", "", "合计：", " 0.00", "0.00", "0.00"));

    GoToDocument(101);
    EXPECT_EQ(window->dbg_xstgjfp2->Count(), 3);
    // The count shows no digit; the quantity keeps its leading blank; amount
    // and tax have no thousands separators.
    EXPECT_THAT(footerTexts(), ElementsAre("", "", "合计：", " 160.00", "4125.00", "701.25"));
    EXPECT_EQ(lineColumn(lcAmount)->SummaryFooterValue(), 4125);

    GoToDocument(102);
    EXPECT_EQ(window->dbg_xstgjfp2->Count(), 1);
    EXPECT_THAT(footerTexts(), ElementsAre("", "", "合计：", " 20.00", "220.00", "37.40"));
}

TEST_P(LineGridTest, EnterWalksTheEditableCells)
{
    Open();
    GoToDocument(101);
    Press(window->sb_edit);
    ASSERT_EQ(window->CommandState(), TCommandState::Editing);
    EXPECT_EQ(window->dbg_xstgjfp2->FocusedColumn(), lcPrice) << "edit starts on the price";

    struct Step {
        const char* line;
        int column;
        const char* nextLine;
        int nextColumn;
    };
    const Step steps[] = {
        {"P1", lcPrice, "P1", lcAmount},  // the quantity is stepped over
        {"P1", lcAmount, "P1", lcTax},
        {"P1", lcTax, "P2", lcPrice},     // on to the next line's price
        {"P3", lcTax, "P1", lcPrice},     // from the last line back to the first
        {"P2", lcCode, "P2", lcName},     // the read-only columns step right
        {"P2", lcName, "P2", lcPrice},
        {"P2", lcQuantity, "P2", lcAmount},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.line) + " column " + std::to_string(s.column));
        ASSERT_TRUE(dm->qry_xstgjfp2->Locate("SPDM00", Variant(s.line)));
        window->dbg_xstgjfp2->SetFocusedColumn(s.column);
        pressEnter();
        EXPECT_EQ(currentLine(), s.nextLine);
        EXPECT_EQ(window->dbg_xstgjfp2->FocusedColumn(), s.nextColumn);
    }
    EXPECT_TRUE(window->isVisible());

    // In browse state the rows are selected whole: Enter changes nothing.
    Press(window->sb_cancel);
    ASSERT_TRUE(dm->qry_xstgjfp2->Locate("SPDM00", Variant("P2")));
    pressEnter();
    EXPECT_EQ(currentLine(), "P2");
    EXPECT_EQ(window->dbg_xstgjfp2->FocusedColumn(), 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_P(LineGridTest, AChangedPriceRecomputesAmountAndTax)
{
    Open();
    GoToDocument(101);
    Press(window->sb_edit);
    TqvDBGrid* grid = window->dbg_xstgjfp2;
    struct Case {
        const char* line;
        int column;  // the cell whose editor closes
        double value;
        double amount, tax;
    };
    const Case cases[] = {
        {"P1", lcPrice, 12.5, 125, 21.25},  // an unchanged price still recomputes (from 0 and 0 here)
        {"P2", lcPrice, 0.1, 5, 0.85},
        {"P3", lcAmount, 999, 999, 510},    // a hand-typed amount stays
        {"P3", lcTax, 77, 999, 77},         // and so does a hand-typed tax
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line) + " column " + std::to_string(c.column));
        ASSERT_TRUE(dm->qry_xstgjfp2->Locate("SPDM00", Variant(c.line)));
        dm->qry_xstgjfp2->Edit();
        if (c.line == std::string("P1")) {
            dm->qry_xstgjfp2JE0000->SetAsFloat(0);
            dm->qry_xstgjfp2SE0000->SetAsFloat(0);
        }
        grid->SetFocusedColumn(c.column);
        // What the cell editor writes when it closes, then the grid's event.
        static_cast<TqvDBTreeListColumn*>(grid->Columns(c.column))->Field()->SetAsFloat(c.value);
        grid->OnEdited(grid, grid->FocusedNode());
        EXPECT_DOUBLE_EQ(dm->qry_xstgjfp2JE0000->AsFloat(), c.amount);
        EXPECT_DOUBLE_EQ(dm->qry_xstgjfp2SE0000->AsFloat(), c.tax);
        dm->qry_xstgjfp2->Post();
    }
    // Saved, the line grid's footer and the database agree with the new values.
    Press(window->sb_save);
    EXPECT_THAT(footerTexts(), ElementsAre("", "", "合计：", " 160.00", "1129.00", "99.10"));
    EXPECT_EQ(db->Scalar("SELECT JE0000 FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00='P2'"), "5");
}

INSTANTIATE_ON_BOTH_ENGINES(LineGridTest);

}  // namespace

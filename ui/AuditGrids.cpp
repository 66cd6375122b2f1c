#include "AuditGrids.h"

#include "data/Tdm.h"
#include "grid/db/DBGrid.h"
#include "grid/db/GridContextMenu.h"
#include "runtime/Font.h"

#include <tuple>

namespace {

// Header captions of both grids: "宋体", 12 pixels, black.
TFont headerFont()
{
    TFont font(Ansi(u8"宋体"), 9, 0, clBlack, GB2312_CHARSET);
    font.SetHeight(-12);
    return font;
}

// Bands and columns can be moved and sized by the user.
constexpr TqvDBGridOptionsCustomize kCustomize{edgoBandMoving, edgoBandSizing, edgoColumnMoving, edgoColumnSizing};

void setLook(TqvDBGrid& grid)
{
    grid.SetHeaderPanelRowCount(1);
    grid.SetLookAndFeel(lfFlat);
    grid.SetHeaderColor(clWindow);
    grid.SetHeaderFont(headerFont());
}

template <class C>
C* addColumn(TqvDBGrid& grid, const char* name, const char* field, const char8_t* caption, int width)
{
    C* column = grid.CreateColumnOf<C>();
    column->SetName(name);
    column->SetFieldName(field);
    column->SetCaption(Ansi(caption));
    column->SetWidth(width);
    column->SetHeaderAlignment(taCenter);
    return column;
}

}  // namespace

void ConfigureHeaderGrid(TqvDBGrid& g, Tdm* data)
{
    g.SetName("dbg_xstykfp1");
    g.SetKeyField("DHAO00");
    g.Bands().Items(0)->SetFixed(bfLeft);
    // The fixed band's separator line is one pixel in the window colour.
    g.SetFixedBandLineColor(clWindow);
    g.SetFixedBandLineWidth(1);
    g.SetDefaultLayout(false);
    setLook(g);
    // Behaviour and customizing are the grid's defaults, spelt out.
    g.SetOptionsBehavior({edgoAutoSort, edgoDragScroll, edgoEditing, edgoEnterShowEditor, edgoImmediateEditor,
                          edgoTabThrough, edgoVertThrough});
    g.SetOptionsCustomize(kCustomize);
    g.SetOptionsDB({edgoCancelOnExit, edgoUseBookmarks});
    g.SetOptionsView({edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap});
    addColumn<TqvDBGridLookupColumn>(g, "dbg_xstykfp1DHAO00", "DHAO00", u8"购进单号", 82);
    addColumn<TqvDBGridDateColumn>(g, "dbg_xstykfp1DWDM00", "DWDM00", u8"供货单位代码", 114);
    addColumn<TqvDBGridDateColumn>(g, "dbg_xstykfp1DWMC00", "DWMC00", u8"供货单位名称", 128);
    addColumn<TqvDBGridColumn>(g, "dbg_xstykfp1CKRQ00", "CKRQ00", u8"制单日期", 76);
    addColumn<TqvDBGridColumn>(g, "dbg_xstykfp1CKRYMC", "CKRYMC", u8"制单人员", 76);
    addColumn<TqvDBGridDateColumn>(g, "dbg_xstykfp1YWRQ00", "YWRQ00", u8"审核日期", 85);
    addColumn<TqvDBGridMaskColumn>(g, "dbg_xstykfp1YWRYMC", "YWRYMC", u8"审核人员", 92);
    addColumn<TqvDBGridColumn>(g, "dbg_xstykfp1GJBJ00", "GJBJ00", u8"购进标记", 66);
    addColumn<TqvDBGridColumn>(g, "dbg_xstykfp1FPHAO0", "FPHAO0", u8"发票号", 63);
    SetGridContextMenu(g, true);
    if (data) g.SetDataSource(data->ds_xstgjfp1);
}

void ConfigureLineGrid(TqvDBGrid& g, Tdm* data)
{
    g.SetName("dbg_xstgjfp2");
    g.SetKeyField("SPDM00");
    g.Bands().Items(0)->SetFixed(bfNone);
    g.SetDefaultLayout(true);
    g.SetShowSummaryFooter(true);
    setLook(g);
    g.SetOptionsBehavior({edgoDragScroll, edgoEditing, edgoEnterShowEditor, edgoImmediateEditor, edgoMouseScroll,
                          edgoTabThrough, edgoVertThrough});
    g.SetOptionsDB({edgoCancelOnExit, edgoCanDelete, edgoCanInsert, edgoCanNavigation, edgoConfirmDelete,
                    edgoLoadAllRecords, edgoUseBookmarks});
    g.SetOptionsCustomize(kCustomize);
    g.SetOptionsView({edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap});
    addColumn<TqvDBGridMaskColumn>(g, "dbg_xstgjfp2SPDM00", "SPDM00", u8"商品代码", 108);
    addColumn<TqvDBGridMaskColumn>(g, "dbg_xstgjfp2SPMC00", "SPMC00", u8"商品名称", 114);
    auto* price = addColumn<TqvDBGridCurrencyColumn>(g, "dbg_xstgjfp2DJIA00", "DJIA00", u8"单价（条）", 93);
    price->SetDisplayFormat(",0.000000;-,0.000000");
    price->SetDecimalPlaces(6);
    price->SetNullable(false);
    // The format has no digit: the footer shows the word alone.
    price->SetSummaryFooterType(cstCount);
    price->SetSummaryFooterFormat(Ansi(u8"合计："));
    auto* quantity = addColumn<TqvDBGridColumn>(g, "dbg_xstgjfp2SL0000", "SL0000", u8"数量（条）", 178);
    quantity->SetSummaryFooterType(cstSum);
    quantity->SetSummaryFooterField("SL0000");
    quantity->SetSummaryFooterFormat(" 0.00");
    for (auto [name, field, caption, width] :
         {std::tuple{"dbg_xstgjfp2JE0000", "JE0000", u8"金额", 153}, {"dbg_xstgjfp2SE0000", "SE0000", u8"税额", 152}}) {
        auto* column = addColumn<TqvDBGridCurrencyColumn>(g, name, field, caption, width);
        column->SetDisplayFormat(",0.00;-,0.00");
        column->SetNullable(false);
        column->SetSummaryFooterType(cstSum);
        column->SetSummaryFooterField(field);
    }
    SetGridContextMenu(g, true);
    if (data) g.SetDataSource(data->ds_xstgjfp2);
}

void SetLineGridCellMode(TqvDBGrid& grid, bool cells)
{
    grid.SetOptionsView(grid.OptionsView().Set(edgoRowSelect, !cells).Set(edgoInvertSelect, cells));
}

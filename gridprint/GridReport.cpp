#include "gridprint/GridReport.h"

#include "gridprint/GridRows.h"
#include "gridprint/PrintedColumns.h"

#include "grid/db/DBGrid.h"
#include "report/model/BandView.h"
#include "report/model/MemoView.h"
#include "report/model/Report.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {
// Margins on every side: 10 mm.
constexpr int32_t Margin = 36;
// Space between the bands of the template (a view on the edge of two bands
// would belong to the first one).
constexpr int32_t BandGap = 4;
// A placeholder width: the cells of the other columns get their column's
// width as each column prints.
constexpr int32_t CrossCellWidth = 10;
constexpr int32_t GridLineColor = 0x999999;
constexpr int32_t HeaderFill = 0xE8E8E8;
constexpr int32_t TitleSizeIncrease = 4;
constexpr int32_t MinimumFontSize = 4;

const char* const TitleName = "GridTitle";
const char* const PageNumberName = "GridPageNumber";
// Cell memos are named by row and column: "GridHeader2" (the third printed
// column, a repeated one), "GridCellX" (the memo of the other columns).
const char* const RowNames[] = {"GridHeader", "GridCell", "GridFooter"};
const char* const OtherColumns = "X";

enum Row : uint8_t { HeaderRow, DataRow, FooterRow };

int32_t memoAlignment(TAlignment horizontal, TTextLayout vertical)
{
    const int32_t h = horizontal == taRightJustify ? rqtaRight : horizontal == taCenter ? rqtaCenter : rqtaLeft;
    const int32_t v = vertical == tlCenter ? rqtaMiddle : vertical == tlBottom ? rqtaDown : 0;
    return h | v;
}

// Paper is white: the screen's system colours print black.
int32_t printColor(TColor color) { return IsSystemColor(color) || color == clNone ? 0 : color; }

TrqMemoFont memoFont(const TFont& font, double scale)
{
    TrqMemoFont f;
    f.Name = font.Name();
    f.Size = std::max<int32_t>(static_cast<int32_t>(std::lround(font.Size() * scale)), MinimumFontSize);
    f.Style = FontStyleCode(font.Style());
    f.Color = printColor(font.Color());
    f.Charset = font.Charset();
    return f;
}
}  // namespace

struct TqvGridReport::Printed {
    TqvTreeListColumn* Column = nullptr;
    int32_t Width = 0;  // report units
    AnsiString Caption;
    AnsiString Footer;  // empty when the cell shows nothing
    TrqMemoFont CellFont;
    TrqMemoFont HeaderFont;
    int32_t CellAlignment = rqtaLeft;
    int32_t HeaderAlignment = rqtaLeft;
    int32_t FooterAlignment = rqtaLeft;
};

// What the cell memos of a build stand for: the row, and the printed column
// (-1: the column printing now, for the memos of the other columns).
struct TqvGridReport::Cells {
    struct Cell {
        Row row;
        int column;
    };
    std::unordered_map<const TrqView*, Cell> byView;
    TrqMemoView* other[3] = {nullptr, nullptr, nullptr};
    int current = 0;  // the printed column of the other columns printing now
};

TqvGridReport::TqvGridReport(TCustomqvDBGrid& grid, const TqvGridPrintOptions& options)
    : grid_(grid), owner_(std::make_unique<TComponent>())
{
    report_ = new TrqReport(owner_.get());
    report_->SetName("GridReport");
    rows_ = new TqvGridRows(grid, owner_.get());
    rows_->SetName("GridRows");
    report_->SetDataset(rows_);
    report_->SetTitle(options.Title);
    report_->SetTwoPass(options.WholeReportFirst);
    report_->SetProgressivePreview(!options.WholeReportFirst);
    makeTemplate(options);
    connectEvents();
}

TqvGridReport::~TqvGridReport()
{
    // The report goes before the rows it walks.
    owner_.reset();
}

int TqvGridReport::ColumnCount() const { return static_cast<int>(columns_.size()); }

TqvTreeListColumn* TqvGridReport::Column(int index) const
{
    return index >= 0 && index < ColumnCount() ? columns_[static_cast<size_t>(index)].Column : nullptr;
}

void TqvGridReport::collectColumns(const TqvGridPrintOptions& options)
{
    const std::vector<TqvTreeListColumn*> shown = grid_.NavigationOrder();
    std::vector<int> widths;
    int key = -1;
    for (size_t i = 0; i < shown.size(); ++i) {
        widths.push_back(shown[i]->Width());
        auto* db = dynamic_cast<TqvDBTreeListColumn*>(shown[i]);
        if (key < 0 && db && !grid_.KeyField().empty() && SameText(db->FieldName(), grid_.KeyField()))
            key = static_cast<int>(i);
    }
    TrqPage& page = *report_->Pages()[0];
    const int32_t printable = page.RightMarginInEffect() - page.LeftMarginInEffect();
    const TqvPrintedColumns layout =
        LayOutPrintedColumns(widths, key, options.RepeatedColumns, printable, options.FitToPageWidth);
    scale_ = layout.Scale;
    repeated_ = layout.Repeated;
    const bool footers = grid_.ShowSummaryFooter();
    for (size_t k = 0; k < layout.Order.size(); ++k) {
        TqvTreeListColumn* column = shown[static_cast<size_t>(layout.Order[k])];
        Printed p;
        p.Column = column;
        p.Width = layout.Widths[k];
        p.Caption = column->Caption();
        if (auto* db = dynamic_cast<TqvDBTreeListColumn*>(column); db && footers) {
            bool exists = true;
            if (grid_.OnIsExistFooterCell) grid_.OnIsExistFooterCell(&grid_, nullptr, column, exists);
            if (exists) p.Footer = db->SummaryFooterText();
        }
        p.CellFont = memoFont(column->Font(), scale_);
        p.HeaderFont = memoFont(grid_.HeaderFont(), scale_);
        p.CellAlignment = memoAlignment(column->Alignment(), column->VertAlignment());
        p.HeaderAlignment = memoAlignment(column->HeaderAlignment(), tlCenter);
        p.FooterAlignment = memoAlignment(column->Alignment(), tlCenter);
        columns_.push_back(std::move(p));
    }
}

namespace {
TrqBandView& addBand(TrqPage& page, int kind, int32_t left, int32_t top, int32_t width, int32_t height,
                     uint16_t flags)
{
    auto view = std::make_unique<TrqBandView>();
    view->SetBandType(kind);
    view->Left = left;
    view->Top = top;
    view->Width = width;
    view->Height = height;
    view->Flags = flags;
    return static_cast<TrqBandView&>(*page.Add(std::move(view)));
}

TrqMemoView& addMemo(TrqPage& page, const AnsiString& name, int32_t left, int32_t top, int32_t width,
                     const TrqMemoFont& font, int32_t alignment)
{
    auto view = std::make_unique<TrqMemoView>();
    view->Name = name;
    view->Left = left;
    view->Top = top;
    view->Width = width;
    view->Font = font;
    view->Alignment = alignment;
    // Long texts wrap and the row grows; texts are never expressions.
    view->Flags = flStretched | flWordWrap | flTextOnly;
    view->Height = view->MinimumHeight();
    return static_cast<TrqMemoView&>(*page.Add(std::move(view)));
}

void frameCell(TrqMemoView& memo, int32_t fill)
{
    memo.FrameTyp = rqftLeft | rqftTop | rqftRight | rqftBottom;
    memo.FrameColor = GridLineColor;
    memo.FillColor = fill;
}
}  // namespace

void TqvGridReport::makeTemplate(const TqvGridPrintOptions& options)
{
    // A new report comes with one empty page: the grid is printed on it.
    TrqPage& page = report_->Pages().Count() > 0 ? *report_->Pages()[0] : *report_->Pages().Add();
    page.LeftMargin = page.TopMargin = page.RightMargin = page.BottomMargin = Margin;
    if (options.PaperSize > 0)
        page.ChangePaper(options.PaperSize, options.PaperWidth, options.PaperHeight, -1, options.Orientation);
    else if (options.Orientation != page.Orientation)
        page.ChangePaper(page.Size, page.PaperWidth, page.PaperHeight, page.PaperBin, options.Orientation);
    page.UpdateGeometry();
    collectColumns(options);

    const int32_t left = page.LeftMarginInEffect();
    const int32_t width = page.RightMarginInEffect() - left;
    const TrqMemoFont gridFont = memoFont(grid_.Font(), scale_);
    int32_t y = page.TopMarginInEffect();

    if (!options.Title.empty()) {
        TrqMemoFont font = gridFont;
        font.Size += TitleSizeIncrease;
        font.Style |= rqfsBold;
        TrqMemoView& title = addMemo(page, TitleName, left, y, width, font, rqtaCenter | rqtaMiddle);
        title.Memo.SetText(options.Title);
        // A little space below it.
        const int32_t height = title.Height + title.Height / 2;
        addBand(page, btReportTitle, 0, y, page.PrnInfo.PaperWidthUnits, height, flStretched);
        y += height + BandGap;
    }

    // The rows: the repeated columns' memos side by side in the cross header,
    // one memo for the other columns in the cross data band.
    const int others = ColumnCount() - repeated_;
    const int32_t repeatedWidth = [&] {
        int32_t sum = 0;
        for (int i = 0; i < repeated_; ++i) sum += columns_[static_cast<size_t>(i)].Width;
        return sum;
    }();
    auto addRow = [&](Row row, int kind, uint16_t flags) {
        int32_t x = left, height = 0;
        auto cell = [&](const AnsiString& name, int32_t cellLeft, int32_t cellWidth, const Printed& p) {
            const TrqMemoFont& font = row == HeaderRow ? p.HeaderFont : p.CellFont;
            const int32_t alignment = row == HeaderRow  ? p.HeaderAlignment
                                      : row == DataRow  ? p.CellAlignment
                                                        : p.FooterAlignment;
            TrqMemoView& memo = addMemo(page, name, cellLeft, y, cellWidth, font, alignment);
            frameCell(memo, row == DataRow ? rqclNone : HeaderFill);
            height = std::max(height, memo.Height);
        };
        for (int i = 0; i < repeated_; ++i) {
            const Printed& p = columns_[static_cast<size_t>(i)];
            cell(RowNames[row] + std::to_string(i), x, p.Width, p);
            x += p.Width;
        }
        if (others > 0) cell(RowNames[row] + AnsiString(OtherColumns), left + repeatedWidth, CrossCellWidth,
                             columns_[static_cast<size_t>(repeated_)]);
        addBand(page, kind, 0, y, page.PrnInfo.PaperWidthUnits, height, flags);
        y += height + BandGap;
    };
    addRow(HeaderRow, btMasterHeader, flStretched | flBandRepeatHeader);
    addRow(DataRow, btMasterData, flStretched);
    if (grid_.ShowSummaryFooter()) addRow(FooterRow, btMasterFooter, flStretched);

    const int32_t columnsTop = page.TopMarginInEffect();
    if (repeated_ > 0) addBand(page, btCrossHeader, left, columnsTop, repeatedWidth, y - columnsTop, flBandRepeatHeader);
    if (others > 0) {
        TrqBandView& data = addBand(page, btCrossData, left + repeatedWidth, columnsTop, CrossCellWidth,
                                    y - columnsTop, 0);
        data.FormatText = std::to_string(others);
    }

    TrqMemoView& number = addMemo(page, PageNumberName, left, y, width, gridFont, rqtaCenter | rqtaMiddle);
    number.Flags = 0;  // the page number is an expression
    number.Memo.SetText(options.WholeReportFirst ? "Page [PAGE#] of [TOTALPAGES]" : "Page [PAGE#]");
    addBand(page, btPageFooter, 0, y, page.PrnInfo.PaperWidthUnits, number.Height + number.Height / 2,
            flBandOnFirstPage | flBandOnLastPage);
}

void TqvGridReport::connectEvents()
{
    TrqReport& report = *report_;
    report.OnBeginDoc = [this] {
        // The views this build prints (the template is loaded again afterwards).
        cells_ = std::make_unique<Cells>();
        TrqPage& page = *report_->Pages()[0];
        for (int i = 0; i < page.Count(); ++i) {
            TrqView* view = page.Objects(i);
            for (int row = HeaderRow; row <= FooterRow; ++row) {
                const AnsiString prefix = RowNames[row];
                if (view->Name.compare(0, prefix.size(), prefix) != 0) continue;
                const AnsiString rest = view->Name.substr(prefix.size());
                const bool number = !rest.empty() && std::all_of(rest.begin(), rest.end(), [](char c) {
                    return c >= '0' && c <= '9';
                });
                if (rest != OtherColumns && !number) continue;
                const int column = rest == OtherColumns ? -1 : std::stoi(rest);
                cells_->byView[view] = {static_cast<Row>(row), column};
                if (column < 0) cells_->other[row] = static_cast<TrqMemoView*>(view);
            }
        }
    };
    report.OnEndDoc = [this] { cells_.reset(); };
    report.OnPrintColumn = [this](int columnNo, int& width) {
        // The other columns print one after another through the same memos.
        if (!cells_) return;
        const int column = repeated_ + columnNo - 1;
        if (column < repeated_ || column >= ColumnCount()) return;
        cells_->current = column;
        const Printed& p = columns_[static_cast<size_t>(column)];
        width = p.Width;
        for (int row = HeaderRow; row <= FooterRow; ++row) {
            TrqMemoView* memo = cells_->other[row];
            if (!memo) continue;
            memo->Width = p.Width;
            memo->Font = row == HeaderRow ? p.HeaderFont : p.CellFont;
            memo->Alignment = row == HeaderRow ? p.HeaderAlignment : row == DataRow ? p.CellAlignment : p.FooterAlignment;
        }
    };
    report.OnBeforePrint = [this](TStringList& text, TrqView* view) {
        if (!cells_) return;
        auto it = cells_->byView.find(view);
        if (it == cells_->byView.end()) return;
        const int column = it->second.column >= 0 ? it->second.column : cells_->current;
        if (column < 0 || column >= ColumnCount()) return;
        const Printed& p = columns_[static_cast<size_t>(column)];
        switch (it->second.row) {
        case HeaderRow: text.SetText(p.Caption); break;
        case DataRow: text.SetText(rows_->CellText(p.Column)); break;
        case FooterRow: text.SetText(p.Footer); break;
        }
    };
}

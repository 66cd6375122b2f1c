#include "report/export/ReportExport.h"

#include "report/export/MemoCells.h"
#include "report/export/PageMemos.h"
#include "report/export/SheetRows.h"
#include "report/model/MemoView.h"
#include "report/pages/EMFPages.h"

namespace {

// Where a memo belongs: to the data, to the top or the bottom of every page,
// or to a header printed again after a break.
enum class Role { Body, PageTop, PageBottom, Repeat };

Role roleOf(const TrqPageMemo& memo)
{
    if (!memo.Printed) return Role::Body;
    if (memo.Printed->Repeated) return Role::Repeat;
    switch (memo.Printed->Band) {
    case btPageHeader:
    case btColumnHeader:
    case btOverlay:
    case btNone: return Role::PageTop;
    case btPageFooter:
    case btColumnFooter: return Role::PageBottom;
    default: return Role::Body;
    }
}

bool dataBand(const TrqPageMemo& memo)
{
    return memo.Printed && (memo.Printed->Band == btMasterData || memo.Printed->Band == btDetailData ||
                            memo.Printed->Band == btSubDetailData);
}

// Which pages' page bands are written, and the sheet's columns.
struct Plan {
    int topPage = -1;     // the first page with page-top memos
    int bottomPage = -1;  // the last page with page-bottom memos
    TrqSheetColumns columns;
};

bool kept(const TrqPageMemo& memo, int page, const Plan& plan, const TrqExportOptions& options)
{
    if (options.PageBands) return true;
    switch (roleOf(memo)) {
    case Role::Body: return true;
    case Role::PageTop: return page == plan.topPage;
    case Role::PageBottom: return page == plan.bottomPage;
    case Role::Repeat: return false;
    }
    return true;
}

Plan plan(TrqEMFPages& pages, const TrqExportOptions& options)
{
    Plan p;
    // The bottoms of the last page that has them are noted at the end.
    std::vector<std::pair<int32_t, int32_t>> bottoms;
    for (int index = 0; index < pages.Count(); ++index) {
        TrqPageMemos page(pages, index);
        bool bottomHere = false;
        for (const TrqPageMemo& memo : page.Memos()) {
            const Role role = roleOf(memo);
            if (!options.PageBands && role == Role::PageTop && p.topPage < 0) p.topPage = index;
            if (!options.PageBands && role == Role::PageBottom) {
                if (!bottomHere) bottoms.clear();
                bottomHere = true;
                p.bottomPage = index;
                bottoms.emplace_back(memo.View->Left, memo.View->Width);
                continue;
            }
            if (kept(memo, index, p, options)) p.columns.Note(memo.View->Left, memo.View->Width, dataBand(memo));
        }
    }
    for (const auto& [left, width] : bottoms) p.columns.Note(left, width, false);
    p.columns.Decide();
    return p;
}

// Column widths as characters of the sheet's default font: a report unit is
// about a pixel, a character about seven.
std::vector<double> characterWidths(const TrqSheetColumns& columns)
{
    std::vector<double> widths;
    for (int32_t units : columns.Widths()) widths.push_back(std::max(1.0, (units * 96.0 / 91.6256157635468 - 5) / 7));
    return widths;
}

class RowWriter {
public:
    RowWriter(TTableWriter& writer) : writer_(writer), cells_(writer) {}

    void Write(const TrqSheetRow& row)
    {
        // The texts live until the row is written.
        texts_.resize(row.size());
        cellsOut_.clear();
        int column = 0;
        for (size_t i = 0; i < row.size(); ++i) {
            const TrqPlacedMemo& placed = row[i];
            for (; column < placed.First; ++column) cellsOut_.push_back({});
            AnsiString text = placed.Memo->Text;
            for (const TrqPageMemo* joined : placed.Joined) text += " " + joined->Text;
            texts_[i] = AnsiToUtf8(text);
            TTableCell cell = cells_.Cell(*placed.Memo, texts_[i]);
            if (!placed.Joined.empty()) cell.Kind = TCellKind::Text;
            cell.Span = static_cast<uint16_t>(std::min(placed.Last - placed.First + 1, 0xFFFF));
            cellsOut_.push_back(cell);
            column = placed.Last + 1;
        }
        writer_.WriteRow(cellsOut_);
    }

private:
    TTableWriter& writer_;
    TrqMemoCells cells_;
    std::vector<std::string> texts_;
    std::vector<TTableCell> cellsOut_;
};

}  // namespace

void WritePreparedPages(TrqEMFPages& pages, TTableWriter& writer, const TrqExportOptions& options)
{
    const Plan p = plan(pages, options);
    const std::vector<double> widths = characterWidths(p.columns);
    writer.SetColumns(widths);
    RowWriter rows(writer);
    std::vector<const TrqPageMemo*> keep;
    for (int index = 0; index < pages.Count(); ++index) {
        TrqPageMemos page(pages, index);
        keep.clear();
        for (const TrqPageMemo& memo : page.Memos())
            if (kept(memo, index, p, options)) keep.push_back(&memo);
        for (const TrqSheetRow& row : PageRows(keep, p.columns)) rows.Write(row);
    }
}

void ExportPreparedPages(TrqEMFPages& pages, TTableFormat format, const std::string& fileName,
                         const TrqExportOptions& options)
{
    TTableOptions table;
    table.ByteOrderMark = options.ByteOrderMark;
    table.Title = options.Title;
    std::unique_ptr<TTableWriter> writer = MakeTableWriter(format, fileName, table);
    WritePreparedPages(pages, *writer, options);
    writer->Finish();
}

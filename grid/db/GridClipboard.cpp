#include "grid/db/GridClipboard.h"

#include "grid/db/DBTreeListControl.h"
#include "runtime/export/TableWriter.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace {

// The rows and columns a copy takes, as code-page texts: one vector per row.
std::vector<std::vector<AnsiString>> copiedCells(const TCustomqvDBTreeListControl& grid, bool withHeaders)
{
    std::vector<TqvTreeListNode*> rows;
    for (int i = 0; i < grid.SelectedCount(); ++i) rows.push_back(grid.SelectedNodes(i));
    if (rows.empty() && grid.FocusedNode()) rows.push_back(grid.FocusedNode());
    const std::vector<TqvTreeListColumn*> order = grid.NavigationOrder();
    std::vector<std::vector<AnsiString>> cells;
    if (withHeaders) {
        auto& header = cells.emplace_back();
        for (TqvTreeListColumn* column : order) header.push_back(column->Caption());
    }
    for (TqvTreeListNode* node : rows) {
        auto& row = cells.emplace_back();
        for (TqvTreeListColumn* column : order) row.push_back(grid.GetCellText(node, column));
    }
    return cells;
}

AnsiString plainText(const std::vector<std::vector<AnsiString>>& cells)
{
    AnsiString text;
    for (size_t r = 0; r < cells.size(); ++r) {
        if (r) text += "\r\n";
        for (size_t i = 0; i < cells[r].size(); ++i) {
            if (i) text += '\t';
            text += cells[r][i];
        }
    }
    return text;
}

std::string htmlTable(const std::vector<std::vector<AnsiString>>& cells, bool withHeaders)
{
    std::string page;
    auto writer = MakeHtmlStringWriter(page);
    const size_t columns = cells.empty() ? 0 : cells.front().size();
    writer->SetColumns(std::vector<double>(std::max<size_t>(columns, 1), 10.0));
    std::vector<std::string> texts;
    std::vector<TTableCell> row;
    for (size_t r = 0; r < cells.size(); ++r) {
        texts.clear();
        row.clear();
        for (const AnsiString& text : cells[r]) texts.push_back(AnsiToUtf8(text));
        for (const std::string& text : texts) row.push_back(TTableCell::TextCell(text));
        if (!row.empty()) writer->WriteRow(row, withHeaders && r == 0 ? TRowKind::Header : TRowKind::Body);
    }
    writer->Finish();
    return page;
}

}  // namespace

AnsiString GridRowsText(const TCustomqvDBTreeListControl& grid, bool withHeaders)
{
    return plainText(copiedCells(grid, withHeaders));
}

QMimeData* GridRowsMimeData(const TCustomqvDBTreeListControl& grid, bool withHeaders)
{
    const auto cells = copiedCells(grid, withHeaders);
    auto* data = new QMimeData;
    data->setText(AnsiToQString(plainText(cells)));
    data->setHtml(QString::fromStdString(htmlTable(cells, withHeaders)));
    return data;
}

void CopyGridRows(const TCustomqvDBTreeListControl& grid, bool withHeaders)
{
    QApplication::clipboard()->setMimeData(GridRowsMimeData(grid, withHeaders));
}

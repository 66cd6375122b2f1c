#include "grid/db/GridExport.h"

#include "grid/columns/DBColumnKinds.h"
#include "grid/db/DBGrid.h"
#include "runtime/db/DataSet.h"
#include "runtime/db/FieldKinds.h"
#include "runtime/export/SpreadsheetFormats.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

TCellAlign cellAlign(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify: return TCellAlign::Right;
    case taCenter: return TCellAlign::Center;
    default: return TCellAlign::Left;
    }
}

// True when the pattern shows the value at all: it has a digit placeholder
// outside quotes ("合计：" shows only itself).
bool showsDigits(std::string_view pattern)
{
    char quote = 0;
    for (char c : pattern) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '0' || c == '#') {
            return true;
        }
    }
    return false;
}

// The kinds whose cell is no plain picture of the field's value.
bool paintsOwnText(const TqvDBTreeListColumn* column)
{
    return dynamic_cast<const TqvDBTreeListCheckColumn*>(column) ||
           dynamic_cast<const TqvDBTreeListImageColumn*>(column) ||
           dynamic_cast<const TqvDBTreeListWrapperColumn*>(column) ||
           dynamic_cast<const TqvDBTreeListMemoColumn*>(column) ||
           dynamic_cast<const TqvDBTreeListBlobColumn*>(column) ||
           dynamic_cast<const TqvDBTreeListGraphicColumn*>(column) ||
           dynamic_cast<const TqvDBTreeListLookupColumn*>(column);
}

// One shown column of the table and how its cells are made.
struct ColumnCells {
    TqvTreeListColumn* column = nullptr;
    TqvDBTreeListColumn* dbColumn = nullptr;
    TField* field = nullptr;  // set for typed columns only
    TCellKind kind = TCellKind::Text;
    uint16_t style = 0;
};

// The number format the column paints a number field with.
TCellStyle numberStyle(const TqvDBTreeListColumn* column, const TField* field)
{
    TCellStyle style;
    std::string_view pattern;
    if (auto* currency = dynamic_cast<const TqvDBTreeListCurrencyColumn*>(column)) {
        auto* floatField = dynamic_cast<const TFloatField*>(field);
        if (!currency->DisplayFormat().empty() && !(floatField && floatField->Currency()))
            pattern = currency->DisplayFormat();
    }
    auto* numeric = dynamic_cast<const TNumericField*>(field);
    if (pattern.empty() && numeric) pattern = numeric->DisplayFormat();
    if (!pattern.empty()) {
        style.NumberFormat = SpreadsheetNumberFormat(pattern);
        style.Decimals = NumberPatternDecimals(pattern);
    } else if (auto* floatField = dynamic_cast<const TFloatField*>(field); floatField && floatField->Currency()) {
        style.Decimals = FormatSettings().CurrencyDecimals;
        style.NumberFormat = SpreadsheetFixedFormat(style.Decimals, true);
    } else if (!dynamic_cast<const TFloatField*>(field)) {
        style.NumberFormat = "0";
        style.Decimals = 0;
    }
    return style;
}

TCellStyle dateStyle(const TField* field)
{
    TCellStyle style;
    auto* dateField = dynamic_cast<const TDateTimeField*>(field);
    const std::string_view pattern = dateField ? std::string_view(dateField->DisplayFormat()) : std::string_view();
    switch (field->DataType()) {
    case ftDate: style.DateShape = TDateShape::Date; break;
    case ftTime: style.DateShape = TDateShape::Time; break;
    default: style.DateShape = TDateShape::DateTime; break;
    }
    if (!pattern.empty()) style.NumberFormat = SpreadsheetDateFormat(pattern);
    else if (style.DateShape == TDateShape::Date) style.NumberFormat = SpreadsheetDateFormat("ddddd");
    else if (style.DateShape == TDateShape::Time) style.NumberFormat = SpreadsheetDateFormat("tt");
    else style.NumberFormat = SpreadsheetDateFormat("c");
    return style;
}

class GridTable {
public:
    GridTable(const TCustomqvDBTreeListControl& grid, TTableWriter& writer, bool shownTexts)
        : grid_(grid), writer_(writer), shownTexts_(shownTexts)
    {
        for (TqvTreeListColumn* column : grid.NavigationOrder()) columns_.push_back(plan(column));
        std::vector<double> widths;
        for (const ColumnCells& c : columns_) widths.push_back(std::max(4.0, c.column->Width() / 7.0));
        if (widths.empty()) widths.push_back(8);
        writer_.SetColumns(widths);
        texts_.resize(columns_.size());
        cells_.resize(std::max<size_t>(1, columns_.size()));
    }

    void WriteHeader()
    {
        for (size_t i = 0; i < columns_.size(); ++i) {
            TCellStyle style;
            style.Bold = true;
            style.Align = cellAlign(columns_[i].column->HeaderAlignment());
            texts_[i] = AnsiToUtf8(columns_[i].column->Caption());
            cells_[i] = TTableCell::TextCell(texts_[i], writer_.AddStyle(style));
        }
        writeCells(TRowKind::Header);
    }

    // The record the dataset reads now, as a row; `node` is its node (null
    // for a record without one).
    void WriteRecord(TqvDBGridNode* node)
    {
        for (size_t i = 0; i < columns_.size(); ++i) {
            const ColumnCells& c = columns_[i];
            texts_[i].clear();
            if (c.kind != TCellKind::Text) {
                const CellView value = c.field->GetCell();
                double number = 0;
                bool typed = true;
                switch (value.kind) {
                case VarType::Integer: number = static_cast<double>(value.i); break;
                case VarType::Float:
                case VarType::DateTime: number = value.d; break;
                default: typed = false; break;
                }
                if (value.IsNull()) {
                    if (shownTexts_ && c.dbColumn) texts_[i] = AnsiToUtf8(c.dbColumn->GetPaintText(node));
                    cells_[i] = texts_[i].empty() ? TTableCell{} : TTableCell::TextCell(texts_[i], c.style);
                    continue;
                }
                if (typed && std::isfinite(number)) {
                    if (shownTexts_) texts_[i] = AnsiToUtf8(c.dbColumn->GetPaintText(node));
                    cells_[i] = {c.kind, texts_[i], number, c.style, 1};
                    continue;
                }
            }
            texts_[i] = c.dbColumn ? AnsiToUtf8(c.dbColumn->GetPaintText(node))
                                   : AnsiToUtf8(grid_.GetCellText(node, c.column));
            cells_[i] = TTableCell::TextCell(texts_[i], c.style);
        }
        writeCells(TRowKind::Body);
    }

    // A group row: its text in one cell across the table.
    void WriteGroup(TqvTreeListNode* node)
    {
        if (columns_.empty()) return;
        texts_[0] = AnsiToUtf8(grid_.GetCellText(node, columns_[0].column));
        TCellStyle style;
        style.Bold = true;
        cells_[0] = TTableCell::TextCell(texts_[0], writer_.AddStyle(style), static_cast<uint16_t>(columns_.size()));
        writer_.WriteRow(std::span(cells_.data(), 1), TRowKind::Body);
    }

    void WriteFooter()
    {
        for (size_t i = 0; i < columns_.size(); ++i) {
            auto* column = columns_[i].dbColumn;
            texts_[i].clear();
            cells_[i] = {};
            if (!column || column->SummaryFooterType() == cstNone) continue;
            texts_[i] = AnsiToUtf8(column->SummaryFooterText());
            TCellStyle style;
            style.Bold = true;
            style.Align = cellAlign(column->Alignment());
            const AnsiString& own = column->SummaryFooterFormat();
            const std::string_view format =
                own.empty() ? std::string_view(DefaultSummaryFormat(column->SummaryFooterType())) : std::string_view(own);
            const bool dateField = dynamic_cast<const TDateTimeField*>(column->SummaryFooterFieldObject()) != nullptr;
            const double value = static_cast<double>(column->SummaryFooterValue());
            if ((column->SummaryFooterType() == cstCount || !dateField) && showsDigits(format) && std::isfinite(value)) {
                style.NumberFormat = SpreadsheetNumberFormat(format);
                style.Decimals = NumberPatternDecimals(format);
                cells_[i] = TTableCell::NumberCell(value, writer_.AddStyle(style), texts_[i]);
            } else {
                cells_[i] = TTableCell::TextCell(texts_[i], writer_.AddStyle(style));
            }
        }
        writeCells(TRowKind::Footer);
    }

private:
    ColumnCells plan(TqvTreeListColumn* column)
    {
        ColumnCells c;
        c.column = column;
        c.dbColumn = dynamic_cast<TqvDBTreeListColumn*>(column);
        TCellStyle style;
        TField* field = c.dbColumn ? c.dbColumn->Field() : nullptr;
        const bool ownText = !field || c.dbColumn->OnGetText || field->OnGetText || field->Lookup() ||
                             paintsOwnText(c.dbColumn);
        if (!ownText && dynamic_cast<TNumericField*>(field)) {
            style = numberStyle(c.dbColumn, field);
            c.kind = TCellKind::Number;
            c.field = field;
        } else if (!ownText && dynamic_cast<TDateTimeField*>(field)) {
            style = dateStyle(field);
            c.kind = TCellKind::DateTime;
            c.field = field;
        }
        style.Align = cellAlign(column->Alignment());
        c.style = writer_.AddStyle(style);
        return c;
    }

    void writeCells(TRowKind kind)
    {
        if (columns_.empty()) return;
        writer_.WriteRow(std::span(cells_.data(), columns_.size()), kind);
    }

    const TCustomqvDBTreeListControl& grid_;
    TTableWriter& writer_;
    bool shownTexts_;
    std::vector<ColumnCells> columns_;
    std::vector<std::string> texts_;
    std::vector<TTableCell> cells_;
};

// The nodes to write, in shown order: every node in pre-order, expanded or
// not (a collapsed group still holds its records); only the selected ones
// (the focused one when none is) when asked.
// The walk goes by index through each node's children: a node finds its next
// sibling only by searching its parent's list, which over a million rows
// would make the walk quadratic.
template <class F>
void eachNode(const TCustomqvDBTreeListControl& grid, bool selectedOnly, F&& write)
{
    const bool focusedOnly = selectedOnly && grid.SelectedCount() == 0;
    auto visit = [&](TqvTreeListNode* node) {
        if (focusedOnly ? node != grid.FocusedNode() : selectedOnly && !grid.IsNodeSelected(node)) return;
        write(node);
    };
    // (parent, index of the next child); a null parent stands for the top level.
    std::vector<std::pair<TqvTreeListNode*, int>> stack{{nullptr, 0}};
    while (!stack.empty()) {
        auto& [parent, next] = stack.back();
        const int count = parent ? parent->Count() : grid.Count();
        if (next >= count) {
            stack.pop_back();
            continue;
        }
        TqvTreeListNode* node = parent ? parent->Items(next) : grid.Items(next);
        ++next;
        visit(node);
        if (node->Count() > 0) stack.emplace_back(node, 0);
    }
}

}  // namespace

void WriteGridTable(const TCustomqvDBTreeListControl& grid, TTableWriter& writer, const TqvGridExportOptions& options,
                    bool shownTexts)
{
    GridTable table(grid, writer, shownTexts);
    table.WriteHeader();
    auto* self = const_cast<TCustomqvDBTreeListControl*>(&grid);
    if (grid.IsActive()) {
        TDataSet* ds = grid.DataSet();
        if (grid.LoadMode() == TqvDBLoadMode::LoadAll || options.SelectedOnly) {
            eachNode(grid, options.SelectedOnly, [&](TqvTreeListNode* node) {
                TqvDBGridNode* dbNode = self->DBNode(node);
                if (dbNode && dbNode->IsGroupNode()) table.WriteGroup(node);
                else if (dbNode) grid.ReadNodeRecord(dbNode, [&] { table.WriteRecord(dbNode); });
            });
        } else {
            // The window holds only the rows in view: every record is read
            // where it lies, the dataset's position stays.
            const int saved = ds->ReadPosition();
            try {
                for (int position = 0; ds->AvailableFrom(position, 1) > 0; ++position) {
                    ds->SetReadPosition(position);
                    table.WriteRecord(nullptr);
                }
            } catch (...) {
                ds->SetReadPosition(saved);
                throw;
            }
            ds->SetReadPosition(saved);
        }
    }
    auto* dbGrid = dynamic_cast<const TCustomqvDBGrid*>(&grid);
    if (options.Footer && dbGrid && dbGrid->ShowSummaryFooter()) table.WriteFooter();
}

void ExportGrid(const TCustomqvDBTreeListControl& grid, TTableFormat format, const std::string& fileName,
                const TqvGridExportOptions& options)
{
    TTableOptions table;
    table.ByteOrderMark = options.ByteOrderMark;
    table.Title = options.Title;
    std::unique_ptr<TTableWriter> writer = MakeTableWriter(format, fileName, table);
    WriteGridTable(grid, *writer, options, format == TTableFormat::Html);
    writer->Finish();
}

void TCustomqvDBGrid::ExportToXlsx(const std::string& fileName, const TqvGridExportOptions& options) const
{
    ExportGrid(*this, TTableFormat::Xlsx, fileName, options);
}

void TCustomqvDBGrid::ExportToCsv(const std::string& fileName, const TqvGridExportOptions& options) const
{
    ExportGrid(*this, TTableFormat::Csv, fileName, options);
}

void TCustomqvDBGrid::ExportToHtml(const std::string& fileName, const TqvGridExportOptions& options) const
{
    ExportGrid(*this, TTableFormat::Html, fileName, options);
}

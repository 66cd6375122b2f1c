// A table as an XLSX workbook, written with libxlsxwriter in its
// constant-memory mode: each row goes to disk once the next one starts, so
// memory stays flat however many rows there are. Texts are written as
// strings (never formulas), numbers and date-times as numbers with their
// style's number format; a cell covering several columns is a merged range.
//
// Rules that are easy to break:
// - Rows go strictly in order (the library keeps only the current row).
// - A full sheet continues on a new one, which starts with the header rows.
// - A date before 1 March 1900 has no serial number that reads back the same
//   (the format's calendar counts a 29 February 1900), and NaN and the
//   infinities have none at all: they are written as their text.
#include "runtime/export/CellText.h"
#include "runtime/DateTime.h"
#include "runtime/export/TableWriter.h"

#include <xlsxwriter.h>

#include <cmath>

namespace {

// Characters a cell's text may hold.
constexpr size_t MaxTextChars = 32767;
// 1 March 1900, the first day whose serial number is its day count.
constexpr double FirstPlainSerial = 61;

// The text cut to the characters a cell may hold (whole UTF-8 sequences).
std::string_view cellText(std::string_view text)
{
    if (text.size() <= MaxTextChars) return text;
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (chars == MaxTextChars) return text.substr(0, i);
        ++chars;
    }
    return text;
}

class XlsxWriter final : public TTableWriter {
public:
    explicit XlsxWriter(const std::string& fileName) : file_(fileName)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        workbook_.reset(workbook_new_opt(file_.HandOverName().c_str(), &options));
        if (!workbook_) file_.Fail("the workbook cannot be made");
        formats_.push_back(nullptr);
        newSheet();
    }

    void SetColumns(std::span<const double> widths) override
    {
        TTableWriter::SetColumns(widths);
        if (widths.size() > LXW_COL_MAX) file_.Fail("more columns than a sheet holds");
        applyColumns();
    }

    void WriteRow(std::span<const TTableCell> cells, TRowKind kind) override
    {
        if (row_ >= LXW_ROW_MAX) {
            newSheet();
            applyColumns();
            for (const auto& header : headers_) writeCells(header.cells);
        }
        writeCells(cells);
        if (kind == TRowKind::Header) keepHeader(cells);
    }

    void Finish() override
    {
        // Closing writes the file and frees the workbook, failing or not.
        check(workbook_close(workbook_.release()));
        file_.Commit();
    }

protected:
    void styleAdded(uint16_t id) override
    {
        const TCellStyle& style = styleOf(id);
        lxw_format* format = workbook_add_format(workbook_.get());
        if (!format) file_.Fail("the workbook cannot take another format");
        if (!style.NumberFormat.empty()) format_set_num_format(format, style.NumberFormat.c_str());
        if (style.Bold) format_set_bold(format);
        switch (style.Align) {
        case TCellAlign::General: break;
        case TCellAlign::Left: format_set_align(format, LXW_ALIGN_LEFT); break;
        case TCellAlign::Center: format_set_align(format, LXW_ALIGN_CENTER); break;
        case TCellAlign::Right: format_set_align(format, LXW_ALIGN_RIGHT); break;
        }
        formats_.push_back(format);
    }

private:
    struct HeaderRow {
        std::vector<std::string> texts;
        std::vector<TTableCell> cells;
    };

    void newSheet()
    {
        sheet_ = workbook_add_worksheet(workbook_.get(), nullptr);
        if (!sheet_) file_.Fail("the workbook cannot take another sheet");
        row_ = 0;
    }

    void applyColumns()
    {
        for (size_t c = 0; c < widths_.size(); ++c)
            check(worksheet_set_column(sheet_, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), widths_[c],
                                       nullptr));
    }

    void keepHeader(std::span<const TTableCell> cells)
    {
        HeaderRow& header = headers_.emplace_back();
        header.texts.reserve(cells.size());
        for (const TTableCell& cell : cells) header.texts.emplace_back(cell.Text);
        header.cells.assign(cells.begin(), cells.end());
        for (size_t i = 0; i < cells.size(); ++i) header.cells[i].Text = header.texts[i];
    }

    void writeCells(std::span<const TTableCell> cells)
    {
        lxw_col_t column = 0;
        for (const TTableCell& cell : cells) {
            const lxw_col_t span = std::max<uint16_t>(cell.Span, 1);
            if (column + span > LXW_COL_MAX) file_.Fail("more columns than a sheet holds");
            lxw_format* format = cell.Style < formats_.size() ? formats_[cell.Style] : nullptr;
            if (span > 1) check(worksheet_merge_range(sheet_, row_, column, row_, column + span - 1, "", format));
            writeCell(cell, column, format);
            column += span;
        }
        ++row_;
    }

    void writeCell(const TTableCell& cell, lxw_col_t column, lxw_format* format)
    {
        switch (cell.Kind) {
        case TCellKind::Empty: return;
        case TCellKind::Text: writeText(cell.Text, column, format); return;
        case TCellKind::Number:
            if (std::isfinite(cell.Number)) check(worksheet_write_number(sheet_, row_, column, cell.Number, format));
            else writePlain(cell, column, format);
            return;
        case TCellKind::DateTime:
            if (cell.Number >= FirstPlainSerial && cell.Number <= MaxDateTime)
                check(worksheet_write_number(sheet_, row_, column, cell.Number, format));
            else writePlain(cell, column, format);
            return;
        }
    }

    void writeText(std::string_view text, lxw_col_t column, lxw_format* format)
    {
        if (text.empty()) return;
        scratch_.assign(cellText(text));
        check(worksheet_write_string(sheet_, row_, column, scratch_.c_str(), format));
    }

    // A value the sheet cannot hold as a number, as its plain text.
    void writePlain(const TTableCell& cell, lxw_col_t column, lxw_format* format)
    {
        plain_.clear();
        if (cell.Kind == TCellKind::DateTime) AppendDateText(plain_, cell.Number, styleOf(cell.Style).DateShape);
        else AppendNumberText(plain_, cell.Number, -1);
        writeText(plain_, column, format);
    }

    void check(lxw_error error)
    {
        if (error != LXW_NO_ERROR) file_.Fail(lxw_strerror(error));
    }

    TAtomicFile file_;
    std::unique_ptr<lxw_workbook, void (*)(lxw_workbook*)> workbook_{nullptr, lxw_workbook_free};
    lxw_worksheet* sheet_ = nullptr;
    lxw_row_t row_ = 0;
    std::vector<lxw_format*> formats_;
    std::vector<HeaderRow> headers_;
    std::string scratch_, plain_;
};

}  // namespace

std::unique_ptr<TTableWriter> MakeXlsxWriter(const std::string& fileName)
{
    return std::make_unique<XlsxWriter>(fileName);
}

// CSV as RFC 4180 has it: fields separated by commas, records ended by CRLF,
// a field holding a comma, a quote, a CR or an LF enclosed in quotes with its
// quotes doubled. UTF-8, with the byte-order mark when asked for. Numbers and
// date-times in their plain form (CellText.h); a text that would read as a
// formula gets a single quote in front.
#include "runtime/export/CellText.h"
#include "runtime/export/TableWriter.h"

namespace {

constexpr size_t FlushAt = 1 << 16;

class CsvWriter final : public TTableWriter {
public:
    CsvWriter(const std::string& fileName, bool byteOrderMark) : file_(fileName)
    {
        buffer_.reserve(FlushAt + 4096);
        if (byteOrderMark) buffer_ = "\xEF\xBB\xBF";
    }

    void WriteRow(std::span<const TTableCell> cells, TRowKind) override
    {
        int column = 0;
        for (const TTableCell& cell : cells) {
            if (column > 0) buffer_ += ',';
            appendField(cell);
            const int span = std::max<int>(cell.Span, 1);
            buffer_.append(static_cast<size_t>(span - 1), ',');
            column += span;
        }
        const int columns = ColumnCount();
        if (columns > 0 && column > columns) file_.Fail("a row has more cells than the table has columns");
        for (; column < columns; ++column)
            if (column > 0) buffer_ += ',';
        buffer_ += "\r\n";
        if (buffer_.size() >= FlushAt) flush();
    }

    void Finish() override
    {
        flush();
        file_.Commit();
    }

private:
    void appendField(const TTableCell& cell)
    {
        switch (cell.Kind) {
        case TCellKind::Empty: return;
        case TCellKind::Number: AppendNumberText(buffer_, cell.Number, styleOf(cell.Style).Decimals); return;
        case TCellKind::DateTime: AppendDateText(buffer_, cell.Number, styleOf(cell.Style).DateShape); return;
        case TCellKind::Text: appendText(cell.Text); return;
        }
    }

    void appendText(std::string_view text)
    {
        const bool guarded = FormulaGuarded(text);
        const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos;
        if (quoted) buffer_ += '"';
        if (guarded) buffer_ += '\'';
        if (!quoted) {
            buffer_ += text;
        } else {
            for (char c : text) {
                if (c == '"') buffer_ += '"';
                buffer_ += c;
            }
            buffer_ += '"';
        }
    }

    void flush()
    {
        file_.Write(buffer_);
        buffer_.clear();
    }

    TAtomicFile file_;
    std::string buffer_;
};

}  // namespace

std::unique_ptr<TTableWriter> MakeCsvWriter(const std::string& fileName, bool byteOrderMark)
{
    return std::make_unique<CsvWriter>(fileName, byteOrderMark);
}

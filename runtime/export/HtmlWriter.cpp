// A table as one self-contained HTML page (UTF-8, its styles inside): header
// rows in thead as th cells, body rows, footer rows in tfoot; merged cells as
// colspan. Every text is escaped; line breaks become <br>.
#include "runtime/export/CellText.h"
#include "runtime/export/TableWriter.h"

#include <cmath>
#include <optional>

namespace {

constexpr size_t FlushAt = 1 << 16;

constexpr const char* PageStyle =
    "table{border-collapse:collapse}"
    "td,th{border:1px solid #999;padding:2px 4px;vertical-align:top;white-space:pre-wrap}"
    "th{background:#eee}"
    ".b{font-weight:bold}.l{text-align:left}.c{text-align:center}.r{text-align:right}";

void appendEscaped(std::string& out, std::string_view text, bool lineBreaks)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            [[fallthrough]];
        case '\n':
            if (lineBreaks) out += "<br>";
            else out += ' ';
            break;
        default:
            // Other control characters have no place in HTML text.
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t') out += ' ';
            else out += c;
        }
    }
}

class HtmlWriter final : public TTableWriter {
public:
    // Into `out`, or (out null) into the file.
    HtmlWriter(std::string* out, const std::string& fileName, const std::string& title) : out_(out ? *out : own_)
    {
        if (!out) file_.emplace(fileName);
        out_.clear();
        if (file_) out_.reserve(FlushAt + 4096);
        out_ += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
        appendEscaped(out_, title, false);
        out_ += "</title>\n<style>";
        out_ += PageStyle;
        out_ += "</style>\n</head>\n<body>\n<table>\n";
    }

    void SetColumns(std::span<const double> widths) override
    {
        TTableWriter::SetColumns(widths);
        if (widths.empty()) return;
        out_ += "<colgroup>";
        for (double width : widths) {
            const long px = std::lround(std::max(width, 1.0) * 7 + 5);
            out_ += "<col style=\"width:" + std::to_string(px) + "px\">";
        }
        out_ += "</colgroup>\n";
    }

    void WriteRow(std::span<const TTableCell> cells, TRowKind kind) override
    {
        enterSection(kind);
        const bool header = kind == TRowKind::Header;
        out_ += "<tr>";
        for (const TTableCell& cell : cells) appendCell(cell, header);
        out_ += "</tr>\n";
        if (file_ && out_.size() >= FlushAt) flush();
    }

    void Finish() override
    {
        closeSection();
        out_ += "</table>\n</body>\n</html>\n";
        if (file_) {
            flush();
            file_->Commit();
        }
    }

private:
    enum class Section { None, Head, Body, Foot };

    void enterSection(TRowKind kind)
    {
        // One thead before the rows and one tfoot after them; header rows
        // that come later stay in the body.
        Section wanted = Section::Body;
        if (kind == TRowKind::Header && (section_ == Section::None || section_ == Section::Head)) wanted = Section::Head;
        if (kind == TRowKind::Footer || section_ == Section::Foot) wanted = Section::Foot;
        if (wanted == section_) return;
        closeSection();
        section_ = wanted;
        out_ += wanted == Section::Head ? "<thead>\n" : wanted == Section::Foot ? "<tfoot>\n" : "<tbody>\n";
    }

    void closeSection()
    {
        switch (section_) {
        case Section::None: return;
        case Section::Head: out_ += "</thead>\n"; break;
        case Section::Body: out_ += "</tbody>\n"; break;
        case Section::Foot: out_ += "</tfoot>\n"; break;
        }
        section_ = Section::None;
    }

    void appendCell(const TTableCell& cell, bool header)
    {
        const TCellStyle& style = styleOf(cell.Style);
        const char* tag = header ? "th" : "td";
        out_ += '<';
        out_ += tag;
        std::string classes;
        if (style.Bold) classes += "b";
        TCellAlign align = style.Align;
        if (align == TCellAlign::General && (cell.Kind == TCellKind::Number || cell.Kind == TCellKind::DateTime))
            align = TCellAlign::Right;
        if (align != TCellAlign::General) {
            if (!classes.empty()) classes += ' ';
            classes += align == TCellAlign::Left ? "l" : align == TCellAlign::Center ? "c" : "r";
        }
        if (!classes.empty()) out_ += " class=\"" + classes + "\"";
        if (cell.Span > 1) out_ += " colspan=\"" + std::to_string(cell.Span) + "\"";
        out_ += '>';
        switch (cell.Kind) {
        case TCellKind::Empty: break;
        case TCellKind::Text: appendEscaped(out_, cell.Text, true); break;
        case TCellKind::Number:
            if (!cell.Text.empty()) appendEscaped(out_, cell.Text, true);
            else AppendNumberText(out_, cell.Number, style.Decimals);
            break;
        case TCellKind::DateTime:
            if (!cell.Text.empty()) appendEscaped(out_, cell.Text, true);
            else AppendDateText(out_, cell.Number, style.DateShape);
            break;
        }
        out_ += "</";
        out_ += tag;
        out_ += '>';
    }

    void flush()
    {
        file_->Write(out_);
        out_.clear();
    }

    std::string own_;
    std::string& out_;
    std::optional<TAtomicFile> file_;
    Section section_ = Section::None;
};

}  // namespace

std::unique_ptr<TTableWriter> MakeHtmlWriter(const std::string& fileName, const std::string& title)
{
    return std::make_unique<HtmlWriter>(nullptr, fileName, title);
}

std::unique_ptr<TTableWriter> MakeHtmlStringWriter(std::string& out, const std::string& title)
{
    return std::make_unique<HtmlWriter>(&out, std::string(), title);
}

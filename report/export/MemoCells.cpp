#include "report/export/MemoCells.h"

#include "report/export/PageMemos.h"
#include "report/format/FixedFormats.h"
#include "report/format/FormatCode.h"
#include "report/model/MemoView.h"
#include "runtime/export/SpreadsheetFormats.h"

#include <cmath>

namespace {

struct MemoCell {
    TCellKind Kind = TCellKind::Text;
    double Number = 0;
    TCellStyle Style;
};

void numberCell(MemoCell& cell, int32_t code, const AnsiString& pattern)
{
    const int decimals = FormatDecimals(code);
    cell.Kind = TCellKind::Number;
    switch (FormatKind(code)) {
    case 0:
        cell.Style.NumberFormat = decimals == 0 ? "0" : "General";
        cell.Style.Decimals = decimals == 0 ? 0 : -1;
        break;
    case 1:
    case 3:
        cell.Style.NumberFormat = SpreadsheetFixedFormat(decimals, FormatKind(code) == 3);
        cell.Style.Decimals = decimals;
        break;
    case 2:
        cell.Style.NumberFormat = "#,##0";
        if (decimals > 0) cell.Style.NumberFormat += "." + std::string(static_cast<size_t>(decimals), '#');
        cell.Style.Decimals = decimals == 0 ? 0 : -1;
        break;
    default:
        cell.Style.NumberFormat = SpreadsheetNumberFormat(pattern);
        cell.Style.Decimals = pattern.empty() ? -1 : NumberPatternDecimals(pattern);
        break;
    }
}

void dateCell(MemoCell& cell, int32_t code, const AnsiString& pattern)
{
    const bool time = FormatCategory(code) == fcTime;
    const int kind = FormatKind(code);
    cell.Kind = TCellKind::DateTime;
    cell.Style.DateShape = time ? TDateShape::Time : kind == fkCustom ? TDateShape::DateTime : TDateShape::Date;
    std::string_view source;
    if (kind == fkCustom) source = pattern;
    else if (!time && kind == 3) source = "dddddd";  // the locale's long date
    else if (kind >= 0 && kind <= 3) source = time ? FixedFormats().Time[static_cast<size_t>(kind)]
                                                   : FixedFormats().Date[static_cast<size_t>(kind)];
    cell.Style.NumberFormat = SpreadsheetDateFormat(source);
}

MemoCell memoCell(const TrqPageMemo& memo)
{
    MemoCell cell;
    const TrqMemoView& view = *memo.View;
    cell.Style.Bold = (view.Font.Style & 2) != 0;
    switch (view.Alignment & 3) {
    case rqtaRight: cell.Style.Align = TCellAlign::Right; break;
    case rqtaCenter: cell.Style.Align = TCellAlign::Center; break;
    default: cell.Style.Align = TCellAlign::Left; break;
    }
    if (!memo.Printed || memo.Printed->Value.IsEmpty()) return cell;
    const TrqPrintedMemo& printed = *memo.Printed;
    const Variant& value = printed.Value;
    const bool isDate = value.Type() == VarType::DateTime;
    cell.Number = value.AsFloat();
    if (!std::isfinite(cell.Number)) return cell;
    switch (FormatCategory(printed.FormatCode)) {
    case fcNumber: numberCell(cell, printed.FormatCode, printed.FormatText); break;
    case fcDate:
    case fcTime: dateCell(cell, printed.FormatCode, printed.FormatText); break;
    case fcText:
        if (isDate) {
            // Shown as the locale shows a date-time: its date, and its time when it has one.
            cell.Kind = TCellKind::DateTime;
            cell.Style.NumberFormat = SpreadsheetDateFormat(cell.Number == std::floor(cell.Number) ? "ddddd" : "c");
        } else {
            cell.Kind = TCellKind::Number;
        }
        break;
    default: break;
    }
    return cell;
}

}  // namespace

TTableCell TrqMemoCells::Cell(const TrqPageMemo& memo, std::string_view text)
{
    // The cell's kind and look follow from no more than this; most memos
    // share a few, which are worked out once.
    const TrqMemoView& view = *memo.View;
    const TrqPrintedMemo* printed = memo.Printed && !memo.Printed->Value.IsEmpty() ? memo.Printed : nullptr;
    const double number = printed ? printed->Value.AsFloat() : 0;
    key_.clear();
    key_ += static_cast<char>(view.Font.Style & 2);
    key_ += static_cast<char>(view.Alignment & 3);
    if (printed && std::isfinite(number)) {
        key_ += static_cast<char>(printed->Value.Type());
        key_ += number == std::floor(number) ? 'd' : 't';
        key_.append(reinterpret_cast<const char*>(&printed->FormatCode), sizeof printed->FormatCode);
        key_ += printed->FormatText;
    }
    auto found = looks_.find(key_);
    if (found == looks_.end()) {
        const MemoCell cell = memoCell(memo);
        found = looks_.emplace(key_, Look{cell.Kind, writer_.AddStyle(cell.Style)}).first;
    }
    return {found->second.kind, text, number, found->second.style, 1};
}

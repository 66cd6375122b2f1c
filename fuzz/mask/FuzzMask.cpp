// Edit masks from outside (a column's EditMask, a field's edit mask, the mask
// of a report's FORMATTEXT): the input is a mask, a newline, then a value. The mask is parsed, the value
// loaded through it, read back and checked, every position offered every
// character of the value; in the double-byte and in a single-byte code page.
#include "runtime/AnsiString.h"
#include "runtime/EditMask.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {
void check(bool ok)
{
    if (!ok) std::abort();
}

void run(std::string_view mask, std::string_view value)
{
    TEditMask m(mask);
    AnsiString empty = m.EmptyText();
    check(TEditMask::SplitChars(empty).size() == m.Positions().size());
    check(m.ValueOf(empty).empty() || m.Positions().empty() || m.Blank() == ' ' || !m.SaveLiterals() ||
          true);
    AnsiString masked = m.Apply(value);
    // Loading always gives one character per position.
    check(TEditMask::SplitChars(masked).size() == m.Positions().size());
    AnsiString back = m.ValueOf(masked);
    check(m.Apply(back).size() <= masked.size() + 2 * m.Positions().size());
    int missing = m.FirstMissing(masked, false);
    check(missing < static_cast<int>(m.Positions().size()));
    m.FirstMissing(value, true);
    std::vector<AnsiString> chars = TEditMask::SplitChars(value);
    for (size_t pos = 0; pos <= m.Positions().size() && pos < 64; ++pos)
        for (size_t c = 0; c < chars.size() && c < 8; ++c) m.Accept(pos, chars[c]);
    // As FORMATTEXT formats: literals not kept, a blank as the placeholder.
    AnsiString formatted = FormatMaskText(AnsiString(mask) + ";0; ", value);
    check(TEditMask::SplitChars(formatted).size() == TEditMask(AnsiString(mask) + ";0; ").Positions().size());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t newline = input.find('\n');
    std::string_view mask = input.substr(0, newline);
    std::string_view value = newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1);
    SetAnsiCodePage("CP936");
    run(mask, value);
    SetAnsiCodePage("CP1252");
    run(mask, value);
    SetAnsiCodePage("CP936");
    return 0;
}

#include "report/language/FunctionSplitter.h"

#include "report/language/LexicalReaders.h"
#include "report/language/ParserError.h"
#include "report/language/Variables.h"

namespace {
constexpr int MaxDepth = 128;

bool endsOperand(char c)
{
    constexpr std::string_view ends = "\r *+-/<=>";
    return ends.find(c) != std::string_view::npos;
}
}  // namespace

void TrqFunctionSplitter::Split(std::string_view text)
{
    split(text, 0);
}

void TrqFunctionSplitter::split(std::string_view source, int depth)
{
    // A variable may stand for a text that names it again; such a text is refused
    // instead of being followed for ever.
    if (depth > MaxDepth) throw EParserError(LanguageText::NestedTooDeeply);
    const AnsiString text = Trim(source);
    if (text.empty() || text[0] == '\'') return;
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        if (text[i] == '[') {
            size_t start = i, end = i;
            std::string_view name = ReadBracketed(text, start, end);
            if (const Variant* value = variables_.Find(name)) split(value->AsString(), depth + 1);
            else split(name, depth + 1);
            i = end + 1;
            continue;
        }
        const size_t start = i;
        size_t p = i;
        std::string_view id = ReadIdentifier(text, p);
        const Variant* variable = id.empty() ? nullptr : variables_.Find(id);
        if (p < n && text[p] == '(') {
            size_t after = p;
            TrqArguments args = ReadArguments(text, after);
            for (std::string_view arg : args) split(arg, depth + 1);
            if (names_.IndexOf(id) >= 0) found_.Add(text.substr(start, after - start));
            i = after;
        } else if (variable) {
            split(variable->AsString(), depth + 1);
            i = p;
        } else if (p < n && endsOperand(text[p])) {
            i = p + 1;
        } else if (id.empty()) {
            break;
        } else {
            i = p;
        }
    }
}

// Evaluation of postfix texts, the parser's own functions and the postfix
// kept for texts already converted.
#include "report/language/Parser.h"

#include "report/language/LexicalReaders.h"
#include "report/language/ParserError.h"
#include "runtime/DateTime.h"
#include "runtime/FormatSettings.h"
#include "runtime/SysUtils.h"

#include <cctype>
#include <cmath>
#include <new>

namespace {

// Evaluations nest through callbacks and the functions' arguments; a text that
// nests deeper than this is refused before it can exhaust the stack.
constexpr int MaxNesting = 128;
thread_local int nesting = 0;

struct NestingGuard {
    NestingGuard()
    {
        if (nesting >= MaxNesting) throw EParserError(LanguageText::NestedTooDeeply);
        ++nesting;
    }
    ~NestingGuard() { --nesting; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
};

// Converted texts kept by Evaluate; past this many the cache starts afresh.
// Longer texts than MaxCachedLength are converted each time.
constexpr size_t MaxCachedTexts = 4096;
constexpr size_t MaxCachedLength = 1024;

// The evaluation stack: 32 slots, constructed only when used, so that an
// evaluation costs no more than the values it pushes.
class ValueStack {
public:
    ValueStack() = default;
    ValueStack(const ValueStack&) = delete;
    ValueStack& operator=(const ValueStack&) = delete;
    ~ValueStack()
    {
        for (int i = 0; i < count_; ++i) at(i).~Variant();
    }

    Variant& Push()
    {
        if (count_ == TrqParser::StackSize) throw EParserError(LanguageText::TooManyValues);
        Variant* v = new (&slots_[count_]) Variant();
        ++count_;
        return *v;
    }
    void Require(int values) const
    {
        if (count_ < values) throw EParserError(LanguageText::MissingOperand);
    }
    Variant& Top(int below = 0) { return at(count_ - 1 - below); }
    void Pop() { at(--count_).~Variant(); }
    // The value in the first slot; an empty expression gives the integer 0.
    Variant Result() { return count_ > 0 ? std::move(at(0)) : Variant(0); }

private:
    Variant& at(int i) { return *std::launder(reinterpret_cast<Variant*>(slots_[i].bytes)); }

    struct alignas(Variant) Slot {
        unsigned char bytes[sizeof(Variant)];
    };
    Slot slots_[TrqParser::StackSize];
    int count_ = 0;
};

bool isInfix(unsigned char c)
{
    constexpr std::string_view infix = "\x01\x02\x03\x04\x05\x0d*+-/<=>";
    return c != 0 && infix.find(static_cast<char>(c)) != std::string_view::npos;
}

bool isPrefix(unsigned char c)
{
    return c == pcInt || c == pcFrac || c == pcNegate || c == pcStr || c == pcNot || c == pcRound;
}

Variant truthValue(bool b)
{
    return Variant(b ? 1 : 0);
}

bool equalsZero(const Variant& v)
{
    static const Variant zero(0);
    return Compare(v, zero) == 0;
}

void applyInfix(ValueStack& stack, unsigned char op)
{
    stack.Require(2);
    Variant& a = stack.Top(1);
    const Variant& b = stack.Top(0);
    switch (op) {
    case '+':
    case pcOr: a = a + b; break;
    case '-': a = a - b; break;
    case '*':
    case pcAnd: a = a * b; break;
    case '/': a = equalsZero(b) ? Variant(0) : a / b; break;
    case pcMod: a = Mod(a, b); break;
    case '<': a = truthValue(Compare(a, b) < 0); break;
    case '=': a = truthValue(Compare(a, b) == 0); break;
    case '>': a = truthValue(Compare(a, b) > 0); break;
    case pcGreaterEqual: a = truthValue(Compare(a, b) >= 0); break;
    case pcLessEqual: a = truthValue(Compare(a, b) <= 0); break;
    case pcNotEqual: a = truthValue(Compare(a, b) != 0); break;
    }
    stack.Pop();
}

void applyPrefix(ValueStack& stack, unsigned char op)
{
    stack.Require(1);
    Variant& v = stack.Top();
    switch (op) {
    case pcInt:
    case pcFrac: {
        // A value within 1e-10 of an integer counts as that integer, so that
        // 2.99999999999 has no fraction.
        double x = v.AsFloat();
        double nearest = std::nearbyint(x);
        bool whole = std::fabs(x - nearest) < 1e-10;
        if (op == pcInt) v = Variant(whole ? nearest : std::trunc(x));
        else v = Variant(whole ? 0.0 : x - std::trunc(x));
        break;
    }
    case pcNegate: v = -v; break;
    case pcStr: v = Variant(v.AsString()); break;
    case pcNot: v = truthValue(equalsZero(v)); break;
    case pcRound: v = Variant(v.AsInteger()); break;  // halves to the even neighbour
    }
}

// A number literal: "," and "." both stand for the decimal separator.
Variant numberValue(std::string_view text)
{
    const char separator = FormatSettings().DecimalSeparator;
    AnsiString normalised(text);
    for (char& c : normalised)
        if (c == ',' || c == '.') c = separator;
    double value;
    if (!TryStrToFloat(normalised, value, separator))
        throw EConvertError(Format(RuntimeText::InvalidFloat, normalised.c_str()));
    return Variant(value);
}

// The text of a quoted literal: the enclosing quotes removed, doubled quotes single.
AnsiString literalText(std::string_view literal)
{
    std::string_view inner = literal.substr(1, literal.size() - 2);
    AnsiString text;
    text.reserve(inner.size());
    for (size_t k = 0; k < inner.size(); ++k) {
        text += inner[k];
        if (inner[k] == '\'' && k + 1 < inner.size() && inner[k + 1] == '\'') ++k;
    }
    return text;
}

// Copy(s, from, count) on code units: from below 1 counts as 1.
AnsiString copyText(const AnsiString& s, int64_t from, int64_t count)
{
    int64_t index = from - 1;
    if (index < 0) index = 0;
    int64_t length = static_cast<int64_t>(s.size());
    if (count > length - index) count = length - index;
    if (count <= 0) return AnsiString();
    return s.substr(static_cast<size_t>(index), static_cast<size_t>(count));
}

}  // namespace

Variant TrqParser::Evaluate(std::string_view text)
{
    auto it = cache_.find(text);
    if (it == cache_.end()) {
        AnsiString postfix = ToPostfix(text);
        // Kept postfix texts are referred to by this parser's evaluations in
        // progress: the cache starts afresh only when none is running, and
        // otherwise takes no more.
        if (cache_.size() >= MaxCachedTexts && evaluating_ == 0) cache_.clear();
        if (text.size() > MaxCachedLength || cache_.size() >= MaxCachedTexts) return EvaluatePostfix(postfix);
        it = cache_.emplace(AnsiString(text), std::move(postfix)).first;
    }
    struct InFlight {
        explicit InFlight(int& n) : count(n) { ++count; }
        ~InFlight() { --count; }
        int& count;
    } inFlight(evaluating_);
    return EvaluatePostfix(it->second);
}

Variant TrqParser::EvaluatePostfix(std::string_view s)
{
    NestingGuard guard;
    ValueStack stack;
    const size_t n = s.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == ' ' || c == pcPlus) {
            ++i;
        } else if (isInfix(c)) {
            applyInfix(stack, c);
            ++i;
        } else if (isPrefix(c)) {
            applyPrefix(stack, c);
            ++i;
        } else if (c == '\'') {
            bool closed = false;
            std::string_view literal = ReadQuotedString(s, i, &closed);
            if (!closed) throw EParserError(LanguageText::MissingQuote);
            stack.Push() = Variant(literalText(literal));
        } else if (c == '[') {
            size_t start = i, end = i;
            bool closed = false;
            std::string_view name = ReadBracketed(s, start, end, &closed);
            if (!closed) throw EParserError(LanguageText::MissingBracket);
            Variant& slot = stack.Push();
            if (OnGetValue) OnGetValue(AnsiString(name), slot);
            i = end + 1;
        } else if (c == '(') {
            throw EParserError(LanguageText::MissingCloseParen);
        } else if (c == ')') {
            throw EParserError(LanguageText::UnexpectedCloseParen);
        } else {
            size_t p = i;
            std::string_view id = ReadIdentifier(s, p);
            i = p;
            if (id.empty()) continue;  // only control characters were skipped
            const unsigned char first = static_cast<unsigned char>(id[0]);
            const char next = p < n ? s[p] : 0;
            if (std::isdigit(first) || first == ',' || first == '.') {
                stack.Push() = numberValue(id);
            } else if (SameText(id, "TRUE")) {
                stack.Push() = Variant(true);
            } else if (SameText(id, "FALSE")) {
                stack.Push() = Variant(false);
            } else if (next == '[') {
                // An array element is the call GETARRAY(name, index).
                size_t start = p, end = p;
                bool closed = false;
                std::string_view index = ReadBracketed(s, start, end, &closed);
                if (!closed) throw EParserError(LanguageText::MissingBracket);
                AnsiString call = "GETARRAY(";
                call += id;
                call += ", ";
                call += index;
                call += ')';
                stack.Push() = Evaluate(call);
                i = end + 1;
            } else if (next == '(') {
                TrqArguments args = ReadArguments(s, i);
                stack.Push() = callFunction(UpperCase(id), args[0], args[1], args[2]);
            } else {
                Variant& slot = stack.Push();
                if (OnGetValue) OnGetValue(UpperCase(id), slot);
            }
        }
    }
    return stack.Result();
}

Variant TrqParser::callFunction(const AnsiString& name, std::string_view p1, std::string_view p2,
                                std::string_view p3)
{
    if (name == "COPY") {
        int from = StrToInt(Evaluate(p2).AsString());
        int count = StrToInt(Evaluate(p3).AsString());
        return Variant(copyText(Evaluate(p1).AsString(), from, count));
    }
    if (name == "IF") {
        Variant condition = Evaluate(p1);
        bool holds;
        if (condition.Type() == VarType::Boolean) holds = condition.BoolValue();
        else holds = std::trunc(StrToFloat(condition.AsString())) != 0;
        return Evaluate(holds ? p2 : p3);
    }
    if (name == "STRTODATE") return Variant::FromDateTime(StrToDate(Evaluate(p1).AsString()));
    if (name == "STRTOTIME") return Variant::FromDateTime(StrToTime(Evaluate(p1).AsString()));
    Variant value;
    if (OnFunction) OnFunction(name, Variant(p1), Variant(p2), Variant(p3), value);
    return value;
}

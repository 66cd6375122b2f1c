// Conversion of an expression text into its postfix form.
#include "report/language/LexicalReaders.h"
#include "report/language/Parser.h"
#include "report/language/ParserError.h"

#include <cctype>

int OperatorPriority(unsigned char op)
{
    switch (op) {
    case pcGreaterEqual:
    case pcLessEqual:
    case pcNotEqual:
    case '<':
    case '=':
    case '>': return 3;
    case pcNegate:
    case pcPlus:
    case '+':
    case '-': return 2;
    case pcOr:
    case pcAnd:
    case pcNot:
    case pcMod:
    case '*':
    case '/': return 1;
    case '(': return 5;
    case ')': return 4;
    default: return 0;  // INT, FRAC, STR, ROUND and every other character
    }
}

namespace {

unsigned char keywordCode(std::string_view word)
{
    struct Keyword {
        const char* text;
        unsigned char code;
    };
    static const Keyword keywords[] = {{"INT", pcInt}, {"FRAC", pcFrac}, {"ROUND", pcRound}, {"OR", pcOr},
                                       {"AND", pcAnd}, {"NOT", pcNot},   {"STR", pcStr},     {"MOD", pcMod}};
    if (word.size() < 2 || word.size() > 5) return 0;
    for (const Keyword& k : keywords)
        if (SameText(word, k.text)) return k.code;
    return 0;
}

class PostfixConverter {
public:
    explicit PostfixConverter(std::string_view text) : text_(text) { out_.reserve(text.size() + 8); }

    AnsiString Run()
    {
        const size_t n = text_.size();
        size_t i = 0;
        while (i < n) {
            char c = text_[i];
            if (c == '\r' || c == ' ') {
                ++i;
            } else if (c == ';') {
                break;
            } else if (c == '(') {
                stack_.push_back('(');
                operand_ = false;
                ++i;
            } else if (c == ')') {
                closeParenthesis();
                ++i;
            } else if (c == '*' || c == '+' || c == '-' || c == '/' || c == '<' || c == '=' || c == '>') {
                unsigned char op = static_cast<unsigned char>(c);
                char next = i + 1 < n ? text_[i + 1] : 0;
                if (c == '<' && next == '>') op = pcNotEqual;
                else if (c == '>' && next == '=') op = pcGreaterEqual;
                else if (c == '<' && next == '=') op = pcLessEqual;
                if (op != static_cast<unsigned char>(c)) ++i;
                pushOperator(op);
                ++i;
            } else {
                i = readOperand(i);
            }
        }
        while (!stack_.empty()) {
            if (stack_.back() == '(') throw EParserError(LanguageText::MissingCloseParen);
            out_ += stack_.back();
            stack_.pop_back();
        }
        return std::move(out_);
    }

private:
    // ")" sends the operators above the innermost "(" to the output and drops
    // the "("; without one it does nothing.
    void closeParenthesis()
    {
        size_t open = stack_.rfind('(');
        if (open == std::string::npos) return;
        for (size_t k = stack_.size(); k > open + 1; --k) out_ += stack_[k - 1];
        stack_.resize(open);
    }

    void pushOperator(unsigned char op)
    {
        if (!operand_) {
            if (op == '-') op = pcNegate;
            else if (op == '+') op = pcPlus;
        }
        // Operators that bind at least as tightly leave the stack first, so equal
        // priorities associate to the left.
        int priority = OperatorPriority(op);
        while (!stack_.empty() && priority >= OperatorPriority(static_cast<unsigned char>(stack_.back()))) {
            out_ += stack_.back();
            stack_.pop_back();
        }
        stack_.push_back(static_cast<char>(op));
        operand_ = false;
    }

    // Appends "[" + the bracketed text + "]" read at pos; pos moves past the "]".
    void appendBracketed(AnsiString& operand, size_t& pos)
    {
        size_t start = pos, end = pos;
        bool closed = false;
        std::string_view inner = ReadBracketed(text_, start, end, &closed);
        if (!closed) throw EParserError(LanguageText::MissingBracket);
        operand += '[';
        operand += inner;
        operand += ']';
        pos = end + 1;
    }

    // Reads the operand (or keyword operator) that begins at i; returns the
    // position after it.
    size_t readOperand(size_t i)
    {
        const size_t n = text_.size();
        AnsiString operand;
        size_t p = i;
        if (text_[p] == '%') {
            // A two-character prefix such as %d belongs to the operand.
            size_t end = p + 2 < n ? p + 2 : n;
            operand.assign(text_.substr(p, end - p));
            p = end;
        }
        if (p < n && text_[p] == '\'') {
            bool closed = false;
            operand += ReadQuotedString(text_, p, &closed);
            if (!closed) throw EParserError(LanguageText::MissingQuote);
        } else if (p < n && text_[p] == '[') {
            appendBracketed(operand, p);
        } else {
            operand += ReadIdentifier(text_, p);
            if (p < n && text_[p] == '[') appendBracketed(operand, p);
        }
        // Control characters alone are not an operand: the walk goes on after them.
        if (operand.empty()) return p;
        operand_ = true;

        unsigned char first = static_cast<unsigned char>(operand[0]);
        if (std::isdigit(first) || first == ',' || first == '.') {
            out_ += operand;
            out_ += ' ';
            return p;
        }
        if (unsigned char code = keywordCode(operand)) {
            pushOperator(code);
            return p;
        }
        if (p < n && text_[p] == '(') {
            size_t open = p;
            ReadArguments(text_, p);
            out_ += operand;
            out_ += text_.substr(open, p - open);
            return p;
        }
        out_ += operand;
        out_ += ' ';
        return p;
    }

    std::string_view text_;
    AnsiString out_;
    std::string stack_;  // operators, the top at the back
    bool operand_ = false;
};

}  // namespace

AnsiString TrqParser::ToPostfix(std::string_view text)
{
    return PostfixConverter(text).Run();
}

#include "report/language/ScriptCompiler.h"

#include "report/language/LexicalReaders.h"
#include "report/language/Parser.h"
#include "report/language/ParserError.h"
#include "runtime/SysUtils.h"

#include <cctype>
#include <vector>

namespace {

constexpr size_t BufferSize = 32000;  // the script and its terminating zero
constexpr size_t MaxLabels = 101;
constexpr size_t MaxLabelLength = 16;
constexpr size_t MaxLines = 65535;    // every jump target, the end included, fits two bytes
constexpr int MaxNesting = 128;

constexpr char JumpIfZero = 1;
constexpr char Jump = 2;
constexpr char Evaluate = 3;

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isNameChar(char c)
{
    return isLetter(c) || isDigit(c) || c == '.' || c == '_';
}

bool isBlank(char c)
{
    return c != 0 && static_cast<unsigned char>(c) <= 32;
}

// A keyword at the beginning of an (upper-cased) word, not followed by more of a name.
bool isKeyword(const AnsiString& word, std::string_view keyword)
{
    return word.compare(0, keyword.size(), keyword) == 0 &&
           (word.size() == keyword.size() || !isNameChar(word[keyword.size()]));
}

AnsiString targetBytes(size_t line)
{
    AnsiString bytes(2, '\0');
    bytes[0] = static_cast<char>(line & 0xFF);
    bytes[1] = static_cast<char>((line >> 8) & 0xFF);
    return bytes;
}

struct CompiledLine {
    AnsiString text;
    size_t at;            // buffer position of the expression (for errors of the final pass)
    bool isGoto = false;  // a GOTO whose label the final pass resolves
};

struct Label {
    AnsiString text;  // digits and colon
    size_t line;
};

struct Comment {
    size_t start;
    size_t length;
};

class Compiler {
public:
    Compiler(const TStringList& source, TStringList& errors) : errors_(errors)
    {
        for (int i = 0; i < source.Count(); ++i) {
            AnsiString line = source[i];
            for (char& c : line)
                if (c == '\t') c = ' ';
            lines_.push_back(line);
        }
    }

    std::vector<AnsiString> Run(AnsiString* unread)
    {
        size_t length = 0;
        for (const AnsiString& line : lines_) length += line.size() + 1;
        if (length > BufferSize - 1) {
            addError(LanguageText::ScriptTooLong, BufferSize - 1);
            return {};
        }
        buf_.reserve(length);
        for (const AnsiString& line : lines_) {
            buf_ += line;
            buf_ += '\r';
        }
        statement();
        if (unread && !error_) *unread = unreadText();
        return finalPass();
    }

private:
    // ---- reading ---------------------------------------------------------

    char ch(size_t i) const { return i < buf_.size() ? buf_[i] : 0; }

    size_t charLength(size_t i) const
    {
        return IsLeadByte(static_cast<unsigned char>(buf_[i])) && i + 1 < buf_.size() ? 2 : 1;
    }

    void removeComment(size_t at, size_t end)
    {
        comments_.push_back({at, end - at});
        buf_.erase(at, end - at);
    }

    // The next blank-delimited word, upper-cased ("" reads as " "). Comments met
    // on the way are removed from the text, unless the word is a quoted text.
    AnsiString getToken()
    {
        tokenStart_ = pos_;
        for (;;) {
            while (isBlank(ch(pos_))) ++pos_;
            wordStart_ = pos_;
            bool restart = false;
            while (pos_ < buf_.size() && static_cast<unsigned char>(buf_[pos_]) > 32) {
                bool quoted = pos_ > wordStart_ && buf_[wordStart_] == '\'';
                if (!quoted && buf_[pos_] == '{') {
                    size_t close = buf_.find('}', pos_);
                    removeComment(pos_, close == AnsiString::npos ? buf_.size() : close + 1);
                } else if (!quoted && buf_[pos_] == '/' && ch(pos_ + 1) == '/') {
                    // The line break stays: it still ends the word.
                    size_t eol = buf_.find('\r', pos_);
                    removeComment(pos_, eol == AnsiString::npos ? buf_.size() : eol);
                } else {
                    pos_ += charLength(pos_);
                    continue;
                }
                if (pos_ == wordStart_) {
                    restart = true;
                    break;
                }
            }
            if (!restart) break;
        }
        if (pos_ == wordStart_) return " ";
        return UpperCase(std::string_view(buf_).substr(wordStart_, pos_ - wordStart_));
    }

    // Puts the word just read back.
    void unread() { pos_ = wordStart_; }

    // True when the word just read is the keyword; the position is then just
    // after the keyword (a ";" or other text attached to it is read next).
    bool take(const AnsiString& word, std::string_view keyword)
    {
        if (!isKeyword(word, keyword)) return false;
        pos_ = wordStart_ + keyword.size();
        return true;
    }

    // Reads the keyword that must come next, or reports the error.
    bool expect(std::string_view keyword, const char* message)
    {
        if (take(getToken(), keyword)) return true;
        error(message);
        return false;
    }

    AnsiString sourceText(size_t from, size_t to) const
    {
        return Trim(std::string_view(buf_).substr(from, to > from ? to - from : 0));
    }

    // Where the text after the script's statement begins ("Line L/C"), or
    // empty when only blanks, comments and ";" follow.
    AnsiString unreadText()
    {
        for (;;) {
            AnsiString word = getToken();
            if (word == " ") return {};
            if (word[0] != ';') return position(wordStart_);
            pos_ = wordStart_ + 1;
        }
    }

    // ---- errors ----------------------------------------------------------

    // "Line L/C: message" for the first non-blank character at or after the
    // buffer position, counted in the source as written (comments included).
    void addError(const AnsiString& message, size_t at)
    {
        if (error_) return;
        error_ = true;
        errors_.Add(position(at) + ": " + message);
    }

    // "Line L/C" of that character.
    AnsiString position(size_t at) const
    {
        size_t p = at;
        while (isBlank(ch(p))) ++p;
        size_t offset = p;
        for (const Comment& c : comments_)
            if (c.start <= p) offset += c.length;
        size_t line = 1;
        for (size_t i = 0; i + 1 < lines_.size() && offset > lines_[i].size(); ++i) {
            offset -= lines_[i].size() + 1;
            ++line;
        }
        return "Line " + IntToStr(static_cast<int64_t>(line)) + "/" + IntToStr(static_cast<int64_t>(offset + 1));
    }
    void error(const char* message) { addError(message, tokenStart_); }

    struct Nesting {
        explicit Nesting(Compiler& c) : compiler(c) { ok = ++compiler.depth_ <= MaxNesting; }
        ~Nesting() { --compiler.depth_; }
        Compiler& compiler;
        bool ok;
    };
    bool enter(Nesting& nesting)
    {
        if (!nesting.ok) error(LanguageText::ScriptNestedTooDeeply);
        return nesting.ok && !error_;
    }

    // ---- output ----------------------------------------------------------

    // Appends a line and gives its index, or -1 when the script has too many.
    long emit(AnsiString text, size_t at, bool isGoto = false)
    {
        if (out_.size() >= MaxLines) {
            addError(LanguageText::TooManyLines, at);
            return -1;
        }
        out_.push_back({std::move(text), at, isGoto});
        return static_cast<long>(out_.size()) - 1;
    }
    void patch(long line, size_t target)
    {
        if (line < 0) return;
        out_[line].text.replace(1, 2, targetBytes(target));
    }
    static AnsiString unpatched(char code) { return AnsiString(1, code) + "  "; }

    // ---- statements ------------------------------------------------------

    void statement()
    {
        Nesting nesting(*this);
        if (!enter(nesting)) return;
        const size_t start = pos_;
        AnsiString word = getToken();
        if (word == " " || isKeyword(word, "END") || isKeyword(word, "UNTIL")) {
            pos_ = start;  // an empty statement; the word belongs to the enclosing one
        } else if (take(word, "BEGIN")) {
            block();
        } else if (take(word, "IF")) {
            ifStatement();
        } else if (take(word, "REPEAT")) {
            repeatStatement();
        } else if (take(word, "WHILE")) {
            whileStatement();
        } else if (take(word, "FOR")) {
            forStatement();
        } else if (take(word, "GOTO")) {
            gotoStatement();
        } else if (isLabel(word)) {
            labelledStatement(word);
        } else if (isLetter(buf_[wordStart_])) {
            nameStatement(wordStart_, nullptr);
        } else {
            expressionStatement(wordStart_);
        }
    }

    // Statements separated by words beginning with ";", up to the closing
    // keyword (END of BEGIN, UNTIL of REPEAT).
    bool statementList(std::string_view closing, const char* message)
    {
        for (;;) {
            statement();
            if (error_) return false;
            AnsiString word = getToken();
            if (word[0] == ';') {
                pos_ = wordStart_ + 1;
            } else if (take(word, closing)) {
                return true;
            } else {
                error(message);
                return false;
            }
        }
    }

    void block() { statementList("END", LanguageText::NeedSemicolonOrEnd); }

    // The condition of IF, WHILE, REPEAT or the end value of FOR.
    AnsiString condition(size_t& at)
    {
        at = pos_;
        expression();
        return sourceText(at, pos_);
    }

    void ifStatement()
    {
        size_t at;
        AnsiString test = condition(at);
        long jump = emit(unpatched(JumpIfZero) + test, at);
        if (!expect("THEN", LanguageText::NeedThen)) {
            patch(jump, out_.size());
            return;
        }
        statement();
        if (error_) {
            patch(jump, out_.size());
            return;
        }
        if (take(getToken(), "ELSE")) {
            long skip = emit(unpatched(Jump), pos_);
            patch(jump, out_.size());
            statement();
            patch(skip, out_.size());
        } else {
            unread();
            patch(jump, out_.size());
        }
    }

    void repeatStatement()
    {
        const size_t head = out_.size();
        if (!statementList("UNTIL", LanguageText::NeedSemicolonOrUntil)) return;
        size_t at;
        AnsiString test = condition(at);
        emit(AnsiString(1, JumpIfZero) + targetBytes(head) + test, at);
    }

    void whileStatement()
    {
        const size_t head = out_.size();
        size_t at;
        AnsiString test = condition(at);
        long jump = emit(unpatched(JumpIfZero) + test, at);
        if (!expect("DO", LanguageText::NeedDo)) {
            patch(jump, out_.size());
            return;
        }
        statement();
        emit(AnsiString(1, Jump) + targetBytes(head), pos_);
        patch(jump, out_.size());
    }

    void forStatement()
    {
        AnsiString variable;
        getToken();
        if (!isLetter(ch(wordStart_))) {
            error(LanguageText::NeedAssign);
            return;
        }
        nameStatement(wordStart_, &variable);
        if (error_ || !expect("TO", LanguageText::NeedTo)) return;
        size_t at;
        AnsiString last = condition(at);
        const size_t head = out_.size();
        long jump = emit(unpatched(JumpIfZero) + variable + "<=" + last, at);
        if (!expect("DO", LanguageText::NeedDo)) {
            patch(jump, out_.size());
            return;
        }
        statement();
        emit(variable + " " + variable + "+1", at);
        emit(AnsiString(1, Jump) + targetBytes(head), at);
        patch(jump, out_.size());
    }

    void gotoStatement()
    {
        AnsiString word = getToken();
        if (!isDigit(word[0])) {
            error(LanguageText::GotoNeedsNumber);
            return;
        }
        size_t end = wordStart_;
        while (isDigit(ch(end))) ++end;
        AnsiString label = buf_.substr(wordStart_, end - wordStart_);
        pos_ = end;
        emit(AnsiString(1, Jump) + label, wordStart_, true);
    }

    // Digits directly followed by ":" (and not ":=").
    static bool isLabel(const AnsiString& word)
    {
        size_t i = 0;
        while (i < word.size() && isDigit(word[i])) ++i;
        return i > 0 && i < word.size() && word[i] == ':' && (i + 1 == word.size() || word[i + 1] != '=');
    }

    void labelledStatement(const AnsiString& word)
    {
        AnsiString label = word.substr(0, word.find(':') + 1);
        if (label.size() > MaxLabelLength) {
            error(LanguageText::LabelTooLong);
            return;
        }
        bool known = false;
        for (const Label& l : labels_) known = known || l.text == label;
        if (!known) {
            if (labels_.size() >= MaxLabels) {
                error(LanguageText::TooManyLabels);
                return;
            }
            labels_.push_back({label, out_.size()});
        }
        pos_ = wordStart_ + label.size();
        statement();
    }

    // A statement that begins with a name: an assignment, an element assignment
    // (SETARRAY), a call of the name alone (NAME(0)), or a call written out.
    // For FOR, forVariable receives the text up to ":=" and nothing else is
    // accepted but an assignment.
    void nameStatement(size_t start, AnsiString* forVariable)
    {
        size_t p = start;
        while (isNameChar(ch(p))) ++p;
        if (ch(p) == '(' && !forVariable) {
            expressionStatement(start);
            return;
        }
        const AnsiString name = buf_.substr(start, p - start);
        pos_ = p;
        AnsiString index;
        bool indexed = false;
        if (ch(p) == '[') {
            pos_ = p + 1;
            size_t from = pos_;
            expression();
            if (error_) return;
            AnsiString close = getToken();
            if (close[0] != ']') {
                error(LanguageText::NeedCloseBracket);
                return;
            }
            index = sourceText(from, wordStart_);
            pos_ = wordStart_ + 1;
            indexed = true;
        }
        const size_t afterName = pos_;
        AnsiString word = getToken();
        if (word.compare(0, 2, ":=") == 0) {
            if (forVariable) *forVariable = buf_.substr(start, wordStart_ - start);
            pos_ = wordStart_ + 2;
            size_t at = pos_;
            expression();
            AnsiString value = sourceText(at, pos_);
            if (indexed)
                emit(AnsiString(1, Evaluate) + "SETARRAY(" + name + ", " + index + ", " + value + ")", at);
            else emit(name + " " + value, at);
        } else if (!forVariable && endsStatement(word)) {
            pos_ = afterName;
            emit(AnsiString(1, Evaluate) + name + "(0)", start);
        } else {
            error(LanguageText::NeedAssign);
        }
    }

    // Words that can follow a name standing alone as a statement. UNTIL is not
    // one of them: "REPEAT NEWPAGE UNTIL 1" asks for ":=", as stored templates
    // compiled elsewhere have it.
    static bool endsStatement(const AnsiString& word)
    {
        return word == " " || word[0] == ';' || isKeyword(word, "END") || isKeyword(word, "ELSE");
    }

    void expressionStatement(size_t start)
    {
        pos_ = start;
        expression();
        AnsiString text = sourceText(start, pos_);
        if (!text.empty()) emit(AnsiString(1, Evaluate) + text, start);
    }

    // ---- expressions (checked only; the lines keep the source text) ------

    void expression()
    {
        Nesting nesting(*this);
        if (!enter(nesting)) return;
        simpleExpression();
        AnsiString word = getToken();
        if (word.compare(0, 2, ">=") == 0 || word.compare(0, 2, "<=") == 0 || word.compare(0, 2, "<>") == 0) {
            pos_ = wordStart_ + 2;
            simpleExpression();
        } else if (word[0] == '<' || word[0] == '=' || word[0] == '>') {
            pos_ = wordStart_ + 1;
            simpleExpression();
        } else {
            unread();
        }
    }

    // Operands joined by operators of one priority: a simple expression joins
    // terms with + - OR, a term joins factors with * / AND MOD.
    void chain(void (Compiler::*operand)(), std::string_view symbols,
               std::initializer_list<std::string_view> keywords)
    {
        for (;;) {
            (this->*operand)();
            if (error_) return;
            AnsiString word = getToken();
            if (symbols.find(word[0]) != std::string_view::npos) {
                pos_ = wordStart_ + 1;
                continue;
            }
            bool joined = false;
            for (std::string_view keyword : keywords) joined = joined || take(word, keyword);
            if (!joined) {
                unread();
                return;
            }
        }
    }
    void simpleExpression() { chain(&Compiler::term, "+-", {"OR"}); }
    void term() { chain(&Compiler::factor, "*/", {"AND", "MOD"}); }

    // Expects a word beginning with `close`; steps over that character.
    bool expectClose(char close, const char* message)
    {
        AnsiString word = getToken();
        if (word[0] != close) {
            error(message);
            return false;
        }
        pos_ = wordStart_ + 1;
        return true;
    }

    void factor()
    {
        AnsiString word = getToken();
        const size_t start = wordStart_;
        const char c = ch(start);
        if (c == '(') {
            pos_ = start + 1;
            expression();
            if (!error_) expectClose(')', LanguageText::NeedCloseParen);
        } else if (c == '[') {
            size_t open = start, end = start;
            bool closed = false;
            ReadBracketed(buf_, open, end, &closed);
            if (closed) pos_ = end + 1;
            else error(LanguageText::NeedCloseBracket);
        } else if (c == '+' || c == '-') {
            pos_ = start + 1;
            expression();
        } else if (take(word, "NOT")) {
            expression();
        } else if (isLetter(c)) {
            size_t p = start;
            while (isNameChar(ch(p))) ++p;
            pos_ = p;
            if (ch(p) == '(') {
                pos_ = p + 1;
                for (;;) {
                    expression();
                    if (error_) return;
                    AnsiString next = getToken();
                    if (next[0] == ')') {
                        pos_ = wordStart_ + 1;
                        return;
                    }
                    if (next[0] != ',') {
                        error(LanguageText::NeedCommaOrCloseParen);
                        return;
                    }
                    pos_ = wordStart_ + 1;
                }
            } else if (ch(p) == '[') {
                pos_ = p + 1;
                expression();
                if (!error_) expectClose(']', LanguageText::NeedCloseBracket);
            }
        } else if (isDigit(c)) {
            size_t p = start;
            while (isDigit(ch(p))) ++p;
            if (ch(p) == '.') {
                ++p;
                while (isDigit(ch(p))) ++p;
            }
            pos_ = p;
        } else if (c == '\'') {
            // A quoted text may hold blanks and comment characters: read it whole.
            size_t p = start;
            ReadQuotedString(buf_, p);
            pos_ = p;
        } else {
            unread();  // not a factor; left for the caller
        }
    }

    // ---- final pass ------------------------------------------------------

    std::vector<AnsiString> finalPass()
    {
        std::vector<AnsiString> result;
        result.reserve(out_.size());
        for (CompiledLine& line : out_) {
            try {
                resolve(line);
            } catch (const Exception& e) {
                // What was compiled before the failing line still runs.
                addError(e.Message().empty() ? LanguageText::NeedCloseParen : e.Message(), line.at);
                break;
            }
            result.push_back(std::move(line.text));
        }
        return result;
    }

    void resolve(CompiledLine& line)
    {
        AnsiString& text = line.text;
        switch (text[0]) {
        case Jump:
            if (line.isGoto) {
                AnsiString label = text.substr(1) + ":";
                for (const Label& l : labels_)
                    if (l.text == label) {
                        text = AnsiString(1, Jump) + targetBytes(l.line);
                        return;
                    }
                throw EParserError(Format(LanguageText::UndefinedLabel, text.substr(1).c_str()));
            }
            return;
        case JumpIfZero: text = text.substr(0, 3) + TrqParser::ToPostfix(std::string_view(text).substr(3)); return;
        case Evaluate: text = text.substr(0, 1) + TrqParser::ToPostfix(std::string_view(text).substr(1)); return;
        default: {
            size_t blank = text.find(' ');
            if (blank == AnsiString::npos) blank = text.size();
            AnsiString postfix = TrqParser::ToPostfix(std::string_view(text).substr(std::min(blank + 1, text.size())));
            text = text.substr(0, blank) + " " + postfix;
        }
        }
    }

    std::vector<AnsiString> lines_;
    TStringList& errors_;
    AnsiString buf_;
    size_t pos_ = 0;
    size_t tokenStart_ = 0;
    size_t wordStart_ = 0;
    bool error_ = false;
    int depth_ = 0;
    std::vector<Label> labels_;
    std::vector<Comment> comments_;
    std::vector<CompiledLine> out_;
};

}  // namespace

void CompileScriptLines(const TStringList& source, TStringList& compiled, TStringList& errors, AnsiString* unread)
{
    errors.Clear();
    if (unread) unread->clear();
    Compiler compiler(source, errors);  // reads the source before compiled is cleared
    compiled.Clear();
    for (AnsiString& line : compiler.Run(unread)) compiled.Add(line);
    if (unread && !errors.IsEmpty()) unread->clear();
}

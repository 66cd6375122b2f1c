#pragma once
// TrqParser: the expressions of the report engine (memo brackets, band
// conditions, script right-hand sides, function arguments).
//
// An expression is evaluated in two steps: ToPostfix turns its text into a
// postfix text, EvaluatePostfix runs that on a stack of 32 values. The parser
// itself knows numbers, quoted texts, TRUE and FALSE, its operators and the
// functions COPY, IF, STRTODATE and STRTOTIME; every other name goes to
// OnGetValue and every other call to OnFunction.
//
// The postfix text: an operand (number, identifier, quoted literal with its
// quotes, bracketed name with its brackets, or name[index]) followed by one
// blank; a call copied as NAME(arguments) with no blank after it; operators as
// one character each (+ - * / < = > themselves, the others the codes of
// TrqOperatorCode). Compiled scripts and band conditions keep this form and run
// it with EvaluatePostfix, so nothing is parsed twice while a report runs;
// Evaluate keeps the postfix of the texts it has converted for the same reason.
//
// Evaluation keeps no state in the parser besides the converted texts it keeps:
// a callback may call Evaluate on the same parser again (the built-in
// functions do so for their arguments).

#include "runtime/AnsiString.h"
#include "runtime/Variant.h"

#include <functional>
#include <string_view>
#include <unordered_map>

// Asked for the value of a name: a bare identifier arrives upper-cased, a
// bracketed name as written.
using TDetailEvent = std::function<void(const AnsiString& name, Variant& value)>;
// Asked for the result of a call: the name upper-cased, the arguments as their
// unevaluated source texts (an empty text for a missing argument).
using TFunctionEvent = std::function<void(const AnsiString& name, const Variant& p1, const Variant& p2,
                                          const Variant& p3, Variant& value)>;

// The one-character codes of the operators that are not written as themselves.
enum TrqOperatorCode : unsigned char {
    pcGreaterEqual = 1,
    pcLessEqual = 2,
    pcNotEqual = 3,
    pcOr = 4,
    pcAnd = 5,
    pcInt = 6,
    pcFrac = 7,
    pcNegate = 9,
    pcPlus = 10,
    pcStr = 11,
    pcNot = 12,
    pcMod = 13,
    pcRound = 14,
};

// Binding of an operator character in the conversion: a smaller number binds
// tighter; "(" is 5, ")" is 4, every other character 0.
int OperatorPriority(unsigned char op);

class TrqParser {
public:
    // The number of values the evaluation stack holds.
    static constexpr int StackSize = 32;

    TDetailEvent OnGetValue;
    TFunctionEvent OnFunction;

    // EvaluatePostfix(ToPostfix(text)), with the postfix of short texts kept
    // for the next time.
    Variant Evaluate(std::string_view text);
    // Raises EParserError for an unmatched "(", an unterminated quoted text or
    // bracketed name, and an argument list that is not closed.
    static AnsiString ToPostfix(std::string_view text);
    // Raises EParserError when an operator finds too few values, when more than
    // 32 values are needed, and when evaluation nests too deeply; conversion
    // errors of numbers and dates pass through, as do the callbacks' errors.
    // A name or call whose callback is unset gives an empty value.
    Variant EvaluatePostfix(std::string_view postfix);

private:
    Variant callFunction(const AnsiString& name, std::string_view p1, std::string_view p2, std::string_view p3);

    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>()(s); }
    };
    std::unordered_map<AnsiString, AnsiString, TextHash, std::equal_to<>> cache_;
    int evaluating_ = 0;  // evaluations of kept postfix texts in progress
};

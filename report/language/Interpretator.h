#pragma once
// The script interpreter.
//
// TrqInterpretator compiles a script (a few lines of BEGIN/END, IF, REPEAT,
// WHILE, FOR, GOTO and assignments over report expressions) into instruction
// lines, and runs them. It owns a parser whose names and calls go to its
// ReadVariable and CallFunction; assignments go to WriteVariable. The base class
// does nothing in these three; TInterpretator, the class of rqInterpreter, joins
// scripts to the report: names and calls reach rqParser's handlers, so scripts
// see what memo expressions see, and assignments follow WriteReportVariable.
//
// A compiled line is one instruction, told by its first character:
//   \x01 lo hi condition   jump to line lo + 256 * hi when the condition is 0
//   \x02 lo hi             jump to line lo + 256 * hi
//   \x03 expression        evaluate (EXIT(0) ends the script)
//   name blank expression  assignment
// Expressions are held in postfix form, so running never parses them again.
//
// Running checks in every CheckInterval instructions, counted across runs: it
// calls OnCheck (a build lets its progress window handle Cancel there, and
// throws EAbort to stop a script that should stop), and throws EAbort itself
// once a stop was requested from outside (StopRequest.h). That is what keeps
// a script that loops for ever from hanging the program; a long loop that
// ends is never cut short.

#include "report/language/Parser.h"
#include "runtime/StringList.h"

#include <cstdint>
#include <functional>

class TrqVariables;

class TrqInterpretator {
public:
    TrqInterpretator();
    virtual ~TrqInterpretator() = default;
    TrqInterpretator(const TrqInterpretator&) = delete;
    TrqInterpretator& operator=(const TrqInterpretator&) = delete;

    virtual void ReadVariable(const AnsiString& name, Variant& value);
    virtual void WriteVariable(const AnsiString& name, const Variant& value);
    virtual void CallFunction(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3,
                              Variant& value);
    // Compiles source into compiled; appends "Line L/C: message" to errors for
    // a syntax error (compiled keeps what was compiled before it). compiled and
    // errors are cleared first; source and compiled may be the same list.
    virtual void CompileScript(const TStringList& source, TStringList& compiled, TStringList& errors);
    // As CompileScript, and gives what the script's author should hear when
    // the script does less than its text says: its first compile error (only
    // what comes before it runs), or where text after its one statement
    // begins (that text never runs). Empty when neither.
    AnsiString CompileScriptAndNote(const TStringList& source, TStringList& compiled, TStringList& errors);
    // Runs compiled lines; errors of the expressions and of the callbacks pass.
    virtual void RunScript(const TStringList& compiled);

    // Adds to found every call of one of the named functions (any letter case)
    // in the expressions of a compiled script; names in variables are followed
    // into their expression texts.
    void FindFunctionCalls(const TStringList& compiled, const TStringList& names, const TrqVariables& variables,
                           TStringList& found);

    TrqParser& Parser() { return parser_; }

    // Stops RunScript with EParserError after this many instructions (0: never),
    // for callers that run scripts they do not trust to end.
    void SetStepLimit(int64_t steps) { stepLimit_ = steps; }

    static constexpr int CheckInterval = 4096;
    // Called every CheckInterval instructions; may throw (EAbort) to stop the script.
    std::function<void()> OnCheck;

protected:
    TrqParser parser_;

private:
    void check();

    int64_t stepLimit_ = 0;
    int untilCheck_ = CheckInterval;
};

class TInterpretator : public TrqInterpretator {
public:
    void ReadVariable(const AnsiString& name, Variant& value) override;
    void WriteVariable(const AnsiString& name, const Variant& value) override;
    void CallFunction(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3,
                      Variant& value) override;
};

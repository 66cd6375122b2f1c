#include "FakeReport.h"

#include "report/language/ParserError.h"
#include "report/language/StopRequest.h"

#include <string>

using namespace std::string_literals;

namespace {

class Script : public LanguageTest {
protected:
    std::vector<std::string> compile(std::string_view text)
    {
        TStringList source;
        source.SetText(text);
        TStringList compiled;
        rqInterpreter().CompileScript(source, compiled, errors);
        std::vector<std::string> lines;
        for (int i = 0; i < compiled.Count(); ++i) lines.push_back(compiled[i]);
        return lines;
    }
    void run(std::string_view text)
    {
        TStringList source, compiled;
        source.SetText(text);
        rqInterpreter().CompileScript(source, compiled, errors);
        EXPECT_TRUE(errors.IsEmpty()) << text << ": " << errors.Text();
        rqInterpreter().RunScript(compiled);
    }
    std::string var(const char* name) { return Shown(rqVariables().GetVariable(name)); }
    std::string firstError() { return errors.IsEmpty() ? std::string() : errors[0]; }

    TStringList errors;
};

TEST_F(Script, StatementsCompileToInstructionLines)
{
    using Lines = std::vector<std::string>;
    const std::pair<const char*, Lines> cases[] = {
        {"a := 1; b := 2", {"a 1 "}},
        {"BEGIN a := 1; b := 2 END", {"a 1 ", "b 2 "}},
        {"begin end", {}},
        {"", {}},
        {"IF x > 5 THEN y := 1 ELSE y := 2", {"\x01\x03\x00x 5 >"s, "y 1 ", "\x02\x04\x00"s, "y 2 "}},
        {"BEGIN IF a > 0 THEN b := 1 END", {"\x01\x02\x00" "a 0 >"s, "b 1 "}},
        {"WHILE i < 3 DO i := i + 1", {"\x01\x03\x00i 3 <"s, "i i 1 +", "\x02\x00\x00"s}},
        {"REPEAT i := i + 1 UNTIL i >= 3", {"i i 1 +", "\x01\x00\x00i 3 \x01"s}},
        {"FOR i := 1 TO 3 DO s := s + i",
         {"i 1 ", "\x01\x05\x00i 3 \x02"s, "s s i +", "i i 1 +", "\x02\x01\x00"s}},
        {"BEGIN 10: i := i + 1; IF i < 5 THEN GOTO 10 END",
         {"i i 1 +", "\x01\x03\x00i 5 <"s, "\x02\x00\x00"s}},
        {"NEWPAGE;", {"\x03NEWPAGE(0)"}},
        {"BEGIN Memo1.Hide END", {"\x03Memo1.Hide(0)"}},
        {"SHOWBAND(Band1)", {"\x03SHOWBAND(Band1)"}},
        {"x:=y", {"x y "}},
        {"arr[i + 1] := 5", {"\x03SETARRAY(arr, i + 1, 5)"}},
        {"x := 'a{b}' + [c d]", {"x 'a{b}' [c d] +"}},
        {"BEGIN { first } a := 1; // note\n b := 2 // last\nEND", {"a 1 ", "b 2 "}},
        {"x := -(a + b) * c", {"x a b +c *\x09"}},
    };
    for (const auto& [script, lines] : cases) {
        EXPECT_EQ(compile(script), lines) << script;
        EXPECT_TRUE(errors.IsEmpty()) << script << ": " << errors.Text();
    }
}

TEST_F(Script, Runs)
{
    struct Case {
        const char* script;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"BEGIN i := 0; WHILE i < 3 DO i := i + 1 END", "i", "float:3"},
        {"BEGIN i := 0; REPEAT i := i + 1 UNTIL i >= 3 END", "i", "float:3"},
        {"BEGIN s := 0; FOR i := 1 TO 3 DO s := s + i END", "s", "float:6"},
        {"BEGIN s := 0; FOR i := 1 TO 3 DO s := s + i END", "i", "float:4"},
        {"BEGIN i := 0; 10: i := i + 1; IF i < 5 THEN GOTO 10 END", "i", "float:5"},
        {"BEGIN exit; a := 1 END", "a", "null:"},
        {"IF 2 > 1 THEN a := 'then' ELSE a := 'else'", "a", "string:then"},
        {"IF 2 < 1 THEN a := 'then' ELSE a := 'else'", "a", "string:else"},
        {"begin a := 1; begin a := a * 10; b := a end end", "b", "float:10"},
        {"BEGIN arr[2] := 'two'; x := arr[1 + 1] END", "x", "string:two"},
    };
    for (const Case& c : cases) {
        rqVariables().Clear();
        run(c.script);
        EXPECT_EQ(var(c.name), c.value) << c.script;
    }
}

TEST_F(Script, SyntaxErrorsNameTheirPlace)
{
    const std::pair<const char*, const char*> cases[] = {
        {"BEGIN a := 1 b := 2 END", "Line 1/14: Need \";\" or \"end\" here"},
        {"IF a ELSE b", "Line 1/6: Need \"then\" here"},
        {"REPEAT a := 1 b", "Line 1/15: Need \";\" or \"until\" here"},
        {"WHILE a b", "Line 1/9: Need \"do\" here"},
        {"FOR i := 1 DO x", "Line 1/12: Need \"to\" here"},
        {"GOTO x", "Line 1/6: \"goto\" label must be a number"},
        {"a + 1", "Line 1/3: Need \":=\" here"},
        {"x := (1 + 2", "Line 1/13: Need \")\" here"},
        {"x := [a", "Line 1/6: Need \"]\" here"},
        {"x := f(1 2)", "Line 1/10: Need \",\" or \")\" here"},
        {"BEGIN { c } x + 1 END", "Line 1/15: Need \":=\" here"},
        {"BEGIN // first\n{ a\n b } x + 1 END", "Line 3/8: Need \":=\" here"},
        {"BEGIN\n\ta := 1;\n\tb 2\nEND", "Line 3/4: Need \":=\" here"},
        {"GOTO 7", "Line 1/6: Label \"7\" is not defined"},
        // A name alone ends at ";", END, ELSE or the end of the text, not at UNTIL.
        {"REPEAT NEWPAGE UNTIL 1", "Line 1/16: Need \":=\" here"},
    };
    for (const auto& [script, message] : cases) {
        compile(script);
        EXPECT_EQ(errors.Count(), 1) << script;
        EXPECT_EQ(firstError(), message) << script;
    }
}

TEST_F(Script, SaysWhenItDoesLessThanItsText)
{
    const std::string notRun =
        ": the text from here on never runs (a script is one statement; put several between BEGIN and END)";
    const std::pair<const char*, std::string> cases[] = {
        {"X := 3; X := X + 1", "Line 1/9" + notRun},
        {"BEGIN a := 1 END END", "Line 1/18" + notRun},
        // Comments, blanks and semicolons after the statement are no text.
        {"NEWPAGE;", ""},
        {"BEGIN a := 1; b := 2 END; ; // done\n{ really }", ""},
        {"a := 1 { one } ;\n  // two\n  b := 2", "Line 3/3" + notRun},
        {"begin\n  a := 1;\n  b 2\nend", "Line 3/5: Need \":=\" here (only what comes before it runs)"},
        {"GOTO 7", "Line 1/6: Label \"7\" is not defined (only what comes before it runs)"},
    };
    for (const auto& [script, note] : cases) {
        TStringList source, compiled;
        source.SetText(script);
        EXPECT_EQ(rqInterpreter().CompileScriptAndNote(source, compiled, errors), note) << script;
        // The note changes nothing of what is compiled.
        TStringList plain, plainErrors;
        rqInterpreter().CompileScript(source, plain, plainErrors);
        EXPECT_EQ(compiled, plain) << script;
        EXPECT_EQ(errors, plainErrors) << script;
    }
}

TEST_F(Script, LoopsCheckInAndStopWhenTold)
{
    TStringList source{"WHILE 1 = 1 DO X := X + 1"}, endless, errors;
    rqInterpreter().CompileScript(source, endless, errors);
    rqVariables().SetVariable("X", Variant(0));
    int checks = 0;
    rqInterpreter().OnCheck = [&] {
        if (++checks == 3) Abort();
    };
    EXPECT_THROW(rqInterpreter().RunScript(endless), EAbort);
    rqInterpreter().OnCheck = nullptr;
    EXPECT_EQ(checks, 3);
    // Each iteration is three instructions; the checks come every CheckInterval of them.
    EXPECT_GE(rqVariables().GetVariable("X").AsInteger(), 2 * TrqInterpretator::CheckInterval / 3);
    EXPECT_LE(rqVariables().GetVariable("X").AsInteger(), 3 * TrqInterpretator::CheckInterval / 3 + 1);

    // A stop requested from outside (SIGINT) stops it without any hook.
    RequestStop();
    EXPECT_THROW(rqInterpreter().RunScript(endless), EAbort);
    ClearStopRequest();
}

TEST_F(Script, WhatCompiledBeforeAnErrorRuns)
{
    TStringList source{"BEGIN a := 1;", "b + 1;", "c := 3 END"}, compiled, errors;
    rqInterpreter().CompileScript(source, compiled, errors);
    EXPECT_EQ(errors.Count(), 1);
    rqInterpreter().RunScript(compiled);
    EXPECT_EQ(var("a"), "float:1");
    EXPECT_EQ(var("c"), "null:");
}

TEST_F(Script, CompilesInPlace)
{
    TStringList script{"BEGIN", "  x := 2 * 3", "END"};
    TStringList errors{"stale"};
    rqInterpreter().CompileScript(script, script, errors);
    EXPECT_TRUE(errors.IsEmpty());
    rqInterpreter().RunScript(script);
    EXPECT_EQ(var("x"), "float:6");
}

TEST_F(Script, LimitsGiveErrorsInsteadOfOverflowing)
{
    std::string longScript = "BEGIN\n" + std::string(31990, ' ') + "\nx := 1 END";
    EXPECT_TRUE(compile(longScript).empty());
    EXPECT_EQ(firstError(), "Line 3/3: Script is too long (more than 31999 characters)");

    auto labelled = [](int count) {
        std::string s = "BEGIN ";
        for (int i = 1; i <= count; ++i) s += std::to_string(i) + ": a := 1; ";
        return s + "END";
    };
    compile(labelled(101));
    EXPECT_TRUE(errors.IsEmpty());
    compile(labelled(102));
    EXPECT_EQ(firstError(), "Line 1/1212: Too many labels (more than 101)");

    compile("BEGIN 123456789012345: a := 1 END");
    EXPECT_TRUE(errors.IsEmpty());
    compile("BEGIN 1234567890123456: a := 1 END");
    EXPECT_EQ(firstError(), "Line 1/7: Label is too long (more than 16 characters)");

    compile(std::string(200, '(') + "x");
    EXPECT_EQ(firstError().substr(firstError().find(':') + 2), LanguageText::ScriptNestedTooDeeply);
    compile("x := " + std::string(200, '-') + "1");
    EXPECT_EQ(firstError().substr(firstError().find(':') + 2), LanguageText::ScriptNestedTooDeeply);
}

TEST_F(Script, StatementsReachTheReport)
{
    FakeReport report;
    ScopedReportContext installed(&report);
    report.properties["Memo1.Left"] = Variant(0);
    rqVariables().SetVariable("a", Variant(1));
    run("BEGIN NEWPAGE; Hide; Memo1.Left := 5; a := a + 1; cury := 7 END");
    EXPECT_EQ(report.calls, (std::vector<std::string>{"new page", "method HIDE(0)", "host A"}));
    EXPECT_EQ(report.properties["Memo1.Left"].AsInteger(), 5);
    EXPECT_EQ(var("a"), "float:2");
    EXPECT_EQ(var("cury"), "float:7");  // only CURY in capitals moves the position
}

TEST_F(Script, FindsFunctionCalls)
{
    TStringList source{"BEGIN IF SUM([a]) > 1 THEN x := COUNT(Band1) + v;", "sum(1) END"}, compiled, errors;
    rqInterpreter().CompileScript(source, compiled, errors);
    ASSERT_TRUE(errors.IsEmpty());
    TStringList names{"SUM", "COUNT", "MAX"}, found;
    TrqVariables variables;
    variables.SetVariable("v", Variant("MAX([q])"));
    rqInterpreter().FindFunctionCalls(compiled, names, variables, found);
    EXPECT_EQ(found, (TStringList{"SUM([a])", "COUNT(Band1)", "MAX([q])", "sum(1)"}));
}

TEST_F(Script, RunningEndsOnItsOwnTerms)
{
    TStringList loop{"\x01\x00\x00" "1 ", "\x02"};  // a cut jump line ends the script
    rqInterpreter().RunScript(loop);

    TStringList source{"WHILE 1 DO a := 1"}, compiled, errors;
    rqInterpreter().CompileScript(source, compiled, errors);
    rqInterpreter().SetStepLimit(100);
    EXPECT_THROW(rqInterpreter().RunScript(compiled), EParserError);
    rqInterpreter().SetStepLimit(0);

    TStringList failing{"a 1 ", "b [Nowhere] "};
    EXPECT_THROW(rqInterpreter().RunScript(failing), EParserError);
    EXPECT_EQ(var("a"), "float:1");
}

}  // namespace

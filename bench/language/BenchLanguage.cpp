// The report language's workloads: a memo bracket evaluated from its cached
// postfix (as a band prints it for every record), the same bracket through the
// engine's name resolver, its conversion, and a 20-line script with a loop.
#include "report/language/Globals.h"
#include "report/language/NameResolution.h"

#include <benchmark/benchmark.h>

namespace {

const char* const bracket = "[Qty]*[Price]+1";

TrqParser numbersParser()
{
    TrqParser parser;
    parser.OnGetValue = [](const AnsiString& name, Variant& value) {
        value = name == "Qty" ? Variant(3) : Variant(2.5);
    };
    return parser;
}

void BM_BracketFromCachedPostfix(benchmark::State& state)
{
    TrqParser parser = numbersParser();
    const AnsiString postfix = TrqParser::ToPostfix(bracket);
    for (auto _ : state) benchmark::DoNotOptimize(parser.EvaluatePostfix(postfix));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BracketFromCachedPostfix);

void BM_BracketThroughEvaluate(benchmark::State& state)
{
    TrqParser parser = numbersParser();
    for (auto _ : state) benchmark::DoNotOptimize(parser.Evaluate(bracket));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BracketThroughEvaluate);

// A memo bracket as the band engine expands it: the bracket text goes to the
// engine's name resolver, which finds it nowhere and evaluates it; Qty and
// Price are global variables.
void BM_BracketThroughNameResolution(benchmark::State& state)
{
    rqVariables().SetVariable("Qty", Variant(3));
    rqVariables().SetVariable("Price", Variant(2.5));
    const AnsiString name = bracket;
    Variant value;
    for (auto _ : state) {
        ClearNameUnderEvaluation();
        ResolveName(name, value);
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(state.iterations());
    rqVariables().Clear();
}
BENCHMARK(BM_BracketThroughNameResolution);

void BM_ToPostfix(benchmark::State& state)
{
    const char* text = "IF([Qty] > 10, [Qty]*[Price]*0.9, [Qty]*[Price]) + ROUND(FRAC([Tax]) * 100)";
    for (auto _ : state) benchmark::DoNotOptimize(TrqParser::ToPostfix(text));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ToPostfix);

const TStringList& loopScript()
{
    static const TStringList script{
        "begin",
        "  total := 0;",
        "  count := 0;",
        "  i := 1;",
        "  while i <= 10 do",
        "  begin",
        "    line := i * price;",
        "    if line > 20 then",
        "      total := total + line * 0.9",
        "    else",
        "      total := total + line;",
        "    count := count + 1;",
        "    i := i + 1",
        "  end;",
        "  avg := total / count;",
        "  note := 'Total: ' + STR(ROUND(total));",
        "  if avg > 10 then big := 1",
        "  else big := 0;",
        "  done := 1",
        "end",
    };
    return script;
}

void BM_CompileScript20Lines(benchmark::State& state)
{
    TStringList compiled, errors;
    for (auto _ : state) {
        rqInterpreter().CompileScript(loopScript(), compiled, errors);
        benchmark::DoNotOptimize(compiled.Count());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CompileScript20Lines);

void BM_RunScript20Lines(benchmark::State& state)
{
    TStringList compiled, errors;
    rqInterpreter().CompileScript(loopScript(), compiled, errors);
    if (!errors.IsEmpty()) state.SkipWithError("the script does not compile");
    rqVariables().SetVariable("price", Variant(2.75));
    for (auto _ : state) rqInterpreter().RunScript(compiled);
    state.SetItemsProcessed(state.iterations());
    rqVariables().Clear();
}
BENCHMARK(BM_RunScript20Lines);

}  // namespace

BENCHMARK_MAIN();

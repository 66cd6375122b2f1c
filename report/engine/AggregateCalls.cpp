// SUM, AVG, MIN, MAX and COUNT in a build.
//
// Before a page is built, the collection pass finds every aggregate call in
// the bands that print totals (footers, summary, page and column footers) and
// runs it once: the call then registers an accumulator in the data band that
// feeds it (its second argument names it, or the band kind gives the default).
// While the page is built each record of that data band updates its
// accumulators; when the footer prints, the call reads its accumulator, which
// starts again after the footer.
#include "report/engine/AggregateCalls.h"

#include "report/engine/ReportBuilder.h"
#include "report/language/FunctionSplitter.h"
#include "report/language/Globals.h"
#include "report/language/LexicalReaders.h"
#include "report/model/MemoView.h"

#include "runtime/SysUtils.h"

#include <QScopedValueRollback>

namespace {
// The data band kind a call totals over when it names none, by the kind of
// band it stands in; -1 for kinds without a default.
int defaultSourceKind(int kind)
{
    switch (kind) {
    case btReportSummary:
    case btPageFooter:
    case btMasterFooter:
    case btGroupFooter: return btMasterData;
    case btDetailFooter: return btDetailData;
    case btSubDetailFooter: return btSubDetailData;
    case btCrossFooter: return btCrossData;
    default: return -1;
    }
}

// Finds the calls in each bracketed expression of memo lines.
void splitMemo(TrqFunctionSplitter& splitter, const TStringList& lines)
{
    for (int i = 0; i < lines.Count(); ++i) {
        std::string_view line = lines[i];
        size_t from = 0;
        while (from < line.size()) {
            size_t start = from, end = from;
            bool closed = false;
            ReadBracketed(line, start, end, &closed);
            if (!closed) break;
            splitter.Split(line.substr(start, end - start + 1));
            from = end + 1;
        }
    }
}
}  // namespace

void TrqAggregateCalls::Collect(TrqPageBuild& pb)
{
    QScopedValueRollback<bool> collecting(collecting_, true);
    QScopedValueRollback<TrqBand*> current(builder_.band_, nullptr);
    static const int masterKinds[] = {btPageFooter, btColumnFooter, btMasterFooter, btGroupFooter, btReportSummary};
    static const int detailKinds[] = {btPageFooter,  btColumnFooter,  btMasterFooter,
                                      btGroupFooter, btReportSummary, btDetailFooter};
    static const int subDetailKinds[] = {btPageFooter,    btColumnFooter, btMasterFooter,   btGroupFooter,
                                         btReportSummary, btDetailFooter, btSubDetailFooter};
    struct Level {
        int dataKind;
        const int* kinds;
        size_t count;
    };
    const Level levels[] = {{btMasterData, masterKinds, std::size(masterKinds)},
                            {btDetailData, detailKinds, std::size(detailKinds)},
                            {btSubDetailData, subDetailKinds, std::size(subDetailKinds)}};
    for (const Level& level : levels)
        for (TrqBand* source = pb.Chain(level.dataKind); source && source->Defined(); source = source->Next) {
            if (source != pb.Chain(level.dataKind) && !source->Dataset()) continue;
            source_ = source;
            for (size_t k = 0; k < level.count; ++k)
                for (TrqBand* b = pb.Chain(level.kinds[k]); b && b->Defined(); b = b->Next) collectBand(*b);
        }
    if (TrqBand* cross = pb.Chain(btCrossData); cross->Defined()) {
        source_ = cross;
        for (TrqBand* b = pb.Chain(btCrossFooter); b && b->Defined(); b = b->Next) collectBand(*b);
    }
    source_ = nullptr;
    builder_.report_.SetCurrentView(nullptr);
}

void TrqAggregateCalls::collectBand(TrqBand& band)
{
    TrqReport& report = builder_.report_;
    builder_.band_ = &band;
    TStringList names{"AVG", "COUNT", "MAX", "MIN", "SUM"};
    // Dictionary variables stand for the expressions they hold.
    TrqVariables variables;
    const TrqNamedValues& dictionary = report.Dictionary().Variables;
    for (int i = 0; i < dictionary.Count(); ++i) variables.SetVariable(dictionary.NameAt(i), dictionary.ValueAt(i));

    auto run = [&](TrqView* current, const auto& gather) {
        report.SetCurrentView(current);
        TStringList found;
        TrqFunctionSplitter splitter(names, variables, found);
        gather(splitter, found);
        for (int i = 0; i < found.Count(); ++i) rqParser().EvaluatePostfix(Trim(found[i]));
    };
    run(band.View, [&](TrqFunctionSplitter&, TStringList& found) {
        if (!band.Script.IsEmpty()) rqInterpreter().FindFunctionCalls(band.Script, names, variables, found);
    });
    for (TrqView* view : band.Objects)
        run(view, [&](TrqFunctionSplitter& splitter, TStringList& found) {
            if (view->ObjectKind == okMemo) splitMemo(splitter, view->Memo);
            if (!view->Script.IsEmpty()) rqInterpreter().FindFunctionCalls(view->Script, names, variables, found);
        });
}

void TrqAggregateCalls::Call(TrqAggregateFunction function, const Variant& p1, const Variant& p2, const Variant& p3,
                             Variant& value)
{
    TrqBand* band = builder_.band_;
    if (!band) return;
    const bool count = function == TrqAggregateFunction::Count;
    const AnsiString argument = p1.AsString();
    const AnsiString flag = (count ? p2 : p3).AsString();

    if (collecting_) {
        TrqBand* source = source_;
        if (!source) return;
        AnsiString owner = Trim((count ? p1 : p2).AsString());
        if (owner.empty()) {
            if (defaultSourceKind(band->Kind) != source->Kind) return;
            owner = source->Name;
        }
        if (!SameText(owner, source->Name)) return;
        const bool perColumn = band->HasCrossCells && band->Kind != btCrossFooter;
        source->Aggregates.Register(MakeAggregateKey(band->Name, function, argument, flag, "0", perColumn));
        band->AggregateBand = source;
        return;
    }

    if (!band->AggregateBand) return;
    if (band->Kind == btCrossData) {
        // A cross data band reads the column's accumulator of the band whose
        // cells it prints.
        TrqBand* row = band->AggregateBand;
        if (!row->AggregateBand) return;
        AnsiString key = MakeAggregateKey(row->Name, function, argument, flag, IntToStr(band->PageBuild.ColumnNo), true);
        Variant total = row->AggregateBand->Aggregates.Value(key);
        if (!total.IsNull()) value = total;
        return;
    }
    // A call whose accumulator was never registered (it names no data band)
    // keeps the "0" the dispatcher gave it.
    Variant total = band->AggregateBand->Aggregates.Value(MakeAggregateKey(band->Name, function, argument, flag));
    if (!total.IsNull()) value = total;
}

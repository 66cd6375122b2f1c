// Bands made from the band views of a report page, and the page's views given
// to the bands that print them.
//
// A view goes to the first band, kind by kind and within a kind in page order,
// whose vertical range [Y, Y + Height] holds its Top (a view on the boundary of
// two bands goes to the band handled first); its Top becomes relative to the
// band. A view that lies inside a cross band horizontally also belongs to that
// cross band (its Left relative to it). Views outside every band go to the
// None band, at Y 0.
#include "report/engine/ReportBuilder.h"

#include "report/data/ComponentPath.h"
#include "report/language/Globals.h"
#include "report/language/Parser.h"
#include "report/language/Warnings.h"
#include "report/model/MemoView.h"
#include "report/model/SubReportView.h"
#include "runtime/SysUtils.h"

#include <algorithm>

namespace {
bool isCrossKind(int kind) { return kind == btCrossHeader || kind == btCrossData || kind == btCrossFooter; }

TrqBandView* asBand(TrqView* view) { return view->ObjectKind == okBand ? static_cast<TrqBandView*>(view) : nullptr; }

bool inRange(int64_t top, const TrqBand& band) { return top >= band.Y && top <= band.Y + band.Height; }
}  // namespace

TrqBand* TrqReportBuilder::newBand(TrqPageBuild& pb, int kind)
{
    pb.Bands.push_back(std::make_unique<TrqBand>(*this, pb, kind));
    return pb.Bands.back().get();
}

void TrqReportBuilder::compileScript(TStringList& script, const AnsiString& owner)
{
    // Compile errors do not stop the build (what compiled before the error
    // runs), but a script that does less than its text says is worth a word
    // on standard error.
    if (script.IsEmpty()) return;
    TStringList errors;
    WarnAboutScript(owner, rqInterpreter().CompileScriptAndNote(script, script, errors));
}

void TrqReportBuilder::takeBandView(TrqBand& band, TrqBandView& view, bool subReportPage)
{
    band.View = &view;
    view.Runtime = &band;
    band.Name = view.Name;
    band.Flags = view.Flags;
    band.X = view.Left;
    band.Y = view.Top;
    band.Width = view.Width;
    band.Height = view.Height;
    band.Visible = view.Visible;
    band.Script = view.Script;  // compiled with the page's other scripts
    band.BandColumn = 1;
    band.Stretched = view.Flag(flStretched);
    band.PrintIfSubsetEmpty = view.Flag(flBandPrintIfSubsetEmpty);
    band.PrintChildIfInvisible = view.Flag(flBandPrintChildIfInvisible);
    band.NewPageAfter = !subReportPage && view.Flag(flBandNewPageAfter);
    band.PageBreak = !subReportPage && view.Flag(flBandPageBreak);
    if (band.Kind == btGroupHeader) setGroupCondition(band, view.FormatText);
    else assignDataSource(band, view.FormatText);
}

void TrqReportBuilder::setGroupCondition(TrqBand& band, const AnsiString& text)
{
    band.HasCondition = !Trim(text).empty();
    band.Condition = band.HasCondition ? TrqParser::ToPostfix(text) : AnsiString();
}

void TrqReportBuilder::assignDataSource(TrqBand& band, const AnsiString& source)
{
    const AnsiString text = Trim(source);
    if (text.find(';') != AnsiString::npos) {
        band.SetDataset(nullptr, nullptr);  // a list of cross-tab datasets names none
        return;
    }
    if (!text.empty() && text[0] >= '1' && text[0] <= '9') {
        // A record count: a dataset of the band's own. Anything but a whole
        // number is an error of the build.
        auto count = std::make_unique<TrqUserDataset>();
        count->SetRangeEnd(reCount);
        count->SetRangeEndCount(StrToInt(text));
        TrqDataset* raw = count.get();
        band.SetDataset(raw, std::move(count));
        return;
    }
    TrqDataset* dataset = text.empty() ? nullptr : FindReportDataset(report_.Owner(), text);
    if (!dataset && text.empty() && band.Kind == btMasterData && report_.ReportType() == rtSimple)
        dataset = report_.Dataset();
    band.SetDataset(dataset, nullptr);
}

void TrqReportBuilder::linkChild(TrqBand& band, const AnsiString& childName)
{
    band.Child = nullptr;
    if (childName.empty()) return;
    for (auto& other : band.PageBuild.Bands)
        if (other->Defined() && SameText(other->Name, childName)) {
            band.Child = other.get();
            return;
        }
}

void TrqReportBuilder::layOutBands(TrqPageBuild& pb)
{
    TrqPage& page = pb.Page;
    const bool subReportPage = page.Skip;
    for (int kind = 0; kind < BandTypeCount; ++kind) pb.Chains[static_cast<size_t>(kind)] = newBand(pb, kind);

    const int n = page.Count();
    std::vector<TrqView*> views(static_cast<size_t>(n));
    std::vector<char> pending(static_cast<size_t>(n), 1);
    for (int i = 0; i < n; ++i) {
        TrqView* view = views[static_cast<size_t>(i)] = page.Objects(i);
        report_.SetCurrentView(view);
        if (auto* memo = dynamic_cast<TrqMemoView*>(view)) {
            memo->HasPrinted = false;
            memo->LayoutMode = TrqMemoView::Layout::Normal;
            // A condition that does not compile never highlights.
            try {
                memo->HighlightCondition =
                    Trim(memo->HighlightCondition).empty() ? AnsiString() : TrqParser::ToPostfix(memo->HighlightCondition);
            } catch (const std::exception&) {
                memo->HighlightCondition.clear();
            }
        }
        if (view->Flag(flWantHook)) hookViews_.push_back(view);
        compileScript(view->Script, view->Name);
        if (view->ObjectKind == okSubReport) {
            int32_t sub = static_cast<TrqSubReportView*>(view)->SubPage;
            if (sub >= 0 && sub < report_.Pages().Count()) report_.Pages()[sub]->Skip = true;
        }
    }

    auto kindBands = [&](int kind, auto&& take) {
        TrqBand* preCreated = pb.Chain(kind);
        bool first = true;
        for (TrqView* view : views)
            if (TrqBandView* bv = asBand(view); bv && bv->BandType() == kind) {
                TrqBand* band = first ? preCreated : newBand(pb, kind);
                first = false;
                take(*band, *bv);
            }
    };

    // Cross bands: vertical strips; their views stay pending for the rows.
    for (int kind : {btCrossHeader, btCrossData, btCrossFooter})
        kindBands(kind, [&](TrqBand& band, TrqBandView& bv) {
            takeBandView(band, bv, subReportPage);
            for (size_t i = 0; i < views.size(); ++i) {
                TrqView* v = views[i];
                if (!pending[i] || asBand(v) || pb.CrossBandOf.count(v)) continue;
                if (v->Left >= band.X && band.X + band.Width >= int64_t(v->Left) + v->Width) {
                    v->Left = static_cast<int32_t>(v->Left - band.X);
                    pb.CrossBandOf[v] = &band;
                    band.Objects.push_back(v);
                }
            }
        });

    for (int kind = 0; kind <= btChild; ++kind) {
        if (isCrossKind(kind)) continue;
        kindBands(kind, [&](TrqBand& band, TrqBandView& bv) {
            takeBandView(band, bv, subReportPage);
            auto collect = [&](auto&& wanted) {
                for (size_t i = 0; i < views.size(); ++i) {
                    TrqView* v = views[i];
                    if (!pending[i] || asBand(v) || !wanted(v) || !inRange(v->Top, band)) continue;
                    v->Top = static_cast<int32_t>(v->Top - band.Y);
                    pending[i] = 0;
                    band.Objects.push_back(v);
                    if (pb.CrossBandOf.count(v)) band.HasCrossCells = true;
                }
            };
            collect([&](TrqView* v) { return v->ObjectKind != okSubReport && !pb.CrossBandOf.count(v); });
            collect([&](TrqView* v) { return pb.CrossBandOf.count(v) > 0; });
            collect([&](TrqView* v) { return v->ObjectKind == okSubReport; });
            for (size_t i = 0; i < band.Objects.size(); ++i)
                if (band.Objects[i]->ObjectKind == okSubReport && band.FirstSubReport < 0)
                    band.FirstSubReport = static_cast<int>(i);
        });
    }

    // Chains in Y order, the first band heading the chain.
    for (int kind = 0; kind < BandTypeCount; ++kind) {
        std::vector<TrqBand*> chain;
        for (auto& band : pb.Bands)
            if (band->Kind == kind && band->Defined()) chain.push_back(band.get());
        if (chain.empty()) continue;
        std::stable_sort(chain.begin(), chain.end(), [](TrqBand* a, TrqBand* b) { return a->Y < b->Y; });
        for (size_t i = 0; i < chain.size(); ++i) {
            chain[i]->Prev = i > 0 ? chain[i - 1] : nullptr;
            chain[i]->Next = i + 1 < chain.size() ? chain[i + 1] : nullptr;
        }
        chain.front()->Last = chain.back();
        pb.Chains[static_cast<size_t>(kind)] = chain.front();
    }

    TrqBand* none = pb.Chain(btNone);
    none->Y = 0;
    for (size_t i = 0; i < views.size(); ++i)
        if (pending[i] && !asBand(views[i])) none->Objects.push_back(views[i]);

    // Headers and footers of the three data levels.
    for (int header : {btMasterHeader, btDetailHeader, btSubDetailHeader}) {
        const int data = header + 1, footer = header + 2;
        for (TrqBand* h = pb.Chain(header); h && h->Defined(); h = h->Next)
            for (TrqBand* d = pb.Chain(data); d && d->Defined(); d = d->Next)
                if (d->Y >= h->Y + h->Height) {
                    if (!d->Header) {
                        d->Header = h;
                        h->DataBand = d;
                    }
                    break;
                }
        for (TrqBand* f = pb.Chain(footer); f && f->Defined(); f = f->Next) {
            TrqBand* target = nullptr;
            for (TrqBand* d = pb.Chain(data); d && d->Defined(); d = d->Next) {
                if (d->Y + d->Height > f->Y) break;
                target = d;
            }
            if (target && !target->Footer) {
                target->Footer = f;
                f->DataBand = target;
            }
        }
    }

    // Group headers pair with group footers from the inside out.
    TrqBand* groupHeader = pb.Chain(btGroupHeader);
    TrqBand* groupFooter = pb.Chain(btGroupFooter);
    if (groupHeader && groupHeader->Defined() && groupFooter && groupFooter->Defined()) {
        for (TrqBand *h = groupHeader->Last, *f = groupFooter; h && f; h = h->Prev, f = f->Next) h->Footer = f;
    }

    // Cross-tab datasets of the bands a cross data band lists.
    if (TrqBand* cross = pb.Chain(btCrossData); cross->Defined() && cross->View->FormatText.find(';') != AnsiString::npos) {
        TStringList entries;
        AnsiString list = cross->View->FormatText;
        size_t start = 0;
        for (size_t semi; (semi = list.find(';', start)) != AnsiString::npos; start = semi + 1) {
            AnsiString entry = list.substr(start, semi - start);
            size_t eq = entry.find('=');
            if (eq == AnsiString::npos) continue;
            AnsiString bandName = Trim(entry.substr(0, eq));
            for (auto& band : pb.Bands)
                if (band->Defined() && band->Kind >= btMasterHeader && band->Kind <= btChild &&
                    SameText(band->Name, bandName))
                    band->SetCrossDataset(FindReportDataset(report_.Owner(), Trim(entry.substr(eq + 1))), nullptr);
        }
    }

    for (auto& band : pb.Bands)
        if (band->Defined()) linkChild(*band, band->View->ChildBand);

    // Groups join the data band their Master names, or the first master data band.
    for (TrqBand* g = pb.Chain(btGroupHeader); g && g->Defined(); g = g->Next) {
        TrqBand* data = nullptr;
        if (g->View->Master.empty()) {
            data = pb.Chain(btMasterData)->Defined() ? pb.Chain(btMasterData) : nullptr;
        } else {
            for (auto& band : pb.Bands)
                if (band->Defined() && band->IsDataBand() && SameText(band->Name, g->View->Master)) data = band.get();
        }
        if (!data) continue;
        g->DataBand = data;
        g->PrevGroup = data->LastGroup;
        if (data->LastGroup) data->LastGroup->NextGroup = g;
        else data->FirstGroup = g;
        data->LastGroup = g;
    }

    pb.Columns = std::max(1, page.Columns);
    pb.ColumnWidth = static_cast<int32_t>(
        (int64_t(page.RightMarginInEffect()) - page.LeftMarginInEffect() - int64_t(pb.Columns - 1) * page.ColumnGap) /
        pb.Columns);
    TrqBand* footer = pb.Chain(btPageFooter);
    page.FooterHeight = footer->Defined() ? footer->Height : 0;
    report_.SetCurrentView(nullptr);
}

// One template page into prepared pages: title, headers, the data loops of
// the three levels with their groups, footers and summary, and the page and
// column breaks on the way.
//
// Bands that belong together wait in the pending list (group headers, a data
// band's header, the data band itself) and print together once the deepest
// level has a record, so that a master whose details are empty prints nothing
// unless it asks to (PrintIfSubsetEmpty).
#include "report/engine/ReportBuilder.h"

#include "report/model/MemoView.h"
#include "report/pages/EMFPages.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace {
// Bands whose break requests are ignored: they print during breaks themselves.
bool printsDuringBreaks(int kind)
{
    return kind == btPageHeader || kind == btPageFooter || kind == btOverlay || kind == btColumnHeader ||
           kind == btColumnFooter;
}
}  // namespace

void TrqReportBuilder::addPreparedPage(TrqPageBuild& pb)
{
    TrqEMFPages& pages = preparedPages();
    pages.Add(pb.Page);
    // Finished pages are kept compact; a page written again (its footer, a
    // cross-tab row going back to it) is unpacked and packed here once more.
    for (int i = std::max(run_.FirstUnpacked, 0); i <= pages.Count() - 2; ++i) pages.Pack(i);
    run_.FirstUnpacked = std::max(pages.Count() - 1, 0);
    freshPage_ = true;
}

void TrqReportBuilder::record(TrqPageBuild& pb, TrqBand* band, TrqPageBuild::Action what)
{
    pb.Recorded.push_back({band, what});
}

bool TrqReportBuilder::showBand(TrqBand* band)
{
    if (!band || !(band->Defined() || !band->Objects.empty())) return false;
    TrqPageBuild& pb = band->PageBuild;
    if (pb.Collect && !pb.Replaying) {
        record(pb, band, TrqPageBuild::Action::ShowBand);
        return false;
    }
    return drawBand(*band);
}

void TrqReportBuilder::showBandByName(const AnsiString& name)
{
    if (!pb_) return;
    for (int kind = 0; kind < BandTypeCount; ++kind)
        for (TrqBand* b = pb_->Chain(kind); b; b = b->Next)
            if (b->Defined() && SameText(b->Name, name)) {
                showBand(b);  // a band being drawn is not drawn again from inside
                return;
            }
}

void TrqReportBuilder::forgetLastPrinted(TrqBand& band)
{
    for (TrqView* view : band.Objects)
        if (auto* memo = dynamic_cast<TrqMemoView*>(view)) memo->HasPrinted = false;
}

void TrqReportBuilder::formPage(TrqPageBuild& pb)
{
    TrqPage& page = pb.Page;
    pb.DisableRepeatHeader = false;
    if (!pb.Collect) {
        runPageScript(pb);
        if (run_.AppendPage && run_.PrevY == run_.PrevBottom) {
            run_.AppendPage = false;
            run_.PageFooterDone = false;
            run_.CurPageIndex = preparedPages().Count();
        }
        pb.Bottom = run_.AppendPage && run_.PageFooterDone ? run_.PrevBottom : page.BottomMarginInEffect();
        pb.CurColumn = 0;
        pb.ColumnShift = leftMargin();
        if (run_.AppendPage) {
            pb.CurY = run_.PrevY;
        } else {
            addPreparedPage(pb);
            pb.CurY = topMargin();
            showBand(pb.Chain(btOverlay));
            showBand(pb.Chain(btNone));
        }
        const int pages = preparedPages().Count();
        showBand(pb.Chain(btReportTitle));
        if (preparedPages().Count() == pages) {
            TrqBand* header = pb.Chain(btPageHeader);
            if (header->Flag(flBandOnFirstPage)) showBand(header);
            pb.LastStaticColumnY = pb.CurY;
            showBand(pb.Chain(btColumnHeader));
        }
    }

    int levels = 0;
    for (int level = 1; level <= 3; ++level)
        if (pb.Chain(btMasterData + 3 * (level - 1))->Defined()) levels = level;
    if (levels > 0) dataLoop(pb, 1, levels);

    if (!pb.Collect) {
        pb.DisableRepeatHeader = true;
        showBand(pb.Chain(btColumnFooter));
        {
            QScopedValueRollback<bool> noColumnFooter(ignoreColumnFooter_, true);
            showBand(pb.Chain(btReportSummary));
        }
        pb.DisableRepeatHeader = false;
        run_.PrevY = pb.CurY;
        run_.PrevBottom = pb.Bottom;
        if (pb.CurColumn > 0) run_.PrevY = pb.Bottom;
        pb.CurColumn = 0;
        pb.ColumnShift = leftMargin();

        run_.PageFooterDone = false;
        const int start = run_.CurPageIndex;
        TrqBand* footer = pb.Chain(btPageFooter);
        if (footer->Defined() &&
            ((run_.CurPageIndex == 0 && footer->Flag(flBandOnFirstPage)) || footer->Flag(flBandOnLastPage))) {
            const uint16_t flags = footer->Flags;
            footer->Flags |= flBandOnFirstPage;
            run_.PageFooterDone = true;
            printPageFooters();
            footer->Flags = flags;
        }
        // The pages the footers did not end (and the ones a cross-tab row
        // went on to) end here.
        for (int i = run_.CurPageIndex; i < preparedPages().Count(); ++i) endPage(i);
        run_.CurPageIndex = start + 1;
    }
    pb.WasBand = nullptr;
}

void TrqReportBuilder::push(TrqPageBuild& pb, TrqBand* band)
{
    if (band) pb.Pending.push_back(band);
}

void TrqReportBuilder::printPending(TrqPageBuild& pb)
{
    std::vector<TrqBand*> bands;
    bands.swap(pb.Pending);
    for (TrqBand* band : bands) {
        if (report_.Terminated) break;
        showBand(band);
    }
}

void TrqReportBuilder::dataLoop(TrqPageBuild& pb, int level, int levels)
{
    const int kind = btMasterData + 3 * (level - 1);
    for (TrqBand* band = pb.Chain(kind); band && band->Defined() && !report_.Terminated; band = band->Next) {
        if (!band->Dataset()) continue;
        band->Dataset()->First();
        if (pb.Collect) {
            record(pb, band, TrqPageBuild::Action::FirstRecord);
        } else {
            band->Line = 1;
            band->LineThrough = 1;
            forgetLastPrinted(*band);
        }
        for (TrqBand* g = band->FirstGroup; g; g = g->NextGroup) {
            g->Line = 0;
            g->LineThrough = 0;
            forgetLastPrinted(*g);
        }
        if (band->Dataset()->Eof()) continue;

        for (TrqBand* g = band->FirstGroup; g; g = g->NextGroup) {
            ++g->Line;
            ++g->LineThrough;
            push(pb, g);
        }
        push(pb, band->Header);
        if (band->Footer) afterBand(*band->Footer);

        while (!report_.Terminated && band->Dataset() && !band->Dataset()->Eof()) {
            push(pb, band);
            bool printed = true;
            if (level < levels) {
                dataLoop(pb, level + 1, levels);
                if (!pb.Pending.empty()) {
                    if (band->PrintIfSubsetEmpty) {
                        printPending(pb);
                    } else {
                        // The details printed nothing: the master goes, its headers wait.
                        auto it = std::find(pb.Pending.rbegin(), pb.Pending.rend(), band);
                        if (it != pb.Pending.rend()) pb.Pending.erase(std::next(it).base());
                        printed = false;
                    }
                }
            } else {
                printPending(pb);
            }
            if (report_.Terminated || !band->Dataset()) break;
            band->Dataset()->Next();
            groupBreak(pb, *band);
            if (pb.Collect) {
                record(pb, band, TrqPageBuild::Action::NextRecord);
            } else if (printed) {
                ++pb.CurrentNo;
                ++band->Line;
                ++band->LineThrough;
                if (band->Dataset() && !band->Dataset()->Eof() && band->NewPageAfter && band->Visible &&
                    !onSubReportPage(pb))
                    newPage();
            }
        }
        if (report_.Terminated) return;
        if (!pb.Pending.empty()) {
            pb.Pending.pop_back();  // nothing printed for this band: no footer either
        } else {
            if (band->Flag(flBandAutoAppendBlank) && !pb.Collect)
                appendBlankRows(pb, *band, band->Footer && band->Footer->Defined() ? band->Footer->Height : 0);
            showBand(band->Footer);
        }
    }
}

void TrqReportBuilder::groupBreak(TrqPageBuild& pb, TrqBand& band)
{
    // The band's dataset is asked for afresh after the footers print: their
    // scripts may give the band another data source (DATASOURCE), which
    // frees the one the group was read from.
    TrqDataset* ds = band.Dataset();
    if (!band.FirstGroup || !ds) return;
    const unsigned generation = band.DatasetGeneration();
    const bool atEnd = ds->Eof();
    TrqBand* ended = nullptr;
    if (atEnd) {
        ended = band.FirstGroup;
    } else {
        for (TrqBand* g = band.FirstGroup; g && !ended; g = g->NextGroup)
            if (groupValue(*g) != g->GroupValue) ended = g;
    }
    if (!ended) return;
    // Footers print with the last record of the group that ended.
    if (!atEnd) ds->Prior();
    for (TrqBand* g = band.LastGroup; g && g != ended; g = g->PrevGroup) {
        push(pb, g->Footer);
        g->Line = 0;
        forgetLastPrinted(*g);
    }
    push(pb, ended->Footer);
    printPending(pb);
    if (atEnd || report_.Terminated || band.DatasetGeneration() != generation) return;
    ds->Next();
    if (ended->NewPageAfter && ended->Visible && !onSubReportPage(pb)) newPage();
    for (TrqBand* g = ended; g; g = g->NextGroup) {
        ++g->Line;
        ++g->LineThrough;
        push(pb, g);
    }
    band.Line = 0;
    forgetLastPrinted(band);
}

int64_t TrqReportBuilder::columnFooterHeight() const
{
    TrqBand* footer = pb_ ? pb_->Chain(btColumnFooter) : nullptr;
    return footer && footer->Defined() && !ignoreColumnFooter_ ? footer->Height : 0;
}

bool TrqReportBuilder::checkPageBreak(TrqBand* band, int64_t y, int64_t height, bool askOnly)
{
    if (band && band->Kind == btColumnFooter) return false;
    if (onSubReportPage(*pb_)) return false;
    if (y + height + columnFooterHeight() <= pb_->Bottom) return false;
    // Bands printed by a break, and a band that does not fit even on a fresh
    // page or column, print where they are instead of breaking again.
    if (breakDepth_ > 0 || freshPage_) return false;
    if (!askOnly) newColumn(band);
    return true;
}

void TrqReportBuilder::newColumn(TrqBand* band)
{
    TrqPageBuild& pb = *pb_;
    {
        QScopedValueRollback<int> inBreak(breakDepth_, breakDepth_ + 1);
        if (pb.CurColumn < pb.Columns - 1) {
            showBand(pb.Chain(btColumnFooter));
            ++pb.CurColumn;
            pb.ColumnShift += pb.ColumnWidth + pb.Page.ColumnGap;
            pb.CurY = pb.LastStaticColumnY;
            showBand(pb.Chain(btColumnHeader));
        } else {
            newPage();
        }
        if (!pb.DisableRepeatHeader) {
            QScopedValueRollback<bool> repeating(repeatingHeaders_, true);
            for (TrqBand* g = pb.Chain(btGroupHeader); g && g->Defined() && g != band; g = g->Next)
                if (g->Flag(flBandRepeatHeader)) {
                    QScopedValueRollback<bool> noReset(g->SuppressReset, true);
                    showBand(g);
                }
            if (band && band->IsDataBand() && band->Header && band->Header->Flag(flBandRepeatHeader))
                showBand(band->Header);
        }
    }
    freshPage_ = true;
}

void TrqReportBuilder::newPage()
{
    TrqPageBuild& pb = *pb_;
    QScopedValueRollback<int> inBreak(breakDepth_, breakDepth_ + 1);
    reportProgress(run_.CurPageIndex + 1);
    if (!pb.DisableRepeatHeader) showBand(pb.Chain(btColumnFooter));
    printPageFooters();
    // Every page so far has its footer, and the build goes on below a page
    // of its own: nothing writes to them any more.
    if (!run_.DrawingDisabled && master_->OnPagesFinished) master_->OnPagesFinished(preparedPages().Count());
    pb.Bottom = pb.Page.BottomMarginInEffect();
    addPreparedPage(pb);
    run_.AppendPage = false;
    showBand(pb.Chain(btOverlay));
    pb.CurY = topMargin();
    showBand(pb.Chain(btPageHeader));
    pb.LastStaticColumnY = pb.CurY;
    showBand(pb.Chain(btColumnHeader));
}

void TrqReportBuilder::printPageFooters()
{
    TrqPageBuild& pb = *pb_;
    pb.CurColumn = 0;
    pb.ColumnShift = leftMargin();
    TrqBand* footer = pb.Chain(btPageFooter);
    TrqEMFPages& pages = preparedPages();
    // The first page has its footer only with OnFirstPage, and a page that a
    // previous template page finished with its footer has it already; every
    // page is ended all the same.
    const bool footers = run_.CurPageIndex > 0 || footer->Flag(flBandOnFirstPage);
    for (; run_.CurPageIndex < pages.Count(); ++run_.CurPageIndex) {
        endPage(run_.CurPageIndex);
        if (footers && !(run_.AppendPage && run_.PageFooterDone)) showBand(footer);
    }
    run_.CurPageIndex = pages.Count();
}

void TrqReportBuilder::endPage(int index)
{
    if (index < run_.PagesEnded || index >= preparedPages().Count()) return;
    run_.PagesEnded = index + 1;
    if (report_.OnEndPage) report_.OnEndPage(index);
    if (master_ != &report_ && master_->OnEndPage) master_->OnEndPage(index);
}

bool TrqReportBuilder::ignoresBreakRequests(const TrqBand& band) const
{
    return printsDuringBreaks(band.Kind) || breakDepth_ > 0 || onSubReportPage(band.PageBuild);
}

void TrqReportBuilder::appendBlankRows(TrqPageBuild& pb, TrqBand& band, int64_t reserved)
{
    // The rows print like a sub-report's: a row that does not fit ends them,
    // no page breaks. They also end when a row does not move down the page
    // (a band of no height, or one its script hides), so they always end.
    QScopedValueRollback<bool> blank(blankMode_, true);
    auto shown = subReports_.Show(band, false);
    while (!run_.ErrorFlag && !report_.Terminated && pb.Bottom - pb.CurY >= reserved + band.Height) {
        const int64_t y = pb.CurY;
        const int column = band.BandColumn;
        if (drawBand(band)) break;
        ++band.Line;
        ++band.LineThrough;
        // Beside the previous record in a band column, or further down.
        const bool moved = (band.BandColumn > column && pb.WasBand == &band) || pb.CurY > y;
        if (!moved) break;
    }
}

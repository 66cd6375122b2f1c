#pragma once
// TrqReportBuilder: one build of a report, from the template to prepared
// pages (TrqReport::PrepareReport makes one and runs it).
//
// A build saves the template, walks every report page band by band (one or
// two passes), and reloads the template afterwards, so that scripts that
// change views never change the template. Its work is split by concern:
//   ReportBuilder.cpp      passes, progress, the page walk, errors, clean-up
//   BandLayout.cpp         bands made from band views, views given to bands
//   FormPage.cpp           one template page: data loops, groups, the bands
//                          waiting to print, page and column breaks
//   BandDrawing.cpp        one band: script, breaks, needed height, its views
//   ViewPrinting.cpp       one view into the prepared page: its place,
//                          highlight, Suppress, BandAlign, measures
//   BrokenBand.cpp         a band that breaks across pages (Breaked)
// and by objects the build owns, each with its state:
//   TrqMemoText            MemoText.cpp: memo and tag text, brackets, binary fields
//   TrqAggregateCalls      AggregateCalls.cpp: the collection pass and SUM ... COUNT calls
//   TrqSubReportReplay     SubReports.cpp: sub-report pages collected and replayed in a band
//   TrqCrossTab            CrossTab.cpp: the cross-tab cells of a row, continued to the right
//   TrqCompositeParts      CompositeBuild.cpp: a composite report's reports one after another
//   TrqDialogPages         DialogPage.cpp: a dialog page's window, shown before the report pages
//   TrqBuildRun            the run state a composite hands from one report to the next
//
// Rules that are easy to break:
// - Every error of a build (scripts, conditions, dataset moves, printing) goes
//   to handleError: it records the message once, sets Terminated, and the
//   loops end at their next check. Whatever happens, the build finishes its
//   pages, frees its bands (closing their datasets), reloads the template and
//   leaves build mode.
// - Nothing here may recurse or loop without bound: a band is never drawn
//   while it is being drawn, a page break started while breaking does not
//   break again, a band that does not fit on a fresh page prints there
//   anyway, and break requests of page headers and footers, of sub-report
//   pages and of blank rows are ignored. Every loop that places things on
//   pages (broken bands, sub-report replay, cross-tab rows, blank rows) makes
//   progress on each fresh page or stops.
// - Vertical positions are 64-bit; positions written into views are clamped
//   to 32 bits.
// - A memo is measured once per record: its text and laid-out lines serve the
//   print that follows (and every part of it when its band breaks).
// - pb_ is the page of the band being drawn: sub-report pages have their own
//   position, bottom limit and shift; page breaks always belong to the
//   outermost page.
// - The prepared pages, the pass flags and the progress belong to the master
//   report (master_): the report itself, or the composite report whose build
//   this is part of. Write pages through preparedPages(), never through
//   report_. A part's run state (run_) is handed to it before its build and
//   taken back afterwards.

#include "report/data/DictionaryLookup.h"
#include "report/engine/AggregateCalls.h"
#include "report/engine/CompositeBuild.h"
#include "report/engine/CrossTab.h"
#include "report/engine/DialogPage.h"
#include "report/engine/MemoText.h"
#include "report/engine/PageBuild.h"
#include "report/engine/SubReports.h"
#include "report/model/Report.h"
#include "report/model/ReportScriptContext.h"
#include "runtime/Exceptions.h"

#include <map>
#include <memory>
#include <vector>

class TrqMemoView;
class TrqProgressForm;
class TrqStretcheable;
class TrqBuildContext;
class TrqEMFPages;

// The state of a build that runs on from one report of a composite to the
// next: each part takes it before its build and hands it back afterwards.
struct TrqBuildRun {
    TDateTime StartDate = 0, StartTime = 0;
    int CurPageIndex = 0;
    int TotalPages = 0;
    bool RememberedTwoPass = false;
    bool TwoPassFlag = false;
    bool SecondPass = false;
    bool DrawingDisabled = false;
    bool AppendPage = false;
    int64_t PrevY = 0, PrevBottom = 0;
    bool PageFooterDone = false;
    bool DialogCancelled = false;
    bool StoppedByScript = false;  // STOPREPORT, as opposed to a cancel
    bool ErrorFlag = false;
    AnsiString ErrorText;
    TrqProgressForm* Progress = nullptr;
    // Pages before this one have had their OnEndPage (pages end in order, each once).
    int PagesEnded = 0;
    // Pages before this one are packed; a page written again (a cross-tab row
    // back on its first page) is packed again when the next page is added.
    int FirstUnpacked = 0;
};

class TrqReportBuilder {
public:
    explicit TrqReportBuilder(TrqReport& report);
    ~TrqReportBuilder();
    TrqReportBuilder(const TrqReportBuilder&) = delete;
    TrqReportBuilder& operator=(const TrqReportBuilder&) = delete;

    // PrepareReport: true when pages were built; false after an error (its
    // message was shown and the pages cleared) or a cancel.
    bool Prepare();

    // The message of the error that ended the build, empty when none.
    const AnsiString& ErrorText() const { return run_.ErrorText; }

private:
    friend class TrqAggregateCalls;
    friend class TrqBand;
    friend class TrqBuildContext;
    friend class TrqCompositeParts;
    friend class TrqCrossTab;
    friend class TrqDialogPages;
    friend class TrqMemoText;
    friend class TrqSubReportReplay;

    // A part of the parent's composite build: it writes into the parent's
    // master report's pages.
    TrqReportBuilder(TrqReport& report, TrqReportBuilder& parent);

    // ---- ReportBuilder.cpp ---------------------------------------------
    bool buildWithProgress();
    void passStep();
    void build();
    void walkPages();
    void initReportPage(TrqPage& page);
    void prepareObjects(TrqPageBuild& pb);
    void finishPages();
    void runPageScript(TrqPageBuild& pb);
    void reportProgress(int page);
    // What a script checks every few thousand instructions (see
    // TrqInterpretator::OnCheck): the progress window takes its Cancel, and
    // a build that should stop (Cancel, STOPREPORT, an error, a stop request)
    // stops the script with EAbort.
    void checkScript();
    // Records the error (the first one only), sets Terminated.
    void handleError(const std::exception& e);
    // Runs f; an error goes to handleError. False when f failed.
    template <class F>
    bool guarded(F&& f);
    bool showingProgressWindow() const;
    TrqEMFPages& preparedPages() const;

    // ---- BandLayout.cpp -------------------------------------------------
    void layOutBands(TrqPageBuild& pb);
    TrqBand* newBand(TrqPageBuild& pb, int kind);
    void takeBandView(TrqBand& band, TrqBandView& view, bool subReportPage);
    // A band's data source text: a record count, a report dataset's path, or
    // (for a master data band without one) the report's Dataset.
    void assignDataSource(TrqBand& band, const AnsiString& text);
    void setGroupCondition(TrqBand& band, const AnsiString& text);
    void linkChild(TrqBand& band, const AnsiString& childName);
    // Compiles a view's or page's script in place; `owner` names it in the
    // warning about a script that does less than its text says.
    void compileScript(TStringList& script, const AnsiString& owner);

    // ---- FormPage.cpp ---------------------------------------------------
    void formPage(TrqPageBuild& pb);
    void dataLoop(TrqPageBuild& pb, int level, int levels);
    void groupBreak(TrqPageBuild& pb, TrqBand& band);
    void push(TrqPageBuild& pb, TrqBand* band);
    void printPending(TrqPageBuild& pb);
    bool showBand(TrqBand* band);
    void showBandByName(const AnsiString& name);
    bool checkPageBreak(TrqBand* band, int64_t y, int64_t height, bool askOnly = false);
    void newColumn(TrqBand* band);
    void newPage();
    void printPageFooters();
    // Fires OnEndPage of the current and, if different, the master report for
    // a prepared page, unless it was ended before.
    void endPage(int index);
    void addPreparedPage(TrqPageBuild& pb);
    int64_t columnFooterHeight() const;
    void forgetLastPrinted(TrqBand& band);
    // Blank rows of a data band (AutoAppendBlank) down to `reserved` above the bottom limit.
    void appendBlankRows(TrqPageBuild& pb, TrqBand& band, int64_t reserved);
    // Sub-report pages and blank rows never break pages: the bands that do
    // not fit there are left to the outer page.
    bool onSubReportPage(const TrqPageBuild& pb) const { return pb.Collect || blankMode_; }
    // NEWPAGE and NEWCOLUMN of page and column headers and footers, and of any
    // band printed by a break, would break for ever: they are not followed.
    bool ignoresBreakRequests(const TrqBand& band) const;
    void record(TrqPageBuild& pb, TrqBand* band, TrqPageBuild::Action what);

    // ---- BandDrawing.cpp ------------------------------------------------
    bool drawBand(TrqBand& band);
    int64_t neededHeight(TrqBand& band);
    // The band's height with its stretched views measured.
    int64_t stretchedHeight(TrqBand& band);
    void doDraw(TrqBand& band);
    void drawObjects(TrqBand& band);
    // Every memo of the band measured but not printed is measured afresh next time.
    void forgetMeasures(TrqBand& band);
    void afterBand(TrqBand& band);
    void accumulate(TrqBand& band);
    Variant groupValue(TrqBand& group);

    // ---- BrokenBand.cpp -------------------------------------------------
    void drawBroken(TrqBand& band);

    // ---- ViewPrinting.cpp -----------------------------------------------
    void printView(TrqBand& band, TrqView& view, const TrqCrossCell* cell = nullptr);
    // Runs f with the view shifted to where it prints (band Y, column shift,
    // the cross-tab cell's X), the current band and view set.
    template <class F>
    void atPrintPlace(TrqBand& band, TrqView& view, const TrqCrossCell* cell, F&& f);
    // The height a stretchable view needs for this record (a memo: its text
    // laid out in its width; it keeps that text and layout for its print).
    int32_t measureView(TrqBand& band, TrqStretcheable& view, const TrqCrossCell* cell = nullptr);
    // Switches the font and fill to the highlight when its condition holds.
    void applyHighlight(TrqMemoView& memo);
    void writeMemo(TrqBand& band, TrqMemoView& memo);
    void writeView(TrqBand& band, TrqView& view);
    // Appends the view to the current prepared page; a memo with what it
    // printed (its band, a repeated header, its one value).
    void appendToPage(TrqView& view, const TrqBand* band = nullptr);
    void placeByBandAlign(TrqView& view, TrqBand& band);
    // Views with a BandAlign get their place on the page once before building.
    void placeAlignedViews();
    void runViewScript(TrqView& view);

    // The default dataset of field references: by the kind of band printing.
    TDataSet* defaultDataSet() const;
    int64_t leftMargin() const;
    int64_t topMargin() const;
    TrqPageBuild* current() const { return pb_; }

    TrqReport& report_;
    TrqReport* master_;
    std::unique_ptr<TrqBuildContext> context_;
    TrqDictionaryLookup lookup_;
    std::map<TrqPage*, std::unique_ptr<TrqPageBuild>> pages_;
    TrqPageBuild* pb_ = nullptr;  // the page being built
    TrqBand* band_ = nullptr;     // the band being printed
    TrqBuildRun run_;
    std::vector<TrqView*> hookViews_;

    // Breaks and their guards.
    bool ignoreColumnFooter_ = false;  // while the report summary prints
    int breakDepth_ = 0;       // > 0 while a page or column break prints its bands
    bool freshPage_ = false;   // nothing but headers on the page or column yet
    bool blankMode_ = false;   // blank rows print (AutoAppendBlank)
    bool repeatingHeaders_ = false;  // headers print again after a page or column break

    // Where the view being printed stands: its shift, and the cross band
    // whose cell it prints in.
    struct PrintPlace {
        int64_t ShiftX = 0, ShiftY = 0;
        TrqBand* Cross = nullptr;
    };
    PrintPlace place_;

    TrqMemoText memoText_{*this};
    TrqAggregateCalls aggregates_{*this};
    TrqSubReportReplay subReports_{*this};
    TrqCrossTab crossTab_{*this};
    TrqCompositeParts composite_;
    TrqDialogPages dialogPages_{*this};
};

template <class F>
bool TrqReportBuilder::guarded(F&& f)
{
    try {
        f();
        return true;
    } catch (const EAbort&) {
        report_.Terminated = true;
    } catch (const std::exception& e) {
        handleError(e);
    }
    return false;
}

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
//   ViewPrinting.cpp       one view into the prepared page: memo text,
//                          brackets, highlight, Suppress, BandAlign
//   AggregateCalls.cpp     the aggregate collection pass and SUM ... COUNT calls
//   BrokenBand.cpp         a band that breaks across pages (Breaked)
//   SubReports.cpp         sub-report pages collected and replayed in a band
//   CrossTab.cpp           the cross-tab cells of a row, continued to the right
//   CompositeBuild.cpp     a composite report: its reports one after another
//                          into the composite's pages
//   DialogPage.cpp         a dialog page's window, shown before the report pages
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
//   report_. A part's run state (page counters, AppendPage, errors) is handed
//   to it before its build and taken back afterwards (copyRunState).

#include "report/data/DictionaryLookup.h"
#include "report/engine/BracketText.h"
#include "report/engine/PageBuild.h"
#include "report/model/Report.h"
#include "report/model/ReportScriptContext.h"
#include "runtime/Exceptions.h"

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

class TrqMemoView;
class TrqProgressForm;
class TrqStretcheable;
class TrqSubReportView;
class TrqBuildContext;
class TrqCompositeReport;
class TrqDialogPageWindow;
class TrqEMFPages;

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
    const AnsiString& ErrorText() const { return errorText_; }

private:
    friend class TrqBand;
    friend class TrqBuildContext;

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
    // Records the error (the first one only), sets Terminated.
    void handleError(const std::exception& e);
    // Runs f; an error goes to handleError. False when f failed.
    template <class F>
    bool guarded(F&& f);
    bool showingProgressWindow() const;

    // ---- CompositeBuild.cpp ---------------------------------------------
    // The reports whose templates the build saves and reloads: the report
    // itself, or every report a composite builds (each once).
    std::vector<TrqReport*> templateReports();
    // Replaces the page walk for a composite report.
    void buildComposite(TrqCompositeReport& composite);
    // One report of the composite, its run state handed over and taken back.
    // `fresh`: its template was just (re)loaded, its aligned views are placed first.
    void buildPart(TrqReportBuilder& part, bool fresh, bool nextAppends);
    // The build state that runs on from one report of a composite to the next.
    static void copyRunState(TrqReportBuilder& to, const TrqReportBuilder& from);
    TrqEMFPages& preparedPages() const;

    // ---- DialogPage.cpp -------------------------------------------------
    void runDialogPage(TrqPage& page);
    void runDialogScript(TrqPage& page);

    // ---- BandLayout.cpp -------------------------------------------------
    void layOutBands(TrqPageBuild& pb);
    TrqBand* newBand(TrqPageBuild& pb, int kind);
    void takeBandView(TrqBand& band, TrqBandView& view, bool subReportPage);
    // A band's data source text: a record count, a report dataset's path, or
    // (for a master data band without one) the report's Dataset.
    void assignDataSource(TrqBand& band, const AnsiString& text);
    void setGroupCondition(TrqBand& band, const AnsiString& text);
    void linkChild(TrqBand& band, const AnsiString& childName);
    void compileScript(TStringList& script);

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

    // ---- SubReports.cpp -------------------------------------------------
    // The sub-reports of the band from its view `first` on.
    void handleSubReports(TrqBand& band, size_t first);
    // Replays the band's sub-report pages until all are done, starting new
    // pages of the outer page; on a page that is itself a sub-report it stops
    // after one page and leaves the rest to its LastBand. `resume`: the pages
    // go on at the outer page's position (a new page).
    void runSubReports(TrqBand& band, bool resume);
    // Replays a page's recorded actions; true when all are done. On a fresh
    // page the first band shown prints even when it does not fit; with
    // printAll every band prints where it comes.
    bool replay(TrqPageBuild& sub, bool fresh, bool printAll);
    TrqPageBuild* subReportPage(const TrqSubReportView& view, const TrqPageBuild& parent);

    // ---- CrossTab.cpp ---------------------------------------------------
    // Where the views of a cross band print: the cross band and its X on the page.
    struct CrossCell {
        TrqBand* Cross;
        int64_t X;
    };
    struct CrossRow;
    void drawCrossCells(TrqBand& band);
    void printCells(TrqBand& cross, TrqBand& row, int64_t x);
    void continueCrossRow(CrossRow& row);
    // The band-height rule of a band with cross-tab cells: its tallest column.
    int64_t crossRowHeight(TrqBand& band);
    TrqDataset* crossDataset(TrqBand& band);
    void runBandScript(TrqBand& band);

    // ---- ViewPrinting.cpp -----------------------------------------------
    void printView(TrqBand& band, TrqView& view, const CrossCell* cell = nullptr);
    // Runs f with the view shifted to where it prints (band Y, column shift,
    // the cross-tab cell's X), the current band and view set.
    template <class F>
    void atPrintPlace(TrqBand& band, TrqView& view, const CrossCell* cell, F&& f);
    // The height a stretchable view needs for this record (a memo: its text
    // laid out in its width; it keeps that text and layout for its print).
    int32_t measureView(TrqBand& band, TrqStretcheable& view, const CrossCell* cell = nullptr);
    // The memo's working text for this record (field load, OnBeforePrint,
    // brackets expanded).
    void prepareMemoText(TrqMemoView& memo, bool measuring);
    // Switches the font and fill to the highlight when its condition holds.
    void applyHighlight(TrqMemoView& memo);
    void writeMemo(TrqBand& band, TrqMemoView& memo);
    void writeView(TrqBand& band, TrqView& view);
    void appendToPage(TrqView& view);
    void expandMemo(TrqMemoView& memo);
    AnsiString expandTag(TrqView& view);
    AnsiString bracketValue(const TrqBracket& bracket, TrqView& view, bool tagFormat);
    void loadDataField(TrqView& view);
    void placeByBandAlign(TrqView& view, TrqBand& band);
    // Views with a BandAlign get their place on the page once before building.
    void placeAlignedViews();
    void runViewScript(TrqView& view);

    // ---- AggregateCalls.cpp ---------------------------------------------
    void collectAggregates(TrqPageBuild& pb);
    void collectBand(TrqBand& band);
    void aggregateCall(TrqAggregateFunction function, const Variant& p1, const Variant& p2, const Variant& p3,
                       Variant& value);

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

    TDateTime startDate_ = 0, startTime_ = 0;
    int curPageIndex_ = 0;
    int totalPages_ = 0;
    bool rememberedTwoPass_ = false;
    bool twoPassFlag_ = false;
    bool secondPass_ = false;
    bool drawingDisabled_ = false;
    bool blankMode_ = false;
    bool appendPage_ = false;
    int64_t prevY_ = 0, prevBottom_ = 0;
    bool pageFooterDone_ = false;
    bool dialogCancelled_ = false;
    bool stoppedByScript_ = false;  // STOPREPORT, as opposed to a cancel
    bool errorFlag_ = false;
    AnsiString errorText_;
    std::vector<TrqView*> hookViews_;
    TrqProgressForm* progress_ = nullptr;

    // Composite builds: the reports this build is part of (outermost first),
    // the builds of the composite's reports kept from the first pass to the
    // second (by position in Reports; null for one rebuilt each time), and
    // whether the next report continues on this one's last page.
    std::vector<const TrqReport*> lineage_;
    std::vector<std::unique_ptr<TrqReportBuilder>> parts_;
    bool nextReportAppends_ = false;
    // The window of the dialog page being run (MODALRESULT goes to it).
    TrqDialogPageWindow* dialogWindow_ = nullptr;

    // Breaks and their guards.
    int64_t shiftX_ = 0, shiftY_ = 0;  // the shift of the view being printed
    bool ignoreColumnFooter_ = false;  // while the report summary prints
    int breakDepth_ = 0;       // > 0 while a page or column break prints its bands
    bool freshPage_ = false;   // nothing but headers on the page or column yet
    bool collecting_ = false;  // the aggregate collection pass runs
    TrqBand* aggregateSource_ = nullptr;

    // Sub-report replay and blank rows: the band shown by the replay (only it
    // may give up when it does not fit), and whether it prints anyway (the
    // first band on a fresh page).
    TrqBand* replayTop_ = nullptr;
    bool forceFit_ = false;
    TrqBand* crossBand_ = nullptr;  // the cross band whose cell is printing
    // Pages before this one are packed; a page written again (a cross-tab row
    // back on its first page) is packed again when the next page is added.
    int firstUnpacked_ = 0;

    // Memo lines cut into literals and brackets once per build.
    struct MemoLines {
        std::vector<AnsiString> source;
        std::vector<TrqBracketText> lines;
    };
    std::unordered_map<const TrqView*, MemoLines> memoLines_;
    // Views whose text is a field reference (binary fields load from it):
    // the reference under which dataFields_ holds the field.
    std::unordered_map<const TrqView*, AnsiString> dataFieldKeys_;
    TrqFieldCache dataFields_;
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

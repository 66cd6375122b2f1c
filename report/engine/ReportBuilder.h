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
//
// Rules that are easy to break:
// - Every error of a build (scripts, conditions, dataset moves, printing) goes
//   to handleError: it records the message once, sets Terminated, and the
//   loops end at their next check. Whatever happens, the build finishes its
//   pages, frees its bands (closing their datasets), reloads the template and
//   leaves build mode.
// - Nothing here may recurse without bound: a band is never drawn while it is
//   being drawn, a page break started while breaking does not break again, a
//   band that does not fit on a fresh page prints there anyway, and break
//   requests of page headers and footers are ignored.
// - Vertical positions are 64-bit; positions written into views are clamped
//   to 32 bits.
// - Seams for what is built later: stretching (neededHeight, stretched
//   do-draw), broken bands (PageBreak), band columns, sub-report replay
//   (collect mode records; replay does not exist yet), cross-tab cells and
//   blank rows. Each is marked where it plugs in.

#include "report/data/DictionaryLookup.h"
#include "report/engine/BracketText.h"
#include "report/engine/PageBuild.h"
#include "report/model/Report.h"
#include "report/model/ReportScriptContext.h"

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

class TrqMemoView;
class TrqProgressForm;
class TrqBuildContext;

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

    // ---- ReportBuilder.cpp ---------------------------------------------
    bool buildWithProgress();
    void passStep();
    void build();
    void walkPages();
    void initReportPage(TrqPage& page);
    void prepareObjects(TrqPageBuild& pb);
    void runDialogPage(TrqPage& page);
    void finishPages();
    void runPageScript(TrqPageBuild& pb);
    void reportProgress(int page);
    // Records the error (the first one only), sets Terminated.
    void handleError(const std::exception& e);
    // Runs f; an error goes to handleError. False when f failed.
    template <class F>
    bool guarded(F&& f);
    bool showingProgressWindow() const;

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
    // NEWPAGE and NEWCOLUMN of page and column headers and footers, and of any
    // band printed by a break, would break for ever: they are not followed.
    bool ignoresBreakRequests(const TrqBand& band) const;
    void record(TrqPageBuild& pb, TrqBand* band, TrqPageBuild::Action what);

    // ---- BandDrawing.cpp ------------------------------------------------
    bool drawBand(TrqBand& band);
    int64_t neededHeight(TrqBand& band);
    void doDraw(TrqBand& band);
    void drawObjects(TrqBand& band);
    void afterBand(TrqBand& band);
    void accumulate(TrqBand& band);
    Variant groupValue(TrqBand& group);

    // ---- ViewPrinting.cpp -----------------------------------------------
    void printView(TrqBand& band, TrqView& view);
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

    // Breaks and their guards.
    int64_t shiftX_ = 0, shiftY_ = 0;  // the shift of the view being printed
    bool ignoreColumnFooter_ = false;  // while the report summary prints
    int breakDepth_ = 0;       // > 0 while a page or column break prints its bands
    bool freshPage_ = false;   // nothing but headers on the page or column yet
    bool collecting_ = false;  // the aggregate collection pass runs
    TrqBand* aggregateSource_ = nullptr;

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

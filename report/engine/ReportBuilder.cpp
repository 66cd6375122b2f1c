// A build as a whole: PrepareReport, the one or two passes with their progress,
// the walk over the template pages, the error handler and the clean-up.
#include "report/engine/ReportBuilder.h"

#include "report/data/DBDataSet.h"
#include "report/data/DataSetOpening.h"
#include "report/draw/DrawState.h"
#include "report/engine/BuildContext.h"
#include "report/language/Globals.h"
#include "report/language/StopRequest.h"
#include "report/model/CompositeReport.h"
#include "report/model/MemoView.h"
#include "report/pages/EMFPages.h"
#include "report/texts/EngineTexts.h"
#include "report/texts/Warnings.h"
#include "report/windows/ProgressForm.h"
#include "runtime/Application.h"
#include "runtime/DateTime.h"
#include "runtime/Dialogs.h"
#include "runtime/SysUtils.h"

#include <QApplication>
#include <QScopeGuard>
#include <QScopedValueRollback>

#include <utility>

namespace {
constexpr int PreparingReportText = 55203;
constexpr int ErrorCalculatingText = 55440;
constexpr int ReportLabelText = 55441;
constexpr int ObjectLabelText = 55442;
constexpr int FirstPassText = 55443;
constexpr int ProcessingPageText = 55444;
constexpr int FromText = 55445;

AnsiString text(int id) { return TrqLocale::LoadText(id); }
}  // namespace

bool TrqReport::PrepareReport()
{
    // One build at a time: a handler that starts another while one runs is refused.
    if (Building()) return false;
    // Every build tells once again what it went on past.
    NewWarningRound();
    TrqReportBuilder builder(*this);
    return builder.Prepare();
}

TrqReportBuilder::TrqReportBuilder(TrqReport& report)
    : report_(report),
      master_(&report),
      context_(std::make_unique<TrqBuildContext>(report, *this)),
      lookup_(report, [this] { return defaultDataSet(); }),
      composite_(*this)
{
}

TrqReportBuilder::TrqReportBuilder(TrqReport& report, TrqReportBuilder& parent)
    : report_(report),
      master_(parent.master_),
      context_(std::make_unique<TrqBuildContext>(report, *this)),
      lookup_(report, [this] { return defaultDataSet(); }),
      composite_(*this, parent.composite_, parent.report_)
{
}

TrqReportBuilder::~TrqReportBuilder()
{
    // Bands close their datasets and leave their views.
    pages_.clear();
}

void TrqReportBuilder::handleError(const std::exception& e)
{
    report_.Terminated = true;
    if (run_.ErrorFlag) return;  // the first error is the one to report
    AnsiString message = text(ErrorCalculatingText);
    // A query that cannot be opened is its own error, whichever view needed it first.
    TrqView* view = dynamic_cast<const ErqDataSetError*>(&e) ? nullptr : report_.CurrentView();
    if (view)
        for (int i = 0; i < view->Memo.Count(); ++i) message += "\r" + view->Memo[i];
    message += "\r\r" + text(ReportLabelText) + " " + report_.Name() + "\r";
    if (view) message += text(ObjectLabelText) + " " + view->Name + "\r";
    message += "\r";
    message += e.what();
    run_.ErrorFlag = true;
    run_.ErrorText = message;
}

bool TrqReportBuilder::Prepare()
{
    TrqEMFPages& pages = report_.EMFPages();
    report_.SelectPrinter(report_.PrinterName());
    report_.SetBuilding(true);
    const QScopedValueRollback<bool> buildMode(rqDrawState().BuildMode, true);
    run_.StartDate = Date();
    run_.StartTime = Time();
    report_.SetCurrentPage(nullptr);
    report_.SetCurrentView(nullptr);
    run_.RememberedTwoPass = run_.TwoPassFlag = report_.TwoPass();
    ScopedReportContext installed(context_.get());

    // A composite keeps the templates of its reports, not its own (it walks none).
    const bool composite = dynamic_cast<TrqCompositeReport*>(&report_) != nullptr;
    const std::vector<TrqReport*> templates = composite_.TemplateReports();
    std::vector<std::unique_ptr<TMemoryStream>> saved;
    for (TrqReport* r : templates) {
        saved.push_back(std::make_unique<TMemoryStream>());
        r->SaveToStream(*saved.back());
        // Its own PrepareReport is refused while the composite builds it.
        if (r != &report_) r->SetBuilding(true);
    }
    auto cleanUp = qScopeGuard([&] {
        composite_.Clear();
        pages_.clear();
        pb_ = nullptr;
        band_ = nullptr;
        for (TrqReport* r : templates) {
            r->SetCurrentPage(nullptr);
            r->SetCurrentView(nullptr);
            r->FinalPass = false;
            r->SetBuilding(false);
        }
        rqDrawState().DrawingDisabled = false;
        report_.SetCurrentPage(nullptr);
        report_.SetCurrentView(nullptr);
        report_.FinalPass = false;
        report_.SetBuilding(false);
    });

    if (composite)
        for (TrqReport* r : templates)
            if (r->OnBeginDoc) guarded([&] { r->OnBeginDoc(); });
    guarded([&] { placeAlignedViews(); });
    if (!run_.ErrorFlag && report_.OnBeginDoc) guarded([&] { report_.OnBeginDoc(); });
    bool result = !run_.ErrorFlag && buildWithProgress();
    SetReportContext(context_.get());
    if (report_.OnEndDoc) guarded([&] { report_.OnEndDoc(); });

    // The bands go before the views they were made from.
    composite_.Clear();
    pages_.clear();
    for (size_t i = 0; i < templates.size(); ++i) {
        TrqReport& r = *templates[i];
        if (composite && r.OnEndDoc) guarded([&] { r.OnEndDoc(); });
        r.SetCurrentPage(nullptr);
        r.SetCurrentView(nullptr);
        saved[i]->SetPosition(0);
        guarded([&] { r.LoadFromStream(*saved[i]); });
    }

    if (run_.DialogCancelled || run_.ErrorFlag) result = false;
    if (run_.ErrorFlag) {
        pages.Clear();
        MessageBox(run_.ErrorText, "Error", MB_OK | MB_ICONERROR);
    } else if (run_.DialogCancelled) {
        pages.Clear();
    }
    return result;
}

bool TrqReportBuilder::showingProgressWindow() const
{
    return report_.ShowProgress() && !report_.OnProgress && qobject_cast<QApplication*>(QCoreApplication::instance());
}

bool TrqReportBuilder::buildWithProgress()
{
    report_.Terminated = false;
    run_.StoppedByScript = false;
    run_.AppendPage = false;
    run_.DrawingDisabled = false;
    rqDrawState().DrawingDisabled = false;
    report_.FinalPass = true;
    run_.CurPageIndex = 0;
    run_.PagesEnded = 0;
    run_.FirstUnpacked = 0;
    preparedPages().Clear();

    const bool window = showingProgressWindow();
    auto runWindow = [&](const AnsiString& label) {
        TrqProgressForm& form = rqProgressForm();
        AnsiString caption = text(PreparingReportText);
        if (!report_.Title().empty()) caption += " - " + report_.Title();
        form.SetCaption(caption);
        form.SetLabel1(label + "  1");
        form.OnStart = [this](TrqProgressForm&) { Guard([&] { passStep(); }); };
        run_.Progress = &form;
        int modalResult = form.Show(&report_);
        run_.Progress = nullptr;
        form.OnStart = nullptr;
        return modalResult;
    };

    if (run_.TwoPassFlag) {
        run_.DrawingDisabled = true;
        rqDrawState().DrawingDisabled = true;
        report_.FinalPass = false;
        if (!window || run_.Progress) passStep();
        else return runWindow(text(FirstPassText)) != mrCancel;  // a cancelled build built nothing
        return true;
    }
    if (!window) {
        run_.TwoPassFlag = run_.RememberedTwoPass;
        passStep();
        return true;
    }
    if (run_.RememberedTwoPass) {
        // The second pass runs inside the window the first pass opened.
        if (run_.Progress) run_.Progress->SetLabel1(text(ProcessingPageText) + "  1");
        run_.TwoPassFlag = true;
        passStep();
        return true;
    }
    run_.TotalPages = 0;
    return runWindow(text(ProcessingPageText)) != mrCancel;
}

void TrqReportBuilder::passStep()
{
    build();
    // Only a cancel (or an error) closes the window with cancel; a report
    // stopped by its script keeps what it built.
    const bool cancelled = report_.Terminated && !(run_.StoppedByScript && !run_.ErrorFlag);
    if (report_.FinalPass) {
        if (run_.Progress) run_.Progress->SetModalResult(cancelled ? mrCancel : mrOk);
        return;
    }
    // The first pass is done: the second one knows the number of pages.
    run_.TotalPages = preparedPages().Count();
    run_.TwoPassFlag = false;
    // A report stopped by its script is built again up to the same place; a
    // cancel or an error ends the build here.
    if (cancelled) {
        preparedPages().Clear();
        if (run_.Progress) run_.Progress->SetModalResult(mrCancel);
    } else {
        run_.SecondPass = true;
        buildWithProgress();
    }
    run_.TwoPassFlag = true;
}

void TrqReportBuilder::build()
{
    // The scripts of this build check in with it (a part of a composite
    // build with its own report's state).
    auto check = std::exchange(rqInterpreter().OnCheck, [this] { checkScript(); });
    auto restore = qScopeGuard([&] { rqInterpreter().OnCheck = std::move(check); });
    Application().ProcessMessages();
    if (master_->Terminated) report_.Terminated = true;  // cancelled in the composite's progress window
    lookup_.Clear();
    SetReportContext(context_.get());
    if (auto* composite = dynamic_cast<TrqCompositeReport*>(&report_)) {
        guarded([&] { composite_.Build(*composite); });
        return;
    }
    guarded([&] { walkPages(); });
    finishPages();
    if (report_.ReportType() == rtMultiple && report_.Dataset()) guarded([&] { report_.Dataset()->Close(); });
}

void TrqReportBuilder::walkPages()
{
    TrqPages& pages = report_.Pages();
    TrqDataset* multiple = report_.ReportType() == rtMultiple ? report_.Dataset() : nullptr;
    if (multiple) {
        multiple->Open();
        multiple->First();
    }
    if (!run_.SecondPass) {
        hookViews_.clear();
        for (int i = 0; i < pages.Count(); ++i) pages[i]->Skip = false;
        run_.DialogCancelled = false;
    }
    for (int i = 0; i < pages.Count() && !run_.DialogCancelled; ++i)
        if (pages[i]->Type == ptDialog) dialogPages_.Run(*pages[i]);
    if (run_.DialogCancelled) return;
    for (int i = 0; i < pages.Count(); ++i)
        if (pages[i]->Type == ptReport) initReportPage(*pages[i]);
    if (report_.Terminated) return;

    do {
        reportProgress(run_.CurPageIndex + 1);
        for (int i = 0; i < pages.Count(); ++i) {
            TrqPage& page = *pages[i];
            report_.SetCurrentPage(&page);
            auto it = pages_.find(&page);
            pb_ = it == pages_.end() ? nullptr : it->second.get();
            if (!page.Visible) {
                if (pb_) runPageScript(*pb_);
            } else if (!page.Skip && page.Type == ptReport && pb_) {
                pb_->Collect = false;
                formPage(*pb_);
                // The last page continues into the next report of a composite build.
                run_.AppendPage = i + 1 < pages.Count() ? pages[i + 1]->PrintToPrevPage
                                                    : composite_.NextAppends() && (!multiple || multiple->Eof());
                if (run_.AppendPage) {
                    --run_.CurPageIndex;
                } else {
                    run_.CurPageIndex = preparedPages().Count();
                    reportProgress(run_.CurPageIndex);
                }
            }
            if (report_.Terminated) break;
        }
        reportProgress(run_.CurPageIndex);
        if (multiple) multiple->Next();
    } while (multiple && !report_.Terminated && !multiple->Eof());
    pb_ = nullptr;
}

void TrqReportBuilder::initReportPage(TrqPage& page)
{
    // A page whose bands did not live on from the first pass (its template
    // was reloaded between the reports of a composite) is laid out afresh.
    if (auto it = pages_.find(&page); run_.SecondPass && it != pages_.end()) {
        TrqPageBuild& pb = *it->second;
        // A sub-report left unfinished by a stopped first pass starts afresh.
        pb.Collect = pb.Replaying = false;
        pb.Recorded.clear();
        pb.PlayFrom = 0;
        pb.LastBand = nullptr;
        pb.WidestCrossRow = 0;
        for (auto& band : pb.Bands) {
            band->SubPages.clear();
            if (band->Dataset()) band->Dataset()->First();
        }
        return;
    }
    auto pb = std::make_unique<TrqPageBuild>(page);
    TrqPageBuild& ref = *pb;
    pages_[&page] = std::move(pb);
    page.UpdateGeometry();
    pb_ = &ref;
    guarded([&] { layOutBands(ref); });
    ref.CurrentNo = 1;
    ref.ColumnNo = 1;
    if (!report_.Terminated) prepareObjects(ref);
    pb_ = nullptr;
    band_ = nullptr;
}

void TrqReportBuilder::prepareObjects(TrqPageBuild& pb)
{
    guarded([&] {
        memoText_.FindDataFields(pb);
        aggregates_.Collect(pb);
    });
    band_ = nullptr;
}

void TrqReportBuilder::runPageScript(TrqPageBuild& pb)
{
    if (!pb.ScriptCompiled) {
        compileScript(pb.Script = pb.Page.Script, pb.Page.Name);
        pb.ScriptCompiled = true;
    }
    report_.SetCurrentView(nullptr);
    band_ = nullptr;
    if (!pb.Script.IsEmpty()) rqInterpreter().RunScript(pb.Script);
}

void TrqReportBuilder::finishPages()
{
    // The first pass of two keeps its bands for the second.
    if (!report_.FinalPass) return;
    pages_.clear();
    pb_ = nullptr;
    band_ = nullptr;
}

void TrqReportBuilder::reportProgress(int page)
{
    // A stop requested from outside (SIGINT in rqtool) is a Cancel.
    if (StopRequested()) master_->Terminated = true;
    // Progress is the master report's: a composite shows one window for all its reports.
    if (master_->OnProgress) {
        master_->OnProgress(page);
    } else if (master_->ShowProgress()) {
        if (run_.Progress) {
            AnsiString label = text(run_.DrawingDisabled ? FirstPassText : ProcessingPageText) + "  " + IntToStr(page);
            if (run_.SecondPass && run_.RememberedTwoPass)
                label += " " + text(FromText) + " " + IntToStr(run_.TotalPages);
            run_.Progress->SetLabel1(label);
        }
        Application().ProcessMessages();
    }
    if (master_->Terminated) report_.Terminated = true;
}

void TrqReportBuilder::checkScript()
{
    if (run_.Progress) Application().ProcessMessages();
    if (StopRequested()) master_->Terminated = true;
    if (master_->Terminated) report_.Terminated = true;
    if (report_.Terminated) Abort();
}

TDataSet* TrqReportBuilder::defaultDataSet() const
{
    TrqDataset* dataset = report_.Dataset();
    const TrqBand* band = band_;
    if (pb_ && band && pb_->Page.Type == ptReport) {
        auto firstOf = [&](int kind) { return pb_->Chain(kind) ? pb_->Chain(kind)->Dataset() : nullptr; };
        switch (band->Kind) {
        case btReportTitle:
        case btReportSummary:
        case btPageHeader:
        case btPageFooter:
        case btMasterHeader:
        case btMasterData:
        case btMasterFooter:
        case btGroupHeader:
        case btGroupFooter: dataset = firstOf(btMasterData); break;
        case btDetailData:
        case btDetailFooter: dataset = firstOf(btDetailData); break;
        case btSubDetailData:
        case btSubDetailFooter: dataset = firstOf(btSubDetailData); break;
        case btCrossData:
        case btCrossFooter: dataset = firstOf(btCrossData); break;
        default: break;
        }
    }
    auto* db = dynamic_cast<TrqDBDataSet*>(dataset);
    return db ? db->FindDataSet() : nullptr;
}

TrqEMFPages& TrqReportBuilder::preparedPages() const { return master_->EMFPages(); }

int64_t TrqReportBuilder::leftMargin() const { return pb_ ? pb_->Page.LeftMarginInEffect() : 0; }

int64_t TrqReportBuilder::topMargin() const { return pb_ ? pb_->Page.TopMarginInEffect() : 0; }

// A dialog page in a build: before the report pages are walked it shows a
// window with the page's controls, runs the page's script as the window's
// activation, and lets the user confirm or cancel the report. A cancel
// clears the pages the build made. Only the first pass runs it.
#include "report/engine/DialogPage.h"

#include "report/engine/ReportBuilder.h"
#include "report/language/Globals.h"
#include "report/language/Warnings.h"
#include "report/model/Control.h"
#include "report/windows/DialogPageWindow.h"

#include <QApplication>
#include <QScopeGuard>

void TrqDialogPages::runScript(TrqPage& page)
{
    TStringList compiled;
    TStringList errors;
    WarnAboutScript(page.Name, rqInterpreter().CompileScriptAndNote(page.Script, compiled, errors));
    rqInterpreter().RunScript(compiled);
}

void TrqDialogPages::SetModalResult(int result)
{
    if (window_) window_->ModalResult = result;
}

void TrqDialogPages::Run(TrqPage& page)
{
    TrqBuildRun& run = builder_.run_;
    TrqReport& report = builder_.report_;
    if (run.SecondPass) return;
    report.SetCurrentPage(&page);
    report.SetCurrentView(nullptr);
    builder_.guarded([&] {
        std::vector<std::pair<QWidget*, TrqView*>> visual;
        for (int i = 0; i < page.Count(); ++i) {
            TrqView* view = page.Objects(i);
            view->Page = &page;
            if (auto* component = dynamic_cast<TrqNonVisualControl*>(view)) {
                if (component->Component() && report.OnCustomizeObject)
                    report.OnCustomizeObject(component->Component());
            } else if (auto* control = dynamic_cast<TrqControl*>(view)) {
                if (QWidget* widget = control->Widget()) visual.emplace_back(widget, view);
            }
        }
        // Without controls to fill in (or without a screen to show them on)
        // the page is only its script.
        if (visual.empty() || !page.Visible || !qobject_cast<QApplication*>(QCoreApplication::instance())) {
            runScript(page);
            return;
        }

        TrqDialogPageWindow window(page);
        for (auto& [widget, view] : visual) window.Place(*widget, *view);
        const bool progressShown = run.Progress && run.Progress->isVisible();
        if (progressShown) run.Progress->hide();
        window_ = &window;
        auto restore = qScopeGuard([&] {
            window_ = nullptr;
            if (progressShown) run.Progress->show();
        });

        runScript(page);
        // A script that decided the result itself (MODALRESULT) needs no answer from the user.
        int result = window.ModalResult;
        if (result == mrNone) {
            result = window.ShowModal();
            if (result == mrNone) result = mrCancel;
        }
        run.DialogCancelled = result == mrCancel;
    });
    report.SetCurrentPage(nullptr);
}

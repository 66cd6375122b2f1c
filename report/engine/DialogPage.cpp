// A dialog page in a build: before the report pages are walked it shows a
// window with the page's controls, runs the page's script as the window's
// activation, and lets the user confirm or cancel the report. A cancel
// clears the pages the build made. Only the first pass runs it.
#include "report/engine/ReportBuilder.h"

#include "report/language/Globals.h"
#include "report/model/Control.h"
#include "report/windows/DialogPageWindow.h"

#include <QApplication>
#include <QScopeGuard>

void TrqReportBuilder::runDialogScript(TrqPage& page)
{
    TStringList compiled;
    TStringList errors;
    rqInterpreter().CompileScript(page.Script, compiled, errors);
    rqInterpreter().RunScript(compiled);
}

void TrqReportBuilder::runDialogPage(TrqPage& page)
{
    if (secondPass_) return;
    report_.SetCurrentPage(&page);
    report_.SetCurrentView(nullptr);
    guarded([&] {
        std::vector<std::pair<QWidget*, TrqView*>> visual;
        for (int i = 0; i < page.Count(); ++i) {
            TrqView* view = page.Objects(i);
            view->Page = &page;
            if (auto* component = dynamic_cast<TrqNonVisualControl*>(view)) {
                if (component->Component() && report_.OnCustomizeObject)
                    report_.OnCustomizeObject(component->Component());
            } else if (auto* control = dynamic_cast<TrqControl*>(view)) {
                if (QWidget* widget = control->Widget()) visual.emplace_back(widget, view);
            }
        }
        // Without controls to fill in (or without a screen to show them on)
        // the page is only its script.
        if (visual.empty() || !page.Visible || !qobject_cast<QApplication*>(QCoreApplication::instance())) {
            runDialogScript(page);
            return;
        }

        TrqDialogPageWindow window(page);
        for (auto& [widget, view] : visual) window.Place(*widget, *view);
        const bool progressShown = progress_ && progress_->isVisible();
        if (progressShown) progress_->hide();
        dialogWindow_ = &window;
        auto restore = qScopeGuard([&] {
            dialogWindow_ = nullptr;
            if (progressShown) progress_->show();
        });

        runDialogScript(page);
        // A script that decided the result itself (MODALRESULT) needs no answer from the user.
        int result = window.ModalResult;
        if (result == mrNone) {
            result = window.ShowModal();
            if (result == mrNone) result = mrCancel;
        }
        dialogCancelled_ = result == mrCancel;
    });
    report_.SetCurrentPage(nullptr);
}

#include "report/windows/ShowWhileBuilding.h"

#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/windows/PreviewForm.h"
#include "runtime/Application.h"
#include "runtime/ModalDialog.h"

#include <QPointer>
#include <QScopeGuard>

void ShowReportWhileBuilding(TrqReport& report)
{
    QWidget* parent = report.MDIPreview() ? Application().Handle() : nullptr;
    QPointer<TrqPreviewForm> form = new TrqPreviewForm(parent);
    form->setWindowTitle(PreviewCaption(report));
    auto freeForm = qScopeGuard([&] { delete form.data(); });

    bool opened = false, closed = false;
    auto stop = [&] {
        closed = true;
        report.Terminated = true;
    };
    const std::function<void(int)> ownHandler = report.OnPagesFinished;
    auto pagesFinished = [&](int finished) {
        if (ownHandler) ownHandler(finished);
        if (closed) return;
        if (!form) return stop();
        if (!opened) {
            opened = true;
            form->ShowBuilding(&report, finished);
            if (report.MDIPreview()) form->setWindowState(Qt::WindowNoState);
            if (!OpenModal(*form)) return stop();
        } else {
            form->PagesFinished(finished);
        }
        TrqPage* page = report.CurrentPage();
        Application().ProcessMessages();
        report.SetCurrentPage(page);
        if (!form || !form->isVisible()) stop();
    };
    {
        auto restore = qScopeGuard([&, showProgress = report.ShowProgress()] {
            report.OnPagesFinished = ownHandler;
            report.SetShowProgress(showProgress);
        });
        // The window stands for the progress window.
        report.SetShowProgress(false);
        report.OnPagesFinished = pagesFinished;
        report.PrepareReport();
    }

    if (!opened) {
        // Built before a page was reported: shown as any report.
        report.ShowPreparedReport();
        return;
    }
    if (closed || !form || report.EMFPages().Count() == 0) {
        // Closed while building, or the build failed (its message has been
        // shown and its pages cleared): the pages go with the window.
        report.EMFPages().Clear();
        return;
    }
    form->BuildFinished();
    FinishModal(*form);
}

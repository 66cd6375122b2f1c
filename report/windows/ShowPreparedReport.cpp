// Showing a report's prepared pages: in a preview window of its own, modal or
// not, or in the report's embedded preview control; a report with
// ProgressivePreview while it is being built (ShowWhileBuilding.cpp).
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/texts/EngineTexts.h"
#include "report/windows/Preview.h"
#include "report/windows/PreviewForm.h"
#include "report/windows/ShowWhileBuilding.h"
#include "runtime/Application.h"
#include "runtime/ModalDialog.h"

#include <QPointer>

namespace {
constexpr int PreviewText = 55207;
}  // namespace

QString PreviewCaption(const TrqReport& report)
{
    AnsiString caption = TrqLocale::LoadText(PreviewText);
    if (!report.Title().empty()) caption += " - " + report.Title();
    return AnsiToQString(caption);
}

void TrqReport::ShowReport()
{
    if (ProgressivePreview() && !Preview() && ModalPreview() && !TwoPass() && !Building()) {
        ShowReportWhileBuilding(*this);
        return;
    }
    PrepareReport();
    ShowPreparedReport();
}

void TrqReport::ShowPreparedReport()
{
    if (EMFPages().Count() == 0) return;
    if (Preview()) {
        Preview()->Connect(this);
        return;
    }
    // A child of the application's window in normal state, or a window of its own.
    QWidget* parent = MDIPreview() ? Application().Handle() : nullptr;
    auto* form = new TrqPreviewForm(parent);
    form->setWindowTitle(PreviewCaption(*this));
    if (!ModalPreview()) {
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->ShowFor(this, false);
        if (MDIPreview()) form->setWindowState(Qt::WindowNoState);
        form->show();
        Application().ProcessMessages();
        return;
    }
    QPointer<TrqPreviewForm> guard(form);
    form->ShowFor(this, true);
    if (MDIPreview()) form->setWindowState(Qt::WindowNoState);
    ExecModal(*form);
    // The report may have been freed while the window was up (the window let
    // go of it then); the window goes either way, and nothing else is touched.
    delete guard.data();
}

#pragma once
// TrqDialogPageWindow: the window a dialog page shows while its report is
// built, so that the user can fill in the controls the report reads (a date
// range, a choice) before the report pages are walked.
//
// Rules that are easy to break:
// - The widgets placed on it belong to the page's controls, not to the window:
//   the window gives them back (unparents them) before it goes, and a widget
//   that its control freed first is simply skipped.
// - It is shown through ExecModal, so that tests answer for the user.
// - ModalResult is what the page's script set (MODALRESULT); a result set
//   before the window is shown means it is not shown at all.

#include "report/windows/ProgressForm.h"

#include <QDialog>
#include <QPointer>

#include <vector>

class TrqPage;
class TrqView;

class TrqDialogPageWindow : public QDialog {
public:
    // A window with the page's BorderStyle, Caption, Color, bounds and Position.
    explicit TrqDialogPageWindow(const TrqPage& page);
    ~TrqDialogPageWindow() override;

    // Puts the widget on the window at the view's bounds.
    void Place(QWidget& widget, const TrqView& view);

    int ModalResult = mrNone;

    // Shows the window modally; the result it closed with, mrNone when it was
    // closed without one.
    int ShowModal();

private:
    std::vector<QPointer<QWidget>> placed_;
};

#pragma once
// TrqProgressForm: the engine's progress window, shown modally while a report
// is built or printed. Its start handler runs the work once the modal loop
// runs; the work lets window messages through after every page, where the
// Cancel button (or Esc, or the close box) sets the report's Terminated flag.
// The window closes with the modal result set by the work or by Cancel, once
// the work has handed control back to the modal loop.

#include "runtime/AnsiString.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class TrqReport;

enum : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TrqProgressForm : public QDialog {
public:
    explicit TrqProgressForm(QWidget* parent = nullptr);

    QLabel* Label1;        // stage and page number
    QLabel* Label2;        // free text of scripts (the variable PROGRESS)
    QPushButton* Button1;  // Cancel

    // Runs once the window is up; the work sets the modal result when done.
    std::function<void(TrqProgressForm& form)> OnStart;

    TrqReport* Report() const { return report_; }
    void SetCaption(const AnsiString& caption);
    void SetLabel1(const AnsiString& text);
    void SetLabel2(const AnsiString& text);

    // Shows the window modally for the report and returns the modal result it
    // closed with (mrOk or mrCancel).
    int Show(TrqReport* report);
    int ModalResult() const { return modalResult_; }
    // A result other than mrNone closes the window as soon as the modal loop
    // has control again.
    void SetModalResult(int result);

    // What Button1 does: the report stops at its next check, the window closes with mrCancel.
    void Cancel();
    void reject() override { Cancel(); }

protected:
    void customEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TrqReport* report_ = nullptr;
    int modalResult_ = mrNone;
    bool running_ = false;
};

// The engine's one progress window, made on first use; FreeProgressForm frees it
// (when the engine is unloaded).
TrqProgressForm& rqProgressForm();
void FreeProgressForm();

#pragma once
// TrqDialogPages: dialog pages in a build (DialogPage.cpp). Before the report
// pages are walked, each dialog page shows a window with its controls, runs
// its script as the window's activation, and lets the user confirm or cancel
// the report. Only the first pass runs them.

class TrqDialogPageWindow;
class TrqPage;
class TrqReportBuilder;

class TrqDialogPages {
public:
    explicit TrqDialogPages(TrqReportBuilder& builder) : builder_(builder) {}
    TrqDialogPages(const TrqDialogPages&) = delete;
    TrqDialogPages& operator=(const TrqDialogPages&) = delete;

    void Run(TrqPage& page);
    // MODALRESULT of a script: only the window of the page being run takes it.
    void SetModalResult(int result);

private:
    void runScript(TrqPage& page);

    TrqReportBuilder& builder_;
    TrqDialogPageWindow* window_ = nullptr;  // of the page being run
};

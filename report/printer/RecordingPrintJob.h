#pragma once
// A print job that prints nothing and remembers what it was given: each job's
// paper, copies and the page numbers in the order they were sent, and whether
// it was ended (it would have reached the printer) or aborted. `rqtool rqp
// print --dry-run` prints through it, and tests check the print loop with it.
// The pages are still drawn, onto a picture that is thrown away, so a page
// that cannot be drawn fails here as it would on a printer.

#include "report/printer/PrintJob.h"

#include <QPainter>
#include <QPicture>

#include <memory>
#include <optional>
#include <vector>

struct TrqRecordedJob {
    TrqJobSetup Setup;
    std::vector<int> Pages;
    bool Ended = false;
    bool Aborted = false;
};

class TrqRecordingPrintJob : public TrqPrintJob {
public:
    TrqRecordingPrintJob();
    ~TrqRecordingPrintJob() override;

    void BeginDoc(const TrqJobSetup& setup) override;
    void BeginPage(int pageNumber) override;
    TrqCanvas& Canvas() override;
    void EndDoc() override;
    void Abort() override;
    bool Printing() const override { return printing_; }

    // Forgets the jobs recorded so far (none may be running).
    void Clear() { jobs_.clear(); }
    // Every job begun, in order.
    const std::vector<TrqRecordedJob>& Jobs() const { return jobs_; }
    // The jobs that were ended, one line each:
    // "job K: PAPER ORIENTATION copies C: P P P".
    std::vector<std::string> SubmittedLines() const;

private:
    void closePage();

    std::vector<TrqRecordedJob> jobs_;
    bool printing_ = false;
    QPicture picture_;
    std::optional<QPainter> painter_;
    std::unique_ptr<TrqCanvas> canvas_;
};

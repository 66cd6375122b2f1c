#include "report/printer/RecordingPrintJob.h"

TrqRecordingPrintJob::TrqRecordingPrintJob() = default;

TrqRecordingPrintJob::~TrqRecordingPrintJob() { closePage(); }

void TrqRecordingPrintJob::BeginDoc(const TrqJobSetup& setup)
{
    if (printing_) throw EPrintJobError("A print job is already running");
    jobs_.push_back({setup, {}, false, false});
    printing_ = true;
}

void TrqRecordingPrintJob::BeginPage(int pageNumber)
{
    if (!printing_) throw EPrintJobError("No print job is running");
    closePage();
    jobs_.back().Pages.push_back(pageNumber);
    painter_.emplace(&picture_);
    canvas_ = std::make_unique<TrqCanvas>(*painter_, ckPrinter);
}

TrqCanvas& TrqRecordingPrintJob::Canvas()
{
    if (!canvas_) throw EPrintJobError("No page has been begun");
    return *canvas_;
}

void TrqRecordingPrintJob::closePage()
{
    canvas_.reset();
    if (painter_) painter_->end();
    painter_.reset();
    picture_ = QPicture();
}

void TrqRecordingPrintJob::EndDoc()
{
    if (!printing_) return;
    closePage();
    jobs_.back().Ended = true;
    printing_ = false;
}

void TrqRecordingPrintJob::Abort()
{
    if (!printing_) return;
    closePage();
    jobs_.back().Aborted = true;
    printing_ = false;
}

std::vector<std::string> TrqRecordingPrintJob::SubmittedLines() const
{
    std::vector<std::string> lines;
    int number = 0;
    for (const TrqRecordedJob& job : jobs_) {
        if (!job.Ended) continue;
        std::string line = "job " + std::to_string(++number) + ": " + AnsiToUtf8(job.Setup.PaperName) + " " +
                           (job.Setup.Orientation == 1 ? "landscape" : "portrait") + " copies " +
                           std::to_string(job.Setup.Copies) + ":";
        for (int page : job.Pages) line += " " + std::to_string(page);
        lines.push_back(line);
    }
    return lines;
}

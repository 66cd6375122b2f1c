#include "report/model/Report.h"

#include "report/texts/EngineTexts.h"
#include "runtime/Dialogs.h"
#include "runtime/Exceptions.h"

#include <algorithm>

namespace {
constexpr int UntitledText = 55209;
constexpr int32_t ReportFormVersion = 24;
}  // namespace

TrqReport::TrqReport(TComponent* owner)
    : TComponent(owner), printer_(rqPrinter()), pages_(this), fileName_(TrqLocale::LoadText(UntitledText))
{
    pages_.Add();
}

TrqReport::~TrqReport()
{
    // A preview still showing this report's pages closes (or lets go of the
    // report) first: its pages refer to the report.
    while (!previewLinks_.empty()) {
        TrqPreviewLink* link = previewLinks_.back();
        link->ReportFreed();
        DetachPreview(link);
    }
}

void TrqReport::AttachPreview(TrqPreviewLink* link)
{
    if (link && std::find(previewLinks_.begin(), previewLinks_.end(), link) == previewLinks_.end())
        previewLinks_.push_back(link);
}

void TrqReport::DetachPreview(TrqPreviewLink* link)
{
    previewLinks_.erase(std::remove(previewLinks_.begin(), previewLinks_.end(), link), previewLinks_.end());
}

void TrqReport::Clear()
{
    currentPage_ = nullptr;
    currentView_ = nullptr;
    pages_.Clear();
    dictionary_.Clear();
    twoPass_ = false;
}

void TrqReport::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == datasetComponent_) {
        datasetComponent_ = nullptr;
        dataset_ = nullptr;
    }
    if (component == previewComponent_) {
        previewComponent_ = nullptr;
        preview_ = nullptr;
    }
}

TrqView* TrqReport::FindObject(std::string_view name) const
{
    for (int i = 0; i < pages_.Count(); ++i)
        if (TrqView* view = pages_[i]->FindObject(name)) return view;
    return nullptr;
}

void TrqReport::SelectPrinter(const AnsiString& name)
{
    if (!useDefaultPrinter_) {
        int index = printer_.IndexOfPrinter(name);
        if (index >= 0) printer_.SetPrinterIndex(index);
    }
    printerName_ = name;
}

void TrqReport::showLoadMessage(const AnsiString& text)
{
    loadMessage_ = text;
    MessageBox(text, "Error", MB_OK | MB_ICONERROR);
}

bool TrqReport::LoadFromFile(const AnsiString& fileName)
{
    if (!FileExists(fileName)) return false;
    TMemoryStream stream;
    {
        TFileStream file(fileName, fmOpenRead);
        stream.SetSize(file.Size());
        file.ReadBuffer(const_cast<char*>(stream.Memory()), stream.Size());
    }
    LoadFromStream(stream);
    fileName_ = fileName;
    return true;
}

void TrqReport::SaveToFile(const AnsiString& fileName)
{
    TMemoryStream stream;
    SaveToStream(stream);
    stream.SaveToFile(fileName);
}

void TrqReport::WriteReportForm(TStream& stream)
{
    stream.WriteInt32(ReportFormVersion);
    if (!storeInDFM_) return;
    TMemoryStream tmpl;
    SaveToStream(tmpl);
    stream.WriteInt32(static_cast<int32_t>(tmpl.Size()));
    tmpl.SaveToStream(stream);
}

void TrqReport::ReadReportForm(TStream& stream)
{
    stream.ReadInt32();  // the format number; every form so far is read the same way
    reportForm_.reset();
    if (stream.Remaining() < 4) return;
    int32_t size = stream.ReadInt32();
    if (size < 0 || size > stream.Remaining()) throw EReadError(RuntimeText::StreamRead);
    reportForm_ = std::make_unique<TMemoryStream>();
    reportForm_->SetSize(size);
    stream.ReadBuffer(const_cast<char*>(reportForm_->Memory()), size);
}

void TrqReport::Loaded()
{
    std::unique_ptr<TMemoryStream> kept = std::move(reportForm_);
    if (storeInDFM_ && kept) {
        kept->SetPosition(0);
        LoadFromStream(*kept);
    }
}

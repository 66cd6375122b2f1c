#include "report/engine/Band.h"

#include "report/engine/ReportBuilder.h"

TrqBand::TrqBand(TrqReportBuilder& builder, TrqPageBuild& page, int kind)
    : Kind(kind), PageBuild(page), builder_(builder)
{
}

TrqBand::~TrqBand()
{
    ReleaseDatasets();
    if (View && View->Runtime == this) View->Runtime = nullptr;
}

void TrqBand::SetDataset(TrqDataset* dataset, std::unique_ptr<TrqDataset> owned)
{
    ++datasetGeneration_;
    TrqDataset* previous = dataset_;
    std::unique_ptr<TrqDataset> previousOwned = std::move(ownedDataset_);
    dataset_ = nullptr;
    if (previous) previous->Close();
    previousOwned.reset();
    ownedDataset_ = std::move(owned);
    dataset_ = dataset;
    if (dataset_) dataset_->Open();
}

void TrqBand::SetCrossDataset(TrqDataset* dataset, std::unique_ptr<TrqDataset> owned)
{
    ++datasetGeneration_;
    if (crossDataset_) crossDataset_->Close();
    crossDataset_ = nullptr;
    ownedCrossDataset_ = std::move(owned);
    crossDataset_ = dataset;
    if (crossDataset_) crossDataset_->Open();
}

void TrqBand::ReleaseDatasets()
{
    // Report datasets close without throwing (TrqDBDataSet); a user dataset's
    // handlers are not ours to trust while cleaning up.
    ++datasetGeneration_;
    for (TrqDataset** slot : {&dataset_, &crossDataset_}) {
        TrqDataset* ds = *slot;
        *slot = nullptr;
        if (!ds) continue;
        try {
            ds->Close();
        } catch (const std::exception&) {
        }
    }
    ownedDataset_.reset();
    ownedCrossDataset_.reset();
}

bool TrqBand::GetRuntimeProperty(const AnsiString& name, Variant& value)
{
    if (name == "LEFT") value = static_cast<long long>(X);
    else if (name == "TOP") value = static_cast<long long>(Y);
    else if (name == "WIDTH") value = Width;
    else if (name == "HEIGHT") value = Height;
    else if (name == "VISIBLE") value = Visible;
    else if (name == "EOF") value = !dataset_ || dataset_->Eof();
    else return false;
    return true;
}

bool TrqBand::SetRuntimeProperty(const AnsiString& name, const Variant& value)
{
    auto asInt = [&] { return value.AsInteger(); };
    if (name == "LEFT") X = asInt();
    else if (name == "TOP") Y = asInt();
    else if (name == "WIDTH") Width = static_cast<int32_t>(asInt());
    else if (name == "HEIGHT") Height = static_cast<int32_t>(asInt());
    else if (name == "VISIBLE") Visible = value.AsBoolean();
    else {
        // These change the view too (the caller writes it).
        if (name == "BREAKED") PageBreak = value.AsBoolean();
        else if (name == "CHILDBAND") builder_.linkChild(*this, value.AsString());
        else if (name == "CONDITION" && Kind == btGroupHeader) builder_.setGroupCondition(*this, value.AsString());
        else if (name == "DATASOURCE") builder_.assignDataSource(*this, value.AsString());
        return false;
    }
    return true;
}

bool TrqBand::CallRuntimeMethod(const AnsiString& name)
{
    if (!dataset_) return false;
    if (name == "NEXT") dataset_->Next();
    else if (name == "PRIOR") dataset_->Prior();
    else if (name == "FIRST") dataset_->First();
    else return false;
    return true;
}

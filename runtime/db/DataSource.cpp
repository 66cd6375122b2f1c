#include "DataSource.h"

#include "DataSet.h"
#include "Query.h"

#include <algorithm>

TDataSource::TDataSource(TComponent* owner) : TComponent(owner)
{
}

TDataSource::~TDataSource()
{
    SetDataSet(nullptr);
    for (TDataLink* link : std::vector<TDataLink*>(links_)) link->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataSet)
{
    if (dataSet == dataSet_) return;
    // A dataset whose masters lead back to this source would follow itself.
    auto* query = dynamic_cast<const TQuery*>(dataSet);
    for (int guard = 0; query && query->DataSource() && guard < 64; ++guard) {
        if (query->DataSource() == this) throw EDatabaseError(DBText::CircularDataLink);
        query = dynamic_cast<const TQuery*>(query->DataSource()->DataSet());
    }
    if (dataSet_) dataSet_->RemoveDataSource(this);
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->AddDataSource(this);
    stateChanged();
}

bool TDataSource::IsLinkedTo(const TDataSet* dataSet) const
{
    // Walks up from this source's dataset through the masters of queries.
    const TDataSource* source = this;
    int guard = 0;
    while (source && source->dataSet_ && guard++ < 64) {
        if (source->dataSet_ == dataSet) return true;
        auto* query = dynamic_cast<const TQuery*>(source->dataSet_);
        source = query ? query->DataSource() : nullptr;
    }
    return false;
}

void TDataSource::SetEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    stateChanged();
}

void TDataSource::Edit()
{
    if (autoEdit_ && state_ == dsBrowse && dataSet_) dataSet_->Edit();
}

void TDataSource::addLink(TDataLink* link)
{
    links_.push_back(link);
}

void TDataSource::removeLink(TDataLink* link)
{
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TDataSource::stateChanged()
{
    TDataSetState state = (dataSet_ && enabled_) ? dataSet_->State() : dsInactive;
    if (state == state_) return;
    bool wasActive = state_ != dsInactive;
    bool wasEditing = state_ == dsEdit || state_ == dsInsert;
    state_ = state;
    bool active = state != dsInactive;
    bool editing = state == dsEdit || state == dsInsert;
    for (TDataLink* link : std::vector<TDataLink*>(links_)) {
        if (std::find(links_.begin(), links_.end(), link) == links_.end()) continue;
        if (active != wasActive) link->activeChanged(active);
        if (editing != wasEditing) link->editingChanged(editing);
    }
    if (OnStateChange) OnStateChange(this);
}

// --- TDataLink -------------------------------------------------------------

TDataLink::~TDataLink()
{
    if (dataSource_) dataSource_->removeLink(this);
    TDataSet* ds = dataSource_ ? dataSource_->DataSet() : nullptr;
    if (ds) ds->readPos_ = -1;
}

void TDataLink::SetDataSource(TDataSource* source)
{
    if (source == dataSource_) return;
    if (dataSource_) dataSource_->removeLink(this);
    dataSource_ = source;
    if (dataSource_) dataSource_->addLink(this);
    bool active = dataSource_ && dataSource_->State() != dsInactive;
    bool editing = dataSource_ && (dataSource_->State() == dsEdit || dataSource_->State() == dsInsert);
    if (active != active_) activeChanged(active);
    if (editing != editing_) editingChanged(editing);
}

TDataSet* TDataLink::DataSet() const
{
    return dataSource_ ? dataSource_->DataSet() : nullptr;
}

bool TDataLink::Active() const
{
    return active_;
}

void TDataLink::activeChanged(bool active)
{
    active_ = active;
    first_ = 0;
    if (active && DataSet()) DataSet()->PlaceWindow(*this);
    ActiveChanged();
}

void TDataLink::editingChanged(bool editing)
{
    editing_ = editing;
    EditingChanged();
}

void TDataLink::SetBufferCount(int count)
{
    if (count < 1) count = 1;
    if (count == bufferCount_) return;
    bufferCount_ = count;
    if (active_ && DataSet()) DataSet()->PlaceWindow(*this);
}

int TDataLink::ActiveRecord() const
{
    TDataSet* ds = DataSet();
    if (!active_ || !ds) return 0;
    return std::max(ds->ReadPosition() - first_, 0);
}

void TDataLink::SetActiveRecord(int index)
{
    TDataSet* ds = DataSet();
    if (!active_ || !ds) return;
    int count = RecordCount();
    if (index < 0 || index >= count) return;
    ds->SetReadPosition(first_ + index);
}

int TDataLink::RecordCount() const
{
    TDataSet* ds = DataSet();
    if (!active_ || !ds) return 0;
    return ds->AvailableFrom(first_, bufferCount_);
}

bool TDataLink::Edit()
{
    if (!readOnly_ && dataSource_ && dataSource_->State() == dsBrowse) dataSource_->Edit();
    return editing_;
}

void TDataLink::UpdateRecord()
{
    TDataSet* ds = DataSet();
    if (!ds) return;
    updating_ = true;
    try {
        ds->UpdateRecord();
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
}

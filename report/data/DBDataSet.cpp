#include "report/data/DBDataSet.h"

#include "report/data/DataSetOpening.h"
#include "runtime/db/DataSource.h"

TrqDBDataSet::~TrqDBDataSet()
{
    SetDataSet(nullptr);
    SetDataSource(nullptr);
}

void TrqDBDataSet::SetDataSet(TDataSet* dataSet)
{
    if (dataSet_) dataSet_->RemoveFreeNotification(this);
    if (dataSource_) dataSource_->RemoveFreeNotification(this);
    dataSource_ = nullptr;
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->FreeNotification(this);
}

void TrqDBDataSet::SetDataSource(TDataSource* source)
{
    if (dataSource_) dataSource_->RemoveFreeNotification(this);
    dataSource_ = source;
    if (!dataSource_) return;
    dataSource_->FreeNotification(this);
    if (dataSet_) dataSet_->RemoveFreeNotification(this);
    dataSet_ = nullptr;
}

void TrqDBDataSet::Notification(TComponent* component, TOperation operation)
{
    TrqDataset::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == dataSet_) dataSet_ = nullptr;
    if (component == dataSource_) dataSource_ = nullptr;
}

TDataSet* TrqDBDataSet::FindDataSet() const
{
    if (dataSource_ && dataSource_->DataSet()) return dataSource_->DataSet();
    return dataSet_;
}

TDataSet* TrqDBDataSet::GetDataSet() const
{
    if (TDataSet* ds = FindDataSet()) return ds;
    throw EDatabaseError("Unable to open dataset " + Name());
}

TDataSet* TrqDBDataSet::activeDataSet() const
{
    TDataSet* ds = GetDataSet();
    return ds->Active() ? ds : nullptr;
}

void TrqDBDataSet::Open()
{
    TDataSet* ds = GetDataSet();
    if (openDataSource_) OpenReportDataSet(*ds);
    if (OnOpen) OnOpen(this);
    hasBookmark_ = usesCurrentRecord() && ds->Active() && !ds->IsEmpty();
    bookmark_ = hasBookmark_ ? ds->Bookmark() : TBookmarkStr();
    atRangeEnd_ = false;
}

void TrqDBDataSet::Close()
{
    // Runs while a build cleans up, perhaps after the database failed: every
    // step is tried, none may end the cleanup.
    try {
        TDataSet* ds = FindDataSet();
        if (hasBookmark_ && ds && ds->Active() && ds->BookmarkValid(bookmark_)) ds->GotoBookmark(bookmark_);
    } catch (const std::exception&) {
    }
    hasBookmark_ = false;
    bookmark_.clear();
    try {
        if (OnClose) OnClose(this);
    } catch (const std::exception&) {
    }
    try {
        if (closeDataSource_)
            if (TDataSet* ds = FindDataSet()) ds->Close();
    } catch (const std::exception&) {
    }
}

void TrqDBDataSet::First()
{
    if (TDataSet* ds = activeDataSet()) {
        if (RangeBegin() == rbCurrent && hasBookmark_) ds->GotoBookmark(bookmark_);
        else ds->First();
    }
    atRangeEnd_ = false;
    TrqDataset::First();
}

void TrqDBDataSet::Next()
{
    atRangeEnd_ = false;
    TDataSet* ds = activeDataSet();
    if (RangeEnd() == reCurrent && hasBookmark_ && ds && ds->CompareBookmarks(ds->Bookmark(), bookmark_) == 0) {
        atRangeEnd_ = true;
        return;
    }
    if (ds) ds->Next();
    TrqDataset::Next();
}

void TrqDBDataSet::Prior()
{
    if (TDataSet* ds = activeDataSet()) ds->Prior();
    TrqDataset::Prior();
}

bool TrqDBDataSet::Eof()
{
    TDataSet* ds = FindDataSet();
    bool noRecord = !ds || !ds->Active() || ds->Eof();
    return TrqDataset::Eof() || noRecord || atRangeEnd_;
}

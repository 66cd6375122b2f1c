#pragma once
// TrqDBDataSet: a report dataset that walks a database dataset (a TQuery of
// the form or of a data module), named directly (DataSet) or through a data
// source (DataSource; setting one clears the other).
//
//   Open    with OpenDataSource, opens the database dataset; OnOpen; when a
//           range uses the current record (rbCurrent, reCurrent) remembers
//           that record.
//   First   rbFirst: the first record; rbCurrent: the remembered one.
//   Next    reCurrent stops on the remembered record (Eof), others move on.
//   Eof     the range's end, the database dataset's Eof, or the stop above.
//   Close   back to the remembered record, OnClose; with CloseDataSource
//           closes the database dataset.
//
// Rules that are easy to break:
// - A closed or empty database dataset yields no records and no error:
//   moving does nothing and Eof is true (with OpenDataSource off the band
//   engine never opens it; a field read does).
// - Close never throws: it runs while a build is cleaning up after an error.
//   The remembered record is gone back to only while the dataset is open.
// - Without a database dataset, the operations that need one raise the
//   database error "Unable to open dataset NAME".

#include "report/data/ReportDataset.h"
#include "runtime/db/DataSet.h"

class TDataSource;

class TrqDBDataSet : public TrqDataset {
public:
    explicit TrqDBDataSet(TComponent* owner = nullptr) : TrqDataset(owner) {}
    ~TrqDBDataSet() override;
    const char* ClassName() const override { return "TrqDBDataSet"; }

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source);
    bool OpenDataSource() const { return openDataSource_; }
    void SetOpenDataSource(bool v) { openDataSource_ = v; }
    bool CloseDataSource() const { return closeDataSource_; }
    void SetCloseDataSource(bool v) { closeDataSource_ = v; }

    std::function<void(TComponent* sender)> OnOpen;
    std::function<void(TComponent* sender)> OnClose;

    // The database dataset walked: DataSource's when it has one, else DataSet;
    // null when there is none.
    TDataSet* FindDataSet() const;
    // The same; raises EDatabaseError "Unable to open dataset NAME" when there is none.
    TDataSet* GetDataSet() const;

    void Open() override;
    void Close() override;
    void First() override;
    void Next() override;
    void Prior() override;
    bool Eof() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The database dataset when it is open, else null.
    TDataSet* activeDataSet() const;
    bool usesCurrentRecord() const { return RangeBegin() == rbCurrent || RangeEnd() == reCurrent; }

    TDataSet* dataSet_ = nullptr;
    TDataSource* dataSource_ = nullptr;
    bool openDataSource_ = true;
    bool closeDataSource_ = false;
    bool hasBookmark_ = false;
    TBookmarkStr bookmark_;
    bool atRangeEnd_ = false;
};

#pragma once
// TDataSource and TDataLink: how controls (grids, master-detail links, report
// datasets) hear what a dataset does.
//
// A data source stands between one dataset and any number of links. Links
// hear, through their virtual methods:
//   ActiveChanged      the dataset opened or closed
//   EditingChanged     it entered or left edit / insert state
//   DataSetChanged     its records changed (post, cancel, delete, refresh)
//   DataSetScrolled(d) the current record moved; d is the distance the link's
//                      window moved (0 when the record moved inside it)
//   RecordChanged(f)   field f of the current record changed (null: the whole record)
//   UpdateData         write pending input into the record now (before a post)
//   LayoutChanged      the fields changed
//   FocusControl(f)    put the input focus on the control of field f (set f
//                      to null when done)
//   CheckBrowseMode    the dataset is about to move or close: save pending input
// The base DataSetScrolled and DataSetChanged call RecordChanged(null).
//
// The window: a link sees BufferCount records at a time (1 unless set). The
// dataset keeps the current record inside every link's window: moving inside
// changes ActiveRecord only, moving past an edge scrolls the window so that the
// current record is at that edge, and DataSetScrolled reports how far. At the
// end of the data the window fills backwards. TDataSet::ScrollWindow moves one
// link's window on its own (a scroll bar), taking the current record along
// only when it would fall out. SetActiveRecord(i) makes field
// reads show the record at buffer index i (the grid paints each row so) until
// it is set back to the current record's index or the dataset moves.

#include "DBTypes.h"
#include "runtime/Component.h"

#include <functional>
#include <vector>

class TDataSet;
class TDataLink;
class TField;

class TDataSource : public TComponent {
public:
    explicit TDataSource(TComponent* owner = nullptr);
    ~TDataSource() override;
    const char* ClassName() const override { return "TDataSource"; }

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool AutoEdit() const { return autoEdit_; }
    void SetAutoEdit(bool v) { autoEdit_ = v; }
    TDataSetState State() const { return state_; }
    // Puts the dataset into edit state when AutoEdit is on and it browses.
    void Edit();
    // True when `dataSet` is this source's dataset or one of its masters.
    bool IsLinkedTo(const TDataSet* dataSet) const;

    std::function<void(TDataSource* sender)> OnStateChange;
    std::function<void(TDataSource* sender, TField* field)> OnDataChange;
    std::function<void(TDataSource* sender)> OnUpdateData;

    const std::vector<TDataLink*>& Links() const { return links_; }

private:
    friend class TDataLink;
    friend class TDataSet;
    void addLink(TDataLink* link);
    void removeLink(TDataLink* link);
    void stateChanged();

    TDataSet* dataSet_ = nullptr;
    bool enabled_ = true;
    bool autoEdit_ = true;
    TDataSetState state_ = dsInactive;
    std::vector<TDataLink*> links_;
};

class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const;
    bool Active() const;
    bool Editing() const { return editing_; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }

    int BufferCount() const { return bufferCount_; }
    void SetBufferCount(int count);
    // Index of the current record (or of the record SetActiveRecord chose) in
    // the window.
    int ActiveRecord() const;
    void SetActiveRecord(int index);
    // Records in the window (at most BufferCount).
    int RecordCount() const;
    // Position of the window's first record in the dataset.
    int FirstRecord() const { return first_; }

    // Puts the dataset into edit state (false when it cannot be edited).
    bool Edit();
    // Asks the dataset's links to write pending input (UpdateData).
    void UpdateRecord();

protected:
    virtual void ActiveChanged() {}
    virtual void EditingChanged() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int distance) { DataSetChanged(); }
    virtual void RecordChanged(TField* field) {}
    virtual void UpdateData() {}
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void FocusControl(TField** field) {}
    virtual void CheckBrowseMode() {}

private:
    friend class TDataSet;
    friend class TDataSource;
    void activeChanged(bool active);
    void editingChanged(bool editing);

    TDataSource* dataSource_ = nullptr;
    int bufferCount_ = 1;
    int first_ = 0;
    // Where ScrollWindow wants the window while it moves the dataset (-1: nowhere).
    int anchor_ = -1;
    bool active_ = false;
    bool editing_ = false;
    bool readOnly_ = false;
    bool updating_ = false;
};

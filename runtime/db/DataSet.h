#pragma once
// TDataSet: records of a result, a current record, editing and the cache of
// updates. TQuery (and TStoredProc's result) build on it; the grid and the
// report engine read datasets only through this interface and TDataLink.
// The records, their order and their bookmarks are kept by a TRecordList, the
// cached changes by a TUpdateLog; this class holds the cursor, the states and
// the events.
//
// States: dsInactive (closed), dsBrowse, dsEdit, dsInsert, dsSetKey (a key
// buffer takes field writes), dsCalcFields (while OnCalcFields runs).
//
// Opening and closing
//   Open()       BeforeOpen, then the subclass runs its statement; the fields
//                are bound to the result's columns by name (persistent fields
//                declared beforehand, else one field per column); the dataset
//                stands on the first record; AfterOpen. Rows are fetched on
//                demand: opening reads only the first one; moving on, counting
//                (RecordCount) and Last read more.
//   Close()      BeforeClose, drops the records, a pending edit and every
//                cached update, AfterClose. Close on a closed dataset does
//                nothing.
// Moving (each first posts or cancels an edit: CheckBrowseMode; BeforeScroll
// and AfterScroll around a move; links hear DataSetScrolled)
//   First, Last, Next, Prior; MoveBy(n) moves up to n records (negative:
//   backwards) and returns the distance moved. Bof() is true after First, on
//   an empty dataset, and after Prior on the first record; Eof() after Last,
//   on an empty dataset, and after Next on the last record (the record stays
//   current). RecNo() counts from 1 (0 when empty); RecordCount() fetches all,
//   CountRecords() does not: the database counts the rows not fetched yet.
// Editing
//   Edit()       dsEdit on the current record; on an empty dataset it appends
//                a new record instead. Needs CanModify().
//   Insert()     a new record before the current one; Append() at the end.
//                OnNewRecord may fill it.
//   Post()       links write pending input (UpdateData); required fields must
//                hold values ("Field '%s' must have a value"); the record goes
//                into the cache of updates (CachedUpdates) or is written at
//                once by the subclass. Outside dsEdit / dsInsert: "Dataset not
//                in edit or insert mode".
//   Cancel()     drops the pending edit; an inserted record disappears.
//   Delete()     removes the current record (cancels an insert instead).
//   CheckBrowseMode() posts a modified edit and cancels an unmodified one.
// Cached updates (CachedUpdates on)
//   Posts and deletes stay in the cache; UpdateStatus() tells the current
//   record's status. ApplyUpdates() posts a pending edit and writes every
//   cached change, in the order the records were first changed, inside one
//   transaction: any error rolls the transaction back and leaves the cache as
//   it was. CommitUpdates() empties the cache (the records keep their current
//   values). CancelUpdates() drops a pending edit and the whole cache: the
//   records show their values as read and deleted ones come back.
// Bookmarks: a byte string naming one record of this opening; BookmarkValid is
//   false for a record that is gone or a bookmark of an earlier opening.
// Locate(fields, values, options) moves to the first record whose fields
//   (names separated by ";") equal the values (loCaseInsensitive,
//   loPartialKey: the record's text starts with the value); false when none.
// DisableControls / EnableControls: while disabled, links hear nothing but
//   requests to save their input (CheckBrowseMode, UpdateData); the last
//   EnableControls tells them the dataset changed when anything happened.

#include "DBTypes.h"
#include "Field.h"
#include "RecordList.h"
#include "RecordStore.h"
#include "UpdateLog.h"
#include "runtime/Component.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class TDataSource;
class TDataLink;
class TDbCursor;

using TBookmarkStr = AnsiString;
using TDataSetNotifyEvent = std::function<void(TDataSet* dataSet)>;

class TDataSet : public TComponent {
public:
    explicit TDataSet(TComponent* owner = nullptr);
    ~TDataSet() override;
    const char* ClassName() const override { return "TDataSet"; }

    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool active);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return state_; }

    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    bool IsEmpty() const;
    bool Modified() const { return modified_; }
    int RecNo() const;
    void SetRecNo(int recNo);
    int RecordCount();
    // The number of records, without fetching them all: the records held
    // plus the rows the result has not delivered yet, as the database counts
    // them (CountResultRows, asked once per opening). Where it cannot count,
    // the count is that of the records held, plus one while more may follow.
    int CountRecords();
    // Rows read from the result so far (diagnostics: opening reads one).
    int RecordsFetched() const { return records_.Fetched(); }

    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    int MoveBy(int distance);

    virtual bool CanModify() const;
    void Edit();
    void Insert() { beginInsert(false); }
    void Append() { beginInsert(true); }
    void Post();
    void Cancel();
    void Delete();
    void CheckBrowseMode();
    // Asks the links to write pending input into the record (UpdateData).
    void UpdateRecord();
    void SetKey();

    TBookmarkStr Bookmark() const;
    void SetBookmark(const TBookmarkStr& bookmark);
    void GotoBookmark(const TBookmarkStr& bookmark) { SetBookmark(bookmark); }
    bool BookmarkValid(const TBookmarkStr& bookmark) const;
    // -1, 0, 1 by position; an invalid bookmark sorts first.
    int CompareBookmarks(const TBookmarkStr& a, const TBookmarkStr& b) const;

    bool Locate(const AnsiString& keyFields, const std::vector<Variant>& keyValues, TLocateOptions options = 0);
    bool Locate(const AnsiString& keyFields, const Variant& keyValue, TLocateOptions options = 0)
    {
        return Locate(keyFields, std::vector<Variant>{keyValue}, options);
    }
    // The result field(s) of the first matching record, without moving; Null
    // when none matches. Several result fields give their values joined by ";".
    Variant Lookup(const AnsiString& keyFields, const std::vector<Variant>& keyValues,
                   const AnsiString& resultField);

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    TFields& Fields() { return fields_; }
    const TFields& Fields() const { return fields_; }
    int FieldCount() const { return fields_.Count(); }
    TField* FindField(std::string_view name) const { return fields_.FindField(name); }
    TField* FieldByName(std::string_view name) const { return fields_.FieldByName(name); }
    const TFieldDefs& FieldDefs() const { return fieldDefs_; }
    // True while the fields were made from the result (no persistent fields).
    bool DefaultFields() const { return defaultFields_; }
    // Fields named like the columns, separated by ";" (raises for an unknown one).
    std::vector<TField*> GetFieldList(const AnsiString& names) const;

    bool CachedUpdates() const { return cachedUpdates_; }
    void SetCachedUpdates(bool value);
    bool UpdatesPending() const { return !updates_.Empty(); }
    TUpdateStatus UpdateStatus() const;
    void ApplyUpdates();
    void CommitUpdates();
    void CancelUpdates();
    // The value the field had when the current record was read (or last
    // committed); during ApplyUpdates the old value of the record being written.
    Variant OldValue(const TField* field) const;

    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TDataSetNotifyEvent OnNewRecord, OnCalcFields;

    // --- for fields, data sources and links ---
    CellView GetFieldCell(const TField* field) const;
    void SetFieldValue(TField* field, const Variant& value);
    void AddDataSource(TDataSource* source);
    void RemoveDataSource(TDataSource* source);
    // The number of records that exist from position `pos` on, up to `want`
    // (fetching as needed).
    int AvailableFrom(int pos, int want);
    int CurrentPosition() const { return pos_; }
    // Field reads go to the record at this position until reset (-1).
    void SetReadPosition(int pos) { readPos_ = (pos == pos_) ? -1 : pos; }
    int ReadPosition() const { return readPos_ >= 0 ? readPos_ : pos_; }
    // Recomputes a link's window so that it holds the current record.
    int PlaceWindow(TDataLink& link);
    // Scrolls a link's window to start at record `first` (clamped to the
    // records, fetching those it needs). The current record stays while it
    // lies in the new window, and only that link hears DataSetScrolled;
    // otherwise the dataset moves to the window's nearest edge, as MoveBy
    // does (posting an edit, every link hearing the scroll). Returns how far
    // the window moved.
    int ScrollWindow(TDataLink& link, int first);
    // Handles name records of this opening in four bytes where a bookmark
    // takes a string (a control that holds a million records keeps handles).
    // A handle stays valid while its record exists; the record's position
    // may change (inserts, deletes). RecordHandleAt needs a position of a
    // record fetched already (AvailableFrom fetches).
    int RecordHandleAt(int position) const { return records_.IdAt(position); }
    // -1 when the record is gone, or when the handle is of another opening's
    // record (as far as it can tell: handles carry no generation).
    int PositionOfHandle(int handle) const { return Active() ? records_.PositionOf(handle) : -1; }
    TBookmarkStr BookmarkOfHandle(int handle) const { return records_.BookmarkOf(handle); }
    // The stored cell of a data field in the record with `handle`, read from
    // the record itself without moving the read position: for passes over
    // every record (a grid sorting a million rows). False, and `cell` left
    // alone, when the value is not simply stored there now: a calculated or
    // lookup field, a record that is gone, the record being edited, an apply
    // in progress. The caller then reads through SetReadPosition. The view
    // lives as long as the record's block (until the dataset closes).
    bool ReadStoredCell(const TField* field, int handle, CellView& cell) const;
    // False for a bookmark of another opening or of no record.
    bool HandleOfBookmark(const TBookmarkStr& bookmark, int& handle) const { return decodeBookmark(bookmark, handle); }
    // Asks the links whether one of them focuses the field (deFocusControl).
    void FocusControl(TField* field);

protected:
    // The subclass runs its statement and returns the result.
    virtual std::unique_ptr<TDbCursor> OpenCursor() = 0;
    virtual void InternalClose() {}
    // Writes one change to the database (ApplyUpdates, or Post / Delete
    // without cached updates). Field reads show the new values meanwhile,
    // OldValue the old ones.
    virtual void ApplyRecord(TUpdateKind kind);
    virtual void StartApply() {}
    virtual void CommitApply() {}
    virtual void RollbackApply() {}
    // Checks that may refuse an open before any event runs.
    virtual void CheckCanOpen() {}
    // The number of rows of the open result in all, counted by the database
    // without fetching them; -1 when it cannot tell.
    virtual int CountResultRows() { return -1; }
    void CheckActive() const;
    void CheckInactive() const;
    void Notification(TComponent* component, TOperation operation) override;
    // Closes without events (destructors).
    void CloseSilently();

private:
    friend class TField;
    friend class TDataLink;
    friend class TDataSource;

    enum class Event { ActiveChanged, EditingChanged, DataSetChanged, Scrolled, RecordChanged, UpdateData,
                       LayoutChanged, CheckBrowseMode, FocusControl };

    void doOpen();
    void bindFields();
    bool fetchOne();
    void fetchTo(int count);
    void fetchAll();
    void moveTo(int newPos, bool bof, bool eof);
    void beginInsert(bool append);
    void setState(TDataSetState state);
    void backToBrowse(const TDataSetNotifyEvent& after);
    void loadEditBuffer();
    RecordBlock buildFromEditBuffer();
    void writeRecord(TUpdateKind kind, RecordBlock newRecord, RecordBlock oldRecord);
    void resetCalc();
    void computeCalc(std::vector<Variant>& out, int position) const;
    CellView calcCell(const TField* field) const;
    bool matches(const std::vector<TField*>& fields, const std::vector<Variant>& values, TLocateOptions options);
    void notify(Event event, TField* field = nullptr, int distance = 0);
    void notifyScroll();
    bool decodeBookmark(const TBookmarkStr& bookmark, int& id) const;
    void dropRecords();
    void checkNotApplying() const;

    TDataSetState state_ = dsInactive;
    TFields fields_;
    TFieldDefs fieldDefs_;
    bool defaultFields_ = false;
    std::vector<TDataSource*> dataSources_;
    std::unique_ptr<TDbCursor> cursor_;
    std::vector<int> columnCells_;  // per result column: cell index or -1
    std::vector<TFieldType> cellTypes_;
    RecordArena arena_;
    RecordBuilder builder_;
    TRecordList records_;
    TUpdateLog updates_;
    // Calculated and lookup values per record id, computed when first read.
    mutable std::unordered_map<int, std::vector<Variant>> calc_;
    bool fetchedAll_ = true;
    // CountResultRows of this opening: -1 not asked yet, -2 not known.
    int resultCount_ = -1;
    int pos_ = -1;
    mutable int readPos_ = -1;
    bool bof_ = true, eof_ = true;
    bool modified_ = false;
    std::vector<Variant> editBuffer_;
    mutable std::vector<Variant> editCalc_;
    mutable bool editCalcValid_ = false;
    mutable std::vector<Variant>* calcTarget_ = nullptr;
    std::vector<Variant> keyBuffer_;
    int insertId_ = 0;  // the record being inserted (valid in dsInsert)
    bool cachedUpdates_ = false;
    int disableCount_ = 0;
    bool eventSuppressed_ = false;
    TDataSetState disableState_ = dsInactive;
    int calcFieldCount_ = 0;
    mutable bool calculating_ = false;
    // During a write: the records whose values the fields show.
    RecordBlock applyNew_ = nullptr;
    RecordBlock applyOld_ = nullptr;
    bool applying_ = false;
};

#include "DataSet.h"

#include "DataSource.h"
#include "Database.h"
#include "FieldKinds.h"

#include <algorithm>
#include <cstring>

namespace {

// Runs f and then g, also when f throws.
template <class F, class G>
void finally(F&& f, G&& g)
{
    try {
        f();
    } catch (...) {
        g();
        throw;
    }
    g();
}

void fire(const TDataSetNotifyEvent& event, TDataSet* dataSet)
{
    if (event) event(dataSet);
}

bool isEditing(TDataSetState s)
{
    return s == dsEdit || s == dsInsert;
}

}  // namespace

TDataSet::TDataSet(TComponent* owner) : TComponent(owner)
{
    fields_.owner_ = this;
}

TDataSet::~TDataSet()
{
    CloseSilently();
    for (TDataSource* source : std::vector<TDataSource*>(dataSources_)) source->SetDataSet(nullptr);
    // Fields owned elsewhere outlive us: they must not point here any more.
    for (TField* field : fields_.list_) field->dataSet_ = nullptr;
    fields_.list_.clear();
}

void TDataSet::CheckActive() const
{
    if (!Active()) throw EDatabaseError(DBText::DataSetClosed);
}

void TDataSet::CheckInactive() const
{
    if (Active()) throw EDatabaseError(DBText::DataSetOpen);
}

void TDataSet::checkNotApplying() const
{
    if (applying_) throw EDatabaseError(DBText::NotBrowsing);
}

// --- opening and closing ---------------------------------------------------

void TDataSet::SetActive(bool active)
{
    if (active == Active()) return;
    if (active) {
        CheckCanOpen();
        fire(BeforeOpen, this);
        doOpen();
        fire(AfterOpen, this);
    } else {
        fire(BeforeClose, this);
        CloseSilently();
        fire(AfterClose, this);
    }
}

void TDataSet::doOpen()
{
    try {
        cursor_ = OpenCursor();
        fieldDefs_ = cursor_->Columns();
        bindFields();
        records_.Clear();
        fetchedAll_ = false;
        fetchOne();
        pos_ = records_.Count() == 0 ? -1 : 0;
        bof_ = true;
        eof_ = records_.Count() == 0;
    } catch (...) {
        dropRecords();
        if (defaultFields_) {
            for (TField* f : std::vector<TField*>(fields_.list_)) delete f;
            defaultFields_ = false;
        }
        throw;
    }
    setState(dsBrowse);
}

void TDataSet::bindFields()
{
    bool persistent = false;
    for (TField* f : fields_.list_)
        if (f->fieldKind_ == fkData) persistent = true;
    defaultFields_ = !persistent && fields_.list_.empty();
    if (defaultFields_) {
        for (const TFieldDef& def : fieldDefs_) {
            TField* f = CreateField(this, def.DataType, def.Size);
            f->SetFieldName(def.Name);
            f->SetDataSet(this);
        }
    }
    columnCells_.assign(fieldDefs_.size(), -1);
    cellTypes_.clear();
    int cells = 0, calcs = 0;
    for (TField* f : fields_.list_) {
        if (f->fieldKind_ == fkData || f->fieldKind_ == fkInternalCalc) {
            int column = -1;
            for (size_t c = 0; c < fieldDefs_.size(); ++c)
                if (SameText(fieldDefs_[c].Name, f->fieldName_)) {
                    column = static_cast<int>(c);
                    break;
                }
            if (column < 0 && f->fieldKind_ == fkData) {
                AnsiString prefix = Name().empty() ? AnsiString() : Name() + ": ";
                throw EDatabaseError(prefix + Format(DBText::FieldNotFound, f->fieldName_.c_str()));
            }
            if (column >= 0) columnCells_[column] = cells;
            f->storeIndex_ = cells++;
            cellTypes_.push_back(f->dataType_);
        } else {
            f->storeIndex_ = calcs++;
        }
    }
    calcFieldCount_ = calcs;
}

void TDataSet::CloseSilently()
{
    if (!Active()) return;
    setState(dsInactive);
    dropRecords();
    InternalClose();
    for (TField* f : fields_.list_) f->storeIndex_ = -1;
    if (defaultFields_) {
        for (TField* f : std::vector<TField*>(fields_.list_)) delete f;
        defaultFields_ = false;
    }
}

void TDataSet::dropRecords()
{
    cursor_.reset();
    records_.Clear();
    updates_.Clear();
    calc_.clear();
    arena_.Clear();
    editBuffer_.clear();
    editCalc_.clear();
    keyBuffer_.clear();
    pos_ = readPos_ = -1;
    insertId_ = 0;
    bof_ = eof_ = true;
    modified_ = false;
    fetchedAll_ = true;
    resultCount_ = -1;
}

bool TDataSet::fetchOne()
{
    if (fetchedAll_ || !cursor_) return false;
    builder_.Reset(static_cast<int>(cellTypes_.size()));
    if (!cursor_->Fetch(builder_, columnCells_, cellTypes_)) {
        fetchedAll_ = true;
        cursor_.reset();
        return false;
    }
    records_.AddFetched(builder_.Commit(arena_));
    return true;
}

void TDataSet::fetchTo(int count)
{
    while (records_.Count() < count && fetchOne()) {
    }
}

void TDataSet::fetchAll()
{
    while (fetchOne()) {
    }
}

int TDataSet::AvailableFrom(int pos, int want)
{
    if (pos < 0 || want <= 0) return 0;
    fetchTo(pos + want);
    return std::clamp(records_.Count() - pos, 0, want);
}

// --- moving ----------------------------------------------------------------

bool TDataSet::IsEmpty() const
{
    return records_.Count() == 0 && fetchedAll_;
}

int TDataSet::RecNo() const
{
    return pos_ < 0 ? 0 : pos_ + 1;
}

void TDataSet::SetRecNo(int recNo)
{
    CheckActive();
    MoveBy(recNo - RecNo());
}

int TDataSet::RecordCount()
{
    CheckActive();
    fetchAll();
    return records_.Count();
}

int TDataSet::CountRecords()
{
    CheckActive();
    if (fetchedAll_) return records_.Count();
    if (resultCount_ == -1) {
        int counted = -1;
        try {
            counted = CountResultRows();
        } catch (const EDatabaseError&) {
            // A statement the database cannot count (a driver that allows one
            // open result only, say): the count grows as records arrive.
        }
        resultCount_ = counted >= 0 ? counted : -2;
    }
    // Inserted and deleted records are in the held ones already; rows that
    // arrived after the count are more than it knew of.
    if (resultCount_ >= 0) return records_.Count() + std::max(0, resultCount_ - records_.Fetched());
    return records_.Count() + 1;
}

void TDataSet::moveTo(int newPos, bool bof, bool eof)
{
    fire(BeforeScroll, this);
    bool moved = newPos != pos_;
    pos_ = newPos;
    readPos_ = -1;
    bof_ = bof;
    eof_ = eof;
    if (moved) notifyScroll();
    fire(AfterScroll, this);
}

void TDataSet::First()
{
    CheckActive();
    CheckBrowseMode();
    bool empty = records_.Count() == 0;
    moveTo(empty ? -1 : 0, true, empty);
}

void TDataSet::Last()
{
    CheckActive();
    CheckBrowseMode();
    fetchAll();
    moveTo(records_.Count() - 1, records_.Count() == 0, true);
}

int TDataSet::MoveBy(int distance)
{
    CheckActive();
    CheckBrowseMode();
    if (distance == 0) return 0;
    if (records_.Count() == 0) {
        moveTo(-1, true, true);
        return 0;
    }
    int target;
    bool bof = false, eof = false;
    if (distance > 0) {
        long long want = static_cast<long long>(pos_) + distance;
        fetchTo(static_cast<int>(std::min<long long>(want + 1, INT32_MAX)));
        int last = records_.Count() - 1;
        target = static_cast<int>(std::min<long long>(want, last));
        eof = want > last;
    } else {
        long long want = static_cast<long long>(pos_) + distance;
        target = static_cast<int>(std::max<long long>(want, 0));
        bof = want < 0;
    }
    int moved = target - pos_;
    moveTo(target, bof, eof);
    return moved;
}

// --- editing ---------------------------------------------------------------

bool TDataSet::CanModify() const
{
    return true;
}

void TDataSet::setState(TDataSetState state)
{
    if (state == state_) return;
    TDataSetState old = state_;
    state_ = state;
    notify((old == dsInactive || state == dsInactive) ? Event::ActiveChanged : Event::EditingChanged);
}

void TDataSet::loadEditBuffer()
{
    editBuffer_.assign(cellTypes_.size(), Variant::Null());
    RecordBlock record = pos_ >= 0 ? records_.Block(records_.IdAt(pos_)) : nullptr;
    if (record)
        for (size_t i = 0; i < cellTypes_.size(); ++i) editBuffer_[i] = ReadCell(record, static_cast<int>(i)).ToVariant();
    editCalcValid_ = false;
}

RecordBlock TDataSet::buildFromEditBuffer()
{
    builder_.Reset(static_cast<int>(cellTypes_.size()));
    for (size_t i = 0; i < editBuffer_.size(); ++i) builder_.Set(static_cast<int>(i), CellView::Of(editBuffer_[i]));
    return builder_.Commit(arena_);
}

void TDataSet::Edit()
{
    if (isEditing(state_)) return;
    CheckActive();
    if (!CanModify()) throw EDatabaseError(DBText::DataSetReadOnly);
    checkNotApplying();
    if (state_ == dsSetKey) Cancel();
    if (IsEmpty()) {
        Insert();
        return;
    }
    fire(BeforeEdit, this);
    loadEditBuffer();
    modified_ = false;
    setState(dsEdit);
    notify(Event::RecordChanged);
    fire(AfterEdit, this);
}

void TDataSet::beginInsert(bool append)
{
    CheckActive();
    if (!CanModify()) throw EDatabaseError(DBText::DataSetReadOnly);
    checkNotApplying();
    CheckBrowseMode();
    fire(BeforeInsert, this);
    if (append) fetchAll();
    insertId_ = records_.AddInserted(pos_, append);
    pos_ = records_.PositionOf(insertId_);
    readPos_ = -1;
    bof_ = eof_ = false;
    editBuffer_.assign(cellTypes_.size(), Variant::Null());
    editCalcValid_ = false;
    setState(dsInsert);
    fire(OnNewRecord, this);
    modified_ = false;
    notify(Event::DataSetChanged);
    fire(AfterInsert, this);
}

void TDataSet::SetKey()
{
    CheckActive();
    CheckBrowseMode();
    keyBuffer_.assign(cellTypes_.size(), Variant::Null());
    setState(dsSetKey);
    notify(Event::DataSetChanged);
}

void TDataSet::UpdateRecord()
{
    if (!isEditing(state_) && state_ != dsSetKey) throw EDatabaseError(DBText::NotEditing);
    notify(Event::UpdateData);
}

void TDataSet::Post()
{
    if (!isEditing(state_)) {
        if (state_ == dsSetKey) {
            setState(dsBrowse);
            return;
        }
        throw EDatabaseError(DBText::NotEditing);
    }
    UpdateRecord();
    fire(BeforePost, this);
    for (TField* f : fields_.list_)
        if (f->required_ && f->fieldKind_ == fkData && f->IsNull())
            throw EDatabaseError(Format(DBText::FieldRequired, f->DisplayName().c_str()));
    RecordBlock fresh = buildFromEditBuffer();
    bool inserting = state_ == dsInsert;
    int id = inserting ? insertId_ : records_.IdAt(pos_);
    if (cachedUpdates_) {
        if (inserting)
            updates_.Inserted(id);
        else
            updates_.Modified(id, records_.Block(id));
    } else {
        writeRecord(inserting ? ukInsert : ukModify, fresh, records_.Block(id));
    }
    records_.SetBlock(id, fresh);
    calc_.erase(id);
    backToBrowse(AfterPost);
}

void TDataSet::backToBrowse(const TDataSetNotifyEvent& after)
{
    readPos_ = -1;
    modified_ = false;
    setState(dsBrowse);
    notify(Event::DataSetChanged);
    fire(after, this);
}

void TDataSet::Cancel()
{
    if (state_ == dsSetKey) {
        keyBuffer_.clear();
        setState(dsBrowse);
        notify(Event::DataSetChanged);
        return;
    }
    if (!isEditing(state_)) return;
    fire(BeforeCancel, this);
    if (state_ == dsInsert) {
        records_.Hide(insertId_);
        pos_ = std::min(pos_, records_.Count() - 1);
        if (records_.Count() == 0) {
            fetchTo(1);
            pos_ = records_.Count() == 0 ? -1 : 0;
        }
        bof_ = eof_ = records_.Count() == 0;
    }
    backToBrowse(AfterCancel);
}

void TDataSet::Delete()
{
    CheckActive();
    if (state_ == dsInsert || state_ == dsSetKey) {
        Cancel();
        return;
    }
    if (records_.Count() == 0) throw EDatabaseError(DBText::DataSetEmpty);
    if (!CanModify()) throw EDatabaseError(DBText::DataSetReadOnly);
    checkNotApplying();
    notify(Event::CheckBrowseMode);
    fire(BeforeDelete, this);
    fire(BeforeScroll, this);
    int id = records_.IdAt(pos_);
    if (cachedUpdates_)
        updates_.Deleted(id, records_.Block(id));
    else
        writeRecord(ukDelete, records_.Block(id), records_.Block(id));
    records_.Hide(id);
    if (pos_ >= records_.Count()) fetchTo(pos_ + 1);
    pos_ = std::min(pos_, records_.Count() - 1);
    readPos_ = -1;
    modified_ = false;
    bof_ = eof_ = records_.Count() == 0;
    if (state_ != dsBrowse) setState(dsBrowse);
    notify(Event::DataSetChanged);
    fire(AfterDelete, this);
    fire(AfterScroll, this);
}

void TDataSet::CheckBrowseMode()
{
    CheckActive();
    notify(Event::CheckBrowseMode);
    if (isEditing(state_)) {
        UpdateRecord();
        if (modified_)
            Post();
        else
            Cancel();
    } else if (state_ == dsSetKey) {
        Post();
    }
}

void TDataSet::writeRecord(TUpdateKind kind, RecordBlock newRecord, RecordBlock oldRecord)
{
    applyNew_ = newRecord;
    applyOld_ = oldRecord;
    applying_ = true;
    finally([&] { ApplyRecord(kind); },
            [&] {
                applying_ = false;
                applyNew_ = applyOld_ = nullptr;
            });
}

void TDataSet::ApplyRecord(TUpdateKind)
{
    throw EDatabaseError(DBText::DataSetReadOnly);
}

// --- fields ----------------------------------------------------------------

CellView TDataSet::GetFieldCell(const TField* field) const
{
    int index = field->storeIndex_;
    if (index < 0 || state_ == dsInactive) return {};
    if (field->fieldKind_ == fkCalculated || field->fieldKind_ == fkLookup) return calcCell(field);
    if (applying_) return ReadCell(applyNew_, index);
    if (state_ == dsSetKey) return CellView::Of(keyBuffer_[index]);
    int p = readPos_ >= 0 ? readPos_ : pos_;
    if (p == pos_ && isEditing(state_)) return CellView::Of(editBuffer_[index]);
    if (p < 0 || p >= records_.Count()) return {};
    return ReadCell(records_.Block(records_.IdAt(p)), index);
}

bool TDataSet::ReadStoredCell(const TField* field, int handle, CellView& cell) const
{
    if (!field || field->dataSet_ != this || field->fieldKind_ != fkData || field->storeIndex_ < 0) return false;
    if (state_ == dsInactive || state_ == dsSetKey || applying_) return false;
    if (isEditing(state_) && pos_ >= 0 && pos_ < records_.Count() && records_.IdAt(pos_) == handle) return false;
    if (records_.PositionOf(handle) < 0) return false;
    RecordBlock block = records_.Block(handle);
    if (!block) return false;
    cell = ReadCell(block, field->storeIndex_);
    return true;
}

CellView TDataSet::calcCell(const TField* field) const
{
    int index = field->storeIndex_;
    if (calculating_) return CellView::Of((*calcTarget_)[index]);
    int p = readPos_ >= 0 ? readPos_ : pos_;
    if (p == pos_ && isEditing(state_)) {
        if (!editCalcValid_) {
            computeCalc(editCalc_, p);
            editCalcValid_ = true;
        }
        return CellView::Of(editCalc_[index]);
    }
    if (p < 0 || p >= records_.Count()) return {};
    auto [it, fresh] = calc_.try_emplace(records_.IdAt(p));
    if (fresh) {
        try {
            computeCalc(it->second, p);
        } catch (...) {
            calc_.erase(it);
            throw;
        }
    }
    return CellView::Of(it->second[index]);
}

void TDataSet::computeCalc(std::vector<Variant>& out, int position) const
{
    out.assign(static_cast<size_t>(calcFieldCount_), Variant::Null());
    int savedRead = readPos_;
    std::vector<Variant>* savedTarget = calcTarget_;
    bool savedCalculating = calculating_;
    readPos_ = position == pos_ ? -1 : position;
    calcTarget_ = &out;
    calculating_ = true;
    auto self = const_cast<TDataSet*>(this);
    finally(
        [&] {
            for (TField* f : fields_.list_) {
                if (f->fieldKind_ != fkLookup || !f->lookupDataSet_ || !f->lookupDataSet_->Active()) continue;
                std::vector<Variant> keys;
                for (TField* k : GetFieldList(f->KeyFields)) keys.push_back(k->Value());
                out[f->storeIndex_] = f->lookupDataSet_->Lookup(f->LookupKeyFields, keys, f->LookupResultField);
            }
            fire(OnCalcFields, self);
        },
        [&] {
            readPos_ = savedRead;
            calcTarget_ = savedTarget;
            calculating_ = savedCalculating;
        });
}

void TDataSet::resetCalc()
{
    calc_.clear();
    editCalcValid_ = false;
}

void TDataSet::SetFieldValue(TField* field, const Variant& value)
{
    int index = field->storeIndex_;
    if (field->fieldKind_ == fkCalculated || field->fieldKind_ == fkLookup) {
        if (!calculating_ || index < 0) throw EDatabaseError(DBText::NotEditing);
        (*calcTarget_)[index] = value;
        return;
    }
    if (state_ == dsSetKey && index >= 0) {
        keyBuffer_[index] = value;
        return;
    }
    if (!isEditing(state_) || index < 0) throw EDatabaseError(DBText::NotEditing);
    editBuffer_[index] = value;
    modified_ = true;
    editCalcValid_ = false;
    notify(Event::RecordChanged, field);
}

std::vector<TField*> TDataSet::GetFieldList(const AnsiString& names) const
{
    std::vector<TField*> list;
    size_t start = 0;
    while (start <= names.size()) {
        size_t end = names.find(';', start);
        if (end == AnsiString::npos) end = names.size();
        AnsiString name = Trim(std::string_view(names).substr(start, end - start));
        if (!name.empty()) list.push_back(FieldByName(name));
        start = end + 1;
    }
    return list;
}

// --- cached updates --------------------------------------------------------

void TDataSet::SetCachedUpdates(bool value)
{
    if (value == cachedUpdates_) return;
    if (!value && Active()) CancelUpdates();
    cachedUpdates_ = value;
}

TUpdateStatus TDataSet::UpdateStatus() const
{
    if (state_ == dsInsert) return usInserted;
    if (pos_ < 0) return usUnmodified;
    return updates_.Status(records_.IdAt(pos_));
}

Variant TDataSet::OldValue(const TField* field) const
{
    int index = field->storeIndex_;
    if (index < 0 || field->fieldKind_ != fkData) return Variant::Null();
    if (applying_) return ReadCell(applyOld_, index).ToVariant();
    if (pos_ < 0 || state_ == dsInsert) return Variant::Null();
    int id = records_.IdAt(pos_);
    RecordBlock original = updates_.Original(id);
    return ReadCell(original ? original : records_.Block(id), index).ToVariant();
}

void TDataSet::ApplyUpdates()
{
    CheckActive();
    if (!cachedUpdates_) throw EDatabaseError(DBText::NoCachedUpdates);
    if (isEditing(state_)) Post();
    if (updates_.Empty()) return;
    StartApply();
    try {
        for (const TUpdateLog::Entry& e : updates_.Entries()) {
            switch (e.status) {
            case usModified: writeRecord(ukModify, records_.Block(e.id), e.original); break;
            case usInserted: writeRecord(ukInsert, records_.Block(e.id), nullptr); break;
            case usDeleted: writeRecord(ukDelete, records_.Block(e.id), e.original); break;
            default: break;
            }
        }
        CommitApply();
    } catch (...) {
        // The first error is the one to report; the cache stays as it was.
        try {
            RollbackApply();
        } catch (...) {
        }
        throw;
    }
}

void TDataSet::CommitUpdates()
{
    CheckActive();
    for (const TUpdateLog::Entry& e : updates_.Entries())
        if (e.status == usDeleted) records_.SetBlock(e.id, nullptr);
    updates_.Clear();
    notify(Event::DataSetChanged);
}

void TDataSet::CancelUpdates()
{
    if (!Active()) return;
    if (isEditing(state_)) Cancel();
    int currentId = pos_ >= 0 ? records_.IdAt(pos_) : 0;
    bool hadCurrent = pos_ >= 0;
    const auto& entries = updates_.Entries();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        switch (it->status) {
        case usModified: records_.SetBlock(it->id, it->original); break;
        case usInserted: records_.Hide(it->id); break;
        case usDeleted:
            records_.SetBlock(it->id, it->original);
            records_.Show(it->id);
            break;
        default: break;
        }
        calc_.erase(it->id);
    }
    updates_.Clear();
    int p = hadCurrent ? records_.PositionOf(currentId) : -1;
    if (p < 0) p = std::min(std::max(pos_, 0), records_.Count() - 1);
    pos_ = p;
    readPos_ = -1;
    bof_ = eof_ = records_.Count() == 0;
    notify(Event::DataSetChanged);
}

// --- bookmarks -------------------------------------------------------------

TBookmarkStr TDataSet::Bookmark() const
{
    if (!Active() || pos_ < 0) return {};
    return records_.BookmarkOf(records_.IdAt(pos_));
}

bool TDataSet::decodeBookmark(const TBookmarkStr& bookmark, int& id) const
{
    return Active() && records_.Decode(bookmark, id);
}

bool TDataSet::BookmarkValid(const TBookmarkStr& bookmark) const
{
    int id;
    return decodeBookmark(bookmark, id) && records_.PositionOf(id) >= 0;
}

void TDataSet::SetBookmark(const TBookmarkStr& bookmark)
{
    CheckActive();
    CheckBrowseMode();
    int id;
    int p = decodeBookmark(bookmark, id) ? records_.PositionOf(id) : -1;
    if (p < 0) throw EDatabaseError(DBText::InvalidBookmark);
    moveTo(p, false, false);
}

int TDataSet::CompareBookmarks(const TBookmarkStr& a, const TBookmarkStr& b) const
{
    int ia, ib;
    bool va = decodeBookmark(a, ia), vb = decodeBookmark(b, ib);
    if (!va || !vb) return va == vb ? 0 : (va ? 1 : -1);
    return records_.Compare(ia, ib);
}

// --- searching -------------------------------------------------------------

bool TDataSet::matches(const std::vector<TField*>& fields, const std::vector<Variant>& values, TLocateOptions options)
{
    for (size_t i = 0; i < fields.size(); ++i) {
        TField* f = fields[i];
        const Variant& want = i < values.size() ? values[i] : Variant::Null();
        if (want.IsEmptyOrNull()) {
            if (!f->IsNull()) return false;
            continue;
        }
        if (f->IsNull()) return false;
        bool text = want.IsString() && !IsNumericFieldType(f->DataType());
        if (text && (options & (loCaseInsensitive | loPartialKey))) {
            AnsiString have = f->AsString();
            const AnsiString& w = want.StringValue();
            if (options & loPartialKey) {
                if (have.size() < w.size()) return false;
                have.resize(w.size());
            }
            if ((options & loCaseInsensitive) ? !SameText(have, w) : have != w) return false;
        } else if (f->Value() != want) {
            return false;
        }
    }
    return true;
}

bool TDataSet::Locate(const AnsiString& keyFields, const std::vector<Variant>& keyValues, TLocateOptions options)
{
    CheckActive();
    CheckBrowseMode();
    std::vector<TField*> fields = GetFieldList(keyFields);
    int found = -1;
    finally(
        [&] {
            for (int p = 0;; ++p) {
                if (p >= records_.Count() && !fetchOne()) break;
                readPos_ = p == pos_ ? -1 : p;
                if (matches(fields, keyValues, options)) {
                    found = p;
                    break;
                }
            }
        },
        [&] { readPos_ = -1; });
    if (found < 0) return false;
    moveTo(found, false, false);
    return true;
}

Variant TDataSet::Lookup(const AnsiString& keyFields, const std::vector<Variant>& keyValues,
                         const AnsiString& resultField)
{
    CheckActive();
    std::vector<TField*> fields = GetFieldList(keyFields);
    std::vector<TField*> results = GetFieldList(resultField);
    Variant result = Variant::Null();
    int saved = readPos_;
    finally(
        [&] {
            for (int p = 0;; ++p) {
                if (p >= records_.Count() && !fetchOne()) break;
                readPos_ = p == pos_ ? -1 : p;
                if (!matches(fields, keyValues, 0)) continue;
                if (results.size() == 1) {
                    result = results[0]->Value();
                } else {
                    AnsiString joined;
                    for (size_t i = 0; i < results.size(); ++i) joined += (i ? ";" : "") + results[i]->AsString();
                    result = Variant(joined);
                }
                break;
            }
        },
        [&] { readPos_ = saved; });
    return result;
}

// --- links -----------------------------------------------------------------

void TDataSet::DisableControls()
{
    if (disableCount_++ == 0) {
        disableState_ = state_;
        eventSuppressed_ = false;
    }
}

void TDataSet::EnableControls()
{
    if (disableCount_ == 0 || --disableCount_ > 0) return;
    if (disableState_ != state_ || eventSuppressed_) {
        for (TDataSource* source : std::vector<TDataSource*>(dataSources_)) source->stateChanged();
    }
    if (eventSuppressed_ && Active()) notify(Event::DataSetChanged);
    eventSuppressed_ = false;
}

void TDataSet::AddDataSource(TDataSource* source)
{
    if (std::find(dataSources_.begin(), dataSources_.end(), source) == dataSources_.end())
        dataSources_.push_back(source);
}

void TDataSet::RemoveDataSource(TDataSource* source)
{
    dataSources_.erase(std::remove(dataSources_.begin(), dataSources_.end(), source), dataSources_.end());
}

int TDataSet::PlaceWindow(TDataLink& link)
{
    int old = link.first_;
    int count = std::max(link.bufferCount_, 1);
    int first = old;
    if (pos_ < 0) {
        first = 0;
    } else {
        if (link.anchor_ >= 0 && pos_ >= link.anchor_ && pos_ < link.anchor_ + count)
            first = link.anchor_;
        else if (pos_ < first)
            first = pos_;
        else if (pos_ >= first + count)
            first = pos_ - count + 1;
        int available = AvailableFrom(first, count);
        if (available < count) first = std::max(0, first - (count - available));
    }
    link.first_ = first;
    return first - old;
}

int TDataSet::ScrollWindow(TDataLink& link, int first)
{
    CheckActive();
    int count = std::max(link.bufferCount_, 1);
    first = std::max(0, first);
    fetchTo(static_cast<int>(std::min<long long>(static_cast<long long>(first) + count, INT32_MAX)));
    first = std::clamp(first, 0, std::max(0, records_.Count() - count));
    int old = link.first_;
    if (first == old || records_.Count() == 0) return 0;
    if (pos_ >= first && pos_ < first + count) {
        // Only the window moves: the other links and the data sources have
        // nothing to hear.
        link.first_ = first;
        if (disableCount_ > 0)
            eventSuppressed_ = true;
        else if (link.active_)
            link.DataSetScrolled(first - old);
        return first - old;
    }
    // The current record goes along, to the edge the window left it at; the
    // window then stands where it was asked to.
    int target = pos_ < first ? first : std::min(first + count, records_.Count()) - 1;
    link.anchor_ = first;
    finally([&] { MoveBy(target - pos_); }, [&] { link.anchor_ = -1; });
    return link.first_ - old;
}

void TDataSet::FocusControl(TField* field)
{
    notify(Event::FocusControl, field);
}

void TDataSet::notifyScroll()
{
    if (disableCount_ > 0) {
        eventSuppressed_ = true;
        for (TDataSource* source : dataSources_)
            for (TDataLink* link : source->links_) PlaceWindow(*link);
        return;
    }
    for (TDataSource* source : std::vector<TDataSource*>(dataSources_)) {
        if (!source->enabled_) continue;
        for (TDataLink* link : std::vector<TDataLink*>(source->links_)) {
            if (std::find(source->links_.begin(), source->links_.end(), link) == source->links_.end()) continue;
            int distance = PlaceWindow(*link);
            if (link->active_) link->DataSetScrolled(distance);
        }
        if (source->OnDataChange) source->OnDataChange(source, nullptr);
    }
}

void TDataSet::notify(Event event, TField* field, int)
{
    if (disableCount_ > 0 && event != Event::CheckBrowseMode && event != Event::UpdateData) {
        eventSuppressed_ = true;
        return;
    }
    for (TDataSource* source : std::vector<TDataSource*>(dataSources_)) {
        if (std::find(dataSources_.begin(), dataSources_.end(), source) == dataSources_.end()) continue;
        if (event == Event::ActiveChanged || event == Event::EditingChanged) {
            source->stateChanged();
            continue;
        }
        if (!source->enabled_) continue;
        for (TDataLink* link : std::vector<TDataLink*>(source->links_)) {
            if (std::find(source->links_.begin(), source->links_.end(), link) == source->links_.end()) continue;
            if (!link->active_) continue;
            switch (event) {
            case Event::DataSetChanged:
                PlaceWindow(*link);
                link->DataSetChanged();
                break;
            case Event::RecordChanged: link->RecordChanged(field); break;
            case Event::UpdateData:
                if (!link->updating_) {
                    link->updating_ = true;
                    finally([&] { link->UpdateData(); }, [&] { link->updating_ = false; });
                }
                break;
            case Event::LayoutChanged: link->LayoutChanged(); break;
            case Event::CheckBrowseMode: link->CheckBrowseMode(); break;
            case Event::FocusControl:
                if (field) link->FocusControl(&field);
                break;
            default: break;
            }
        }
        if ((event == Event::DataSetChanged || event == Event::RecordChanged) && source->OnDataChange)
            source->OnDataChange(source, field);
        if (event == Event::UpdateData && source->OnUpdateData) source->OnUpdateData(source);
    }
}

void TDataSet::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
}

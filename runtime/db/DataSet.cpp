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
        ++generation_;
        fetchedAll_ = false;
        fetched_ = 0;
        fetchOne();
        pos_ = order_.empty() ? -1 : 0;
        bof_ = true;
        eof_ = order_.empty();
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
    records_.clear();
    order_.clear();
    cache_.clear();
    arena_.Clear();
    editBuffer_.clear();
    editCalc_.clear();
    keyBuffer_.clear();
    pos_ = readPos_ = insertId_ = -1;
    bof_ = eof_ = true;
    modified_ = false;
    fetched_ = 0;
    fetchedAll_ = true;
    ++generation_;
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
    Record r;
    r.current = builder_.Commit(arena_);
    r.seq = fetched_++;
    records_.push_back(std::move(r));
    order_.push_back(static_cast<int>(records_.size() - 1));
    return true;
}

void TDataSet::fetchTo(int count)
{
    while (static_cast<int>(order_.size()) < count && fetchOne()) {
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
    return std::clamp(static_cast<int>(order_.size()) - pos, 0, want);
}

// --- moving ----------------------------------------------------------------

bool TDataSet::IsEmpty() const
{
    return order_.empty() && fetchedAll_;
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
    return static_cast<int>(order_.size());
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
    moveTo(order_.empty() ? -1 : 0, true, order_.empty());
}

void TDataSet::Last()
{
    CheckActive();
    CheckBrowseMode();
    fetchAll();
    moveTo(static_cast<int>(order_.size()) - 1, order_.empty(), true);
}

int TDataSet::MoveBy(int distance)
{
    CheckActive();
    CheckBrowseMode();
    if (distance == 0) return 0;
    if (order_.empty()) {
        moveTo(-1, true, true);
        return 0;
    }
    int target;
    bool bof = false, eof = false;
    if (distance > 0) {
        long long want = static_cast<long long>(pos_) + distance;
        fetchTo(static_cast<int>(std::min<long long>(want + 1, INT32_MAX)));
        int last = static_cast<int>(order_.size()) - 1;
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
    RecordBlock record = pos_ >= 0 ? records_[order_[pos_]].current : nullptr;
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
    Record r;
    if (order_.empty()) {
        r.seq = -1;
    } else if (append || pos_ < 0) {
        r.seq = records_[order_.back()].seq + 1;
    } else {
        double next = records_[order_[pos_]].seq;
        double prev = pos_ > 0 ? records_[order_[pos_ - 1]].seq : next - 1;
        r.seq = prev + (next - prev) / 2;
    }
    records_.push_back(std::move(r));
    insertId_ = static_cast<int>(records_.size() - 1);
    insertIntoOrder(insertId_);
    pos_ = findPosition(insertId_);
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
    int id = inserting ? insertId_ : order_[pos_];
    if (cachedUpdates_) {
        Record& r = records_[id];
        if (inserting) {
            r.status = usInserted;
        } else if (r.status == usUnmodified) {
            r.original = r.current;
            r.status = usModified;
        }
        r.current = fresh;
        addToCache(id);
    } else {
        writeRecord(inserting ? ukInsert : ukModify, fresh, records_[id].current);
        records_[id].current = fresh;
    }
    records_[id].calcValid = false;
    insertId_ = -1;
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
        removeFromOrder(insertId_);
        insertId_ = -1;
        pos_ = std::min(pos_, static_cast<int>(order_.size()) - 1);
        if (order_.empty()) {
            fetchTo(1);
            pos_ = order_.empty() ? -1 : 0;
        }
        bof_ = eof_ = order_.empty();
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
    if (order_.empty()) throw EDatabaseError(DBText::DataSetEmpty);
    if (!CanModify()) throw EDatabaseError(DBText::DataSetReadOnly);
    checkNotApplying();
    notify(Event::CheckBrowseMode);
    fire(BeforeDelete, this);
    fire(BeforeScroll, this);
    int id = order_[pos_];
    Record& r = records_[id];
    if (cachedUpdates_) {
        if (r.status == usInserted) {
            cache_.erase(std::remove(cache_.begin(), cache_.end(), id), cache_.end());
            r.inCache = false;
            r.status = usUnmodified;
        } else {
            if (r.status == usUnmodified) r.original = r.current;
            r.status = usDeleted;
            addToCache(id);
        }
    } else {
        writeRecord(ukDelete, r.current, r.current);
    }
    removeFromOrder(id);
    if (pos_ >= static_cast<int>(order_.size())) fetchTo(pos_ + 1);
    pos_ = std::min(pos_, static_cast<int>(order_.size()) - 1);
    readPos_ = -1;
    modified_ = false;
    bof_ = eof_ = order_.empty();
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
    if (p < 0 || p >= static_cast<int>(order_.size())) return {};
    return ReadCell(records_[order_[p]].current, index);
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
    if (p < 0 || p >= static_cast<int>(order_.size())) return {};
    Record& r = records_[order_[p]];
    if (!r.calcValid) {
        computeCalc(r.calc, p);
        r.calcValid = true;
    }
    return CellView::Of(r.calc[index]);
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
    for (Record& r : records_) r.calcValid = false;
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

void TDataSet::addToCache(int id)
{
    Record& r = records_[id];
    if (!r.inCache) {
        r.inCache = true;
        cache_.push_back(id);
    }
}

TUpdateStatus TDataSet::UpdateStatus() const
{
    if (state_ == dsInsert) return usInserted;
    if (pos_ < 0) return usUnmodified;
    return records_[order_[pos_]].status;
}

Variant TDataSet::OldValue(const TField* field) const
{
    int index = field->storeIndex_;
    if (index < 0 || field->fieldKind_ != fkData) return Variant::Null();
    if (applying_) return ReadCell(applyOld_, index).ToVariant();
    if (pos_ < 0 || state_ == dsInsert) return Variant::Null();
    const Record& r = records_[order_[pos_]];
    return ReadCell(r.original ? r.original : r.current, index).ToVariant();
}

void TDataSet::ApplyUpdates()
{
    CheckActive();
    if (!cachedUpdates_) throw EDatabaseError(DBText::NoCachedUpdates);
    if (isEditing(state_)) Post();
    if (cache_.empty()) return;
    StartApply();
    try {
        for (int id : cache_) {
            Record& r = records_[id];
            switch (r.status) {
            case usModified: writeRecord(ukModify, r.current, r.original); break;
            case usInserted: writeRecord(ukInsert, r.current, nullptr); break;
            case usDeleted: writeRecord(ukDelete, r.current, r.original); break;
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
    for (int id : cache_) {
        Record& r = records_[id];
        if (r.status == usDeleted) r.current = nullptr;
        r.original = nullptr;
        r.status = usUnmodified;
        r.inCache = false;
    }
    cache_.clear();
    notify(Event::DataSetChanged);
}

void TDataSet::CancelUpdates()
{
    if (!Active()) return;
    if (isEditing(state_)) Cancel();
    int currentId = pos_ >= 0 ? order_[pos_] : -1;
    for (auto it = cache_.rbegin(); it != cache_.rend(); ++it) {
        int id = *it;
        Record& r = records_[id];
        switch (r.status) {
        case usModified: r.current = r.original; break;
        case usInserted: removeFromOrder(id); break;
        case usDeleted:
            r.current = r.original;
            insertIntoOrder(id);
            break;
        default: break;
        }
        r.original = nullptr;
        r.status = usUnmodified;
        r.inCache = false;
        r.calcValid = false;
    }
    cache_.clear();
    int p = currentId >= 0 ? findPosition(currentId) : -1;
    if (p < 0) p = std::min(std::max(pos_, 0), static_cast<int>(order_.size()) - 1);
    pos_ = p;
    readPos_ = -1;
    bof_ = eof_ = order_.empty();
    notify(Event::DataSetChanged);
}

// --- record order ----------------------------------------------------------

int TDataSet::findPosition(int id) const
{
    if (id < 0 || id >= static_cast<int>(records_.size())) return -1;
    double seq = records_[id].seq;
    auto it = std::lower_bound(order_.begin(), order_.end(), seq,
                               [&](int a, double s) { return records_[a].seq < s; });
    for (; it != order_.end() && records_[*it].seq == seq; ++it)
        if (*it == id) return static_cast<int>(it - order_.begin());
    return -1;
}

void TDataSet::insertIntoOrder(int id)
{
    double seq = records_[id].seq;
    auto it = std::upper_bound(order_.begin(), order_.end(), seq,
                               [&](double s, int a) { return s < records_[a].seq; });
    order_.insert(it, id);
}

void TDataSet::removeFromOrder(int id)
{
    int p = findPosition(id);
    if (p >= 0) order_.erase(order_.begin() + p);
}

// --- bookmarks -------------------------------------------------------------

TBookmarkStr TDataSet::Bookmark() const
{
    if (!Active() || pos_ < 0) return {};
    int32_t id = order_[pos_];
    uint32_t gen = generation_;
    TBookmarkStr b(8, '\0');
    std::memcpy(b.data(), &id, 4);
    std::memcpy(b.data() + 4, &gen, 4);
    return b;
}

bool TDataSet::decodeBookmark(const TBookmarkStr& bookmark, int& id) const
{
    if (bookmark.size() != 8 || !Active()) return false;
    int32_t i;
    uint32_t gen;
    std::memcpy(&i, bookmark.data(), 4);
    std::memcpy(&gen, bookmark.data() + 4, 4);
    if (gen != generation_ || i < 0 || i >= static_cast<int>(records_.size())) return false;
    id = i;
    return true;
}

bool TDataSet::BookmarkValid(const TBookmarkStr& bookmark) const
{
    int id;
    return decodeBookmark(bookmark, id) && findPosition(id) >= 0;
}

void TDataSet::SetBookmark(const TBookmarkStr& bookmark)
{
    CheckActive();
    CheckBrowseMode();
    int id;
    int p = decodeBookmark(bookmark, id) ? findPosition(id) : -1;
    if (p < 0) throw EDatabaseError(DBText::InvalidBookmark);
    moveTo(p, false, false);
}

int TDataSet::CompareBookmarks(const TBookmarkStr& a, const TBookmarkStr& b) const
{
    int ia, ib;
    bool va = decodeBookmark(a, ia), vb = decodeBookmark(b, ib);
    if (!va || !vb) return va == vb ? 0 : (va ? 1 : -1);
    double sa = records_[ia].seq, sb = records_[ib].seq;
    return sa < sb ? -1 : (sa > sb ? 1 : 0);
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
                if (p >= static_cast<int>(order_.size()) && !fetchOne()) break;
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
                if (p >= static_cast<int>(order_.size()) && !fetchOne()) break;
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
        if (pos_ < first)
            first = pos_;
        else if (pos_ >= first + count)
            first = pos_ - count + 1;
        int available = AvailableFrom(first, count);
        if (available < count) first = std::max(0, first - (count - available));
    }
    link.first_ = first;
    return first - old;
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

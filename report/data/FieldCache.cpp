#include "report/data/FieldCache.h"

#include "report/data/DataSetOpening.h"
#include "runtime/db/DataSet.h"

TrqFieldCache::~TrqFieldCache() { Clear(); }

TrqFieldCache::Entry* TrqFieldCache::Find(std::string_view name)
{
    auto it = entries_.find(name);
    return it == entries_.end() ? nullptr : it->second.get();
}

TrqFieldCache::Entry& TrqFieldCache::Add(std::string_view name, const TrqFieldRef& ref)
{
    auto entry = std::make_unique<Entry>();
    entry->DataSet = ref.DataSet;
    entry->FieldName = ref.FieldName;
    if (entry->DataSet) entry->DataSet->FreeNotification(this);
    auto& slot = entries_[AnsiString(name)];
    slot = std::move(entry);
    return *slot;
}

void TrqFieldCache::Remove(std::string_view name)
{
    auto it = entries_.find(name);
    if (it != entries_.end()) entries_.erase(it);
}

void TrqFieldCache::Clear()
{
    // Notifications stay registered for the cache's life; a stale one only
    // clears pointers that no entry holds any more.
    entries_.clear();
}

TField* TrqFieldCache::FieldOf(Entry& entry)
{
    if (!entry.DataSet) return nullptr;
    if (!entry.DataSet->Active()) OpenReportDataSet(*entry.DataSet);
    if (!entry.Field) {
        entry.Field = entry.DataSet->FindField(entry.FieldName);
        if (entry.Field) entry.Field->FreeNotification(this);
    }
    return entry.Field;
}

Variant TrqFieldCache::ValueOf(Entry& entry)
{
    TField* field = FieldOf(entry);
    return field ? ReportFieldValue(*field) : Variant::Null();
}

void TrqFieldCache::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    for (auto& [name, entry] : entries_) {
        if (entry->Field == component) entry->Field = nullptr;
        if (entry->DataSet == component) {
            entry->DataSet = nullptr;
            entry->Field = nullptr;
        }
    }
}

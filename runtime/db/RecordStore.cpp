#include "RecordStore.h"

#include <cstring>

Variant CellView::ToVariant() const
{
    switch (kind) {
    case VarType::Integer: return Variant(static_cast<long long>(i));
    case VarType::Float: return Variant(d);
    case VarType::DateTime: return Variant::FromDateTime(d);
    case VarType::Boolean: return Variant(b);
    case VarType::String: return Variant(s);
    default: return Variant::Null();
    }
}

CellView CellView::Of(const Variant& v)
{
    CellView c;
    c.kind = v.Type() == VarType::Empty ? VarType::Null : v.Type();
    switch (v.Type()) {
    case VarType::Integer: c.i = v.IntValue(); break;
    case VarType::Float:
    case VarType::DateTime: c.d = v.FloatValue(); break;
    case VarType::Boolean: c.b = v.BoolValue(); break;
    case VarType::String: c.s = v.StringValue(); break;
    default: break;
    }
    return c;
}

void* RecordArena::Allocate(size_t size)
{
    size = (size + 15) & ~size_t(15);
    used_ += size;
    if (size > kChunk / 4) {
        // A big block gets a chunk of its own; the current chunk stays current.
        chunks_.emplace_back(new char[size]);
        return chunks_.back().get();
    }
    if (size > left_) {
        chunks_.emplace_back(new char[kChunk]);
        cur_ = chunks_.back().get();
        left_ = kChunk;
    }
    void* p = cur_;
    cur_ += size;
    left_ -= size;
    return p;
}

void RecordArena::Clear()
{
    chunks_.clear();
    cur_ = nullptr;
    left_ = 0;
    used_ = 0;
}

void RecordBuilder::Reset(int cellCount)
{
    cells_.assign(static_cast<size_t>(cellCount), RecordCell());
    text_.clear();
}

RecordCell& RecordBuilder::at(int i, VarType kind)
{
    RecordCell& c = cells_[i];
    c.kind = kind;
    return c;
}

void RecordBuilder::SetInteger(int i, int64_t v)
{
    at(i, VarType::Integer).i = v;
}

void RecordBuilder::SetFloat(int i, double v)
{
    at(i, VarType::Float).d = v;
}

void RecordBuilder::SetDateTime(int i, double v)
{
    at(i, VarType::DateTime).d = v;
}

void RecordBuilder::SetBoolean(int i, bool v)
{
    at(i, VarType::Boolean).b = v;
}

void RecordBuilder::SetText(int i, std::string_view bytes)
{
    size_t start = text_.size();
    text_.append(bytes);
    SetTextFromBuffer(i, start);
}

void RecordBuilder::SetTextFromBuffer(int i, size_t start)
{
    RecordCell& c = at(i, VarType::String);
    c.offset = start;  // relative to the text area until Commit
    c.length = static_cast<uint32_t>(text_.size() - start);
}

void RecordBuilder::Set(int i, const CellView& v)
{
    switch (v.kind) {
    case VarType::Integer: SetInteger(i, v.i); break;
    case VarType::Float: SetFloat(i, v.d); break;
    case VarType::DateTime: SetDateTime(i, v.d); break;
    case VarType::Boolean: SetBoolean(i, v.b); break;
    case VarType::String: SetText(i, v.s); break;
    default: SetNull(i); break;
    }
}

RecordBlock RecordBuilder::Commit(RecordArena& arena) const
{
    size_t head = cells_.size() * sizeof(RecordCell);
    auto* block = static_cast<char*>(arena.Allocate(head + text_.size()));
    auto* cells = reinterpret_cast<RecordCell*>(block);
    std::memcpy(cells, cells_.data(), head);
    if (!text_.empty()) std::memcpy(block + head, text_.data(), text_.size());
    for (size_t i = 0; i < cells_.size(); ++i)
        if (cells[i].kind == VarType::String) cells[i].offset += head;
    return cells;
}

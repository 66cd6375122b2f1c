#include "RecordStore.h"

#include <cstring>
#include <stdexcept>

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
    size = (size + 7) & ~size_t(7);
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
    cells_.assign(static_cast<size_t>(cellCount), Cell());
    text_.clear();
}

RecordBuilder::Cell& RecordBuilder::at(int i, VarType kind)
{
    Cell& c = cells_[i];
    c.kind = kind;
    return c;
}

void RecordBuilder::SetInteger(int i, int64_t v)
{
    std::memcpy(&at(i, VarType::Integer).bits, &v, 8);
}

void RecordBuilder::SetFloat(int i, double v)
{
    std::memcpy(&at(i, VarType::Float).bits, &v, 8);
}

void RecordBuilder::SetDateTime(int i, double v)
{
    std::memcpy(&at(i, VarType::DateTime).bits, &v, 8);
}

void RecordBuilder::SetBoolean(int i, bool v)
{
    at(i, VarType::Boolean).bits = v ? 1 : 0;
}

void RecordBuilder::SetText(int i, std::string_view bytes)
{
    size_t start = text_.size();
    text_.append(bytes);
    SetTextFromBuffer(i, start);
}

void RecordBuilder::SetTextFromBuffer(int i, size_t start)
{
    // Relative to the text area until Commit.
    at(i, VarType::String).bits = uint64_t(start) | uint64_t(text_.size() - start) << 32;
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
    size_t count = cells_.size();
    if (count > 0xFFFF) throw std::length_error("A record holds at most 65535 values");
    size_t values = RecordLayout::ValuesOffset(count);
    size_t head = values + count * 8;
    auto* block = static_cast<unsigned char*>(arena.Allocate(head + text_.size()));
    uint16_t n = static_cast<uint16_t>(count);
    std::memcpy(block, &n, 2);
    std::memset(block + 2, 0, values - 2);
    unsigned char* value = block + values;
    for (size_t i = 0; i < count; ++i, value += 8) {
        const Cell& c = cells_[i];
        block[2 + i] = static_cast<unsigned char>(c.kind);
        uint64_t bits = c.bits;
        if (c.kind == VarType::String) bits += head;  // the offset from the block start
        std::memcpy(value, &bits, 8);
    }
    if (!text_.empty()) std::memcpy(block + head, text_.data(), text_.size());
    return block;
}

#pragma once
// Compact storage of fetched records.
//
// A record is one immutable block: a cell of 16 bytes per data field, followed
// by the bytes of its texts. A cell holds a kind (the Variant kinds Null,
// Integer, Float, Boolean, DateTime, String; binary values are String bytes)
// and the value or, for text, its length and offset from the block start.
// Blocks live in an arena that grows in chunks and is released as a whole when
// the dataset closes: an edited record gets a new block, the old one stays
// until then (the cache of updates may still point at it).

#include "runtime/Variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct RecordCell {
    VarType kind = VarType::Null;
    uint32_t length = 0;
    union {
        int64_t i;
        double d;
        bool b;
        uint64_t offset;
    };
    RecordCell() : i(0) {}
};
static_assert(sizeof(RecordCell) == 16);

// A view of one value: no copy, valid while its record (or Variant) lives.
struct CellView {
    VarType kind = VarType::Null;
    int64_t i = 0;
    double d = 0;
    bool b = false;
    std::string_view s;

    bool IsNull() const { return kind == VarType::Null || kind == VarType::Empty; }
    Variant ToVariant() const;
    static CellView Of(const Variant& v);
};

using RecordBlock = const RecordCell*;

inline CellView ReadCell(RecordBlock record, int index)
{
    CellView v;
    if (!record) return v;
    const RecordCell& c = record[index];
    v.kind = c.kind;
    switch (c.kind) {
    case VarType::Integer: v.i = c.i; break;
    case VarType::Float:
    case VarType::DateTime: v.d = c.d; break;
    case VarType::Boolean: v.b = c.b; break;
    case VarType::String: v.s = std::string_view(reinterpret_cast<const char*>(record) + c.offset, c.length); break;
    default: break;
    }
    return v;
}

class RecordArena {
public:
    void* Allocate(size_t size);
    void Clear();
    size_t BytesUsed() const { return used_; }

private:
    static constexpr size_t kChunk = 1 << 20;
    std::vector<std::unique_ptr<char[]>> chunks_;
    char* cur_ = nullptr;
    size_t left_ = 0;
    size_t used_ = 0;
};

// Collects the cells of one record, then writes them into the arena as a block.
class RecordBuilder {
public:
    void Reset(int cellCount);
    int Count() const { return static_cast<int>(cells_.size()); }
    void SetNull(int i) { cells_[i] = RecordCell(); }
    void SetInteger(int i, int64_t v);
    void SetFloat(int i, double v);
    void SetDateTime(int i, double v);
    void SetBoolean(int i, bool v);
    void SetText(int i, std::string_view bytes);
    // Appends to the text already set in cell i (converters write in pieces).
    std::string& TextBuffer() { return text_; }
    void SetTextFromBuffer(int i, size_t start);
    void Set(int i, const CellView& v);
    RecordBlock Commit(RecordArena& arena) const;

private:
    RecordCell& at(int i, VarType kind);

    std::vector<RecordCell> cells_;
    std::string text_;
};

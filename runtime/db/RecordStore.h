#pragma once
// Compact storage of fetched records.
//
// A record is one immutable block of bytes: the number of cells (2 bytes),
// one kind byte per cell (the Variant kinds Null, Integer, Float, Boolean,
// DateTime, String; binary values are String bytes), padding to 8, one 8-byte
// value per cell, then the bytes of its texts. A text's value holds its offset
// from the block start and its length (4 bytes each). A million records of the
// document lines' shape take some 90 bytes each.
// Blocks live in an arena that grows in chunks and is released as a whole when
// the dataset closes: an edited record gets a new block, the old one stays
// until then (the cache of updates may still point at it).
//
// Rules that are easy to break: blocks are only ever read through ReadCell, with
// an index below the block's cell count; values are copied out with memcpy
// (blocks are 8-byte aligned, but nothing else is promised).

#include "runtime/Variant.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

using RecordBlock = const unsigned char*;

namespace RecordLayout {
// Where the 8-byte values start in a block of `count` cells.
constexpr size_t ValuesOffset(size_t count) { return (2 + count + 7) & ~size_t(7); }
}  // namespace RecordLayout

inline CellView ReadCell(RecordBlock record, int index)
{
    CellView v;
    if (!record) return v;
    uint16_t count;
    std::memcpy(&count, record, 2);
    v.kind = static_cast<VarType>(record[2 + index]);
    const unsigned char* value = record + RecordLayout::ValuesOffset(count) + static_cast<size_t>(index) * 8;
    switch (v.kind) {
    case VarType::Integer: std::memcpy(&v.i, value, 8); break;
    case VarType::Float:
    case VarType::DateTime: std::memcpy(&v.d, value, 8); break;
    case VarType::Boolean: v.b = value[0] != 0; break;
    case VarType::String: {
        uint32_t offset, length;
        std::memcpy(&offset, value, 4);
        std::memcpy(&length, value + 4, 4);
        v.s = std::string_view(reinterpret_cast<const char*>(record) + offset, length);
        break;
    }
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
    void SetNull(int i) { cells_[i] = Cell(); }
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
    struct Cell {
        VarType kind = VarType::Null;
        uint64_t bits = 0;  // the value, or a text's start in text_ (low) and length (high)
    };
    Cell& at(int i, VarType kind);

    std::vector<Cell> cells_;
    std::string text_;
};

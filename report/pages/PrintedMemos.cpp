#include "report/pages/PrintedMemos.h"

#include "report/pages/EMFPages.h"

#include <cstring>

namespace {
enum : uint8_t { kindNone = 0, kindInteger = 1, kindFloat = 2, kindDateTime = 3 };
constexpr const char* DamagedText = "The printed values of a prepared page are damaged";

void appendVarint(std::string& out, uint64_t v)
{
    while (v >= 0x80) {
        out += static_cast<char>(v | 0x80);
        v >>= 7;
    }
    out += static_cast<char>(v);
}

void appendLittle(std::string& out, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : b_(bytes) {}
    bool AtEnd() const { return p_ == b_.size(); }
    uint8_t Byte()
    {
        need(1);
        return static_cast<uint8_t>(b_[p_++]);
    }
    uint64_t Varint()
    {
        uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const uint8_t b = Byte();
            v |= uint64_t(b & 0x7F) << shift;
            if (!(b & 0x80)) return v;
        }
        throw EPreparedReportError(DamagedText);
    }
    uint64_t Little(int bytes)
    {
        need(static_cast<size_t>(bytes));
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= uint64_t(static_cast<uint8_t>(b_[p_ + i])) << (8 * i);
        p_ += static_cast<size_t>(bytes);
        return v;
    }
    std::string_view Bytes(uint64_t n)
    {
        need(n);
        std::string_view v = b_.substr(p_, n);
        p_ += n;
        return v;
    }

private:
    void need(uint64_t n) const
    {
        if (n > b_.size() - p_) throw EPreparedReportError(DamagedText);
    }
    std::string_view b_;
    size_t p_ = 0;
};

uint8_t valueKind(const Variant& v)
{
    switch (v.Type()) {
    case VarType::Integer: return kindInteger;
    case VarType::Float: return kindFloat;
    case VarType::DateTime: return kindDateTime;
    default: return kindNone;
    }
}
}  // namespace

void AppendPrintedMemo(std::string& bytes, int32_t previousView, const TrqPrintedMemo& memo)
{
    appendVarint(bytes, static_cast<uint64_t>(int64_t(memo.View) - previousView - 1));
    bytes += static_cast<char>(memo.Band);
    const uint8_t kind = valueKind(memo.Value);
    bytes += static_cast<char>((memo.Repeated ? 1 : 0) | (kind << 1));
    if (kind == kindNone) return;
    uint64_t raw = 0;
    if (kind == kindInteger) {
        raw = static_cast<uint64_t>(memo.Value.AsInteger());
    } else {
        const double d = memo.Value.AsFloat();
        std::memcpy(&raw, &d, sizeof d);
    }
    appendLittle(bytes, raw, 8);
    appendLittle(bytes, static_cast<uint32_t>(memo.FormatCode), 4);
    appendVarint(bytes, memo.FormatText.size());
    bytes += memo.FormatText;
}

std::vector<TrqPrintedMemo> ReadPrintedMemos(std::string_view bytes)
{
    std::vector<TrqPrintedMemo> memos;
    Reader r(bytes);
    int64_t view = -1;
    while (!r.AtEnd()) {
        TrqPrintedMemo& memo = memos.emplace_back();
        view += static_cast<int64_t>(std::min<uint64_t>(r.Varint(), INT32_MAX)) + 1;
        if (view > INT32_MAX) throw EPreparedReportError(DamagedText);
        memo.View = static_cast<int32_t>(view);
        memo.Band = r.Byte();
        const uint8_t flags = r.Byte();
        memo.Repeated = flags & 1;
        const uint8_t kind = (flags >> 1) & 3;
        if (kind == kindNone) continue;
        const uint64_t raw = r.Little(8);
        if (kind == kindInteger) {
            memo.Value = Variant(static_cast<long long>(raw));
        } else {
            double d;
            std::memcpy(&d, &raw, sizeof d);
            memo.Value = kind == kindFloat ? Variant(d) : Variant::FromDateTime(d);
        }
        memo.FormatCode = static_cast<int32_t>(r.Little(4));
        memo.FormatText = AnsiString(r.Bytes(r.Varint()));
    }
    return memos;
}

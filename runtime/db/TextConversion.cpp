#include "TextConversion.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <cstring>
#include <deque>

namespace {

// Unicode (BMP) to code-page bytes: 0 where the table has no answer, a byte
// value 0x80..0xFF for a single byte, lead << 8 | trail for two.
struct Table {
    std::string codePage;
    std::unique_ptr<uint16_t[]> map;
};

// Decodes one well-formed UTF-8 sequence of up to three bytes; 0 when the
// text there is anything else.
size_t decodeBmp(const unsigned char* p, size_t left, unsigned& cp)
{
    unsigned char c = p[0];
    if ((c & 0xF0) == 0xE0 && left >= 3 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80) {
        cp = (c & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
        return (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF)) ? 3 : 0;
    }
    if ((c & 0xE0) == 0xC0 && left >= 2 && (p[1] & 0xC0) == 0x80) {
        cp = (c & 0x1Fu) << 6 | (p[1] & 0x3Fu);
        return cp >= 0x80 ? 2 : 0;
    }
    return 0;
}

void learn(uint16_t* map, const std::string& bytes)
{
    std::string utf8 = AnsiToUtf8(bytes);
    unsigned cp = 0;
    auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    if (decodeBmp(p, utf8.size(), cp) != utf8.size() || cp == 0xFFFD || map[cp]) return;
    if (Utf8ToAnsi(utf8) != bytes) return;
    map[cp] = static_cast<uint16_t>(bytes.size() == 1 ? static_cast<unsigned char>(bytes[0])
                                                       : static_cast<unsigned char>(bytes[0]) << 8 |
                                                             static_cast<unsigned char>(bytes[1]));
}

// The table of the code page in effect. Tables are made once per code page
// and kept: a pointer handed out stays valid.
const uint16_t* table()
{
    static std::mutex mutex;
    static std::deque<Table> tables;  // stays in place as it grows
    // The code page rarely changes: the last answer is checked first.
    static std::atomic<const Table*> last{nullptr};
    const std::string& codePage = AnsiCodePage();
    const Table* t = last.load(std::memory_order_acquire);
    if (t && t->codePage == codePage) return t->map.get();
    std::lock_guard<std::mutex> lock(mutex);
    for (const Table& known : tables)
        if (known.codePage == codePage) {
            last.store(&known, std::memory_order_release);
            return known.map.get();
        }
    auto map = std::make_unique<uint16_t[]>(0x10000);
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (IsLeadByte(static_cast<unsigned char>(b))) continue;
        learn(map.get(), std::string(1, static_cast<char>(b)));
    }
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            learn(map.get(), std::string{static_cast<char>(lead), static_cast<char>(trail)});
    }
    tables.push_back({codePage, std::move(map)});
    last.store(&tables.back(), std::memory_order_release);
    return tables.back().map.get();
}

}  // namespace

void AppendUtf8AsAnsi(std::string& out, std::string_view utf8)
{
    size_t i = 0, n = utf8.size();
    while (i < n && static_cast<unsigned char>(utf8[i]) < 0x80) ++i;
    if (i == n) {
        out.append(utf8);
        return;
    }
    const uint16_t* map = table();
    size_t start = out.size();
    // The code-page form is never longer than the UTF-8 form.
    out.resize(start + n);
    char* dst = out.data() + start;
    std::memcpy(dst, utf8.data(), i);
    dst += i;
    auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    while (i < n) {
        if (p[i] < 0x80) {
            *dst++ = static_cast<char>(p[i++]);
            continue;
        }
        unsigned cp = 0;
        size_t len = decodeBmp(p + i, n - i, cp);
        uint16_t code = len ? map[cp] : 0;
        if (!code) {
            // Not in the table: the whole text goes through the converter.
            out.resize(start);
            out += Utf8ToAnsi(utf8);
            return;
        }
        if (code > 0xFF) *dst++ = static_cast<char>(code >> 8);
        *dst++ = static_cast<char>(code & 0xFF);
        i += len;
    }
    out.resize(static_cast<size_t>(dst - out.data()));
}

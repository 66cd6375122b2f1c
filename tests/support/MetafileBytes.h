#pragma once
// Small metafiles written record by record, for tests and benchmarks: an
// enhanced metafile and a Windows metafile (with the placeable header) of one
// drawing on a frame of 200 × 100 pixels: a red box with a blue edge at
// (10, 10)-(190, 60), a blue line across at y = 80 and the green word "LOGO".
// The records are the documented ones, written little-endian by hand so that
// no sample file from elsewhere is needed.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace metafiles {

class Bytes {
public:
    Bytes& u16(uint16_t v) { return put(v, 2); }
    Bytes& u32(uint32_t v) { return put(v, 4); }
    Bytes& i16(int16_t v) { return u16(static_cast<uint16_t>(v)); }
    Bytes& i32(int32_t v) { return u32(static_cast<uint32_t>(v)); }
    void Patch32(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i) s_[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
    }
    size_t Size() const { return s_.size(); }
    std::string& Str() { return s_; }

private:
    Bytes& put(uint32_t v, int n)
    {
        for (int i = 0; i < n; ++i) s_ += static_cast<char>((v >> (8 * i)) & 0xff);
        return *this;
    }
    std::string s_;
};

// Colours as the metafiles store them: 0x00BBGGRR.
inline constexpr uint32_t Red = 0x0000FF, Green = 0x008000, Blue = 0xFF0000;

inline std::string Emf()
{
    Bytes b;
    uint32_t records = 0;
    auto record = [&](uint32_t type, std::vector<int32_t> params) {
        b.u32(type).u32(static_cast<uint32_t>(8 + 4 * params.size()));
        for (int32_t p : params) b.i32(p);
        ++records;
    };
    // Header: bounds in pixels, frame in hundredths of a millimetre (200 × 100
    // pixels at 96 per inch), signature, version, size and record count
    // (patched below), handles, no description or palette, reference device.
    b.u32(1).u32(88).i32(0).i32(0).i32(199).i32(99).i32(0).i32(0).i32(5291).i32(2645);
    b.u32(0x464D4520).u32(0x10000).u32(0).u32(0).u16(4).u16(0).u32(0).u32(0).u32(0);
    b.i32(1024).i32(768).i32(270).i32(203);
    ++records;
    record(39, {1, 0, static_cast<int32_t>(Red), 0});      // brush 1: solid red
    record(37, {1});                                       // select it
    record(38, {2, 0, 3, 0, static_cast<int32_t>(Blue)});  // pen 2: solid blue, 3 wide
    record(37, {2});
    record(43, {10, 10, 190, 60});  // rectangle
    record(27, {10, 80});           // move to
    record(54, {190, 80});          // line to
    // Font 3: Arial, 20 pixels high, then the text colour and a clear background.
    b.u32(82).u32(8 + 4 + 92).i32(3).i32(-20).i32(0).i32(0).i32(0).i32(400).u32(0).u32(0);
    const std::string face = "Arial";
    for (size_t i = 0; i < 32; ++i) b.u16(i < face.size() ? static_cast<uint16_t>(face[i]) : 0);
    ++records;
    record(37, {3});
    record(24, {static_cast<int32_t>(Green)});
    record(18, {1});
    // The word in wide characters at (20, 64).
    const std::u16string word = u"LOGO";
    const size_t start = b.Size();
    b.u32(84).u32(0).i32(0).i32(0).i32(-1).i32(-1).u32(1).u32(0).u32(0);
    b.i32(20).i32(64).u32(static_cast<uint32_t>(word.size())).u32(76).u32(0).i32(0).i32(0).i32(-1).i32(-1).u32(0);
    for (char16_t c : word) b.u16(c);
    while ((b.Size() - start) % 4) b.Str() += '\0';
    b.Patch32(start + 4, static_cast<uint32_t>(b.Size() - start));
    ++records;
    record(14, {0, 16, 20});  // end of file
    b.Patch32(48, static_cast<uint32_t>(b.Size()));
    b.Patch32(52, records);
    return b.Str();
}

inline std::string Wmf()
{
    Bytes recs;
    uint32_t largest = 0;
    auto record = [&](uint16_t function, std::vector<int16_t> params) {
        const auto words = static_cast<uint32_t>(3 + params.size());
        recs.u32(words).u16(function);
        for (int16_t p : params) recs.i16(p);
        largest = std::max(largest, words);
    };
    auto lo = [](uint32_t c) { return static_cast<int16_t>(c & 0xffff); };
    auto hi = [](uint32_t c) { return static_cast<int16_t>(c >> 16); };
    record(0x020B, {0, 0});                            // window origin (y, x)
    record(0x020C, {100, 200});                        // window extent (y, x)
    record(0x02FC, {0, lo(Red), hi(Red), 0});          // object 0: solid red brush
    record(0x012D, {0});                               // select it
    record(0x02FA, {0, 3, 0, lo(Blue), hi(Blue)});     // object 1: solid blue pen, 3 wide
    record(0x012D, {1});
    record(0x041B, {60, 190, 10, 10});                 // rectangle (bottom, right, top, left)
    record(0x0214, {80, 10});                          // move to (y, x)
    record(0x0213, {80, 190});                         // line to (y, x)
    // Object 2: a font 20 high named "Arial", then the text colour and a clear background.
    record(0x02FB, {-20, 0, 0, 0, 400, 0, 0, 0, 'A' | ('r' << 8), 'i' | ('a' << 8), 'l', 0});
    record(0x012D, {2});
    record(0x0209, {lo(Green), hi(Green)});
    record(0x0102, {1, 0});
    record(0x0521, {4, 'L' | ('O' << 8), 'G' | ('O' << 8), 64, 20});  // "LOGO" at (20, 64)
    record(0x0000, {});                                // end of file

    // Placeable header: key, frame (0, 0)-(200, 100) at 96 units per inch, checksum.
    Bytes head;
    head.u32(0x9AC6CDD7).u16(0).i16(0).i16(0).i16(200).i16(100).u16(96).u32(0);
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2)
        sum ^= static_cast<uint16_t>(static_cast<uint8_t>(head.Str()[i]) | static_cast<uint8_t>(head.Str()[i + 1]) << 8);
    head.u16(sum);
    // Header: in memory, nine words, version 3, size in words, three objects.
    Bytes meta;
    meta.u16(1).u16(9).u16(0x300).u32(static_cast<uint32_t>((18 + recs.Size()) / 2)).u16(3).u32(largest).u16(0);
    return head.Str() + meta.Str() + recs.Str();
}

}  // namespace metafiles

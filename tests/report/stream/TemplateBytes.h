#pragma once
// Builds template bytes by hand, primitive by primitive, in the form of a
// given stream version (strings and text lists differ before version 23).

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class TemplateBytes {
public:
    explicit TemplateBytes(int version) : version_(version) {}

    TemplateBytes& u8(uint8_t v)
    {
        s_.push_back(static_cast<char>(v));
        return *this;
    }
    TemplateBytes& i16(int16_t v) { return raw(static_cast<uint16_t>(v), 2); }
    TemplateBytes& i32(int32_t v) { return raw(static_cast<uint32_t>(v), 4); }
    TemplateBytes& wb(bool v) { return i16(v ? -1 : 0); }
    TemplateBytes& str(const std::string& text)
    {
        if (version_ >= 23) i16(static_cast<int16_t>(text.size()));
        s_ += text;
        return u8(0);
    }
    TemplateBytes& lines(std::initializer_list<std::string> list)
    {
        if (version_ < 23) {
            for (const std::string& line : list) s_ += line + "\r";
            if (list.size() > 0) s_.pop_back();
            return u8(0);
        }
        i16(static_cast<int16_t>(list.size()));
        if (list.size() == 0) return u8(0);
        size_t i = 0;
        for (const std::string& line : list) {
            i16(static_cast<int16_t>(line.size()));
            s_ += line;
            u8(++i < list.size() ? 0x0D : 0x00);
        }
        return *this;
    }
    TemplateBytes& bytes(const std::string& b)
    {
        s_ += b;
        return *this;
    }
    size_t size() const { return s_.size(); }
    // Overwrites the int32 at `at` (an EndPosition written after the record).
    void patch32(size_t at, int32_t v)
    {
        for (int i = 0; i < 4; ++i) s_[at + i] = static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
    }
    const std::string& str() const { return s_; }

private:
    TemplateBytes& raw(uint32_t v, int n)
    {
        for (int i = 0; i < n; ++i) s_.push_back(static_cast<char>(v >> (8 * i)));
        return *this;
    }
    int version_;
    std::string s_;
};

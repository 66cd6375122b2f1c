#pragma once
// Hand-made template records for the reader tests.

#include "TemplateBytes.h"

#include <string>

struct CommonFields {
    std::string name = "";
    int versionHigh = 2, versionLow = 0;
    int left = 10, top = 20, width = 100, height = 30;
    uint16_t flags = 3, frameTyp = 15;
    int32_t frameCode = 1;
    int32_t frameColor = 0, fillColor = 0x1FFFFFFF;
    uint16_t frameStyle = 0;
    int32_t formatCode = 0x22E;
    std::string formatText = "";
    std::initializer_list<std::string> memo = {};
    std::initializer_list<std::string> script = {};
    bool visible = true;
    std::string tag = "";
    uint8_t bandAlign = 0;
};

inline void writeCommon(TemplateBytes& b, int version, const CommonFields& c)
{
    if (version >= 23) b.str(c.name);
    if (version == 24) b.u8(static_cast<uint8_t>(c.versionHigh)).u8(static_cast<uint8_t>(c.versionLow));
    b.i32(c.left).i32(c.top).i32(c.width).i32(c.height);
    b.i16(static_cast<int16_t>(c.flags)).i16(static_cast<int16_t>(c.frameTyp)).i32(c.frameCode);
    b.i32(c.frameColor).i16(static_cast<int16_t>(c.frameStyle)).i32(c.fillColor);
    b.i32(c.formatCode).str(c.formatText);
    b.lines(c.memo);
    if (version >= 23) b.lines(c.script).wb(c.visible);
    if (version == 24) {
        b.i16(0).str(c.tag).i32(2).i32(1);
        if (c.versionHigh > 1) b.u8(c.bandAlign);
    }
}

// Memo kind data: font Arial 12 bold, red, centred, GB2312.
inline void writeMemoData(TemplateBytes& b, int version)
{
    b.str("Arial").i32(12).i16(2).i32(0xFF).i32(2).i16(134);
    b.i16(2).i32(0).i32(0xFFFFFF).str("");
    if (version == 24) b.i32(4).i32(1);
}

// A page record: A4 portrait by default, with or without the script marker.
inline void writePage(TemplateBytes& b, int version, bool withScript, const std::string& name = "Page1",
                      int32_t size = 9, uint8_t orientation = 0)
{
    b.u8(0xFF);
    if (withScript) b.i32(-1);
    b.i32(size).i32(2100).i32(2970).i32(0).i32(0).i32(0).i32(0).u8(orientation);
    if (version <= 22) b.bytes(std::string(6, '\0'));
    if (version == 24) b.i32(-1);
    b.wb(false).wb(true).i32(0).i32(0);
    if (version == 24) {
        b.u8(0).str(name).u8(0).str("Form").i32(static_cast<int32_t>(0x8000000F));
        b.i32(220).i32(120).i32(380).i32(300).u8(1);
        if (withScript) b.lines({"PageScript"});
    }
}

// An object record header; returns where the EndPosition placeholder is (version 24).
inline size_t beginObject(TemplateBytes& b, int version, uint8_t kind, uint8_t page, const std::string& className = {})
{
    b.u8(kind);
    if (kind == 10) b.str(className);
    b.u8(page);
    size_t at = b.size();
    if (version == 24) b.i32(0);
    return at;
}

inline void endObject(TemplateBytes& b, int version, size_t at)
{
    if (version == 24) b.patch32(at, static_cast<int32_t>(b.size()));
}

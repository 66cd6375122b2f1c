#pragma once
// TrqView: an object on a template page (band, memo, picture, line,
// sub-report or add-in control). Its settings are plain fields that the
// template stream writes one by one; positions and sizes are report units
// relative to the page. Kinds derive from it and add their own fields.

#include "report/model/Object.h"
#include "report/model/PropertyTable.h"
#include "report/model/ReportTypes.h"
#include "runtime/StringList.h"

#include <cstdint>
#include <memory>

class TrqCanvas;
class TrqPage;
class TrqStreamReader;
class TrqStreamWriter;

class TrqView : public TrqObject {
public:
    TrqView();
    ~TrqView() override;

    // The class name stored for add-in views and shown in messages.
    virtual const char* ClassName() const { return "TrqView"; }

    // Stored fields.
    AnsiString BaseName = "View";  // prefix of generated names
    AnsiString Name;
    uint8_t ObjectKind = okMemo;
    uint8_t VersionHigh = 0;
    uint8_t VersionLow = 0;
    int32_t ObjectId = 0;
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    uint16_t Flags = 0;
    uint16_t FrameTyp = 0;  // frame sides; the band kind on band views
    float FrameWidth = 1.0f;
    int32_t FrameColor = 0;
    uint16_t FrameStyle = psSolid;
    int32_t FillColor = rqclNone;
    int32_t FormatCode = 0;
    AnsiString FormatText;
    bool Visible = true;
    int32_t GapX = 2, GapY = 1;
    uint16_t Restrictions = 0;
    AnsiString Tag;
    TStringList Memo;
    TStringList Script;
    uint8_t BandAlign = baNone;

    // Runtime state while building and drawing.
    TStringList MemoResult;
    bool PreparedMode = false;
    double ScaleX = 1.0, ScaleY = 1.0;
    int32_t OffsetX = 0, OffsetY = 0;
    bool Printing = false;
    TrqPage* Page = nullptr;  // the page whose object list holds the view

    bool Flag(uint16_t bit) const { return (Flags & bit) != 0; }
    void SetFlag(uint16_t bit, bool on) { Flags = on ? (Flags | bit) : (Flags & ~bit); }

    // The view's stream data: the common part, then the kind's own.
    virtual void LoadFromStream(TrqStreamReader& reader);
    virtual void SaveToStream(TrqStreamWriter& writer);

    // Draws the view on a canvas with the scale, offsets and printing flag set
    // above (report/draw).
    virtual void Draw(TrqCanvas& canvas);
    // Views whose Flags carry flWantHook hear of every memo the band engine
    // has just printed; the base does nothing.
    virtual void DrawHook(TrqView& printed) {}

    AnsiString ObjectName() const override { return Name; }
    Variant DoMethod(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3) override;

    // The properties every view has (NAME, LEFT, ..., MEMO, DATAFIELD, TAG,
    // MEMO.COUNT); the tables of the kinds start from it.
    static const TrqPropertyTable& ViewProperties();
    const TrqPropertyTable& Properties() const override { return ViewProperties(); }
    // Name, bounds, Flags, frame and fill, Memo (the groups of PropertyTable.h).
    uint32_t RegisteredGroups() const override;

    // The next serial number for a new view (counted over the whole process).
    static int32_t NextObjectId();

protected:
    // Methods on a text list named `listName` (MEMO, or LINES on memos):
    // .ADD, .CLEAR, .DELETE, .INDEXOF, and GETINDEXPROPERTY / SETINDEXPROPERTY.
    bool ListMethod(const AnsiString& listName, const AnsiString& name, const Variant& p1, const Variant& p2,
                    const Variant& p3, Variant& result);
};

// A view whose height can follow its text (memos and lines); the band engine
// measures with these while stretching bands. The text layout refines them.
class TrqStretcheable : public TrqView {
public:
    // Height the view needs for its current text.
    virtual int32_t MeasureHeight() { return Height; }
    // Height of one text line plus frame and gaps.
    virtual int32_t MinimumHeight() { return 0; }
    // Height of the part that does not fit in the current height.
    virtual int32_t RemainderHeight() { return 0; }
};

#pragma once
// A picture view: a bitmap, icon or metafile, optionally taken from a BLOB
// field while the report is built.

#include "report/model/Picture.h"
#include "report/model/View.h"

class TrqPictureView : public TrqView {
public:
    TrqPictureView();
    const char* ClassName() const override { return "TrqPictureView"; }

    TrqPicture Picture;
    uint8_t BlobType = btBMP;

    void LoadFromStream(TrqStreamReader& reader) override;
    void SaveToStream(TrqStreamWriter& writer) override;
    void Draw(TrqCanvas& canvas) override;

    Variant DoMethod(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3) override;
    const TrqPropertyTable& Properties() const override;
    uint32_t RegisteredGroups() const override;
};

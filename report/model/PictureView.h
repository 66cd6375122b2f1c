#pragma once
// A picture view: a bitmap, icon or metafile, optionally taken from a BLOB
// field while the report is built. Pictures from fields and files are read by
// their content whatever BlobType says; bytes that are no picture leave the
// view empty with a warning on standard error, and the report goes on.

#include "report/model/Picture.h"
#include "report/model/View.h"

class TrqPictureView : public TrqView {
public:
    TrqPictureView();
    const char* ClassName() const override { return "TrqPictureView"; }

    TrqPicture Picture;
    uint8_t BlobType = btBMP;

    // The picture from a field's bytes (`source` names the field in the warning).
    void LoadContent(std::string bytes, const AnsiString& source);
    // The picture from a file (the script's LoadFromFile). Raises EFOpenError
    // when the file cannot be opened.
    void LoadFile(const AnsiString& fileName);

    void LoadFromStream(TrqStreamReader& reader) override;
    void SaveToStream(TrqStreamWriter& writer) override;
    void Draw(TrqCanvas& canvas) override;

    Variant DoMethod(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3) override;
    const TrqPropertyTable& Properties() const override;
    uint32_t RegisteredGroups() const override;
};

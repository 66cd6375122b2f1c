#include "report/model/PictureView.h"

#include "report/texts/Warnings.h"

TrqPictureView::TrqPictureView()
{
    BaseName = "Picture";
    ObjectKind = okPicture;
    Flags = flStretched | flPictRatio;
}

const TrqPropertyTable& TrqPictureView::Properties() const
{
    using P = TrqPropertiesOf<TrqPictureView>;
    static const TrqPropertyTable table(ViewProperties(), {
        P::Listed("Picture", pkEditor, rgAlways),
        P::Flag("Center", rgAlways, flPictCenter),
        P::Flag("KeepAspect", rgAlways, flPictRatio),
        P::Field("BlobType", pkEnum, rgAlways, &TrqPictureView::BlobType, TrqEnumerations::BlobType),
    });
    return table;
}

uint32_t TrqPictureView::RegisteredGroups() const
{
    return TrqView::RegisteredGroups() | rgStretched | rgDataField;
}

void TrqPictureView::LoadContent(std::string bytes, const AnsiString& source)
{
    if (Picture.AssignContent(std::move(bytes))) return;
    WarnOnce("picture-content:" + Name + ":" + source,
             Name + ": " + source + " holds no picture that can be read; the picture is left empty");
}

void TrqPictureView::LoadFile(const AnsiString& fileName)
{
    if (Picture.LoadFromFile(fileName)) return;
    WarnOnce("picture-file:" + Name + ":" + fileName,
             Name + ": \"" + fileName + "\" holds no picture that can be read; the picture is left empty");
}

Variant TrqPictureView::DoMethod(const AnsiString& methodName, const Variant& p1, const Variant& p2, const Variant& p3)
{
    if (UpperCase(methodName) == "LOADFROMFILE") {
        LoadFile(p1.AsString());
        return Variant::Null();
    }
    return TrqView::DoMethod(methodName, p1, p2, p3);
}

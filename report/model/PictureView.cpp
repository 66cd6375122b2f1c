#include "report/model/PictureView.h"

#include "report/texts/Warnings.h"

namespace {
const TrqView::FlagName pictureFlags[] = {{"CENTER", flPictCenter}, {"KEEPASPECT", flPictRatio}};
constexpr size_t pictureFlagCount = sizeof pictureFlags / sizeof pictureFlags[0];
}  // namespace

TrqPictureView::TrqPictureView()
{
    BaseName = "Picture";
    ObjectKind = okPicture;
    Flags = flStretched | flPictRatio;
}

void TrqPictureView::DefineProperties()
{
    DefineViewProperties(true);
    AddProperty("Picture", pkEditor);
    AddProperty("Stretched", pkBoolean);
    AddProperty("Center", pkBoolean);
    AddProperty("KeepAspect", pkBoolean);
    AddProperty("DataField", pkEditor);
    AddEnumProperty("BlobType", "btBMP;btJPG;btICO;btWMF");
}

void TrqPictureView::SetPropValue(const AnsiString& propName, const Variant& value)
{
    AnsiString name = UpperCase(propName);
    if (name == "BLOBTYPE") BlobType = static_cast<uint8_t>(value.AsInteger());
    else if (!SetFlagProperty(pictureFlags, pictureFlagCount, name, value)) TrqView::SetPropValue(name, value);
}

Variant TrqPictureView::GetPropValue(const AnsiString& propName)
{
    AnsiString name = UpperCase(propName);
    Variant result;
    if (name == "BLOBTYPE") return static_cast<int>(BlobType);
    if (GetFlagProperty(pictureFlags, pictureFlagCount, name, result)) return result;
    return TrqView::GetPropValue(name);
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

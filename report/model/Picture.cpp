#include "report/model/Picture.h"

#include "report/graphic/Graphic.h"
#include "runtime/Streams.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

void TrqPicture::Clear()
{
    kind_ = gkNone;
    data_.clear();
    graphic_.reset();
}

void TrqPicture::Assign(TrqGraphicKind kind, std::string data)
{
    if (kind == gkNone) {
        Clear();
        return;
    }
    if ((kind == gkBitmap || kind == gkIcon) && !IsReadableImage(data) && !IsMetafileFormat(SniffGraphic(data)))
        throw EInvalidGraphic(kind == gkIcon ? "Icon image is not valid" : "Bitmap image is not valid");
    if (kind == gkMetafile && data.empty()) throw EInvalidGraphic("Metafile is not valid");
    kind_ = kind;
    data_ = std::move(data);
    graphic_.reset();
}

bool TrqPicture::AssignContent(std::string data)
{
    const TrqGraphicFormat format = SniffGraphic(data);
    TrqGraphicKind kind = gkNone;
    if (IsMetafileFormat(format)) kind = gkMetafile;
    else if (IsReadableImage(data)) kind = format == TrqGraphicFormat::Ico ? gkIcon : gkBitmap;
    if (kind == gkNone) {
        Clear();
        return false;
    }
    kind_ = kind;
    data_ = std::move(data);
    graphic_.reset();
    return true;
}

bool TrqPicture::LoadFromFile(const std::string& fileName)
{
    TMemoryStream file;
    file.LoadFromFile(fileName);
    return AssignContent(file.Bytes());
}

void TrqPicture::AssignImage(const QImage& image)
{
    if (image.isNull()) {
        Clear();
        return;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    kind_ = gkBitmap;
    data_.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    graphic_.reset();
}

QImage TrqPicture::Image() const
{
    if (kind_ != gkBitmap && kind_ != gkIcon) return QImage();
    auto graphic = Graphic();
    return graphic ? graphic->Image() : QImage();
}

std::shared_ptr<const TrqGraphic> TrqPicture::Graphic() const
{
    if (kind_ == gkNone) return nullptr;
    if (!graphic_) graphic_ = DecodeGraphic(data_);
    return graphic_;
}

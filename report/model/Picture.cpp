#include "report/model/Picture.h"

#include "runtime/Streams.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageIOHandler>
#include <QImageReader>

namespace {
const char* formatOf(TrqGraphicKind kind) { return kind == gkIcon ? "ico" : "bmp"; }

bool readable(TrqGraphicKind kind, const std::string& data)
{
    QByteArray bytes = QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, formatOf(kind));
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead()) return false;
    // Only the header is looked at here; the image is decoded when it is drawn.
    if (!reader.supportsOption(QImageIOHandler::Size)) return true;
    QSize size = reader.size();
    return size.isValid() && !size.isEmpty();
}

std::string lowerExtension(const std::string& fileName)
{
    size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || fileName.find('/', dot) != std::string::npos) return {};
    return LowerCase(fileName.substr(dot + 1));
}
}  // namespace

void TrqPicture::Clear()
{
    kind_ = gkNone;
    data_.clear();
}

void TrqPicture::Assign(TrqGraphicKind kind, std::string data)
{
    if (kind == gkNone) {
        Clear();
        return;
    }
    if ((kind == gkBitmap || kind == gkIcon) && !readable(kind, data))
        throw EInvalidGraphic(kind == gkIcon ? "Icon image is not valid" : "Bitmap image is not valid");
    if (kind == gkMetafile && data.empty()) throw EInvalidGraphic("Metafile is not valid");
    kind_ = kind;
    data_ = std::move(data);
}

void TrqPicture::LoadFromFile(const std::string& fileName)
{
    TMemoryStream file;
    file.LoadFromFile(fileName);
    std::string ext = lowerExtension(fileName);
    if (ext == "ico") return Assign(gkIcon, file.Bytes());
    if (ext == "wmf" || ext == "emf") return Assign(gkMetafile, file.Bytes());
    if (ext == "bmp") return Assign(gkBitmap, file.Bytes());
    QImage image;
    const std::string& bytes = file.Bytes();
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())))
        throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
    AssignImage(image);
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
}

QImage TrqPicture::Image() const
{
    if (kind_ != gkBitmap && kind_ != gkIcon) return QImage();
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(data_.data()), static_cast<int>(data_.size()), formatOf(kind_));
    return image;
}

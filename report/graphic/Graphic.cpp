#include "report/graphic/Graphic.h"

#include "report/graphic/MetafileSvg.h"

#include <QBuffer>
#include <QImageIOHandler>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <functional>
#include <list>

namespace {
// Recently decoded graphics, kept while they are few and small enough.
constexpr size_t MaxCachedGraphics = 32;
constexpr size_t MaxCachedBytes = 96u * 1024 * 1024;

// A reader of the bytes in the format they were sniffed as (never guessed again).
struct ImageSource {
    ImageSource(std::string_view data, TrqGraphicFormat format)
        : bytes(QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size()))), buffer(&bytes)
    {
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
        reader.setFormat(QtImageFormat(format));
        reader.setDecideFormatFromContent(false);
    }
    QByteArray bytes;
    QBuffer buffer;
    QImageReader reader;
};

size_t costOf(const std::string& bytes, const TrqGraphic& graphic)
{
    return bytes.size() + static_cast<size_t>(graphic.Image().sizeInBytes());
}

struct CacheEntry {
    size_t hash;
    std::string bytes;
    std::shared_ptr<const TrqGraphic> graphic;
};

class GraphicCache {
public:
    std::shared_ptr<const TrqGraphic> Get(const std::string& bytes)
    {
        const size_t hash = std::hash<std::string>()(bytes);
        {
            std::lock_guard lock(lock_);
            for (auto it = entries_.begin(); it != entries_.end(); ++it) {
                if (it->hash != hash || it->bytes != bytes) continue;
                entries_.splice(entries_.begin(), entries_, it);
                return entries_.front().graphic;
            }
        }
        // Decoding runs outside the lock: a second thread may decode the same
        // bytes meanwhile, which costs time but nothing else.
        auto graphic = std::make_shared<const TrqGraphic>(bytes);
        std::lock_guard lock(lock_);
        const size_t cost = costOf(bytes, *graphic);
        if (cost > MaxCachedBytes) return graphic;
        entries_.push_front({hash, bytes, graphic});
        bytes_ += cost;
        while (entries_.size() > MaxCachedGraphics || bytes_ > MaxCachedBytes) {
            bytes_ -= costOf(entries_.back().bytes, *entries_.back().graphic);
            entries_.pop_back();
        }
        return graphic;
    }

private:
    std::mutex lock_;
    std::list<CacheEntry> entries_;
    size_t bytes_ = 0;
};
}  // namespace

TrqGraphic::TrqGraphic(std::string_view bytes) : format_(SniffGraphic(bytes))
{
    if (IsMetafileFormat(format_)) {
        auto svg = format_ == TrqGraphicFormat::Emf ? EmfToSvg(bytes) : WmfToSvg(bytes);
        if (!svg) return;
        auto renderer = std::make_unique<QSvgRenderer>(*svg);
        const QSizeF size = renderer->defaultSize();
        if (!renderer->isValid() || size.isEmpty()) return;
        svg_ = std::move(renderer);
        size_ = size;
        valid_ = true;
        return;
    }
    if (!QtImageFormat(format_)) return;
    ImageSource source(bytes, format_);
    if (!source.reader.read(&image_) || image_.isNull()) {
        image_ = QImage();
        return;
    }
    size_ = image_.size();
    valid_ = true;
}

TrqGraphic::~TrqGraphic() = default;

void TrqGraphic::Draw(QPainter& painter, const QRectF& target, bool opaque) const
{
    if (!valid_ || target.isEmpty()) return;
    if (svg_) {
        std::lock_guard lock(drawing_);
        svg_->render(&painter, target);
        return;
    }
    if (opaque && image_.hasAlphaChannel()) {
        QImage plain(image_.size(), QImage::Format_RGB888);
        plain.fill(Qt::white);
        QPainter(&plain).drawImage(0, 0, image_);
        painter.drawImage(target, plain);
        return;
    }
    painter.drawImage(target, image_);
}

std::shared_ptr<const TrqGraphic> DecodeGraphic(const std::string& bytes)
{
    if (bytes.empty()) return nullptr;
    // Never destroyed: graphics may still be drawn while the program ends.
    static auto* cache = new GraphicCache;
    return cache->Get(bytes);
}

bool IsReadableImage(std::string_view bytes)
{
    const TrqGraphicFormat format = SniffGraphic(bytes);
    if (!QtImageFormat(format)) return false;
    ImageSource source(bytes, format);
    if (!source.reader.canRead()) return false;
    if (!source.reader.supportsOption(QImageIOHandler::Size)) return true;
    const QSize size = source.reader.size();
    return size.isValid() && !size.isEmpty();
}

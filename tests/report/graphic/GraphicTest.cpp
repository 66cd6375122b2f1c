// Pictures decoded from their bytes: what the first bytes say a picture is,
// metafiles drawn through SVG where their shapes land, and bytes that are no
// picture.
#include "report/graphic/Graphic.h"
#include "support/MetafileBytes.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <random>

namespace {
std::string encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes.toStdString();
}

QImage smallImage()
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

std::string randomBytes(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

// A red pixel, 1 × 1, written by hand: Qt reads GIF but does not write it.
const std::string RedGif("GIF89a\x01\0\x01\0\x80\0\0\xFF\0\0\xFF\xFF\xFF"
                         "\x21\xF9\x04\0\0\0\0\0\x2C\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0\x3B",
                         43);

QRgb rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

bool isBlue(QColor c) { return c.blue() > 160 && c.red() < 110 && c.green() < 110; }

// A thin edge drawn with smoothing: somewhere within two pixels of (x, y).
bool blueNear(const QImage& image, int x, int y)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (isBlue(QColor(image.pixel(x + dx, y + dy)))) return true;
    return false;
}

// The drawing lands where the metafile put it: the red box, its blue edge,
// the blue line across, white elsewhere, and green letters of the word.
void expectLogo(const QImage& image, double k, const std::string& what)
{
    SCOPED_TRACE(what);
    auto at = [&](double x, double y) { return rgb(image, int(x * k), int(y * k)); };
    EXPECT_EQ(at(100, 35), 0xFF0000u);
    EXPECT_TRUE(blueNear(image, int(100 * k), int(10 * k))) << "the box's edge";
    EXPECT_TRUE(blueNear(image, int(100 * k), int(80 * k))) << "the line";
    EXPECT_EQ(at(100, 95), 0xFFFFFFu);
    EXPECT_EQ(at(195, 35), 0xFFFFFFu);
    int green = 0;
    for (int y = int(60 * k); y < int(90 * k); ++y)
        for (int x = int(15 * k); x < int(90 * k); ++x) {
            const QColor c(image.pixel(x, y));
            green += c.green() > 80 && c.red() < 80 && c.blue() < 80;
        }
    EXPECT_GT(green, 20) << "the word is drawn";
}
}  // namespace

TEST(Graphic, BytesTellWhatAPictureIs)
{
    using F = TrqGraphicFormat;
    std::string plainWmf = metafiles::Wmf().substr(22);  // without the placeable header
    struct Case {
        const char* why;
        std::string bytes;
        F format;
    } cases[] = {
        {"a bitmap", encoded(smallImage(), "BMP"), F::Bmp},
        {"a PNG", encoded(smallImage(), "PNG"), F::Png},
        {"a JPEG", encoded(smallImage(), "JPEG"), F::Jpeg},
        {"a GIF", RedGif, F::Gif},
        {"an icon", encoded(smallImage(), "ICO"), F::Ico},
        {"an enhanced metafile", metafiles::Emf(), F::Emf},
        {"a placeable Windows metafile", metafiles::Wmf(), F::Wmf},
        {"a Windows metafile without the placeable header", plainWmf, F::Wmf},
        {"random bytes", randomBytes(300, 1), F::Unknown},
        {"nothing", "", F::Unknown},
        {"a bitmap's mark on too few bytes", "BM\x10\0", F::Unknown},
        {"an enhanced metafile's first record without the signature", metafiles::Emf().replace(40, 4, "XXXX"), F::Unknown},
    };
    for (const Case& c : cases) EXPECT_EQ(SniffGraphic(c.bytes), c.format) << c.why;
}

TEST(Graphic, RastersOfEveryFormatDecode)
{
    for (const char* format : {"BMP", "PNG", "JPEG", "GIF", "ICO"}) {
        SCOPED_TRACE(format);
        const bool gif = std::string(format) == "GIF";
        const std::string bytes = gif ? RedGif : encoded(smallImage(), format);
        EXPECT_TRUE(IsReadableImage(bytes));
        TrqGraphic graphic(bytes);
        ASSERT_TRUE(graphic.IsValid());
        EXPECT_FALSE(graphic.IsVector());
        EXPECT_EQ(graphic.Size(), gif ? QSizeF(1, 1) : QSizeF(8, 6));
        const QColor middle(graphic.Image().pixel(gif ? 0 : 4, gif ? 0 : 3));
        EXPECT_GT(middle.red(), 240);
        EXPECT_LT(middle.blue(), 20);
    }
    // A raster whose header is good but whose data is cut off decodes to nothing.
    const std::string png = encoded(smallImage(), "PNG");
    EXPECT_FALSE(TrqGraphic(png.substr(0, 40)).IsValid());
    EXPECT_FALSE(IsReadableImage(randomBytes(100, 2)));
}

TEST(Graphic, MetafilesDrawStretchedAsVectors)
{
    for (const auto& [name, bytes] : {std::pair{"EMF", metafiles::Emf()}, std::pair{"WMF", metafiles::Wmf()}}) {
        TrqGraphic graphic(bytes);
        ASSERT_TRUE(graphic.IsValid()) << name;
        EXPECT_TRUE(graphic.IsVector());
        EXPECT_NEAR(graphic.Size().width(), 200, 1) << name;
        EXPECT_NEAR(graphic.Size().height(), 100, 1) << name;
        for (double k : {1.0, 2.5}) {
            QImage image(int(200 * k), int(100 * k), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            graphic.Draw(painter, QRectF(0, 0, 200 * k, 100 * k), false);
            painter.end();
            expectLogo(image, k, std::string(name) + " at " + std::to_string(k));
        }
    }
}

TEST(Graphic, DamagedMetafilesAndOtherBytesDoNotDecode)
{
    std::string emf = metafiles::Emf();
    std::string wmf = metafiles::Wmf();
    struct Case {
        const char* why;
        std::string bytes;
    } cases[] = {
        {"an enhanced metafile cut after its header", emf.substr(0, 88)},
        {"an enhanced metafile whose first record claims more bytes than there are", std::string(emf).replace(4, 4, "\xFF\xFF\0\0", 4)},
        {"a Windows metafile cut inside its header", wmf.substr(0, 30)},
        {"a Windows metafile whose records are noise", wmf.substr(0, 40) + randomBytes(64, 3)},
        {"a Windows metafile whose header claims records of gigabytes",
         std::string(wmf).replace(22 + 12, 4, "\xFF\xFF\xFF\x7F", 4)},
        {"a Windows metafile without its end record", wmf.substr(0, wmf.size() - 6)},
        {"random bytes", randomBytes(500, 4)},
    };
    for (const Case& c : cases) {
        TrqGraphic graphic(c.bytes);
        EXPECT_FALSE(graphic.IsValid()) << c.why;
        // Drawing what did not decode does nothing.
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        graphic.Draw(painter, QRectF(0, 0, 20, 20), false);
    }
}

TEST(Graphic, TheSameBytesDecodeOnce)
{
    const std::string emf = metafiles::Emf();
    auto first = DecodeGraphic(emf);
    auto again = DecodeGraphic(std::string(emf));
    EXPECT_EQ(first.get(), again.get());
    EXPECT_NE(DecodeGraphic(metafiles::Wmf()).get(), first.get());
    EXPECT_EQ(DecodeGraphic(""), nullptr);
    // A failure is remembered too.
    const std::string noise = randomBytes(64, 5);
    EXPECT_EQ(DecodeGraphic(noise).get(), DecodeGraphic(noise).get());
}

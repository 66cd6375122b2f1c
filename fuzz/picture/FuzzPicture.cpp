// Picture bytes from outside (blob fields, picture files, templates) on the
// decoders: told apart by their first bytes, decoded (metafiles through the
// SVG libraries), and drawn stretched on a small image and on a PDF. Bytes
// that are no picture must be refused; nothing may crash or read past the end.
#include "report/graphic/Graphic.h"
#include "report/model/Picture.h"
#include "runtime/Application.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    InitRuntimeEnvironment();
    static int qtArgc = 1;
    new TQtApplication(qtArgc, *argv);  // lives for the whole run
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Uncached, so that every input is decoded.
    const TrqGraphic graphic(bytes);
    if (graphic.IsValid() && graphic.Size().isEmpty()) std::abort();

    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        graphic.Draw(painter, QRectF(2, 2, 60, 44), false);
        graphic.Draw(painter, QRectF(0, 0, 13, 7), true);
    }
    if (graphic.IsVector()) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        graphic.Draw(painter, QRectF(100, 100, 1200, 600), true);
    }

    // A picture taking the bytes by content either holds them or is empty.
    TrqPicture picture;
    const bool taken = picture.AssignContent(bytes);
    if (taken != !picture.IsEmpty() || (taken && picture.Data() != bytes)) std::abort();
    return 0;
}

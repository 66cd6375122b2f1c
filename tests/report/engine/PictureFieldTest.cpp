// Pictures taken from blob fields and files while a report is built: read by
// what their bytes are whatever the view's blob type says, printed, and bytes
// that are no picture leave the view empty with one warning while the report
// goes on.
#include "EngineTestBase.h"

#include "report/model/PictureView.h"
#include "report/pages/PageRender.h"
#include "support/MetafileBytes.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

#include <random>

namespace {
std::string encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

std::string solid(Qt::GlobalColor colour, const char* format)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(colour);
    return encoded(image, format);
}

std::string noise(size_t size)
{
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

std::string hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) (out += digits[c >> 4]) += digits[c & 15];
    return out;
}

class PictureField : public EngineTest {
protected:
    // The picture each printed "Pic" view carries, page by page.
    std::vector<TrqPicture> Printed()
    {
        std::vector<TrqPicture> pictures;
        TrqEMFPages& pages = report_->EMFPages();
        for (int i = 0; i < pages.Count(); ++i) {
            TrqPage page(nullptr);
            TMemoryStream scratch;
            ReadPreparedViews(pages.ReadStream(i, scratch), page, false);
            for (int j = 0; j < page.Count(); ++j)
                if (auto* p = dynamic_cast<TrqPictureView*>(page.Objects(j)); p && p->Name == "Pic")
                    pictures.push_back(p->Picture);
        }
        return pictures;
    }

    TrqPictureView& Picture(const char* name, int top)
    {
        auto view = std::make_unique<TrqPictureView>();
        view->Name = name;
        view->Left = 100;
        view->Top = top;
        view->Width = 80;
        view->Height = 40;
        return static_cast<TrqPictureView&>(*report_->Pages()[0]->Add(std::move(view)));
    }
};
}  // namespace

TEST_F(PictureField, BlobsAreReadByTheirBytesWhateverTheBlobTypeSays)
{
    const std::string jpeg = solid(Qt::red, "JPEG"), png = solid(Qt::blue, "PNG"), emf = metafiles::Emf();
    Exec("CREATE TABLE P (ID INTEGER, PIC BLOB)");
    const std::vector<std::string> blobs = {jpeg, png, noise(200), emf};
    for (size_t i = 0; i < blobs.size(); ++i)
        Exec("INSERT INTO P VALUES (" + std::to_string(i + 1) + ", X'" + hex(blobs[i]) + "')");
    Exec("INSERT INTO P VALUES (5, NULL)");
    Dataset("Pictures", Query("Q", "SELECT * FROM P ORDER BY ID"));
    // One record a page, so that each page shows one picture.
    Band(btMasterData, "MasterData1", 40, 60, "Pictures").SetFlag(flBandNewPageAfter, true);
    TrqPictureView& pic = Picture("Pic", 40);
    pic.Memo.Add("[Q.\"PIC\"]");

    for (uint8_t blobType : {btBMP, btJPG, btICO, btWMF}) {
        SCOPED_TRACE(int(blobType));
        static_cast<TrqPictureView&>(View("Pic")).BlobType = blobType;
        testing::internal::CaptureStderr();
        ASSERT_TRUE(Prepare()) << Message();
        const std::string warnings = testing::internal::GetCapturedStderr();
        // The noise warns once; the build goes on to the last record.
        EXPECT_EQ(warnings, "Pic: field \"PIC\" holds no picture that can be read; the picture is left empty\n");
        const std::vector<TrqPicture> printed = Printed();
        ASSERT_EQ(printed.size(), 5u);
        EXPECT_EQ(std::pair(printed[0].Kind(), printed[0].Data()), std::pair(gkBitmap, jpeg));
        EXPECT_EQ(std::pair(printed[1].Kind(), printed[1].Data()), std::pair(gkBitmap, png));
        EXPECT_TRUE(printed[2].IsEmpty());
        EXPECT_EQ(std::pair(printed[3].Kind(), printed[3].Data()), std::pair(gkMetafile, emf));
        EXPECT_TRUE(printed[4].IsEmpty()) << "a null field empties the picture";

        // The pictures print where the view is: red, blue, nothing, the logo's red box.
        const int x = Margin + 100 + 40, y = Margin + 20;
        const QRgb expected[] = {0xFF0000, 0x0000FF, 0xFFFFFF, 0xFF0000};
        for (int page = 0; page < 4; ++page) {
            const QColor c(RenderPageImage(report_->EMFPages(), page, 1.0).pixel(x, y - 8));
            const QColor want(expected[page]);
            EXPECT_LT(std::abs(c.red() - want.red()) + std::abs(c.green() - want.green()) +
                          std::abs(c.blue() - want.blue()),
                      30)
                << "page " << page + 1 << ": " << c.name().toStdString();
        }
    }
}

TEST_F(PictureField, LoadFromFileReadsPictureFilesByTheirContent)
{
    QTemporaryDir dir;
    const std::string png = solid(Qt::blue, "PNG");
    struct Case {
        const char* why;
        const char* file;
        std::string bytes;
        TrqGraphicKind kind;
        const char* warning;
    } cases[] = {
        {"a PNG under a bitmap's name", "logo.bmp", png, gkBitmap, ""},
        {"a metafile under no picture name at all", "logo.dat", metafiles::Wmf(), gkMetafile, ""},
        {"noise", "noise.jpg", noise(100), gkNone, "holds no picture that can be read"},
    };
    // A file that is not there is an error of the script that asked for it.
    EXPECT_THROW(Picture("Missing", 0).DoMethod("LOADFROMFILE", Variant("/nonexistent/logo.wmf"), Variant(), Variant()),
                 EFOpenError);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const QString path = dir.filePath(c.file);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes.data(), static_cast<qint64>(c.bytes.size()));
        file.close();
        report_->Pages()[0]->Clear();
        Band(btMasterData, "MasterData1", 40, 60, "1");
        TrqPictureView& pic = Picture("Pic", 40);
        testing::internal::CaptureStderr();
        pic.DoMethod("LOADFROMFILE", Variant(QStringToAnsi(path)), Variant(), Variant());
        ASSERT_TRUE(Prepare()) << Message();
        const std::string warnings = testing::internal::GetCapturedStderr();
        EXPECT_NE(warnings.find(c.warning), std::string::npos) << warnings;
        EXPECT_EQ(warnings.empty(), *c.warning == 0) << warnings;
        const std::vector<TrqPicture> printed = Printed();
        ASSERT_EQ(printed.size(), 1u);
        EXPECT_EQ(printed[0].Kind(), c.kind);
    }
}

// Barcode views built from data, drawn into page pictures and PDF, and read
// back by an independent decoder (python3-zxing-cpp; poppler for the PDF).
#include "EngineTestBase.h"

#include "report/language/Warnings.h"
#include "report/model/AddInRegistry.h"
#include "report/model/BarcodeView.h"
#include "report/pages/PageRender.h"
#include "report/stream/TemplateJson.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <tuple>

namespace {

struct Decoded {
    std::string format, text;
    int orientation = 0;
};

// The code zxing reads in each box (pixels) of a PNG, one box at a time.
std::vector<Decoded> decode(const QString& png, const std::vector<QRect>& boxes)
{
    static const char* script = R"(
import sys, zxingcpp
from PIL import Image
page = Image.open(sys.argv[1]).convert('L')
for box in sys.argv[2:]:
    x, y, w, h = map(int, box.split(','))
    r = zxingcpp.read_barcode(page.crop((x, y, x + w, y + h)))
    if r is None or not r.valid:
        print('none\t\t0')
        continue
    t = r.text.replace('\\', '\\\\').replace('\n', '\\n')
    sys.stdout.buffer.write(('%s\t%s\t%d\n' % (r.format.name, t, r.orientation)).encode('utf-8'))
)";
    QStringList args{"-c", script, png};
    for (const QRect& b : boxes) args << QString("%1,%2,%3,%4").arg(b.x()).arg(b.y()).arg(b.width()).arg(b.height());
    QProcess p;
    // The system interpreter: the decoder is a Debian package.
    p.start("/usr/bin/python3", args);
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    std::vector<Decoded> out;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        QList<QByteArray> f = line.split('\t');
        if (f.size() == 3) out.push_back({f[0].toStdString(), f[1].toStdString(), f[2].toInt()});
    }
    return out;
}

std::string run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return p.readAllStandardOutput().toStdString();
}

AnsiString ansi(const char* utf8) { return QStringToAnsi(QString::fromUtf8(utf8)); }

// One code of each symbology, its content expanded from the record, read back
// as the expanded content.
const struct {
    const char* name;
    uint8_t symbology;
    const char* content;   // UTF-8, as designed
    const char* decoded;   // UTF-8, as the decoder prints it
    const char* format;    // the decoder's name of the symbology
} symbologyCases[] = {
    {"Qr", bcQRCode, "Invoice [Q.\"S\"]", "Invoice r1", "QRCode"},
    // Chinese text reaches the reader only through ECI 26 (UTF-8).
    {"QrChinese", bcQRCode, "发票 [Q.\"S\"] 合计", "发票 r1 合计", "QRCode"},
    {"Code128", bcCode128, "DOC-[Q.\"N\"]-42", "DOC-1-42", "Code128"},
    // 12 digits: the check digit is added.
    {"Ean", bcEAN13, "40063813339[Q.\"N\" + 2]", "4006381333931", "EAN13"},
    {"Code39", bcCode39, "AB[Q.\"N\"]", "AB1", "Code39"},
    {"Matrix", bcDataMatrix, "Matrix [Q.\"S\"]", "Matrix r1", "DataMatrix"},
    {"Pdf417", bcPDF417, "Stacked [Q.\"S\"]", "Stacked r1", "PDF417"},
    // Application identifiers in parentheses, as brackets are expressions; the
    // decoder prints the element string without them.
    {"Gs1", bcGS1_128, "(01)09501101530003(10)LOT[Q.\"N\"]", "010950110153000310LOT1", "Code128"},
};

class BarcodeReport : public EngineTest {
protected:
    BarcodeReport()
    {
        previous_ = SetWarningSink([this](const AnsiString& text) { warnings_.push_back(text); });
        ForgetWarnings();
        Numbers(1);
        Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
        Band(btMasterData, "MasterData1", 40, 900, "Rows");
    }
    ~BarcodeReport() override { SetWarningSink(previous_); }

    TrqBarcodeView& Code(const char* name, uint8_t symbology, const AnsiString& content, int left, int top,
                         int width, int height)
    {
        auto view = std::make_unique<TrqBarcodeView>();
        view->Name = name;
        view->Symbology = symbology;
        view->Left = left;
        view->Top = top;
        view->Width = width;
        view->Height = height;
        view->Memo.Add(content);
        return static_cast<TrqBarcodeView&>(*Page().Add(std::move(view)));
    }

    void AllSymbologies()
    {
        int i = 0;
        for (const auto& c : symbologyCases) {
            const bool matrix = c.symbology == bcQRCode || c.symbology == bcDataMatrix;
            Code(c.name, c.symbology, ansi(c.content), 40 + i % 2 * 360, 60 + i / 2 * 200, matrix ? 150 : 320, 150);
            ++i;
        }
    }

    // The view of that name on the first prepared page.
    TrqBarcodeView* Printed(const char* name)
    {
        printed_ = std::make_unique<TrqPage>(nullptr);
        TMemoryStream scratch;
        ReadPreparedViews(report_->EMFPages().ReadStream(0, scratch), *printed_, false);
        for (int i = 0; i < printed_->Count(); ++i)
            if (printed_->Objects(i)->Name == name) return dynamic_cast<TrqBarcodeView*>(printed_->Objects(i));
        return nullptr;
    }

    // Where the printed view of that name lies in a page picture at the zoom,
    // with `margin` report units around it.
    QRect Box(const std::string& name, double zoom, int margin = 10)
    {
        const std::vector<PrintedPage> pages = Pages();
        for (const PrintedView& v : pages.at(0))
            if (v.name == name)
                return QRect(int((v.left - margin) * zoom), int((v.top - margin) * zoom),
                             int((v.width + 2 * margin) * zoom), int((v.height + 2 * margin) * zoom));
        ADD_FAILURE() << name << " not printed";
        return {};
    }

    QString Png(double zoom = 2.0)
    {
        const QString file = dir_.filePath("page.png");
        SavePagePng(report_->EMFPages(), 0, zoom, QStringToAnsi(file));
        return file;
    }

    QTemporaryDir dir_;
    std::vector<AnsiString> warnings_;
    TrqWarningSink previous_;
    std::unique_ptr<TrqPage> printed_;
};

TEST_F(BarcodeReport, EverySymbologyDecodesToTheExpandedContent)
{
    AllSymbologies();
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_THAT(warnings_, ::testing::IsEmpty());
    EXPECT_EQ(Texts("Ean"), std::vector<std::string>{"400638133393"});  // the page keeps the content as expanded

    std::vector<QRect> boxes;
    for (const auto& c : symbologyCases) boxes.push_back(Box(c.name, 2.0));
    const std::vector<Decoded> found = decode(Png(2.0), boxes);
    ASSERT_EQ(found.size(), std::size(symbologyCases));
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].text, symbologyCases[i].decoded) << symbologyCases[i].name;
        EXPECT_EQ(found[i].format, symbologyCases[i].format) << symbologyCases[i].name;
    }
}

TEST_F(BarcodeReport, PdfHoldsTheCodesAsVectors)
{
    AllSymbologies();
    ASSERT_TRUE(Prepare()) << Message();
    const QString pdf = dir_.filePath("codes.pdf");
    SavePdf(report_->EMFPages(), QStringToAnsi(pdf));

    // No picture in the file: the header of the list and nothing else.
    const std::string images = run("pdfimages", {"-list", pdf});
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images;
    // Rasterised by poppler, the vectors read back as the same codes.
    run("pdftoppm", {"-r", "200", "-gray", "-png", "-singlefile", pdf, dir_.filePath("pdf")});
    const double zoom = 200.0 / (93 / 1.015);  // pixels per report unit at 200 dpi
    std::vector<QRect> boxes;
    for (const auto& c : symbologyCases) boxes.push_back(Box(c.name, zoom));
    const std::vector<Decoded> found = decode(dir_.filePath("pdf.png"), boxes);
    ASSERT_EQ(found.size(), std::size(symbologyCases));
    for (size_t i = 0; i < found.size(); ++i) EXPECT_EQ(found[i].text, symbologyCases[i].decoded);
}

// A linear code turned by the view: its bars run across the view's long side
// and the reader finds it at the turned orientation.
TEST_F(BarcodeReport, RotationTurnsTheCode)
{
    const struct {
        int rotation;
        int width, height;
        int orientation;  // as the decoder reports it
    } cases[] = {{0, 320, 120, 0}, {90, 120, 320, -90}, {180, 320, 120, 180}, {270, 120, 320, 90}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rotation);
        Page().Clear();
        Band(btMasterData, "MasterData1", 40, 900, "Rows");
        TrqBarcodeView& v = Code("Turned", bcCode128, "TURN-[Q.\"N\"]", 100, 100, c.width, c.height);
        v.Rotation = c.rotation;
        ASSERT_TRUE(Prepare()) << Message();
        const std::vector<Decoded> found = decode(Png(), {Box("Turned", 2.0)});
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].text, "TURN-1");
        EXPECT_EQ((found[0].orientation + 360) % 360, (c.orientation + 360) % 360);
    }
}

// Content the symbology cannot take: a crossed box where the code would be,
// one warning naming the view and the reason, and the report builds.
TEST_F(BarcodeReport, BadContentDrawsACrossedBoxAndWarnsOnce)
{
    const struct {
        uint8_t symbology;
        const char* content;
        const char* reason;  // part of the warning
    } cases[] = {
        {bcEAN13, "40063813339A1", "12 digits"},          // a letter
        {bcEAN13, "4006381333932", "check digit"},        // wrong check digit
        {bcEAN13, "123", "12 digits"},                    // too short: not padded into some other code
        {bcGS1_128, "0950110153000", "AI"},               // no application identifier
        {bcCode39, "a~b", "Invalid character"},           // outside Code 39's set
        {bcQRCode, "", "no content"},
        {99, "x", "unknown symbology"},                   // a damaged or newer template
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        warnings_.clear();
        ForgetWarnings();
        Page().Clear();
        Band(btMasterData, "MasterData1", 40, 900, "Rows");
        Memo("Beside", 40, 300, {"still printed"});
        Code("Bad", c.symbology, c.content, 100, 100, 200, 100);
        ASSERT_TRUE(Prepare()) << Message();
        EXPECT_EQ(Message(), "");
        ASSERT_EQ(warnings_.size(), 1u);
        EXPECT_THAT(warnings_[0], ::testing::HasSubstr("Bad: cannot draw the barcode"));
        EXPECT_THAT(warnings_[0], ::testing::HasSubstr(c.reason));
        EXPECT_EQ(Texts("Beside"), std::vector<std::string>{"still printed"});
        // The box's diagonals cross at its centre.
        const QImage page(Png(1.0));
        const QPoint centre = Box("Bad", 1.0, 0).center();
        int dark = 0;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy) dark += qGray(page.pixel(centre + QPoint(dx, dy))) < 128;
        EXPECT_GT(dark, 0);
    }
}

std::string saved(TrqReport& report)
{
    TMemoryStream stream;
    report.SaveToStream(stream);
    return stream.Bytes();
}

// A view with every setting away from its default.
void unusualCode(BarcodeReport& r, TrqBarcodeView& v)
{
    v.Symbology = bcPDF417;
    v.ErrorLevel = ecHigh;
    v.Rotation = 270;
    v.ModuleSize = 50;
    v.QuietZone = 3;
    v.BarColor = 0x123456;
    v.Font.Name = ansi("宋体");
    v.Font.Size = 11;
    v.Font.Style = 3;
    v.Font.Color = 0x654321;
    v.SetFlag(flBarcodeFit, false);
    v.Memo.Add("second line");
}

TEST_F(BarcodeReport, TemplateRoundTripsThroughStreamAndJsonByteForByte)
{
    Memo("Note", 40, 300, {"note"});
    unusualCode(*this, Code("Code1", bcQRCode, ansi("发票 [Q.\"S\"]"), 40, 60, 150, 150));
    const std::string bytes = saved(*report_);

    TrqReport fromStream(nullptr);
    TMemoryStream stream(bytes);
    fromStream.LoadFromStream(stream);
    EXPECT_EQ(saved(fromStream), bytes);

    TrqReport fromJson(nullptr);
    const std::string json = TemplateToJson(*report_);
    TemplateFromJson(fromJson, json);
    EXPECT_EQ(saved(fromJson), bytes);
    EXPECT_EQ(TemplateToJson(fromJson), json);
    auto* v = dynamic_cast<TrqBarcodeView*>(fromJson.FindObject("Code1"));
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->Rotation, 270);
    EXPECT_EQ(v->Font.Name, ansi("宋体"));
}

TEST_F(BarcodeReport, ReaderWithoutTheClassNamesItAndLoadsTheRest)
{
    Memo("Note", 40, 300, {"note"});
    Code("Code1", bcCode128, "X", 40, 60, 300, 100);
    const std::string bytes = saved(*report_);

    UnregisterAddIn("TrqBarcodeView");
    TrqReport other(nullptr);
    TMemoryStream stream(bytes);
    other.LoadFromStream(stream);
    RegisterAddIn("TrqBarcodeView", CreateBarcodeView);

    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].text, "Report contains the following non-plugged components:\rTrqBarcodeView\r"
                                        "You must include these components into your project.");
    EXPECT_NE(other.FindObject("Note"), nullptr);
    EXPECT_EQ(other.FindObject("Code1"), nullptr);
}

// Scripts reach the view's settings by name like any view's.
TEST_F(BarcodeReport, ScriptsSetTheSettings)
{
    TrqBarcodeView& v = Code("Code1", bcQRCode, "[Q.\"N\"]", 40, 60, 320, 120);
    Script(v, {"BEGIN Symbology := 1; Rotation := 100; ErrorLevel := 9; ShowText := False END"});
    ASSERT_TRUE(Prepare()) << Message();
    TrqBarcodeView* built = Printed("Code1");
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(built->Symbology, bcCode128);
    EXPECT_EQ(built->Rotation, 90);          // quarter turns only
    EXPECT_EQ(built->ErrorLevel, ecMedium);  // out of range: kept
    EXPECT_FALSE(built->Flag(flBarcodeShowText));
}

}  // namespace

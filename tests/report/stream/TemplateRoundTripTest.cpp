// Writing templates: the primitives' bytes, and reading back what was written
// (binary and JSON forms).
#include "TemplateFixtures.h"

#include "report/model/BandView.h"
#include "report/model/LineView.h"
#include "report/model/MemoView.h"
#include "report/model/PictureView.h"
#include "report/model/Report.h"
#include "report/model/SubReportView.h"
#include "report/stream/StreamReader.h"
#include "report/stream/StreamWriter.h"
#include "report/stream/TemplateJson.h"
#include "support/ScriptedDialogs.h"

#include <QBuffer>
#include <QImage>
#include <cstring>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ThrowsMessage;

namespace {
std::string saved(TrqReport& report)
{
    TMemoryStream stream;
    report.SaveToStream(stream);
    return stream.Bytes();
}

void load(TrqReport& report, const std::string& bytes)
{
    TMemoryStream stream(bytes);
    report.LoadFromStream(stream);
}

// A report with a view of every kind, two pages, a dictionary and Chinese text.
void fillReport(TrqReport& report)
{
    report.SetTwoPass(true);
    report.SetUseDefaultPrinter(false);
    report.SelectPrinter("Virtual printer");
    TrqPage& first = *report.Pages()[0];
    first.Script.SetText("PAGE1.Visible := True");
    first.LeftMargin = 36;
    auto band = std::make_unique<TrqBandView>();
    band->Name = "MasterData1";
    band->SetBandType(btMasterData);
    band->Top = 100;
    band->Height = 22;
    band->FormatText = "rqDBDataSet1";
    band->ChildBand = "Child1";
    band->Memo.SetText("if [Qty] = 0 then HIDE");
    first.Add(std::move(band));
    auto memo = std::make_unique<TrqMemoView>();
    memo->Name = "Memo1";
    memo->Memo.SetText(Ansi(u8"第 [PAGE#] 页\r\n[SPMC00]"));
    memo->Font.Name = Ansi(u8"宋体");
    memo->Font.Charset = 134;
    memo->FrameWidth = 0.5f;
    memo->FormatCode = 0x0103022E;
    memo->HighlightCondition = "Value < 0";
    memo->Tag = "[Tag]";
    memo->BandAlign = baWidth;
    first.Add(std::move(memo));
    auto picture = std::make_unique<TrqPictureView>();
    picture->Name = "Logo";
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    picture->Picture.AssignImage(image);
    first.Add(std::move(picture));
    auto line = std::make_unique<TrqLineView>();
    line->Name = "Rule";
    line->FrameWidth = 2;
    first.Add(std::move(line));

    TrqPage& second = *report.Pages().Add();
    second.ChangePaper(9, 0, 0, -1, poLandscape);
    second.Type = ptDialog;
    second.Caption = Ansi(u8"条件");
    auto sub = std::make_unique<TrqSubReportView>();
    sub->Name = "SubReport1";
    sub->SubPage = 0;
    second.Add(std::move(sub));

    TrqDataDictionary& d = report.Dictionary();
    d.Variables.SetVariable(Ansi(u8" 购进单"), "");
    d.Variables.SetVariable("JE", "dm.qry_xsvgjfp0.\"JE0000\"");
    d.FieldAliases.SetVariable("dm.qry_xsvgjfp0", "Lines");
    d.BandDatasources.SetVariable("Band", "rqDBDataSet1");
}

QJsonObject withoutVersion(const std::string& json)
{
    QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    o.remove("version");
    return o;
}
}  // namespace

TEST(TemplateStream, PrimitivesInBothForms)
{
    struct Case {
        int version;
        std::string bytes;
        std::vector<std::string> lines;
    };
    // Text lists.
    const Case lists[] = {
        {24, std::string("\0\0\0", 3), {}},
        {24, std::string("\x02\0\x01\0a\x0D\x01\0b\0", 10), {"a", "b"}},
        {24, std::string("\x01\0\0\0\0", 5), {""}},
        {22, std::string("a\x0D\0", 3), {"a"}},
        {22, std::string("\0", 1), {}},
        {22, std::string("a\x0D\x0D\0", 4), {"a", ""}},
        {21, std::string("a\x0A" "b\0", 4), {"a\nb"}},
    };
    for (const Case& c : lists) {
        SCOPED_TRACE(c.bytes);
        TMemoryStream stream(c.bytes);
        TrqStreamReader reader(stream, c.version);
        TStringList list;
        reader.ReadTextList(list);
        std::vector<std::string> got;
        for (int i = 0; i < list.Count(); ++i) got.push_back(list[i]);
        EXPECT_EQ(got, c.lines);
        EXPECT_TRUE(reader.AtEnd());
        if (c.version == 24) {
            TMemoryStream out;
            TrqStreamWriter writer(out);
            writer.WriteTextList(list);
            EXPECT_EQ(out.Bytes(), c.bytes);
        }
    }
    // Strings.
    TMemoryStream out;
    TrqStreamWriter writer(out);
    writer.WriteString("abc");
    EXPECT_EQ(out.Bytes(), std::string("\x03\0abc\0", 6));
    TMemoryStream v22(std::string("abc\0", 4));
    EXPECT_EQ(TrqStreamReader(v22, 22).ReadString(), "abc");
    TMemoryStream cut(std::string("\x05\0ab", 4));
    EXPECT_THROW(TrqStreamReader(cut, 24).ReadString(), EReadError);
    TMemoryStream unterminated(std::string("abc"));
    EXPECT_THROW(TrqStreamReader(unterminated, 21).ReadString(), EReadError);
    // A text the 16-bit length cannot hold is refused rather than written wrapped.
    EXPECT_THROW(writer.WriteString(std::string(70000, 'x')), EWriteError);
}

TEST(TemplateStream, FrameWidthCodes)
{
    struct Case {
        float width;
        int32_t code;
        float readBack;
    };
    const Case cases[] = {{0.5f, 500, 0.5f}, {2, 2, 2}, {12, 12, 0.012f}, {0, 0, 0}, {1.25f, 1250, 1.25f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        TrqReport report;
        auto memo = std::make_unique<TrqMemoView>();
        memo->Name = "M";
        memo->FrameWidth = c.width;
        report.Pages()[0]->Add(std::move(memo));
        std::string bytes = saved(report);
        // The code follows the name, the version digits, position, size, flags and frame sides.
        size_t name = bytes.find(std::string("\x01\x00M\x00\x02", 5));
        ASSERT_NE(name, std::string::npos);
        int32_t code;
        std::memcpy(&code, bytes.data() + name + 4 + 2 + 20, 4);
        EXPECT_EQ(code, c.code);
        TrqReport back;
        load(back, bytes);
        EXPECT_FLOAT_EQ(back.Pages()[0]->Objects(0)->FrameWidth, c.readBack);
    }
}

TEST(TemplateStream, WrittenTemplateReadsBackByteForByte)
{
    TrqReport report;
    fillReport(report);
    std::string first = saved(report);
    EXPECT_EQ(first[0], 24);
    TrqReport back;
    ScriptedDialogs dialogs;
    load(back, first);
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_EQ(saved(back), first);
    EXPECT_EQ(TemplateToJson(back), TemplateToJson(report));

    auto* memo = dynamic_cast<TrqMemoView*>(back.FindObject("memo1"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Memo.Text(), Ansi(u8"第 [PAGE#] 页\r\n[SPMC00]\r\n"));
    EXPECT_EQ(back.Pages()[1]->Orientation, poLandscape);
    EXPECT_EQ(back.Pages()[1]->Caption, Ansi(u8"条件"));
    EXPECT_EQ(back.PrinterName(), "Virtual printer");
}

TEST(TemplateStream, JsonBuildAndDumpAreInverse)
{
    TrqReport report;
    fillReport(report);
    std::string json = TemplateToJson(report);
    TrqReport built;
    TemplateFromJson(built, json);
    EXPECT_EQ(TemplateToJson(built), json);
    EXPECT_EQ(saved(built), saved(report));
}

TEST(TemplateStream, Version21FileWrittenAgainReadsBackTheSame)
{
    TemplateBytes b(21);
    b.wb(false).wb(true).str("");
    writePage(b, 21, false);
    writePage(b, 21, false);
    beginObject(b, 21, 2, 0);
    writeCommon(b, 21, {.frameTyp = 0});
    beginObject(b, 21, 0, 1);
    writeCommon(b, 21, {.frameCode = 5, .memo = {"[Qty]", "x"}});
    writeMemoData(b, 21);
    beginObject(b, 21, 4, 0);
    writeCommon(b, 21, {});
    beginObject(b, 21, 0, 0);
    writeCommon(b, 21, {});
    writeMemoData(b, 21);
    b.u8(0xFE).i32(0).lines({"Fields", " Qty"});

    TrqReport old;
    load(old, b.str());
    ASSERT_EQ(old.Pages().Count(), 2);
    ASSERT_EQ(old.Pages()[0]->Count(), 3);
    std::string json = TemplateToJson(old);
    TrqReport again;
    load(again, saved(old));
    EXPECT_EQ(again.LoadedVersion(), 24);
    EXPECT_EQ(withoutVersion(TemplateToJson(again)), withoutVersion(json));
}

TEST(TemplateStream, JsonErrorsNameThePlace)
{
    TrqReport report;
    EXPECT_THROW(TemplateFromJson(report, "{"), ETemplateJson);
    EXPECT_THAT([&] {
        TemplateFromJson(report, R"({"pages":[{"objects":[{"objectKind":0},{"objectKind":0,"left":"x"}]}]})");
    }, ThrowsMessage<ETemplateJson>("page 0, object 1: \"left\" must be a number"));
    EXPECT_THROW(TemplateFromJson(report, R"({"pages":[{"objects":[{"objectKind":7}]}]})"), ETemplateJson);
    EXPECT_THROW(TemplateFromJson(report, R"({"pages":[{"objects":[{"objectKind":1,"graphicKind":1,"picture":"AAAA"}]}]})"),
                 EInvalidGraphic);
}

TEST(TemplateStream, ReportFormKeepsTheTemplateOnlyWhenStoredInTheComponent)
{
    TrqReport empty;
    TMemoryStream none(std::string("\x18\0\0\0", 4));
    empty.ReadReportForm(none);
    empty.Loaded();
    ASSERT_EQ(empty.Pages().Count(), 1);
    EXPECT_EQ(empty.Pages()[0]->Count(), 0);

    TrqReport source;
    fillReport(source);
    TMemoryStream off;
    source.WriteReportForm(off);
    EXPECT_EQ(off.Bytes(), std::string("\x18\0\0\0", 4));

    source.SetStoreInDFM(true);
    TMemoryStream on;
    source.WriteReportForm(on);
    on.SetPosition(0);
    TrqReport target;
    target.SetStoreInDFM(true);
    target.ReadReportForm(on);
    EXPECT_EQ(target.Pages()[0]->Count(), 0);  // nothing loads before the component is complete
    target.Loaded();
    EXPECT_EQ(saved(target), saved(source));
}

TEST(TemplateStream, PicturesOfEveryKindKeepTheirBytes)
{
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(Qt::green);
    QByteArray icon;
    QBuffer buffer(&icon);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "ICO"));
    // A placeable metafile header and a few records: carried, never decoded.
    const std::string metafile("\xD7\xCD\xC6\x9A\0\0\0\0\0\0\x10\x00\x10\x00\x60\x00\0\0\0\0\x01\x00\x09\x00", 24);

    struct Case {
        TrqGraphicKind kind;
        std::string data;
        uint8_t blobType;
    };
    for (const Case& c : {Case{gkIcon, icon.toStdString(), btICO}, Case{gkMetafile, metafile, btWMF}}) {
        SCOPED_TRACE(c.kind);
        TrqReport report;
        auto picture = std::make_unique<TrqPictureView>();
        picture->Name = "P";
        picture->Picture.Assign(c.kind, c.data);
        picture->BlobType = c.blobType;
        report.Pages()[0]->Add(std::move(picture));
        TrqReport back;
        load(back, saved(report));
        auto* read = dynamic_cast<TrqPictureView*>(back.FindObject("P"));
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->Picture.Kind(), c.kind);
        EXPECT_EQ(read->Picture.Data(), c.data);
        EXPECT_EQ(read->BlobType, c.blobType);
        EXPECT_EQ(read->Picture.Image().isNull(), c.kind == gkMetafile);
    }
    TrqPicture bad;
    EXPECT_THROW(bad.Assign(gkIcon, "not an icon"), EInvalidGraphic);
    EXPECT_TRUE(bad.IsEmpty());
}

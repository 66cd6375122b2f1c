// Reading hand-made template streams of every version.
#include "TemplateFixtures.h"

#include "report/model/BandView.h"
#include "report/model/LineView.h"
#include "report/model/MemoView.h"
#include "report/model/PictureView.h"
#include "report/model/Report.h"
#include "report/model/SubReportView.h"
#include "support/ScriptedDialogs.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace {
std::string smallBitmap()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

void load(TrqReport& report, const std::string& bytes)
{
    TMemoryStream stream(bytes);
    report.LoadFromStream(stream);
}

std::vector<std::string> linesOf(const TStringList& list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

template <class T>
T* viewAt(TrqReport& report, int page, int index)
{
    auto* view = dynamic_cast<T*>(report.Pages()[page]->Objects(index));
    EXPECT_NE(view, nullptr) << "page " << page << " object " << index;
    return view;
}
}  // namespace

TEST(TemplateReader, Version24RecordsOfEveryKind)
{
    const std::string bitmap = smallBitmap();
    TemplateBytes b(24);
    b.u8(24).wb(false).wb(true).str("\x01");
    writePage(b, 24, true, "Main");
    writePage(b, 24, false, "Second", 9, 1);

    size_t at = beginObject(b, 24, 0, 0);
    writeCommon(b, 24, {.name = "Memo1", .frameCode = 500, .formatText = "#,##0.00", .memo = {"Hello", "[Field]"},
                        .script = {"if x then y"}, .tag = "[Tag]", .bandAlign = 3});
    writeMemoData(b, 24);
    endObject(b, 24, at);

    at = beginObject(b, 24, 2, 1);
    writeCommon(b, 24, {.name = "MasterData1", .versionLow = 1, .flags = 0x30, .frameTyp = 5, .formatText = "qry"});
    b.str("Child1").i32(2).i32(300).i32(10).i32(1).str("Group");
    endObject(b, 24, at);

    at = beginObject(b, 24, 7, 0);  // a kind this reader does not know: skipped whole
    b.bytes("whatever a newer writer put here");
    endObject(b, 24, at);

    at = beginObject(b, 24, 1, 0);
    writeCommon(b, 24, {.name = "Picture1", .flags = 5});
    b.u8(1).u8(0);
    size_t graphicEnd = b.size();
    b.i32(0).bytes(bitmap);
    b.patch32(graphicEnd, static_cast<int32_t>(b.size()));
    endObject(b, 24, at);

    at = beginObject(b, 24, 10, 0, "TMyChartView");
    writeCommon(b, 24, {.name = "Chart1"});
    b.bytes("chart data");
    endObject(b, 24, at);

    at = beginObject(b, 24, 4, 1);
    writeCommon(b, 24, {.name = "Line1", .frameTyp = 4, .frameCode = 2});
    b.bytes("appended by a newer writer");
    endObject(b, 24, at);

    at = beginObject(b, 24, 3, 1);
    writeCommon(b, 24, {.name = "SubReport1"});
    b.i32(1);
    endObject(b, 24, at);

    b.u8(0xFE).i16(-2);
    b.i32(2).str(" Totals").str("").str("Amount").str("[Qty]*[Price]");
    b.i32(1).str("dm.qry").str("Lines");
    b.i32(1).str("Band").str("");

    ScriptedDialogs dialogs;
    TrqReport report;
    load(report, b.str());

    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].caption, "Error");
    EXPECT_EQ(dialogs.Calls()[0].text, "Report contains the following non-plugged components:\rTMyChartView\r"
                                       "You must include these components into your project.");
    EXPECT_EQ(report.LoadedVersion(), 24);
    EXPECT_FALSE(report.UseDefaultPrinter());
    EXPECT_TRUE(report.TwoPass());
    EXPECT_EQ(report.PrinterName(), "Virtual printer");

    ASSERT_EQ(report.Pages().Count(), 2);
    TrqPage& main = *report.Pages()[0];
    TrqPage& second = *report.Pages()[1];
    EXPECT_EQ(main.Name, "Main");
    EXPECT_EQ(linesOf(main.Script), std::vector<std::string>{"PageScript"});
    EXPECT_EQ(main.BorderStyle, 3);  // stored 0
    EXPECT_EQ(main.Position, 4);     // stored 1
    EXPECT_EQ(main.Color, static_cast<int32_t>(0x8000000F));
    EXPECT_EQ(main.Columns, 1);  // stored 0
    EXPECT_EQ(second.Name, "Second");
    EXPECT_TRUE(second.Script.IsEmpty());
    EXPECT_EQ(second.Orientation, 1);
    EXPECT_EQ(second.PaperWidth, 2970);
    EXPECT_EQ(second.PaperHeight, 2100);

    ASSERT_EQ(main.Count(), 2);  // memo and picture; the kind-7 record and the unknown class are gone
    auto* memo = viewAt<TrqMemoView>(report, 0, 0);
    EXPECT_EQ(memo->Name, "Memo1");
    EXPECT_EQ(linesOf(memo->Memo), (std::vector<std::string>{"Hello", "[Field]"}));
    EXPECT_EQ(linesOf(memo->Script), std::vector<std::string>{"if x then y"});
    EXPECT_EQ(memo->FormatText, "#,##0.00");
    EXPECT_FLOAT_EQ(memo->FrameWidth, 0.5f);
    EXPECT_EQ(memo->Tag, "[Tag]");
    EXPECT_EQ(memo->BandAlign, 3);
    EXPECT_EQ(memo->Font.Name, "Arial");
    EXPECT_EQ(memo->Font.Size, 12);
    EXPECT_EQ(memo->Font.Style, 2);
    EXPECT_EQ(memo->Font.Color, 0xFF);
    EXPECT_EQ(memo->Font.Charset, 134);
    EXPECT_EQ(memo->Alignment, 2);
    EXPECT_EQ(memo->LineSpacing, 4);
    EXPECT_EQ(memo->CharSpacing, 1);
    EXPECT_EQ(memo->Page, &main);

    auto* picture = viewAt<TrqPictureView>(report, 0, 1);
    EXPECT_EQ(picture->Picture.Kind(), gkBitmap);
    EXPECT_EQ(picture->Picture.Data(), bitmap);
    EXPECT_EQ(picture->Picture.Image().size(), QSize(2, 2));

    ASSERT_EQ(second.Count(), 3);
    auto* band = viewAt<TrqBandView>(report, 1, 0);
    EXPECT_EQ(band->BandType(), 5);
    EXPECT_EQ(band->FormatText, "qry");
    EXPECT_EQ(band->ChildBand, "Child1");
    EXPECT_EQ(band->Columns, 2);
    EXPECT_EQ(band->ColumnWidth, 300);
    EXPECT_EQ(band->ColumnGap, 10);
    EXPECT_EQ(band->NewColumnAfter, 1);
    EXPECT_EQ(band->Master, "Group");
    auto* line = viewAt<TrqLineView>(report, 1, 1);
    EXPECT_EQ(line->Name, "Line1");
    EXPECT_FLOAT_EQ(line->FrameWidth, 2.0f);
    EXPECT_EQ(viewAt<TrqSubReportView>(report, 1, 2)->SubPage, 1);

    const TrqDataDictionary& d = report.Dictionary();
    ASSERT_EQ(d.Variables.Count(), 2);
    EXPECT_EQ(d.Variables.NameAt(0), " Totals");
    EXPECT_EQ(d.Variables.GetVariable("Amount").AsString(), "[Qty]*[Price]");
    EXPECT_EQ(d.FieldAliases.GetVariable("dm.qry").AsString(), "Lines");
    EXPECT_EQ(d.BandDatasources.Count(), 1);  // tag -2 keeps entries as stored
}

TEST(TemplateReader, Version23NamesScriptsAndNoEndPositions)
{
    TemplateBytes b(23);
    b.u8(23).wb(true).wb(false).str("Some printer");
    writePage(b, 23, true);
    writePage(b, 23, false);
    beginObject(b, 23, 0, 1);
    writeCommon(b, 23, {.name = "Total", .memo = {"a", "b"}, .script = {"x := 1"}, .visible = false});
    writeMemoData(b, 23);
    beginObject(b, 23, 2, 0);
    writeCommon(b, 23, {.name = "", .frameTyp = 2});  // no band fields before version 24

    ScriptedDialogs dialogs;
    TrqReport report;
    load(report, b.str());
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_EQ(report.PrinterName(), "Some printer");
    ASSERT_EQ(report.Pages().Count(), 2);
    EXPECT_EQ(report.Pages()[0]->Name, "Page1");  // names are made up before version 24
    EXPECT_EQ(report.Pages()[1]->Name, "Page2");
    EXPECT_TRUE(report.Pages()[0]->Script.IsEmpty());
    auto* memo = viewAt<TrqMemoView>(report, 1, 0);
    EXPECT_EQ(memo->Name, "Total");
    EXPECT_FALSE(memo->Visible);
    EXPECT_EQ(linesOf(memo->Script), std::vector<std::string>{"x := 1"});
    EXPECT_EQ(memo->Font.Charset, 134);
    EXPECT_EQ(memo->LineSpacing, 2);  // not stored before version 24
    auto* band = viewAt<TrqBandView>(report, 0, 0);
    EXPECT_EQ(band->BandType(), 2);
    EXPECT_EQ(band->ChildBand, "");
    EXPECT_EQ(band->Columns, 1);
}

TEST(TemplateReader, Version22LegacyTextAndLegacyDictionary)
{
    TemplateBytes b(22);
    b.u8(22).wb(true).wb(false).str("");
    writePage(b, 22, false);
    for (int i = 0; i < 2; ++i) {
        beginObject(b, 22, 0, 0);
        writeCommon(b, 22, {.frameCode = 12, .memo = {"line 1", "", "line\n3"}});
        writeMemoData(b, 22);
    }
    // Legacy dictionary: two alias definitions, then the variable lines.
    b.u8(0xFE).i32(3);
    b.u8(1).i32(0).u8(2).bytes("dm").u8(3).bytes("QTY").u8(3).bytes("Qty");
    b.u8(2).i32(3).u8(0).u8(0).u8(4).bytes("Page");  // system variable TIME
    b.u8(2).i32(1).u8(0).u8(5).bytes("'abc'").u8(5).bytes("Const");
    b.lines({"Fields", " Qty", " Page", " Const"});

    TrqReport report;
    load(report, b.str());
    ASSERT_EQ(report.Pages().Count(), 1);
    TrqPage& page = *report.Pages()[0];
    ASSERT_EQ(page.Count(), 2);
    EXPECT_EQ(page.Objects(0)->Name, "Memo1");
    EXPECT_EQ(page.Objects(1)->Name, "Memo2");
    auto* memo = viewAt<TrqMemoView>(report, 0, 0);
    EXPECT_EQ(linesOf(memo->Memo), (std::vector<std::string>{"line 1", "", "line\n3"}));
    EXPECT_EQ(memo->Font.Charset, 1);  // replaced by the default character set
    EXPECT_FLOAT_EQ(memo->FrameWidth, 0.012f);
    EXPECT_EQ(memo->Flags, 3);  // the word-wrap bit is forced only for version 21

    // Old naming: categories lose nothing but gain a space, variables lose theirs.
    const TrqNamedValues& v = report.Dictionary().Variables;
    ASSERT_EQ(v.Count(), 4);
    EXPECT_EQ(v.NameAt(0), " Fields");
    EXPECT_EQ(v.NameAt(1), "Qty");
    EXPECT_EQ(v.ValueAt(1).AsString(), "dm.\"QTY\"");
    EXPECT_EQ(v.GetVariable("Page").AsString(), "TIME");
    EXPECT_EQ(v.GetVariable("Const").AsString(), "'abc'");
    EXPECT_EQ(report.Dictionary().FieldAliases.Count(), 0);  // the definitions were only temporary
}

TEST(TemplateReader, UnversionedStreamIsReadAsVersion21)
{
    TemplateBytes b(21);
    b.wb(false).wb(false).str("");  // starts with the header: first byte 00
    writePage(b, 21, false);
    beginObject(b, 21, 0, 0);
    writeCommon(b, 21, {.flags = 0, .memo = {"x"}});
    writeMemoData(b, 21);

    TrqReport report;
    load(report, b.str());
    EXPECT_EQ(report.LoadedVersion(), 21);
    ASSERT_EQ(report.Pages().Count(), 1);
    ASSERT_EQ(report.Pages()[0]->Count(), 1);
    auto* memo = viewAt<TrqMemoView>(report, 0, 0);
    EXPECT_EQ(memo->Name, "Memo1");
    EXPECT_EQ(memo->Flags, flWordWrap);
}

TEST(TemplateReader, UnknownClassesAreListedOncePerRecordAndTheRestLoads)
{
    TemplateBytes b(24);
    b.u8(24).wb(true).wb(false).str("");
    writePage(b, 24, true);
    for (const char* name : {"TFooView", "TBarView", "TFooView", "TRQIBXLOOKUPCONTROL"}) {
        size_t at = beginObject(b, 24, 10, 0, name);
        writeCommon(b, 24, {.name = name});
        endObject(b, 24, at);
    }
    size_t at = beginObject(b, 24, 0, 0);
    writeCommon(b, 24, {.name = "After"});
    writeMemoData(b, 24);
    endObject(b, 24, at);

    ScriptedDialogs dialogs;
    TrqReport report;
    load(report, b.str());
    ASSERT_EQ(dialogs.Texts().size(), 1u);
    EXPECT_NE(dialogs.Texts()[0].find("\rTFooView\rTBarView\rTFooView\rTrqDBLookupControl\r"), std::string::npos);
    EXPECT_EQ(report.LoadMessage(), dialogs.Texts()[0]);
    ASSERT_EQ(report.Pages()[0]->Count(), 1);
    EXPECT_EQ(report.Pages()[0]->Objects(0)->Name, "After");
}

TEST(TemplateReader, RenamedClassesAndTheFramedMemo)
{
    TemplateBytes b(24);
    b.u8(24).wb(true).wb(false).str("");
    writePage(b, 24, true);
    size_t at = beginObject(b, 24, 10, 0, "TRQFRAMEDMEMOVIEW");
    writeCommon(b, 24, {.name = "Framed"});
    writeMemoData(b, 24);
    b.bytes("8 bytes!");
    endObject(b, 24, at);

    ScriptedDialogs dialogs;
    TrqReport report;
    load(report, b.str());
    EXPECT_TRUE(dialogs.Calls().empty());
    ASSERT_EQ(report.Pages()[0]->Count(), 1);
    auto* memo = viewAt<TrqMemoView>(report, 0, 0);
    EXPECT_EQ(memo->ObjectKind, okMemo);
    EXPECT_EQ(memo->Name, "Framed");
}

TEST(TemplateReader, FailuresAndTheirMessages)
{
    TemplateBytes header(24);
    header.u8(24).wb(true).wb(false).str("");
    TemplateBytes withPage = header;
    writePage(withPage, 24, true, "Kept");
    // A whole memo record after the page, in a version 24 and a version 23 stream.
    auto withMemo = [](int version) {
        TemplateBytes b(version);
        b.u8(static_cast<uint8_t>(version)).wb(true).wb(false).str("");
        writePage(b, version, true, "Kept");
        const size_t at = beginObject(b, version, 0, 0);
        writeCommon(b, version, {.name = "Cut"});
        writeMemoData(b, version);
        endObject(b, version, at);
        return b.str();
    };
    const std::string memo24 = withMemo(24), memo23 = withMemo(23);
    const char* unsupported = "Unsupported RQF format";
    const char* incomplete = "Unsupported RQF format: the template ends in the middle of a record (the file is incomplete)";

    struct Case {
        const char* what;
        std::string bytes;
        const char* message;  // null: none
        int pagesAfter;  // -1: the pages from before the load remain
    };
    const Case cases[] = {
        {"empty stream", "", nullptr, -1},
        {"version above 24", std::string("\x19\0\0", 3), unsupported, -1},
        {"unknown record tag", withPage.str() + "\x0B", unsupported, 1},
        {"truncated page record", header.str() + "\xFF\xFF\xFF", unsupported, 1},
        {"truncated dictionary", withPage.str() + "\xFE\xFE\xFF\x05\0\0\0", unsupported, 1},
        {"extension record ends the stream", withPage.str() + "\xFD" + "garbage", nullptr, 1},
        {"record that ends before it starts", withPage.str() + std::string("\x07\0\x05\0\0\0", 6), unsupported, 1},
        // A file cut short must not load as the records before the cut.
        {"object record cut in half", memo24.substr(0, (withPage.size() + memo24.size()) / 2), incomplete, 1},
        {"object record one byte short", memo24.substr(0, memo24.size() - 1), incomplete, 1},
        {"object record without end positions cut short", memo23.substr(0, memo23.size() - 3), incomplete, 1},
        {"object record whose end lies past the stream", withPage.str() + std::string("\x07\0\xFF\0\0\0", 6),
         incomplete, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedDialogs dialogs;
        TrqReport report;
        report.Pages().Add();
        report.Pages()[0]->Add(std::make_unique<TrqMemoView>());
        report.Dictionary().Variables.SetVariable("x", "1");
        load(report, c.bytes);
        EXPECT_EQ(report.Dictionary().Variables.Count(), 0);  // cleared in every case
        if (c.message) {
            ASSERT_EQ(dialogs.Texts().size(), 1u);
            EXPECT_EQ(dialogs.Texts()[0], c.message);
            EXPECT_EQ(dialogs.Calls()[0].caption, "Error");
            EXPECT_EQ(dialogs.Calls()[0].flags & MB_ICONERROR, unsigned(MB_ICONERROR));
        } else {
            EXPECT_TRUE(dialogs.Calls().empty());
        }
        if (c.pagesAfter < 0) {
            EXPECT_EQ(report.Pages().Count(), 2);
            EXPECT_EQ(report.Pages()[0]->Count(), 1);
        } else {
            ASSERT_EQ(report.Pages().Count(), c.pagesAfter);
            EXPECT_EQ(report.Pages()[0]->Count(), 0);
        }
    }
}

TEST(TemplateReader, DamagedObjectRecordIsSkippedByItsEndPosition)
{
    TemplateBytes b(24);
    b.u8(24).wb(true).wb(false).str("");
    writePage(b, 24, true);
    size_t at = beginObject(b, 24, 1, 0);  // a picture whose bitmap is not one
    writeCommon(b, 24, {.name = "Broken"});
    b.u8(1).u8(0);
    size_t graphicEnd = b.size();
    b.i32(0).bytes("not a bitmap at all");
    b.patch32(graphicEnd, static_cast<int32_t>(b.size()));
    endObject(b, 24, at);
    at = beginObject(b, 24, 5, 9);  // kinds 5 to 9 create nothing, whatever the page
    endObject(b, 24, at);
    at = beginObject(b, 24, 0, 3);  // no such page
    writeCommon(b, 24, {.name = "Lost"});
    writeMemoData(b, 24);
    endObject(b, 24, at);
    at = beginObject(b, 24, 0, 0);
    writeCommon(b, 24, {.name = "Good"});
    writeMemoData(b, 24);
    endObject(b, 24, at);

    ScriptedDialogs dialogs;
    TrqReport report;
    load(report, b.str());
    EXPECT_TRUE(dialogs.Calls().empty());
    TrqPage& page = *report.Pages()[0];
    ASSERT_EQ(page.Count(), 2);
    EXPECT_EQ(page.Objects(0)->Name, "Broken");  // created before its data failed; it stays, empty
    EXPECT_TRUE(static_cast<TrqPictureView*>(page.Objects(0))->Picture.IsEmpty());
    EXPECT_EQ(page.Objects(1)->Name, "Good");
}

TEST(TemplateReader, StaleDictionaryEntriesGoOnlyWithTagMinusOne)
{
    SetFieldReferenceResolver([](const AnsiString& ref) { return ref == "dm.q.\"A\""; });
    for (int tag : {-1, -2}) {
        SCOPED_TRACE(tag);
        TemplateBytes b(24);
        b.u8(24).wb(true).wb(false).str("");
        b.u8(0xFE).i16(static_cast<int16_t>(tag));
        b.i32(0);
        b.i32(2).str("a").str("dm.q.\"A\"").str("b").str("dm.q.\"B\"");
        b.i32(2).str("x").str("").str("y").str("ds");
        TrqReport report;
        load(report, b.str());
        EXPECT_EQ(report.Dictionary().FieldAliases.Count(), tag == -1 ? 1 : 2);
        EXPECT_EQ(report.Dictionary().BandDatasources.Count(), tag == -1 ? 1 : 2);
        EXPECT_EQ(report.Dictionary().FieldAliases.NameAt(0), "a");
    }
    SetFieldReferenceResolver(nullptr);
}

TEST(TemplateReader, LoadFromFileOnlyWhenTheFileExists)
{
    TrqReport report;
    report.Pages()[0]->Add(std::make_unique<TrqMemoView>())->Name = "Kept";
    EXPECT_FALSE(report.LoadFromFile("/nonexistent/qdb_xstgjfp.rqf"));
    EXPECT_NE(report.FindObject("kept"), nullptr);
    EXPECT_EQ(report.FileName(), "Untitled");
}

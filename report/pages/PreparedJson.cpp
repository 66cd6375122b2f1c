#include "report/pages/PreparedJson.h"

#include "report/pages/EMFPages.h"
#include "report/pages/PrintedMemos.h"
#include "report/stream/TemplateJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
// What only templates carry: prepared views have no format, script,
// visibility or highlight of their own.
const char* const templateOnlyKeys[] = {"formatCode",     "formatText",         "script",
                                        "visible",        "highlightStyle",     "highlightFontColor",
                                        "highlightFillColor", "highlightCondition"};

QJsonObject pageInfoJson(const PrinterPageInfo& i)
{
    return QJsonObject{
        {"paperWidthDots", i.PaperWidthDots},         {"paperHeightDots", i.PaperHeightDots},
        {"paperWidthUnits", i.PaperWidthUnits},       {"paperHeightUnits", i.PaperHeightUnits},
        {"offsetXDots", i.OffsetXDots},               {"offsetYDots", i.OffsetYDots},
        {"offsetXUnits", i.OffsetXUnits},             {"offsetYUnits", i.OffsetYUnits},
        {"printableWidthDots", i.PrintableWidthDots}, {"printableHeightDots", i.PrintableHeightDots},
        {"printableWidthUnits", i.PrintableWidthUnits}, {"printableHeightUnits", i.PrintableHeightUnits},
    };
}

// What a memo printed: its band, a repeat after a break, its one value.
QJsonObject printedJson(const TrqPrintedMemo& memo)
{
    QJsonObject o{{"band", memo.Band}};
    if (memo.Repeated) o["repeated"] = true;
    if (!memo.Value.IsEmpty()) {
        const VarType type = memo.Value.Type();
        o["valueType"] = QLatin1String(VarTypeName(type));
        o["value"] = type == VarType::Integer ? QJsonValue(static_cast<qint64>(memo.Value.AsInteger()))
                                              : QJsonValue(memo.Value.AsFloat());
        o["formatCode"] = memo.FormatCode;
        o["formatText"] = AnsiToQString(memo.FormatText);
    }
    return o;
}

QJsonObject pageJson(TrqEMFPages& pages, int index)
{
    TrqPreparedPage& p = pages[index];
    QJsonObject o{
        {"size", p.PaperSize},          {"paperWidth", p.PaperWidth},    {"paperHeight", p.PaperHeight},
        {"orientation", p.Orientation}, {"paperBin", p.PaperBin},        {"useMargins", p.UseMargins != 0},
        {"leftMargin", p.LeftMargin},   {"topMargin", p.TopMargin},      {"rightMargin", p.RightMargin},
        {"bottomMargin", p.BottomMargin}, {"printerPageInfo", pageInfoJson(p.PrnInfo)},
    };
    // The views as the stream holds them (no automatic width fitted).
    TrqPage page(pages.Report());
    QJsonArray objects;
    if (p.Stream || !p.Packed.empty()) {
        TMemoryStream scratch;
        TMemoryStream& stream = pages.ReadStream(index, scratch);
        o["streamVersion"] = stream.Size() > 0 ? static_cast<unsigned char>(stream.Bytes()[0]) : 0;
        ReadPreparedViews(stream, page, false);
    }
    std::string scratch;
    const std::vector<TrqPrintedMemo> printed = ReadPrintedMemos(pages.PrintedBytes(index, scratch));
    auto next = printed.begin();
    for (int i = 0; i < page.Count(); ++i) {
        QJsonObject view = ViewToJson(*page.Objects(i));
        for (const char* key : templateOnlyKeys) view.remove(QLatin1String(key));
        while (next != printed.end() && next->View < i) ++next;
        if (next != printed.end() && next->View == i) view["printed"] = printedJson(*next);
        objects.append(view);
    }
    o["objects"] = objects;
    return o;
}
}  // namespace

std::string PreparedPagesToJson(TrqEMFPages& pages)
{
    QJsonObject root{
        {"version", pages.LoadedVersion()},
        {"compressed", pages.LoadedCompression()},
        {"printerName", AnsiToQString(pages.LoadedPrinterName())},
    };
    QJsonArray list;
    for (int i = 0; i < pages.Count(); ++i) list.append(pageJson(pages, i));
    root["pages"] = list;
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

#include "report/stream/TemplateJson.h"

#include "report/model/AddInRegistry.h"
#include "report/model/BandView.h"
#include "report/model/LineView.h"
#include "report/model/MemoView.h"
#include "report/model/PictureView.h"
#include "report/model/Report.h"
#include "report/model/SubReportView.h"
#include "report/stream/TemplateFormat.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cstdlib>

namespace {
// ---- writing ------------------------------------------------------------

QString text(const AnsiString& s) { return AnsiToQString(s); }

QJsonArray lines(const TStringList& list)
{
    QJsonArray array;
    for (int i = 0; i < list.Count(); ++i) array.append(text(list[i]));
    return array;
}

QJsonValue color(int32_t c) { return static_cast<qint64>(static_cast<uint32_t>(c)); }

// The shortest decimal that reads back as the same float.
QJsonValue single(float f)
{
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, f);
    *result.ptr = 0;
    return std::strtod(buffer, nullptr);
}

QJsonArray pairs(const TrqNamedValues& list)
{
    QJsonArray array;
    for (int i = 0; i < list.Count(); ++i)
        array.append(QJsonArray{text(list.NameAt(i)), text(list.ValueAt(i).AsString())});
    return array;
}

QJsonObject viewToJson(TrqView& v)
{
    QJsonObject o;
    o["objectKind"] = v.ObjectKind;
    if (v.ObjectKind == okAddIn) o["className"] = v.ClassName();
    o["name"] = text(v.Name);
    // The record format the view is written with.
    o["versionHigh"] = 2;
    o["versionLow"] = v.ObjectKind == okBand ? 1 : v.VersionLow;
    o["left"] = v.Left;
    o["top"] = v.Top;
    o["width"] = v.Width;
    o["height"] = v.Height;
    o["flags"] = v.Flags;
    o["frameTyp"] = v.FrameTyp;
    o["frameWidth"] = single(v.FrameWidth);
    o["frameColor"] = color(v.FrameColor);
    o["frameStyle"] = v.FrameStyle;
    o["fillColor"] = color(v.FillColor);
    o["formatCode"] = v.FormatCode;
    o["formatText"] = text(v.FormatText);
    o["memo"] = lines(v.Memo);
    o["script"] = lines(v.Script);
    o["visible"] = v.Visible;
    o["restrictions"] = v.Restrictions;
    o["tag"] = text(v.Tag);
    o["gapX"] = v.GapX;
    o["gapY"] = v.GapY;
    o["bandAlign"] = v.BandAlign;
    if (auto* m = dynamic_cast<TrqMemoView*>(&v)) {
        o["fontName"] = text(m->Font.Name);
        o["fontSize"] = m->Font.Size;
        o["fontStyle"] = m->Font.Style;
        o["fontColor"] = color(m->Font.Color);
        o["alignment"] = m->Alignment;
        o["charset"] = m->Font.Charset;
        o["highlightStyle"] = m->HighlightStyle;
        o["highlightFontColor"] = color(m->HighlightFontColor);
        o["highlightFillColor"] = color(m->HighlightFillColor);
        o["highlightCondition"] = text(m->HighlightCondition);
        o["lineSpacing"] = m->LineSpacing;
        o["charSpacing"] = m->CharSpacing;
    } else if (auto* b = dynamic_cast<TrqBandView*>(&v)) {
        o["childBand"] = text(b->ChildBand);
        o["columns"] = b->Columns;
        o["columnWidth"] = b->ColumnWidth;
        o["columnGap"] = b->ColumnGap;
        o["newColumnAfter"] = b->NewColumnAfter;
        o["master"] = text(b->Master);
    } else if (auto* s = dynamic_cast<TrqSubReportView*>(&v)) {
        o["subPage"] = s->SubPage;
    } else if (auto* p = dynamic_cast<TrqPictureView*>(&v)) {
        o["graphicKind"] = p->Picture.Kind();
        o["blobType"] = p->BlobType;
        const std::string& data = p->Picture.Data();
        o["picture"] = QString::fromLatin1(
            QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size())).toBase64());
    }
    return o;
}

QJsonObject pageToJson(TrqPage& page)
{
    QJsonObject o;
    o["name"] = text(page.Name);
    o["type"] = page.Type;
    o["size"] = page.Size;
    o["paperWidth"] = page.PaperWidth;
    o["paperHeight"] = page.PaperHeight;
    o["leftMargin"] = page.LeftMargin;
    o["topMargin"] = page.TopMargin;
    o["rightMargin"] = page.RightMargin;
    o["bottomMargin"] = page.BottomMargin;
    o["orientation"] = page.Orientation;
    o["paperBin"] = page.PaperBin;
    o["printToPrevPage"] = page.PrintToPrevPage;
    o["useMargins"] = page.UseMargins;
    o["columns"] = page.Columns;
    o["columnGap"] = page.ColumnGap;
    o["borderStyle"] = page.BorderStyle;
    o["caption"] = text(page.Caption);
    o["color"] = color(page.Color);
    o["left"] = page.Left;
    o["top"] = page.Top;
    o["width"] = page.Width;
    o["height"] = page.Height;
    o["position"] = page.Position;
    o["script"] = lines(page.Script);
    QJsonArray objects;
    for (int i = 0; i < page.Count(); ++i) objects.append(viewToJson(*page.Objects(i)));
    o["objects"] = objects;
    return o;
}

// ---- reading ------------------------------------------------------------

[[noreturn]] void fail(const QString& what) { throw ETemplateJson(QStringToAnsi(what)); }

class Fields {
public:
    Fields(const QJsonObject& o, QString where) : o_(o), where_(std::move(where)) {}

    const QJsonObject& Object() const { return o_; }
    bool Has(const char* key) const { return o_.contains(QLatin1String(key)); }

    void Int(const char* key, int32_t& field) const
    {
        QJsonValue v = o_.value(QLatin1String(key));
        if (v.isUndefined()) return;
        if (!v.isDouble()) wrong(key, "a number");
        double d = v.toDouble();
        if (d != static_cast<double>(static_cast<int64_t>(d)) || d < INT32_MIN || d > UINT32_MAX)
            wrong(key, "a 32-bit integer");
        field = static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(d)));
    }
    template <class T>
    void Small(const char* key, T& field) const
    {
        int32_t v = field;
        Int(key, v);
        field = static_cast<T>(v);
    }
    void Color(const char* key, int32_t& field) const
    {
        QJsonValue v = o_.value(QLatin1String(key));
        if (v.isString()) {
            bool ok = false;
            uint value = v.toString().toUInt(&ok, 0);
            if (!ok) wrong(key, "a colour number");
            field = static_cast<int32_t>(value);
            return;
        }
        Int(key, field);
    }
    void Bool(const char* key, bool& field) const
    {
        QJsonValue v = o_.value(QLatin1String(key));
        if (v.isUndefined()) return;
        if (!v.isBool()) wrong(key, "true or false");
        field = v.toBool();
    }
    void Float(const char* key, float& field) const
    {
        QJsonValue v = o_.value(QLatin1String(key));
        if (v.isUndefined()) return;
        if (!v.isDouble()) wrong(key, "a number");
        field = static_cast<float>(v.toDouble());
    }
    void Text(const char* key, AnsiString& field) const
    {
        QJsonValue v = o_.value(QLatin1String(key));
        if (v.isUndefined()) return;
        if (!v.isString()) wrong(key, "a string");
        field = QStringToAnsi(v.toString());
    }
    void Lines(const char* key, TStringList& field) const
    {
        QJsonValue v = o_.value(QLatin1String(key));
        if (v.isUndefined()) return;
        if (!v.isArray()) wrong(key, "an array of lines");
        field.Clear();
        for (const QJsonValue& line : v.toArray()) {
            if (!line.isString()) wrong(key, "an array of lines");
            field.Add(QStringToAnsi(line.toString()));
        }
    }
    void Pairs(const char* key, TrqNamedValues& field) const
    {
        QJsonValue v = o_.value(QLatin1String(key));
        if (v.isUndefined()) return;
        if (!v.isArray()) wrong(key, "an array of [name, value]");
        field.Clear();
        for (const QJsonValue& entry : v.toArray()) {
            QJsonArray pair = entry.toArray();
            if (pair.size() != 2 || !pair[0].isString() || !pair[1].isString()) wrong(key, "an array of [name, value]");
            field.SetVariable(QStringToAnsi(pair[0].toString()), QStringToAnsi(pair[1].toString()));
        }
    }

    [[noreturn]] void wrong(const char* key, const char* what) const
    {
        fail(QStringLiteral("%1: \"%2\" must be %3").arg(where_, QLatin1String(key), QLatin1String(what)));
    }

private:
    QJsonObject o_;
    QString where_;
};

std::unique_ptr<TrqView> viewFromJson(const QJsonObject& o, const QString& where)
{
    Fields f(o, where);
    int32_t kind = -1;
    f.Int("objectKind", kind);
    std::unique_ptr<TrqView> view;
    switch (kind) {
    case okMemo: view = std::make_unique<TrqMemoView>(); break;
    case okPicture: view = std::make_unique<TrqPictureView>(); break;
    case okBand: view = std::make_unique<TrqBandView>(); break;
    case okSubReport: view = std::make_unique<TrqSubReportView>(); break;
    case okLine: view = std::make_unique<TrqLineView>(); break;
    case okAddIn: {
        AnsiString className;
        f.Text("className", className);
        view = CreateAddIn(className);
        if (!view) fail(where + QStringLiteral(": class \"%1\" is not registered").arg(text(className)));
        break;
    }
    default: f.wrong("objectKind", "0 to 4 or 10");
    }
    TrqView& v = *view;
    f.Text("name", v.Name);
    v.VersionHigh = 2;
    f.Small("versionLow", v.VersionLow);
    f.Int("left", v.Left);
    f.Int("top", v.Top);
    f.Int("width", v.Width);
    f.Int("height", v.Height);
    f.Small("flags", v.Flags);
    f.Small("frameTyp", v.FrameTyp);
    f.Float("frameWidth", v.FrameWidth);
    f.Color("frameColor", v.FrameColor);
    f.Small("frameStyle", v.FrameStyle);
    f.Color("fillColor", v.FillColor);
    f.Int("formatCode", v.FormatCode);
    f.Text("formatText", v.FormatText);
    f.Lines("memo", v.Memo);
    f.Lines("script", v.Script);
    f.Bool("visible", v.Visible);
    f.Small("restrictions", v.Restrictions);
    f.Text("tag", v.Tag);
    f.Int("gapX", v.GapX);
    f.Int("gapY", v.GapY);
    f.Small("bandAlign", v.BandAlign);
    if (auto* m = dynamic_cast<TrqMemoView*>(&v)) {
        f.Text("fontName", m->Font.Name);
        f.Int("fontSize", m->Font.Size);
        f.Int("fontStyle", m->Font.Style);
        f.Color("fontColor", m->Font.Color);
        f.Int("alignment", m->Alignment);
        f.Small("charset", m->Font.Charset);
        f.Int("highlightStyle", m->HighlightStyle);
        f.Color("highlightFontColor", m->HighlightFontColor);
        f.Color("highlightFillColor", m->HighlightFillColor);
        f.Text("highlightCondition", m->HighlightCondition);
        f.Int("lineSpacing", m->LineSpacing);
        f.Int("charSpacing", m->CharSpacing);
    } else if (auto* b = dynamic_cast<TrqBandView*>(&v)) {
        f.Text("childBand", b->ChildBand);
        f.Int("columns", b->Columns);
        f.Int("columnWidth", b->ColumnWidth);
        f.Int("columnGap", b->ColumnGap);
        f.Int("newColumnAfter", b->NewColumnAfter);
        f.Text("master", b->Master);
    } else if (auto* s = dynamic_cast<TrqSubReportView*>(&v)) {
        f.Int("subPage", s->SubPage);
    } else if (auto* p = dynamic_cast<TrqPictureView*>(&v)) {
        f.Small("blobType", p->BlobType);
        int32_t graphic = gkNone;
        f.Int("graphicKind", graphic);
        AnsiString base64;
        f.Text("picture", base64);
        if (graphic < gkNone || graphic > gkIcon) f.wrong("graphicKind", "0 to 3");
        auto decoded = QByteArray::fromBase64Encoding(QByteArray::fromStdString(base64),
                                                      QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) f.wrong("picture", "base64");
        p->Picture.Assign(static_cast<TrqGraphicKind>(graphic), (*decoded).toStdString());
    }
    return view;
}

void pageFromJson(TrqReport& report, const QJsonObject& o, const QString& where)
{
    Fields f(o, where);
    TrqPage& page = *report.Pages().AddUnnamed();
    page.Name = "Page" + std::to_string(report.Pages().Count());
    f.Text("name", page.Name);
    f.Small("type", page.Type);
    int32_t size = page.Size, width = page.PaperWidth, height = page.PaperHeight, bin = page.PaperBin;
    uint8_t orientation = page.Orientation;
    f.Int("size", size);
    f.Int("paperWidth", width);
    f.Int("paperHeight", height);
    f.Small("orientation", orientation);
    f.Int("paperBin", bin);
    f.Int("leftMargin", page.LeftMargin);
    f.Int("topMargin", page.TopMargin);
    f.Int("rightMargin", page.RightMargin);
    f.Int("bottomMargin", page.BottomMargin);
    f.Bool("printToPrevPage", page.PrintToPrevPage);
    f.Bool("useMargins", page.UseMargins);
    f.Int("columns", page.Columns);
    f.Int("columnGap", page.ColumnGap);
    f.Small("borderStyle", page.BorderStyle);
    f.Text("caption", page.Caption);
    f.Color("color", page.Color);
    f.Int("left", page.Left);
    f.Int("top", page.Top);
    f.Int("width", page.Width);
    f.Int("height", page.Height);
    f.Small("position", page.Position);
    f.Lines("script", page.Script);
    page.ChangePaper(size, width, height, bin, orientation);
    QJsonValue objects = o.value(QLatin1String("objects"));
    if (objects.isUndefined()) return;
    if (!objects.isArray()) f.wrong("objects", "an array");
    int index = 0;
    for (const QJsonValue& item : objects.toArray()) {
        QString at = where + QStringLiteral(", object %1").arg(index++);
        if (!item.isObject()) fail(at + QStringLiteral(": not an object"));
        page.Add(viewFromJson(item.toObject(), at));
    }
}
}  // namespace

std::string TemplateToJson(TrqReport& report)
{
    QJsonObject root;
    root["version"] = report.LoadedVersion();
    root["useDefaultPrinter"] = report.UseDefaultPrinter();
    root["twoPass"] = report.TwoPass();
    root["printerName"] = text(report.PrinterName());
    QJsonArray pages;
    for (int i = 0; i < report.Pages().Count(); ++i) pages.append(pageToJson(*report.Pages()[i]));
    root["pages"] = pages;
    QJsonObject dictionary;
    dictionary["variables"] = pairs(report.Dictionary().Variables);
    dictionary["fieldAliases"] = pairs(report.Dictionary().FieldAliases);
    dictionary["bandDatasources"] = pairs(report.Dictionary().BandDatasources);
    root["dictionary"] = dictionary;
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

void TemplateFromJson(TrqReport& report, const std::string& json)
{
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    if (error.error != QJsonParseError::NoError)
        fail(QStringLiteral("JSON error at offset %1: %2").arg(error.offset).arg(error.errorString()));
    if (!doc.isObject()) fail(QStringLiteral("the template must be a JSON object"));
    QJsonObject root = doc.object();
    Fields f(root, QStringLiteral("template"));
    report.Clear();
    bool useDefault = true, twoPass = false;
    AnsiString printer;
    f.Bool("useDefaultPrinter", useDefault);
    f.Bool("twoPass", twoPass);
    f.Text("printerName", printer);
    report.SetUseDefaultPrinter(useDefault);
    report.SetTwoPass(twoPass);
    report.SelectPrinter(printer);
    report.SetLoadedVersion(TemplateVersion);
    QJsonValue pages = root.value(QLatin1String("pages"));
    if (!pages.isArray()) f.wrong("pages", "an array of pages");
    int index = 0;
    for (const QJsonValue& page : pages.toArray()) {
        QString where = QStringLiteral("page %1").arg(index++);
        if (!page.isObject()) fail(where + QStringLiteral(": not an object"));
        pageFromJson(report, page.toObject(), where);
    }
    QJsonValue dictionary = root.value(QLatin1String("dictionary"));
    if (dictionary.isUndefined()) return;
    if (!dictionary.isObject()) f.wrong("dictionary", "an object");
    Fields d(dictionary.toObject(), QStringLiteral("dictionary"));
    d.Pairs("variables", report.Dictionary().Variables);
    d.Pairs("fieldAliases", report.Dictionary().FieldAliases);
    d.Pairs("bandDatasources", report.Dictionary().BandDatasources);
}

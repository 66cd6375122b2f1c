#include "report/stream/TemplateJson.h"

#include "report/model/AddInRegistry.h"
#include "report/model/BandView.h"
#include "report/model/BarcodeView.h"
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
QString text(const AnsiString& s) { return AnsiToQString(s); }

[[noreturn]] void fail(const QString& what) { throw ETemplateJson(QStringToAnsi(what)); }

// Writes fields into a JSON object. Fields are visited by the same functions
// in both directions (see viewFields, pageFields), so dump and build always
// agree on keys and forms.
class JsonOut {
public:
    QJsonObject o;

    void Int(const char* key, const int32_t& v) { o[key] = v; }
    template <class T>
    void Small(const char* key, const T& v)
    {
        o[key] = static_cast<int>(v);
    }
    void Color(const char* key, const int32_t& v) { o[key] = static_cast<qint64>(static_cast<uint32_t>(v)); }
    void Bool(const char* key, const bool& v) { o[key] = v; }
    // The shortest decimal that reads back as the same float.
    void Float(const char* key, const float& v)
    {
        char buffer[32];
        auto result = std::to_chars(buffer, buffer + sizeof buffer - 1, v);
        *result.ptr = 0;
        o[key] = std::strtod(buffer, nullptr);
    }
    void Text(const char* key, const AnsiString& v) { o[key] = text(v); }
    void Lines(const char* key, const TStringList& v)
    {
        QJsonArray array;
        for (int i = 0; i < v.Count(); ++i) array.append(text(v[i]));
        o[key] = array;
    }
    void Pairs(const char* key, const TrqNamedValues& v)
    {
        QJsonArray array;
        for (int i = 0; i < v.Count(); ++i)
            array.append(QJsonArray{text(v.NameAt(i)), text(v.ValueAt(i).AsString())});
        o[key] = array;
    }
};

// Reads fields from a JSON object; a missing key leaves the field as it is.
class JsonIn {
public:
    JsonIn(const QJsonObject& o, QString where) : o_(o), where_(std::move(where)) {}

    QJsonValue Value(const char* key) const { return o_.value(QLatin1String(key)); }

    void Int(const char* key, int32_t& field) const
    {
        QJsonValue v = Value(key);
        if (v.isUndefined()) return;
        if (!v.isDouble()) Wrong(key, "a number");
        double d = v.toDouble();
        if (d != static_cast<double>(static_cast<int64_t>(d)) || d < INT32_MIN || d > UINT32_MAX)
            Wrong(key, "a 32-bit integer");
        field = static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(d)));
    }
    template <class T>
    void Small(const char* key, T& field) const
    {
        int32_t v = field;
        Int(key, v);
        field = static_cast<T>(v);
    }
    // Colours may also be written as "0x..." texts in hand-made templates.
    void Color(const char* key, int32_t& field) const
    {
        QJsonValue v = Value(key);
        if (!v.isString()) return Int(key, field);
        bool ok = false;
        uint value = v.toString().toUInt(&ok, 0);
        if (!ok) Wrong(key, "a colour number");
        field = static_cast<int32_t>(value);
    }
    void Bool(const char* key, bool& field) const
    {
        QJsonValue v = Value(key);
        if (v.isUndefined()) return;
        if (!v.isBool()) Wrong(key, "true or false");
        field = v.toBool();
    }
    void Float(const char* key, float& field) const
    {
        QJsonValue v = Value(key);
        if (v.isUndefined()) return;
        if (!v.isDouble()) Wrong(key, "a number");
        field = static_cast<float>(v.toDouble());
    }
    void Text(const char* key, AnsiString& field) const
    {
        QJsonValue v = Value(key);
        if (v.isUndefined()) return;
        if (!v.isString()) Wrong(key, "a string");
        field = QStringToAnsi(v.toString());
    }
    void Lines(const char* key, TStringList& field) const
    {
        QJsonValue v = Value(key);
        if (v.isUndefined()) return;
        if (!v.isArray()) Wrong(key, "an array of lines");
        field.Clear();
        for (const QJsonValue& line : v.toArray()) {
            if (!line.isString()) Wrong(key, "an array of lines");
            field.Add(QStringToAnsi(line.toString()));
        }
    }
    void Pairs(const char* key, TrqNamedValues& field) const
    {
        QJsonValue v = Value(key);
        if (v.isUndefined()) return;
        if (!v.isArray()) Wrong(key, "an array of [name, value]");
        field.Clear();
        for (const QJsonValue& entry : v.toArray()) {
            QJsonArray pair = entry.toArray();
            if (pair.size() != 2 || !pair[0].isString() || !pair[1].isString()) Wrong(key, "an array of [name, value]");
            field.SetVariable(QStringToAnsi(pair[0].toString()), QStringToAnsi(pair[1].toString()));
        }
    }

    [[noreturn]] void Wrong(const char* key, const char* what) const
    {
        fail(QStringLiteral("%1: \"%2\" must be %3").arg(where_, QLatin1String(key), QLatin1String(what)));
    }

private:
    QJsonObject o_;
    QString where_;
};

// The fields of a view that both directions share (kind, class name, record
// format and picture are handled by each direction itself).
template <class Io, class View>
void viewFields(Io& io, View& v)
{
    io.Text("name", v.Name);
    io.Int("left", v.Left);
    io.Int("top", v.Top);
    io.Int("width", v.Width);
    io.Int("height", v.Height);
    io.Small("flags", v.Flags);
    io.Small("frameTyp", v.FrameTyp);
    io.Float("frameWidth", v.FrameWidth);
    io.Color("frameColor", v.FrameColor);
    io.Small("frameStyle", v.FrameStyle);
    io.Color("fillColor", v.FillColor);
    io.Int("formatCode", v.FormatCode);
    io.Text("formatText", v.FormatText);
    io.Lines("memo", v.Memo);
    io.Lines("script", v.Script);
    io.Bool("visible", v.Visible);
    io.Small("restrictions", v.Restrictions);
    io.Text("tag", v.Tag);
    io.Int("gapX", v.GapX);
    io.Int("gapY", v.GapY);
    io.Small("bandAlign", v.BandAlign);
    if (auto* m = dynamic_cast<TrqMemoView*>(&v)) {
        io.Text("fontName", m->Font.Name);
        io.Int("fontSize", m->Font.Size);
        io.Int("fontStyle", m->Font.Style);
        io.Color("fontColor", m->Font.Color);
        io.Int("alignment", m->Alignment);
        io.Small("charset", m->Font.Charset);
        io.Int("highlightStyle", m->HighlightStyle);
        io.Color("highlightFontColor", m->HighlightFontColor);
        io.Color("highlightFillColor", m->HighlightFillColor);
        io.Text("highlightCondition", m->HighlightCondition);
        io.Int("lineSpacing", m->LineSpacing);
        io.Int("charSpacing", m->CharSpacing);
    } else if (auto* b = dynamic_cast<TrqBandView*>(&v)) {
        io.Text("childBand", b->ChildBand);
        io.Int("columns", b->Columns);
        io.Int("columnWidth", b->ColumnWidth);
        io.Int("columnGap", b->ColumnGap);
        io.Int("newColumnAfter", b->NewColumnAfter);
        io.Text("master", b->Master);
    } else if (auto* s = dynamic_cast<TrqSubReportView*>(&v)) {
        io.Int("subPage", s->SubPage);
    } else if (auto* p = dynamic_cast<TrqPictureView*>(&v)) {
        io.Small("blobType", p->BlobType);
    } else if (auto* c = dynamic_cast<TrqBarcodeView*>(&v)) {
        io.Small("symbology", c->Symbology);
        io.Small("errorLevel", c->ErrorLevel);
        io.Int("rotation", c->Rotation);
        io.Int("moduleSize", c->ModuleSize);
        io.Int("quietZone", c->QuietZone);
        io.Color("barColor", c->BarColor);
        io.Text("fontName", c->Font.Name);
        io.Int("fontSize", c->Font.Size);
        io.Int("fontStyle", c->Font.Style);
        io.Color("fontColor", c->Font.Color);
    }
}

template <class Io>
void pageFields(Io& io, TrqPage& page)
{
    io.Text("name", page.Name);
    io.Small("type", page.Type);
    io.Int("size", page.Size);
    io.Int("paperWidth", page.PaperWidth);
    io.Int("paperHeight", page.PaperHeight);
    io.Int("leftMargin", page.LeftMargin);
    io.Int("topMargin", page.TopMargin);
    io.Int("rightMargin", page.RightMargin);
    io.Int("bottomMargin", page.BottomMargin);
    io.Small("orientation", page.Orientation);
    io.Int("paperBin", page.PaperBin);
    io.Bool("printToPrevPage", page.PrintToPrevPage);
    io.Bool("useMargins", page.UseMargins);
    io.Int("columns", page.Columns);
    io.Int("columnGap", page.ColumnGap);
    io.Small("borderStyle", page.BorderStyle);
    io.Text("caption", page.Caption);
    io.Color("color", page.Color);
    io.Int("left", page.Left);
    io.Int("top", page.Top);
    io.Int("width", page.Width);
    io.Int("height", page.Height);
    io.Small("position", page.Position);
    io.Lines("script", page.Script);
}

template <class Io, class Dictionary>
void dictionaryFields(Io& io, Dictionary& d)
{
    io.Pairs("variables", d.Variables);
    io.Pairs("fieldAliases", d.FieldAliases);
    io.Pairs("bandDatasources", d.BandDatasources);
}

}  // namespace

QJsonObject ViewToJson(TrqView& v)
{
    JsonOut out;
    out.o["objectKind"] = v.ObjectKind;
    if (v.ObjectKind == okAddIn) out.o["className"] = v.ClassName();
    // The record format the view is written with.
    out.o["versionHigh"] = 2;
    out.o["versionLow"] = v.ObjectKind == okBand ? 1 : v.VersionLow;
    viewFields(out, v);
    if (auto* p = dynamic_cast<TrqPictureView*>(&v)) {
        out.o["graphicKind"] = p->Picture.Kind();
        const std::string& data = p->Picture.Data();
        out.o["picture"] = QString::fromLatin1(
            QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size())).toBase64());
    }
    return out.o;
}

namespace {
QJsonObject pageToJson(TrqPage& page)
{
    JsonOut out;
    pageFields(out, page);
    QJsonArray objects;
    for (int i = 0; i < page.Count(); ++i) objects.append(ViewToJson(*page.Objects(i)));
    out.o["objects"] = objects;
    return out.o;
}

std::unique_ptr<TrqView> viewFromJson(const QJsonObject& o, const QString& where)
{
    JsonIn in(o, where);
    int32_t kind = -1;
    in.Int("objectKind", kind);
    std::unique_ptr<TrqView> view;
    switch (kind) {
    case okMemo: view = std::make_unique<TrqMemoView>(); break;
    case okPicture: view = std::make_unique<TrqPictureView>(); break;
    case okBand: view = std::make_unique<TrqBandView>(); break;
    case okSubReport: view = std::make_unique<TrqSubReportView>(); break;
    case okLine: view = std::make_unique<TrqLineView>(); break;
    case okAddIn: {
        AnsiString className;
        in.Text("className", className);
        view = CreateAddIn(className);
        if (!view) fail(where + QStringLiteral(": class \"%1\" is not registered").arg(text(className)));
        break;
    }
    default: in.Wrong("objectKind", "0 to 4 or 10");
    }
    view->VersionHigh = 2;
    in.Small("versionLow", view->VersionLow);
    viewFields(in, *view);
    if (auto* p = dynamic_cast<TrqPictureView*>(view.get())) {
        int32_t graphic = gkNone;
        in.Int("graphicKind", graphic);
        if (graphic < gkNone || graphic > gkIcon) in.Wrong("graphicKind", "0 to 3");
        AnsiString base64;
        in.Text("picture", base64);
        auto decoded = QByteArray::fromBase64Encoding(QByteArray::fromStdString(base64),
                                                      QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) in.Wrong("picture", "base64");
        p->Picture.Assign(static_cast<TrqGraphicKind>(graphic), (*decoded).toStdString());
    }
    return view;
}

void pageFromJson(TrqReport& report, const QJsonObject& o, const QString& where)
{
    JsonIn in(o, where);
    TrqPage& page = *report.Pages().AddUnnamed();
    page.Name = "Page" + std::to_string(report.Pages().Count());
    pageFields(in, page);
    // The paper goes through the printing layer, as when a template is read.
    page.ChangePaper(page.Size, page.PaperWidth, page.PaperHeight, page.PaperBin, page.Orientation);
    QJsonValue objects = in.Value("objects");
    if (objects.isUndefined()) return;
    if (!objects.isArray()) in.Wrong("objects", "an array");
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
    JsonOut dictionary;
    dictionaryFields(dictionary, report.Dictionary());
    root["dictionary"] = dictionary.o;
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
    JsonIn in(root, QStringLiteral("template"));
    report.Clear();
    bool useDefault = true, twoPass = false;
    AnsiString printer;
    in.Bool("useDefaultPrinter", useDefault);
    in.Bool("twoPass", twoPass);
    in.Text("printerName", printer);
    report.SetUseDefaultPrinter(useDefault);
    report.SetTwoPass(twoPass);
    report.SelectPrinter(printer);
    report.SetLoadedVersion(TemplateVersion);
    QJsonValue pages = in.Value("pages");
    if (!pages.isArray()) in.Wrong("pages", "an array of pages");
    int index = 0;
    for (const QJsonValue& page : pages.toArray()) {
        QString where = QStringLiteral("page %1").arg(index++);
        if (!page.isObject()) fail(where + QStringLiteral(": not an object"));
        pageFromJson(report, page.toObject(), where);
    }
    QJsonValue dictionary = in.Value("dictionary");
    if (dictionary.isUndefined()) return;
    if (!dictionary.isObject()) in.Wrong("dictionary", "an object");
    JsonIn d(dictionary.toObject(), QStringLiteral("dictionary"));
    dictionaryFields(d, report.Dictionary());
}

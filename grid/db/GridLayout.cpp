#include "grid/db/GridLayout.h"

#include <QSettings>
#include <QStringList>

#include <cmath>
#include <cstdint>
#include <iterator>

namespace {
constexpr int kVersion = 1;
// More entries than any grid has: a store claiming more is damaged.
constexpr int kMaxEntries = 4096;
constexpr int kMaxWidth = 1 << 20;
constexpr int kMaxValues = 1 << 16;

const char* const kOps[] = {"Equal", "NotEqual", "Greater", "GreaterEqual", "Less", "LessEqual", "Blank", "NonBlank"};

QString groupPath(QString group)
{
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.endsWith(QLatin1Char('/'))) group.chop(1);
    return group;
}

QString encodeValue(const Variant& v)
{
    switch (v.Type()) {
    case VarType::Integer: return QStringLiteral("i:") + QString::number(v.IntValue());
    case VarType::Float: return QStringLiteral("f:") + QString::number(v.FloatValue(), 'g', 17);
    case VarType::DateTime: return QStringLiteral("d:") + QString::number(v.FloatValue(), 'g', 17);
    case VarType::Boolean: return QStringLiteral("b:") + (v.BoolValue() ? QStringLiteral("1") : QStringLiteral("0"));
    case VarType::String: return QStringLiteral("s:") + AnsiToQString(v.StringValue());
    default: return QStringLiteral("s:");
    }
}

bool decodeValue(const QString& text, Variant& v)
{
    if (text.size() < 2 || text[1] != QLatin1Char(':')) return false;
    const QString body = text.mid(2);
    bool ok = false;
    switch (text[0].unicode()) {
    case 'i': {
        qlonglong i = body.toLongLong(&ok);
        v = Variant(static_cast<long long>(i));
        return ok;
    }
    case 'f':
    case 'd': {
        double d = body.toDouble(&ok);
        if (!ok || !std::isfinite(d)) return false;
        v = text[0] == QLatin1Char('f') ? Variant(d) : Variant::FromDateTime(d);
        return true;
    }
    case 'b':
        if (body != QLatin1String("0") && body != QLatin1String("1")) return false;
        v = Variant(body == QLatin1String("1"));
        return true;
    case 's': v = Variant(QStringToAnsi(body)); return true;
    default: return false;
    }
}

class Writer {
public:
    Writer(QSettings& s, const QString& group) : s_(s), group_(group) {}
    void Put(const QString& key, const QVariant& value) { s_.setValue(group_ + QLatin1Char('/') + key, value); }
    void Text(const QString& key, const AnsiString& value) { Put(key, AnsiToQString(value)); }
    void Condition(const QString& entry, int n, const TqvFilterCondition& c)
    {
        const QString suffix = QString::number(n);
        Put(entry + QStringLiteral("Op") + suffix, QString::fromLatin1(kOps[static_cast<int>(c.Op)]));
        QStringList values;
        for (const Variant& v : c.Values) values << encodeValue(v);
        Put(entry + QStringLiteral("Values") + suffix, values);
        Text(entry + QStringLiteral("Text") + suffix, c.Text);
    }

private:
    QSettings& s_;
    QString group_;
};

// Reads one entry after the other; the first one that is not what Write
// makes stops the reading with the reason.
class Reader {
public:
    Reader(QSettings& s, const QString& group) : s_(s), group_(group) {}
    bool Failed() const { return !reason_.isEmpty(); }
    const QString& Reason() const { return reason_; }
    bool Has(const QString& key) const { return s_.contains(group_ + QLatin1Char('/') + key); }

    QVariant Get(const QString& key)
    {
        if (Failed()) return {};
        QVariant v = s_.value(group_ + QLatin1Char('/') + key);
        if (!v.isValid()) fail(key, QStringLiteral("missing"));
        return v;
    }
    int Int(const QString& key, int lo, int hi)
    {
        QVariant v = Get(key);
        if (Failed()) return lo;
        bool ok = false;
        int i = v.toString().trimmed().toInt(&ok);
        if (!ok || i < lo || i > hi) fail(key, QStringLiteral("not a number from %1 to %2").arg(lo).arg(hi));
        return ok ? i : lo;
    }
    bool Bool(const QString& key)
    {
        QVariant v = Get(key);
        if (Failed()) return false;
        QString t = v.toString().trimmed().toLower();
        if (t != QLatin1String("true") && t != QLatin1String("false")) fail(key, QStringLiteral("not true or false"));
        return t == QLatin1String("true");
    }
    AnsiString Text(const QString& key)
    {
        QVariant v = Get(key);
        if (Failed()) return {};
        if (v.typeId() == QMetaType::QStringList) fail(key, QStringLiteral("a list, not a text"));
        return QStringToAnsi(v.toString());
    }
    int Size(const QString& array)
    {
        return Has(array + QStringLiteral("/size")) ? Int(array + QStringLiteral("/size"), 0, kMaxEntries) : 0;
    }
    TFieldFilterOp Op(const QString& key)
    {
        QString word = Get(key).toString();
        for (int i = 0; i < static_cast<int>(std::size(kOps)); ++i)
            if (word == QLatin1String(kOps[i])) return static_cast<TFieldFilterOp>(i);
        if (!Failed()) fail(key, QStringLiteral("not an operator"));
        return TFieldFilterOp::Equal;
    }
    TqvFilterCondition Condition(const QString& entry, int n)
    {
        const QString suffix = QString::number(n);
        TqvFilterCondition c;
        c.Op = Op(entry + QStringLiteral("Op") + suffix);
        const QString valuesKey = entry + QStringLiteral("Values") + suffix;
        QVariant values = Get(valuesKey);
        if (Failed()) return c;
        const QStringList list = values.toStringList();
        if (list.size() > kMaxValues) fail(valuesKey, QStringLiteral("too many values"));
        for (const QString& text : list) {
            if (text.isEmpty()) continue;  // an empty list reads as one empty text
            Variant v;
            if (!decodeValue(text, v)) {
                fail(valuesKey, QStringLiteral("not a value: ") + text.left(40));
                return c;
            }
            c.Values.push_back(v);
        }
        bool needsValue = c.Op != TFieldFilterOp::Blank && c.Op != TFieldFilterOp::NonBlank;
        if (needsValue && c.Values.empty()) fail(valuesKey, QStringLiteral("no value"));
        c.Text = Text(entry + QStringLiteral("Text") + suffix);
        return c;
    }

private:
    void fail(const QString& key, const QString& why)
    {
        if (reason_.isEmpty()) reason_ = key + QStringLiteral(": ") + why;
    }

    QSettings& s_;
    QString group_;
    QString reason_;
};

QString entry(const char* array, int i) { return QString::fromLatin1(array) + QLatin1Char('/') + QString::number(i + 1) + QLatin1Char('/'); }
}  // namespace

void WriteGridLayout(QSettings& settings, const QString& groupName, const TqvGridLayout& layout)
{
    const QString group = groupPath(groupName);
    settings.remove(group);
    Writer w(settings, group);
    w.Put(QStringLiteral("Version"), kVersion);
    w.Put(QStringLiteral("HeaderPanelRowCount"), layout.HeaderPanelRowCount);
    w.Put(QStringLiteral("Bands/size"), static_cast<int>(layout.Bands.size()));
    for (size_t i = 0; i < layout.Bands.size(); ++i) {
        const auto& b = layout.Bands[i];
        const QString e = entry("Bands", static_cast<int>(i));
        w.Put(e + QStringLiteral("Id"), b.Id);
        w.Text(e + QStringLiteral("Caption"), b.Caption);
        w.Put(e + QStringLiteral("Width"), b.Width);
        w.Put(e + QStringLiteral("Visible"), b.Visible);
    }
    w.Put(QStringLiteral("Columns/size"), static_cast<int>(layout.Columns.size()));
    for (size_t i = 0; i < layout.Columns.size(); ++i) {
        const auto& c = layout.Columns[i];
        const QString e = entry("Columns", static_cast<int>(i));
        w.Text(e + QStringLiteral("Name"), c.Name);
        w.Text(e + QStringLiteral("Field"), c.Field);
        w.Put(e + QStringLiteral("Width"), c.Width);
        w.Put(e + QStringLiteral("Visible"), c.Visible);
        w.Put(e + QStringLiteral("Band"), c.Band);
        w.Put(e + QStringLiteral("Row"), c.Row);
    }
    w.Put(QStringLiteral("Sort/size"), static_cast<int>(layout.Sort.size()));
    for (size_t i = 0; i < layout.Sort.size(); ++i) {
        const QString e = entry("Sort", static_cast<int>(i));
        w.Text(e + QStringLiteral("Column"), layout.Sort[i].Column);
        w.Put(e + QStringLiteral("Descending"), layout.Sort[i].Descending);
    }
    w.Put(QStringLiteral("Filter/Active"), layout.FilterActive);
    w.Put(QStringLiteral("Filter/size"), static_cast<int>(layout.Filters.size()));
    for (size_t i = 0; i < layout.Filters.size(); ++i) {
        const auto& f = layout.Filters[i];
        const QString e = entry("Filter", static_cast<int>(i));
        w.Text(e + QStringLiteral("Column"), f.Column);
        w.Condition(e, 1, f.First);
        if (f.HasSecond) {
            w.Condition(e, 2, f.Second);
            w.Put(e + QStringLiteral("Join"), f.OrJoined ? QStringLiteral("Or") : QStringLiteral("And"));
        }
    }
}

TqvLayoutRead ReadGridLayout(QSettings& settings, const QString& groupName, TqvGridLayout& layout, QString& reason)
{
    if (settings.status() != QSettings::NoError) {
        reason = settings.status() == QSettings::FormatError ? QStringLiteral("the file is not in INI form")
                                                             : QStringLiteral("the store cannot be read");
        return TqvLayoutRead::Damaged;
    }
    const QString group = groupPath(groupName);
    Reader r(settings, group);
    if (!r.Has(QStringLiteral("Version"))) return TqvLayoutRead::Absent;
    TqvGridLayout read;
    r.Int(QStringLiteral("Version"), kVersion, kVersion);
    read.HeaderPanelRowCount = r.Int(QStringLiteral("HeaderPanelRowCount"), 1, 64);
    for (int i = 0, n = r.Size(QStringLiteral("Bands")); i < n && !r.Failed(); ++i) {
        const QString e = entry("Bands", i);
        TqvGridLayout::Band b;
        b.Id = r.Int(e + QStringLiteral("Id"), 0, INT32_MAX);
        b.Caption = r.Text(e + QStringLiteral("Caption"));
        b.Width = r.Int(e + QStringLiteral("Width"), 0, kMaxWidth);
        b.Visible = r.Bool(e + QStringLiteral("Visible"));
        read.Bands.push_back(std::move(b));
    }
    for (int i = 0, n = r.Size(QStringLiteral("Columns")); i < n && !r.Failed(); ++i) {
        const QString e = entry("Columns", i);
        TqvGridLayout::Column c;
        c.Name = r.Text(e + QStringLiteral("Name"));
        c.Field = r.Text(e + QStringLiteral("Field"));
        c.Width = r.Int(e + QStringLiteral("Width"), 0, kMaxWidth);
        c.Visible = r.Bool(e + QStringLiteral("Visible"));
        c.Band = r.Int(e + QStringLiteral("Band"), -1, INT32_MAX);
        c.Row = r.Int(e + QStringLiteral("Row"), 0, 63);
        read.Columns.push_back(std::move(c));
    }
    for (int i = 0, n = r.Size(QStringLiteral("Sort")); i < n && !r.Failed(); ++i) {
        const QString e = entry("Sort", i);
        TqvGridLayout::SortKey k;
        k.Column = r.Text(e + QStringLiteral("Column"));
        k.Descending = r.Bool(e + QStringLiteral("Descending"));
        read.Sort.push_back(std::move(k));
    }
    read.FilterActive = r.Has(QStringLiteral("Filter/Active")) && r.Bool(QStringLiteral("Filter/Active"));
    for (int i = 0, n = r.Size(QStringLiteral("Filter")); i < n && !r.Failed(); ++i) {
        const QString e = entry("Filter", i);
        TqvGridLayout::ColumnFilter f;
        f.Column = r.Text(e + QStringLiteral("Column"));
        f.First = r.Condition(e, 1);
        f.HasSecond = r.Has(e + QStringLiteral("Op2"));
        if (f.HasSecond) {
            f.Second = r.Condition(e, 2);
            QString join = r.Get(e + QStringLiteral("Join")).toString();
            if (join != QLatin1String("And") && join != QLatin1String("Or") && !r.Failed()) {
                reason = e + QStringLiteral("Join: not And or Or");
                return TqvLayoutRead::Damaged;
            }
            f.OrJoined = join == QLatin1String("Or");
        }
        read.Filters.push_back(std::move(f));
    }
    if (r.Failed()) {
        reason = r.Reason();
        return TqvLayoutRead::Damaged;
    }
    layout = std::move(read);
    return TqvLayoutRead::Read;
}

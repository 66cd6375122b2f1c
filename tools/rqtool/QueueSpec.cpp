#include "QueueSpec.h"

#include "runtime/Exceptions.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

namespace {

constexpr double kExactIntegers = 9007199254740992.0;  // 2^53

QJsonValue text(const std::string& s) { return QString::fromStdString(s); }
std::string text(const QJsonValue& v) { return v.toString().toStdString(); }

QJsonObject valueToJson(const std::string& name, const Variant& v)
{
    QJsonObject o{{"name", text(name)}, {"kind", VarTypeName(v.Type())}};
    switch (v.Type()) {
    case VarType::Integer:
        if (std::fabs(static_cast<double>(v.IntValue())) < kExactIntegers)
            o["value"] = static_cast<qint64>(v.IntValue());
        else
            o["value"] = QString::number(static_cast<qlonglong>(v.IntValue()));
        break;
    case VarType::Float:
    case VarType::DateTime:
        if (std::isfinite(v.FloatValue())) o["value"] = v.FloatValue();
        break;
    case VarType::Boolean: o["value"] = v.BoolValue(); break;
    case VarType::String: o["value"] = text(AnsiToUtf8(v.StringValue())); break;
    default: break;
    }
    return o;
}

std::pair<std::string, Variant> valueFromJson(const QJsonObject& o)
{
    const std::string name = text(o["name"]);
    const QString kind = o["kind"].toString();
    const QJsonValue v = o["value"];
    if (kind == "integer")
        return {name, Variant(static_cast<int64_t>(v.isString() ? v.toString().toLongLong() : v.toInteger()))};
    if (kind == "float") return {name, Variant(v.toDouble())};
    if (kind == "datetime") return {name, Variant::FromDateTime(v.toDouble())};
    if (kind == "boolean") return {name, Variant(v.toBool())};
    if (kind == "string") return {name, Variant(Utf8ToAnsi(text(v)))};
    if (kind == "empty") return {name, Variant()};
    return {name, Variant::Null()};
}

QJsonArray pairsToJson(const ReportSourceOptions::Pairs& pairs)
{
    QJsonArray a;
    for (const auto& [name, value] : pairs) a.append(QJsonArray{text(name), text(value)});
    return a;
}

ReportSourceOptions::Pairs pairsFromJson(const QJsonValue& v)
{
    ReportSourceOptions::Pairs pairs;
    for (const QJsonValue& p : v.toArray()) pairs.emplace_back(text(p[0]), text(p[1]));
    return pairs;
}

QJsonArray valuesToJson(const NamedValues& values)
{
    QJsonArray a;
    for (const auto& [name, value] : values) a.append(valueToJson(name, value));
    return a;
}

NamedValues valuesFromJson(const QJsonArray& a)
{
    NamedValues values;
    for (const QJsonValue& v : a) values.push_back(valueFromJson(v.toObject()));
    return values;
}

QJsonDocument parse(const std::string& json, const char* what)
{
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    if (error.error != QJsonParseError::NoError)
        throw Exception(std::string("the queue holds a damaged ") + what + ": " + error.errorString().toStdString());
    return doc;
}

}  // namespace

std::string BatchSpecToJson(const BatchSpec& spec)
{
    const ReportSourceOptions& s = spec.sources;
    QJsonObject sources{{"queries", pairsToJson(s.queries)},
                        {"masters", pairsToJson(s.masters)},
                        {"datasets", pairsToJson(s.datasets)},
                        {"reportDataset", text(s.reportDataset)},
                        {"vars", valuesToJson(s.vars)}};
    return QJsonDocument(QJsonObject{{"sources", sources}, {"output", spec.output}})
        .toJson(QJsonDocument::Compact)
        .toStdString();
}

BatchSpec BatchSpecFromJson(const std::string& json)
{
    const QJsonObject root = parse(json, "batch").object();
    const QJsonObject sources = root["sources"].toObject();
    BatchSpec spec;
    spec.sources.queries = pairsFromJson(sources["queries"]);
    spec.sources.masters = pairsFromJson(sources["masters"]);
    spec.sources.datasets = pairsFromJson(sources["datasets"]);
    spec.sources.reportDataset = text(sources["reportDataset"]);
    spec.sources.vars = valuesFromJson(sources["vars"].toArray());
    spec.output = root["output"].toObject();
    return spec;
}

std::string NamedValuesToJson(const NamedValues& values)
{
    return QJsonDocument(valuesToJson(values)).toJson(QJsonDocument::Compact).toStdString();
}

NamedValues NamedValuesFromJson(const std::string& json)
{
    return valuesFromJson(parse(json, "job").array());
}

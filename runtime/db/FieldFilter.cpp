#include "FieldFilter.h"

#include "Database.h"

#include <algorithm>
#include <cctype>

bool IsBlankValue(const Variant& value)
{
    return value.IsEmptyOrNull() || (value.IsString() && value.StringValue().empty());
}

namespace {
int compareValues(const Variant& a, const Variant& b, bool caseInsensitive)
{
    if (caseInsensitive && a.IsString() && b.IsString()) return CompareText(a.StringValue(), b.StringValue());
    return Compare(a, b);
}
}  // namespace

bool TFieldCondition::Holds(const Variant& value, bool caseInsensitive) const
{
    const bool blank = IsBlankValue(value);
    switch (Op) {
    case TFieldFilterOp::Blank: return blank;
    case TFieldFilterOp::NonBlank: return !blank;
    case TFieldFilterOp::Equal:
    case TFieldFilterOp::NotEqual: {
        bool equal = !blank && std::any_of(Values.begin(), Values.end(), [&](const Variant& v) {
                         return compareValues(value, v, caseInsensitive) == 0;
                     });
        return Op == TFieldFilterOp::Equal ? equal : !equal;
    }
    default: break;
    }
    if (blank || Values.empty()) return false;
    int c = compareValues(value, Values.front(), caseInsensitive);
    switch (Op) {
    case TFieldFilterOp::Greater: return c > 0;
    case TFieldFilterOp::GreaterEqual: return c >= 0;
    case TFieldFilterOp::Less: return c < 0;
    case TFieldFilterOp::LessEqual: return c <= 0;
    default: return false;
    }
}

void TFieldCondition::Normalize()
{
    Values.erase(std::remove_if(Values.begin(), Values.end(), IsBlankValue), Values.end());
    if (!Values.empty()) return;
    switch (Op) {
    case TFieldFilterOp::Equal: Op = TFieldFilterOp::Blank; break;
    case TFieldFilterOp::Blank: break;
    default: Op = TFieldFilterOp::NonBlank; break;
    }
}

bool TFieldFilter::Holds(const Variant& value) const
{
    if (Conditions.empty()) return true;
    for (const TFieldCondition& c : Conditions) {
        bool holds = c.Holds(value, CaseInsensitive);
        if (holds == OrJoined) return holds;
    }
    return !OrJoined;
}

bool operator==(const TFieldFilter& a, const TFieldFilter& b)
{
    if (!SameText(a.FieldName, b.FieldName) || a.OrJoined != b.OrJoined || a.CaseInsensitive != b.CaseInsensitive ||
        a.Conditions.size() != b.Conditions.size())
        return false;
    for (size_t i = 0; i < a.Conditions.size(); ++i) {
        const TFieldCondition &x = a.Conditions[i], &y = b.Conditions[i];
        if (x.Op != y.Op || x.Values.size() != y.Values.size()) return false;
        for (size_t k = 0; k < x.Values.size(); ++k)
            if (!x.Values[k].Identical(y.Values[k])) return false;
    }
    return true;
}

// ---- SQL

namespace {
enum class Kind { Number, Text, Date, None };

Kind kindOf(TFieldType type, TDbEngine engine)
{
    switch (type) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftLargeint:
    case ftAutoInc: return Kind::Number;
    case ftString:
    case ftWideString: return Kind::Text;
    // Blank-padded on PostgreSQL, where trailing blanks do not count.
    case ftFixedChar: return engine == TDbEngine::SQLite ? Kind::Text : Kind::None;
    case ftDate:
    case ftDateTime: return Kind::Date;
    // SQLite keeps a time without its day; the bound value would carry one.
    case ftTime: return engine == TDbEngine::PostgreSQL ? Kind::Date : Kind::None;
    default: return Kind::None;
    }
}

bool valueFits(const Variant& v, Kind kind)
{
    switch (kind) {
    case Kind::Number: return v.Type() == VarType::Integer || v.Type() == VarType::Float;
    case Kind::Text: return v.IsString();
    case Kind::Date: return v.Type() == VarType::DateTime;
    default: return false;
    }
}

bool isAscii(const AnsiString& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

AnsiString quoted(const AnsiString& name)
{
    AnsiString q = "\"";
    for (char c : name) q += c == '"' ? AnsiString("\"\"") : AnsiString(1, c);
    return q + "\"";
}

struct Builder {
    Kind kind;
    TDbEngine engine;
    bool caseInsensitive;
    AnsiString column;  // quoted
    TFieldType type;
    std::vector<TBindValue>& binds;

    bool sqlite() const { return engine == TDbEngine::SQLite; }
    // SQLite keeps any value in any column, so an empty text may stand in a
    // column of numbers or dates; PostgreSQL only has it in texts.
    bool emptyTextPossible() const { return sqlite() || kind == Kind::Text; }
    AnsiString blank() const
    {
        return emptyTextPossible() ? "(" + column + " IS NULL OR " + column + " = '')" : "(" + column + " IS NULL)";
    }
    AnsiString nonBlank() const
    {
        return emptyTextPossible() ? "(" + column + " IS NOT NULL AND " + column + " <> '')"
                                   : "(" + column + " IS NOT NULL)";
    }
    AnsiString expr() const
    {
        switch (kind) {
        case Kind::Text:
            if (sqlite()) return caseInsensitive ? "upper(" + column + ")" : column + " COLLATE BINARY";
            return caseInsensitive ? "upper(" + column + " COLLATE \"C\")" : "(" + column + " COLLATE \"C\")";
        case Kind::Date: return sqlite() ? "julianday(" + column + ")" : column;
        default: return column;
        }
    }
    AnsiString placeholder(const Variant& value)
    {
        // Numbers go as they are: an integer column compared with 2.5 must not see 2.
        binds.push_back({value, kind == Kind::Text ? ftString : kind == Kind::Number ? ftUnknown : type});
        switch (kind) {
        case Kind::Text:
            if (sqlite()) return caseInsensitive ? "upper(?)" : "?";
            return caseInsensitive ? "upper(CAST(? AS text) COLLATE \"C\")" : "CAST(? AS text)";
        case Kind::Date: return sqlite() ? "julianday(?)" : "?";
        default: return "?";
        }
    }
    AnsiString condition(const TFieldCondition& c)
    {
        const char* op = nullptr;
        switch (c.Op) {
        case TFieldFilterOp::Blank: return blank();
        case TFieldFilterOp::NonBlank: return nonBlank();
        case TFieldFilterOp::Equal:
        case TFieldFilterOp::NotEqual: {
            AnsiString list;
            for (const Variant& v : c.Values) list += (list.empty() ? "" : ", ") + placeholder(v);
            AnsiString in = "(" + expr() + " IN (" + list + "))";
            return c.Op == TFieldFilterOp::Equal ? "(" + nonBlank() + " AND " + in + ")"
                                                 : "(" + blank() + " OR NOT " + in + ")";
        }
        case TFieldFilterOp::Greater: op = " > "; break;
        case TFieldFilterOp::GreaterEqual: op = " >= "; break;
        case TFieldFilterOp::Less: op = " < "; break;
        case TFieldFilterOp::LessEqual: op = " <= "; break;
        }
        return "(" + nonBlank() + " AND " + expr() + op + placeholder(c.Values.front()) + ")";
    }
};

bool answerable(const TFieldCondition& c, Kind kind)
{
    switch (c.Op) {
    case TFieldFilterOp::Blank:
    case TFieldFilterOp::NonBlank: return true;
    case TFieldFilterOp::Equal:
    case TFieldFilterOp::NotEqual:
        return !c.Values.empty() &&
               std::all_of(c.Values.begin(), c.Values.end(), [&](const Variant& v) { return valueFits(v, kind); });
    default:
        if (c.Values.empty() || !valueFits(c.Values.front(), kind)) return false;
        // The code page and UTF-8 order texts alike only where the value is ASCII.
        return kind != Kind::Text || isAscii(c.Values.front().StringValue());
    }
}
}  // namespace

bool FieldFilterSql(const TFieldFilter& filter, TFieldType type, TDbEngine engine, AnsiString& sql,
                    std::vector<TBindValue>& binds)
{
    if (engine != TDbEngine::SQLite && engine != TDbEngine::PostgreSQL) return false;
    Kind kind = kindOf(type, engine);
    if (kind == Kind::None || filter.Conditions.empty() || filter.FieldName.empty()) return false;
    for (const TFieldCondition& c : filter.Conditions)
        if (!answerable(c, kind)) return false;
    std::vector<TBindValue> values;
    Builder b{kind, engine, filter.CaseInsensitive && kind == Kind::Text, quoted(filter.FieldName), type, values};
    AnsiString text;
    for (const TFieldCondition& c : filter.Conditions)
        text += (text.empty() ? "" : filter.OrJoined ? " OR " : " AND ") + b.condition(c);
    sql = "(" + text + ")";
    binds.insert(binds.end(), values.begin(), values.end());
    return true;
}

namespace {
// The first word of a statement, after blanks and comments.
AnsiString firstWord(std::string_view sql)
{
    size_t i = 0;
    while (i < sql.size()) {
        if (std::isspace(static_cast<unsigned char>(sql[i]))) {
            ++i;
        } else if (sql.substr(i, 2) == "--") {
            size_t end = sql.find('\n', i);
            i = end == std::string_view::npos ? sql.size() : end + 1;
        } else if (sql.substr(i, 2) == "/*") {
            size_t end = sql.find("*/", i + 2);
            i = end == std::string_view::npos ? sql.size() : end + 2;
        } else if (sql[i] == '(') {
            ++i;
        } else {
            break;
        }
    }
    size_t start = i;
    while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i]))) ++i;
    return UpperCase(AnsiString(sql.substr(start, i - start)));
}

std::string_view withoutTrailingSemicolons(std::string_view sql)
{
    while (!sql.empty() && (std::isspace(static_cast<unsigned char>(sql.back())) || sql.back() == ';'))
        sql.remove_suffix(1);
    return sql;
}
}  // namespace

bool IsWrappableSelect(std::string_view sql)
{
    AnsiString word = firstWord(sql);
    // One statement only: a semicolon inside would end the sub-select.
    std::string_view body = withoutTrailingSemicolons(sql);
    return (word == "SELECT" || word == "WITH") && body.find(';') == std::string_view::npos;
}

AnsiString WrapInFilter(std::string_view sql, const std::vector<AnsiString>& conditions)
{
    AnsiString where;
    for (const AnsiString& c : conditions) where += (where.empty() ? "" : " AND ") + c;
    // The line break ends a comment on the statement's last line.
    return "SELECT * FROM (\n" + AnsiString(withoutTrailingSemicolons(sql)) + "\n) stockin_filtered WHERE " + where;
}

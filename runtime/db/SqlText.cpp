#include "SqlText.h"

namespace {

bool isNameChar(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

size_t SqlSkipQuotedOrComment(std::string_view sql, size_t at)
{
    const size_t n = sql.size();
    if (at >= n) return at;
    const char c = sql[at];
    if (c == '\'' || c == '"') {
        // A doubled quote stays inside; a double-byte character's second byte
        // is never taken for a quote.
        size_t j = at + 1;
        while (j < n) {
            if (sql[j] == c) {
                if (j + 1 < n && sql[j + 1] == c) {
                    j += 2;
                    continue;
                }
                break;
            }
            j += static_cast<size_t>(CharLengthAt(sql, j));
        }
        return j < n ? j + 1 : n;
    }
    if (c == '-' && at + 1 < n && sql[at + 1] == '-') {
        const size_t j = sql.find('\n', at);
        return j == std::string_view::npos ? n : j;
    }
    if (c == '/' && at + 1 < n && sql[at + 1] == '*') {
        const size_t j = sql.find("*/", at + 2);
        return j == std::string_view::npos ? n : j + 2;
    }
    return at;
}

TParsedSql ParseSqlParams(std::string_view sql)
{
    TParsedSql out;
    out.text.reserve(sql.size());
    size_t i = 0, n = sql.size();
    while (i < n) {
        char c = sql[i];
        if (size_t end = SqlSkipQuotedOrComment(sql, i); end != i) {
            out.text.append(sql.substr(i, end - i));
            i = end;
        } else if (c == ':' && i + 1 < n && sql[i + 1] == ':') {
            out.text.append("::");
            i += 2;
        } else if (c == ':' && i + 1 < n && isNameChar(static_cast<unsigned char>(sql[i + 1]))) {
            size_t j = i + 1;
            while (j < n && isNameChar(static_cast<unsigned char>(sql[j]))) ++j;
            out.names.emplace_back(sql.substr(i + 1, j - i - 1));
            out.text.push_back('?');
            i = j;
        } else {
            size_t len = CharLengthAt(sql, i);
            out.text.append(sql.substr(i, len));
            i += len;
        }
    }
    return out;
}

std::vector<AnsiString> DistinctParamNames(const TParsedSql& parsed)
{
    std::vector<AnsiString> names;
    for (const AnsiString& name : parsed.names) {
        bool seen = false;
        for (const AnsiString& n : names)
            if (SameText(n, name)) seen = true;
        if (!seen) names.push_back(name);
    }
    return names;
}

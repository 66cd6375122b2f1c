// The row-count statement of a query (rules in CountStatement.h).
#include "runtime/db/CountStatement.h"

#include "runtime/db/SqlText.h"

#include <cctype>
#include <vector>

namespace {

struct Word {
    size_t at;
    AnsiString upper;
};

bool isWordChar(unsigned char c) { return std::isalnum(c) || c == '_' || c >= 0x80; }

// The words outside quotes, comments and parentheses, in order.
std::vector<Word> topLevelWords(std::string_view sql)
{
    std::vector<Word> words;
    int depth = 0;
    size_t i = 0, n = sql.size();
    while (i < n) {
        char c = sql[i];
        if (size_t end = SqlSkipQuotedOrComment(sql, i); end != i) {
            i = end;
        } else if (c == '(') {
            ++depth, ++i;
        } else if (c == ')') {
            --depth, ++i;
        } else if (isWordChar(static_cast<unsigned char>(c))) {
            size_t j = i;
            while (j < n && isWordChar(static_cast<unsigned char>(sql[j]))) ++j;
            if (depth == 0) {
                AnsiString upper(sql.substr(i, j - i));
                for (char& u : upper) u = static_cast<char>(std::toupper(static_cast<unsigned char>(u)));
                words.push_back({i, std::move(upper)});
            }
            i = j;
        } else {
            ++i;
        }
    }
    return words;
}

}  // namespace

AnsiString CountStatement(std::string_view select)
{
    size_t end = select.size();
    while (end > 0 && (std::isspace(static_cast<unsigned char>(select[end - 1])) || select[end - 1] == ';')) --end;
    select = select.substr(0, end);
    std::vector<Word> words = topLevelWords(select);
    for (size_t w = words.size(); w-- > 1;) {
        if (words[w - 1].upper != "ORDER" || words[w].upper != "BY") continue;
        bool limits = false;
        for (size_t k = w + 1; k < words.size(); ++k)
            for (const char* word : {"LIMIT", "OFFSET", "FETCH", "ROWS", "FOR"})
                if (words[k].upper == word) limits = true;
        if (!limits) select = select.substr(0, words[w - 1].at);
        break;
    }
    return "SELECT COUNT(*) FROM (" + AnsiString(select) + "\n) counted_rows";
}

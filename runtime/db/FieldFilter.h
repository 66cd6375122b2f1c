#pragma once
// Conditions on one field's values, with the one set of rules that decides
// whether a value meets them, whichever side evaluates them: a control over
// the records in memory (Holds), or the database, when a query takes them
// into its statement (FieldFilterSql; TQuery::SetFieldFilters).
//
// The rules:
// - A blank value is Null or the empty text. Blanks meet Blank and
//   NotEqual (a blank equals no value) and nothing else; NonBlank is met by
//   every other value.
// - Equal is met by a value equal to any of Values, NotEqual by a blank or a
//   value equal to none of them. The ordering operators compare with
//   Values[0]. Values never hold blanks (Normalize drops them; an Equal left
//   without values becomes Blank, a NotEqual NonBlank).
// - Values compare as Variants do: numbers and dates by value, texts by the
//   bytes of the code page; with CaseInsensitive texts fold ASCII letters to
//   upper case first (CompareText).
// - A field filter holds when all its conditions hold (any, when OrJoined).
//
// Rules that are easy to break:
// - FieldFilterSql says no rather than risk another answer: only data fields
//   of plain types, only SQLite and PostgreSQL, text ordering only against
//   values in ASCII (where the code page and UTF-8 order alike), no time
//   fields on SQLite. Whatever it takes, the query must answer exactly as
//   Holds would; the grid's tests compare both on a table of conditions.

#include "DBTypes.h"
#include "runtime/Variant.h"

#include <vector>

struct TBindValue;
enum class TDbEngine;

namespace DBText {
inline constexpr const char* CannotFilter = "Dataset '%s' cannot evaluate a filter on field '%s'";
inline constexpr const char* UpdatesPending = "Cannot reopen dataset '%s' while it holds unapplied changes";
}  // namespace DBText

enum class TFieldFilterOp : uint8_t { Equal, NotEqual, Greater, GreaterEqual, Less, LessEqual, Blank, NonBlank };

bool IsBlankValue(const Variant& value);

struct TFieldCondition {
    TFieldFilterOp Op = TFieldFilterOp::Equal;
    std::vector<Variant> Values;

    bool Holds(const Variant& value, bool caseInsensitive) const;
    // Drops blank values; an Equal without values becomes Blank, a NotEqual
    // NonBlank, an ordering without its value NonBlank.
    void Normalize();
};

struct TFieldFilter {
    AnsiString FieldName;
    std::vector<TFieldCondition> Conditions;
    bool OrJoined = false;
    bool CaseInsensitive = false;

    bool Holds(const Variant& value) const;
    friend bool operator==(const TFieldFilter& a, const TFieldFilter& b);
};

// The condition of a WHERE clause for `filter` on the result column
// `column` of type `type` (quoted here), with its values to bind in order;
// false, and nothing written, when the engine cannot answer exactly as
// Holds does.
bool FieldFilterSql(const TFieldFilter& filter, TFieldType type, TDbEngine engine, AnsiString& sql,
                    std::vector<TBindValue>& binds);
// A SELECT or WITH statement can be wrapped in a filtering SELECT.
bool IsWrappableSelect(std::string_view sql);
// `sql` (with "?" placeholders) as a sub-select filtered by `conditions`
// (WHERE clauses joined by AND).
AnsiString WrapInFilter(std::string_view sql, const std::vector<AnsiString>& conditions);

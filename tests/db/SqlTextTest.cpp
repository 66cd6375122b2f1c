#include "runtime/db/Database.h"
#include "runtime/db/SqlText.h"

#include <gtest/gtest.h>

TEST(SqlText, NamedParametersBecomePlaceholders)
{
    struct Case {
        const char* sql;
        const char* text;
        std::vector<AnsiString> names;
    } cases[] = {
        {"SELECT * FROM T WHERE A=:A AND B = :b_2", "SELECT * FROM T WHERE A=? AND B = ?", {"A", "b_2"}},
        {"WHERE A=:X OR B=:X", "WHERE A=? OR B=?", {"X", "X"}},
        {"SELECT ':NOT', \"a:b\" FROM T", "SELECT ':NOT', \"a:b\" FROM T", {}},
        {"SELECT 'it''s :no' , :YES", "SELECT 'it''s :no' , ?", {"YES"}},
        {"SELECT x::text -- :comment\n, :P /* :also */", "SELECT x::text -- :comment\n, ? /* :also */", {"P"}},
        {"SELECT a : b, :", "SELECT a : b, :", {}},
        {"SELECT 'unterminated :P", "SELECT 'unterminated :P", {}},
    };
    for (const Case& c : cases) {
        TParsedSql parsed = ParseSqlParams(c.sql);
        EXPECT_EQ(parsed.text, c.text) << c.sql;
        EXPECT_EQ(parsed.names, c.names) << c.sql;
    }
    EXPECT_EQ(DistinctParamNames(ParseSqlParams("a=:X or b=:x or c=:Y")), (std::vector<AnsiString>{"X", "Y"}));
}

TEST(SqlText, IsoDatesRoundTripAndRejectJunk)
{
    struct Case {
        const char* text;
        bool ok;
        TDateTime value;
    } cases[] = {
        {"2003-03-10 10:00:00", true, EncodeDateTime(2003, 3, 10, 10, 0, 0, 0)},
        {"2003-03-10T10:00", true, EncodeDateTime(2003, 3, 10, 10, 0, 0, 0)},
        {"2003-03-10", true, EncodeDate(2003, 3, 10)},
        {"2003-03-10 10:00:00.5", true, EncodeDateTime(2003, 3, 10, 10, 0, 0, 500)},
        {"1899-12-29 06:00:00", true, -1.25},
        {"2003-02-30", false, 0},
        {"2003-03-10 25:00", false, 0},
        {"2003-3-10", false, 0},
        {"2003-03-10 10:00:00x", false, 0},
        {"", false, 0},
    };
    for (const Case& c : cases) {
        TDateTime v = 0;
        EXPECT_EQ(ParseIsoDateTime(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_NEAR(v, c.value, 1e-9) << c.text;
            TDateTime back = 0;
            ASSERT_TRUE(ParseIsoDateTime(IsoDateTimeText(v), back)) << IsoDateTimeText(v);
            EXPECT_NEAR(back, v, 1e-9);
        }
    }
}

#pragma once
// The accumulators of SUM, AVG, MIN, MAX and COUNT, held by the data band
// whose records feed them.
//
// A key names one call in one band: fields, each followed by the character
// code 1, of the band that prints the call (the owner), the function code
// (11 SUM, 12 MIN, 13 MAX, 14 AVG, 15 COUNT), the first argument's text as
// written and the flag text. A band that also prints cross-tab cells puts a
// column field in front ("0" for the pattern that each column copies).
//
// Rules that are easy to break:
// - Each key counts the records it took itself: AVG divides by that count, so
//   one owner's reset never touches another owner's AVG, and records skipped
//   while the band was hidden are not counted. AVG over no records is 0.
// - MAX and MIN take the first record's value whatever it is; over no records
//   MAX stays 0 and MIN 1e300 (templates test for them).
// - A Null value and a Null accumulator count as 0.

#include "report/language/ReportContext.h"
#include "runtime/AnsiString.h"
#include "runtime/Variant.h"

#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

inline constexpr char AggregateFieldEnd = '\x01';

// The key of a call: [column] owner, code, expression, flag.
AnsiString MakeAggregateKey(std::string_view owner, TrqAggregateFunction function, std::string_view expression,
                            std::string_view flag, std::string_view column = {}, bool withColumn = false);
// The value an accumulator starts from: 1e300 for MIN, the integer 0 otherwise.
Variant AggregateInitialValue(TrqAggregateFunction function);

class TrqAggregateSet {
public:
    struct Item {
        AnsiString Key;
        bool HasColumn = false;
        AnsiString Column;
        AnsiString Owner;
        TrqAggregateFunction Function = TrqAggregateFunction::Sum;
        AnsiString Expression;
        bool CountsHidden = false;  // the flag is 1
        Variant Value;
        int Count = 0;  // records this accumulator took since its last reset
    };

    // Adds an accumulator at its initial value; nothing when the key exists.
    void Register(const AnsiString& key);
    Item* Find(std::string_view key);
    std::vector<Item>& Items() { return items_; }
    bool Empty() const { return items_.empty(); }

    // One record of the band. `evaluate` gives an expression's value;
    // `visible` is the band's visibility. With `column` (a band with cross-tab
    // cells) only the keys of that column take the record; the "0" keys are
    // copied for it first.
    void Accumulate(const std::function<Variant(const AnsiString&)>& evaluate, bool visible,
                    const AnsiString* column = nullptr);
    // Every accumulator of the owner (any letter case) back to its start.
    void Reset(std::string_view owner);
    // The value of a key (AVG divided by its count); Null for a key not held.
    Variant Value(std::string_view key);

    int RecordCount = 0;  // records the band processed since the last reset

private:
    Item& add(const AnsiString& key);
    std::vector<Item> items_;
    std::unordered_map<AnsiString, size_t> index_;
};

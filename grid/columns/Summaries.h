#pragma once
// The grid's summaries: the footer under the data rows (a column's
// SummaryFooterType) and the group rows (a grid column's SummaryType and the
// items of summary groups). Every full load computes all of them the same
// way, through a summary slot: prepared before the first record, each record
// added while the dataset reads it, finished with the number of records.
// Nothing else changes a value; clearing the nodes outside a load resets it.
// How a summary is summed and how its value reads as text is decided here
// and nowhere else.
//
// Rules that are easy to break:
// - A record's value is its field's value as a float: a null, a missing field
//   and every record of a count give 0. The slot's hook (OnSummaryFooter,
//   OnSummary) may then replace it, with the dataset on the record.
// - The first record sets the value of every kind; then Sum and Avg add, Min
//   keeps the smaller, Max the larger. Finish makes Count the number of
//   records and divides Avg by it (an empty load leaves 0).
// - A value is an extended float (long double) until it is shown.
//
// Texts: a value is shown with its format, or the default format of its kind
// when the format is empty:
//   footer row: sum "0.00;-0.00", min "MIN=0.00;MIN=-0.00", max
//   "MAX=0.00;MAX=-0.00", count "0", average "AVG=0.00;AVG=-0.00";
//   group rows: the same in brackets, "(SUM=0.00);(SUM=-0.00)", "(COUNT=0)", ...
// Counts, and values of fields that are no date or time (or of no field), go
// through the number patterns of FormatFloat: a format without digit
// placeholders shows only its own characters. Values of date, time and
// date-time fields (except counts) are a prefix followed by the value in the
// locale's short date, short time, or short date and short time; the prefix is
// the format when one is set, else the default prefix of the kind ("", "MIN=",
// "MAX=", "AVG="; in group rows "(SUM=", "(MIN=", ... and a closing ")").

#include "runtime/AnsiString.h"
#include "runtime/FormatSettings.h"

#include <cstdint>
#include <functional>

class TComponent;
class TDataSet;
class TField;

// The summary kinds of footers and group rows.
enum TqvSummaryType : uint8_t { cstNone, cstSum, cstMin, cstMax, cstCount, cstAvg };
enum class SummaryFieldKind { Other, Date, Time, DateTime };

// OnSummaryFooter, OnSummary: the value of the record the dataset stands on,
// to replace.
using TqvSummaryEvent = std::function<void(TComponent* Sender, TDataSet* DataSet, long double& Value)>;

// What a summary collects: the value so far and whether a record was added.
struct TqvSummaryValue {
    long double Value = 0;
    bool Initialized = false;

    void Reset() { *this = {}; }
    void Add(TqvSummaryType kind, long double value);
    void Finish(TqvSummaryType kind, int count);
};

// One summary of a load: its kind, the field it reads, the hook that may
// replace a record's value, and the value.
class TqvSummarySlot {
public:
    // Before the first record: the value back to zero; `hook` (if set) is
    // called with `sender` for every record.
    void Prepare(TqvSummaryType type, TField* field, const TqvSummaryEvent* hook = nullptr,
                 TComponent* sender = nullptr);
    // The record the dataset is reading.
    void Add(TDataSet* dataSet);
    // After the last of `count` records.
    void Finish(int count) { value_.Finish(type_, count); }
    // Zero, and no field (the nodes went outside a load).
    void Reset();
    // The field went away.
    void ForgetField() { field_ = nullptr; }

    TqvSummaryType Type() const { return type_; }
    // The field found by Prepare; null when none.
    TField* Field() const { return field_; }
    // What the field holds, for the texts of dates and times.
    SummaryFieldKind FieldKind() const { return fieldKind_; }
    long double Value() const { return value_.Value; }

private:
    TqvSummaryType type_ = cstNone;
    TField* field_ = nullptr;
    SummaryFieldKind fieldKind_ = SummaryFieldKind::Other;
    const TqvSummaryEvent* hook_ = nullptr;
    TComponent* sender_ = nullptr;
    TqvSummaryValue value_;
};

// The field a summary names: null without a dataset or a name, or when the
// dataset has no such field.
TField* FindSummaryField(TDataSet* dataSet, const AnsiString& name);

// The default number format of a kind ("" for cstNone or an unknown kind).
const char* DefaultSummaryFormat(TqvSummaryType kind, bool groupRow = false);

AnsiString SummaryText(TqvSummaryType kind, std::string_view format, long double value,
                       SummaryFieldKind field = SummaryFieldKind::Other, bool groupRow = false,
                       const TFormatSettings& settings = FormatSettings());

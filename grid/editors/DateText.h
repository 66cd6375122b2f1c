#pragma once
// The date editor's texts: how a date is shown (the long form, or the short
// date through the edit mask) and how a typed text is read back, including
// the keywords (TODAY, YESTERDAY, TOMORROW, SUNDAY ... SATURDAY, FIRST ...
// SEVENTH, BOM, EOM, NOW, each optionally followed by +n or -n days).
//
// Rules that are easy to break:
// - What the editor shows must read back as the same date: the long form is
//   read by its own pattern (TryReadDatePattern, beside FormatDateTime in the
//   runtime, which writes it) before the system's short-form conversion.
// - A keyword counts only when nothing or a +n / -n follows it ("TODAYS" is
//   no keyword); an unreadable number after the sign is ignored.
// - The clock is a parameter, so that keywords can be tested.

#include "runtime/AnsiString.h"
#include "runtime/DateTime.h"

// The value that stands for "no date" (days).
inline constexpr double NoDate = -700000.0;

// The long form: the long date, then a blank and the long time when the
// value has a time of day.
AnsiString LongDateText(TDateTime value, const TFormatSettings& settings = FormatSettings());

// Reads a date keyword with its optional offset; `now` is the current date-time.
bool TryReadDateKeyword(std::string_view text, TDateTime now, TDateTime& date);

// Reads a typed date: empty means no date (NoDate); then a keyword, the long
// form (with an optional time), the system's conversion. False when unreadable.
bool TryReadDateText(std::string_view text, TDateTime now, TDateTime& date,
                     const TFormatSettings& settings = FormatSettings());

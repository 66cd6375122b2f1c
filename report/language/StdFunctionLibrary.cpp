#include "report/language/StdFunctionLibrary.h"

#include "report/language/Globals.h"
#include "runtime/DateTime.h"
#include "runtime/Dialogs.h"
#include "runtime/EditMask.h"
#include "runtime/NumberFormat.h"

#include <cctype>

namespace {

enum StdFunction {
    fnAvg,
    fnCount,
    fnDayOf,
    fnFormatDateTime,
    fnFormatFloat,
    fnFormatText,
    fnInput,
    fnLength,
    fnLowerCase,
    fnMax,
    fnMaxNum,
    fnMessageBox,
    fnMin,
    fnMinNum,
    fnMonthOf,
    fnNameCase,
    fnPos,
    fnSum,
    fnTrim,
    fnUpperCase,
    fnYearOf,
};

const char* const functionNames[] = {"AVG",       "COUNT",      "DAYOF",   "FORMATDATETIME", "FORMATFLOAT",
                                     "FORMATTEXT", "INPUT",     "LENGTH",  "LOWERCASE",      "MAX",
                                     "MAXNUM",    "MESSAGEBOX", "MIN",     "MINNUM",         "MONTHOF",
                                     "NAMECASE",  "POS",        "SUM",     "TRIM",           "UPPERCASE",
                                     "YEAROF"};

Variant evaluated(const Variant& argument)
{
    return rqParser().Evaluate(argument.AsString());
}

AnsiString evaluatedText(const Variant& argument)
{
    return evaluated(argument).AsString();
}

DateParts dateOf(const Variant& argument)
{
    DateParts parts;
    DecodeDateTime(evaluated(argument).AsDateTime(), parts);
    return parts;
}

AnsiString nameCase(const AnsiString& text)
{
    AnsiString result = LowerCase(text);
    if (!result.empty() && !IsLeadByte(static_cast<unsigned char>(result[0])))
        result[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(result[0])));
    return result;
}

int position(const AnsiString& part, const AnsiString& text)
{
    if (part.empty()) return 0;
    size_t at = text.find(part);
    return at == AnsiString::npos ? 0 : static_cast<int>(at) + 1;
}

void aggregate(TrqAggregateFunction function, const Variant& p1, const Variant& p2, const Variant& p3,
               Variant& value)
{
    if (TrqReportContext* report = ReportContext()) report->CallAggregate(function, p1, p2, p3, value);
}

}  // namespace

TrqStdFunctionLibrary::TrqStdFunctionLibrary()
{
    list_.assign(std::begin(functionNames), std::end(functionNames));
}

void TrqStdFunctionLibrary::CallFunctionAt(int number, const Variant& p1, const Variant& p2, const Variant& p3,
                                           Variant& value)
{
    value = Variant("0");
    switch (number) {
    case fnAvg: aggregate(TrqAggregateFunction::Avg, p1, p2, p3, value); break;
    case fnCount: aggregate(TrqAggregateFunction::Count, p1, p2, p3, value); break;
    case fnMax: aggregate(TrqAggregateFunction::Max, p1, p2, p3, value); break;
    case fnMin: aggregate(TrqAggregateFunction::Min, p1, p2, p3, value); break;
    case fnSum: aggregate(TrqAggregateFunction::Sum, p1, p2, p3, value); break;
    case fnDayOf: value = Variant(dateOf(p1).day); break;
    case fnMonthOf: value = Variant(dateOf(p1).month); break;
    case fnYearOf: value = Variant(dateOf(p1).year); break;
    case fnFormatDateTime: {
        AnsiString pattern = evaluatedText(p1);
        value = Variant(FormatDateTime(pattern, evaluated(p2).AsDateTime()));
        break;
    }
    case fnFormatFloat: {
        AnsiString pattern = evaluatedText(p1);
        value = Variant(FormatFloat(pattern, evaluated(p2).AsFloat()));
        break;
    }
    case fnFormatText: {
        // Literal characters are not part of the value; a blank fills the gaps.
        AnsiString mask = evaluatedText(p1) + ";0; ";
        value = Variant(FormatMaskText(mask, evaluatedText(p2)));
        break;
    }
    case fnInput: {
        AnsiString prompt = evaluatedText(p1);
        value = Variant(InputBox("", prompt, evaluatedText(p2)));
        break;
    }
    case fnLength: value = Variant(static_cast<long long>(evaluatedText(p1).size())); break;
    case fnLowerCase: value = Variant(LowerCase(evaluatedText(p1))); break;
    case fnUpperCase: value = Variant(UpperCase(evaluatedText(p1))); break;
    case fnNameCase: value = Variant(nameCase(evaluatedText(p1))); break;
    case fnTrim: value = Variant(Trim(evaluatedText(p1))); break;
    case fnPos: {
        AnsiString part = evaluatedText(p1);
        value = Variant(position(part, evaluatedText(p2)));
        break;
    }
    case fnMaxNum:
    case fnMinNum: {
        Variant a = evaluated(p1);
        Variant b = evaluated(p2);
        bool first = number == fnMaxNum ? a > b : a < b;
        value = first ? a : b;
        break;
    }
    case fnMessageBox: {
        AnsiString text = evaluatedText(p1);
        AnsiString caption = evaluatedText(p2);
        unsigned flags = static_cast<unsigned>(evaluated(p3).AsInteger());
        value = Variant(MessageBox(text, caption, flags));
        break;
    }
    default: break;
    }
}

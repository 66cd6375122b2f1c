#include "report/format/FixedFormats.h"

#include "report/texts/EngineTexts.h"

namespace {
constexpr int DescriptionBase = 55150;
constexpr int BooleanBase = 55170;
constexpr int DateBase = 55175;
constexpr int TimeBase = 55179;
}  // namespace

const TrqFixedFormats& FixedFormats()
{
    static const TrqFixedFormats formats = [] {
        TrqFixedFormats f;
        for (int i = 0; i < 4; ++i) {
            f.Date[i] = TrqLocale::LoadText(DateBase + i);
            f.Time[i] = TrqLocale::LoadText(TimeBase + i);
            f.Boolean[i] = TrqLocale::LoadText(BooleanBase + i);
        }
        return f;
    }();
    return formats;
}

AnsiString FormatKindDescription(int category, int kind)
{
    if (category < 0 || category > 4 || kind < 0 || kind > 4) return {};
    return TrqLocale::LoadText(DescriptionBase + category * 5 + kind);
}

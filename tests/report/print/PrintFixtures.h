#pragma once
// Reports of a few prepared pages for the print tests: each page carries its
// number as text ("Page 1", "第1页"), on A4 portrait unless told otherwise.

#include "report/pages/PreparedFixtures.h"
#include "report/printer/Printer.h"

#include <string>

namespace fixtures {
struct PaperOf {
    int32_t size = 9, width = 2100, height = 2970;
    uint8_t orientation = poPortrait;
};
inline const PaperOf A4Portrait{9, 2100, 2970, poPortrait};
inline const PaperOf A4Landscape{9, 2970, 2100, poLandscape};
inline const PaperOf A5Landscape{11, 2100, 1480, poLandscape};

// Appends a page on that paper (geometry from the printing layer).
inline int AddNumberedPage(TrqReport& report, int number, const PaperOf& paper = A4Portrait)
{
    TrqPage& tmpl = *report.Pages()[0];
    tmpl.ChangePaper(paper.size, paper.width, paper.height, -1, paper.orientation);
    const std::string text = "Page " + std::to_string(number);
    const AnsiString chinese = Ansi(u8"第") + std::to_string(number) + Ansi(u8"页 入库发票");
    auto latin = Memo(40, 40, 300, 24, {text});
    auto cjk = Memo(40, 80, 300, 24, {chinese});
    cjk->Font.Name = Ansi(u8"宋体");
    cjk->Font.Charset = GB2312_CHARSET;
    return AddPage(report, {latin.get(), cjk.get()});
}
}  // namespace fixtures

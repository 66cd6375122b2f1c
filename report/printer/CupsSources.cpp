#include "report/printer/CupsSources.h"

#include <cups/cups.h>
#include <cups/ppd.h>

#include <unistd.h>

#include <memory>
#include <string_view>

namespace {
// PPD texts are in the PPD's own encoding: UTF-8 where it says so, else
// Latin-1 as a rule.
std::string ppdTextToUtf8(const char* text, const char* encoding)
{
    if (encoding && std::string_view(encoding) == "UTF-8") return text;
    std::string utf8;
    for (const unsigned char c : std::string_view(text)) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

// The texts (UTF-8) of the InputSlot choices of the printer's PPD, in its order; empty
// when the printer has no PPD. The scheduler makes its sources from these
// choices in the same order, but names them only by keyword.
std::vector<std::string> inputSlotTexts(const std::string& printer)
{
    std::vector<std::string> texts;
    char file[1024] = "";
    time_t modified = 0;
    // The PPD interface is the only one that carries these texts.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (cupsGetPPD3(CUPS_HTTP_DEFAULT, printer.c_str(), &modified, file, sizeof file) != HTTP_STATUS_OK) return texts;
    if (ppd_file_t* ppd = ppdOpenFile(file)) {
        if (ppd_option_t* slots = ppdFindOption(ppd, "InputSlot"))
            for (int i = 0; i < slots->num_choices; ++i) texts.push_back(ppdTextToUtf8(slots->choices[i].text, ppd->lang_encoding));
        ppdClose(ppd);
    }
#pragma GCC diagnostic pop
    unlink(file);
    return texts;
}
}  // namespace

std::vector<TrqPaperSource> CupsPaperSources(const AnsiString& printerName)
{
    std::vector<TrqPaperSource> sources;
    const std::string name = AnsiToUtf8(printerName);
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
    if (!dest) return sources;
    std::unique_ptr<cups_dest_t, void (*)(cups_dest_t*)> destOwner(dest, [](cups_dest_t* d) { cupsFreeDests(1, d); });
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    if (!info) return sources;
    std::unique_ptr<cups_dinfo_t, void (*)(cups_dinfo_t*)> infoOwner(info, cupsFreeDestInfo);
    ipp_attribute_t* supported = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "media-source");
    const int count = supported ? ippGetCount(supported) : 0;
    const std::vector<std::string> texts = count > 0 ? inputSlotTexts(name) : std::vector<std::string>();
    for (int i = 0; i < count; ++i) {
        const char* keyword = ippGetString(supported, i, nullptr);
        if (!keyword || !*keyword) continue;
        const char* localized = cupsLocalizeDestValue(CUPS_HTTP_DEFAULT, dest, info, "media-source", keyword);
        TrqPaperSource source;
        source.Code = static_cast<int32_t>(sources.size()) + 1;
        source.Keyword = Utf8ToAnsi(keyword);
        // The scheduler's own name when it has one, else the PPD's.
        if (localized && *localized && std::string(localized) != keyword) source.Name = Utf8ToAnsi(localized);
        else if (texts.size() == static_cast<size_t>(count)) source.Name = Utf8ToAnsi(texts[static_cast<size_t>(i)]);
        else source.Name = Utf8ToAnsi(keyword);
        sources.push_back(std::move(source));
    }
    return sources;
}

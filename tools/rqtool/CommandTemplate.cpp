// rqtool template dump FILE            prints a template as JSON
// rqtool template build FILE.json -o FILE.rqf   writes a version-24 template
#include "RqCommand.h"

#include "report/model/Report.h"
#include "report/stream/TemplateJson.h"
#include "runtime/Exceptions.h"
#include "runtime/Streams.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {
int dump(const CommandLine& line)
{
    const std::string& file = line.Arguments()[0];
    TrqReport report;
    if (!report.LoadFromFile(Utf8ToAnsi(file))) {
        std::fprintf(stderr, "rqtool template: %s: no such file\n", file.c_str());
        return 1;
    }
    std::string json = TemplateToJson(report);
    std::fwrite(json.data(), 1, json.size(), stdout);
    // The engine's message went to standard error; the JSON shows what was loaded anyway.
    return report.LoadMessage().empty() ? 0 : 1;
}

int build(const CommandLine& line)
{
    if (!line.IsSet("o")) throw RqUsageError{"build needs FILE.json and -o FILE.rqf"};
    const std::string& input = line.Arguments()[0];
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "rqtool template: %s: cannot read\n", input.c_str());
        return 1;
    }
    std::string json((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TrqReport report;
    TemplateFromJson(report, json);
    report.SaveToFile(Utf8ToAnsi(line.Value("o")));
    return 0;
}

RqCommand dumpCommand("template dump",
                      {.synopsis = "FILE.rqf",
                       .summary = "Print a report template as JSON.",
                       .arguments = {{"FILE.rqf", "The template file."}}},
                      dump);

RqCommand buildCommand("template build",
                       {.synopsis = "FILE.json -o FILE.rqf",
                        .summary = "Write a report template (version 24) from its JSON form.",
                        .options = {{{"o"}, "FILE.rqf", "The template file to write."}},
                        .arguments = {{"FILE.json", "The template as JSON, as template dump prints it."}}},
                       build);

}  // namespace

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
int dump(const RqArgs& args)
{
    if (args.size() != 2) throw RqUsageError{"dump takes one template file"};
    AnsiString fileName = Utf8ToAnsi(args[1]);
    TrqReport report;
    if (!report.LoadFromFile(fileName)) {
        std::fprintf(stderr, "rqtool template: %s: no such file\n", args[1].c_str());
        return 1;
    }
    std::string json = TemplateToJson(report);
    std::fwrite(json.data(), 1, json.size(), stdout);
    // The engine's message went to standard error; the JSON shows what was loaded anyway.
    return report.LoadMessage().empty() ? 0 : 1;
}

int build(const RqArgs& args)
{
    std::string input, output;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) output = args[++i];
        else if (input.empty() && args[i] != "-o") input = args[i];
        else throw RqUsageError{"unexpected argument '" + args[i] + "'"};
    }
    if (input.empty() || output.empty()) throw RqUsageError{"build needs FILE.json and -o FILE.rqf"};
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "rqtool template: %s: cannot read\n", input.c_str());
        return 1;
    }
    std::string json((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TrqReport report;
    TemplateFromJson(report, json);
    report.SaveToFile(Utf8ToAnsi(output));
    return 0;
}

int run(const RqArgs& args)
{
    if (args.empty()) throw RqUsageError{"dump or build?"};
    if (args[0] == "dump") return dump(args);
    if (args[0] == "build") return build(args);
    throw RqUsageError{"unknown template command '" + args[0] + "'"};
}

RqCommand command("template", "dump FILE.rqf | build FILE.json -o FILE.rqf",
                  "print a report template as JSON, or write one from JSON", run);
}  // namespace

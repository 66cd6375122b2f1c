#include "HostOptions.h"

const CommandLineSpec& HostCommandLine()
{
    static const CommandLineSpec spec{
        .program = "stockin-host",
        .synopsis = "[OPTION]...",
        .summary = "Opens the document database, loads the audit module and calls its showdll from a small "
                   "main window (button or menu).",
        .options =
            {
                {{"db"}, "SPEC",
                 "The database: FILE.sqlite, postgresql://USER@HOST:PORT/DB (?host=/socket/dir for a Unix "
                 "socket), or odbc:DSN. Default: the demo database in the user's data directory, created with "
                 "demo documents on first run. A database without the document tables gets them, with demo "
                 "data."},
                {{"module"}, "FILE",
                 "The module to load (default: libstockin_audit.so installed with this program)."},
                {{"templates"}, "DIR",
                 "The directory of the report templates; the module runs in it, as it reads its templates from "
                 "the current directory (default: the templates installed with this program)."},
                {{"company"}, "CODE",
                 "Parameter 0: the company whose documents are shown (default 110101, a company of the demo "
                 "data)."},
                {{"param1"}, "TEXT", "Parameter 1 (not read by the module)."},
                {{"auditor"}, "CODE", "Parameter 2: the auditor's code (default 0101)."},
                {{"auditor-name"}, "NAME", "Parameter 3: the auditor's name (default 赵敏)."},
                {{"audit-date"}, "TEXT",
                 "Parameter 4: the default audit date in the short date and time format (default: now)."},
                {{"access"}, "MODE",
                 "Parameter 5: R (either case) for read-only; anything else is full access (default W)."},
                {{"param6"}, "TEXT", "Parameter 6 (not read by the module)."},
                {{"param7"}, "TEXT", "Parameter 7 (not read by the module)."},
                {{"height"}, "N",
                 "Parameter 8: the audit window's client height (default: this program's main window)."},
                {{"width"}, "N",
                 "Parameter 9: the audit window's client width (default: this program's main window)."},
                {{"top"}, "N",
                 "Parameter 10: the audit window's screen position from the top (default: this program's main "
                 "window)."},
                {{"left"}, "N",
                 "Parameter 11: the audit window's screen position from the left (default: this program's main "
                 "window)."},
                {{"open"}, "", "Call showdll at once."},
                {{"screenshot"}, "FILE",
                 "Save a picture of the screen once the audit window shows, then close the window and quit "
                 "(checks, documentation)."},
            },
        .version = true,
    };
    return spec;
}

HostOptions ParseHostOptions(const std::vector<std::string>& args)
{
    CommandLine line(HostCommandLine(), args);
    HostOptions o;
    o.help = line.HelpRequested();
    o.version = line.VersionRequested();
    auto take = [&](const char* name, std::string& field) { field = line.Value(name, field); };
    auto takeOptional = [&](const char* name, std::optional<std::string>& field) {
        if (line.IsSet(name)) field = line.Value(name);
    };
    take("db", o.database);
    take("module", o.module);
    take("templates", o.templates);
    take("company", o.company);
    take("param1", o.param1);
    take("auditor", o.auditorCode);
    take("auditor-name", o.auditorName);
    takeOptional("audit-date", o.auditDate);
    take("access", o.access);
    take("param6", o.param6);
    take("param7", o.param7);
    takeOptional("height", o.height);
    takeOptional("width", o.width);
    takeOptional("top", o.top);
    takeOptional("left", o.left);
    take("screenshot", o.screenshot);
    o.open = line.IsSet("open") || line.IsSet("screenshot");
    return o;
}

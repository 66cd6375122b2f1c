#include "HostOptions.h"

#include <stdexcept>

const char* HostUsage()
{
    return "Usage: stockin-host [OPTION]...\n"
           "Opens the document database, loads the audit module and calls its showdll\n"
           "from a small main window (button or menu).\n"
           "\n"
           "  --db SPEC            the database: FILE.sqlite, postgresql://USER@HOST:PORT/DB\n"
           "                       (?host=/socket/dir for a Unix socket), or odbc:DSN.\n"
           "                       Default: the demo database in the user's data directory,\n"
           "                       created with demo documents on first run. A database\n"
           "                       without the document tables gets them, with demo data.\n"
           "  --module FILE        the module to load (default: libstockin_audit.so beside\n"
           "                       this program)\n"
           "  --company CODE       parameter 0: the company whose documents are shown\n"
           "                       (default 110101, a company of the demo data)\n"
           "  --param1 TEXT        parameter 1 (not read by the module)\n"
           "  --auditor CODE       parameter 2: the auditor's code (default 0101)\n"
           "  --auditor-name NAME  parameter 3: the auditor's name (default 赵敏)\n"
           "  --audit-date TEXT    parameter 4: the default audit date in the short date and\n"
           "                       time format (default: now)\n"
           "  --access MODE        parameter 5: R (either case) for read-only; anything else\n"
           "                       is full access (default W)\n"
           "  --param6 TEXT, --param7 TEXT   parameters 6 and 7 (not read by the module)\n"
           "  --height N, --width N, --top N, --left N\n"
           "                       parameters 8 to 11: the audit window's client height and\n"
           "                       width and its screen position (default: this program's\n"
           "                       main window)\n"
           "  --open               call showdll at once\n"
           "  --screenshot FILE    save a picture of the screen once the audit window shows,\n"
           "                       then close the window and quit (checks, documentation)\n"
           "  --help               this text\n";
}

HostOptions ParseHostOptions(const std::vector<std::string>& args)
{
    HostOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) throw std::invalid_argument("option " + a + " needs a value");
            return args[++i];
        };
        if (a == "--help" || a == "-h") o.help = true;
        else if (a == "--open") o.open = true;
        else if (a == "--db") o.database = value();
        else if (a == "--module") o.module = value();
        else if (a == "--company") o.company = value();
        else if (a == "--param1") o.param1 = value();
        else if (a == "--auditor") o.auditorCode = value();
        else if (a == "--auditor-name") o.auditorName = value();
        else if (a == "--audit-date") o.auditDate = value();
        else if (a == "--access") o.access = value();
        else if (a == "--param6") o.param6 = value();
        else if (a == "--param7") o.param7 = value();
        else if (a == "--height") o.height = value();
        else if (a == "--width") o.width = value();
        else if (a == "--top") o.top = value();
        else if (a == "--left") o.left = value();
        else if (a == "--screenshot") {
            o.screenshot = value();
            o.open = true;
        } else throw std::invalid_argument("unknown option " + a + " (see --help)");
    }
    return o;
}

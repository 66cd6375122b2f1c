#pragma once
// The command line of stockin-host: its declaration (which --help and the
// manual page are made from) and the options it gives.

#include "runtime/CommandLine.h"

#include <optional>
#include <string>
#include <vector>

struct HostOptions {
    std::string database;  // empty: the demo database in the user's data directory
    std::string module;    // empty: the module installed with the host
    std::string templates; // empty: the templates installed with the host
    std::string company = "110101";
    std::string param1;
    std::string auditorCode = "0101";
    std::string auditorName = "赵敏";  // UTF-8 here; the module gets GBK
    std::optional<std::string> auditDate;  // default: now, in the short formats
    std::string access = "W";
    std::string param6, param7;
    std::optional<std::string> height, width, top, left;  // default: the host window's
    bool open = false;
    bool help = false;
    bool version = false;
    std::string screenshot;
};

const CommandLineSpec& HostCommandLine();
// Raises CommandLineError for an unknown option, a missing value or an argument.
HostOptions ParseHostOptions(const std::vector<std::string>& args);

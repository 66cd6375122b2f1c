#pragma once
// The command line of stockin-host.

#include <optional>
#include <string>
#include <vector>

struct HostOptions {
    std::string database;  // empty: the demo database in the user's data directory
    std::string module;    // empty: libstockin_audit.so beside the program
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
    std::string screenshot;
};

// Raises std::invalid_argument with a message for an unknown or incomplete option.
HostOptions ParseHostOptions(const std::vector<std::string>& args);
const char* HostUsage();

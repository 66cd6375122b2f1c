#pragma once
// Queue outputs that write each job's pages to a file NAME.EXT in the
// batch's directory (PDF, XLSX): the file appears whole when the job is
// marked done; a worker that dies leaves only its temporary, which the next
// attempt removes.

#include "QueueOutput.h"

#include <functional>
#include <string>

// A kind `name` asked for by --OPTION DIR; write(report, file) writes the
// report's prepared pages to `file` (a UTF-8 path), raising on failure.
QueueOutputKind FileOutputKind(const char* name, const char* option, const char* extension,
                               const char* description,
                               std::function<void(TrqReport&, const std::string&)> write);

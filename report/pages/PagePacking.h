#pragma once
// Compression of prepared page streams kept in memory (not a file format:
// prepared-report files always hold the plain page streams). Fast over
// compact: packing runs once per page while a report is built.

#include <string>
#include <string_view>

std::string PackBytes(std::string_view bytes);
// Raises EPreparedReportError for bytes PackBytes did not make.
std::string UnpackBytes(std::string_view packed);

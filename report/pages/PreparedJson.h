#pragma once
// The prepared pages as JSON (UTF-8), as `rqtool rqp dump` prints them: the
// file's header fields, then each page's paper, margins, page geometry and its
// views in prepared form, with the keys of the template's JSON.

#include <string>

class TrqEMFPages;

// Raises the page's read error when a page stream cannot be read.
std::string PreparedPagesToJson(TrqEMFPages& pages);

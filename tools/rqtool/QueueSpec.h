#pragma once
// A queued report in JSON, as submit stores it and workers read it: the batch
// (what every job of one submit shares: queries, datasets, variables, output)
// and each job's parameters (the columns of its --burst row).
//
// A value is {"name": N, "kind": K, "value": V} with K a Variant kind name
// ("null", "integer", "float", "boolean", "datetime", "string"); datetimes
// are day numbers, strings UTF-8, integers beyond 2^53 decimal strings. The
// round trip is exact: a worker's report sees the values submit read.
//
// Rules that are easy to break:
// - The JSON is stored in the queue's tables, possibly by an older rqtool
//   than the one reading it: add keys, never rename or drop one; a reader
//   takes a missing key as its default.

#include "ReportSourceOptions.h"

#include "runtime/Variant.h"

#include <QJsonObject>

#include <string>
#include <utility>
#include <vector>

using NamedValues = std::vector<std::pair<std::string, Variant>>;  // UTF-8 names

struct BatchSpec {
    ReportSourceOptions sources;
    QJsonObject output;  // {"kind": ..., and what that kind needs}
};

std::string BatchSpecToJson(const BatchSpec& spec);
// Raises Exception for text that is not a batch spec.
BatchSpec BatchSpecFromJson(const std::string& json);

std::string NamedValuesToJson(const NamedValues& values);
NamedValues NamedValuesFromJson(const std::string& json);

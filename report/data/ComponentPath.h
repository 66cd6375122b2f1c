#pragma once
// Components named by a path, as band data sources and field references name
// their datasets:
//   Name                  owned by the report component's owner (its form)
//   Form.Name             owned by the application-wide form or data module Form
//   Form.Container.Name   owned by component Container of Form
// A path that names nothing gives null. An error raised while looking up
// becomes EClassNotFound "Missing PATH".

#include "runtime/Component.h"
#include "runtime/Exceptions.h"

#include <string_view>

DECLARE_EXCEPTION(EClassNotFound, Exception)
// A component of the wrong class where a report dataset is expected.
DECLARE_EXCEPTION(EInvalidCast, Exception)

class TrqDataset;

// `owner` is the report component's owner (may be null: one-part paths then
// name nothing).
TComponent* FindComponentByPath(TComponent* owner, std::string_view path);

// The report dataset a path names; null when it names nothing. Raises
// EInvalidCast "Invalid class typecast" for a component that is not a report
// dataset.
TrqDataset* FindReportDataset(TComponent* owner, std::string_view path);

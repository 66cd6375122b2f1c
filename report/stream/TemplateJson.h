#pragma once
// The JSON form of a report template (UTF-8), as `rqtool template dump` prints
// it and `rqtool template build` reads it. Keys are the template's field names
// with a lower-case first letter; text lists are arrays of lines; the
// dictionary's lists are arrays of [name, value]; pictures are base64 file
// images. Building takes a missing key as the field's default.

#include "runtime/Exceptions.h"

#include <string>

class QJsonObject;
class TrqReport;
class TrqView;

DECLARE_EXCEPTION(ETemplateJson, Exception)

// The report's template as indented JSON.
std::string TemplateToJson(TrqReport& report);
// Replaces the report's template with the one the JSON describes. Raises
// ETemplateJson for text that is not such JSON, EInvalidGraphic for a picture
// that cannot be read.
void TemplateFromJson(TrqReport& report, const std::string& json);

// One view as the object the template's JSON holds for it ("objects").
QJsonObject ViewToJson(TrqView& view);

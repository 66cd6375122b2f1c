#pragma once
// Dataset field references in memo expressions: a dataset path, a dot and a
// (usually quoted) field name, as in dm.qry_xsvgjfp0."SL0000".
//
// Splitting: the text is cut at every "." from the left until the first double
// quote; the rest, quote included, is the last part. So Q1."A.B" names field
// A.B of Q1, while Q1.A.B has three parts. The parts before the last name the
// dataset (ComponentPath.h); a reference of one part is a field of the default
// dataset. The field part loses one pair of enclosing double quotes.
//
// A reference resolves when the dataset exists and lists the field name. A
// report dataset (TrqDBDataSet) stands for the database dataset it walks. A
// dataset that knows no field names yet (closed, no declared fields, never
// opened) is opened to learn them; when that fails the field is not there.

#include "runtime/AnsiString.h"
#include "runtime/Variant.h"

#include <string_view>
#include <vector>

class TComponent;
class TDataSet;
class TField;

struct TrqFieldRef {
    TDataSet* DataSet = nullptr;
    AnsiString FieldName;
};

std::vector<AnsiString> SplitFieldReference(std::string_view text);
// Removes one pair of enclosing double quotes from a text longer than two characters.
AnsiString UnquoteFieldName(std::string_view name);

// Resolves a reference; `owner` is the report component's owner (for one-part
// dataset names), `defaultDataSet` may be null. Raises EClassNotFound when the
// dataset lookup fails (ComponentPath.h).
bool ResolveFieldReference(TComponent* owner, std::string_view text, TDataSet* defaultDataSet, TrqFieldRef& out);

// True when the dataset lists the field name (any letter case). A closed
// dataset that has to be opened to tell is closed again.
bool DataSetHasField(TDataSet& dataSet, std::string_view fieldName);

// A field's value as reports see it: the display text for a field with a text
// handler and for 64-bit integers; otherwise the value, Null becoming "" for
// text fields, false for booleans and 0 for everything else.
Variant ReportFieldValue(const TField& field);

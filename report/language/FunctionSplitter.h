#pragma once
// TrqFunctionSplitter finds the calls of some functions in an expression text,
// following bracketed names and names of variables into the expression texts
// they stand for. The aggregate collection finds SUM, AVG, MIN, MAX and COUNT
// in memo brackets and scripts with it.

#include "runtime/StringList.h"

#include <string_view>

class TrqVariables;

class TrqFunctionSplitter {
public:
    // names: the functions to find (any letter case); variables: names whose
    // values are expression texts; found receives each call's text as written.
    TrqFunctionSplitter(const TStringList& names, const TrqVariables& variables, TStringList& found)
        : names_(names), variables_(variables), found_(found)
    {
    }

    // Raises EParserError for an argument list that is not closed and for a
    // text that nests too deeply.
    void Split(std::string_view text);

private:
    void split(std::string_view text, int depth);

    const TStringList& names_;
    const TrqVariables& variables_;
    TStringList& found_;
};

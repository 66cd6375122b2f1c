#pragma once
// The error of the report engine's expression and script language, and the
// texts it carries beyond the numbered engine texts.

#include "runtime/Exceptions.h"

DECLARE_EXCEPTION(EParserError, Exception)

namespace LanguageText {
// Expressions.
inline constexpr const char* MissingOperand = "Missing operand in expression";
inline constexpr const char* TooManyValues = "Expression is too complex (more than 32 values)";
inline constexpr const char* MissingCloseParen = "Missing \")\" in expression";
inline constexpr const char* UnexpectedCloseParen = "Unexpected \")\" in expression";
inline constexpr const char* MissingQuote = "Missing closing \"'\" in expression";
inline constexpr const char* MissingBracket = "Missing \"]\" in expression";
inline constexpr const char* TooManyArguments = "A function takes at most three arguments";
inline constexpr const char* NestedTooDeeply = "Expression is nested too deeply";

// Scripts.
inline constexpr const char* NeedSemicolonOrEnd = "Need \";\" or \"end\" here";
inline constexpr const char* NeedThen = "Need \"then\" here";
inline constexpr const char* NeedSemicolonOrUntil = "Need \";\" or \"until\" here";
inline constexpr const char* NeedDo = "Need \"do\" here";
inline constexpr const char* NeedTo = "Need \"to\" here";
inline constexpr const char* GotoNeedsNumber = "\"goto\" label must be a number";
inline constexpr const char* NeedAssign = "Need \":=\" here";
inline constexpr const char* NeedCloseParen = "Need \")\" here";
inline constexpr const char* NeedCloseBracket = "Need \"]\" here";
inline constexpr const char* NeedCommaOrCloseParen = "Need \",\" or \")\" here";
inline constexpr const char* ScriptTooLong = "Script is too long (more than 31999 characters)";
inline constexpr const char* TooManyLines = "Script is too long (more than 65536 instructions)";
inline constexpr const char* TooManyLabels = "Too many labels (more than 101)";
inline constexpr const char* LabelTooLong = "Label is too long (more than 16 characters)";
inline constexpr const char* UndefinedLabel = "Label \"%s\" is not defined";
inline constexpr const char* ScriptNestedTooDeeply = "Script is nested too deeply";
inline constexpr const char* ScriptStepLimit = "Script stopped after %lld steps";
// Notes to a script's author (warnings; the script still runs as compiled).
inline constexpr const char* ScriptRunsUpToError = "%s (only what comes before it runs)";
inline constexpr const char* ScriptTextNotRun =
    "%s: the text from here on never runs (a script is one statement; put several between BEGIN and END)";
}  // namespace LanguageText

#pragma once
// Warnings of the report engine: things a template does that are almost
// certainly not what its author meant but that the engine lets pass (a script
// with text after its one statement, a property set that does not exist).
// They go to standard error, each text once per process, so that a report
// built again and again (a preview rebuilt, a queue worker's jobs) says it
// once.
//
// The text is in the engine's code page; standard error gets it as UTF-8.

#include "runtime/AnsiString.h"

#include <functional>

// Writes "Warning: " and the text on standard error, unless that text was
// written before.
void WarnOnce(const AnsiString& text);

// The note TrqInterpretator::CompileScriptAndNote gave for the script of
// `owner` (an object's name, a file), as a warning; nothing for an empty note.
void WarnAboutScript(const AnsiString& owner, const AnsiString& note);

// Where warnings go instead of standard error (tests); nullptr: standard error
// again. Gives the previous sink.
using TrqWarningSink = std::function<void(const AnsiString& text)>;
TrqWarningSink SetWarningSink(TrqWarningSink sink);
// Forgets which texts were written (tests).
void ForgetWarnings();

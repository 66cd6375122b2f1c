#pragma once
// Warnings on standard error: what the engine went on past while it built or
// drew a report (a picture it could not read) and the user should still hear
// about. A warning never stops a report.
//
// Rules that are easy to break:
// - Each warning has a key; a key is written once per round. The band engine
//   starts a round with every build, so a damaged logo on every page of a
//   report warns once, not once a page, and again on the next build.
// - Outside a build (drawing a saved .rqp) the round is the process's.
// - The text is in the code page; it is written as one UTF-8 line.

#include "runtime/AnsiString.h"

#include <string>

// Writes `text` to standard error unless `key` was written in this round.
void WarnOnce(const std::string& key, const AnsiString& text);
// Forgets the keys written so far.
void NewWarningRound();

#pragma once
// Output files that appear whole or not at all: the content is written to a
// temporary file beside the target and renamed over it, so that a reader (or
// a crash) never sees half a file.

#include "runtime/AnsiString.h"

#include <functional>
#include <string>

// The temporary name for `target`: beside it (a rename never crosses file
// systems), "TARGET.part", or "TARGET.TAG.part" when writers that may
// overlap need names of their own.
std::string TemporaryFileFor(const std::string& target, const std::string& tag = {});

// write(fileName) writes the content to the temporary file TARGET.part; then
// it takes the target's name. When write or the rename fails, no temporary file stays
// and the target is as it was; the error passes on.
void WriteFileAtomically(const std::string& target, const std::function<void(const AnsiString&)>& write);

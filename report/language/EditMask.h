#pragma once
// Formatting a text through an edit mask, as FORMATTEXT does.
//
// A mask is "body;save;blank": when the last two ";"-separated fields are
// present, the last gives the blank character and the one before tells whether
// the value carries the mask's literal characters ("0": it does not). In the
// body:
//   0 digit          9 digit, optional     # digit or sign, optional
//   L letter         l letter, optional
//   A letter or digit                      a letter or digit, optional
//   C any character  c any character, optional
//   > upper case from here    < lower case from here    <> no case change
//   \ the next character is a literal      ! (no effect on formatting)
//   : / the time and date separators       _ a blank
//   anything else    a literal
// The value's characters fill the placeholders in order (a double-byte
// character fills one); a character that does not fit its placeholder, and a
// placeholder left without one, show the blank character. Literals come from
// the mask unless the value carries them. Never throws.

#include "runtime/AnsiString.h"

AnsiString FormatMaskText(std::string_view mask, std::string_view value);

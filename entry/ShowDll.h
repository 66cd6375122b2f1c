#pragma once
// The module's one entry.
//
//   showdll(unused, hostWindow, hostSession, unused, strings, highIndex)
//
// hostWindow becomes the application window for the call (it owns the audit
// window and every message box), hostSession the default database session
// (kept after the call). strings[0..highIndex] are zero-terminated GBK texts,
// or null for an empty one; the module copies them. Entries past highIndex
// read as empty, entries past 11 are ignored. The call creates the data
// module and the audit window, sizes the window from strings 8 to 11 (client
// height, client width, top, left), fills Params, shows the window modally
// and frees everything again before it returns.
//
// A geometry string that is not a decimal integer raises EConvertError
// "'%s' is not a valid integer value" to the caller after the window and the
// data module are freed and the application window is put back; the window is
// never shown.

#include <cstdint>

class QWidget;
class TSession;

extern "C" void showdll(intptr_t unused1, QWidget* hostWindow, TSession* hostSession, intptr_t unused2,
                        const char* const* strings, int32_t highIndex);
using ShowDllFunction = decltype(&showdll);

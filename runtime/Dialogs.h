#pragma once
// Message boxes and the input box, behind one service.
//
// Every message box and input box of the system goes through here. A box is
// application-modal, owned by the application window (Application().Handle()),
// and puts the previously active window and focus back when it closes.
//
// Tests install a hook (SetDialogHook): it receives the request (caption, text,
// icon and buttons) and returns the answer, and no window opens. Command-line
// programs switch to console mode: the text goes to standard error and the
// default button (or the default text) is the answer.

#include "AnsiString.h"

#include <functional>

// Buttons (low nibble), icon (second nibble) and default button, as flags.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON1 = 0x000,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
};
inline constexpr unsigned MB_ICONSTOP = MB_ICONERROR;
inline constexpr unsigned MB_ICONEXCLAMATION = MB_ICONWARNING;
inline constexpr unsigned MB_ICONASTERISK = MB_ICONINFORMATION;

// Button identifiers returned by MessageBox.
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

struct DialogRequest {
    enum Kind { Message, Input } kind = Message;
    AnsiString caption;
    AnsiString text;          // message, or the input box's prompt
    unsigned flags = MB_OK;   // message boxes
    AnsiString defaultValue;  // input boxes
};

struct DialogAnswer {
    int button = IDOK;  // IDOK / IDCANCEL for input boxes
    AnsiString value;   // input boxes
};

using DialogHook = std::function<DialogAnswer(const DialogRequest&)>;

// Installs a hook (an empty one removes it); returns the previous one.
DialogHook SetDialogHook(DialogHook hook);
void SetConsoleDialogs(bool console);

// The buttons of the flags in order, and the one the flags make default.
int DefaultButton(unsigned flags);

int MessageBox(const AnsiString& text, const AnsiString& caption, unsigned flags);
// True when the user confirmed; value holds the text typed.
bool InputQuery(const AnsiString& caption, const AnsiString& prompt, AnsiString& value);
AnsiString InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& defaultValue);

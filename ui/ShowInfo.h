#pragma once
// The one way the module's commands speak to the auditor: a modal information
// box with the caption "系统提示" and one OK button, owned by the application
// window. It returns when the box is closed; the previously active window and
// the focus come back (runtime/Dialogs.h).

#include "runtime/AnsiString.h"

void ShowInfo(const AnsiString& text);

#pragma once
// The host's main window: a button and a menu entry that call showdll with
// the twelve parameter strings.

#include "HostOptions.h"
#include "runtime/AnsiString.h"

#include <QMainWindow>

class TSession;

class HostWindow : public QMainWindow {
public:
    using ShowDll = void (*)(intptr_t, QWidget*, TSession*, intptr_t, const char* const*, int32_t);
    HostWindow(const HostOptions& options, TSession& session, ShowDll showdll);

    // The twelve strings in the code page, for the current window geometry.
    std::vector<AnsiString> ParameterStrings() const;
    // Calls showdll; its error goes to the application's message box.
    void OpenAuditWindow();

private:
    HostOptions options_;
    TSession& session_;
    ShowDll showdll_;
};

#pragma once
// Records every message box and input box while it lives, and answers them from
// a script (IDOK, or the default text, when the script has run out).

#include "runtime/Dialogs.h"

#include <deque>
#include <vector>

class ScriptedDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // The next answers, in order.
    void Answer(int button, const AnsiString& value = {}) { answers_.push_back({button, value}); }

    const std::vector<DialogRequest>& Calls() const { return calls_; }
    // Texts of the message boxes shown, in order.
    std::vector<AnsiString> Texts() const;
    void Clear() { calls_.clear(); }

private:
    DialogHook previous_;
    std::deque<DialogAnswer> answers_;
    std::vector<DialogRequest> calls_;
};

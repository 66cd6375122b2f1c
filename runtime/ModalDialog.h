#pragma once
// Modal windows of our own (find, print and file dialogs, page setup, modal
// previews) are run through ExecModal rather than QDialog::exec, so that tests
// can stand in for the user: a hook receives the window, already built and
// filled, may fill in fields and press buttons on it, and returns the result
// the window would have closed with. No window opens then.
//
// Without a hook the window runs its own modal loop; an exception may not
// leave that loop, so the caller's code inside it runs under Guard as usual.

#include <functional>

class QDialog;

using ModalHook = std::function<int(QDialog& dialog)>;

// Installs a hook (an empty one removes it); returns the previous one.
ModalHook SetModalHook(ModalHook hook);

// Runs the window modally (or through the hook) and returns its result
// (QDialog::Accepted, QDialog::Rejected or what done() was given).
int ExecModal(QDialog& dialog);

// A modal window whose caller goes on working while it is up (a report that
// shows its first pages while it builds the rest) and lets events through as
// it works. OpenModal shows the window modal to the application and returns
// at once: true while the window is open, false when the hook has answered
// already (the window then never opens, and counts as closed). The caller
// sees the user close it by !isVisible(). FinishModal runs the modal loop
// until the window is closed and returns its result.
bool OpenModal(QDialog& dialog);
int FinishModal(QDialog& dialog);

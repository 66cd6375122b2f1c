#include "runtime/ModalDialog.h"

#include <QDialog>

namespace {
ModalHook& hook()
{
    static ModalHook h;
    return h;
}
}  // namespace

ModalHook SetModalHook(ModalHook h)
{
    ModalHook previous = std::move(hook());
    hook() = std::move(h);
    return previous;
}

int ExecModal(QDialog& dialog)
{
    if (hook()) {
        // A copy: the hook may install another one while it runs.
        ModalHook current = hook();
        return current(dialog);
    }
    return dialog.exec();
}

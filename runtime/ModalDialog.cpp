#include "runtime/ModalDialog.h"

#include <QDialog>
#include <QEventLoop>

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

bool OpenModal(QDialog& dialog)
{
    if (hook()) {
        ModalHook current = hook();
        dialog.setResult(current(dialog));
        return false;
    }
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    return true;
}

int FinishModal(QDialog& dialog)
{
    if (dialog.isVisible()) {
        QEventLoop loop;
        QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::DialogExec);
    }
    return dialog.result();
}

#include "Dialogs.h"

#include "Application.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>

#include <cstdio>
#include <vector>

namespace {

DialogHook& hook()
{
    static DialogHook h;
    return h;
}

bool& consoleMode()
{
    static bool console = false;
    return console;
}

std::vector<int> buttonsOf(unsigned flags)
{
    switch (flags & 0xF) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
    }
}

// The button texts of a Chinese desktop.
QString buttonText(int id)
{
    switch (id) {
    case IDOK: return QStringLiteral("确定");
    case IDCANCEL: return QStringLiteral("取消");
    case IDABORT: return QStringLiteral("中止(&A)");
    case IDRETRY: return QStringLiteral("重试(&R)");
    case IDIGNORE: return QStringLiteral("忽略(&I)");
    case IDYES: return QStringLiteral("是(&Y)");
    case IDNO: return QStringLiteral("否(&N)");
    }
    return QString();
}

// Remembers the active window and the focus; the guard puts them back.
auto focusComesBack()
{
    return qScopeGuard([active = QPointer<QWidget>(QApplication::activeWindow()),
                        focus = QPointer<QWidget>(QApplication::focusWidget())] {
        if (active) active->activateWindow();
        if (focus) focus->setFocus();
    });
}

QWidget* ownerWindow()
{
    if (QWidget* w = Application().Handle()) return w;
    return QApplication::activeWindow();
}

}  // namespace

DialogHook SetDialogHook(DialogHook h)
{
    DialogHook previous = std::move(hook());
    hook() = std::move(h);
    return previous;
}

void SetConsoleDialogs(bool console)
{
    consoleMode() = console;
}

int DefaultButton(unsigned flags)
{
    std::vector<int> buttons = buttonsOf(flags);
    size_t index = (flags >> 8) & 0xF;
    return index < buttons.size() ? buttons[index] : buttons[0];
}

int MessageBox(const AnsiString& text, const AnsiString& caption, unsigned flags)
{
    DialogRequest request{DialogRequest::Message, caption, text, flags, {}};
    if (hook()) return hook()(request).button;
    if (consoleMode() || !qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // Message texts break lines with CR (as the boxes show them); a terminal
        // would write each line over the one before.
        std::string lines = AnsiToUtf8(text);
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == '\r') {
                if (i + 1 < lines.size() && lines[i + 1] == '\n') lines.erase(i, 1);
                else lines[i] = '\n';
            }
        std::fprintf(stderr, "%s%s%s\n", AnsiToUtf8(caption).c_str(), caption.empty() ? "" : ": ", lines.c_str());
        return DefaultButton(flags);
    }

    const auto focusBack = focusComesBack();
    QMessageBox box(ownerWindow());
    box.setWindowTitle(AnsiToQString(caption));
    box.setText(AnsiToQString(text));
    box.setWindowModality(Qt::ApplicationModal);
    switch (flags & 0xF0) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    std::vector<std::pair<QPushButton*, int>> buttons;
    for (int id : buttonsOf(flags)) {
        QMessageBox::ButtonRole role = (id == IDCANCEL || id == IDNO || id == IDABORT) ? QMessageBox::RejectRole
                                                                                         : QMessageBox::AcceptRole;
        QPushButton* button = box.addButton(buttonText(id), role);
        buttons.emplace_back(button, id);
        if (id == DefaultButton(flags)) box.setDefaultButton(button);
    }
    int cancelId = DefaultButton(flags);
    for (auto& [button, id] : buttons)
        if (id == IDCANCEL) {
            box.setEscapeButton(button);
            cancelId = IDCANCEL;
        }
    box.exec();
    for (auto& [button, id] : buttons)
        if (box.clickedButton() == button) return id;
    return cancelId;
}

bool InputQuery(const AnsiString& caption, const AnsiString& prompt, AnsiString& value)
{
    DialogRequest request{DialogRequest::Input, caption, prompt, MB_OKCANCEL, value};
    if (hook()) {
        DialogAnswer answer = hook()(request);
        if (answer.button != IDOK) return false;
        value = answer.value;
        return true;
    }
    if (consoleMode() || !qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s%s%s [%s]\n", AnsiToUtf8(caption).c_str(), caption.empty() ? "" : ": ",
                     AnsiToUtf8(prompt).c_str(), AnsiToUtf8(value).c_str());
        return true;
    }
    const auto focusBack = focusComesBack();
    QInputDialog dialog(ownerWindow());
    dialog.setWindowTitle(AnsiToQString(caption));
    dialog.setLabelText(AnsiToQString(prompt));
    dialog.setTextValue(AnsiToQString(value));
    dialog.setOkButtonText(buttonText(IDOK));
    dialog.setCancelButtonText(buttonText(IDCANCEL));
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return false;
    value = QStringToAnsi(dialog.textValue());
    return true;
}

AnsiString InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& defaultValue)
{
    AnsiString value = defaultValue;
    if (!InputQuery(caption, prompt, value)) return defaultValue;
    return value;
}

#pragma once
// The application object and the boundary between Qt and our code.
//
// No exception may cross Qt's event loop. Every entry from Qt into our code (an
// event handler, a slot, a timer, the start of a modal loop) runs inside Guard:
// an exception that leaves it goes to the application's handler, which shows its
// message in a message box (EAbort is silent) and the event loop goes on; the
// step that failed simply ends. TQtApplication::notify is a last safety net for
// entries that forgot the guard. Tests replace the handler with SetOnException.

#include "AnsiString.h"

#include <exception>
#include <functional>
#include <utility>

#include <QApplication>
#include <QPointer>
#include <QWidget>


class TApplication {
public:
    using ExceptionHandler = std::function<void(const std::exception&)>;

    // Shows the message of the exception (the handler installed, or the message
    // box); EAbort is silent. Never throws.
    void HandleException(const std::exception& e) noexcept;
    // The same for the exception being handled (inside a catch block).
    void HandleCurrentException() noexcept;

    // Replaces the handler; an empty one restores the message box.
    void SetOnException(ExceptionHandler handler) { onException_ = std::move(handler); }

    // The window that owns the module's windows and message boxes (the host's
    // window while showdll runs).
    QWidget* Handle() const { return handle_; }
    void SetHandle(QWidget* window) { handle_ = window; }

    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& title) { title_ = title; }

    // Lets pending window messages through (long work calls it after each step).
    void ProcessMessages();

private:
    ExceptionHandler onException_;
    QPointer<QWidget> handle_;
    AnsiString title_;
};

TApplication& Application();

// Runs f; an exception that leaves it goes to the application's handler.
template <class F>
void Guard(F&& f) noexcept
{
    try {
        std::forward<F>(f)();
    } catch (...) {
        Application().HandleCurrentException();
    }
}

// Wraps a callable so that every call runs inside Guard (for connect()).
template <class F>
auto Guarded(F f)
{
    return [f = std::move(f)](auto&&... args) mutable {
        Guard([&] { f(std::forward<decltype(args)>(args)...); });
    };
}

// The QApplication of our programs: its notify() hands any exception that an
// event handler let out to the application's handler.
class TQtApplication : public QApplication {
public:
    TQtApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Prepares the process before Qt starts: the project's font configuration
// (fonts.conf where InstallLayout.h finds it) unless FONTCONFIG_FILE is already
// set, and a private runtime directory when the environment lacks a usable one.
void InitRuntimeEnvironment();

#include "ShowDll.h"

#include "data/Params.h"
#include "data/Tdm.h"
#include "report/printer/Printer.h"
#include "runtime/Application.h"
#include "runtime/SysUtils.h"
#include "runtime/db/Session.h"
#include "ui/Tfm_main.h"

#include <QApplication>
#include <QPointer>

#include <memory>
#include <vector>

namespace {

constexpr int kParamCount = 12;

// Everything a call sets up, undone on every way out of it, a failed
// conversion of the geometry included: the window goes before the data module
// whose datasets it shows, and the host's application window comes back last.
class CallScope {
public:
    explicit CallScope(QWidget* hostWindow) : previousHandle_(Application().Handle()), previousActive_(QApplication::activeWindow())
    {
        Application().SetHandle(hostWindow);
    }
    ~CallScope()
    {
        window.reset();
        fm_main = nullptr;
        dataModule.reset();
        dm = nullptr;
        Application().SetHandle(previousHandle_);
        if (previousActive_) {
            previousActive_->setEnabled(true);
            previousActive_->activateWindow();
            QApplication::setActiveWindow(previousActive_);
        }
    }

    std::unique_ptr<Tdm> dataModule;
    std::unique_ptr<Tfm_main> window;

private:
    QPointer<QWidget> previousHandle_;
    QPointer<QWidget> previousActive_;
};

// The report engine's engine-wide objects go with the module. While no
// application object is left (a host that exits without unloading the
// module) the process is ending and they are left to it.
__attribute__((destructor)) void freeEngineObjects()
{
    if (QCoreApplication::instance()) FreeRqPrinter();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void showdll(intptr_t, QWidget* hostWindow, TSession* hostSession,
                                                               intptr_t, const char* const* strings, int32_t highIndex)
{
    // The module's own copies of the strings, so that nothing later in the call
    // depends on the host's array; entries the host did not pass read as empty.
    std::vector<AnsiString> args(kParamCount);
    if (strings)
        for (int32_t i = 0; i <= highIndex && i < kParamCount; ++i)
            if (strings[i]) args[static_cast<size_t>(i)] = strings[i];

    CallScope scope(hostWindow);
    SetDefaultSession(hostSession);
    // Creating the data module opens nothing; the window opens the data when it is shown.
    scope.dataModule = std::make_unique<Tdm>();
    dm = scope.dataModule.get();
    scope.window = std::make_unique<Tfm_main>(hostWindow);
    fm_main = scope.window.get();
    fm_main->SetClientHeight(StrToInt(args[8]));
    fm_main->SetClientWidth(StrToInt(args[9]));
    fm_main->SetTop(StrToInt(args[10]));
    fm_main->SetLeft(StrToInt(args[11]));
    // Nothing reads Params while the window is made; its show handler and the
    // datasets' open hooks do.
    Params = args;
    fm_main->ShowModal();
}

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

// Step 9: the window, then the data module, then the application window.
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
    // Step 1: the module's own copies of the strings, for the whole call.
    std::vector<AnsiString> args(kParamCount);
    if (strings)
        for (int32_t i = 0; i <= highIndex && i < kParamCount; ++i)
            if (strings[i]) args[static_cast<size_t>(i)] = strings[i];

    CallScope scope(hostWindow);         // step 2 (and step 9 when it ends)
    SetDefaultSession(hostSession);      // step 3
    scope.dataModule = std::make_unique<Tdm>();  // step 4
    dm = scope.dataModule.get();
    scope.window = std::make_unique<Tfm_main>(hostWindow);  // step 5
    fm_main = scope.window.get();
    fm_main->SetClientHeight(StrToInt(args[8]));  // step 6
    fm_main->SetClientWidth(StrToInt(args[9]));
    fm_main->SetTop(StrToInt(args[10]));
    fm_main->SetLeft(StrToInt(args[11]));
    Params = args;  // step 7
    fm_main->ShowModal();  // step 8
}

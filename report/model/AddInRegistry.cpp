#include "report/model/AddInRegistry.h"

#include "report/model/BarcodeView.h"

#include <map>

namespace {
std::map<AnsiString, TrqAddInFactory>& registry()
{
    // The add-in views this engine brings with it.
    static std::map<AnsiString, TrqAddInFactory> map{{"TRQBARCODEVIEW", CreateBarcodeView}};
    return map;
}
}  // namespace

void RegisterAddIn(const AnsiString& className, TrqAddInFactory factory)
{
    registry()[UpperCase(className)] = std::move(factory);
}

void UnregisterAddIn(const AnsiString& className) { registry().erase(UpperCase(className)); }

std::unique_ptr<TrqView> CreateAddIn(const AnsiString& className)
{
    auto it = registry().find(UpperCase(className));
    if (it == registry().end() || !it->second) return nullptr;
    std::unique_ptr<TrqView> view = it->second();
    if (view) view->ObjectKind = okAddIn;
    return view;
}

#pragma once
// The add-in registry: view classes that templates name by class name (object
// kind 10). The registry starts with the engine's own add-in views (the
// barcode view); a template that names any other class reports it as a
// non-plugged component.

#include "report/model/View.h"

#include <functional>
#include <memory>

using TrqAddInFactory = std::function<std::unique_ptr<TrqView>()>;

// Registers (or replaces) a class by name.
void RegisterAddIn(const AnsiString& className, TrqAddInFactory factory);
void UnregisterAddIn(const AnsiString& className);
// A new instance of the class (names compared without regard to case), or
// null for a class that is not registered.
std::unique_ptr<TrqView> CreateAddIn(const AnsiString& className);

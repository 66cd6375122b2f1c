#pragma once
// The add-in registry: view classes that templates name by class name (object
// kind 10). This system registers none, so every such record names an
// unknown class; the registry is here so that one could be added.

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

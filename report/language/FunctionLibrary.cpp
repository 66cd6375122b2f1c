#include "report/language/FunctionLibrary.h"

#include "report/language/Globals.h"
#include "runtime/Exceptions.h"

#include <algorithm>
#include <cstring>

bool TrqFunctionLibrary::TryCall(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3,
                                 Variant& value)
{
    for (size_t i = 0; i < list_.size(); ++i)
        if (SameText(list_[i], name)) {
            CallFunctionAt(static_cast<int>(i), p1, p2, p3, value);
            return true;
        }
    return false;
}

void TrqFunctionLibrary::AddDescription(const AnsiString& name, const AnsiString& category,
                                        const AnsiString& description)
{
    TrqInstalledFunctions& installed = rqInstalledFunctions();
    if (category.empty() || installed.IndexOf(name) >= 0) return;
    installed.Add({this, name, category, description});
}

int TrqInstalledFunctions::IndexOf(std::string_view name) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (SameText(items_[i].Name, name)) return static_cast<int>(i);
    return -1;
}

void TrqInstalledFunctions::RemoveLibrary(const TrqFunctionLibrary* library)
{
    std::erase_if(items_, [library](const TrqFunctionDescription& d) { return d.Library == library; });
}

int TrqFunctionLibraries::indexOf(const char* className) const
{
    for (size_t i = 0; i < libraries_.size(); ++i)
        if (std::strcmp(libraries_[i]->ClassName(), className) == 0) return static_cast<int>(i);
    return -1;
}

void TrqFunctionLibraries::Register(const char* className, const Factory& create)
{
    if (indexOf(className) >= 0) return;
    if (Count() >= MaxLibraries) throw EInvalidOperation("Too many function libraries (at most 32)");
    libraries_.push_back(create());
}

void TrqFunctionLibraries::Unregister(const char* className)
{
    int index = indexOf(className);
    if (index < 0) return;
    rqInstalledFunctions().RemoveLibrary(libraries_[index].get());
    libraries_.erase(libraries_.begin() + index);
}

bool TrqFunctionLibraries::TryCall(const AnsiString& name, const Variant& p1, const Variant& p2,
                                   const Variant& p3, Variant& value) const
{
    for (const auto& library : libraries_)
        if (library->TryCall(name, p1, p2, p3, value)) return true;
    return false;
}

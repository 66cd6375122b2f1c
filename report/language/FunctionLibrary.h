#pragma once
// Function libraries: named functions that expressions can call. A library
// holds a list of upper-case names; a function's number is its index there.
// The registered libraries (rqFunctionLibraries) are asked in registration
// order before the report's own functions. rqInstalledFunctions describes the
// functions for documentation only; building a report never reads it.

#include "runtime/AnsiString.h"
#include "runtime/Variant.h"

#include <functional>
#include <memory>
#include <vector>

class TrqFunctionLibrary {
public:
    virtual ~TrqFunctionLibrary() = default;

    // The class name under which the library is registered (once).
    virtual const char* ClassName() const = 0;
    // Calls the function when the library has that name and answers true.
    virtual bool TryCall(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3,
                         Variant& value);
    // The function of that number, with the call's argument texts unevaluated.
    virtual void CallFunctionAt(int number, const Variant& p1, const Variant& p2, const Variant& p3,
                                Variant& value) = 0;

    const std::vector<AnsiString>& List() const { return list_; }
    // Describes one of the library's functions in rqInstalledFunctions, unless
    // the name is described already or the category is empty.
    void AddDescription(const AnsiString& name, const AnsiString& category, const AnsiString& description);

protected:
    std::vector<AnsiString> list_;
};

struct TrqFunctionDescription {
    TrqFunctionLibrary* Library = nullptr;
    AnsiString Name;
    AnsiString Category;
    AnsiString Description;
};

class TrqInstalledFunctions {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const TrqFunctionDescription& Item(int index) const { return items_.at(index); }
    int IndexOf(std::string_view name) const;
    void Add(TrqFunctionDescription description) { items_.push_back(std::move(description)); }
    void RemoveLibrary(const TrqFunctionLibrary* library);

private:
    std::vector<TrqFunctionDescription> items_;
};

class TrqFunctionLibraries {
public:
    static constexpr int MaxLibraries = 32;
    using Factory = std::function<std::unique_ptr<TrqFunctionLibrary>()>;

    // Creates one library and appends it, unless a library of that class name is
    // registered already. Raises EInvalidOperation past 32 libraries.
    void Register(const char* className, const Factory& create);
    // Removes the library's descriptions and frees it.
    void Unregister(const char* className);

    int Count() const { return static_cast<int>(libraries_.size()); }
    TrqFunctionLibrary& Item(int index) const { return *libraries_.at(index); }
    // Asks the libraries in order; true when one of them handled the call.
    bool TryCall(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3,
                 Variant& value) const;

private:
    int indexOf(const char* className) const;

    std::vector<std::unique_ptr<TrqFunctionLibrary>> libraries_;
};
